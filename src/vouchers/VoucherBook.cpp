#include "vouchers/VoucherBook.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"

namespace {

// "+5" or "-5": a term added to a column. Written with its own sign so that subtracting a
// negative number never reads "--", which SQL takes for the start of a comment.
QString plusTerm(double x)
{
    return x < 0 ? QLatin1Char('-') + numText(-x) : QLatin1Char('+') + numText(x);
}

QString minusTerm(double x)
{
    return plusTerm(-x);
}

bool hasRow(const QString& sql, Database& db)
{
    ResultSet rs(db);
    rs.open(sql);
    return !rs.isEmpty() && rs.value(0).toDouble() > 0;
}

} // namespace

LineOutcome storeLine(const VoucherKind& kind, const LineEntry& e, Database& db)
{
    // Only the exact text "0" is refused; "0.0" or "00" pass.
    if (e.code.isEmpty() || e.priceText == QLatin1String("0") || e.quantityText == QLatin1String("0"))
        return LineOutcome::Ignored;

    double price = 0;
    double quantity = 0;
    if (!(kind.goods == Flow::In)) {
        // Goods out: a typing error is reported as such and the dialog stays open.
        quantity = toNumber(e.quantityText);
        price = toNumber(e.priceText);
    }

    ResultSet article(db);
    article.open(QStringLiteral("select spdm,zxdj,xykc from J_spb where spdm=") + quoted(e.code));
    if (article.isEmpty())
        return LineOutcome::NoArticle;
    const double p0 = article.number(QStringLiteral("zxdj"));
    const double s0 = article.number(QStringLiteral("xykc"));
    article.close();

    // One line per article: removal takes away every line of the code but reverses one.
    if (hasRow(QStringLiteral("select count(*) from ") + kind.tables.lines + QStringLiteral(" where pzh=")
                   + quoted(e.voucher) + QStringLiteral(" and spdm=") + quoted(e.code),
               db))
        return LineOutcome::Duplicate;

    try {
        Transaction t(db);
        double p1 = p0;
        double s1 = 0;
        if ((kind.goods == Flow::In)) {
            // Goods in: a typing error belongs to the failure of the whole store.
            price = toNumber(e.priceText);
            quantity = toNumber(e.quantityText);
            s1 = quantity + s0;
            // A stock that comes to exactly 0 has no average; the goods are valued at this price.
            p1 = s1 != 0 ? (quantity * price + p0 * s0) / s1 : price;
            db.exec(QStringLiteral("update J_spb set zxdj=") + numText(p1) + QStringLiteral(",xykc=") + numText(s1)
                    + QStringLiteral(" where spdm=") + quoted(e.code));
        } else {
            s1 = round2(s0 - quantity);
            db.exec(QStringLiteral("update J_spb set xykc=") + numText(s1) + QStringLiteral(" where spdm=")
                    + quoted(e.code));
        }
        db.exec(QStringLiteral("update ") + kind.tables.header + QStringLiteral(" set ") + kind.dueColumn()
                + QLatin1Char('=') + kind.dueColumn() + plusTerm(price * quantity) + QStringLiteral(" where pzh=")
                + quoted(e.voucher));
        db.exec(QStringLiteral("insert into ") + kind.tables.lines + QStringLiteral("(pzh,spdm,") + kind.categoryColumn()
                + QLatin1Char(',') + kind.columns.partner + QStringLiteral(",dw,dj,sl,") + kind.columns.date
                + QStringLiteral(",jcdj,jcsl) values(") + quoted(e.voucher) + QLatin1Char(',') + quoted(e.code)
                + QLatin1Char(',') + quoted(e.category) + QLatin1Char(',') + quoted(e.partner) + QLatin1Char(',')
                + quoted(e.unit) + QLatin1Char(',') + numText(price) + QLatin1Char(',') + numText(quantity)
                + QLatin1Char(',') + quoted(e.dateText) + QLatin1Char(',') + numText(p1) + QLatin1Char(',')
                + numText(s1) + QLatin1Char(')'));
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

    ResultSet cash(db);
    cash.open(QStringLiteral("select je from j_zjb"));
    const double b0 = cash.isEmpty() ? 0.0 : cash.number(QStringLiteral("je"));
    cash.close();
    const double amount = toNumber(e.amountText);
    const double b1 = (kind.money == Flow::Out) ? b0 - amount : b0 + amount;

    // One row per document number: removal takes away every row of the number but reverses one.
    if (hasRow(QStringLiteral("select count(*) from ") + kind.tables.money + QStringLiteral(" where pzh=")
                   + quoted(e.voucher) + QStringLiteral(" and dh=") + quoted(e.document),
               db))
        return MoneyOutcome::Duplicate;

    try {
        Transaction t(db);
        // The balance is written whole, from the value just read.
        db.exec(QStringLiteral("update J_zjb set je=") + numText(b1));
        db.exec(QStringLiteral("update ") + kind.tables.header + QStringLiteral(" set ") + kind.settledColumn()
                + QLatin1Char('=') + kind.settledColumn() + plusTerm(amount) + QStringLiteral(" where pzh=")
                + quoted(e.voucher));
        db.exec(QStringLiteral("insert into ") + kind.tables.money + QStringLiteral("(pzh,") + kind.columns.partner
                + QStringLiteral(",dh,") + kind.moneyCategoryColumn() + QStringLiteral(",jsfs,") + kind.moneyAmountColumn()
                + QStringLiteral(",jcje,") + kind.moneyPersonColumn() + QLatin1Char(',') + kind.moneyDateColumn()
                + QStringLiteral(",bz) values(") + quoted(e.voucher) + QLatin1Char(',') + quoted(e.partner)
                + QLatin1Char(',') + quoted(e.document) + QLatin1Char(',') + quoted(e.category) + QLatin1Char(',')
                + quoted(e.method) + QLatin1Char(',') + numText(amount) + QLatin1Char(',') + numText(b1)
                + QLatin1Char(',') + quoted(e.person) + QLatin1Char(',') + quoted(shortDate(e.date))
                + QLatin1Char(',') + quoted(e.remark) + QLatin1Char(')'));
        t.commit();
    } catch (const AppError&) {
        return MoneyOutcome::Failed;
    }
    return MoneyOutcome::Stored;
}

bool removeLine(const VoucherKind& kind, const QString& voucher, const QString& code, double price,
                double quantity, Database& db)
{
    try {
        Transaction t(db);
        db.exec(QStringLiteral("update J_spb set xykc=xykc") + ((kind.goods == Flow::In) ? minusTerm(quantity) : plusTerm(quantity))
                + QStringLiteral(" where spdm=") + quoted(code));
        db.exec(QStringLiteral("update ") + kind.tables.header + QStringLiteral(" set ") + kind.dueColumn()
                + QLatin1Char('=') + kind.dueColumn() + minusTerm(price * quantity) + QStringLiteral(" where pzh=")
                + quoted(voucher));
        db.exec(QStringLiteral("delete from ") + kind.tables.lines + QStringLiteral(" where spdm=") + quoted(code)
                + QStringLiteral(" and pzh=") + quoted(voucher));
        t.commit();
    } catch (const AppError&) {
        return false;
    }
    return true;
}

bool removeMoney(const VoucherKind& kind, const QString& voucher, const QString& document, double amount,
                 Database& db)
{
    try {
        Transaction t(db);
        db.exec(QStringLiteral("update J_zjb set je=je") + ((kind.money == Flow::Out) ? plusTerm(amount) : minusTerm(amount)));
        db.exec(QStringLiteral("update ") + kind.tables.header + QStringLiteral(" set ") + kind.settledColumn()
                + QLatin1Char('=') + kind.settledColumn() + minusTerm(amount) + QStringLiteral(" where pzh=")
                + quoted(voucher));
        db.exec(QStringLiteral("delete from ") + kind.tables.money + QStringLiteral(" where dh=") + quoted(document)
                + QStringLiteral(" and pzh=") + quoted(voucher));
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
    ResultSet rs(db);
    rs.open(sql);
    if (rs.isEmpty() || rs.value(0).isNull())
        return 0;
    return round2(rs.value(0).toDouble());
}
