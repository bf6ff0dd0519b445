// The small helpers every query screen builds on.
#include "db/Database.h"
#include "db/ResultSet.h"
#include "reports/QueryScreen.h"
#include "support/InitializedDb.h"
#include "support/UiHelpers.h"
#include "widgets/Controls.h"

#include <QComboBox>
#include <QDate>
#include <QSignalSpy>

namespace {

class QueryHelpers : public InitializedDbTest {
protected:
    void run(const QString& sql) { Database::shared().exec(sql); }
    int rows(const QString& table) { return int(sumOf(QStringLiteral("select count(*) from ") + table)); }
};

TEST_F(QueryHelpers, ASumOverNoRowsOrNullsIsZero)
{
    EXPECT_EQ(sumOf(QStringLiteral("select sum(yfk) from J_cgb")), 0);
    run(QStringLiteral("insert into J_cgb(pzh,yfk) values('CG1',12.5)"));
    run(QStringLiteral("insert into J_cgb(pzh,yfk) values('CG2',0.25)"));
    EXPECT_DOUBLE_EQ(sumOf(QStringLiteral("select sum(yfk) from J_cgb")), 12.75);
    EXPECT_EQ(sumOf(QStringLiteral("select yfk from J_cgb where pzh='none'")), 0);
}

TEST_F(QueryHelpers, AListIsRefilledWithoutTouchingTheTypedText)
{
    run(QStringLiteral("insert into J_cgb(pzh,ghs) values('CG1','乙')"));
    run(QStringLiteral("insert into J_cgb(pzh,ghs) values('CG2','甲')"));
    QComboBox* combo = makeCombo(nullptr, QStringLiteral("ComboBox1"), {QStringLiteral("旧")});
    combo->setEditText(QStringLiteral("甲方"));
    QSignalSpy changes(combo, &QComboBox::currentTextChanged);
    fillList(combo, QStringLiteral("select ghs from J_cgb order by pzh"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("甲方"));
    EXPECT_EQ(changes.count(), 0);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("乙"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("甲"));
    delete combo;
}

TEST_F(QueryHelpers, ARefillThatFailsLeavesTheScratchTableAsItWas)
{
    run(QStringLiteral("insert into J_zjtmp(pzh,skje) values('OLD',1)"));
    EXPECT_ANY_THROW(refillScratch(QStringLiteral("J_zjtmp"),
                                   {QStringLiteral("insert into J_zjtmp(pzh,skje) values('NEW',2)"),
                                    QStringLiteral("insert into J_nosuchtable(pzh) values('X')")}));
    EXPECT_EQ(rows(QStringLiteral("J_zjtmp")), 1);
    EXPECT_EQ(sumOf(QStringLiteral("select skje from J_zjtmp where pzh='OLD'")), 1);

    refillScratch(QStringLiteral("J_zjtmp"), {QStringLiteral("insert into J_zjtmp(pzh,skje) values('NEW',2)")});
    EXPECT_EQ(rows(QStringLiteral("J_zjtmp")), 1);
    EXPECT_EQ(sumOf(QStringLiteral("select skje from J_zjtmp where pzh='NEW'")), 2);
}

TEST_F(QueryHelpers, ADateRangeHoldsItsFirstAndLastDay)
{
    for (const char* day : {"2026/2/28", "2026/3/1", "2026/3/15", "2026/3/31", "2026/4/1"})
        run(QStringLiteral("insert into J_zjtmp(pzh,rq) values('%1',#%1#)").arg(QLatin1String(day)));
    const QString range = dateRangeText(QDate(2026, 3, 1), QDate(2026, 3, 31));
    EXPECT_EQ(range, QStringLiteral("#2026/3/1# and #2026/3/31#"));
    EXPECT_EQ(listOf(QStringLiteral("select pzh from J_zjtmp where rq between ") + range + QStringLiteral(" order by rq")),
              (QStringList{"2026/3/1", "2026/3/15", "2026/3/31"}));
    EXPECT_EQ(listOf(QStringLiteral("select pzh from J_zjtmp where rq between ") +
                     dateRangeText(QDate(2026, 3, 31), QDate(2026, 3, 31))),
              (QStringList{"2026/3/31"}));
    EXPECT_TRUE(listOf(QStringLiteral("select pzh from J_zjtmp where rq between ") +
                       dateRangeText(QDate(2026, 4, 1), QDate(2026, 3, 1)))
                    .isEmpty());
}

} // namespace
