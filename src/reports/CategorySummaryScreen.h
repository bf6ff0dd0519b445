#pragma once
// TForm57 "商品进、销、类别汇总": the value of every goods movement of a date range per
// movement category (stock-in, stock-out and loss categories), gathered in J_sptmp.
#include "reports/QueryScreen.h"

class TForm57 : public QueryScreen {
    Q_OBJECT
public:
    explicit TForm57(QWidget* parent = nullptr);

    QDateEdit* DateTimePicker1;
    QDateEdit* DateTimePicker2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn3;
    DBGrid* DBGrid1;
    StatusBar* StatusBar1;

    void FormShow() override;
    void BitBtn1Click();
};
