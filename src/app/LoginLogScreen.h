#pragma once
// TForm56 "查询日志": the logins of one operator over a range of days.
#include "widgets/Screen.h"

class DBGrid;
class DataSource;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class ResultSet;

class TForm56 : public Screen {
    Q_OBJECT
public:
    explicit TForm56(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QDateEdit* DateTimePicker1;
    QLabel* Label2;
    QDateEdit* DateTimePicker2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    DBGrid* DBGrid1;
    ResultSet* ADOQuery1 = nullptr;

    void FormShow() override;
    void BitBtn1Click();
    void BitBtn2Click();

private:
    DataSource* m_source;
};
