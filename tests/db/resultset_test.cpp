// Editable result sets: the states, navigation flags and writes the screens rely on.
#include "DbFixture.h"

#include <QSignalSpy>
#include <functional>
#include <sqlite3.h>

class ResultSets : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("insert into J_jsfsb(bh,jsfs) values('01','现金')");
        exec("insert into J_jsfsb(bh,jsfs) values('02','支票')");
        exec("insert into J_jsfsb(bh,jsfs) values('03','汇款')");
    }
};

TEST_F(ResultSets, NavigationFlagsFollowTheClassicDataset)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select * from J_jsfsb"));
    struct Step {
        void (ResultSet::*move)();
        int row;
        bool bof, eof;
    };
    const Step steps[] = {
        {&ResultSet::next, 1, false, false},  {&ResultSet::prior, 0, false, false}, {&ResultSet::prior, 0, true, false},
        {&ResultSet::last, 2, false, true},   {&ResultSet::next, 2, false, true},   {&ResultSet::prior, 1, false, false},
        {&ResultSet::next, 2, false, false},  {&ResultSet::next, 2, false, true},   {&ResultSet::first, 0, true, false},
    };
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());
    int i = 0;
    for (const auto& s : steps) {
        (rs.*s.move)();
        EXPECT_EQ(rs.recNo(), s.row) << "step " << i;
        EXPECT_EQ(rs.bof(), s.bof) << "step " << i;
        EXPECT_EQ(rs.eof(), s.eof) << "step " << i;
        ++i;
    }
}

TEST_F(ResultSets, EmptySetIsAtBothEnds)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select * from J_jsfsb where bh='99'"));
    EXPECT_TRUE(rs.isEmpty());
    EXPECT_TRUE(rs.bof() && rs.eof());
    rs.next();
    rs.prior();
    EXPECT_TRUE(rs.bof() && rs.eof());
    EXPECT_EQ(rs.recNo(), -1);
    EXPECT_TRUE(rs.value(QStringLiteral("jsfs")).isNull());
}

TEST_F(ResultSets, AliasedSelectIsEditableByAliasOrColumnAnyCase)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select bh as 编号,jsfs as 结算方式 from J_jsfsb"));
    ASSERT_TRUE(rs.canModify());
    EXPECT_EQ(rs.fieldName(1), QStringLiteral("结算方式"));
    rs.next();
    rs.edit();
    rs.setValue(QStringLiteral("结算方式"), QStringLiteral("转帐"));
    EXPECT_EQ(rs.state(), ResultSet::Edit);
    rs.next(); // moving off posts
    EXPECT_EQ(rs.state(), ResultSet::Browse);
    EXPECT_EQ(rows("select jsfs from J_jsfsb where bh='02'"), QStringLiteral("转帐"));

    ResultSet plain(db);
    plain.open(QStringLiteral("select * from J_JSFSB"));
    EXPECT_EQ(plain.text(QStringLiteral("JSFS")), QStringLiteral("现金"));
    EXPECT_THROW(plain.value(QStringLiteral("nosuch")), DbError);
}

TEST_F(ResultSets, FilteredSetIsEditableAndReadsBackWhatItStored)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select bh as 编号,jsfs from J_jsfsb where bh>'01' order by bh desc"));
    ASSERT_TRUE(rs.canModify());
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.text(QStringLiteral("编号")), QStringLiteral("03"));
    rs.edit();
    rs.setValue(QStringLiteral("jsfs"), QStringLiteral("电汇"));
    rs.post();
    EXPECT_EQ(rs.text(QStringLiteral("jsfs")), QStringLiteral("电汇"));
    rs.append();
    rs.setValue(QStringLiteral("编号"), QStringLiteral("04"));
    rs.setValue(QStringLiteral("jsfs"), QStringLiteral("承兑"));
    rs.post();
    EXPECT_EQ(rs.valueAt(2, 0).toString(), QStringLiteral("04"));
    EXPECT_EQ(rows("select jsfs from J_jsfsb where bh>'01' order by bh"), QStringLiteral("支票;电汇;承兑"));
    rs.requery();
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.valueAt(0, 0).toString(), QStringLiteral("04"));
}

TEST_F(ResultSets, AppendPostCancelAndDelete)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select bh as 编号,jsfs as 结算方式 from J_jsfsb"));
    QSignalSpy inserted(&rs, &ResultSet::rowInserted);
    rs.append();
    EXPECT_EQ(rs.state(), ResultSet::Insert);
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(rs.recNo(), 3);
    EXPECT_EQ(inserted.count(), 1);
    rs.setValue(QStringLiteral("编号"), QStringLiteral("04"));
    rs.setValue(QStringLiteral("结算方式"), QStringLiteral("王's"));
    rs.post();
    EXPECT_EQ(rs.state(), ResultSet::Browse);
    EXPECT_EQ(rows("select jsfs from J_jsfsb where bh='04'"), QStringLiteral("王's"));

    // A new row dropped with cancel leaves the position where it was.
    rs.moveTo(1);
    rs.append();
    rs.setValue(QStringLiteral("编号"), QStringLiteral("05"));
    rs.cancel();
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(rs.recNo(), 1);
    EXPECT_EQ(rows("select count(*) from J_jsfsb"), QStringLiteral("4"));

    // An edit cancelled returns to the stored values.
    rs.edit();
    rs.setValue(1, QStringLiteral("改"));
    EXPECT_EQ(rs.text(QStringLiteral("结算方式")), QStringLiteral("改"));
    rs.cancel();
    EXPECT_EQ(rs.text(QStringLiteral("结算方式")), QStringLiteral("支票"));

    rs.remove();
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.text(QStringLiteral("编号")), QStringLiteral("03"));
    EXPECT_EQ(rows("select bh from J_jsfsb order by bh"), QStringLiteral("01;03;04"));
}

TEST_F(ResultSets, RefusedPostKeepsTheStateForTheCallerToCancel)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select * from J_jsfsb"));
    rs.append();
    rs.setValue(QStringLiteral("bh"), QStringLiteral("01")); // duplicate key
    EXPECT_THROW(rs.post(), DbError);
    EXPECT_EQ(rs.state(), ResultSet::Insert);
    rs.cancel();
    EXPECT_EQ(rs.recordCount(), 3);
    rs.edit();
    rs.setValue(QStringLiteral("jsfs"), QStringLiteral("一二三四五六七八九十一")); // 11 > char(10)
    EXPECT_THROW(rs.post(), DbError);
    rs.cancel();
    EXPECT_EQ(rows("select jsfs from J_jsfsb where bh='01'"), QStringLiteral("现金"));
}

TEST_F(ResultSets, ValuesComeBackTyped)
{
    exec("insert into J_cgb(pzh,yfk,fqf,cgrq) values('CG1',12.5,1,'2026/12/9')");
    ResultSet rs(db);
    rs.open(QStringLiteral("select * from J_cgb"));
    EXPECT_EQ(rs.value(QStringLiteral("yfk")).typeId(), QMetaType::Double);
    EXPECT_EQ(rs.value(QStringLiteral("fqf")), QVariant(true));
    EXPECT_EQ(rs.value(QStringLiteral("cgrq")), QVariant(QDate(2026, 12, 9)));
    EXPECT_EQ(rs.text(QStringLiteral("cgrq")), QStringLiteral("2026/12/9"));
    EXPECT_TRUE(rs.value(QStringLiteral("jzrq")).isNull());
    EXPECT_EQ(rs.number(QStringLiteral("sfk")), 0);

    // Dates written through the set in every form the screens use.
    rs.edit();
    rs.setValue(QStringLiteral("jzrq"), QStringLiteral("2026/12/31"));
    rs.setValue(QStringLiteral("cgrq"), QDateTime(QDate(2026, 12, 1), QTime(9, 30)));
    rs.post();
    EXPECT_EQ(rows("select pzh from J_cgb where jzrq=#2026/12/31# and cgrq>#2026/12/1#"), QStringLiteral("CG1"));
    rs.edit();
    EXPECT_THROW(rs.setValue(QStringLiteral("yfk"), QStringLiteral("12a")), ConversionError);
    EXPECT_THROW(rs.setValue(QStringLiteral("jzrq"), QStringLiteral("明天")), ConversionError);
    rs.cancel();
}

TEST_F(ResultSets, LocateAndReadOnlyQueries)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select * from J_jsfsb"));
    EXPECT_TRUE(rs.locate(QStringLiteral("bh"), QStringLiteral("03")));
    EXPECT_EQ(rs.recNo(), 2);
    EXPECT_FALSE(rs.locate(QStringLiteral("bh"), QStringLiteral("09")));
    EXPECT_EQ(rs.recNo(), 2);

    ResultSet q(db);
    q.open(QStringLiteral("select distinct jsfs from J_jsfsb order by jsfs"));
    EXPECT_FALSE(q.canModify());
    EXPECT_THROW(q.append(), DbError);
    EXPECT_TRUE(q.locate(QStringLiteral("jsfs"), QStringLiteral("现金")));
}

TEST_F(ResultSets, DisabledControlsHearOnlyTheFinalReset)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select * from J_jsfsb"));
    QSignalSpy moved(&rs, &ResultSet::currentChanged);
    QSignalSpy reset(&rs, &ResultSet::reset);
    rs.disableControls();
    rs.last();
    rs.first();
    EXPECT_EQ(moved.count(), 0);
    rs.enableControls();
    EXPECT_EQ(reset.count(), 1);
}

TEST_F(ResultSets, ReopeningTellsTheControlsOnceAndAFailedReopenLeavesItClosed)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select * from J_jsfsb"));
    QSignalSpy reset(&rs, &ResultSet::reset);
    rs.open(QStringLiteral("select * from J_jsfsb where bh='02'"));
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_THROW(rs.open(QStringLiteral("select nosuch from J_jsfsb")), DbError);
    EXPECT_EQ(reset.count(), 2); // the controls hear that the rows are gone
    EXPECT_FALSE(rs.isActive());
}

TEST_F(ResultSets, WholeTableListsRowsInStoredOrderNotIndexOrder)
{
    // The key's index sorts differently from the order the rows were stored in.
    for (const char* code : {"S3", "S1", "S2"})
        db.exec(QStringLiteral("insert into J_spb(spdm,spmc) values('%1','x')").arg(QLatin1String(code)));
    EXPECT_EQ(rows("select spdm from J_spb"), QStringLiteral("S3;S1;S2"));
    ResultSet rs(db);
    rs.open(QStringLiteral("select * from J_spb"));
    ASSERT_TRUE(rs.canModify());
    QStringList seen;
    for (int r = 0; r < rs.recordCount(); ++r)
        seen << rs.valueAt(r, 0).toString();
    EXPECT_EQ(seen, QStringList({"S3", "S1", "S2"}));
    // A condition or an order still decides.
    EXPECT_EQ(rows("select spdm from J_spb where spdm='S1'"), QStringLiteral("S1"));
    EXPECT_EQ(rows("select spdm from J_spb order by spdm desc"), QStringLiteral("S3;S2;S1"));
}

TEST_F(ResultSets, StoredDateTextsReadAsTheirDates)
{
    struct Case {
        const char* stored;
        QVariant expected;
    };
    const Case cases[] = {
        {"2026-12-09", QDate(2026, 12, 9)},
        {"0999-01-31", QDate(999, 1, 31)},
        {"2026-2-3", QDate(2026, 2, 3)},     // written by an earlier version
        {"2026/12/09", QDate(2026, 12, 9)},
        {"2026-12-09 08:30:00", QDateTime(QDate(2026, 12, 9), QTime(8, 30))},
        {"2026-12-09 00:00:00", QDate(2026, 12, 9)},
        {"2026-02-30", QStringLiteral("2026-02-30")}, // no such day: kept as the text it is
        {"2026-1x-09", QStringLiteral("2026-1x-09")},
    };
    // Stored as they are, past the column rules.
    ASSERT_EQ(sqlite3_exec(db.handle(), "drop trigger J_rzb__jx_ins; drop trigger J_rzb__jx_upd", nullptr, nullptr, nullptr),
              SQLITE_OK);
    ResultSet rs(db);
    for (const Case& c : cases) {
        db.exec(QStringLiteral("delete from J_rzb"));
        sqlite3_stmt* st = db.prepare(QStringLiteral("insert into J_rzb(rzrq) select ?"));
        sqlite3_bind_text(st, 1, c.stored, -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_finalize(st);
        rs.open(QStringLiteral("select * from J_rzb"));
        EXPECT_EQ(rs.value(QStringLiteral("rzrq")), c.expected) << c.stored;
        EXPECT_EQ(rs.rowValues(0).value(0), c.expected) << c.stored;
    }
}

TEST_F(ResultSets, RowReaderGivesEveryRowAsTheSetHasIt)
{
    // What may happen between reading a set and walking it.
    struct Case {
        const char* name;
        const char* sql;
        std::function<void(ResultSet&, Database&)> change;
    };
    const Case cases[] = {
        {"untouched", "select * from J_jsfsb", [](ResultSet&, Database&) {}},
        {"untouched, with a condition", "select jsfs as 方式, bh from J_jsfsb where bh<>'02'", [](ResultSet&, Database&) {}},
        {"row deleted behind the set", "select * from J_jsfsb",
         [](ResultSet&, Database& d) { d.exec(QStringLiteral("delete from J_jsfsb where bh='02'")); }},
        {"row added behind the set", "select * from J_jsfsb where bh>'01'",
         [](ResultSet&, Database& d) { d.exec(QStringLiteral("insert into J_jsfsb(bh,jsfs) values('00','x')")); }},
        {"row removed through the set", "select * from J_jsfsb",
         [](ResultSet& rs, Database&) {
             rs.moveTo(1);
             rs.remove();
         }},
        {"row appended through the set", "select * from J_jsfsb",
         [](ResultSet& rs, Database&) {
             rs.append();
             rs.setValue(QStringLiteral("bh"), QStringLiteral("09"));
             rs.post();
         }},
        {"row edited out of the condition", "select * from J_jsfsb where jsfs<>'转帐'",
         [](ResultSet& rs, Database&) {
             rs.moveTo(0);
             rs.edit();
             rs.setValue(QStringLiteral("jsfs"), QStringLiteral("转帐"));
             rs.post();
         }},
        {"row being edited", "select * from J_jsfsb",
         [](ResultSet& rs, Database&) {
             rs.moveTo(1);
             rs.edit();
             rs.setValue(QStringLiteral("jsfs"), QStringLiteral("未存"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        exec("delete from J_jsfsb");
        for (int i = 1; i <= 5; ++i)
            db.exec(QStringLiteral("insert into J_jsfsb(bh,jsfs) values('0%1','方式%1')").arg(i));
        ResultSet rs(db);
        rs.open(QString::fromUtf8(c.sql));
        ASSERT_TRUE(rs.canModify());
        c.change(rs, db);
        ResultSet::RowReader reader(rs);
        for (int r = 0; r < rs.recordCount(); ++r)
            EXPECT_EQ(reader.row(r), rs.rowValues(r)) << "row " << r;
        EXPECT_EQ(rs.rowValues(0).value(0), rs.valueAt(0, 0));
    }
}

// A summary's rows repeat the text above them; each row must still read its own text.
TEST_F(ResultSets, GroupedRowsReadEachTextWhateverTheRowAboveHeld)
{
    const QList<QVariant> added = {QStringLiteral("汇款"), QStringLiteral("汇款款"), QStringLiteral("汇"),
                                   QStringLiteral("汇款"),   QVariant(),                QString(""),
                                   QString(""),              QStringLiteral("汇款")};
    for (int i = 0; i < added.size(); ++i) {
        const QString text = added[i].isNull() ? QStringLiteral("null") : quoted(added[i].toString());
        db.exec(QStringLiteral("insert into J_jsfsb(bh,jsfs) values('%1',%2)").arg(i + 4, 2, 10, QLatin1Char('0')).arg(text));
    }
    ResultSet rs(db);
    rs.open(QStringLiteral("select bh,jsfs from J_jsfsb group by bh,jsfs order by bh"));
    QList<QVariant> expected = {QStringLiteral("现金"), QStringLiteral("支票"), QStringLiteral("汇款")};
    expected += added;
    ASSERT_EQ(rs.recordCount(), expected.size());
    for (int row = 0; row < expected.size(); ++row) {
        SCOPED_TRACE(row);
        const QVariant v = rs.valueAt(row, 1);
        EXPECT_EQ(v.isNull(), expected[row].isNull());
        if (!expected[row].isNull())
            EXPECT_EQ(v.toString(), expected[row].toString());
    }
}

// Reads that differ only in the literals they compare against share one compiled statement
// with the literals bound: each must still read what its own text says, column names
// included, and a text the engine refuses must fail with the engine's own words.
TEST_F(ResultSets, ReadsSharingAShapeAnswerAsTheirOwnText)
{
    exec("insert into J_spb(spdm,spmc,lb,xykc) values('S1','it''s','进货',5)");
    exec("insert into J_spb(spdm,spmc,lb,xykc) values('S2','螺丝','进货',12)");
    exec("insert into J_spb(spdm,spmc,lb,xykc) values('S3','螺母','退货',0)");
    exec("insert into J_cgb(pzh,ghs,cgrq) values('CG1','甲','2025/1/1')");
    exec("insert into J_cgb(pzh,ghs,cgrq) values('CG2','乙','2025/12/31')");
    exec("insert into J_cgb(pzh,ghs,cgrq) values('CG3','甲','2026/1/1')");
    const struct {
        const char* sql;
        const char* expected;
    } cases[] = {
        {"select spdm from J_spb where spmc='it''s'", "S1"},
        {"select spdm from J_spb where spmc='螺丝'", "S2"},
        {"select spdm from J_spb where spmc='nothing'", ""},
        {"select spdm from J_spb where lb<>'进货' order by spdm", "S3"},
        {"select spdm from J_spb where spmc like '螺%' order by spdm", "S2;S3"},
        {"select spdm from J_spb where spmc like '%s' order by spdm", "S1"},
        {"select spdm from J_spb where xykc>'4' order by spdm", "S1;S2"},
        {"select spdm from J_spb where spdm in ('S1','S3') order by spdm", "S1;S3"},
        {"select pzh from J_cgb where cgrq between #2025/1/1# and #2025/12/31# order by pzh", "CG1;CG2"},
        {"select pzh from J_cgb where cgrq between #2025/12/31# and #2026/1/1# order by pzh", "CG2;CG3"},
        {"select pzh from J_cgb where ghs='甲' and cgrq>=#2025/6/1#", "CG3"},
        {"select 'x' as 类, count(*) from J_cgb where ghs='乙'", "x|1"},
        {"select J_cgb.pzh from J_cgb,J_spb where J_spb.spdm='S2' and J_cgb.ghs='乙'", "CG2"},
    };
    for (int round = 0; round < 2; ++round) { // the second round reuses what the first compiled
        for (const auto& c : cases)
            EXPECT_EQ(rows(c.sql), QString::fromUtf8(c.expected)) << c.sql;
    }
    EXPECT_DOUBLE_EQ(db.firstValue(QStringLiteral("select sum(xykc) from J_spb where lb='进货'")).toDouble(), 17);
    EXPECT_DOUBLE_EQ(db.firstValue(QStringLiteral("select sum(xykc) from J_spb where lb='退货'")).toDouble(), 0);

    // The names a grid heads its columns with come from the text as written.
    ResultSet named(db);
    named.open(QStringLiteral("select spdm, 'y', xykc+1 from J_spb where spmc='螺丝'"));
    ASSERT_EQ(named.fieldCount(), 3);
    EXPECT_EQ(named.fieldName(1), QStringLiteral("'y'"));
    EXPECT_EQ(named.valueAt(0, 1).toString(), QStringLiteral("y"));

    // Two sets of one shape open at once each keep their own rows.
    ResultSet first(db), second(db);
    first.open(QStringLiteral("select spmc from J_spb where spdm='S1' and xykc>=0"));
    second.open(QStringLiteral("select spmc from J_spb where spdm='S2' and xykc>=0"));
    EXPECT_EQ(first.valueAt(0, 0).toString(), QStringLiteral("it's"));
    EXPECT_EQ(second.valueAt(0, 0).toString(), QStringLiteral("螺丝"));

    // A table made anew under a kept statement is read as it is now; a missing column is
    // refused with the engine's words, as the text alone would be.
    exec("drop table J_jsfsb");
    exec("create table J_jsfsb(bh char(2) PRIMARY KEY,jsfs char(10),bz char(10))");
    exec("insert into J_jsfsb(bh,jsfs,bz) values('09','现金','新')");
    EXPECT_EQ(rows("select bh from J_jsfsb where jsfs='现金'"), QStringLiteral("09"));
    for (const char* sql : {"select nosuch from J_jsfsb where jsfs='现金'", "select nosuch from J_jsfsb where jsfs='支票'"}) {
        try {
            rows(sql);
            ADD_FAILURE() << "a missing column was read: " << sql;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().contains(QStringLiteral("nosuch"))) << e.what();
        }
    }
}
