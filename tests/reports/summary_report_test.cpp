// The purchase/sales/stock summary: per-article sums of purchase and sales lines in a
// range, the current stock, each page with its own result, and the chart buttons.
#include "ledger/LedgerBooks.h"

#include "reports/ChartScreen.h"
#include "reports/SummaryReportScreen.h"
#include "support/ModalScript.h"
#include "widgets/DBGrid.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

namespace {

QStringList items(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList sortedRows(QTableView* grid)
{
    QStringList rows = gridRows(grid);
    std::sort(rows.begin() + 1, rows.end());
    return rows;
}

class SummaryReportTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        if (HasFatalFailure())
            return;
        addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"));
        addArticle(QStringLiteral("A2"), QStringLiteral("螺母"));
        addArticle(QStringLiteral("A3"), QStringLiteral("螺丝")); // a second article of the same name
        addArticle(QStringLiteral("A9"), QStringLiteral("旧货"));
        book("CG1001263_001", "华丰", QDate(2026, 3, 1), {{"A1", 5, 10}, {"A9", 1, 7}});
        book("CG1001263_002", "华丰", QDate(2026, 3, 15), {{"A2", 9, 2}});
        book("CG1001263_003", "华丰", QDate(2026, 3, 31), {{"A3", 2, 3}});
        book("CG1001264_001", "华丰", QDate(2026, 4, 1), {{"A1", 5, 100}});
        book("XS1001263_001", "甲", QDate(2026, 3, 20), {{"A1", 8, 4}}, {}, QStringLiteral("批发"));
        book("XS1001263_002", "甲", QDate(2026, 3, 31), {{"A3", 4, 1}}, {}, QStringLiteral("批发"));
        // Returns are neither purchases nor sales.
        book("XT1001263_001", "甲", QDate(2026, 3, 22), {{"A1", 8, 1}}, {}, QStringLiteral("退货"));
        book("CT1001263_001", "华丰", QDate(2026, 3, 21), {{"A1", 5, 1}}, {}, QStringLiteral("退货"));
        // An article deleted after its lines were booked.
        run(QStringLiteral("delete from J_spb where spdm='A9'"));
    }

    static void range(SummaryPage* page, const QDate& from, const QDate& to)
    {
        page->from->setDate(from);
        page->to->setDate(to);
    }
    static void choose(SummaryPage* page, int row)
    {
        page->available->setCurrentRow(row);
        click(page->toChosen);
    }
    // The name standing for the article `code`, wherever it stands in the list now.
    static void chooseArticle(SummaryPage* page, const QString& code)
    {
        for (int i = 0; i < page->available->count(); ++i)
            if (page->available->item(i)->data(Qt::UserRole).toString() == code)
                return choose(page, i);
        ADD_FAILURE() << "no article " << code.toStdString();
    }
};

const QDate kFirst(2026, 3, 1);
const QDate kLast(2026, 3, 31);
const QString kTradeHeader = QStringLiteral("商品代码|商品名称|品牌|规格|单位|数量|金额");

TEST_F(SummaryReportTest, PagesSumTheirLinesPerArticleAndKeepTheirOwnResults)
{
    TForm21 s;
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("进销存业务汇总报表"));
    for (SummaryPage* page : {s.TabSheet1, s.TabSheet2, s.TabSheet3})
        EXPECT_EQ(items(page->available), (QStringList{"螺丝", "螺丝", "螺母"}));

    // All articles: the total also counts the deleted article's line, the list cannot.
    click(s.TabSheet1->all);
    range(s.TabSheet1, kFirst, kLast);
    click(s.TabSheet1->queryButton);
    EXPECT_EQ(sortedRows(s.TabSheet1->grid),
              (QStringList{kTradeHeader, "A1|螺丝|华丰|M6|个|10|50", "A2|螺母|华丰|M6|个|2|18", "A3|螺丝|华丰|M6|个|3|6"}));
    EXPECT_EQ(s.TabSheet1->total->text(), QStringLiteral("81元"));

    range(s.TabSheet2, kFirst, kLast);
    click(s.TabSheet2->all);
    click(s.TabSheet2->queryButton);
    EXPECT_EQ(sortedRows(s.TabSheet2->grid),
              (QStringList{kTradeHeader, "A1|螺丝|华丰|M6|个|4|32", "A3|螺丝|华丰|M6|个|1|4"}));
    EXPECT_EQ(s.TabSheet2->total->text(), QStringLiteral("36元"));
    EXPECT_EQ(s.TabSheet1->grid->model()->rowCount(), 3) << "page 1 keeps its own result";
    EXPECT_EQ(s.TabSheet1->total->text(), QStringLiteral("81元"));

    // The second of two articles named alike is the one summed.
    click(s.TabSheet1->all);
    choose(s.TabSheet1, 1);
    click(s.TabSheet1->queryButton);
    EXPECT_EQ(gridRows(s.TabSheet1->grid), (QStringList{kTradeHeader, "A3|螺丝|华丰|M6|个|3|6"}));
    EXPECT_EQ(s.TabSheet1->total->text(), QStringLiteral("6元"));

    // Lines on the range's first and last day count; a range without lines totals 0.
    range(s.TabSheet1, kLast, kLast);
    click(s.TabSheet1->queryButton);
    EXPECT_EQ(s.TabSheet1->total->text(), QStringLiteral("6元"));
    range(s.TabSheet2, QDate(2026, 5, 1), QDate(2026, 5, 31));
    click(s.TabSheet2->queryButton);
    EXPECT_EQ(gridRows(s.TabSheet2->grid), QStringList{kTradeHeader});
    EXPECT_EQ(s.TabSheet2->total->text(), QStringLiteral("0元"));

    // Stock: the chosen article's current stock at its valuation price.
    choose(s.TabSheet3, 2);
    click(s.TabSheet3->queryButton);
    EXPECT_EQ(gridRows(s.TabSheet3->grid),
              (QStringList{"商品代码|商品名称|制造商|品牌|规格|单位|单价|利润率|现有库存|库存上限|库存下限|货位|备注",
                           "A2|螺母|华丰厂|华丰|M6|个|9|0|2|0|0||"}));
    EXPECT_EQ(s.TabSheet3->total->text(), QStringLiteral("18元"));
    click(s.TabSheet3->all);
    click(s.TabSheet3->queryButton);
    EXPECT_EQ(s.TabSheet3->grid->model()->rowCount(), 3);
    EXPECT_EQ(s.TabSheet3->total->text(),
              numText(num(QStringLiteral("select sum(zxdj*xykc) from J_spb"))) + QStringLiteral("元"));
}

TEST_F(SummaryReportTest, MoveButtonsMoveTheSelectedOrEveryNameAndAQueryNeedsOne)
{
    TForm21 s;
    s.show();
    SummaryPage* p = s.TabSheet2;
    click(p->toChosen);
    EXPECT_EQ(p->chosen->count(), 0) << "nothing selected, nothing moves";
    choose(p, 2);
    EXPECT_EQ(items(p->available), (QStringList{"螺丝", "螺丝"}));
    EXPECT_EQ(items(p->chosen), QStringList{"螺母"});
    click(p->allToChosen);
    EXPECT_EQ(items(p->chosen), (QStringList{"螺母", "螺丝", "螺丝"})) << "appended at the end";
    EXPECT_EQ(p->available->count(), 0);
    p->chosen->setCurrentRow(0);
    click(p->toAvailable);
    EXPECT_EQ(items(p->available), QStringList{"螺母"});
    click(p->allToAvailable);
    EXPECT_EQ(items(p->available), (QStringList{"螺母", "螺丝", "螺丝"}));
    EXPECT_EQ(s.TabSheet1->available->count(), 3) << "each page has its own lists";

    ModalScript script;
    script.expectBox(QStringLiteral("提示"), QStringLiteral("请选择查询材料名称！"), QMessageBox::Ok,
                     QMessageBox::Information);
    click(p->queryButton);
    script.verify();
    EXPECT_EQ(p->total->text(), QStringLiteral("0元"));
}

TEST_F(SummaryReportTest, EveryNameChosenAtOnceIsQueried)
{
    {
        Transaction tx(db());
        for (int i = 0; i < 1200; ++i)
            addArticle(QStringLiteral("B%1").arg(i), QStringLiteral("批量%1").arg(i, 4, 10, QLatin1Char('0')));
        tx.commit();
    }
    TForm21 s;
    s.show();
    click(s.TabSheet1->allToChosen);
    range(s.TabSheet1, kFirst, kLast);
    click(s.TabSheet1->queryButton);
    EXPECT_EQ(s.TabSheet1->grid->model()->rowCount(), 3);
    EXPECT_EQ(s.TabSheet1->total->text(), QStringLiteral("74元"));
}

TEST_F(SummaryReportTest, EachPageExportsItsOwnRowsAndOnlyHeadingsBeforeItsQuery)
{
    ExportCatcher exports(m_dir.filePath(QStringLiteral("exports")));
    TForm21 s;
    s.show();
    click(s.TabSheet1->all);
    range(s.TabSheet1, kFirst, kLast);
    click(s.TabSheet1->queryButton);

    click(s.TabSheet2->exportButton);
    ASSERT_EQ(exports.opened.size(), 1);
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("商品出库表"));
    EXPECT_EQ(exports.row(2, 7), kTradeHeader);
    EXPECT_EQ(exports.lastRow(), 2);

    click(s.TabSheet3->all);
    click(s.TabSheet3->queryButton);
    click(s.TabSheet1->exportButton);
    ASSERT_EQ(exports.opened.size(), 2);
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("商品入库表"));
    EXPECT_EQ(exports.lastRow(), 5);
    EXPECT_EQ(exports.row(5, 7), QStringLiteral("A2|螺母|华丰|M6|个|2|18"));

    click(s.TabSheet3->exportButton);
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("商品表"));
    EXPECT_EQ(exports.lastRow(), 5);
}

TEST_F(SummaryReportTest, ChartButtonsCheckTheChoiceAndChartThePagesArticles)
{
    TForm21 s;
    s.show();
    SummaryPage* p = s.TabSheet2;
    const struct {
        bool all;
        int chosen;
        const char* message;
    } refusals[] = {
        {false, 0, "请选择查询材料名称！"},
        {true, 0, "请选择查询材料名称！"},
        {true, 1, "不能同时分析全部商品！"},
        {false, 3, "不能同时分析两种以上的商品！"},
    };
    for (const auto& r : refusals) {
        click(p->allToAvailable);
        p->all->setChecked(r.all);
        for (int i = 0; i < r.chosen; ++i)
            choose(p, 0);
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QString::fromUtf8(r.message), QMessageBox::Ok,
                         QMessageBox::Information);
        click(p->chartButton);
        script.verify();
    }

    click(p->allToAvailable);
    p->all->setChecked(false);
    chooseArticle(p, QStringLiteral("A3"));
    chooseArticle(p, QStringLiteral("A2"));
    range(p, QDate(2026, 3, 5), QDate(2027, 1, 31));
    ModalScript script;
    script.onDialog(QStringLiteral("TForm29"), [](QWidget* d) {
        auto* chart = static_cast<TForm29*>(d);
        EXPECT_EQ(chart->titleLines(), QStringList{"商品销售走势分析图表"});
        EXPECT_EQ(chart->seriesTitle(1), QStringLiteral("螺丝"));
        EXPECT_EQ(chart->seriesTitle(2), QStringLiteral("螺母"));
        EXPECT_EQ(chart->points(1), (QList<ChartPoint>{{3, 4, "3"}}));
        EXPECT_TRUE(chart->points(2).isEmpty()) << "螺母 was not sold";
        click(chart->BitBtn1);
    });
    click(p->chartButton);
    script.verify();
}

} // namespace
