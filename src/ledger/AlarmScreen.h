#pragma once
// What the stock and overdue alarm screens share: a read-only grid over the rows of one
// query, a button exporting them to a spreadsheet and one closing the screen.
#include "widgets/Screen.h"

class DBGrid;
class DataSource;
class QGroupBox;
class QPushButton;
class ResultSet;
class StatusBar;

struct AlarmLayout {
    QString exportButton; // object name; the exit button is "BitBtn21"
    QString groupTitle;   // the grid sits in "GroupBox1" with this title; none when empty
    bool statusBar;       // "StatusBar1" under the buttons, filled on showing
};

class AlarmScreen : public Screen {
    Q_OBJECT
public:
    DBGrid* DBGrid1;
    ResultSet* ADOQuery1 = nullptr;

protected:
    AlarmScreen(QWidget* parent, const QString& name, const QString& caption, const AlarmLayout& layout);

    // Reads the rows into ADOQuery1, a set the screen owns, shown in the grid.
    void openRows(const QString& sql);
    // Exports ADOQuery1 under the exporting screen's name (once the rows are read).
    void exportRows(const QString& screenClass);

    QGroupBox* m_group = nullptr;
    QPushButton* m_export;
    QPushButton* m_exit;
    StatusBar* m_statusBar = nullptr;

private:
    DataSource* m_source;
};
