#include "ledger/LossExpenseBook.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "vouchers/VoucherBook.h"

namespace {

bool hasRow(const QString& sql, Database& db)
{
    ResultSet rs(db);
    rs.open(sql);
    return !rs.isEmpty() && rs.value(0).toDouble() > 0;
}

// The voucher date of a line: the day alone, whatever time the box may show.
QString dateValue(const QString& text)
{
    if (text.trimmed().isEmpty())
        return QStringLiteral("null");
    const QDateTime dt = parseDateText(text.trimmed());
    return quoted(dt.isValid() ? shortDate(dt.date()) : text);
}

// The voucher's amount set from its stored lines, so it never drifts from them.
void resetTotal(const QString& header, const QString& column, const QString& totalSql, const QString& voucher,
                Database& db)
{
    db.exec(QStringLiteral("update ") + header + QStringLiteral(" set ") + column + QLatin1Char('=')
            + numText(sumFigure(totalSql, db)) + QStringLiteral(" where pzh=") + quoted(voucher));
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
        ResultSet article(db);
        article.open(QStringLiteral("select spdm,zxdj,xykc from J_spb where spdm=") + quoted(e.code));
        if (article.isEmpty())
            return BookOutcome::NoArticle;
        const double cost = article.number(QStringLiteral("zxdj"));
        const double stock = round2(article.number(QStringLiteral("xykc")) - quantity);
        article.close();

        // One line per article: removal takes away every line of the code.
        if (hasRow(QStringLiteral("select count(*) from J_bsmxb where pzh=") + quoted(e.voucher)
                       + QStringLiteral(" and spdm=") + quoted(e.code),
                   db))
            return BookOutcome::Duplicate;

        db.exec(QStringLiteral("update J_spb set xykc=") + numText(stock) + QStringLiteral(" where spdm=")
                + quoted(e.code));
        // The remaining stock keeps the article's cost: a loss does not revalue it.
        db.exec(QStringLiteral("insert into J_bsmxb(pzh,spdm,bslb,dw,dj,sl,bsrq,jcdj,jcsl,bssm) values(")
                + quoted(e.voucher) + QLatin1Char(',') + quoted(e.code) + QLatin1Char(',') + quoted(e.category)
                + QLatin1Char(',') + quoted(e.unit) + QLatin1Char(',') + numText(price) + QLatin1Char(',')
                + numText(quantity) + QLatin1Char(',') + dateValue(e.dateText) + QLatin1Char(',') + numText(cost)
                + QLatin1Char(',') + numText(stock) + QLatin1Char(',') + quoted(e.description) + QLatin1Char(')'));
        resetTotal(QStringLiteral("J_bsb"), QStringLiteral("bsje"), lossTotalSql(e.voucher), e.voucher, db);
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
        db.exec(QStringLiteral("update J_spb set xykc=") + numText(quantity) + QStringLiteral("+xykc where spdm=")
                + quoted(code));
        db.exec(QStringLiteral("delete from J_bsmxb where spdm=") + quoted(code) + QStringLiteral(" and pzh=")
                + quoted(voucher));
        resetTotal(QStringLiteral("J_bsb"), QStringLiteral("bsje"), lossTotalSql(voucher), voucher, db);
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
        if (hasRow(QStringLiteral("select count(*) from J_zcmxb where pzh=") + quoted(e.voucher)
                       + QStringLiteral(" and dh=") + quoted(e.document),
                   db))
            return BookOutcome::Duplicate;
        ResultSet cash(db);
        cash.open(QStringLiteral("select je from J_zjb"));
        const double balance = round2((cash.isEmpty() ? 0.0 : cash.number(QStringLiteral("je"))) - amount);
        cash.close();

        db.exec(QStringLiteral("update J_zjb set je=") + numText(balance));
        db.exec(QStringLiteral("insert into J_zcmxb(pzh,dh,zclb,zcje,zcrq,zcsm,jcje,bz) values(") + quoted(e.voucher)
                + QLatin1Char(',') + quoted(e.document) + QLatin1Char(',') + quoted(e.category) + QLatin1Char(',')
                + numText(amount) + QLatin1Char(',') + quoted(shortDate(e.date)) + QLatin1Char(',')
                + quoted(e.description) + QLatin1Char(',') + numText(balance) + QLatin1Char(',') + quoted(e.remark)
                + QLatin1Char(')'));
        resetTotal(QStringLiteral("J_zcb"), QStringLiteral("zcje"), expenseTotalSql(e.voucher), e.voucher, db);
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
        db.exec(QStringLiteral("update J_zjb set je=") + numText(amount) + QStringLiteral("+je"));
        db.exec(QStringLiteral("delete from J_zcmxb where dh=") + quoted(document) + QStringLiteral(" and pzh=")
                + quoted(voucher));
        resetTotal(QStringLiteral("J_zcb"), QStringLiteral("zcje"), expenseTotalSql(voucher), voucher, db);
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
