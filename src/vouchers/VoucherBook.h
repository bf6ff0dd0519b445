#pragma once
// Booking on a voucher: storing and removing goods lines and money rows, each in one
// transaction, and the figures a voucher screen shows. No windows here: the dialogs and
// screens show the messages that the outcomes call for.
#include "vouchers/VoucherKind.h"

#include <QDate>
#include <QString>

class Database;

// A goods line as the line dialog holds it.
struct LineEntry {
    QString voucher;      // pzh
    QString code;         // article code box
    QString unit;         // unit box
    QString priceText;    // as typed
    QString quantityText; // as typed
    QString category;     // the voucher screen's category box text
    QString partner;      // its partner box text
    QString dateText;     // its voucher date box text
};

enum class LineOutcome {
    Ignored,   // code empty, or price or quantity typed exactly "0": nothing happens, dialog stays
    NoArticle, // no such article: nothing written, dialog closes without a message
    Duplicate, // the article is already on the voucher: nothing written, dialog stays
    Negative,  // a price or quantity below zero: nothing written, dialog stays
    Stored,
    Failed,    // rolled back: nothing written, dialog shows the failure and closes
};

// Stores one line: article stock and (for purchases) moving-average cost, the line with its
// snapshots, and the due total set from the voucher's lines. Price and quantity are stored
// to the cent and those stored figures drive stock, cost and total. For goods out a price or
// quantity that is not a number throws ConversionError before anything is read or written.
LineOutcome storeLine(const VoucherKind& kind, const LineEntry& entry, Database& db);

// A money row as the money dialog holds it.
struct MoneyEntry {
    QString voucher;
    QString partner;     // the voucher screen's partner box text
    QString document;    // dh
    QString category;
    QString method;      // jsfs
    QString amountText;  // as typed
    QString person;
    QDate date;
    QString remark;
};

enum class MoneyOutcome {
    Ignored,   // document number empty or exactly "0": dialog stays
    Duplicate, // the document number is already on the voucher: dialog stays
    Negative,  // an amount below zero: nothing written, dialog stays
    Stored,
    Failed,    // rolled back: dialog shows the kind's money failure and closes
};

// Stores one money row: the cash balance, the row with its snapshot and the settled total
// set from the voucher's money rows. The amount is stored to the cent. An amount that is not
// a number throws ConversionError before anything is written.
MoneyOutcome storeMoney(const VoucherKind& kind, const MoneyEntry& entry, Database& db);

// Removes the voucher's lines of one article, reversing the stock by the quantity (and for
// purchases the cost, where the average allows) and setting the due total from the lines
// left. False when it failed and was rolled back.
bool removeLine(const VoucherKind& kind, const QString& voucher, const QString& code, double price,
                double quantity, Database& db);
// Removes the voucher's money rows with one document number, reversing the cash by the
// amount and setting the settled total from the rows left. False when it failed and was
// rolled back.
bool removeMoney(const VoucherKind& kind, const QString& voucher, const QString& document, double amount,
                 Database& db);

// The SQL of a voucher screen's refresh.
QString dueFigureSql(const VoucherKind& kind, const QString& voucher);
QString linesSql(const VoucherKind& kind, const QString& voucher);
QString settledFigureSql(const VoucherKind& kind, const QString& voucher);
QString moneySql(const VoucherKind& kind, const QString& voucher);

// A sum query's value after two-decimal rounding; 0 when it has no row or a null sum.
double sumFigure(const QString& sql, Database& db);
