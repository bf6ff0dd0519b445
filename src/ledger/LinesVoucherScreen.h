#pragma once
// The voucher screen with a lines grid only, shared by the loss and the expense vouchers:
// the header of the header mechanism with its bound boxes, one calendar, the lines grid
// with "新增" and "去除", and the total from the lines.
//
// The description box DBEdit3 stays editable in every state; what is typed there while
// browsing is stored when the screen moves to another voucher or closes.
#include "vouchers/VoucherHeader.h"

enum class BookOutcome;
class DBComboBox;
class DBEdit;
class DBGrid;
class DBText;
class QCalendarWidget;
class QGroupBox;
class QDialog;
class QLabel;

// What one lines-only kind is made of.
struct LinesVoucherTexts {
    QString name;              // TForm16
    QString caption;           // "商品报损登记"
    VoucherHeaderTexts header; // prefix, table, date column, messages
    QString descriptionColumn; // bssm
    QString descriptionCaption;
    QString dateCaption;
    QString groupCaption;      // around the lines grid
    QString lineSaveFirst;
    QString lineFillFirst;
    QList<int> columnWidths;   // of the lines grid
};

class LinesVoucherScreen : public VoucherHeaderScreen {
    Q_OBJECT
public:
    ~LinesVoucherScreen() override;

    ResultSet* lines() const { return m_lines; }

    DBText* DBText1;
    DBEdit* DBEdit3;
    DBComboBox* DBComboBox2;
    DBComboBox* DBComboBox3;
    DBEdit* DBEdit1;
    DBEdit* DBEdit2;
    QCalendarWidget* MonthCalendar1;
    QGroupBox* GroupBox1;
    DBGrid* DBGrid1;
    QPushButton* BitBtn12;
    QPushButton* BitBtn13;
    QLabel* Label3;

    void Refresh() override;
    void BitBtn12Click();
    void BitBtn13Click();

    void done(int result) override;

protected:
    LinesVoucherScreen(const LinesVoucherTexts& texts, QWidget* parent);

    void fillLists() override;
    virtual QString totalSql(const QString& voucher) const = 0;
    virtual QString linesSql(const QString& voucher) const = 0;
    // Opens the line dialog for the current voucher; the screen refreshes afterwards.
    virtual void addLine() = 0;
    // Asks and removes the current row of lines(); the screen refreshes afterwards.
    virtual void removeLine() = 0;

private:
    void buildControls();

    LinesVoucherTexts m_texts;
    ResultSet* m_lines;
    DataSource* DataSource2;
};

// What a line dialog does with a booking's outcome: refusals keep it open with their
// message, a failure is told and closes it, a stored line closes it.
void answerLineBooking(QDialog* dialog, BookOutcome outcome, const QString& duplicate, const QString& failure);
