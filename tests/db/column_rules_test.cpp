// Column rules the engine keeps: a refused write is an error and writes nothing.
#include "DbFixture.h"

class ColumnRules : public DbFixture {};

TEST_F(ColumnRules, RefusedWritesRaiseAndLeaveNothing)
{
    exec("insert into J_spb(spdm,spmc) values('001','螺丝')");
    const char* refused[] = {
        "insert into J_spb(spdm,spmc) values('0000001','x')",                    // char(6) too long
        "insert into J_spb(spdm,spmc) values('001','dup')",                      // duplicate key
        "insert into J_spb(spdm,spmc) values(null,'no key')",                    // null key
        "insert into J_spb(spdm,zxdj) values('002',100000000)",                  // outside numeric(10,2)
        "insert into J_spb(spdm,zxdj) values('002','abc')",                      // not a number
        "insert into J_cgb(pzh,cgrq) values('CG9','not a date')",                // not a date
        "insert into J_cgb(pzh,cgrq) values('CG9','2026/2/30')",                 // no such day
        "update J_spb set spmc='一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一'", // 31 > char(30)
        "update J_spb set xykc=xykc+99999999.995",
    };
    for (const char* sql : refused) {
        EXPECT_THROW(exec(sql), DbError) << sql;
        EXPECT_EQ(rows("select spdm,spmc,zxdj,xykc from J_spb"), QStringLiteral("001|螺丝|0|0")) << sql;
        EXPECT_EQ(rows("select count(*) from J_cgb"), QStringLiteral("0")) << sql;
    }
    // The same inside a transaction that goes on after the refusal: a refused update used to
    // leave its raw value (1e300 in a numeric(10,2) column) in the transaction.
    exec("insert into J_zjb(je) values(1000)");
    Transaction t(db);
    EXPECT_THROW(exec("update J_zjb set je=1e300"), DbError);
    EXPECT_EQ(rows("select je from J_zjb"), QStringLiteral("1000"));
    for (const char* sql : refused) {
        EXPECT_THROW(exec(sql), DbError) << sql;
        EXPECT_EQ(rows("select spdm,spmc,zxdj,xykc from J_spb"), QStringLiteral("001|螺丝|0|0")) << sql;
        EXPECT_EQ(rows("select count(*) from J_cgb"), QStringLiteral("0")) << sql;
    }
    EXPECT_THROW(exec("update J_spb set zxdj=1e300"), DbError);
    t.commit();
    EXPECT_EQ(rows("select spdm,spmc,zxdj,xykc from J_spb"), QStringLiteral("001|螺丝|0|0"));
    EXPECT_EQ(rows("select je from J_zjb"), QStringLiteral("1000"));
}

TEST_F(ColumnRules, WidthsCountCharactersNotBytes)
{
    exec("insert into J_czyb(czydm,czymc,czymm) values('1001','一二三四五六七八九十','123456')");
    EXPECT_EQ(rows("select czymc from J_czyb"), QStringLiteral("一二三四五六七八九十"));
    EXPECT_THROW(exec("update J_czyb set czymm='1234567'"), DbError);
}

TEST_F(ColumnRules, NumbersKeepTwoDecimalsRoundedToEven)
{
    const struct {
        const char* written;
        const char* stored;
    } cases[] = {
        {"12.345", "12.34"}, {"12.355", "12.36"}, {"'0.125'", "0.12"}, {"-0.125", "-0.12"},
        {"99999999.99", "99999999.99"}, {"-99999999.99", "-99999999.99"}, {"'300'", "300"}, {"1/3", "0.33"},
    };
    for (const auto& c : cases) {
        db.exec(QStringLiteral("delete from J_zjb"));
        db.exec(QStringLiteral("insert into J_zjb(je) values(%1)").arg(QString::fromLatin1(c.written)));
        EXPECT_EQ(rows("select je from J_zjb"), QString::fromLatin1(c.stored)) << c.written;
        db.exec(QStringLiteral("update J_zjb set je=%1").arg(QString::fromLatin1(c.written)));
        EXPECT_EQ(rows("select je from J_zjb"), QString::fromLatin1(c.stored)) << c.written;
    }
}

TEST_F(ColumnRules, BitStoresZeroOrOne)
{
    exec("insert into J_cgb(pzh,fqf) values('A',-1)");
    exec("insert into J_cgb(pzh,fqf) values('B',0)");
    exec("insert into J_cgb(pzh) values('C')");
    exec("insert into J_cgb(pzh,fqf) values('D',true)");
    EXPECT_EQ(rows("select pzh from J_cgb where fqf=1 order by pzh"), QStringLiteral("A;D"));
    EXPECT_EQ(rows("select pzh from J_cgb where fqf=0 order by pzh"), QStringLiteral("B;C"));
}

TEST_F(ColumnRules, OneStatementIsAllOrNothing)
{
    exec("insert into J_spb(spdm,xykc) values('001',1)");
    exec("insert into J_spb(spdm,xykc) values('002',50000000)");
    EXPECT_THROW(exec("update J_spb set xykc=xykc*2"), DbError);
    EXPECT_EQ(rows("select xykc from J_spb order by spdm"), QStringLiteral("1;50000000"));
}

TEST_F(ColumnRules, TransactionRollsBackEverythingOnFailure)
{
    exec("insert into J_zjb(je) values(1000)");
    try {
        Transaction t(db);
        exec("update J_zjb set je=700");
        exec("insert into J_spb(spdm) values('1234567')");
        t.commit();
        ADD_FAILURE();
    } catch (const DbError&) {
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(rows("select je from J_zjb"), QStringLiteral("1000"));
}
