#pragma once
// The voucher screen shared by the trade voucher kinds: header table with bound boxes,
// the lines and money tabs, the three figures, and the browsing/adding/editing states.
#include "vouchers/VoucherKind.h"

#include <QDialog>

class DataSource;
class DBCheckBox;
class DBComboBox;
class DBEdit;
class DBGrid;
class DBText;
class QCalendarWidget;
class QLabel;
class QPushButton;
class QTabWidget;
class ResultSet;
class StatusBar;

// What a line or money dialog takes from its voucher screen.
struct VoucherContext {
    QString voucher;
    QString category;
    QString partner;
    QString dateText;
};

class VoucherScreen : public QDialog {
    Q_OBJECT
public:
    enum class HeaderState { Browsing, Adding, Editing };

    VoucherScreen(const VoucherKind& kind, QWidget* parent);
    ~VoucherScreen() override;

    const VoucherKind& kind() const { return m_kind; }
    HeaderState headerState() const { return m_state; }
    ResultSet* header() const { return m_header; }
    ResultSet* lines() const { return m_lines; }
    ResultSet* money() const { return m_money; }
    // The current voucher number, as DBText1 shows it; empty when there is none.
    QString currentNumber() const;
    VoucherContext context() const;

    DBText* DBText1;
    DBEdit* DBEdit1;
    DBComboBox* DBComboBox1;
    DBComboBox* DBComboBox2;
    DBComboBox* DBComboBox3;
    DBComboBox* DBComboBox4;
    DBEdit* DBEdit2;
    DBEdit* DBEdit3;
    DBEdit* DBEdit4;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    DBGrid* DBGrid1;
    DBGrid* DBGrid2;
    QPushButton* BitBtn10;
    QPushButton* BitBtn11;
    QPushButton* BitBtn12;
    QPushButton* BitBtn13;
    QLabel* Label15;
    QLabel* Label18;
    QLabel* Label20;
    DBCheckBox* DBCheckBox1;
    QPushButton* BitBtn5;
    QPushButton* BitBtn6;
    QPushButton* BitBtn7;
    QPushButton* BitBtn8;
    QPushButton* BitBtn9;
    StatusBar* StatusBar1;
    QCalendarWidget* MonthCalendar1;
    QCalendarWidget* MonthCalendar2;

    void FormShow();
    void Refresh();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void BitBtn10Click();
    void BitBtn11Click();
    void BitBtn12Click();
    void BitBtn13Click();

    void done(int result) override;

protected:
    // The kind's line and money dialogs, created for one use.
    virtual QDialog* createLineDialog(const VoucherContext& context) = 0;
    virtual QDialog* createMoneyDialog(const VoucherContext& context) = 0;

private:
    void buildControls();
    void setHeaderState(HeaderState state);
    void refreshLines();
    void refreshMoney();
    void refreshOutstanding();
    // Guards of the two "新增" buttons; true when the dialog may open.
    bool mayAddRow(const QString& saveFirst, const QString& fillFirst);

    const VoucherKind& m_kind;
    HeaderState m_state = HeaderState::Browsing;
    ResultSet* m_header;
    ResultSet* m_lines;
    ResultSet* m_money;
    DataSource* DataSource1;
    DataSource* DataSource2;
    DataSource* DataSource3;
};
