#pragma once
// TForm16 "商品报损登记": loss vouchers, whose lines lower the stock; TForm17 "报损商品信息"
// adds one line.
#include "ledger/LinesVoucherScreen.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// What the line dialog takes from the loss screen.
struct LossLineContext {
    QString voucher;
    QString dateText;    // the date box
    QString description; // 报损说明
};

class TForm17 : public QDialog {
    Q_OBJECT
public:
    TForm17(const LossLineContext& context, QWidget* parent);

    QComboBox* ComboBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* BitBtn14;
    QLineEdit* Edit3;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QLineEdit* Edit9;
    QLineEdit* Edit10;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void Edit1Exit();
    void BitBtn14Click();
    void BitBtn1Click();

private:
    LossLineContext m_context;
};

class TForm16 : public LinesVoucherScreen {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);

protected:
    QString totalSql(const QString& voucher) const override;
    QString linesSql(const QString& voucher) const override;
    void addLine() override;
    void removeLine() override;
};
