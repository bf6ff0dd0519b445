#pragma once
// The trade voucher screen shared by the four kinds: the header of the header mechanism
// with its bound boxes, the lines and money tabs and the three figures.
#include "vouchers/VoucherHeader.h"
#include "vouchers/VoucherKind.h"

class DBCheckBox;
class DBComboBox;
class DBEdit;
class DBGrid;
class DBText;
class QCalendarWidget;
class QDialog;
class QLabel;
class QTabWidget;

// What a line or money dialog takes from its voucher screen.
struct VoucherContext {
    QString voucher;
    QString category;
    QString partner;
    QString dateText;
};

class VoucherScreen : public VoucherHeaderScreen {
    Q_OBJECT
public:
    using DialogFactory = QDialog* (*)(const VoucherContext& context, QWidget* parent);
    struct Dialogs {
        DialogFactory line;
        DialogFactory money;
    };
    template <class Line, class Money>
    static Dialogs dialogs()
    {
        return {[](const VoucherContext& c, QWidget* p) -> QDialog* { return new Line(c, p); },
                [](const VoucherContext& c, QWidget* p) -> QDialog* { return new Money(c, p); }};
    }

    VoucherScreen(const VoucherKind& kind, Dialogs dialogs, QWidget* parent);
    ~VoucherScreen() override;

    const VoucherKind& kind() const { return m_kind; }
    ResultSet* lines() const { return m_lines; }
    ResultSet* money() const { return m_money; }
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
    QCalendarWidget* MonthCalendar1;
    QCalendarWidget* MonthCalendar2;

    void Refresh() override;
    void BitBtn8Click() override;
    void BitBtn10Click();
    void BitBtn11Click();
    void BitBtn12Click();
    void BitBtn13Click();

protected:
    void fillLists() override;
    void fillNewHeader(ResultSet& header, const QDate& today) override;
    QStringList dayColumns() const override;

private:
    void buildControls();
    // The header's list boxes show their longest names whole, as far as the window allows.
    void fitHeaderBoxes();
    void refreshLines();
    void refreshMoney();
    void openDialog(DialogFactory factory);

    const VoucherKind& m_kind;
    Dialogs m_dialogs;
    ResultSet* m_lines;
    ResultSet* m_money;
    DataSource* DataSource2;
    DataSource* DataSource3;
};
