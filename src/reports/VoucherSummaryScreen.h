#pragma once
// TForm22 "费用支出汇总" and TForm31 "报损商品汇总": the expense or loss vouchers of a date
// range, optionally only those with a line of one category, and their total. One screen,
// driven by a row per voucher kind.
#include "reports/QueryScreen.h"

struct VoucherSummaryKind {
    QString name;           // "Form22"
    QString caption;
    QString categoryLabel;  // in front of ComboBox1
    QString resultTitle;    // GroupBox1
    QString layout;         // export layout
    QString categoryList;
    QString total;          // "select sum(zcje) from J_zcb"
    QString list;           // line 1 of the list
    QString dateColumn;     // zcrq, on header and lines alike
    QString lineTable;      // J_zcmxb
    QString categoryColumn; // zclb
    bool quotedTotal;       // the total without a category writes its dates between single quotes
};

class VoucherSummaryScreen : public QueryScreen {
    Q_OBJECT
public:
    QGroupBox* GroupBox2;
    QDateEdit* DateTimePicker1;
    QDateEdit* DateTimePicker2;
    QComboBox* ComboBox1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;
    QGroupBox* GroupBox1;
    DBGrid* DBGrid1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label9;
    QLabel* Label10;
    StatusBar* StatusBar1;

    void FormShow() override;
    void BitBtn1Click();
    void BitBtn4Click();

protected:
    VoucherSummaryScreen(QWidget* parent, const VoucherSummaryKind& kind);

private:
    const VoucherSummaryKind& m_kind;
};

class TForm22 : public VoucherSummaryScreen {
    Q_OBJECT
public:
    explicit TForm22(QWidget* parent = nullptr);
};

class TForm31 : public VoucherSummaryScreen {
    Q_OBJECT
public:
    explicit TForm31(QWidget* parent = nullptr);
};
