// The goods journal of one article and the cash journal: which movements of the range they
// gather, in which columns, in which order, and their export.
#include "LedgerBooks.h"

#include "ledger/CashJournalScreen.h"
#include "ledger/GoodsJournalScreen.h"
#include "support/ModalScript.h"
#include "widgets/DBGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kGoodsHeader =
    QStringLiteral("日期|凭证号|摘要|入库单价|入库数量|入库金额|出库单价|出库数量|出库金额|结存数量|结存单价|结存金额");

class JournalsTest : public LedgerTest {
protected:
    template <class Screen>
    QStringList build(Screen& s, const QDate& from, const QDate& to)
    {
        s.DateTimePicker1->setDate(from);
        s.DateTimePicker2->setDate(to);
        click(s.BitBtn1);
        QStringList rows = gridRows(s.DBGrid1);
        rows.removeFirst();
        return rows;
    }
};

TEST_F(JournalsTest, GoodsJournalListsEveryMovementOfTheArticleWithTheBalanceItLeft)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"));
    addArticle(QStringLiteral("B1"), QStringLiteral("螺母"));
    setCash(1000);
    book("CG1001263_001", "华丰", QDate(2026, 3, 3), {{"A1", 5, 10}, {"B1", 1, 50}});
    book("XS1001263_001", "甲店", QDate(2026, 3, 5), {{"A1", 8, 4}, {"B1", 2, 5}}, {}, QStringLiteral("批发"));
    loss("BS1001263_001", QStringLiteral("A1"), 5, 1, QDate(2026, 3, 5));
    book("XT1001263_001", "甲店", QDate(2026, 3, 20), {{"A1", 8, 2}}, {}, QStringLiteral("退回"));
    book("CT1001263_001", "华丰", QDate(2026, 3, 31), {{"A1", 5, 3}}, {}, QStringLiteral("退货"));
    book("CG1001264_001", "华丰", QDate(2026, 4, 1), {{"A1", 5, 1}});

    TForm46 s;
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("商品进销日记帐查询"));
    EXPECT_EQ(s.DateTimePicker1->date(), QDate::currentDate());
    EXPECT_EQ(s.ComboBox1->count(), 2);
    choose(s.ComboBox1, QStringLiteral("A1"));
    EXPECT_EQ(s.Edit1->text() + QLatin1Char('|') + s.Edit4->text() + QLatin1Char('|') + s.Edit2->text(),
              QStringLiteral("螺丝|个|5"));

    const QStringList march = {
        "2026/3/3|CG1001263_001|进货华丰|5|10|50|0|0|0|10|5|50",
        "2026/3/5|BS1001263_001|损坏碰坏|0|0|0|5|1|5|5|5|25",
        "2026/3/5|XS1001263_001|批发甲店|0|0|0|8|4|32|6|5|30",
        "2026/3/20|XT1001263_001|退回甲店|8|2|16|0|0|0|7|5|35", // returned at what it cost
        "2026/3/31|CT1001263_001|退货华丰|0|0|0|5|3|15|4|5|20",
    };
    EXPECT_EQ(build(s, QDate(2026, 3, 1), QDate(2026, 3, 31)), march);
    EXPECT_EQ(gridRows(s.DBGrid1).first(), kGoodsHeader);
    EXPECT_EQ(build(s, QDate(2026, 3, 1), QDate(2026, 3, 31)), march) << "a second run gives the same rows";
    EXPECT_EQ(build(s, QDate(2026, 3, 3), QDate(2026, 3, 3)), QStringList{march[0]});
    EXPECT_EQ(build(s, QDate(2026, 3, 31), QDate(2026, 4, 1)),
              (QStringList{march[4], "2026/4/1|CG1001264_001|进货华丰|5|1|5|0|0|0|5|5|25"}));
    EXPECT_EQ(build(s, QDate(2026, 3, 6), QDate(2026, 3, 19)), QStringList{});
    EXPECT_EQ(build(s, QDate(2026, 3, 31), QDate(2026, 3, 1)), QStringList{});

    // A deleted article keeps its journal.
    run(QStringLiteral("delete from J_spb where spdm='B1'"));
    type(s.ComboBox1, QStringLiteral("B1"));
    EXPECT_EQ(s.Edit1->text(), QStringLiteral("螺丝")) << "an unknown code leaves the boxes as they were";
    EXPECT_EQ(build(s, QDate(2026, 3, 1), QDate(2026, 3, 31)),
              (QStringList{"2026/3/3|CG1001263_001|进货华丰|1|50|50|0|0|0|50|1|50",
                           "2026/3/5|XS1001263_001|批发甲店|0|0|0|2|5|10|45|1|45"}));
}

TEST_F(JournalsTest, GoodsJournalAsksForAnArticleAndExportsItsLayout)
{
    ExportCatcher exports(m_dir.filePath(QStringLiteral("exports")));
    addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"));
    book("CG1001263_001", "华丰", QDate(2026, 3, 3), {{"A1", 5, 10}});
    run(QStringLiteral("insert into J_sptmp(pzh) values('OLD')"));

    TForm46 s;
    s.show();
    ModalScript script;
    script.expectBox(QStringLiteral("提示"), QStringLiteral("请输入商品代码"), QMessageBox::Ok,
                     QMessageBox::Information);
    click(s.BitBtn1);
    script.verify();
    EXPECT_EQ(sumOf(QStringLiteral("select count(*) from J_sptmp")), 1) << "nothing was rebuilt";

    choose(s.ComboBox1, QStringLiteral("A1"));
    build(s, QDate(2026, 3, 1), QDate(2026, 3, 31));
    click(s.BitBtn2);
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("商品日记帐"));
    EXPECT_EQ(exports.row(2, 12),
              QStringLiteral("日期|凭证号|摘要|入库单价|入库数量|入库金额|出库单价|出库数量|出库金额|结存单价|结存数量|结存金额"));
    EXPECT_EQ(exports.row(3, 12), QStringLiteral("46084|CG1001263_001|进货华丰|5|10|50|0|0|0|5|10|50"));
    EXPECT_EQ(exports.lastRow(), 3);
}

TEST_F(JournalsTest, CashJournalListsReceiptsPaymentsAndExpensesWithTheBalanceTheyLeft)
{
    ExportCatcher exports(m_dir.filePath(QStringLiteral("exports")));
    addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"), 100);
    setCash(1000);
    book("XS1001265_001", "甲店", QDate(2026, 5, 2), {{"A1", 10, 30}}, {{"S1", 300}}, QStringLiteral("批发"));
    expense("ZC1001265_001", QStringLiteral("Z1"), 50, QDate(2026, 5, 2));
    book("CG1001265_001", "华丰", QDate(2026, 5, 1), {{"A1", 5, 10}}, {{"F1", 20, QDate(2026, 5, 31)}});
    book("CT1001265_001", "华丰", QDate(2026, 5, 1), {{"A1", 5, 2}}, {{"R1", 10, QDate(2026, 5, 1)}},
         QStringLiteral("退货"));
    book("XT1001265_001", "乙店", QDate(2026, 5, 3), {{"A1", 10, 1}}, {{"P1", 10, QDate(2026, 6, 1)}},
         QStringLiteral("退回"));

    TForm47 s;
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("现金收支日记明细查询"));
    EXPECT_EQ(s.Edit4->text(), QStringLiteral("1230"));
    const QStringList may = {
        "2026/5/1|CT1001265_001|华丰货款|10|0|1240",
        "2026/5/2|XS1001265_001|甲店货款|300|0|1300",
        "2026/5/2|ZC1001265_001|房租杂费|0|50|1250",
        "2026/5/31|CG1001265_001|华丰货款|0|20|1230",
    };
    EXPECT_EQ(build(s, QDate(2026, 5, 1), QDate(2026, 5, 31)), may);
    EXPECT_EQ(gridRows(s.DBGrid1).first(), QStringLiteral("日期|凭证号|摘要|收款金额|付款金额|结存金额"));
    EXPECT_EQ(build(s, QDate(2026, 5, 1), QDate(2026, 5, 31)), may);
    EXPECT_EQ(build(s, QDate(2026, 5, 2), QDate(2026, 5, 2)), (QStringList{may[1], may[2]}));
    EXPECT_EQ(build(s, QDate(2026, 6, 1), QDate(2026, 6, 1)), QStringList{"2026/6/1|XT1001265_001|乙店货款|0|10|1230"});
    EXPECT_EQ(build(s, QDate(2026, 5, 31), QDate(2026, 5, 1)), QStringList{});

    setCash(5);
    build(s, QDate(2026, 5, 1), QDate(2026, 5, 31));
    EXPECT_EQ(s.Edit4->text(), QStringLiteral("1230")) << "the balance is the one read on opening";
    click(s.BitBtn2);
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("现金日记帐"));
    EXPECT_EQ(exports.row(2, 6), QStringLiteral("日期|凭证号|摘要|收款金额|付款金额|结存金额"));
    EXPECT_EQ(exports.row(4, 6), QStringLiteral("46144|XS1001265_001|甲店货款|300|0|1300"));
    EXPECT_EQ(exports.lastRow(), 6);
}

// Loss and expense lines booked and removed through their vouchers: removed lines leave the
// journals, and the lines of one voucher on one day follow their document numbers.
TEST_F(JournalsTest, BookedLossAndExpenseLinesAppearUntilRemovedInDocumentOrder)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"));
    addArticle(QStringLiteral("B1"), QStringLiteral("螺母"));
    setCash(500);
    book("CG1001263_001", "华丰", QDate(2026, 3, 1), {{"A1", 5, 10}, {"B1", 1, 10}});
    loss("BS1001263_001", QStringLiteral("A1"), 5, 2, QDate(2026, 3, 2));
    loss("BS1001263_001", QStringLiteral("B1"), 1, 1, QDate(2026, 3, 2));
    loss("BS1001263_002", QStringLiteral("A1"), 5, 1, QDate(2026, 3, 2), QStringLiteral("丢失"), QString());
    ASSERT_TRUE(removeLossLine(QStringLiteral("BS1001263_002"), QStringLiteral("A1"), 1, db()));
    loss("BS1001263_003", QStringLiteral("A1"), 5, 1, QDate(2026, 3, 2), QStringLiteral("丢失"), QString());
    expense("ZC1001263_001", QStringLiteral("Z2"), 30, QDate(2026, 3, 2));
    expense("ZC1001263_001", QStringLiteral("Z1"), 20, QDate(2026, 3, 2));
    expense("ZC1001263_001", QStringLiteral("Z3"), 10, QDate(2026, 3, 2));
    ASSERT_TRUE(removeExpense(QStringLiteral("ZC1001263_001"), QStringLiteral("Z3"), 10, db()));

    TForm46 goods;
    goods.show();
    choose(goods.ComboBox1, QStringLiteral("A1"));
    EXPECT_EQ(goods.Edit2->text(), QStringLiteral("7"));
    EXPECT_EQ(build(goods, QDate(2026, 3, 1), QDate(2026, 3, 2)),
              (QStringList{"2026/3/1|CG1001263_001|进货华丰|5|10|50|0|0|0|10|5|50",
                           "2026/3/2|BS1001263_001|损坏碰坏|0|0|0|5|2|10|8|5|40",
                           "2026/3/2|BS1001263_003|丢失|0|0|0|5|1|5|7|5|35"}));

    TForm47 cash;
    cash.show();
    EXPECT_EQ(cash.Edit4->text(), QStringLiteral("450"));
    EXPECT_EQ(build(cash, QDate(2026, 3, 1), QDate(2026, 3, 2)),
              (QStringList{"2026/3/2|ZC1001263_001|房租杂费|0|20|450", "2026/3/2|ZC1001263_001|房租杂费|0|30|470"}));
}

} // namespace
