// The purchase voucher on the ten-year database (BenchData.h): opening the screen, moving
// through vouchers, refreshing, storing a line and a payment. Works on a copy of the
// cached database, so every run starts from the same rows.
#include "BenchData.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "vouchers/TradeVoucherScreens.h"
#include "vouchers/VoucherBook.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <benchmark/benchmark.h>

namespace {

using benchdata::articleCode;
using benchdata::kArticles;
const QString kBenchVoucher = QStringLiteral("CG9999991_001");

void openBenchDatabase()
{
    const QString dir = QDir::tempPath() + QStringLiteral("/jxc_voucher_bench/");
    myvar::setProgramDir(dir);
    myvar::operatorCode = QStringLiteral("1001");
    myvar::operatorName = QStringLiteral("管理员");
    Database& db = Database::shared();
    db.open(benchdata::workingCopy(dir));
    db.exec(QStringLiteral("insert into J_cgb(pzh,ghs,cgrq,jzrq,czy) values('") + kBenchVoucher
            + QStringLiteral("','供货商001','2026/1/1','2026/1/1','管理员')"));
    myvar::tableNames = db.tableNames();
}

// ---- measurements ----------------------------------------------------------------------

void BM_OpenPurchaseScreen(benchmark::State& state)
{
    for (auto _ : state) {
        TForm8 screen;
        benchmark::DoNotOptimize(screen.currentNumber());
    }
}
BENCHMARK(BM_OpenPurchaseScreen)->Unit(benchmark::kMillisecond);

void BM_NavigateNext(benchmark::State& state)
{
    TForm8 screen;
    for (auto _ : state) {
        if (screen.header()->eof())
            screen.BitBtn1Click();
        else
            screen.BitBtn3Click();
    }
}
BENCHMARK(BM_NavigateNext)->Unit(benchmark::kMillisecond);

void BM_NavigateLastAndFirst(benchmark::State& state)
{
    TForm8 screen;
    bool last = true;
    for (auto _ : state) {
        if (last)
            screen.BitBtn4Click();
        else
            screen.BitBtn1Click();
        last = !last;
    }
}
BENCHMARK(BM_NavigateLastAndFirst)->Unit(benchmark::kMillisecond);

void BM_Refresh(benchmark::State& state)
{
    TForm8 screen;
    screen.BitBtn4Click();
    for (auto _ : state)
        screen.Refresh();
}
BENCHMARK(BM_Refresh)->Unit(benchmark::kMillisecond);

void BM_StoreLine(benchmark::State& state)
{
    static int next = 0; // each article once per voucher
    Database& db = Database::shared();
    for (auto _ : state) {
        const int a = next++;
        const QString voucher = a < kArticles ? kBenchVoucher : kBenchVoucher.left(10) + QString::number(a / kArticles);
        if (a % kArticles == 0 && a > 0) {
            state.PauseTiming();
            db.exec(QStringLiteral("insert into J_cgb(pzh) values(") + quoted(voucher) + QLatin1Char(')'));
            state.ResumeTiming();
        }
        const LineEntry entry{voucher, articleCode(a % kArticles), QStringLiteral("个"), QStringLiteral("12.5"),
                              QStringLiteral("3"), QStringLiteral("进货"), QStringLiteral("供货商001"),
                              QStringLiteral("2026/1/1")};
        if (storeLine(purchaseKind(), entry, db) != LineOutcome::Stored)
            state.SkipWithError("line not stored");
    }
}
BENCHMARK(BM_StoreLine)->Unit(benchmark::kMillisecond);

void BM_StorePayment(benchmark::State& state)
{
    static int next = 0;
    Database& db = Database::shared();
    for (auto _ : state) {
        const MoneyEntry entry{kBenchVoucher,        QStringLiteral("供货商001"), QStringLiteral("B%1").arg(next++),
                               QStringLiteral("货款"), QStringLiteral("现金"),    QStringLiteral("10"),
                               QStringLiteral("张三"), QDate(2026, 1, 2),         QString()};
        if (storeMoney(purchaseKind(), entry, db) != MoneyOutcome::Stored)
            state.SkipWithError("payment not stored");
    }
}
BENCHMARK(BM_StorePayment)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    openBenchDatabase();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Database::shared().close();
    return 0;
}
