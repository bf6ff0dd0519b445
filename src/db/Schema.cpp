#include "db/Schema.h"

#include "db/Database.h"

#include <QHash>
#include <sqlite3.h>

namespace schema {
namespace {

Column C(const char* name, int width) { return {name, Type::Char, width, false}; }
Column K(const char* name, int width) { return {name, Type::Char, width, true}; }
Column N(const char* name) { return {name, Type::Numeric, 0, false}; }
Column B(const char* name) { return {name, Type::Bit, 0, false}; }
Column D(const char* name) { return {name, Type::SmallDateTime, 0, false}; }

Table category(const char* table, const char* nameColumn)
{
    return {table, {K("bh", 2), C(nameColumn, 10)}, {}, {}};
}

// Goods lines and their stock snapshot; date is the column the journals search by. The
// summaries read a date range of every article: the date index holds what they sum, so a
// year's summary never reads the lines themselves (summaryIndex: date, kind, spdm, dj, sl). A line is
// looked for by voucher and article before it is stored; that index leads with the article
// so that a voucher's lines, read by voucher alone, keep the order they were entered in.
Table goodsLines(const char* table, const char* kind, const char* partner, const char* date,
                 const char* dateIndex, const char* summaryIndex)
{
    return {table,
            {C("pzh", 14), C("spdm", 6), C(kind, 10), C(partner, 30), C("dw", 6), N("dj"), N("sl"),
             D(date), N("jcdj"), N("jcsl"), C("bz", 20)},
            {},
            {"pzh", dateIndex, summaryIndex, "spdm,pzh"}};
}

const char* const kDocumentKey = "dh,pzh";

// Money rows against a voucher and the cash balance they left; the cash journal reads a
// date range of them. The document number is looked for by voucher before a row is stored.
Table moneyRows(const char* table, const char* partner, const char* kind, int methodWidth,
                const char* amount, const char* person, const char* date)
{
    return {table,
            {C("pzh", 14), C("dh", 20), C(partner, 30), C(kind, 10), C("jsfs", methodWidth), N(amount),
             C(person, 10), D(date), N("jcje"), C("bz", 20)},
            {},
            {"pzh", date, kDocumentKey}};
}

// The open items of a partner: its vouchers' flag and money columns are in the index, so
// the partner lists and sums never read the headers.
const char* const kOpenPayables = "ghs,fqf,sfk,yfk";
const char* const kOpenReceivables = "ghs,fqf,ssk,ysk";
const char* const kOpenReturnReceivables = "ths,fqf,ssk,ysk";
const char* const kOpenReturnPayables = "ths,fqf,sfk,yfk";

std::vector<Table> build()
{
    std::vector<Table> t;
    t.push_back({"J_yhb",
                 {C("yhmc", 40), C("dz", 40), C("dh1", 13), C("dh2", 13), C("lxr", 10), C("yb", 6), C("yx", 30),
                  C("wz", 30)},
                 {"insert into J_yhb(yhmc,dz,dh1,dh2,lxr,yb,yx,wz) values(null,null,null,null,null,null,null,null)"},
                 {}});
    t.push_back({"J_zgb",
                 {K("gh", 4), C("bmmc", 20), C("xm", 10), C("xb", 2), C("nl", 2), C("xl", 6), C("sfzh", 18),
                  C("zw", 10), C("sj", 13), C("ah", 20), C("zz", 30)},
                 {},
                 {}});
    t.push_back(category("J_rklbb", "rklb"));
    t.push_back(category("J_jsfsb", "jsfs"));
    t.push_back(category("J_sklbb", "sklb"));
    t.push_back(category("J_fklbb", "fklb"));
    t.push_back(category("J_cklbb", "cklb"));
    t.push_back(category("J_zclbb", "zclb"));
    t.push_back(category("J_bslbb", "bslb"));
    t.push_back({"J_khb",
                 {K("khdm", 6), C("khmc", 30), C("lb1", 6), C("lb2", 20), C("lxr", 10), C("dz", 30), C("yb", 6),
                  C("dh", 13), C("sj", 13), C("cz", 13), C("dzyj", 30), C("wz", 30), C("khh", 30), C("yhzh", 20)},
                 {},
                 {}});
    t.push_back({"J_spb",
                 {K("spdm", 6), C("spmc", 30), C("lb", 30), C("zzs", 30), C("pp", 10), C("gg", 16), C("dw", 6),
                  N("zxdj"), N("lrl"), N("xykc"), N("kcsx"), N("kcxx"), C("hw", 20), C("bz", 30)},
                 {},
                 {}});
    t.push_back({"J_zjb", {N("je")}, {"insert into J_zjb(je) values(0)"}, {}});
    t.push_back({"J_cgb",
                 {K("pzh", 14), C("fph", 20), C("rklb", 10), C("ghs", 30), C("cgy", 10), C("shr", 10), N("yfk"),
                  N("sfk"), B("fqf"), D("cgrq"), D("jzrq"), C("bz", 30), C("czy", 30)},
                 {},
                 {kOpenPayables, "cgrq"}});
    t.push_back(goodsLines("J_cgmxb", "rklb", "ghs", "cgrq", "spdm,cgrq", "cgrq,rklb,spdm,dj,sl"));
    t.push_back(moneyRows("J_cgfkb", "ghs", "fklb", 10, "fkje", "fkr", "fkrq"));
    t.push_back({"J_xsb",
                 {K("pzh", 14), C("fph", 20), C("cklb", 10), C("ghs", 30), C("xsy", 10), C("shr", 10), N("ysk"),
                  N("ssk"), B("fqf"), D("xsrq"), D("jzrq"), C("bz", 30), C("czy", 30)},
                 {},
                 {kOpenReceivables, "xsrq"}});
    t.push_back(goodsLines("J_xsmxb", "cklb", "ghs", "xsrq", "spdm,xsrq", "xsrq,cklb,spdm,dj,sl"));
    t.push_back(moneyRows("J_xsskb", "ghs", "sklb", 16, "skje", "skr", "skrq"));
    t.push_back({"J_cgthb",
                 {K("pzh", 14), C("cklb", 10), C("thyy", 20), C("ths", 30), C("jsr", 10), C("shr", 10), N("ysk"),
                  N("ssk"), B("fqf"), D("thrq"), D("jzrq"), C("bz", 30), C("czy", 30)},
                 {},
                 {kOpenReturnReceivables}});
    t.push_back(goodsLines("J_cgthmxb", "cklb", "ths", "thrq", "spdm,thrq", "thrq,cklb,spdm,dj,sl"));
    t.push_back(moneyRows("J_cgskb", "ths", "sklb", 16, "skje", "skr", "skrq"));
    t.push_back({"J_xsthb",
                 {K("pzh", 14), C("rklb", 10), C("thyy", 20), C("ths", 30), C("jsr", 10), C("shr", 10), N("yfk"),
                  N("sfk"), B("fqf"), D("thrq"), D("jzrq"), C("bz", 30), C("czy", 30)},
                 {},
                 {kOpenReturnPayables}});
    t.push_back(goodsLines("J_xsthmxb", "rklb", "ths", "thrq", "spdm,thrq", "thrq,rklb,spdm,dj,sl"));
    t.push_back(moneyRows("J_xsfkb", "ths", "fklb", 16, "fkje", "fkr", "fkrq"));
    t.push_back({"J_zcb",
                 {K("pzh", 14), C("zcsm", 20), C("jsr", 10), C("shr", 10), N("zcje"), D("zcrq"), C("bz", 30),
                  C("czy", 30)},
                 {},
                 {}});
    t.push_back({"J_zcmxb",
                 {C("pzh", 14), C("dh", 20), C("zclb", 10), N("zcje"), D("zcrq"), C("zcsm", 20), N("jcje"),
                  C("bz", 20)},
                 {},
                 {"pzh", "zcrq", kDocumentKey}});
    t.push_back({"J_bsb",
                 {K("pzh", 14), C("bssm", 20), C("jsr", 10), C("shr", 10), N("bsje"), D("bsrq"), C("bz", 30),
                  C("czy", 30)},
                 {},
                 {}});
    t.push_back({"J_bsmxb",
                 {C("pzh", 14), C("bslb", 10), C("spdm", 6), C("dw", 6), N("dj"), N("sl"), D("bsrq"), N("jcdj"),
                  N("jcsl"), C("bssm", 20), C("bz", 20)},
                 {},
                 {"pzh", "spdm,bsrq", "bsrq,bslb,spdm,dj,sl", "spdm,pzh"}});
    t.push_back({"J_czyb",
                 {C("czydm", 4), C("czymc", 10), C("czymm", 6)},
                 {"insert into J_czyb(czydm,czymc,czymm) values(1001,'管理员',530162)"},
                 {}});
    t.push_back({"J_rzb", {D("rzrq"), C("czy", 20)}, {}, {}});
    t.push_back({"J_sptmp",
                 {D("rq"), C("pzh", 14), C("zy", 40), N("rkdj"), N("rksl"), N("ckdj"), N("cksl"), N("jcdj"),
                  N("jcsl")},
                 {},
                 {}});
    t.push_back({"J_zjtmp",
                 {D("rq"), C("pzh", 14), C("zy", 40), C("dh", 20), N("skje"), N("fkje"), N("jcje")},
                 {},
                 {}});
    return t;
}

} // namespace

QString Column::typeText() const
{
    switch (type) {
    case Type::Char:
        return QStringLiteral("char(%1)").arg(width);
    case Type::Numeric:
        return QStringLiteral("numeric(10,2) default 0");
    case Type::Bit:
        return QStringLiteral("bit default 0");
    case Type::SmallDateTime:
        return QStringLiteral("smalldatetime");
    }
    return {};
}

const std::vector<Table>& tables()
{
    static const std::vector<Table> all = build();
    return all;
}

const Table* findTable(const QString& name)
{
    for (const Table& t : tables())
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString createStatement(const Table& table)
{
    QStringList defs;
    for (const Column& c : table.columns) {
        QString def = QLatin1String(c.name) + QLatin1Char(' ') + c.typeText();
        if (c.key)
            def += QStringLiteral(" PRIMARY KEY");
        defs << def;
    }
    return QStringLiteral("create table %1(%2)").arg(QLatin1String(table.name), defs.join(QLatin1Char(',')));
}

QStringList indexStatements(const Table& table)
{
    QStringList out;
    int n = 0;
    for (const char* columns : table.indexes)
        out << QStringLiteral("create index ix_%1_%2 on %1(%3)")
                   .arg(QLatin1String(table.name))
                   .arg(++n)
                   .arg(QLatin1String(columns));
    return out;
}

QStringList initializationStatements(const QStringList& existingTables)
{
    QStringList out;
    for (const Table& t : tables()) {
        const QString name = QLatin1String(t.name);
        if (existingTables.contains(name, Qt::CaseInsensitive))
            out << QStringLiteral("drop table ") + name;
        out << createStatement(t);
        for (const char* seed : t.seeds)
            out << QString::fromUtf8(seed);
        out << indexStatements(t);
    }
    return out;
}

namespace {

// Compared as the engine keeps them: it upper-cases the leading keywords.
QString normalized(const QString& sql) { return sql.simplified().toLower(); }

} // namespace

void addMissingIndexes(Database& db)
{
    const QStringList existing = db.tableNames();
    QHash<QString, QString> present; // name -> statement, lower case
    sqlite3_stmt* st = db.prepare(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type='index' AND sql IS NOT NULL"));
    while (sqlite3_step(st) == SQLITE_ROW)
        present.insert(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))).toLower(),
                       normalized(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)))));
    sqlite3_finalize(st);

    QStringList work;
    for (const Table& t : tables()) {
        if (!existing.contains(QLatin1String(t.name), Qt::CaseInsensitive))
            continue; // made with its indexes by the initialization
        for (const QString& statement : indexStatements(t)) {
            const QString name = statement.section(QLatin1Char(' '), 2, 2);
            const auto found = present.constFind(name.toLower());
            if (found != present.cend() && *found == normalized(statement))
                continue;
            if (found != present.cend())
                work << QStringLiteral("drop index ") + name; // same name, other columns
            work << statement;
        }
    }
    if (work.isEmpty())
        return;
    Transaction transaction(db);
    for (const QString& statement : std::as_const(work))
        db.exec(statement);
    transaction.commit();
}

void createAllTables(Database& db)
{
    for (const QString& statement : initializationStatements(db.tableNames()))
        db.exec(statement);
}

} // namespace schema
