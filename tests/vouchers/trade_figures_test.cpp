// The figures a booking leaves behind, for each trade kind: stored to the cent, totals set
// from the stored rows, the cost of incoming and removed goods, dates as days.
#include "VoucherTestDb.h"

#include "vouchers/VoucherBook.h"

#include <QDate>
#include <vector>

namespace {

QString voucherOf(const VoucherKind& k)
{
    return k.prefix + QStringLiteral("1001044_001");
}

LineEntry lineOf(const VoucherKind& k, const QString& code, const char* price, const char* qty)
{
    return LineEntry{voucherOf(k), code, QStringLiteral("个"), QString::fromUtf8(price), QString::fromUtf8(qty),
                     QStringLiteral("类别"), QStringLiteral("华丰公司"), QStringLiteral("2004/4/15")};
}

MoneyEntry moneyOf(const VoucherKind& k, const QString& dh, const char* amount)
{
    return MoneyEntry{voucherOf(k), QStringLiteral("华丰公司"), dh, QStringLiteral("货款"), QStringLiteral("现金"),
                      QString::fromUtf8(amount), QStringLiteral("张三"), QDate(2004, 4, 16), QString()};
}

} // namespace

class TradeFiguresTest : public VoucherDbTest, public ::testing::WithParamInterface<const VoucherKind*> {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        addHeader(voucherOf(kind()), kind().tables.header);
        setCash(1000);
    }
    const VoucherKind& kind() const { return *GetParam(); }
    QString v() const { return voucherOf(kind()); }
    double lineValue(const char* column, const QString& code)
    {
        return num(QStringLiteral("select %1 from %2 where spdm=%3").arg(QString::fromUtf8(column), kind().tables.lines, quoted(code)));
    }
};

TEST_P(TradeFiguresTest, TypedFiguresAreStoredToTheCentAndTotalsFollowTheStoredRows)
{
    const VoucherKind& k = kind();
    const double goods = k.goods == Flow::In ? 1 : -1;
    addArticle("R01", "螺丝", 2, 100);
    addArticle("R02", "垫片", 2, 100);
    // A total that has drifted from its rows is set right by the next booking.
    run(QStringLiteral("update %1 set %2=123,%3=45").arg(k.tables.header, k.dueColumn(), k.settledColumn()));

    struct Case {
        const char* code;
        const char* price;
        const char* qty;
        double storedPrice;
        double storedQty;
    };
    const std::vector<Case> cases{
        {"R01", "0.333", "3", 0.33, 3},     // 0.999 would be raised by the typed figures
        {"R02", "0.125", "2.555", 0.12, 2.56}, // ties go to the even cent
    };
    double due = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ASSERT_EQ(storeLine(k, lineOf(k, c.code, c.price, c.qty), db()), LineOutcome::Stored);
        EXPECT_EQ(lineValue("dj", c.code), c.storedPrice);
        EXPECT_EQ(lineValue("sl", c.code), c.storedQty);
        EXPECT_EQ(stock(c.code), 100 + goods * c.storedQty);
        due += c.storedPrice * c.storedQty;
        EXPECT_EQ(this->due(k, v()), round2(due));
    }
    EXPECT_EQ(this->due(k, v()), 1.30); // 0.99 + 0.3072

    const double cashSign = k.money == Flow::In ? 1 : -1;
    ASSERT_EQ(storeMoney(k, moneyOf(k, "M1", "0.125"), db()), MoneyOutcome::Stored);
    ASSERT_EQ(storeMoney(k, moneyOf(k, "M2", "10.375"), db()), MoneyOutcome::Stored);
    EXPECT_EQ(num(QStringLiteral("select sum(%1) from %2").arg(k.moneyAmountColumn(), k.tables.money)), 10.5);
    EXPECT_EQ(settled(k, v()), 10.5);
    EXPECT_EQ(cash(), 1000 + cashSign * 10.5);

    ASSERT_TRUE(removeLine(k, v(), "R01", 0.33, 3, db()));
    EXPECT_EQ(this->due(k, v()), 0.31);
    EXPECT_EQ(stock("R01"), 100);
    ASSERT_TRUE(removeMoney(k, v(), "M2", 10.38, db()));
    EXPECT_EQ(settled(k, v()), 0.12);
    EXPECT_EQ(cash(), 1000 + cashSign * 0.12);
}

TEST_P(TradeFiguresTest, LineDatesAreDaysSoARangeTakesInItsLastDay)
{
    const VoucherKind& k = kind();
    addArticle("D01", "螺丝", 2, 10);
    LineEntry e = lineOf(k, "D01", "3", "1");
    e.dateText = QStringLiteral("2004/4/15 10:30:00");
    ASSERT_EQ(storeLine(k, e, db()), LineOutcome::Stored);
    EXPECT_EQ(text(QStringLiteral("select %1 from %2").arg(k.columns.date, k.tables.lines)), "2004-04-15");
    EXPECT_EQ(num(QStringLiteral("select count(*) from %1 where %2 between #2004/4/1# and #2004/4/15#")
                      .arg(k.tables.lines, k.columns.date)),
              1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TradeFiguresTest, ::testing::ValuesIn(voucherKinds()),
                         [](const ::testing::TestParamInfo<const VoucherKind*>& info) {
                             return info.param->prefix.toStdString();
                         });

// ---- what goods coming in and going back do to the cost --------------------------------

class TradeCostTest : public VoucherDbTest {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        for (const VoucherKind* k : voucherKinds())
            addHeader(voucherOf(*k), k->tables.header);
    }
};

TEST_F(TradeCostTest, ReceivingOntoNoStockTakesTheLinePrice)
{
    const VoucherKind& cg = purchaseKind();
    struct Case {
        double stock;
        double cost;
        double expected;
    };
    // The average over a stock of 0 or less means nothing: −9 at 6, then 10 at 5, would give −4.
    for (const Case& c : std::vector<Case>{{-9, 6, 5}, {-4, 2, 5}, {0, 8, 5}, {10, 5, 5}}) {
        SCOPED_TRACE(c.stock);
        run("delete from J_spb");
        run("delete from J_cgmxb");
        addArticle("C01", "螺丝", c.cost, c.stock);
        ASSERT_EQ(storeLine(cg, lineOf(cg, "C01", "5", "10"), db()), LineOutcome::Stored);
        EXPECT_EQ(cost("C01"), c.expected);
        EXPECT_EQ(stock("C01"), c.stock + 10);
        EXPECT_EQ(num("select jcdj from J_cgmxb"), c.expected);
    }
}

TEST_F(TradeCostTest, SalesReturnsComeBackAtTheCurrentCost)
{
    const VoucherKind& xt = salesReturnKind();
    addArticle("S01", "螺丝", 6, 15);
    ASSERT_EQ(storeLine(xt, lineOf(xt, "S01", "8", "5"), db()), LineOutcome::Stored);
    EXPECT_EQ(stock("S01"), 20);
    EXPECT_EQ(cost("S01"), 6);
    EXPECT_EQ(num("select jcdj*1000+jcsl from J_xsthmxb"), 6020);
    EXPECT_EQ(due(xt, voucherOf(xt)), 40);
    ASSERT_TRUE(removeLine(xt, voucherOf(xt), "S01", 8, 5, db()));
    EXPECT_EQ(stock("S01"), 15);
    EXPECT_EQ(cost("S01"), 6);
    EXPECT_EQ(due(xt, voucherOf(xt)), 0);
}

TEST_F(TradeCostTest, RemovingAReceiptTakesItBackOutOfTheAverageWhereItCan)
{
    const VoucherKind& cg = purchaseKind();
    const VoucherKind& xs = salesKind();
    struct Case {
        const char* name;
        double stock, cost;           // before the receipt
        const char *price, *qty;      // the receipt
        double costAfterReceipt;
        const char* sold;             // sold before the receipt is removed, or nullptr
        double costAfterRemoval, stockAfterRemoval;
    };
    const std::vector<Case> cases{
        {"mistyped price", 10, 5, "700", "10", 352.5, nullptr, 5, 10},
        {"nothing would be left", 0, 0, "5", "10", 5, "10", 5, -10},
        {"the rest would be worth less than nothing", 10, 5, "7", "10", 6, "9", 6, 1},
        {"part sold", 10, 5, "7", "10", 6, "5", 4, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* table : {"J_spb", "J_cgmxb", "J_xsmxb"})
            run(QStringLiteral("delete from ") + QString::fromUtf8(table));
        addArticle("C01", "螺丝", c.cost, c.stock);
        ASSERT_EQ(storeLine(cg, lineOf(cg, "C01", c.price, c.qty), db()), LineOutcome::Stored);
        EXPECT_EQ(cost("C01"), c.costAfterReceipt);
        if (c.sold)
            ASSERT_EQ(storeLine(xs, lineOf(xs, "C01", "9", c.sold), db()), LineOutcome::Stored);
        ASSERT_TRUE(removeLine(cg, voucherOf(cg), "C01", toNumber(c.price), toNumber(c.qty), db()));
        EXPECT_EQ(cost("C01"), c.costAfterRemoval);
        EXPECT_EQ(stock("C01"), c.stockAfterRemoval);
    }
}
