#pragma once
// TForm46 "商品进销日记帐查询": one article's stock movements of a date range.
#include "ledger/JournalScreen.h"

class QLineEdit;

class TForm46 : public JournalScreen {
    Q_OBJECT
public:
    explicit TForm46(QWidget* parent = nullptr);

    QComboBox* ComboBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit4;
    QLineEdit* Edit2;

    void FormShow() override;
    void ComboBox1Change();

protected:
    bool sourceCondition(QString& condition) override;
};
