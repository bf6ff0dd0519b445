#pragma once
// TForm44 "欠费客户报警提示（应收款）": debtors whose settlement date has come.
#include "reports/QueryScreen.h"

class TForm44 : public QueryScreen {
    Q_OBJECT
public:
    explicit TForm44(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    DBGrid* DBGrid1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn21;

    void FormShow() override;
    void BitBtn1Click();
};
