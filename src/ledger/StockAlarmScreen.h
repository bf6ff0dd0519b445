#pragma once
// TForm32 "库存商品报警": articles at or below their lower stock limit.
#include "widgets/Screen.h"

class DBGrid;
class DataSource;
class QPushButton;
class ResultSet;
class StatusBar;

class TForm32 : public Screen {
    Q_OBJECT
public:
    explicit TForm32(QWidget* parent = nullptr);

    DBGrid* DBGrid1;
    QPushButton* BitBtn20;
    QPushButton* BitBtn21;
    StatusBar* StatusBar1;
    ResultSet* ADOQuery1 = nullptr;

    void FormShow() override;
    void BitBtn20Click();
    void BitBtn21Click();

private:
    DataSource* m_source;
};
