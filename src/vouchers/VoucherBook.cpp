#include "vouchers/VoucherBook.h"

#include "db/BookingStatements.h"
#include "db/Database.h"
#include "db/SqlText.h"

#include <QDateTime>
#include <optional>

namespace {

// The header totals follow from what is stored: the due total is the rounded sum of the
// lines, the settled total the sum of the money rows. Set after every change, in its
// transaction, they cannot drift from the rows by rounding or by a lost update.
void settleDue(const VoucherKind& kind, const QString& voucher, Database& db)
{
    booking::setTotal(db, kind.tables.header, kind.dueColumn(), voucher,
                      round2(booking::sumOf(db, kind.tables.lines, QStringLiteral("dj*sl"), voucher)));
}

void settlePaid(const VoucherKind& kind, const QString& voucher, Database& db)
{
    booking::setTotal(db, kind.tables.header, kind.settledColumn(), voucher,
                      round2(booking::sumOf(db, kind.tables.money, kind.moneyAmountColumn(), voucher)));
}

// The voucher date of a line, without a time of day, so a date range takes in its last
// day; a text that is no date goes on to the column, which refuses it.
QVariant lineDate(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    const QDateTime dt = parseDateText(text);
    return dt.isValid() ? QVariant(dt.date()) : QVariant(text);
}

// Incoming goods valued into the moving average; onto a stock of 0 or less the old cost
// means nothing and the goods are worth what this line paid.
double averagedCost(const booking::Article& a, double price, double quantity)
{
    if (a.stock <= 0)
        return price;
    return round2((quantity * price + a.cost * a.stock) / (a.stock + quantity));
}

} // namespace

LineOutcome storeLine(const VoucherKind& kind, const LineEntry& e, Database& db)
{
    // Only the exact text "0" is refused; "0.0" or "00" pass.
    if (e.code.isEmpty() || e.priceText == QLatin1String("0") || e.quantityText == QLatin1String("0"))
        return LineOutcome::Ignored;

    const bool in = kind.goods == Flow::In;
    double price = 0;
    double quantity = 0;
    if (!in) {
        // Goods out: a typing error is reported as such and the dialog stays open.
        quantity = toNumber(e.quantityText);
        price = toNumber(e.priceText);
    }

    const std::optional<booking::Article> article = booking::article(db, e.code);
    if (!article)
        return LineOutcome::NoArticle;
    // One line per article: removal takes away every line of the code.
    if (booking::hasRow(db, kind.tables.lines, e.voucher, QStringLiteral("spdm"), e.code))
        return LineOutcome::Duplicate;
    if (in) {
        // Goods in: a typing error is a failure of the whole store.
        if (!isNumber(e.priceText) || !isNumber(e.quantityText))
            return LineOutcome::Failed;
        price = toNumber(e.priceText);
        quantity = toNumber(e.quantityText);
    }
    if (price < 0 || quantity < 0)
        return LineOutcome::Negative;
    // The stored figures are the ones every balance is computed from.
    price = round2(price);
    quantity = round2(quantity);

    try {
        Transaction t(db);
        const bool averaged = in && kind.valuation == Valuation::Average;
        const double cost = averaged ? averagedCost(*article, price, quantity) : article->cost;
        const double stock = round2(in ? article->stock + quantity : article->stock - quantity);
        // One write of the article row: every write runs the row's column rules again.
        if (averaged)
            booking::setCostAndStock(db, e.code, cost, stock);
        else
            booking::setStock(db, e.code, stock);
        booking::insertRow(db, kind.tables.lines,
                           {{QStringLiteral("pzh"), e.voucher},
                            {QStringLiteral("spdm"), e.code},
                            {kind.categoryColumn(), e.category},
                            {kind.columns.partner, e.partner},
                            {QStringLiteral("dw"), e.unit},
                            {QStringLiteral("dj"), price},
                            {QStringLiteral("sl"), quantity},
                            {kind.columns.date, lineDate(e.dateText)},
                            {QStringLiteral("jcdj"), cost},
                            {QStringLiteral("jcsl"), stock}});
        settleDue(kind, e.voucher, db);
        t.commit();
    } catch (const AppError&) {
        return LineOutcome::Failed;
    }
    return LineOutcome::Stored;
}

MoneyOutcome storeMoney(const VoucherKind& kind, const MoneyEntry& e, Database& db)
{
    if (e.document.isEmpty() || e.document == QLatin1String("0"))
        return MoneyOutcome::Ignored;
    const double typed = toNumber(e.amountText);
    if (typed < 0)
        return MoneyOutcome::Negative;
    const double amount = round2(typed);

    // One row per document number: removal takes away every row of the number.
    if (booking::hasRow(db, kind.tables.money, e.voucher, QStringLiteral("dh"), e.document))
        return MoneyOutcome::Duplicate;

    try {
        Transaction t(db);
        // The balance is written whole, from the value read in this transaction.
        const double b0 = booking::cash(db);
        const double b1 = round2(kind.money == Flow::Out ? b0 - amount : b0 + amount);
        booking::setCash(db, b1);
        booking::insertRow(db, kind.tables.money,
                           {{QStringLiteral("pzh"), e.voucher},
                            {kind.columns.partner, e.partner},
                            {QStringLiteral("dh"), e.document},
                            {kind.moneyCategoryColumn(), e.category},
                            {QStringLiteral("jsfs"), e.method},
                            {kind.moneyAmountColumn(), amount},
                            {QStringLiteral("jcje"), b1},
                            {kind.moneyPersonColumn(), e.person},
                            {kind.moneyDateColumn(), e.date},
                            {QStringLiteral("bz"), e.remark}});
        settlePaid(kind, e.voucher, db);
        t.commit();
    } catch (const AppError&) {
        return MoneyOutcome::Failed;
    }
    return MoneyOutcome::Stored;
}

bool removeLine(const VoucherKind& kind, const QString& voucher, const QString& code, double price,
                double quantity, Database& db)
{
    price = round2(price);
    quantity = round2(quantity);
    try {
        Transaction t(db);
        if (kind.goods == Flow::In) {
            if (kind.valuation == Valuation::Average) {
                // Take the line back out of the average, so a mistyped receipt does not
                // value the article wrongly for ever; where that cannot be, the cost stays.
                if (const std::optional<booking::Article> a = booking::article(db, code)) {
                    const double rest = round2(a->stock - quantity);
                    const double cost = rest > 0 ? (a->cost * a->stock - price * quantity) / rest : -1;
                    if (cost >= 0)
                        booking::setCost(db, code, round2(cost));
                }
            }
            booking::adjustStock(db, code, -quantity);
        } else {
            booking::adjustStock(db, code, quantity);
        }
        booking::deleteRows(db, kind.tables.lines, voucher, QStringLiteral("spdm"), code);
        settleDue(kind, voucher, db);
        t.commit();
    } catch (const AppError&) {
        return false;
    }
    return true;
}

bool removeMoney(const VoucherKind& kind, const QString& voucher, const QString& document, double amount,
                 Database& db)
{
    amount = round2(amount);
    try {
        Transaction t(db);
        booking::adjustCash(db, kind.money == Flow::Out ? amount : -amount);
        booking::deleteRows(db, kind.tables.money, voucher, QStringLiteral("dh"), document);
        settlePaid(kind, voucher, db);
        t.commit();
    } catch (const AppError&) {
        return false;
    }
    return true;
}

QString dueFigureSql(const VoucherKind& kind, const QString& voucher)
{
    return QStringLiteral("select sum(dj*sl) from ") + kind.tables.lines + QStringLiteral(" where pzh=") + quoted(voucher);
}

QString linesSql(const VoucherKind& kind, const QString& voucher)
{
    const QString& t = kind.tables.lines;
    return QStringLiteral("select %1.spdm as 商品代码,J_spb.spmc as 商品名称,%1.dw as 单位,%1.dj as 单价,\n"
                          "%1.sl as 数量,%1.dj*%1.sl as 金额 from %1,J_spb where J_spb.spdm=%1.spdm and %1.pzh=")
               .arg(t)
        + quoted(voucher) + QStringLiteral("\norder by ") + t + QStringLiteral(".spdm");
}

QString settledFigureSql(const VoucherKind& kind, const QString& voucher)
{
    return QStringLiteral("select sum(") + kind.moneyAmountColumn() + QStringLiteral(") from ") + kind.tables.money
        + QStringLiteral(" where pzh=") + quoted(voucher);
}

QString moneySql(const VoucherKind& kind, const QString& voucher)
{
    const QString& w = kind.moneyWord();
    return QStringLiteral("select dh as 单号,%1 as %2类别,jsfs as 结算方式,%3 as %2金额,%4 as %2人,%5 as %2日期 from %6 where pzh=")
               .arg(kind.moneyCategoryColumn(), w, kind.moneyAmountColumn(), kind.moneyPersonColumn(), kind.moneyDateColumn(),
                    kind.tables.money)
        + quoted(voucher) + QStringLiteral("\norder by ") + kind.moneyDateColumn();
}

double sumFigure(const QString& sql, Database& db)
{
    // Read on every move to another voucher: a result set would describe its one column and
    // ask whether it could write the row back.
    const QVariant sum = db.firstValue(sql);
    return sum.isNull() ? 0 : round2(sum.toDouble());
}
