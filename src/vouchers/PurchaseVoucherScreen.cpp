#include "vouchers/PurchaseVoucherScreen.h"

TForm9::TForm9(const VoucherContext& context, QWidget* parent)
    : VoucherLineDialog(purchaseKind(), context, parent)
{
}

TForm10::TForm10(const VoucherContext& context, QWidget* parent)
    : VoucherMoneyDialog(purchaseKind(), context, parent)
{
}

TForm8::TForm8(QWidget* parent)
    : VoucherScreen(purchaseKind(), parent)
{
    FormShow();
}

QDialog* TForm8::createLineDialog(const VoucherContext& context)
{
    return new TForm9(context, this);
}

QDialog* TForm8::createMoneyDialog(const VoucherContext& context)
{
    return new TForm10(context, this);
}
