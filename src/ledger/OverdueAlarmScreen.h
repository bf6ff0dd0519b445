#pragma once
// TForm44 "欠费客户报警提示（应收款）": debtors whose settlement date has come.
#include <QDialog>

class DBGrid;
class DataSource;
class QGroupBox;
class QPushButton;
class ResultSet;

class TForm44 : public QDialog {
    Q_OBJECT
public:
    explicit TForm44(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    DBGrid* DBGrid1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn21;
    ResultSet* ADOQuery1 = nullptr;

    void FormShow();
    void BitBtn1Click();
    void BitBtn21Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    DataSource* m_source;
    bool m_shown = false;
};
