#pragma once
// What one kind of trade voucher is made of. The screen, the line and money dialogs, the
// booking and the printed voucher each exist once and read a row of this table; a new
// kind is a new row in VoucherKind.cpp.
//
// A row holds only what differs between kinds. What follows from the two directions is
// derived: goods in or out decide the stock category (rklb/J_rklbb or cklb/J_cklbb), the
// lines tab and the printed texts; money out or in decides the due and settled columns
// (yfk/sfk or ysk/ssk), the money columns (fk… or sk…), their list and the money texts.
#include "vouchers/VoucherHeader.h"
#include "vouchers/VoucherPrintLayout.h"

#include <QString>

enum class Flow { In, Out };
// What goods coming in do to the article's cost zxdj: average in at the line's price
// (purchases), or leave it (returned sales come back at what they cost, not what they fetched).
enum class Valuation { Average, Unchanged };


struct VoucherKind {
    struct Tables {
        QString header; // J_cgb
        QString lines;  // J_cgmxb
        QString money;  // J_cgfkb
    };
    // Header columns that the lines and money rows repeat under the same names.
    struct Columns {
        QString freeText; // fph or thyy
        QString partner;  // ghs or ths
        QString person;   // cgy, xsy, jsr
        QString date;     // cgrq, xsrq, thrq
    };
    struct Form {
        QString name;     // TForm8
        QString caption;
        int width;
        int height;
    };
    struct Forms {
        Form screen;
        Form line;
        Form money;
    };
    // Captions that are the kind's own (the rest are shared or follow the directions).
    struct Captions {
        QString freeText;
        QString partner;
        QString person;
        QString date;
        QString balance;     // the money dialog's "帐面金额"
        QString moneyRemark; // the money dialog's "备注"
    };
    struct Messages {
        QString postFailure;
        QString findCaption;
        QString findPrompt;
        QString notFound;
        QString lineSaveFirst;
        QString lineFillFirst;
        QString moneySaveFirst;
        QString moneyFillFirst;
    };
    enum class PickPrice { Cost, MarkedUp };
    struct Picker {
        int mode;        // goodsPickMode while the goods list is open for this line dialog
        PickPrice price; // the picked price: cost zxdj, or cost × (1 + profit rate)
    };
    struct Lists {
        QString partnerRole;   // offered partners have this in J_khb.lb1
        bool allEmployees;     // handler and approver from every employee, not just 综合部门
    };

    QString prefix;
    Flow goods;
    Flow money;
    Valuation valuation;
    Tables tables;
    Columns columns;
    Lists lists;
    Forms forms;
    Captions captions;
    Messages messages;
    Picker picker;

    // Derived from the goods direction.
    QString categoryColumn() const;  // rklb / cklb
    QString categoryListSql() const;
    QString categoryCaption() const; // "入库类别   " / "出库类别   "
    QString linesTabCaption() const;
    const VoucherPrintTexts& print() const;

    // Derived from the money direction.
    QString dueColumn() const;       // yfk / ysk
    QString settledColumn() const;   // sfk / ssk
    QString moneyWord() const;       // 付款 / 收款: money grid titles are it + 类别/金额/人/日期
    QString moneyCategoryColumn() const;
    QString moneyAmountColumn() const;
    QString moneyPersonColumn() const;
    QString moneyDateColumn() const;
    QString moneyCategoryListSql() const;
    QString moneyTabCaption() const;
    QString dueCaption() const;
    QString settledCaption() const;
    QString moneyFailure() const;

    QString partnerListSql() const;
    QString personListSql() const;
    VoucherHeaderTexts headerTexts() const;
};

// The rows.
const VoucherKind& purchaseKind();       // CG, TForm8
const VoucherKind& salesKind();          // XS, TForm11
const VoucherKind& purchaseReturnKind(); // CT, TForm14
const VoucherKind& salesReturnKind();    // XT, TForm15
// Every kind, purchase first.
const QList<const VoucherKind*>& voucherKinds();
// The kind of a voucher number prefix ("CG"); nullptr for none.
const VoucherKind* voucherKindOfPrefix(const QString& prefix);
