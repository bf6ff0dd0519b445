// Reading a trade voucher for the printed voucher.
#include "vouchers/VoucherPrintLoader.h"

#include "db/Database.h"
#include "db/Errors.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"

namespace {

struct KindTables {
    VoucherPrintKind kind;
    const char* header;
    const char* lines;
    const char* money;
    const char* moneyAmount;
    const char* date;
    const char* category;
    const char* partner;
    const char* person;
};

const KindTables kindTables[] = {
    {VoucherPrintKind::Purchase, "J_cgb", "J_cgmxb", "J_cgfkb", "fkje", "cgrq", "rklb", "ghs", "cgy"},
    {VoucherPrintKind::Sales, "J_xsb", "J_xsmxb", "J_xsskb", "skje", "xsrq", "cklb", "ghs", "xsy"},
    {VoucherPrintKind::PurchaseReturn, "J_cgthb", "J_cgthmxb", "J_cgskb", "skje", "thrq", "cklb", "ths", "jsr"},
    {VoucherPrintKind::SalesReturn, "J_xsthb", "J_xsthmxb", "J_xsfkb", "fkje", "thrq", "rklb", "ths", "jsr"},
};

const KindTables& tablesOf(VoucherPrintKind kind)
{
    for (const KindTables& k : kindTables)
        if (k.kind == kind)
            return k;
    return kindTables[0];
}

// A summed figure as the voucher screen's label shows it: rounded to the cent, "0" when empty.
QString figure(Database& db, const QString& sql)
{
    ResultSet rs(db);
    rs.open(sql);
    const QVariant v = rs.isEmpty() ? QVariant() : rs.value(0);
    return numText(round2(v.isNull() ? 0.0 : v.toDouble()));
}

} // namespace

void loadVoucherPrintCompany(VoucherPrintData& data, Database& db)
{
    ResultSet company(db);
    company.open(QStringLiteral("select yhmc,dz,dh1 from J_yhb"));
    if (!company.isEmpty()) {
        data.companyName = company.text(QStringLiteral("yhmc"));
        data.companyAddress = company.text(QStringLiteral("dz"));
        data.companyPhone = company.text(QStringLiteral("dh1"));
    }
}

VoucherPrintData loadVoucherPrintData(VoucherPrintKind kind, const QString& number, Database& db)
{
    const KindTables& k = tablesOf(kind);
    const QString header = QString::fromLatin1(k.header);
    const QString lines = QString::fromLatin1(k.lines);
    const QString key = quoted(number);
    VoucherPrintData data;
    data.kind = kind;

    loadVoucherPrintCompany(data, db);

    ResultSet head(db);
    head.open(QStringLiteral("select * from %1 where pzh=%2").arg(header, key));
    if (head.isEmpty())
        throw AppError(QStringLiteral("无此凭证：") + number);
    data.number = head.text(QStringLiteral("pzh"));
    data.date = head.text(QString::fromLatin1(k.date));
    data.category = head.text(QString::fromLatin1(k.category));
    data.partner = head.text(QString::fromLatin1(k.partner));
    data.person = head.text(QString::fromLatin1(k.person));
    data.approver = head.text(QStringLiteral("shr"));
    data.remark = head.text(QStringLiteral("bz"));
    data.settled = head.value(QStringLiteral("fqf")).toBool();

    // The lines grid's query: lines whose article is gone from J_spb are not shown.
    ResultSet rows(db);
    rows.open(QStringLiteral("select %1.spdm as 商品代码,J_spb.spmc as 商品名称,%1.dw as 单位,%1.dj as 单价,\n"
                             "%1.sl as 数量,%1.dj*%1.sl as 金额 from %1,J_spb where J_spb.spdm=%1.spdm and %1.pzh=%2\n"
                             "order by %1.spdm")
                  .arg(lines, key));
    for (int r = 0; r < rows.recordCount(); ++r) {
        rows.moveTo(r);
        data.lines.append({rows.text(QStringLiteral("商品代码")), rows.text(QStringLiteral("商品名称")),
                           rows.text(QStringLiteral("单位")), rows.text(QStringLiteral("单价")),
                           rows.text(QStringLiteral("数量")), rows.text(QStringLiteral("金额"))});
    }

    // The figures count every line, shown or not, as the screen's labels do.
    data.due = figure(db, QStringLiteral("select sum(dj*sl) from %1 where pzh=%2").arg(lines, key));
    data.paid = figure(db, QStringLiteral("select sum(%1) from %2 where pzh=%3")
                               .arg(QString::fromLatin1(k.moneyAmount), QString::fromLatin1(k.money), key));
    data.outstanding = numText(round2(toNumber(data.due) - toNumber(data.paid)));
    return data;
}

VoucherPrintData loadVoucherPrintData(VoucherPrintKind kind, const QString& number)
{
    return loadVoucherPrintData(kind, number, Database::shared());
}
