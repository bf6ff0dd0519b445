#include "ledger/LossExpenseBook.h"

#include "db/BookingStatements.h"
#include "db/Database.h"
#include "db/SqlText.h"

namespace {

const QString kLossLines = QStringLiteral("J_bsmxb");
const QString kExpenseLines = QStringLiteral("J_zcmxb");

// The voucher date of a line: the day alone, whatever time the box may show. A text that
// is no date is handed on for the column to refuse.
QVariant dayOf(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    const QDateTime dt = parseDateText(text.trimmed());
    return dt.isValid() ? QVariant(dt.date()) : QVariant(text);
}

// The voucher's amount set from its stored lines, so it never drifts from them.
void resetLossTotal(Database& db, const QString& voucher)
{
    booking::setTotal(db, QStringLiteral("J_bsb"), QStringLiteral("bsje"), voucher,
                      round2(booking::sumOf(db, kLossLines, QStringLiteral("dj*sl"), voucher)));
}

void resetExpenseTotal(Database& db, const QString& voucher)
{
    booking::setTotal(db, QStringLiteral("J_zcb"), QStringLiteral("zcje"), voucher,
                      round2(booking::sumOf(db, kExpenseLines, QStringLiteral("zcje"), voucher)));
}

} // namespace

BookOutcome storeLossLine(const LossLineEntry& e, Database& db)
{
    // Only the exact text "0" is refused; "0.0" or "00" pass.
    if (e.code.isEmpty() || e.priceText == QLatin1String("0") || e.quantityText == QLatin1String("0"))
        return BookOutcome::Ignored;
    const double price = round2(toNumber(e.priceText));
    const double quantity = round2(toNumber(e.quantityText));
    if (price < 0 || quantity < 0)
        return BookOutcome::Negative;

    try {
        Transaction t(db);
        const std::optional<booking::Article> article = booking::article(db, e.code);
        if (!article)
            return BookOutcome::NoArticle;
        // One line per article: removal takes away every line of the code.
        if (booking::hasRow(db, kLossLines, e.voucher, QStringLiteral("spdm"), e.code))
            return BookOutcome::Duplicate;
        const double stock = round2(article->stock - quantity);
        booking::setStock(db, e.code, stock);
        // The remaining stock keeps the article's cost: a loss does not revalue it.
        booking::insertRow(db, kLossLines,
                           {{QStringLiteral("pzh"), e.voucher},
                            {QStringLiteral("spdm"), e.code},
                            {QStringLiteral("bslb"), e.category},
                            {QStringLiteral("dw"), e.unit},
                            {QStringLiteral("dj"), price},
                            {QStringLiteral("sl"), quantity},
                            {QStringLiteral("bsrq"), dayOf(e.dateText)},
                            {QStringLiteral("jcdj"), article->cost},
                            {QStringLiteral("jcsl"), stock},
                            {QStringLiteral("bssm"), e.description}});
        resetLossTotal(db, e.voucher);
        t.commit();
    } catch (const AppError&) {
        return BookOutcome::Failed;
    }
    return BookOutcome::Stored;
}

bool removeLossLine(const QString& voucher, const QString& code, double quantity, Database& db)
{
    try {
        Transaction t(db);
        booking::adjustStock(db, code, quantity);
        booking::deleteRows(db, kLossLines, voucher, QStringLiteral("spdm"), code);
        resetLossTotal(db, voucher);
        t.commit();
    } catch (const AppError&) {
        return false;
    }
    return true;
}

BookOutcome storeExpense(const ExpenseEntry& e, Database& db)
{
    if (e.document.isEmpty() || e.amountText == QLatin1String("0"))
        return BookOutcome::Ignored;
    const double amount = round2(toNumber(e.amountText));
    if (amount < 0)
        return BookOutcome::Negative;

    try {
        Transaction t(db);
        // One line per document number: removal takes away every line of the number.
        if (booking::hasRow(db, kExpenseLines, e.voucher, QStringLiteral("dh"), e.document))
            return BookOutcome::Duplicate;
        const double balance = round2(booking::cash(db) - amount);
        booking::setCash(db, balance);
        booking::insertRow(db, kExpenseLines,
                           {{QStringLiteral("pzh"), e.voucher},
                            {QStringLiteral("dh"), e.document},
                            {QStringLiteral("zclb"), e.category},
                            {QStringLiteral("zcje"), amount},
                            {QStringLiteral("zcrq"), e.date},
                            {QStringLiteral("zcsm"), e.description},
                            {QStringLiteral("jcje"), balance},
                            {QStringLiteral("bz"), e.remark}});
        resetExpenseTotal(db, e.voucher);
        t.commit();
    } catch (const AppError&) {
        return BookOutcome::Failed;
    }
    return BookOutcome::Stored;
}

bool removeExpense(const QString& voucher, const QString& document, double amount, Database& db)
{
    try {
        Transaction t(db);
        booking::adjustCash(db, amount);
        booking::deleteRows(db, kExpenseLines, voucher, QStringLiteral("dh"), document);
        resetExpenseTotal(db, voucher);
        t.commit();
    } catch (const AppError&) {
        return false;
    }
    return true;
}

QString lossTotalSql(const QString& voucher)
{
    return QStringLiteral("select sum(dj*sl) as zje from J_bsmxb where pzh=") + quoted(voucher);
}

QString lossLinesSql(const QString& voucher)
{
    return QStringLiteral("select J_bsmxb.spdm as 商品代码,J_spb.spmc as 商品名称,J_bsmxb.dw as 单位,J_bsmxb.dj as 单价,\n"
                          "J_bsmxb.sl as 数量,J_bsmxb.dj*J_bsmxb.sl as 金额 from J_bsmxb,J_spb where "
                          "J_spb.spdm=J_bsmxb.spdm and pzh=")
        + quoted(voucher) + QStringLiteral("\norder by j_bsmxb.spdm");
}

QString expenseTotalSql(const QString& voucher)
{
    return QStringLiteral("select sum(zcje) as zje from J_zcmxb where pzh=") + quoted(voucher);
}

QString expenseLinesSql(const QString& voucher)
{
    return QStringLiteral("select dh as 单号,zclb as 支出类别,zcje as 支出金额,zcrq as 支出日期,zcsm as 支出说明,bz as 备注\n"
                          "from J_zcmxb where pzh=")
        + quoted(voucher) + QStringLiteral(" order by zcrq");
}
