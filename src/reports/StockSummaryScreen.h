#pragma once
// TForm54 "入库汇总查询" and TForm55 "出库汇总查询": the trade vouchers of a date range for
// a partner, a category or both, as headers, goods summed per price, or every line, with
// the total voucher amount. One screen, driven by a row per direction.
#include "reports/QueryScreen.h"

class QRadioButton;

struct StockSummaryKind {
    QString name;           // "Form54"
    QString caption;
    QString categoryLabel;  // in front of ComboBox2
    QString layout;         // export layout
    QString categoryList;
    QString partnerList;
    QString total;          // "select sum(yfk) from J_cgb"
    QString dateColumn;     // cgrq
    QString categoryColumn; // rklb
    QString lineTable;      // J_cgmxb
    bool quotedPartnerTotal; // the partner-only total writes its dates between single quotes
    QString headers;        // "主单据" with a partner chosen
    QString headersWithPartner; // "主单据" by category only: the partner is a column
    QString summaryLine1;
    QString summaryLine3;
    QString detailLine1;
};

class StockSummaryScreen : public QueryScreen {
    Q_OBJECT
public:
    QGroupBox* GroupBox2;
    QDateEdit* DateTimePicker1;
    QDateEdit* DateTimePicker2;
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QGroupBox* GroupBox3;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QGroupBox* GroupBox1;
    DBGrid* DBGrid1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label8;
    QLabel* Label9;
    QPushButton* BitBtn1;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;
    StatusBar* StatusBar1;

    void FormShow() override;
    void BitBtn1Click();
    void BitBtn4Click();

protected:
    StockSummaryScreen(QWidget* parent, const StockSummaryKind& kind);

private:
    int checkedKind() const;
    const StockSummaryKind& m_kind;
};

class TForm54 : public StockSummaryScreen {
    Q_OBJECT
public:
    explicit TForm54(QWidget* parent = nullptr);
};

class TForm55 : public StockSummaryScreen {
    Q_OBJECT
public:
    explicit TForm55(QWidget* parent = nullptr);
};
