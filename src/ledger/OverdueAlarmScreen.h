#pragma once
// TForm44 "欠费客户报警提示（应收款）": debtors whose settlement date has come.
#include "widgets/Screen.h"

class DBGrid;
class DataSource;
class QGroupBox;
class QPushButton;
class ResultSet;

class TForm44 : public Screen {
    Q_OBJECT
public:
    explicit TForm44(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    DBGrid* DBGrid1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn21;
    ResultSet* ADOQuery1 = nullptr;

    void FormShow() override;
    void BitBtn1Click();
    void BitBtn21Click();

private:
    DataSource* m_source;
};
