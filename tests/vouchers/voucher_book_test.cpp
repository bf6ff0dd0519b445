// Voucher numbers and the booking of lines and money rows, without the screens.
#include "VoucherTestDb.h"

#include "db/Errors.h"
#include "vouchers/VoucherBook.h"
#include "vouchers/VoucherNumber.h"

#include <QDate>
#include <map>
#include <vector>

namespace {

const VoucherKind& cg = purchaseKind();
const QString kV = QStringLiteral("CG1001044_001");

LineEntry line(const QString& code, const QString& price, const QString& qty, const QString& voucher = kV)
{
    return LineEntry{voucher, code, QStringLiteral("个"), price, qty, QStringLiteral("进货"),
                     QStringLiteral("华丰公司"), QStringLiteral("2004/4/15")};
}

MoneyEntry payment(const QString& dh, const QString& amount, const QString& voucher = kV)
{
    return MoneyEntry{voucher, QStringLiteral("华丰公司"), dh, QStringLiteral("货款"), QStringLiteral("现金"),
                      amount, QStringLiteral("张三"), QDate(2004, 4, 16), QString()};
}

} // namespace

// ---- numbers ---------------------------------------------------------------------------

struct NumberCase {
    const char* prefix;
    const char* table;
    const char* op;
    QDate today;
    std::vector<const char*> existing;
    const char* expected;
};

class VoucherNumberTest : public VoucherDbTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(VoucherNumberTest, IssuesLowestFreeSequenceOfTheMonth)
{
    const NumberCase& c = GetParam();
    for (const char* pzh : c.existing)
        addHeader(QString::fromUtf8(pzh), QString::fromUtf8(c.table));
    EXPECT_EQ(nextVoucherNumber(QString::fromUtf8(c.prefix), QString::fromUtf8(c.table), QString::fromUtf8(c.op),
                                c.today, db()),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, VoucherNumberTest,
    ::testing::Values(
        NumberCase{"CG", "J_cgb", "1001", QDate(2004, 4, 15), {}, "CG1001044_001"},
        NumberCase{"CG", "J_cgb", "1001", QDate(2004, 4, 15), {"CG1001044_001"}, "CG1001044_002"},
        NumberCase{"CG", "J_cgb", "1001", QDate(2004, 12, 1), {}, "CG10010412_001"},
        NumberCase{"CG", "J_cgb", "1001", QDate(2004, 4, 1), {"CG1001044_001", "CG1001044_003"}, "CG1001044_002"},
        // other months, operators and prefixes do not take a sequence
        NumberCase{"CG", "J_cgb", "1001", QDate(2004, 4, 1), {"CG1001043_001", "CG2001044_001", "CG10010414_001"},
                   "CG1001044_001"},
        NumberCase{"XS", "J_xsb", "2002", QDate(2010, 10, 31), {"XS20021010_001"}, "XS20021010_002"},
        NumberCase{"CT", "J_cgthb", "1001", QDate(2004, 1, 2), {}, "CT1001041_001"},
        NumberCase{"XT", "J_xsthb", "1001", QDate(2004, 1, 2), {}, "XT1001041_001"},
        NumberCase{"BS", "J_bsb", "1001", QDate(2026, 9, 9), {"BS1001269_001", "BS1001269_002"}, "BS1001269_003"},
        NumberCase{"ZC", "J_zcb", "1001", QDate(2026, 9, 9), {}, "ZC1001269_001"}));

TEST_F(VoucherNumberTest, ThousandNumbersAMonthThenNoneIsIssued)
{
    {
        Transaction t;
        for (int k = 0; k < 999; ++k)
            addHeader(QStringLiteral("CG1001044_") + QString::number(1001 + k).mid(1, 3));
        t.commit();
    }
    EXPECT_EQ(nextVoucherNumber("CG", "J_cgb", "1001", QDate(2004, 4, 3), db()), "CG1001044_000");
    addHeader(QStringLiteral("CG1001044_000"));
    EXPECT_THROW(nextVoucherNumber("CG", "J_cgb", "1001", QDate(2004, 4, 3), db()), AppError);
}

// ---- lines -----------------------------------------------------------------------------

class VoucherBookTest : public VoucherDbTest {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        addHeader(kV);
        addArticle("A01", "螺丝", 0, 0);
        setCash(1000);
    }
};

TEST_F(VoucherBookTest, MovingAverageCostAndSnapshots)
{
    ASSERT_EQ(storeLine(cg, line("A01", "5", "10"), db()), LineOutcome::Stored);
    EXPECT_EQ(cost("A01"), 5);
    EXPECT_EQ(stock("A01"), 10);

    addHeader("CG1001044_002");
    ASSERT_EQ(storeLine(cg, line("A01", "7", "10", "CG1001044_002"), db()), LineOutcome::Stored);
    EXPECT_EQ(cost("A01"), 6);
    EXPECT_EQ(stock("A01"), 20);
    EXPECT_EQ(num("select jcdj*1000+jcsl from J_cgmxb where pzh='CG1001044_001'"), 5010);
    EXPECT_EQ(num("select jcdj*1000+jcsl from J_cgmxb where pzh='CG1001044_002'"), 6020);
    EXPECT_EQ(due("CG1001044_002"), 70);
    EXPECT_EQ(text("select rklb+'/'+ghs+'/'+dw from J_cgmxb where pzh='CG1001044_002'"), "进货/华丰公司/个");
    EXPECT_EQ(text("select cgrq from J_cgmxb where pzh='CG1001044_002'"), "2004-04-15");

    // Removing a line reverses stock, due total and the cost the line produced.
    ASSERT_TRUE(removeLine(cg, "CG1001044_002", "A01", 7, 10, db()));
    EXPECT_EQ(stock("A01"), 10);
    EXPECT_EQ(cost("A01"), 5);
    EXPECT_EQ(due("CG1001044_002"), 0);
    EXPECT_EQ(num("select jcdj from J_cgmxb where pzh='CG1001044_001'"), 5);
}

TEST_F(VoucherBookTest, StockComingToZeroIsValuedAtTheLinePrice)
{
    addArticle("A02", "垫片", 2, -4);
    ASSERT_EQ(storeLine(cg, line("A02", "3", "4"), db()), LineOutcome::Stored);
    EXPECT_EQ(stock("A02"), 0);
    EXPECT_EQ(cost("A02"), 3);
    EXPECT_EQ(num("select jcdj from J_cgmxb"), 3);
    EXPECT_EQ(due(kV), 12);
}

TEST_F(VoucherBookTest, GuardsTakeOnlyTheExactZero)
{
    addArticle("A03", "垫圈", 4, 10);
    for (const LineEntry& e : {line("", "5", "1"), line("A03", "0", "1"), line("A03", "5", "0")}) {
        EXPECT_EQ(storeLine(cg, e, db()), LineOutcome::Ignored) << e.code.toStdString() << e.priceText.toStdString();
    }
    EXPECT_EQ(count("J_cgmxb"), 0);

    // "0.0" passes: a line of amount 0 that dilutes the cost.
    ASSERT_EQ(storeLine(cg, line("A03", "0.0", "10"), db()), LineOutcome::Stored);
    EXPECT_EQ(cost("A03"), 2);
    EXPECT_EQ(stock("A03"), 20);
    EXPECT_EQ(due(kV), 0);
    ASSERT_EQ(storeLine(cg, line("A01", "1", "00"), db()), LineOutcome::Stored);
}

TEST_F(VoucherBookTest, RefusedLinesWriteNothing)
{
    addArticle("A04", "铆钉", 6, 20);
    ASSERT_EQ(storeLine(cg, line("A04", "7", "10"), db()), LineOutcome::Stored);

    struct Case {
        LineEntry entry;
        LineOutcome outcome;
    };
    LineEntry longPartner = line("A01", "5", "1");
    longPartner.partner = QString(31, QChar(u'商'));
    LineEntry badDate = line("A01", "5", "1");
    badDate.dateText = QStringLiteral("2004/13/45");
    const std::vector<Case> cases{
        {line("A04", "8", "1"), LineOutcome::Duplicate},
        {line("a04", "8", "1"), LineOutcome::Duplicate}, // codes compare as the table does
        {line("ZZZ", "8", "1"), LineOutcome::NoArticle},
        {line("A01", "abc", "1"), LineOutcome::Failed},  // goods in: conversion fails the store
        {line("A01", "5", "1x"), LineOutcome::Failed},
        {line("A01", "5", "99999999"), LineOutcome::Failed}, // due total overflows its column
        {longPartner, LineOutcome::Failed},              // refused at the insert, after both updates
        {badDate, LineOutcome::Failed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(storeLine(cg, c.entry, db()), c.outcome) << c.entry.code.toStdString();
        EXPECT_FALSE(db().inTransaction());
        EXPECT_EQ(stock("A04"), 30);
        EXPECT_EQ(cost("A04"), 6.33);
        EXPECT_EQ(stock("A01"), 0);
        EXPECT_EQ(cost("A01"), 0);
        EXPECT_EQ(due(kV), 70);
        EXPECT_EQ(count("J_cgmxb"), 1);
    }
}

TEST_F(VoucherBookTest, GoodsOutConvertBeforeAnythingAndRoundTheStock)
{
    const VoucherKind& out = salesKind();
    addArticle("B01", "扳手", 6, 20);
    EXPECT_THROW(storeLine(out, line("B01", "abc", "1"), db()), ConversionError);
    EXPECT_THROW(storeLine(out, line("NONE", "1", "x"), db()), ConversionError);
    ASSERT_EQ(storeLine(out, line("B01", "9", "2.555"), db()), LineOutcome::Stored);
    EXPECT_EQ(num("select sl from J_xsmxb"), 2.56); // the quantity is stored to the cent, tie to even
    EXPECT_EQ(stock("B01"), 17.44);
    EXPECT_EQ(cost("B01"), 6);
    EXPECT_EQ(num("select jcdj from J_xsmxb"), 6);
    ASSERT_TRUE(removeLine(out, kV, "B01", 9, 2.555, db()));
    EXPECT_EQ(stock("B01"), 20); // what was taken out comes back, not a third decimal more
}

TEST_F(VoucherBookTest, TypedQuotesAreStoredAsTyped)
{
    addArticle("O'1", "奥'螺丝", 1, 1);
    LineEntry e = line("O'1", "2", "1");
    e.partner = QStringLiteral("O'Brien'; delete from J_spb");
    ASSERT_EQ(storeLine(cg, e, db()), LineOutcome::Stored);
    EXPECT_EQ(text("select ghs from J_cgmxb"), e.partner);
    EXPECT_EQ(count("J_spb"), 2);
    MoneyEntry m = payment("D'1", "5");
    m.remark = QStringLiteral("it's");
    ASSERT_EQ(storeMoney(cg, m, db()), MoneyOutcome::Stored);
    EXPECT_EQ(text("select dh+bz from J_cgfkb"), "D'1it's");
    ASSERT_TRUE(removeMoney(cg, kV, "D'1", 5, db()));
    ASSERT_TRUE(removeLine(cg, kV, "O'1", 2, 1, db()));
    EXPECT_EQ(count("J_cgfkb") + count("J_cgmxb"), 0);
}

TEST_F(VoucherBookTest, NegativeFiguresAreRefusedForEveryKind)
{
    addArticle("N01", "螺母", 2, 5);
    for (const VoucherKind* k : voucherKinds()) {
        SCOPED_TRACE(k->prefix.toStdString());
        const QString v = k->prefix + QStringLiteral("1001044_001");
        if (v != kV)
            addHeader(v, k->tables.header);
        for (const LineEntry& e : {line("N01", "5", "-2", v), line("N01", "-5", "2", v), line("N01", "-0.01", "-1", v)})
            EXPECT_EQ(storeLine(*k, e, db()), LineOutcome::Negative) << e.priceText.toStdString();
        EXPECT_EQ(storeMoney(*k, payment("M1", "-5", v), db()), MoneyOutcome::Negative);
        EXPECT_EQ(storeMoney(*k, payment("M1", "-0.004", v), db()), MoneyOutcome::Negative);
        EXPECT_FALSE(db().inTransaction());
        EXPECT_EQ(count(k->tables.lines) + count(k->tables.money), 0);
        EXPECT_EQ(due(*k, v) + settled(*k, v), 0);
    }
    EXPECT_EQ(stock("N01"), 5);
    EXPECT_EQ(cost("N01"), 2);
    EXPECT_EQ(cash(), 1000);
}

// ---- money -----------------------------------------------------------------------------

TEST_F(VoucherBookTest, PaymentTakesCashAndRemovalGivesItBack)
{
    ASSERT_EQ(storeMoney(cg, payment("P1", "300"), db()), MoneyOutcome::Stored);
    EXPECT_EQ(cash(), 700);
    EXPECT_EQ(paid(kV), 300);
    EXPECT_EQ(num("select jcje from J_cgfkb where dh='P1'"), 700);
    EXPECT_EQ(text("select fkrq from J_cgfkb where dh='P1'"), "2004-04-16");
    EXPECT_EQ(text("select ghs+fklb+jsfs+fkr from J_cgfkb"), "华丰公司货款现金张三");

    ASSERT_EQ(storeMoney(cg, payment("P2", "200"), db()), MoneyOutcome::Stored);
    ASSERT_TRUE(removeMoney(cg, kV, "P1", 300, db()));
    EXPECT_EQ(cash(), 800);
    EXPECT_EQ(paid(kV), 200);
    EXPECT_EQ(num("select jcje from J_cgfkb where dh='P2'"), 500); // snapshots are never rewritten

    // Zero and amounts beyond the balance are accepted.
    ASSERT_EQ(storeMoney(cg, payment("P3", "0"), db()), MoneyOutcome::Stored);
    EXPECT_EQ(cash(), 800);
    ASSERT_EQ(storeMoney(cg, payment("P4", "5000"), db()), MoneyOutcome::Stored);
    EXPECT_EQ(cash(), -4200);
}

TEST_F(VoucherBookTest, RefusedPaymentsWriteNothing)
{
    ASSERT_EQ(storeMoney(cg, payment("P1", "100"), db()), MoneyOutcome::Stored);
    MoneyEntry longDoc = payment(QString(21, QLatin1Char('9')), "50");
    MoneyEntry longRemark = payment("P9", "50");
    longRemark.remark = QString(21, QChar(u'注'));
    MoneyEntry longMethod = payment("P8", "50");
    longMethod.method = QStringLiteral("银行承兑汇票转帐支付");
    longMethod.method += QStringLiteral("1");

    for (const MoneyEntry& e : {payment("", "50"), payment("0", "50")})
        EXPECT_EQ(storeMoney(cg, e, db()), MoneyOutcome::Ignored);
    EXPECT_EQ(storeMoney(cg, payment("P1", "50"), db()), MoneyOutcome::Duplicate);
    EXPECT_THROW(storeMoney(cg, payment("P5", "abc"), db()), ConversionError);
    for (const MoneyEntry& e : {longDoc, longRemark, longMethod})
        EXPECT_EQ(storeMoney(cg, e, db()), MoneyOutcome::Failed);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(cash(), 900);
    EXPECT_EQ(paid(kV), 100);
    EXPECT_EQ(count("J_cgfkb"), 1);

    // "0.0" is a document number like any other.
    EXPECT_EQ(storeMoney(cg, payment("0.0", "1"), db()), MoneyOutcome::Stored);
    // The same number on another voucher is no duplicate.
    addHeader("CG1001044_002");
    EXPECT_EQ(storeMoney(cg, payment("P1", "1", "CG1001044_002"), db()), MoneyOutcome::Stored);
}

// ---- invariants over sequences, for every kind ----------------------------------------

namespace {

enum class Op { Line, Pay, RemoveLine, RemoveMoney };
// Where a step is made to fail inside its transaction: at the row it writes or deletes,
// or at the header totals, its last statement.
enum class Fault { None, AtRow, AtTotal };

struct Step {
    Op op;
    Fault fault;
    int voucher;     // 1 or 2
    const char* key; // article code or document number
    const char* price; // price or amount, as typed
    const char* qty;
};

// What the books must say, kept by hand alongside.
struct Model {
    std::map<QString, double> stock{{"A01", 0}, {"A02", 5}, {"A03", -4}};
    std::map<QString, double> openingCost{{"A01", 0}, {"A02", 3.3}, {"A03", 1}};
    double cash = 1000;
    std::map<std::pair<QString, QString>, std::pair<double, double>> lines; // (voucher, code) -> stored price, qty
    std::map<std::pair<QString, QString>, double> money;                   // (voucher, dh) -> stored amount
};

using SequenceCase = std::tuple<const VoucherKind*, std::vector<Step>>;

} // namespace

class VoucherSequenceTest : public VoucherDbTest, public ::testing::WithParamInterface<SequenceCase> {
protected:
    // Everything a booking may touch, to show that a failed one touched nothing.
    std::vector<double> books(const VoucherKind& k)
    {
        std::vector<double> all{cash(), count(k.tables.lines), count(k.tables.money)};
        for (const char* code : {"A01", "A02", "A03"})
            all.insert(all.end(), {stock(code), cost(code)});
        for (const QString& v : vouchers)
            all.insert(all.end(), {due(k, v), settled(k, v)});
        return all;
    }
    QStringList vouchers;
};

TEST_P(VoucherSequenceTest, BooksStayTrue)
{
    const VoucherKind& k = *std::get<0>(GetParam());
    vouchers = {k.prefix + QStringLiteral("1001044_001"), k.prefix + QStringLiteral("1001044_002")};
    for (const QString& v : vouchers)
        addHeader(v, k.tables.header);
    addArticle("A01", "螺丝", 0, 0);
    addArticle("A02", "垫片", 3.3, 5);
    addArticle("A03", "铆钉", 1, -4);
    setCash(1000);
    Model m;
    const double goodsSign = k.goods == Flow::In ? 1 : -1;
    const double cashSign = k.money == Flow::In ? 1 : -1;

    for (const Step& s : std::get<1>(GetParam())) {
        const QString v = vouchers[s.voucher - 1];
        const QString key = QString::fromUtf8(s.key);
        SCOPED_TRACE(QStringLiteral("%1 %2 %3 %4").arg(int(s.op)).arg(int(s.fault)).arg(v, key).toStdString());
        const std::vector<double> before = books(k);
        const bool fail = s.fault != Fault::None;
        if (s.fault == Fault::AtTotal)
            refuseUpdates(k.tables.header);
        if (s.fault == Fault::AtRow && (s.op == Op::RemoveLine || s.op == Op::RemoveMoney))
            refuseDeletes(s.op == Op::RemoveLine ? k.tables.lines : k.tables.money);

        switch (s.op) {
        case Op::Line: {
            LineEntry e = line(key, QString::fromUtf8(s.price), QString::fromUtf8(s.qty), v);
            if (s.fault == Fault::AtRow)
                e.category = QString(11, QLatin1Char('x')); // longer than the column
            ASSERT_EQ(storeLine(k, e, db()), fail ? LineOutcome::Failed : LineOutcome::Stored);
            if (!fail) {
                const double price = round2(toNumber(e.priceText));
                const double qty = round2(toNumber(e.quantityText));
                m.stock[key] += goodsSign * qty;
                m.lines[{v, key}] = {price, qty};
                // The line's snapshot is what the article became.
                const QString where = QStringLiteral(" from %1 where pzh=%2 and spdm=%3").arg(k.tables.lines, quoted(v), quoted(key));
                EXPECT_EQ(num("select jcsl" + where), stock(key));
                EXPECT_EQ(num("select jcdj" + where), cost(key));
                EXPECT_EQ(num("select dj" + where), price);
                EXPECT_EQ(num("select sl" + where), qty);
            }
            break;
        }
        case Op::Pay: {
            MoneyEntry e = payment(key, QString::fromUtf8(s.price), v);
            if (s.fault == Fault::AtRow)
                e.person = QString(11, QLatin1Char('x'));
            ASSERT_EQ(storeMoney(k, e, db()), fail ? MoneyOutcome::Failed : MoneyOutcome::Stored);
            if (!fail) {
                const double amount = round2(toNumber(e.amountText));
                m.cash += cashSign * amount;
                m.money[{v, key}] = amount;
                EXPECT_EQ(num(QStringLiteral("select jcje from %1 where pzh=%2 and dh=%3").arg(k.tables.money, quoted(v), quoted(key))),
                          cash());
            }
            break;
        }
        case Op::RemoveLine: {
            const auto [price, qty] = m.lines.at({v, key});
            ASSERT_EQ(removeLine(k, v, key, price, qty, db()), !fail);
            if (!fail) {
                m.stock[key] -= goodsSign * qty;
                m.lines.erase({v, key});
            }
            break;
        }
        case Op::RemoveMoney: {
            const double amount = m.money.at({v, key});
            ASSERT_EQ(removeMoney(k, v, key, amount, db()), !fail);
            if (!fail) {
                m.cash -= cashSign * amount;
                m.money.erase({v, key});
            }
            break;
        }
        }
        if (s.fault == Fault::AtTotal)
            allowUpdates(k.tables.header);
        if (s.fault == Fault::AtRow && (s.op == Op::RemoveLine || s.op == Op::RemoveMoney))
            allowDeletes(s.op == Op::RemoveLine ? k.tables.lines : k.tables.money);

        EXPECT_FALSE(db().inTransaction());
        if (fail)
            EXPECT_EQ(books(k), before);
        for (const auto& [code, qty] : m.stock) {
            EXPECT_NEAR(stock(code), qty, 1e-9) << code.toStdString();
            if (k.valuation == Valuation::Unchanged)
                EXPECT_EQ(cost(code), m.openingCost.at(code)) << code.toStdString();
        }
        EXPECT_NEAR(cash(), m.cash, 1e-9);
        for (const QString& v : vouchers) {
            double lineSum = 0, moneySum = 0;
            for (const auto& [key, pq] : m.lines)
                if (key.first == v)
                    lineSum += pq.first * pq.second;
            for (const auto& [key, a] : m.money)
                if (key.first == v)
                    moneySum += a;
            EXPECT_NEAR(due(k, v), round2(lineSum), 1e-9) << v.toStdString();
            EXPECT_NEAR(settled(k, v), moneySum, 1e-9) << v.toStdString();
        }
        EXPECT_EQ(count(k.tables.lines), double(m.lines.size()));
        EXPECT_EQ(count(k.tables.money), double(m.money.size()));
    }
}

namespace {

const std::vector<std::vector<Step>> kSequences{
    {{Op::Line, Fault::None, 1, "A01", "5", "10"},
     {Op::Line, Fault::None, 1, "A02", "2.35", "3"},
     {Op::Pay, Fault::None, 1, "P1", "30.5", ""},
     {Op::RemoveLine, Fault::None, 1, "A01", "", ""},
     {Op::RemoveMoney, Fault::None, 1, "P1", "", ""}},
    {{Op::Line, Fault::AtRow, 1, "A01", "5", "10"},
     {Op::Line, Fault::AtTotal, 1, "A01", "5", "10"},
     {Op::Line, Fault::None, 1, "A03", "1.25", "4"},
     {Op::Pay, Fault::AtRow, 1, "P1", "10", ""},
     {Op::Pay, Fault::AtTotal, 1, "P1", "10", ""},
     {Op::Pay, Fault::None, 1, "P1", "10", ""},
     {Op::Line, Fault::None, 2, "A03", "2", "7"},
     {Op::RemoveLine, Fault::AtRow, 1, "A03", "", ""},
     {Op::RemoveLine, Fault::AtTotal, 1, "A03", "", ""},
     {Op::RemoveMoney, Fault::AtRow, 1, "P1", "", ""},
     {Op::RemoveMoney, Fault::AtTotal, 1, "P1", "", ""},
     {Op::RemoveLine, Fault::None, 1, "A03", "", ""},
     {Op::Pay, Fault::None, 2, "P1", "999.99", ""}},
    // Typed figures beyond the cent: what is stored is what counts.
    {{Op::Pay, Fault::None, 2, "X", "0.015", ""},
     {Op::Pay, Fault::None, 2, "Y", "1200.125", ""},
     {Op::Line, Fault::None, 2, "A02", "0.333", "3"},
     {Op::Line, Fault::None, 2, "A01", "12.5", "0.555"},
     {Op::RemoveMoney, Fault::None, 2, "Y", "", ""},
     {Op::RemoveLine, Fault::AtTotal, 2, "A02", "", ""},
     {Op::RemoveLine, Fault::None, 2, "A02", "", ""},
     {Op::Line, Fault::None, 2, "A02", "4", "1"},
     {Op::Line, Fault::AtRow, 1, "A02", "1", "1"},
     {Op::RemoveMoney, Fault::None, 2, "X", "", ""}},
};

} // namespace

INSTANTIATE_TEST_SUITE_P(KindsAndOrders, VoucherSequenceTest,
                         ::testing::Combine(::testing::ValuesIn(voucherKinds()), ::testing::ValuesIn(kSequences)),
                         [](const ::testing::TestParamInfo<SequenceCase>& info) {
                             return std::get<0>(info.param)->prefix.toStdString() + "_" + std::to_string(info.index);
                         });
