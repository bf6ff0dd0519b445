#pragma once
// TForm50 "注册流动资金": registers the opening cash balance while it stands at zero.
#include "widgets/Screen.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TForm50 : public Screen {
    Q_OBJECT
public:
    explicit TForm50(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QPushButton* BitBtn1;

    void FormShow() override;
    void BitBtn1Click();
};
