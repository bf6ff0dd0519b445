#pragma once
// TForm16 "商品报损登记": loss vouchers, whose lines lower the stock; TForm17 "报损商品信息"
// adds one line.
#include "ledger/LinesVoucherScreen.h"
#include "vouchers/ArticleLineDialog.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// What the line dialog takes from the loss screen.
struct LossLineContext {
    QString voucher;
    QString dateText;    // the date box
    QString description; // 报损说明
};

class TForm17 : public ArticleLineDialog {
    Q_OBJECT
public:
    TForm17(const LossLineContext& context, QWidget* parent);

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
