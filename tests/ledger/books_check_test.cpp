// The books check: nothing on books kept by the program, each planted disagreement found.
#include "vouchers/VoucherTestDb.h"

#include "ledger/BooksCheck.h"
#include "ledger/BooksCheckScreen.h"
#include "ledger/LossExpenseBook.h"
#include "vouchers/VoucherBook.h"
#include "vouchers/VoucherKind.h"
#include "widgets/DBGrid.h"
#include "support/UiHelpers.h"

#include <QLabel>

#include <functional>

namespace {

class BooksCheckTest : public VoucherDbTest {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        for (const char* code : {"A01", "A02", "A03"})
            addArticle(QString::fromLatin1(code), QStringLiteral("商品"), 0, 0);
        setCash(1000);
        // Every trade kind: a voucher with lines in cents that round, and a money row.
        const VoucherKind* kinds[] = {&purchaseKind(), &salesKind(), &purchaseReturnKind(), &salesReturnKind()};
        int n = 0;
        for (const VoucherKind* k : kinds) {
            const QString pzh = k->prefix + QStringLiteral("1001044_001");
            run(QStringLiteral("insert into %1(pzh) values(%2)").arg(k->tables.header, quoted(pzh)));
            for (const char* code : {"A01", "A02"})
                EXPECT_EQ(book(*k, pzh, QString::fromLatin1(code), "1.11", k->goods == Flow::In ? "11.11" : "1.11"), LineOutcome::Stored);
            const MoneyEntry m{pzh, {}, QStringLiteral("D%1").arg(++n), {}, {}, QStringLiteral("3.33"), {}, QDate(2004, 4, 16), {}};
            EXPECT_EQ(storeMoney(*k, m, db()), MoneyOutcome::Stored);
        }
        // A third article only bought, then its line removed again.
        EXPECT_EQ(book(purchaseKind(), "CG1001044_001", "A03", "2", "5"), LineOutcome::Stored);
        EXPECT_TRUE(removeLine(purchaseKind(), "CG1001044_001", "A03", 2, 5, db()));
        EXPECT_EQ(book(purchaseKind(), "CG1001044_001", "A03", "2", "6"), LineOutcome::Stored);

        // A loss of two articles, one line removed and booked again, and an expense voucher.
        run("insert into J_bsb(pzh) values('BS1001044_001')");
        for (const char* code : {"A01", "A03"})
            EXPECT_EQ(loss(code, "1.11", "1.5"), BookOutcome::Stored);
        EXPECT_TRUE(removeLossLine(QStringLiteral("BS1001044_001"), QStringLiteral("A03"), 1.5, db()));
        EXPECT_EQ(loss("A03", "1.11", "2.5"), BookOutcome::Stored);
        run("insert into J_zcb(pzh) values('ZC1001044_001')");
        for (const char* document : {"E1", "E2"}) {
            const ExpenseEntry e{QStringLiteral("ZC1001044_001"), QString::fromLatin1(document), QStringLiteral("房租"),
                                 QStringLiteral("7.77"), QDate(2004, 4, 17), {}, {}};
            EXPECT_EQ(storeExpense(e, db()), BookOutcome::Stored);
        }
    }
    BookOutcome loss(const char* code, const char* price, const char* qty)
    {
        return storeLossLine(LossLineEntry{QStringLiteral("BS1001044_001"), QString::fromLatin1(code), QStringLiteral("个"),
                                           QString::fromLatin1(price), QString::fromLatin1(qty), QStringLiteral("破损"),
                                           QStringLiteral("2004/4/17"), {}},
                             db());
    }
    LineOutcome book(const VoucherKind& k, const QString& pzh, const QString& code, const char* price, const char* qty)
    {
        return storeLine(k, LineEntry{pzh, code, QStringLiteral("个"), QString::fromLatin1(price), QString::fromLatin1(qty),
                                      {}, {}, QStringLiteral("2004/4/15")},
                         db());
    }
    QStringList findings()
    {
        QStringList out;
        for (const BooksDisagreement& d : checkBooks(db()))
            out << d.what + QLatin1Char(' ') + d.where;
        return out;
    }
};

TEST_F(BooksCheckTest, BooksKeptByTheProgramAgree)
{
    EXPECT_EQ(findings(), QStringList());
    TForm58 screen;
    screen.show();
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("账目核对"));
    EXPECT_EQ(screen.Label1->text(), QStringLiteral("账目核对无误"));
    EXPECT_EQ(screen.DBGrid1->model()->rowCount(), 0);
    EXPECT_EQ(screen.DBGrid1->model()->columnCount(), 4);
}

struct Plant {
    const char* name;
    const char* sql;
    QStringList found;
};

class PlantedDisagreementTest : public BooksCheckTest, public ::testing::WithParamInterface<Plant> {};

TEST_P(PlantedDisagreementTest, IsFound)
{
    for (const QString& statement : QString::fromUtf8(GetParam().sql).split(QLatin1Char(';')))
        run(statement);
    EXPECT_EQ(findings(), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Books, PlantedDisagreementTest,
    ::testing::Values(
        Plant{"PurchaseDue", "update J_cgb set yfk=yfk+0.01", {"采购凭证应付款不等于明细合计 CG1001044_001"}},
        Plant{"PurchasePaid", "update J_cgb set sfk=0", {"采购凭证实付款不等于收付款明细合计 CG1001044_001"}},
        Plant{"SalesDue", "update J_xsb set ysk=ysk-1", {"销售凭证应收款不等于明细合计 XS1001044_001"}},
        Plant{"SalesReceived", "update J_xsskb set skje=3.3", {"销售凭证实收款不等于收付款明细合计 XS1001044_001"}},
        Plant{"PurchaseReturnDue", "update J_cgthb set ysk=9", {"采购退货凭证应收款不等于明细合计 CT1001044_001"}},
        Plant{"SalesReturnPaid", "update J_xsthb set sfk=1", {"销售退货凭证实付款不等于收付款明细合计 XT1001044_001"}},
        Plant{"LossTotal", "insert into J_bsb(pzh,bsje) values('BS1001044_002',5)", {"报损凭证报损金额不等于明细合计 BS1001044_002"}},
        Plant{"ExpenseTotal", "insert into J_zcb(pzh,zcje) values('ZC1001044_002',7)", {"费用凭证支出金额不等于明细合计 ZC1001044_002"}},
        Plant{"StockChanged", "update J_spb set xykc=xykc+1 where spdm='A03'",
              {"商品库存不等于各单据出入库合计 A03", "商品库存不等于最后一笔明细的结存数量 A03"}},
        Plant{"LineLost", "delete from J_xsmxb where spdm='A02'",
              {"销售凭证应收款不等于明细合计 XS1001044_001", "商品库存不等于各单据出入库合计 A02"}},
        // A latest snapshot off on its own is what removing an earlier row leaves: the rows
        // account for the balance, nothing is reported. The latest line of A02 is its sales return.
        Plant{"SnapshotOffAlone", "update J_xsthmxb set jcsl=jcsl+1 where spdm='A02'", {}},
        Plant{"CashChanged", "update J_zjb set je=je+0.01", {"流动资金不等于最后一笔收付款的结存金额 J_zjb"}},
        Plant{"LossAmount", "update J_bsb set bsje=bsje+0.01 where pzh='BS1001044_001'",
              {"报损凭证报损金额不等于明细合计 BS1001044_001"}},
        Plant{"LossLineLost", "delete from J_bsmxb where spdm='A01'",
              {"报损凭证报损金额不等于明细合计 BS1001044_001", "商品库存不等于各单据出入库合计 A01",
               "商品库存不等于最后一笔明细的结存数量 A01"}},
        Plant{"LossSnapshotOffAlone", "update J_bsmxb set jcsl=jcsl+1 where spdm='A03'", {}},
        Plant{"ExpenseAmount", "update J_zcb set zcje=7.77", {"费用凭证支出金额不等于明细合计 ZC1001044_001"}},
        Plant{"ExpenseLineChanged", "update J_zcmxb set zcje=7.7 where dh='E1'",
              {"费用凭证支出金额不等于明细合计 ZC1001044_001"}},
        Plant{"ExpenseSnapshotOffAlone", "update J_zcmxb set jcje=jcje-1 where dh='E2'", {}},
        Plant{"StockAndSnapshotChanged", "update J_spb set xykc=xykc+1 where spdm='A02';update J_xsthmxb set jcsl=jcsl+1 where spdm='A02'",
              {"商品库存不等于各单据出入库合计 A02"}},
        Plant{"LatestExpenseLost", "delete from J_zcmxb where dh='E2'",
              {"费用凭证支出金额不等于明细合计 ZC1001044_001", "流动资金不等于最后一笔收付款的结存金额 J_zjb"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Removing a row while later rows of the same article or of the cash stay. The later rows
// keep the balance they were booked with; the books are still right.
struct EarlierRemoval {
    const char* name;
    std::function<bool(Database&)> remove;
    friend void PrintTo(const EarlierRemoval& r, std::ostream* os) { *os << r.name; }
};

class EarlierRemovalTest : public BooksCheckTest, public ::testing::WithParamInterface<EarlierRemoval> {
protected:
    void SetUp() override
    {
        BooksCheckTest::SetUp();
        // A second money row on every trade voucher, the one the money cases remove.
        const VoucherKind* kinds[] = {&purchaseKind(), &salesKind(), &purchaseReturnKind(), &salesReturnKind()};
        for (const VoucherKind* k : kinds)
            EXPECT_EQ(money(*k, k->prefix + QStringLiteral("1001044_001"), "Y1", "2.22"), MoneyOutcome::Stored);
        // Then rows after everything: a sale of each article, a receipt and an expense.
        run("insert into J_xsb(pzh) values('XS1001044_002')");
        for (const char* code : {"A01", "A02", "A03"})
            EXPECT_EQ(book(salesKind(), "XS1001044_002", QString::fromLatin1(code), "2", "1"), LineOutcome::Stored);
        EXPECT_EQ(money(salesKind(), "XS1001044_002", "R1", "5"), MoneyOutcome::Stored);
        const ExpenseEntry e{QStringLiteral("ZC1001044_001"), QStringLiteral("E3"), QStringLiteral("房租"),
                             QStringLiteral("4.44"), QDate(2004, 4, 18), {}, {}};
        EXPECT_EQ(storeExpense(e, db()), BookOutcome::Stored);
        EXPECT_EQ(findings(), QStringList());
    }
    MoneyOutcome money(const VoucherKind& k, const QString& pzh, const char* document, const char* amount)
    {
        return storeMoney(k, MoneyEntry{pzh, {}, QString::fromLatin1(document), {}, {}, QString::fromLatin1(amount), {},
                                        QDate(2004, 4, 18), {}},
                          db());
    }
};

TEST_P(EarlierRemovalTest, LeavesTheBooksAgreeing)
{
    ASSERT_TRUE(GetParam().remove(db()));
    EXPECT_EQ(findings(), QStringList());
}

TEST_P(EarlierRemovalTest, LeavesAChangeBehindTheBooksFound)
{
    ASSERT_TRUE(GetParam().remove(db()));
    run("update J_spb set xykc=xykc+1 where spdm='A01'");
    run("update J_zjb set je=je-0.01");
    const QStringList found = findings();
    EXPECT_TRUE(found.contains(QStringLiteral("商品库存不等于各单据出入库合计 A01"))) << found.join(u'\n').toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("流动资金不等于最后一笔收付款的结存金额 J_zjb"))) << found.join(u'\n').toStdString();
}

EarlierRemoval removedLine(const char* name, const VoucherKind& (*kind)(), double quantity)
{
    return {name, [kind, quantity](Database& db) {
                return removeLine(kind(), kind().prefix + QStringLiteral("1001044_001"), QStringLiteral("A01"), 1.11,
                                  quantity, db);
            }};
}

EarlierRemoval removedMoney(const char* name, const VoucherKind& (*kind)())
{
    return {name, [kind](Database& db) {
                return removeMoney(kind(), kind().prefix + QStringLiteral("1001044_001"), QStringLiteral("Y1"), 2.22, db);
            }};
}

INSTANTIATE_TEST_SUITE_P(
    Books, EarlierRemovalTest,
    ::testing::Values(
        removedLine("PurchaseLine", purchaseKind, 11.11), removedLine("SalesLine", salesKind, 1.11),
        removedLine("PurchaseReturnLine", purchaseReturnKind, 1.11), removedLine("SalesReturnLine", salesReturnKind, 11.11),
        EarlierRemoval{"LossLine",
                       [](Database& db) { return removeLossLine(QStringLiteral("BS1001044_001"), QStringLiteral("A01"), 1.5, db); }},
        removedMoney("PurchasePayment", purchaseKind), removedMoney("SalesReceipt", salesKind),
        removedMoney("PurchaseReturnReceipt", purchaseReturnKind), removedMoney("SalesReturnPayment", salesReturnKind),
        EarlierRemoval{"ExpenseLine",
                       [](Database& db) { return removeExpense(QStringLiteral("ZC1001044_001"), QStringLiteral("E1"), 7.77, db); }},
        // Both at once, the line first.
        EarlierRemoval{"LineAndPayment",
                       [](Database& db) {
                           return removeLine(salesKind(), QStringLiteral("XS1001044_001"), QStringLiteral("A02"), 1.11, 1.11, db)
                               && removeMoney(purchaseKind(), QStringLiteral("CG1001044_001"), QStringLiteral("Y1"), 2.22, db);
                       }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BooksCheckTest, TheScreenListsWhatDisagrees)
{
    run("update J_zjb set je=1");
    run("update J_cgb set yfk=100");
    TForm58 screen;
    screen.show();
    EXPECT_EQ(screen.Label1->text(), QStringLiteral("账目不符之处：2"));
    ASSERT_EQ(screen.DBGrid1->model()->rowCount(), 2);
    EXPECT_EQ(columnTexts(screen.DBGrid1, 0),
              (QStringList{"采购凭证应付款不等于明细合计", "流动资金不等于最后一笔收付款的结存金额"}));
    EXPECT_EQ(cellText(screen.DBGrid1, 0, 1), QStringLiteral("CG1001044_001"));
    EXPECT_EQ(cellText(screen.DBGrid1, 0, 2), QStringLiteral("100"));
    EXPECT_EQ(cellText(screen.DBGrid1, 0, 3), numText(round2(1.11 * 11.11 * 2 + 12)));
    EXPECT_EQ(cellText(screen.DBGrid1, 1, 2), QStringLiteral("1"));
}

} // namespace
