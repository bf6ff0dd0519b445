#pragma once
// TForm30 "商品出入库价格查询": the purchase and sales prices of one article.
#include "reports/QueryScreen.h"

class QLineEdit;

class TForm30 : public QueryScreen {
    Q_OBJECT
public:
    explicit TForm30(QWidget* parent = nullptr);

    QGroupBox* GroupBox3;
    QComboBox* ComboBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QPushButton* BitBtn1;
    QGroupBox* GroupBox1;
    DBGrid* DBGrid1;
    QGroupBox* GroupBox2;
    DBGrid* DBGrid2;
    ResultSet* ADOQuery2;
    StatusBar* StatusBar1;

    void FormShow() override;
    void ComboBox1Change();
};
