#pragma once
// Booking on loss and expense vouchers: storing and removing a loss line (stock) or an
// expense line (cash), each in one transaction. No windows here: the dialogs and screens
// show the messages that the outcomes call for.
//
// Price, quantity and amount are kept to the cent as stored, and the voucher's amount is
// set afresh from its stored lines after every change, so it always equals them.
#include <QDate>
#include <QString>

class Database;

// A loss line as the line dialog holds it.
struct LossLineEntry {
    QString voucher;      // pzh
    QString code;         // article code box
    QString unit;         // unit box
    QString priceText;    // as typed
    QString quantityText; // as typed
    QString category;     // loss category box
    QString dateText;     // the loss screen's date box
    QString description;  // the loss screen's 报损说明, repeated on the line
};

enum class BookOutcome {
    Ignored,   // guard not met: nothing happens, the dialog stays
    Negative,  // a negative price, quantity or amount: refused, the dialog stays
    NoArticle, // no such article: nothing written, the dialog closes without a message
    Duplicate, // the article or document number is already on the voucher: the dialog stays
    Stored,
    Failed,    // rolled back: nothing written, the dialog shows the failure and closes
};

// Lowers the article's stock by the quantity and stores the line with the article's cost
// and new stock as its snapshots. A price or quantity that is not a number throws
// ConversionError before anything is read or written.
BookOutcome storeLossLine(const LossLineEntry& entry, Database& db);
// Removes the voucher's line of one article and gives its quantity back to the stock.
// False when it failed and was rolled back.
bool removeLossLine(const QString& voucher, const QString& code, double quantity, Database& db);

// An expense line as the expense dialog holds it.
struct ExpenseEntry {
    QString voucher;
    QString document;   // dh
    QString category;   // zclb
    QString amountText; // as typed
    QDate date;
    QString description;
    QString remark;
};

// Lowers the cash balance by the amount and stores the line with the new balance as its
// snapshot. An amount that is not a number throws ConversionError before anything is written.
BookOutcome storeExpense(const ExpenseEntry& entry, Database& db);
// Removes the voucher's line with one document number and gives its amount back to the cash.
bool removeExpense(const QString& voucher, const QString& document, double amount, Database& db);

// The SQL of the two screens' refresh.
QString lossTotalSql(const QString& voucher);
QString lossLinesSql(const QString& voucher);
QString expenseTotalSql(const QString& voucher);
QString expenseLinesSql(const QString& voucher);
