#pragma once
// The four trade voucher screens with their line and money dialogs: each is the shared
// screen or dialog over its kind's row (VoucherKind.cpp).
#include "vouchers/VoucherDialogs.h"
#include "vouchers/VoucherScreen.h"

// TForm8 "采购商品入库"
class TForm9 : public VoucherLineDialog {
    Q_OBJECT
public:
    TForm9(const VoucherContext& context, QWidget* parent) : VoucherLineDialog(purchaseKind(), context, parent) {}
};
class TForm10 : public VoucherMoneyDialog {
    Q_OBJECT
public:
    TForm10(const VoucherContext& context, QWidget* parent) : VoucherMoneyDialog(purchaseKind(), context, parent) {}
};
class TForm8 : public VoucherScreen {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr) : VoucherScreen(purchaseKind(), dialogs<TForm9, TForm10>(), parent) {}
};

// TForm11 "销售商品出库"
class TForm12 : public VoucherLineDialog {
    Q_OBJECT
public:
    TForm12(const VoucherContext& context, QWidget* parent) : VoucherLineDialog(salesKind(), context, parent) {}
};
class TForm13 : public VoucherMoneyDialog {
    Q_OBJECT
public:
    TForm13(const VoucherContext& context, QWidget* parent) : VoucherMoneyDialog(salesKind(), context, parent) {}
};
class TForm11 : public VoucherScreen {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr) : VoucherScreen(salesKind(), dialogs<TForm12, TForm13>(), parent) {}
};

// TForm14 "采购商品退货出库"
class TForm25 : public VoucherLineDialog {
    Q_OBJECT
public:
    TForm25(const VoucherContext& context, QWidget* parent) : VoucherLineDialog(purchaseReturnKind(), context, parent) {}
};
class TForm26 : public VoucherMoneyDialog {
    Q_OBJECT
public:
    TForm26(const VoucherContext& context, QWidget* parent) : VoucherMoneyDialog(purchaseReturnKind(), context, parent) {}
};
class TForm14 : public VoucherScreen {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr) : VoucherScreen(purchaseReturnKind(), dialogs<TForm25, TForm26>(), parent) {}
};

// TForm15 "销售商品退货入库"
class TForm27 : public VoucherLineDialog {
    Q_OBJECT
public:
    TForm27(const VoucherContext& context, QWidget* parent) : VoucherLineDialog(salesReturnKind(), context, parent) {}
};
class TForm28 : public VoucherMoneyDialog {
    Q_OBJECT
public:
    TForm28(const VoucherContext& context, QWidget* parent) : VoucherMoneyDialog(salesReturnKind(), context, parent) {}
};
class TForm15 : public VoucherScreen {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr) : VoucherScreen(salesReturnKind(), dialogs<TForm27, TForm28>(), parent) {}
};
