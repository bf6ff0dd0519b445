#pragma once
// Base of the read-only query, alarm and summary screens.
//
// What a screen gets from it:
//  - ADOQuery1, the screen's own result set on the shared connection, and DataSource1 over
//    it. Every grid made by addGrid() shows it once showRows() has run on that grid; a
//    screen with one shared set simply shows all its grids on it. A screen with a second
//    independent list asks for addSet() and gives that to addGrid().
//  - condition boxes: a date range (two pickers, today at first, "至" between, both days
//    included), combo boxes filled from a query (partner, category, article);
//  - read-only grids, optionally coloured, in a titled group;
//  - total labels in a colour, showing a number in number text;
//  - export of a set through the spreadsheet layout table, under the screen's layout name
//    and with the options the screen shows at that moment;
//  - the status bar and an exit button that closes the screen's sets and the screen.
// Each screen keeps its own SQL, captions and messages in its own file.
#include "widgets/Screen.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>

class DBGrid;
class DataSource;
class QComboBox;
class QDate;
class QDateEdit;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class ResultSet;
class StatusBar;
struct ExportOptions;

class QueryScreen : public Screen {
    Q_OBJECT
public:
    ResultSet* ADOQuery1;
    DataSource* DataSource1;

protected:
    QueryScreen(QWidget* parent, const QString& name, const QString& caption);

    // A further set with its own source, for a grid that lists something else.
    ResultSet* addSet();
    // A read-only grid over `set` (the screen's own when null). It shows nothing until
    // showRows() has run on it.
    DBGrid* addGrid(QWidget* parent, const QString& name, ResultSet* set = nullptr);
    // Opens sql on the grid's set and shows it in the grid.
    void showRows(DBGrid* grid, const QString& sql);
    // The grid inside a group titled `title`.
    QGroupBox* gridGroup(const QString& name, const QString& title, DBGrid* grid);

    // Two date pickers with "至" (or the screen's own spelling) between, both today;
    // optionally a label in front.
    QHBoxLayout* dateRange(QDateEdit*& first, QDateEdit*& second, const QString& label = {},
                           const QString& between = QStringLiteral("至"),
                           const QString& firstName = QStringLiteral("DateTimePicker1"),
                           const QString& secondName = QStringLiteral("DateTimePicker2"));

    // "导出EXCEL" and "退出" buttons; exit closes the sets and the screen.
    QPushButton* exportButton(QWidget* parent, const QString& name);
    QPushButton* exitButton(QWidget* parent, const QString& name);
    void exitScreen();
    // Exports `set` (the screen's own when null) under the layout of this screen.
    void exportRows(const QString& layoutName, const ExportOptions& options, ResultSet* set = nullptr);
    void exportRows(const QString& layoutName);
    // As exportRows(), but a set not queried yet gives the title and the headings alone.
    void exportPage(const QString& layoutName, const ExportOptions& options, ResultSet* set = nullptr);

    // "StatusBar1" at the bottom of the screen's layout, empty until fill().
    StatusBar* statusBar();

private:
    QList<ResultSet*> m_sets;
};

// The first column of every row of sql, as text, in the order returned.
QStringList listOf(const QString& sql);
// Replaces the items of combo by listOf(sql); the text in its box stays as it was and
// no change of text is signalled.
void fillList(QComboBox* combo, const QString& sql);
// The single value of a sum query; 0 when it has no row or the sum is null.
double sumOf(const QString& sql);
// Empties a scratch table and fills it from the insert statements, in one transaction:
// a failing insert leaves the table as it was. afterEach(n) runs after the n-th insert; what
// it throws undoes the refill too.
void refillScratch(const QString& table, const QStringList& inserts,
                   const std::function<void(int)>& afterEach = {});
// "#d1# and #d2#" for "between": stored dates have no time of day, so both days count.
QString dateRangeText(const QDate& first, const QDate& last);
QString dateRangeText(const QDateEdit* first, const QDateEdit* last);

// A label showing "0" at first, in the colour; setTotal() writes number text.
QLabel* totalLabel(QWidget* parent, const QString& name, const QColor& colour);
void setTotal(QLabel* label, double value);
// A fixed text in a colour (the red "注意：" and the blue notes).
QLabel* colouredLabel(QWidget* parent, const QString& name, const QString& text, const QColor& colour);
// Text and column-title colours of a grid; a group's title colour.
void colourGrid(DBGrid* grid, const QColor& text, const QColor& titles);
void colourGroupTitle(QGroupBox* group, const QColor& colour);
// Widens the grid's columns, in order, to show each sample text uncut in the grid's font;
// returns their total width.
int fitColumns(DBGrid* grid, const QStringList& samples);
