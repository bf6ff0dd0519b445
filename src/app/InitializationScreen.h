#pragma once
// TForm53 "系统初始化": drops and re-creates every table with its seed rows.
#include "widgets/Screen.h"

class QLabel;
class QPushButton;

class TForm53 : public Screen {
    Q_OBJECT
public:
    explicit TForm53(QWidget* parent = nullptr);

    QLabel* Label1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void BitBtn1Click();
    void BitBtn2Click();
};
