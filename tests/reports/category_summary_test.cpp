// The category summary: every goods movement of a range valued per movement category,
// gathered through the scratch table.
#include "ledger/LedgerBooks.h"

#include "ledger/GoodsJournalScreen.h"
#include "reports/CategorySummaryScreen.h"
#include "support/ModalScript.h"
#include "widgets/DBGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>

#include <algorithm>

namespace {

class CategorySummaryTest : public LedgerTest {
protected:
    static QStringList summary(TForm57& s, const QDate& from, const QDate& to)
    {
        s.DateTimePicker1->setDate(from);
        s.DateTimePicker2->setDate(to);
        click(s.BitBtn1);
        QStringList rows = gridRows(s.DBGrid1);
        std::sort(rows.begin() + 1, rows.end());
        return rows;
    }
};

TEST_F(CategorySummaryTest, EveryMovementCountsUnderItsOwnCategoryAndLikeTextsShareARow)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"), 100);
    addArticle(QStringLiteral("A2"), QStringLiteral("螺母"), 100);
    book("CG1001263_001", "华丰", QDate(2026, 3, 1), {{"A1", 5, 10}}, {}, QStringLiteral("进货"));
    book("XS1001263_001", "甲", QDate(2026, 3, 31), {{"A1", 8, 4}, {"A2", 1.5, 2}}, {}, QStringLiteral("批发"));
    book("XT1001263_001", "甲", QDate(2026, 3, 10), {{"A1", 8, 1}}, {}, QStringLiteral("客户退货"));
    book("CT1001263_001", "华丰", QDate(2026, 3, 11), {{"A1", 5, 2}}, {}, QStringLiteral("退供货商"));
    // An incoming and an outgoing category of the same text fall into one row.
    book("CG1001263_002", "华丰", QDate(2026, 3, 12), {{"A2", 2, 3}}, {}, QStringLiteral("调拨"));
    book("XS1001263_002", "乙", QDate(2026, 3, 13), {{"A2", 3, 1}}, {}, QStringLiteral("调拨"));
    book("CG1001263_003", "华丰", QDate(2026, 3, 14), {{"A2", 1, 1}}, {}, QString());
    loss(QStringLiteral("BS1001263_001"), QStringLiteral("A1"), 5, 1, QDate(2026, 3, 15));
    // Outside the range.
    book("CG1001262_001", "华丰", QDate(2026, 2, 28), {{"A1", 5, 100}}, {}, QStringLiteral("进货"));
    book("XS1001264_001", "甲", QDate(2026, 4, 1), {{"A1", 8, 1}}, {}, QStringLiteral("批发"));

    TForm57 s;
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("商品进、销、类别汇总"));
    EXPECT_EQ(s.DateTimePicker1->date(), QDate::currentDate());
    const QStringList expected = {"类别|金额", "|1", "批发|35", "损坏|5", "客户退货|8", "调拨|9", "进货|50", "退供货商|10"};
    QStringList sorted = expected;
    std::sort(sorted.begin() + 1, sorted.end());
    EXPECT_EQ(summary(s, QDate(2026, 3, 1), QDate(2026, 3, 31)), sorted);
    EXPECT_EQ(summary(s, QDate(2026, 3, 1), QDate(2026, 3, 31)), sorted) << "a second run gives the same";

    // The goods journal refills the scratch table; the summary shown stays as it was.
    TForm46 journal;
    journal.show();
    choose(journal.ComboBox1, QStringLiteral("A1"));
    journal.DateTimePicker1->setDate(QDate(2026, 1, 1));
    journal.DateTimePicker2->setDate(QDate(2026, 12, 31));
    click(journal.BitBtn1);
    QStringList shown = gridRows(s.DBGrid1);
    std::sort(shown.begin() + 1, shown.end());
    EXPECT_EQ(shown, sorted);

    EXPECT_EQ(summary(s, QDate(2026, 5, 1), QDate(2026, 5, 31)), QStringList{"类别|金额"});
}

TEST_F(CategorySummaryTest, AFailingSourceLeavesTheScratchTableAndTheGridAsTheyWere)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"), 100);
    book("CG1001263_001", "华丰", QDate(2026, 3, 1), {{"A1", 5, 10}}, {}, QStringLiteral("进货"));
    TForm57 s;
    s.show();
    const QStringList before = summary(s, QDate(2026, 3, 1), QDate(2026, 3, 31));
    const double rows = num(QStringLiteral("select count(*) from J_sptmp"));
    run(QStringLiteral("alter table J_bsmxb rename to J_bsmxb_gone"));
    ModalScript script;
    script.expectAnyError();
    click(s.BitBtn1);
    script.verify();
    EXPECT_EQ(num(QStringLiteral("select count(*) from J_sptmp")), rows);
    QStringList shown = gridRows(s.DBGrid1);
    std::sort(shown.begin() + 1, shown.end());
    EXPECT_EQ(shown, before);
}

} // namespace
