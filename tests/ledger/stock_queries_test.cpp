// The price history of one article and the two rankings.
#include "LedgerBooks.h"

#include "ledger/PriceQueryScreen.h"
#include "ledger/RankingScreen.h"
#include "widgets/DBGrid.h"
#include "widgets/StatusBar.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

namespace {

class StockQueriesTest : public LedgerTest {};

TEST_F(StockQueriesTest, PriceQueryShowsBothHistoriesOfTheArticleInDateOrder)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"), 0, QStringLiteral("盒"));
    addArticle(QStringLiteral("A2"), QStringLiteral("螺母"), 0);
    book("CG1001263_002", "华丰", QDate(2026, 3, 9), {{"A1", 2.5, 4}, {"A2", 9, 9}});
    book("CG1001263_001", "华丰", QDate(2026, 3, 1), {{"A1", 2, 10}});
    book("XS1001263_001", "甲", QDate(2026, 3, 10), {{"A1", 5, 3}, {"A2", 11, 1}}, {}, QStringLiteral("批发"));
    book("CT1001263_001", "华丰", QDate(2026, 3, 11), {{"A1", 2, 1}}, {}, QStringLiteral("退货"));

    TForm30 s;
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("商品出入库价格查询"));
    EXPECT_EQ(s.ComboBox1->count(), 2);
    EXPECT_EQ(s.Edit4->text(), QStringLiteral("0"));
    EXPECT_FALSE(s.Edit1->isEnabled());

    // Each typed character refreshes: "A" is no article, "A1" is.
    type(s.ComboBox1, QStringLiteral("A"));
    EXPECT_EQ(s.Edit1->text() + s.Edit2->text() + s.Edit3->text() + s.Edit4->text(), QString());
    EXPECT_EQ(s.DBGrid1->model()->rowCount(), 0);
    type(s.ComboBox1, QStringLiteral("A1"));
    EXPECT_EQ(QStringList({s.Edit1->text(), s.Edit2->text(), s.Edit3->text(), s.Edit4->text()}),
              (QStringList{"螺丝", "五金", "盒", "10"}));
    EXPECT_EQ(gridRows(s.DBGrid1), (QStringList{"采购日期|单位|单价|数量", "2026/3/1|个|2|10", "2026/3/9|个|2.5|4"}));
    EXPECT_EQ(gridRows(s.DBGrid2), (QStringList{"销售日期|单位|单价|数量", "2026/3/10|个|5|3"}))
        << "returns are no sales prices";

    // A deleted article keeps its history; its boxes are empty.
    run(QStringLiteral("delete from J_spb where spdm='A2'"));
    choose(s.ComboBox1, QStringLiteral("A2"));
    EXPECT_EQ(s.Edit1->text(), QString());
    EXPECT_EQ(gridRows(s.DBGrid1), (QStringList{"采购日期|单位|单价|数量", "2026/3/9|个|9|9"}));
    EXPECT_EQ(gridRows(s.DBGrid2), (QStringList{"销售日期|单位|单价|数量", "2026/3/10|个|11|1"}));

    EXPECT_EQ(s.GroupBox1->palette().color(QPalette::WindowText), QColor(Qt::magenta));
    EXPECT_EQ(s.GroupBox2->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

TEST_F(StockQueriesTest, BestSellersSumPurchasesAndSalesApartAndShowTheMostProfitableFirst)
{
    for (const char* code : {"A1", "A2", "A3", "A4"})
        addArticle(QLatin1String(code), QStringLiteral("货") + QLatin1String(code));
    addArticle(QStringLiteral("A5"), QStringLiteral("货A5"), 10);
    // A1: bought 10 × 2 and 5 × 2, sold 3 × 5: 15 − 30 = −15 (the cross join would give 0).
    book("CG1001263_001", "华丰", QDate(2026, 3, 1), {{"A1", 2, 10}, {"A2", 1, 10}, {"A3", 1, 1}, {"A4", 1, 5}});
    book("CG1001263_002", "华丰", QDate(2026, 3, 2), {{"A1", 2, 5}});
    book("XS1001263_001", "甲", QDate(2026, 3, 3), {{"A1", 5, 3}, {"A2", 3, 10}, {"A4", 2, 5}}, {},
         QStringLiteral("批发"));
    book("XS1001263_002", "乙", QDate(2026, 3, 4), {{"A2", 1, 1}, {"A5", 9, 1}}, {}, QStringLiteral("批发"));
    // A3 was only bought, A5 only sold; A4 was deleted from the goods.
    run(QStringLiteral("delete from J_spb where spdm='A4'"));

    TForm33 s;
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("畅销商品排行榜"));
    EXPECT_EQ(s.GroupBox1->title(), QStringLiteral("畅销商品排名"));
    EXPECT_EQ(gridRows(s.DBGrid1), (QStringList{"商品代码|商品名称|制造商|品牌|规格|利润额",
                                                "A2|货A2|华丰厂|华丰|M6|21", "A1|货A1|华丰厂|华丰|M6|-15"}));
    EXPECT_EQ(s.DBGrid1->palette().color(QPalette::Text), QColor(Qt::blue));
    EXPECT_EQ(s.DBGrid1->horizontalHeader()->palette().color(QPalette::ButtonText), QColor(Qt::red));
    EXPECT_EQ(s.StatusBar1->panelText(1), QStringLiteral("管理员"));
}

TEST_F(StockQueriesTest, CustomerRankingShowsWhoOwesLeastFirstOverAllTheirSales)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"), 1000);
    setCash(1000);
    book("XS1001263_001", "欠五十", QDate(2026, 3, 1), {{"A1", 10, 5}}, {}, QStringLiteral("批发"));
    book("XS1001263_002", "付清", QDate(2026, 3, 1), {{"A1", 10, 2}}, {{"S1", 20}}, QStringLiteral("批发"));
    book("XS1001263_003", "多付", QDate(2026, 3, 1), {{"A1", 10, 1}}, {{"S2", 20}}, QStringLiteral("批发"));
    // Deemed settled, yet its 30 still count against the customer.
    book("XS1001263_004", "付清", QDate(2026, 3, 2), {{"A1", 10, 3}}, {{"S3", 30}}, QStringLiteral("批发"));
    run(QStringLiteral("update J_xsb set fqf=1 where pzh='XS1001263_004'"));

    TForm34 s;
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("诚信客户排行榜"));
    EXPECT_EQ(gridRows(s.DBGrid1), (QStringList{"购货商|应收金额|实收金额|欠款", "多付|10|20|-10", "付清|50|50|0",
                                                "欠五十|50|0|50"}));
    EXPECT_EQ(s.DBGrid1->palette().color(QPalette::Text), QColor(Qt::darkGreen));
    EXPECT_EQ(s.DBGrid1->horizontalHeader()->palette().color(QPalette::ButtonText), QColor(Qt::blue));
    EXPECT_EQ(s.StatusBar1->findChild<QLabel*>(QStringLiteral("StatusBar1Panel0"))->alignment() & Qt::AlignHCenter,
              Qt::AlignHCenter);
}

} // namespace
