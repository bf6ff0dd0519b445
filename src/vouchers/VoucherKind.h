#pragma once
// What one kind of trade voucher is made of: its tables, columns, directions and texts.
// The voucher screens, line dialogs and money dialogs are one mechanism driven by a row
// of this table; a new kind is a new row.
#include <QString>

struct VoucherKind {
    // Numbers and tables.
    QString prefix;         // "CG"
    QString headerTable;    // J_cgb
    QString lineTable;      // J_cgmxb
    QString moneyTable;     // J_cgfkb

    // Header columns (the same names are used in the lines and money rows).
    QString freeTextColumn; // fph
    QString categoryColumn; // rklb
    QString partnerColumn;  // ghs
    QString personColumn;   // cgy
    QString dateColumn;     // cgrq
    QString dueColumn;      // yfk
    QString settledColumn;  // sfk

    // Money row columns.
    QString moneyCategoryColumn; // fklb
    QString moneyAmountColumn;   // fkje
    QString moneyPersonColumn;   // fkr
    QString moneyDateColumn;     // fkrq
    QString moneyWord;           // "付款": the money grid's titles are this word + 类别/金额/人/日期

    // Directions: goods in raise stock and revalue it; money out lowers the cash.
    bool goodsIn = true;
    bool moneyOut = true;

    // Lists of the header boxes and of the money dialog.
    QString categoryListSql;
    QString partnerListSql;
    QString personListSql;
    QString moneyCategoryListSql;

    // Screen.
    QString screenClass;      // TForm8
    QString screenCaption;    // 采购商品入库
    QString freeTextCaption;
    QString categoryCaption;
    QString partnerCaption;
    QString personCaption;
    QString dateCaption;
    QString linesTabCaption;
    QString moneyTabCaption;
    QString dueCaption;
    QString settledCaption;

    // Messages of the screen.
    QString postFailure;
    QString findCaption;
    QString findPrompt;
    QString notFound;
    QString lineSaveFirst;
    QString lineFillFirst;
    QString moneySaveFirst;
    QString moneyFillFirst;

    // Line dialog.
    QString lineDialogClass;   // TForm9
    QString lineDialogCaption;
    int lineDialogHeight = 180;
    int goodsPickMode = 1;

    // Money dialog.
    QString moneyDialogClass;  // TForm10
    QString moneyDialogCaption;
    int moneyDialogWidth = 431;
    int moneyDialogHeight = 140;
    QString moneyCategoryCaption;
    QString balanceCaption;
    QString amountCaption;
    QString moneyPersonCaption;
    QString moneyDateCaption;
    QString moneyRemarkCaption;
    QString moneyFailure;
};

// The kinds, purchase receipt first.
const VoucherKind& purchaseKind();
// The kind of a voucher number prefix ("CG"); nullptr for none.
const VoucherKind* voucherKindOfPrefix(const QString& prefix);
