#pragma once
// TForm3 "基本信息设置": the business's own information and the settlement-method,
// receipt-category and payment-category lists, edited in their grids.
#include "widgets/Screen.h"

class CodeListGroup;
class DBGrid;
class QGroupBox;
class QLineEdit;
class QPushButton;
class StatusBar;

class TForm3 : public Screen {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox3;
    QGroupBox* GroupBox4;
    DBGrid* DBGrid1;
    DBGrid* DBGrid2;
    DBGrid* DBGrid3;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;
    QPushButton* BitBtn6;
    QPushButton* BitBtn7;
    QPushButton* BitBtn8;
    QPushButton* BitBtn9;
    QPushButton* BitBtn10;
    StatusBar* StatusBar1;

    void FormShow() override;
    void FormClose();
    void done(int result) override;

private:
    QLineEdit* companyEdit(int i) const;

    CodeListGroup* m_settlement;
    CodeListGroup* m_receipt;
    CodeListGroup* m_payment;
    bool m_closed = false;
    bool m_loaded = false;
};
