// A write or sync that fails in the middle of a booking, as on a full disk: the booking is
// refused as a whole, the operator is told, the database stays whole and the next booking works.
#include "FaultyVfs.h"
#include "vouchers/VoucherTestDb.h"

#include "db/ProgramState.h"
#include "ledger/BooksCheck.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "vouchers/TradeVoucherScreens.h"
#include "vouchers/VoucherBook.h"
#include "vouchers/VoucherKind.h"
#include "widgets/DBGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

namespace {

class IoFaultTest : public VoucherDbTest, public ::testing::WithParamInterface<FaultyVfs::Op> {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        addArticle("A01", "螺丝", 4, 0);
        setCash(1000);
        run("insert into J_cgb(pzh) values('CG1001_000')");
        ASSERT_EQ(storeLine(purchaseKind(), line("CG1001_000", "5"), db()), LineOutcome::Stored);
        db().close();
        vfs = std::make_unique<FaultyVfs>();
        db().open(myvar::databaseFile());
    }
    void TearDown() override
    {
        db().close();
        vfs.reset();
        VoucherDbTest::TearDown();
    }
    static LineEntry line(const QString& pzh, const QString& qty)
    {
        return {pzh, QStringLiteral("A01"), QStringLiteral("个"), QStringLiteral("4.5"), qty, QStringLiteral("进货"),
                QStringLiteral("华丰公司"), QStringLiteral("2004/4/15")};
    }
    static MoneyEntry payment(const QString& pzh, const QString& dh)
    {
        return {pzh, QStringLiteral("华丰公司"), dh, QStringLiteral("货款"), QStringLiteral("现金"), QStringLiteral("12.5"),
                QStringLiteral("张三"), QDate(2004, 4, 16), {}};
    }
    void expectWholeBooks()
    {
        EXPECT_EQ(text("PRAGMA integrity_check"), QStringLiteral("ok"));
        const auto found = checkBooks(db());
        EXPECT_TRUE(found.empty()) << (found.empty() ? "" : found.front().what.toStdString());
    }
    std::unique_ptr<FaultyVfs> vfs;
};

TEST_P(IoFaultTest, AFailingStepOfALineWritesNothingAndTheNextLineBooks)
{
    const FaultyVfs::Op op = GetParam();
    for (int n = 1;; ++n) {
        ASSERT_LT(n, 100) << "the fault never stopped striking";
        SCOPED_TRACE(n);
        const QString pzh = QStringLiteral("CG1001_%1").arg(n, 3, 10, QLatin1Char('0'));
        run(QStringLiteral("insert into J_cgb(pzh) values(%1)").arg(quoted(pzh)));
        const double stockBefore = stock("A01");
        const double linesBefore = count("J_cgmxb");
        vfs->failAt(op, n);
        const LineOutcome outcome = storeLine(purchaseKind(), line(pzh, "2"), db());
        const bool struck = vfs->struck();
        vfs->disarm();
        if (!struck) {
            EXPECT_EQ(outcome, LineOutcome::Stored);
            // A commit syncs its log once; its pages take several writes.
            EXPECT_GT(n, op == FaultyVfs::Op::Sync ? 1 : 2) << "a booking writes more than once and syncs";
            expectWholeBooks();
            break;
        }
        EXPECT_EQ(outcome, LineOutcome::Failed);
        EXPECT_EQ(stock("A01"), stockBefore);
        EXPECT_EQ(due(pzh), 0);
        EXPECT_EQ(count("J_cgmxb"), linesBefore);
        expectWholeBooks();
    }
}

TEST_P(IoFaultTest, AFailingStepOfAPaymentWritesNothingAndTheNextPaymentBooks)
{
    const FaultyVfs::Op op = GetParam();
    for (int n = 1;; ++n) {
        ASSERT_LT(n, 100) << "the fault never stopped striking";
        SCOPED_TRACE(n);
        const double cashBefore = cash();
        const double paidBefore = paid("CG1001_000");
        const double rowsBefore = count("J_cgfkb");
        vfs->failAt(op, n);
        const MoneyOutcome outcome = storeMoney(purchaseKind(), payment("CG1001_000", QStringLiteral("F%1").arg(n)), db());
        const bool struck = vfs->struck();
        vfs->disarm();
        if (!struck) {
            EXPECT_EQ(outcome, MoneyOutcome::Stored);
            EXPECT_EQ(cash(), cashBefore - 12.5);
            // A commit syncs its log once; its pages take several writes.
            EXPECT_GT(n, op == FaultyVfs::Op::Sync ? 1 : 2) << "a booking writes more than once and syncs";
            expectWholeBooks();
            break;
        }
        EXPECT_EQ(outcome, MoneyOutcome::Failed);
        EXPECT_EQ(cash(), cashBefore);
        EXPECT_EQ(paid("CG1001_000"), paidBefore);
        EXPECT_EQ(count("J_cgfkb"), rowsBefore);
        expectWholeBooks();
    }
}

TEST_P(IoFaultTest, TheOperatorIsToldAndBooksAgain)
{
    run("update J_cgb set ghs='华丰公司',rklb='进货',cgrq='2004/4/15' where pzh='CG1001_000'");
    TForm8 screen;
    screen.show();
    auto addLine = [&](bool fail) {
        ModalScript script;
        script.onDialog("TForm9", [&](QWidget* d) {
            run("delete from J_cgmxb");
            run("update J_cgb set yfk=0");
            run("update J_spb set xykc=0");
            type(child<QLineEdit>(d, "Edit1"), "A01");
            leave(child<QLineEdit>(d, "Edit1"));
            type(child<QLineEdit>(d, "Edit9"), "3");
            type(child<QLineEdit>(d, "Edit10"), "7");
            if (fail)
                vfs->failAt(GetParam(), 1);
            click(d, "BitBtn1");
        });
        if (fail)
            script.expectBox(QStringLiteral("提示"), QStringLiteral("商品数据添加失败，请重新添加！"));
        click(screen.BitBtn10);
        script.verify();
        vfs->disarm();
    };
    addLine(true);
    EXPECT_EQ(count("J_cgmxb"), 0);
    EXPECT_EQ(stock("A01"), 0);
    expectWholeBooks();
    addLine(false);
    EXPECT_EQ(count("J_cgmxb"), 1);
    EXPECT_EQ(stock("A01"), 7);
    EXPECT_EQ(screen.Label18->text(), QStringLiteral("21"));
    expectWholeBooks();
}

INSTANTIATE_TEST_SUITE_P(Faults, IoFaultTest, ::testing::Values(FaultyVfs::Op::Write, FaultyVfs::Op::Sync),
                         [](const auto& info) { return info.param == FaultyVfs::Op::Write ? "Write" : "Sync"; });

} // namespace
