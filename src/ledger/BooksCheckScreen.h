#pragma once
// TForm58 "账目核对": every place where the books disagree with themselves, read only.
#include "reports/QueryScreen.h"

class QLabel;

class TForm58 : public QueryScreen {
    Q_OBJECT
public:
    explicit TForm58(QWidget* parent = nullptr);

    QLabel* Label1; // "账目核对无误", or how many places disagree
    DBGrid* DBGrid1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    StatusBar* StatusBar1;

    void FormShow() override;
    void BitBtn1Click();
};
