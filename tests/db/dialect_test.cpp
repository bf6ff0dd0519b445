// The statement shapes the screens send, as they write them.
#include "DbFixture.h"

class Dialect : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        for (const char* s : {
                 "insert into J_cgb(pzh,rklb,ghs,yfk,sfk,cgrq,jzrq) values('CG1','采购','王''s 商行',100,20,'2026/12/1','2026/12/9')",
                 "insert into J_cgb(pzh,rklb,ghs,yfk,sfk,cgrq,jzrq) values('CG2','赠送',null,50,50,'2026-12-09','2026-12-10')",
                 "insert into J_cgb(pzh,rklb,ghs,yfk,sfk,cgrq,jzrq) values('CG3','采购','甲',7,0,'2025/11/30 10:20:00','2025/12/31')",
                 "insert into J_spb(spdm,spmc,lb,xykc,kcxx) values('001','螺丝','五金',3,5)",
                 "insert into J_spb(spdm,spmc,lb,xykc,kcxx) values('002','螺母','五金',9,5)",
                 "insert into J_spb(spdm,spmc,lb,xykc,kcxx) values('003','胶水','化工',0,0)",
                 "insert into J_cgmxb(pzh,spdm,dj,sl,cgrq) values('CG1','001',2,10,'2026/12/1')",
                 "insert into J_cgmxb(pzh,spdm,dj,sl,cgrq) values('CG1','002',4,20,'2026/12/1')",
                 "insert into J_cgmxb(pzh,spdm,dj,sl,cgrq) values('CG3','001',7,1,'2025/11/30')",
                 "insert into J_rzb(rzrq,czy) values('2026/12/9 10:05:03','管理员')",
                 "insert into J_rzb(rzrq,czy) values('2026/12/8','管理员')",
                 "insert into J_zjb(je) values(1000)",
             })
            exec(s);
    }
};

TEST_F(Dialect, StatementShapesGiveTheirRows)
{
    const struct {
        const char* sql;
        const char* expected;
    } cases[] = {
        // "#" date literals and quoted dates compared with date columns
        {"select pzh from J_cgb where cgrq=#2026/12/9#", "CG2"},
        {"select pzh from J_cgb where jzrq<='2026/12/9' order by pzh", "CG1;CG3"},
        {"select pzh from J_cgb where '2026/12/9'>=jzrq order by pzh", "CG1;CG3"},
        {"select pzh from J_cgb where cgrq between '2026/12/1'and '2026/12/9' order by pzh", "CG1;CG2"},
        {"select pzh from J_cgb where cgrq between #2025/11/30# and #2025/11/30#", ""},
        {"select pzh from J_cgb where cgrq between #2025/11/30# and #2025/12/1#", "CG3"},
        {"select pzh from J_cgb where cgrq>=#2025/11/30# and cgrq<#2025/12/1#", "CG3"},
        {"select czy from J_rzb where rzrq between #2026/12/8# and #2026/12/9# order by rzrq", "管理员"},
        // dates come back as dates, with their time when they have one
        {"select cgrq from J_cgb order by pzh", "2026/12/1;2026/12/9;2025/11/30 10:20:00"},
        // "+" joins texts; a null part makes the whole null
        {"select rklb+ghs from J_cgb order by pzh", "采购王's 商行;;采购甲"},
        {"select pzh+'/'+rklb from J_cgb where pzh='CG1'", "CG1/采购"},
        {"select yfk+sfk from J_cgb where pzh='CG1'", "120"},
        // year() and month() compared with quoted numbers
        {"select pzh from J_cgb where year(cgrq)='2026' and month(cgrq)='12' order by pzh", "CG1;CG2"},
        {"select pzh from J_cgb where year(cgrq)=2025", "CG3"},
        // like with % and %%
        {"select spmc from J_spb where spmc like '%螺%' order by spdm", "螺丝;螺母"},
        {"select spmc from J_spb where spmc like '%%胶%%'", "胶水"},
        {"select pzh from J_cgb where ghs like '%''s%'", "CG1"},
        // distinct, union, group by, order by an aggregate, subqueries, joins
        {"select distinct lb from J_spb order by lb", "五金;化工"},
        {"select spdm from J_spb where spdm='001' union select spdm from J_spb where spdm='003'", "001;003"},
        {"select spdm,sum(dj*sl) from J_cgmxb group by spdm order by sum(dj*sl) desc", "002|80;001|27"},
        {"select spmc from J_spb where spdm in (select spdm from J_cgmxb where pzh='CG3')", "螺丝"},
        {"select spmc from J_spb where spdm not in (select spdm from J_cgmxb)", "胶水"},
        {"select J_spb.spmc,J_cgmxb.sl from J_cgmxb,J_spb where J_spb.spdm=J_cgmxb.spdm and J_cgmxb.pzh='CG1' order by J_cgmxb.spdm",
         "螺丝|10;螺母|20"},
        {"select * from J_spb where (xykc<=kcxx ) and (kcxx<>0)", "001|螺丝|五金|0|3|5"},
        {"select sum(fqf) from J_cgb", "0"},
        {"select sum(dj*sl) from J_cgmxb where pzh='none'", ""},
        // table names in any case
        {"select je from j_zjb", "1000"},
        {"select count(*) from J_CGB", "3"},
        // top n
        {"select top 2 pzh from J_cgb order by yfk desc", "CG1;CG2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(c.sql), QString::fromUtf8(c.expected)) << c.sql;
}

TEST_F(Dialect, UpdatesAndInsertsAsTheScreensWriteThem)
{
    exec("update J_cgb set sfk=sfk+'300' where pzh='CG1'");
    EXPECT_EQ(rows("select sfk from J_cgb where pzh='CG1'"), QStringLiteral("320"));
    exec("update J_cgb set sfk=sfk-12.5 where pzh='CG1'");
    EXPECT_EQ(rows("select sfk from J_cgb where pzh='CG1'"), QStringLiteral("307.5"));
    exec("update J_zjb set je=je+0.1");
    exec("update J_zjb set je=je+0.2");
    EXPECT_EQ(rows("select je from J_zjb"), QStringLiteral("1000.3"));
    // numbers into text columns
    exec("insert into J_czyb(czydm,czymc,czymm) values(1001,'管理员',530162)");
    EXPECT_EQ(rows("select czydm,czymm from J_czyb where czydm='1001'"), QStringLiteral("1001|530162"));
    // a two-line statement
    EXPECT_EQ(rows("select czy from J_rzb where czy='管理员'\nand rzrq between #2026/12/8# and #2026/12/8# order by rzrq"),
              QStringLiteral("管理员"));
    // date and time written in every form land as the same date
    exec("insert into J_rzb(rzrq,czy) values('2026-12-09T23:59:00','a')");
    exec("insert into J_rzb(rzrq,czy) values('2026/12/9 0:00:00','b')");
    EXPECT_EQ(rows("select czy from J_rzb where rzrq=#2026/12/9#"), QStringLiteral("b"));
    EXPECT_EQ(rows("select czy from J_rzb where rzrq>#2026/12/9 12:00:00#"), QStringLiteral("a"));
}

TEST_F(Dialect, CreateTableKeepsTypesDefaultsAndKey)
{
    exec("create table J_test(bh char(2) PRIMARY KEY,mc char(10),je numeric(10,2) default 0,bz bit default 0,rq smalldatetime)");
    exec("insert into J_test(bh) values('01')");
    EXPECT_EQ(rows("select bh,mc,je,bz,rq from J_test"), QStringLiteral("01||0|False|"));
    EXPECT_TRUE(db.hasTable(QStringLiteral("j_TEST")));
    exec("drop table J_test");
    EXPECT_FALSE(db.hasTable(QStringLiteral("J_test")));
}

TEST_F(Dialect, StatementsOfOneShapeReadEachTheirOwnLiterals)
{
    // In this order: each text follows another of its shape with other literals in it.
    const struct {
        const char* sql;
        const char* expected;
    } cases[] = {
        {"select pzh from J_cgb where jzrq<='2026/12/9' order by pzh", "CG1;CG3"},
        {"select pzh from J_cgb where jzrq<='2025/12/31' order by pzh", "CG3"},
        {"select pzh from J_cgb where jzrq<='2026-12-10' order by pzh", "CG1;CG2;CG3"},
        {"select pzh from J_cgb where pzh='CG1'", "CG1"},
        {"select pzh from J_cgb where pzh='CG2'", "CG2"},
        {"select pzh from J_cgb where ghs='王''s 商行'", "CG1"},
        {"select pzh from J_cgb where ghs='甲'", "CG3"},
        {"select pzh from J_cgb where ghs='2026/12/9'", ""},
        {"select pzh from J_cgb where jzrq<='2026/12/9' order by pzh", "CG1;CG3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(c.sql), QString::fromUtf8(c.expected)) << c.sql;
}

TEST_F(Dialect, ANewTableChangesHowItsColumnsAreRead)
{
    const QString sql = QStringLiteral("select bh from J_rq where rq='2026/1/5'");
    EXPECT_EQ(db.translate(sql), sql); // no table has a date column rq yet
    exec("create table J_rq(bh char(2),rq smalldatetime)");
    exec("insert into J_rq(bh,rq) values('01','2026/1/5')");
    EXPECT_EQ(rows(sql), QStringLiteral("01"));
    exec("drop table J_rq");
    exec("create table J_rq(bh char(2),rq char(10))");
    exec("insert into J_rq(bh,rq) values('02','2026/1/5')");
    EXPECT_EQ(rows(sql), QStringLiteral("02")); // a text again, compared as typed
}

TEST_F(Dialect, QuotedTextCannotChangeAStatement)
{
    const QString evil = QStringLiteral("x'; delete from J_spb; --");
    db.exec(QStringLiteral("insert into J_spb(spdm,spmc) values('009',%1)").arg(quoted(evil)));
    EXPECT_EQ(rows(QStringLiteral("select spmc from J_spb where spmc=%1").arg(quoted(evil))), evil);
    EXPECT_EQ(rows("select count(*) from J_spb"), QStringLiteral("4"));
    // A date-shaped text in a text column stays as typed.
    db.exec(QStringLiteral("update J_spb set spmc=%1 where spdm='009'").arg(quoted(QStringLiteral("2026/1/5"))));
    EXPECT_EQ(rows("select spmc from J_spb where spdm='009'"), QStringLiteral("2026/1/5"));
}
