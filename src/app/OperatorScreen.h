#pragma once
// TForm36 "操作员与密码设置": renames the operator and sets a new password.
#include "widgets/Screen.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm36 : public Screen {
    Q_OBJECT
public:
    explicit TForm36(QWidget* parent = nullptr);

    QLabel* Label1;
    QComboBox* ComboBox1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QLineEdit* Edit2;
    QLabel* Label3;
    QLineEdit* Edit3;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void FormShow() override;
    void ComboBox1Change();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    bool saveOperator();
};
