// The tables a system initialization leaves behind, read back from the database itself.
#include "support/InitializedDb.h"

#include "db/Database.h"
#include "db/Errors.h"
#include "db/ResultSet.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace {

// Written out independently of the schema table: name, then column:type with
// cN = char(N), kN = char(N) key, n = numeric(10,2) default 0, b = bit default 0, d = smalldatetime.
const char* const kExpected[] = {
    "J_yhb yhmc:c40 dz:c40 dh1:c13 dh2:c13 lxr:c10 yb:c6 yx:c30 wz:c30",
    "J_zgb gh:k4 bmmc:c20 xm:c10 xb:c2 nl:c2 xl:c6 sfzh:c18 zw:c10 sj:c13 ah:c20 zz:c30",
    "J_rklbb bh:k2 rklb:c10",
    "J_jsfsb bh:k2 jsfs:c10",
    "J_sklbb bh:k2 sklb:c10",
    "J_fklbb bh:k2 fklb:c10",
    "J_cklbb bh:k2 cklb:c10",
    "J_zclbb bh:k2 zclb:c10",
    "J_bslbb bh:k2 bslb:c10",
    "J_khb khdm:k6 khmc:c30 lb1:c6 lb2:c20 lxr:c10 dz:c30 yb:c6 dh:c13 sj:c13 cz:c13 dzyj:c30 wz:c30 khh:c30 yhzh:c20",
    "J_spb spdm:k6 spmc:c30 lb:c30 zzs:c30 pp:c10 gg:c16 dw:c6 zxdj:n lrl:n xykc:n kcsx:n kcxx:n hw:c20 bz:c30",
    "J_zjb je:n",
    "J_cgb pzh:k14 fph:c20 rklb:c10 ghs:c30 cgy:c10 shr:c10 yfk:n sfk:n fqf:b cgrq:d jzrq:d bz:c30 czy:c30",
    "J_cgmxb pzh:c14 spdm:c6 rklb:c10 ghs:c30 dw:c6 dj:n sl:n cgrq:d jcdj:n jcsl:n bz:c20",
    "J_cgfkb pzh:c14 dh:c20 ghs:c30 fklb:c10 jsfs:c10 fkje:n fkr:c10 fkrq:d jcje:n bz:c20",
    "J_xsb pzh:k14 fph:c20 cklb:c10 ghs:c30 xsy:c10 shr:c10 ysk:n ssk:n fqf:b xsrq:d jzrq:d bz:c30 czy:c30",
    "J_xsmxb pzh:c14 spdm:c6 cklb:c10 ghs:c30 dw:c6 dj:n sl:n xsrq:d jcdj:n jcsl:n bz:c20",
    "J_xsskb pzh:c14 dh:c20 ghs:c30 sklb:c10 jsfs:c16 skje:n skr:c10 skrq:d jcje:n bz:c20",
    "J_cgthb pzh:k14 cklb:c10 thyy:c20 ths:c30 jsr:c10 shr:c10 ysk:n ssk:n fqf:b thrq:d jzrq:d bz:c30 czy:c30",
    "J_cgthmxb pzh:c14 spdm:c6 cklb:c10 ths:c30 dw:c6 dj:n sl:n thrq:d jcdj:n jcsl:n bz:c20",
    "J_cgskb pzh:c14 dh:c20 ths:c30 sklb:c10 jsfs:c16 skje:n skr:c10 skrq:d jcje:n bz:c20",
    "J_xsthb pzh:k14 rklb:c10 thyy:c20 ths:c30 jsr:c10 shr:c10 yfk:n sfk:n fqf:b thrq:d jzrq:d bz:c30 czy:c30",
    "J_xsthmxb pzh:c14 spdm:c6 rklb:c10 ths:c30 dw:c6 dj:n sl:n thrq:d jcdj:n jcsl:n bz:c20",
    "J_xsfkb pzh:c14 dh:c20 ths:c30 fklb:c10 jsfs:c16 fkje:n fkr:c10 fkrq:d jcje:n bz:c20",
    "J_zcb pzh:k14 zcsm:c20 jsr:c10 shr:c10 zcje:n zcrq:d bz:c30 czy:c30",
    "J_zcmxb pzh:c14 dh:c20 zclb:c10 zcje:n zcrq:d zcsm:c20 jcje:n bz:c20",
    "J_bsb pzh:k14 bssm:c20 jsr:c10 shr:c10 bsje:n bsrq:d bz:c30 czy:c30",
    "J_bsmxb pzh:c14 bslb:c10 spdm:c6 dw:c6 dj:n sl:n bsrq:d jcdj:n jcsl:n bssm:c20 bz:c20",
    "J_czyb czydm:c4 czymc:c10 czymm:c6",
    "J_rzb rzrq:d czy:c20",
    "J_sptmp rq:d pzh:c14 zy:c40 rkdj:n rksl:n ckdj:n cksl:n jcdj:n jcsl:n",
    "J_zjtmp rq:d pzh:c14 zy:c40 dh:c20 skje:n fkje:n jcje:n",
};

// "name:type" of every column of the table as the database reports it.
QStringList columnsInDatabase(const QString& table)
{
    QStringList out;
    sqlite3_stmt* st = Database::shared().prepare(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2))).toLower();
        const QString def = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 4)));
        const bool key = sqlite3_column_int(st, 5) != 0;
        QString code;
        if (type.startsWith(QLatin1String("char(")))
            code = (key ? QStringLiteral("k") : QStringLiteral("c")) + type.mid(5).chopped(1);
        else if (type == QLatin1String("numeric(10,2)") && def == QLatin1String("0"))
            code = QStringLiteral("n");
        else if (type == QLatin1String("bit") && def == QLatin1String("0"))
            code = QStringLiteral("b");
        else if (type == QLatin1String("smalldatetime") && def.isEmpty())
            code = QStringLiteral("d");
        else
            code = QStringLiteral("?%1 default %2").arg(type, def);
        if (key && !code.startsWith(QLatin1Char('k')))
            code += QStringLiteral(" key");
        out << name + QLatin1Char(':') + code;
    }
    sqlite3_finalize(st);
    return out;
}

int tableRows(const QString& table)
{
    ResultSet rs;
    rs.open(QStringLiteral("select count(*) as n from ") + table);
    return int(rs.number(QStringLiteral("n")));
}

class SchemaTest : public InitializedDbTest {};

TEST_F(SchemaTest, TablesColumnsTypesAndKeysAreExactlyTheListedOnes)
{
    QStringList expectedNames;
    for (const char* line : kExpected) {
        QStringList parts = QString::fromUtf8(line).split(QLatin1Char(' '));
        const QString table = parts.takeFirst();
        expectedNames << table;
        EXPECT_EQ(columnsInDatabase(table), parts) << table.toStdString();
    }
    QStringList actual = Database::shared().tableNames();
    QStringList sortedExpected = expectedNames;
    actual.sort(Qt::CaseInsensitive);
    sortedExpected.sort(Qt::CaseInsensitive);
    EXPECT_EQ(actual, sortedExpected);

    // Creation order is the listed order.
    QStringList order;
    for (const schema::Table& t : schema::tables())
        order << QLatin1String(t.name);
    EXPECT_EQ(order, expectedNames);
}

TEST_F(SchemaTest, SeedsAreOneNullUserRowZeroCashAndTheAdministrator)
{
    ResultSet yhb;
    yhb.open(QStringLiteral("select * from J_yhb"));
    ASSERT_EQ(yhb.recordCount(), 1);
    for (int c = 0; c < yhb.fieldCount(); ++c)
        EXPECT_TRUE(yhb.value(c).isNull()) << yhb.fieldName(c).toStdString();

    ResultSet zjb;
    zjb.open(QStringLiteral("select je from J_zjb"));
    ASSERT_EQ(zjb.recordCount(), 1);
    EXPECT_EQ(zjb.number(QStringLiteral("je")), 0.0);

    ResultSet czyb;
    czyb.open(QStringLiteral("select czydm,czymc,czymm from J_czyb"));
    ASSERT_EQ(czyb.recordCount(), 1);
    EXPECT_EQ(czyb.text(QStringLiteral("czydm")), QStringLiteral("1001"));
    EXPECT_EQ(czyb.text(QStringLiteral("czymc")), QStringLiteral("管理员"));
    EXPECT_EQ(czyb.text(QStringLiteral("czymm")), QStringLiteral("530162"));

    for (const char* line : kExpected) {
        const QString table = QString::fromUtf8(line).section(QLatin1Char(' '), 0, 0);
        if (table != QLatin1String("J_yhb") && table != QLatin1String("J_zjb") && table != QLatin1String("J_czyb"))
            EXPECT_EQ(tableRows(table), 0) << table.toStdString();
    }
}

TEST_F(SchemaTest, InitializingAgainDropsEverythingAndGivesTheSameResult)
{
    Database& db = Database::shared();
    db.exec(QStringLiteral("insert into J_spb(spdm,spmc) values('0001','螺丝')"));
    db.exec(QStringLiteral("update J_zjb set je=500"));
    db.exec(QStringLiteral("insert into J_czyb(czydm,czymc,czymm) values('2001','张三','1')"));

    const QStringList statements = schema::initializationStatements(db.tableNames());
    EXPECT_EQ(statements.filter(QStringLiteral("drop table ")).size(), 32);
    schema::createAllTables(db);

    EXPECT_EQ(tableRows(QStringLiteral("J_spb")), 0);
    EXPECT_EQ(tableRows(QStringLiteral("J_czyb")), 1);
    EXPECT_EQ(tableRows(QStringLiteral("J_yhb")), 1);
    ResultSet zjb;
    zjb.open(QStringLiteral("select je from J_zjb"));
    ASSERT_EQ(zjb.recordCount(), 1);
    EXPECT_EQ(zjb.number(QStringLiteral("je")), 0.0);
    EXPECT_EQ(db.tableNames().size(), 32);
}

TEST(SchemaStatements, EmptyDatabaseGetsNoDropAndTablesInAnyCaseAreDropped)
{
    EXPECT_TRUE(schema::initializationStatements({}).filter(QStringLiteral("drop")).isEmpty());
    const QStringList s = schema::initializationStatements({QStringLiteral("j_YHB"), QStringLiteral("other")});
    EXPECT_EQ(s.first(), QStringLiteral("drop table J_yhb"));
    EXPECT_EQ(s.filter(QStringLiteral("drop")).size(), 1);
    EXPECT_EQ(s.at(1), QStringLiteral("create table J_yhb(yhmc char(40),dz char(40),dh1 char(13),dh2 char(13),"
                                      "lxr char(10),yb char(6),yx char(30),wz char(30))"));
    EXPECT_TRUE(s.contains(QStringLiteral(
        "create table J_zjb(je numeric(10,2) default 0)")));
    EXPECT_TRUE(s.contains(QStringLiteral("insert into J_czyb(czydm,czymc,czymm) values(1001,'管理员',530162)")));
}

QStringList strings(const QString& sql, int column)
{
    QStringList out;
    sqlite3_stmt* st = Database::shared().prepare(sql);
    while (sqlite3_step(st) == SQLITE_ROW)
        out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, column)));
    sqlite3_finalize(st);
    return out;
}

// The column lists of a table's own indexes, in the order of their names.
QStringList indexedColumns(const QString& table)
{
    QStringList out;
    const QStringList names = strings(QStringLiteral("select name from sqlite_master where type='index' "
                                                     "and tbl_name='%1' and sql is not null order by name")
                                          .arg(table),
                                      0);
    for (const QString& name : names)
        out << strings(QStringLiteral("PRAGMA index_info(%1)").arg(name), 2).join(QLatin1Char(','));
    return out;
}

const struct {
    const char* table;
    QStringList indexes;
} kIndexes[] = {
    {"J_cgmxb", {"pzh", "spdm,cgrq", "cgrq,rklb,spdm,dj,sl", "spdm,pzh"}},
    {"J_xsmxb", {"pzh", "spdm,xsrq", "xsrq,cklb,spdm,dj,sl", "spdm,pzh"}},
    {"J_cgthmxb", {"pzh", "spdm,thrq", "thrq,cklb,spdm,dj,sl", "spdm,pzh"}},
    {"J_xsthmxb", {"pzh", "spdm,thrq", "thrq,rklb,spdm,dj,sl", "spdm,pzh"}},
    {"J_bsmxb", {"pzh", "spdm,bsrq", "bsrq,bslb,spdm,dj,sl", "spdm,pzh"}},
    {"J_cgfkb", {"pzh", "fkrq", "dh,pzh"}},
    {"J_xsskb", {"pzh", "skrq", "dh,pzh"}},
    {"J_cgskb", {"pzh", "skrq", "dh,pzh"}},
    {"J_xsfkb", {"pzh", "fkrq", "dh,pzh"}},
    {"J_zcmxb", {"pzh", "zcrq", "dh,pzh"}},
    {"J_cgb", {"ghs,fqf,sfk,yfk", "cgrq"}},
    {"J_xsb", {"ghs,fqf,ssk,ysk", "xsrq"}},
    {"J_cgthb", {"ths,fqf,ssk,ysk"}},
    {"J_xsthb", {"ths,fqf,sfk,yfk"}},
};

void expectEveryIndex()
{
    for (const auto& c : kIndexes)
        EXPECT_EQ(indexedColumns(QLatin1String(c.table)), c.indexes) << c.table;
}

TEST_F(SchemaTest, LinesAndMoneyAreIndexedByVoucherDateAndKeyAndHeadersByPartnerAndOpenAmounts)
{
    expectEveryIndex();
}

TEST_F(SchemaTest, AnEarlierFilesIndexesAreBroughtUpToDateAndItsRowsKept)
{
    Database& db = Database::shared();
    // As an earlier version left it: no key indexes, one index under a name now used for other columns.
    for (const auto& c : kIndexes)
        for (int n = 1; n <= c.indexes.size(); ++n)
            if (c.indexes.at(n - 1).endsWith(QLatin1String(",pzh")))
                db.exec(QStringLiteral("drop index ix_%1_%2").arg(QLatin1String(c.table)).arg(n));
    db.exec(QStringLiteral("drop index ix_J_cgfkb_2"));
    db.exec(QStringLiteral("create index ix_J_cgfkb_2 on J_cgfkb(dh)"));
    db.exec(QStringLiteral("insert into J_cgmxb(pzh,spdm,dj,sl) values('CG1','A1',2,3)"));
    db.exec(QStringLiteral("insert into J_cgfkb(pzh,dh,fkje) values('CG1','P1',6)"));

    schema::addMissingIndexes(db);
    expectEveryIndex();
    EXPECT_EQ(tableRows(QStringLiteral("J_cgmxb")), 1);
    EXPECT_EQ(tableRows(QStringLiteral("J_cgfkb")), 1);

    const QStringList before = strings(QStringLiteral("select sql from sqlite_master order by name"), 0);
    schema::addMissingIndexes(db); // up to date: nothing to do
    EXPECT_EQ(strings(QStringLiteral("select sql from sqlite_master order by name"), 0), before);
}

TEST(SchemaIndexes, AFileWithoutTablesIsLeftToTheInitialization)
{
    Database db;
    const QString file = QDir::temp().filePath(QStringLiteral("jxc_no_tables_%1.mdb").arg(QCoreApplication::applicationPid()));
    QFile::remove(file);
    db.open(file);
    schema::addMissingIndexes(db);
    EXPECT_TRUE(db.tableNames().isEmpty());
    db.close();
    QFile::remove(file);
}

// A stored line and a stored payment are looked for by voucher and key in one look-up, while
// a voucher's lines read by voucher alone still come in the order they were entered.
TEST_F(SchemaTest, TheDuplicateChecksGoByVoucherAndKeyAndAVouchersRowsKeepTheirOrder)
{
    const struct {
        const char* check;
        const char* index;
    } checks[] = {
        {"SELECT 1 FROM J_cgmxb WHERE pzh=? AND spdm=? LIMIT 1", "ix_J_cgmxb_4 (spdm=? AND pzh=?)"},
        {"SELECT 1 FROM J_bsmxb WHERE pzh=? AND spdm=? LIMIT 1", "ix_J_bsmxb_4 (spdm=? AND pzh=?)"},
        {"SELECT 1 FROM J_xsskb WHERE pzh=? AND dh=? LIMIT 1", "ix_J_xsskb_3 (dh=? AND pzh=?)"},
        {"SELECT 1 FROM J_zcmxb WHERE pzh=? AND dh=? LIMIT 1", "ix_J_zcmxb_3 (dh=? AND pzh=?)"},
    };
    for (const auto& c : checks)
        EXPECT_TRUE(strings(QStringLiteral("EXPLAIN QUERY PLAN ") + QLatin1String(c.check), 3)
                        .join(QLatin1Char('|'))
                        .contains(QLatin1String(c.index)))
            << c.check;

    Database& db = Database::shared();
    for (const char* code : {"B2", "A1", "C3"})
        db.exec(QStringLiteral("insert into J_bsmxb(pzh,spdm,dj,sl) values('BS1','%1',1,1)").arg(QLatin1String(code)));
    db.exec(QStringLiteral("insert into J_bsmxb(pzh,spdm,dj,sl) values('BS0','A0',1,1)"));
    EXPECT_EQ(strings(QStringLiteral("select spdm from J_bsmxb where pzh='BS1'"), 0), QStringList({"B2", "A1", "C3"}));
}

} // namespace
