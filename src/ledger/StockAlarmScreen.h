#pragma once
// TForm32 "库存商品报警": articles at or below their lower stock limit.
#include "reports/QueryScreen.h"

class TForm32 : public QueryScreen {
    Q_OBJECT
public:
    explicit TForm32(QWidget* parent = nullptr);

    DBGrid* DBGrid1;
    QPushButton* BitBtn20;
    QPushButton* BitBtn21;
    StatusBar* StatusBar1;

    void FormShow() override;
    void BitBtn20Click();
};
