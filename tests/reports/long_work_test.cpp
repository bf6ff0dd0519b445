// Long work shows its progress and can be cancelled: a cancelled export leaves no workbook,
// a cancelled category summary leaves the scratch table and the grid as they were.
#include "ledger/LedgerBooks.h"

#include "reports/CategorySummaryScreen.h"
#include "reports/LongWork.h"
#include "reports/VoucherSummaryScreen.h"
#include "widgets/DBGrid.h"

#include <QDateEdit>
#include <QDir>
#include <QProgressDialog>
#include <QPushButton>

namespace {

class LongWorkTest : public LedgerTest {
protected:
    void TearDown() override
    {
        LongWork::setDelay(1000);
        LongWork::setShownHook({});
        LedgerTest::TearDown();
    }
    // The dialog shows at once and the operator presses its cancel button (or not).
    void answer(bool cancel)
    {
        LongWork::setDelay(0);
        LongWork::setShownHook([this, cancel](QProgressDialog* d) {
            ++shown;
            EXPECT_EQ(d->windowTitle(), QStringLiteral("提示"));
            if (cancel)
                click(d->findChild<QPushButton*>());
            else
                d->setWindowModality(Qt::NonModal); // left to run: no modal for the tests' box driver
        });
    }
    int shown = 0;
};

TEST_F(LongWorkTest, ACancelledExportLeavesNoWorkbookAndAnAnsweredOneIsWhole)
{
    {
        Transaction tx(db());
        for (int i = 0; i < 300; ++i)
            run(QStringLiteral("insert into J_bsb(pzh,bsje,bsrq) values('BS%1',1,'2026/3/1')").arg(i));
        tx.commit();
    }
    const QString folder = m_dir.filePath(QStringLiteral("exports"));
    ExportCatcher exports(folder);
    TForm31 s;
    s.show();
    s.DateTimePicker1->setDate(QDate(2026, 3, 1));
    s.DateTimePicker2->setDate(QDate(2026, 3, 1));
    click(s.BitBtn1);

    answer(true);
    click(s.BitBtn4);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(exports.opened.isEmpty());
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty()) << "no half-written workbook";

    answer(false);
    click(s.BitBtn4);
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(exports.opened.size(), 1);
    EXPECT_EQ(exports.lastRow(), 302);

    // Quick work shows nothing.
    LongWork::setDelay(60000);
    click(s.BitBtn4);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(exports.opened.size(), 2);
}

TEST_F(LongWorkTest, ACancelledCategorySummaryKeepsTheTableAndTheGrid)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"));
    book("CG1001263_001", "华丰", QDate(2026, 3, 1), {{"A1", 5, 10}}, {}, QStringLiteral("进货"));
    run(QStringLiteral("insert into J_sptmp(pzh,zy) values('OLD','旧')"));
    TForm57 s;
    s.show();
    answer(true);
    click(s.BitBtn1);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(num(QStringLiteral("select count(*) from J_sptmp where pzh='OLD'")), 1);
    EXPECT_EQ(s.DBGrid1->dataSource(), nullptr) << "the grid shows nothing yet";
}

} // namespace
