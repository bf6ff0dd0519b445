#pragma once
// TForm8 "采购商品入库" with its line dialog TForm9 and payment dialog TForm10.
#include "vouchers/VoucherDialogs.h"
#include "vouchers/VoucherScreen.h"

class TForm9 : public VoucherLineDialog {
    Q_OBJECT
public:
    TForm9(const VoucherContext& context, QWidget* parent);
};

class TForm10 : public VoucherMoneyDialog {
    Q_OBJECT
public:
    TForm10(const VoucherContext& context, QWidget* parent);
};

class TForm8 : public VoucherScreen {
    Q_OBJECT
public:
    // Opens the purchase headers and shows the first voucher.
    explicit TForm8(QWidget* parent = nullptr);

protected:
    QDialog* createLineDialog(const VoucherContext& context) override;
    QDialog* createMoneyDialog(const VoucherContext& context) override;
};
