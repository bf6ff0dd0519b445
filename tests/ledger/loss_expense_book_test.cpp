// Booking loss lines (stock) and expense lines (cash), without the screens.
#include "vouchers/VoucherTestDb.h"

#include "db/Errors.h"
#include "ledger/LossExpenseBook.h"

#include <QDate>
#include <map>
#include <random>

namespace {

const QString kBS = QStringLiteral("BS1001044_001");
const QString kZC = QStringLiteral("ZC1001044_001");

LossLineEntry lossLine(const QString& code, const QString& price, const QString& qty, const QString& voucher = kBS)
{
    return LossLineEntry{voucher, code, QStringLiteral("个"), price, qty, QStringLiteral("损坏"),
                         QStringLiteral("2004/4/15"), QStringLiteral("仓库漏水")};
}

ExpenseEntry expenseLine(const QString& dh, const QString& amount, const QString& voucher = kZC)
{
    return ExpenseEntry{voucher, dh, QStringLiteral("房租"), amount, QDate(2004, 4, 16), QStringLiteral("四月房租"),
                        QStringLiteral("现付")};
}

} // namespace

class LossExpenseBookTest : public VoucherDbTest {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        addHeader(kBS, QStringLiteral("J_bsb"));
        addHeader(kZC, QStringLiteral("J_zcb"));
    }
    double bsje(const QString& pzh = kBS) { return num("select bsje from J_bsb where pzh=" + quoted(pzh)); }
    double zcje(const QString& pzh = kZC) { return num("select zcje from J_zcb where pzh=" + quoted(pzh)); }
    // Fails the next statement of this kind on the table, inside the booking's transaction.
    void refuse(const char* event, const QString& table)
    {
        const QByteArray sql = QStringLiteral("create trigger refuse_%1 before %2 on %1 begin select raise(abort,'refused'); end")
                                   .arg(table, QLatin1String(event))
                                   .toUtf8();
        ASSERT_EQ(sqlite3_exec(db().handle(), sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void allow(const QString& table)
    {
        const QByteArray sql = QStringLiteral("drop trigger refuse_%1").arg(table).toUtf8();
        ASSERT_EQ(sqlite3_exec(db().handle(), sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
};

// ---- loss lines ------------------------------------------------------------------------

struct LossCase {
    const char* what;
    double stock;
    const char* price;
    const char* qty;
    BookOutcome outcome;
    double stockAfter; // also the line's jcsl when stored
    double dj;
    double sl;
};
void PrintTo(const LossCase& c, std::ostream* os) { *os << c.what; }

class LossLineCases : public LossExpenseBookTest, public ::testing::WithParamInterface<LossCase> {};

TEST_P(LossLineCases, StockLineAndTotal)
{
    const LossCase& c = GetParam();
    addArticle("A01", "螺丝", 6, c.stock);
    EXPECT_EQ(storeLossLine(lossLine("A01", c.price, c.qty), db()), c.outcome);
    EXPECT_DOUBLE_EQ(stock("A01"), c.stockAfter);
    const bool stored = c.outcome == BookOutcome::Stored;
    ASSERT_EQ(count("J_bsmxb"), stored ? 1 : 0);
    if (!stored) {
        EXPECT_EQ(bsje(), 0);
        return;
    }
    EXPECT_DOUBLE_EQ(num("select dj from J_bsmxb"), c.dj);
    EXPECT_DOUBLE_EQ(num("select sl from J_bsmxb"), c.sl);
    EXPECT_DOUBLE_EQ(num("select jcsl from J_bsmxb"), c.stockAfter);
    EXPECT_DOUBLE_EQ(bsje(), round2(c.dj * c.sl));
}

INSTANTIATE_TEST_SUITE_P(
    Loss, LossLineCases,
    ::testing::Values(LossCase{"plain", 10, "5", "3", BookOutcome::Stored, 7, 5, 3},
                      LossCase{"more than in stock", 3, "5", "5", BookOutcome::Stored, -2, 5, 5},
                      LossCase{"typed to the cent", 10, "0.125", "2.005", BookOutcome::Stored, 8, 0.12, 2},
                      LossCase{"zero written otherwise", 10, "0.0", "4", BookOutcome::Stored, 6, 0, 4},
                      LossCase{"price exactly 0", 10, "0", "4", BookOutcome::Ignored, 10, 0, 0},
                      LossCase{"quantity exactly 0", 10, "5", "0", BookOutcome::Ignored, 10, 0, 0},
                      LossCase{"negative price", 10, "-5", "1", BookOutcome::Negative, 10, 0, 0},
                      LossCase{"negative quantity", 10, "5", "-1", BookOutcome::Negative, 10, 0, 0}),
    [](const auto& info) {
        std::string name;
        for (char ch : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST_F(LossExpenseBookTest, LossLineCarriesCostDateAndDescription)
{
    addArticle("A01", "螺丝", 6, 10);
    LossLineEntry e = lossLine("A01", "9.5", "2");
    e.dateText = QStringLiteral("2004/5/6 10:30:00");
    ASSERT_EQ(storeLossLine(e, db()), BookOutcome::Stored);
    // The remaining stock is valued at the article's cost, not at the typed price.
    EXPECT_EQ(num("select jcdj from J_bsmxb"), 6);
    EXPECT_EQ(num("select dj from J_bsmxb"), 9.5);
    EXPECT_EQ(cost("A01"), 6);
    EXPECT_EQ(text("select bssm from J_bsmxb"), "仓库漏水");
    EXPECT_EQ(text("select bslb+dw+pzh from J_bsmxb"), "损坏个" + kBS);
    EXPECT_EQ(text("select bsrq from J_bsmxb"), "2004-05-06");
}

TEST_F(LossExpenseBookTest, LossLineRefusalsWriteNothing)
{
    addArticle("A01", "螺丝", 6, 10);
    EXPECT_EQ(storeLossLine(lossLine("", "5", "1"), db()), BookOutcome::Ignored);
    EXPECT_EQ(storeLossLine(lossLine("B99", "5", "1"), db()), BookOutcome::NoArticle);
    EXPECT_THROW(storeLossLine(lossLine("A01", "5x", "1"), db()), ConversionError);
    EXPECT_THROW(storeLossLine(lossLine("A01", "5", "1,5"), db()), ConversionError);
    ASSERT_EQ(storeLossLine(lossLine("A01", "5", "1"), db()), BookOutcome::Stored);
    // A second line of the article would be taken away with the first by one removal.
    EXPECT_EQ(storeLossLine(lossLine("A01", "4", "2"), db()), BookOutcome::Duplicate);
    // A category longer than its column is refused by the database: rolled back whole.
    LossLineEntry tooLong = lossLine("A01", "4", "2", QStringLiteral("BS1001044_002"));
    tooLong.category = QString(11, QChar(u'损'));
    EXPECT_EQ(storeLossLine(tooLong, db()), BookOutcome::Failed);
    EXPECT_EQ(stock("A01"), 9);
    EXPECT_EQ(count("J_bsmxb"), 1);
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(LossExpenseBookTest, RemovingALossLineGivesTheStockBackAndKeepsTheTotalTrue)
{
    addArticle("A01", "螺丝", 6, 10);
    addArticle("A02", "垫片", 1, 10);
    // 0.33 × 0.5 = 0.165: added rounded, it must not leave a remainder when taken away.
    ASSERT_EQ(storeLossLine(lossLine("A01", "0.33", "0.5"), db()), BookOutcome::Stored);
    ASSERT_EQ(storeLossLine(lossLine("A02", "0.33", "0.5"), db()), BookOutcome::Stored);
    EXPECT_DOUBLE_EQ(bsje(), 0.33);
    ASSERT_TRUE(removeLossLine(kBS, "A01", 0.5, db()));
    EXPECT_DOUBLE_EQ(stock("A01"), 10);
    EXPECT_DOUBLE_EQ(bsje(), round2(0.165));
    ASSERT_TRUE(removeLossLine(kBS, "A02", 0.5, db()));
    EXPECT_EQ(bsje(), 0);
    EXPECT_EQ(count("J_bsmxb"), 0);
}

// ---- expense lines ---------------------------------------------------------------------

struct ExpenseCase {
    const char* what;
    double cash;
    const char* amount;
    BookOutcome outcome;
    double cashAfter; // also the line's jcje when stored
    double zcje;
};
void PrintTo(const ExpenseCase& c, std::ostream* os) { *os << c.what; }

class ExpenseCases : public LossExpenseBookTest, public ::testing::WithParamInterface<ExpenseCase> {};

TEST_P(ExpenseCases, CashLineAndTotal)
{
    const ExpenseCase& c = GetParam();
    setCash(c.cash);
    EXPECT_EQ(storeExpense(expenseLine("D1", c.amount), db()), c.outcome);
    EXPECT_DOUBLE_EQ(cash(), c.cashAfter);
    EXPECT_DOUBLE_EQ(zcje(), c.zcje);
    const bool stored = c.outcome == BookOutcome::Stored;
    ASSERT_EQ(count("J_zcmxb"), stored ? 1 : 0);
    if (stored) {
        EXPECT_DOUBLE_EQ(num("select jcje from J_zcmxb"), c.cashAfter);
        EXPECT_DOUBLE_EQ(num("select zcje from J_zcmxb"), c.zcje);
    }
}

INSTANTIATE_TEST_SUITE_P(Expense, ExpenseCases,
                         ::testing::Values(ExpenseCase{"plain", 100, "30", BookOutcome::Stored, 70, 30},
                                           ExpenseCase{"more than the cash", 100, "130.5", BookOutcome::Stored, -30.5, 130.5},
                                           ExpenseCase{"typed to the cent", 100, "0.125", BookOutcome::Stored, 99.88, 0.12},
                                           ExpenseCase{"amount exactly 0", 100, "0", BookOutcome::Ignored, 100, 0},
                                           ExpenseCase{"negative", 100, "-30", BookOutcome::Negative, 100, 0}),
                         [](const auto& info) {
                             std::string name;
                             for (char ch : std::string(info.param.what))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

TEST_F(LossExpenseBookTest, ExpenseLineColumnsRefusalsAndRemoval)
{
    setCash(100);
    ASSERT_EQ(storeExpense(expenseLine("D1", "30"), db()), BookOutcome::Stored);
    EXPECT_EQ(text("select pzh+dh+zclb+zcsm+bz from J_zcmxb"), kZC + "D1房租四月房租现付");
    EXPECT_EQ(text("select zcrq from J_zcmxb"), "2004-04-16");

    EXPECT_EQ(storeExpense(expenseLine("", "5"), db()), BookOutcome::Ignored);
    EXPECT_THROW(storeExpense(expenseLine("D2", "3o"), db()), ConversionError);
    // One line per document number on a voucher; another voucher may use it.
    EXPECT_EQ(storeExpense(expenseLine("D1", "5"), db()), BookOutcome::Duplicate);
    ExpenseEntry tooLong = expenseLine("D2", "5");
    tooLong.description = QString(21, QChar(u'费'));
    EXPECT_EQ(storeExpense(tooLong, db()), BookOutcome::Failed);
    EXPECT_EQ(cash(), 70);
    EXPECT_EQ(zcje(), 30);
    EXPECT_EQ(count("J_zcmxb"), 1);

    addHeader("ZC1001044_002", "J_zcb");
    ASSERT_EQ(storeExpense(expenseLine("D1", "20", "ZC1001044_002"), db()), BookOutcome::Stored);
    EXPECT_EQ(num("select jcje from J_zcmxb where pzh='ZC1001044_002'"), 50);

    ASSERT_TRUE(removeExpense(kZC, "D1", 30, db()));
    EXPECT_EQ(cash(), 80);
    EXPECT_EQ(zcje(), 0);
    EXPECT_EQ(zcje("ZC1001044_002"), 20);
    EXPECT_EQ(num("select jcje from J_zcmxb"), 50); // snapshots are never rewritten
}

// ---- the two kinds in sequence ---------------------------------------------------------

// Lines added and removed on several vouchers of both kinds, some of them failing inside the
// transaction at each of its statements: after every step stock and cash are the opening
// values moved by exactly the stored lines, each voucher's amount equals its lines, and each
// line's snapshot is what stock or cash became when it was stored.
TEST_F(LossExpenseBookTest, SequenceKeepsStockCashAndTotalsTrue)
{
    const QStringList codes{"A01", "A02", "A03"};
    const QStringList lossVouchers{kBS, "BS1001044_002"};
    const QStringList expenseVouchers{kZC, "ZC1001044_002"};
    std::map<QString, double> opening{{"A01", 50}, {"A02", 3}, {"A03", 0}};
    for (const QString& code : codes)
        addArticle(code, "货" + code, 2.5, opening[code]);
    addHeader(lossVouchers[1], "J_bsb");
    addHeader(expenseVouchers[1], "J_zcb");
    setCash(500);

    // What the books must show: the lines stored, by voucher and article or document.
    struct Stored {
        double price, quantity, snapshot;
    };
    std::map<std::pair<QString, QString>, Stored> losses, expenses;
    // Where a booking is made to fail: the table and the statement.
    const std::pair<const char*, const char*> faults[] = {
        {"update", "J_spb"}, {"insert", "J_bsmxb"}, {"update", "J_bsb"}, {"delete", "J_bsmxb"},
        {"update", "J_zjb"}, {"insert", "J_zcmxb"}, {"update", "J_zcb"}, {"delete", "J_zcmxb"}};

    std::mt19937 random(7);
    auto pick = [&](int n) { return static_cast<int>(random() % n); };
    for (int step = 0; step < 120; ++step) {
        const bool fail = step % 5 == 4;
        const auto& fault = faults[pick(8)];
        if (fail)
            refuse(fault.first, QLatin1String(fault.second));
        const bool lossKind = pick(2) == 0;
        const QString voucher = (lossKind ? lossVouchers : expenseVouchers)[pick(2)];
        // Typed texts, some of them with half a cent.
        const QString priceText = numText((1 + pick(400)) / 100.0 + 0.005 * pick(2));
        const QString quantityText = numText((1 + pick(90)) / 10.0);
        const double price = round2(priceText.toDouble());
        const double quantity = round2(quantityText.toDouble());
        const QString item = lossKind ? codes[pick(3)] : QStringLiteral("D%1").arg(pick(4));
        auto& book = lossKind ? losses : expenses;
        const auto key = std::make_pair(voucher, item);
        const bool has = book.count(key) > 0;
        const bool removing = has && pick(2) == 0;
        // The statements this booking runs, any of which may be the one refused.
        const QString lines = lossKind ? "J_bsmxb" : "J_zcmxb";
        const QStringList runs{QString("update ") + (lossKind ? "J_spb" : "J_zjb"),
                               (removing ? "delete " : "insert ") + lines,
                               QString("update ") + (lossKind ? "J_bsb" : "J_zcb")};
        const bool mustFail = fail && runs.contains(QString(fault.first) + " " + fault.second);
        if (removing) {
            const bool ok = lossKind ? removeLossLine(voucher, item, book[key].quantity, db())
                                     : removeExpense(voucher, item, book[key].price, db());
            EXPECT_EQ(ok, !mustFail) << step;
            if (ok)
                book.erase(key);
        } else {
            const BookOutcome outcome =
                lossKind ? storeLossLine(lossLine(item, priceText, quantityText, voucher), db())
                         : storeExpense(expenseLine(item, priceText, voucher), db());
            EXPECT_EQ(outcome, has ? BookOutcome::Duplicate : mustFail ? BookOutcome::Failed : BookOutcome::Stored) << step;
            if (outcome == BookOutcome::Stored)
                book[key] = lossKind ? Stored{price, quantity, stock(item)} : Stored{price, 1, cash()};
        }
        if (fail)
            allow(QLatin1String(fault.second));
        ASSERT_FALSE(db().inTransaction()) << step;

        // Stock, cash and totals against the stored lines.
        for (const QString& code : codes) {
            double lost = 0;
            for (const auto& [key, line] : losses)
                if (key.second == code)
                    lost += line.quantity;
            ASSERT_NEAR(stock(code), opening[code] - lost, 1e-9) << step << " " << code.toStdString();
        }
        double spent = 0;
        for (const auto& [key, line] : expenses)
            spent += line.price;
        ASSERT_NEAR(cash(), 500 - spent, 1e-9) << step;
        for (const QString& v : lossVouchers) {
            double total = 0;
            for (const auto& [key, line] : losses)
                if (key.first == v)
                    total += line.price * line.quantity;
            ASSERT_DOUBLE_EQ(bsje(v), round2(total)) << step;
        }
        for (const QString& v : expenseVouchers) {
            double total = 0;
            for (const auto& [key, line] : expenses)
                if (key.first == v)
                    total += line.price;
            ASSERT_NEAR(zcje(v), total, 1e-9) << step;
        }
        ASSERT_EQ(count("J_bsmxb"), losses.size()) << step;
        ASSERT_EQ(count("J_zcmxb"), expenses.size()) << step;
        for (const auto& [key, line] : losses) {
            const QString where = " where pzh=" + quoted(key.first) + " and spdm=" + quoted(key.second);
            ASSERT_DOUBLE_EQ(num("select jcsl from J_bsmxb" + where), line.snapshot) << step;
            ASSERT_DOUBLE_EQ(num("select dj*sl from J_bsmxb" + where), line.price * line.quantity) << step;
        }
        for (const auto& [key, line] : expenses)
            ASSERT_DOUBLE_EQ(num("select jcje from J_zcmxb where pzh=" + quoted(key.first) + " and dh=" + quoted(key.second)),
                             line.snapshot)
                << step;
    }
    EXPECT_FALSE(losses.empty());
    EXPECT_FALSE(expenses.empty());
}
