// The stock-in and stock-out summaries: vouchers of a partner and/or category in a range,
// as headers, goods per price or lines, with the header total; and their export.
#include "ledger/LedgerBooks.h"

#include "reports/StockSummaryScreen.h"
#include "support/ModalScript.h"
#include "widgets/DBGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <memory>

namespace {

class StockSummaryTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        if (HasFatalFailure())
            return;
        run(QStringLiteral("insert into J_rklbb(bh,rklb) values('01','进货')"));
        run(QStringLiteral("insert into J_cklbb(bh,cklb) values('01','批发')"));
        addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"), 1000);
        addArticle(QStringLiteral("A2"), QStringLiteral("螺母"), 1000);
        // March 2026: the first and the last day count, April does not.
        book("CG1001263_001", "华丰", QDate(2026, 3, 1), {{"A1", 5, 10}, {"A2", 9, 2}});
        book("CG1001263_002", "华丰", QDate(2026, 3, 15), {{"A1", 6, 4}}, {{"F1", 20}}, QStringLiteral("赠品"));
        book("CG1001263_003", "光明", QDate(2026, 3, 31), {{"A1", 5, 1}});
        book("CG1001264_001", "华丰", QDate(2026, 4, 1), {{"A1", 5, 100}});
        book("XS1001263_001", "甲", QDate(2026, 3, 1), {{"A1", 8, 3}}, {{"S1", 10}}, QStringLiteral("批发"));
        book("XS1001263_002", "乙", QDate(2026, 3, 31), {{"A2", 12, 1}, {"A1", 8, 2}}, {}, QStringLiteral("批发"));
        book("XS1001263_003", "甲", QDate(2026, 3, 20), {{"A1", 7.5, 2}}, {}, QStringLiteral("零售"));
        book("XS1001262_001", "甲", QDate(2026, 2, 28), {{"A1", 8, 50}}, {}, QStringLiteral("批发"));
    }

    static void query(StockSummaryScreen& s, const QString& partner, const QString& category, int kind)
    {
        s.DateTimePicker1->setDate(QDate(2026, 3, 1));
        s.DateTimePicker2->setDate(QDate(2026, 3, 31));
        type(s.ComboBox1, partner);
        type(s.ComboBox2, category);
        click(kind == 1 ? s.RadioButton1 : kind == 2 ? s.RadioButton2 : s.RadioButton3);
        click(s.BitBtn1);
    }
};

std::unique_ptr<StockSummaryScreen> open(bool stockIn)
{
    std::unique_ptr<StockSummaryScreen> s;
    if (stockIn)
        s = std::make_unique<TForm54>();
    else
        s = std::make_unique<TForm55>();
    s->show();
    return s;
}

TEST_F(StockSummaryTest, ListsEachSelectionInEachOutputKindWithTheHeaderTotal)
{
    const QString inHeaders = QStringLiteral("凭证号|发票号|采购员|审核人|应付款|实付款|欠款|采购日期");
    const QString outHeaders = QStringLiteral("凭证号|发票号|销售员|审核人|应收款|实收款|欠款|销售日期");
    const struct {
        bool stockIn;
        const char* partner;
        const char* category;
        int kind;
        QStringList rows; // header first; "汇总数据" rows compared in any order within one name
        const char* total;
    } cases[] = {
        {true, "华丰", "", 1,
         {inHeaders, "CG1001263_001|||王五|68|0|68|2026/3/1", "CG1001263_002|||王五|24|20|4|2026/3/15"}, "92"},
        {true, "", "进货", 1,
         {"凭证号|发票号|供货商|采购员|审核人|应付款|实付款|欠款|采购日期", "CG1001263_001||华丰||王五|68|0|68|2026/3/1",
          "CG1001263_003||光明||王五|5|0|5|2026/3/31"},
         "73"},
        {true, "华丰", "进货", 1, {inHeaders, "CG1001263_001|||王五|68|0|68|2026/3/1"}, "68"},
        // One row per article and price.
        {true, "华丰", "", 2,
         {"商品代码|商品名称|品牌|规格|单位|单价|数量", "A1|螺丝|华丰|M6|个|5|10", "A1|螺丝|华丰|M6|个|6|4",
          "A2|螺母|华丰|M6|个|9|2"},
         "92"},
        {true, "", "进货", 3,
         {"商品代码|商品名称|品牌|规格|单位|单价|数量|采购日期", "A1|螺丝|华丰|M6|个|5|10|2026/3/1",
          "A2|螺母|华丰|M6|个|9|2|2026/3/1", "A1|螺丝|华丰|M6|个|5|1|2026/3/31"},
         "73"},
        {true, "无此客户", "", 1, {inHeaders}, "0"},
        // The partner-only total of sales writes its dates between quotes: both days still count.
        {false, "甲", "", 1,
         {outHeaders, "XS1001263_001|||王五|24|10|14|2026/3/1", "XS1001263_003|||王五|15|0|15|2026/3/20"}, "39"},
        {false, "", "批发", 1,
         {"凭证号|发票号|购货商|销售员|审核人|应收款|实收款|欠款|销售日期", "XS1001263_001||甲||王五|24|10|14|2026/3/1",
          "XS1001263_002||乙||王五|28|0|28|2026/3/31"},
         "52"},
        {false, "甲", "批发", 2, {"商品代码|商品名称|品牌|规格|单位|单价|数量", "A1|螺丝|华丰|M6|个|8|3"}, "24"},
        {false, "乙", "", 3,
         {"商品代码|商品名称|品牌|规格|单位|单价|数量|销售日期", "A2|螺母|华丰|M6|个|12|1|2026/3/31",
          "A1|螺丝|华丰|M6|个|8|2|2026/3/31"},
         "28"},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.stockIn ? "in " : "out ") + c.partner + "/" + c.category + "/"
                                 + std::to_string(c.kind);
        auto s = open(c.stockIn);
        query(*s, QString::fromUtf8(c.partner), QString::fromUtf8(c.category), c.kind);
        if (c.kind == 3) {
            const QStringList dates = columnTexts(s->DBGrid1, 7);
            EXPECT_TRUE(std::is_sorted(dates.begin(), dates.end(), [](const QString& a, const QString& b) {
                return QDate::fromString(a, QStringLiteral("yyyy/M/d")) < QDate::fromString(b, QStringLiteral("yyyy/M/d"));
            })) << what << " lines in date order";
        }
        // Rows of one date or name, and headers, come in the database's order.
        QStringList rows = gridRows(s->DBGrid1);
        QStringList expected = c.rows;
        std::sort(rows.begin() + 1, rows.end());
        std::sort(expected.begin() + 1, expected.end());
        EXPECT_EQ(rows, expected) << what;
        EXPECT_EQ(s->Label3->text(), QString::fromUtf8(c.total)) << what;
    }
}

TEST_F(StockSummaryTest, ScreenOpensWithItsListsAndDoesNothingWithoutPartnerOrCategory)
{
    auto in = open(true);
    EXPECT_EQ(in->windowTitle(), QStringLiteral("入库汇总查询"));
    QStringList partners;
    for (int i = 0; i < in->ComboBox1->count(); ++i)
        partners << in->ComboBox1->itemText(i);
    partners.sort();
    EXPECT_EQ(partners, (QStringList{"光明", "华丰"})) << "the partners of purchase vouchers only";
    EXPECT_EQ(in->ComboBox2->count(), 1);
    EXPECT_EQ(in->ComboBox2->itemText(0), QStringLiteral("进货"));
    EXPECT_EQ(in->ComboBox1->currentText(), QString());
    EXPECT_TRUE(in->RadioButton1->isChecked());
    EXPECT_EQ(in->DateTimePicker1->date(), QDate::currentDate());
    EXPECT_EQ(in->Label3->text(), QStringLiteral("0"));
    EXPECT_EQ(in->Label9->text(), QStringLiteral("先查询后导出，否则导出结果出错"));

    ExportCatcher exports(m_dir.filePath(QStringLiteral("exports")));
    click(in->BitBtn1);
    click(in->BitBtn4);
    EXPECT_EQ(in->DBGrid1->model()->rowCount(), 0);
    EXPECT_TRUE(exports.opened.isEmpty()) << "no workbook while nothing is chosen";

    auto out = open(false);
    EXPECT_EQ(out->windowTitle(), QStringLiteral("出库汇总查询"));
    EXPECT_EQ(child<QLabel>(out.get(), QStringLiteral("Label5"))->text(), QStringLiteral("出库类别"));
}

TEST_F(StockSummaryTest, ExportWritesTheCheckedKindsLayoutAndOnlyHeadingsBeforeTheFirstQuery)
{
    ExportCatcher exports(m_dir.filePath(QStringLiteral("exports")));
    auto s = open(true);
    type(s->ComboBox1, QStringLiteral("华丰"));
    click(s->RadioButton2);
    click(s->BitBtn4);
    ASSERT_EQ(exports.opened.size(), 1);
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("商品入库汇总表"));
    EXPECT_EQ(exports.row(2, 7), QStringLiteral("商品代码|商品名称|品牌|规格|单位|单价|数量"));
    EXPECT_EQ(exports.lastRow(), 2);

    query(*s, QStringLiteral("光明"), QString(), 3);
    click(s->BitBtn4);
    ASSERT_EQ(exports.opened.size(), 2);
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("商品入库明细表"));
    EXPECT_EQ(exports.row(3, 8), QStringLiteral("A1|螺丝|华丰|M6|个|5|1|46112"));
    EXPECT_EQ(exports.lastRow(), 3);

    auto out = open(false);
    query(*out, QStringLiteral("乙"), QString(), 1);
    click(out->BitBtn4);
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("主单据表"));
    EXPECT_EQ(exports.row(3, 8), QStringLiteral("XS1001263_002|||王五|28|0|28|46112"));
}

TEST_F(StockSummaryTest, AQuoteInThePartnerIsSearchedForNotAnError)
{
    auto s = open(true);
    query(*s, QStringLiteral("华'丰"), QString(), 1);
    EXPECT_EQ(s->DBGrid1->model()->rowCount(), 0);
    EXPECT_EQ(s->Label3->text(), QStringLiteral("0"));
}

} // namespace
