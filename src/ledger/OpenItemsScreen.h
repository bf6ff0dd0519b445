#pragma once
// TForm23 "应付款查询、打印" and TForm24 "应收款查询、打印": the open vouchers of one
// partner with their totals. One screen, driven by a row per direction.
#include "reports/QueryScreen.h"

class QRadioButton;

// The texts of one partner kind (one radio button and its combo box).
struct OpenItemsMode {
    QString radioCaption;
    QString partnerColumn;
    QString listSql;     // the partners with open vouchers
    QString dueSum;      // up to the partner condition
    QString settledSum;
    QString gridLine1;
    QString gridLine2;   // up to the partner condition
};

struct OpenItemsKind {
    QString name;        // "Form23"
    QString caption;
    QString layout;      // export layout, "TForm23"
    QString gridTitle;
    QString dueCaption;
    QString settledCaption;
    OpenItemsMode modes[2];
};

class OpenItemsScreen : public QueryScreen {
    Q_OBJECT
public:
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1;
    QComboBox* ComboBox1;
    QRadioButton* RadioButton2;
    QComboBox* ComboBox2;
    QGroupBox* GroupBox2;
    DBGrid* DBGrid1;
    QGroupBox* GroupBox3;
    QLabel* Label2;
    QLabel* Label8;
    QLabel* Label9;
    QPushButton* BitBtn2;
    QPushButton* BitBtn7;
    StatusBar* StatusBar1;

    void FormShow() override;
    void RadioButton1Enter();
    void RadioButton2Enter();
    void ComboBox1Change();
    void ComboBox2Change();
    void BitBtn2Click();

protected:
    OpenItemsScreen(QWidget* parent, const OpenItemsKind& kind);

private:
    void showPartner(const OpenItemsMode& mode, const QString& partner);
    const OpenItemsKind& m_kind;
};

class TForm23 : public OpenItemsScreen {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);
};

class TForm24 : public OpenItemsScreen {
    Q_OBJECT
public:
    explicit TForm24(QWidget* parent = nullptr);
};
