// The loss and expense vouchers on the ten-year database (BenchData.h): opening each screen,
// moving through its vouchers, refreshing, storing a loss line and an expense line. Works on
// a copy of the cached database, so every run starts from the same rows.
#include "BenchData.h"

#include "db/Database.h"
#include "db/ProgramState.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "ledger/ExpenseVoucherScreen.h"
#include "ledger/LossExpenseBook.h"
#include "ledger/LossVoucherScreen.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <benchmark/benchmark.h>

namespace {

using benchdata::articleCode;
using benchdata::kArticles;
const QString kLossVoucher = QStringLiteral("BS9999991_001");
const QString kExpenseVoucher = QStringLiteral("ZC9999991_001");

void openBenchDatabase()
{
    const QString dir = QDir::tempPath() + QStringLiteral("/jxc_ledger_voucher_bench/");
    myvar::setProgramDir(dir);
    myvar::operatorCode = QStringLiteral("1001");
    myvar::operatorName = QStringLiteral("管理员");
    Database& db = Database::shared();
    db.open(benchdata::workingCopy(dir));
    db.exec(QStringLiteral("insert into J_bsb(pzh,bsrq,czy) values(") + quoted(kLossVoucher)
            + QStringLiteral(",'2026/1/1','管理员')"));
    db.exec(QStringLiteral("insert into J_zcb(pzh,zcrq,czy) values(") + quoted(kExpenseVoucher)
            + QStringLiteral(",'2026/1/1','管理员')"));
    myvar::tableNames = db.tableNames();
}

template <class Form>
void BM_OpenScreen(benchmark::State& state)
{
    for (auto _ : state) {
        Form screen;
        screen.FormShow();
        benchmark::DoNotOptimize(screen.currentNumber());
    }
}
BENCHMARK(BM_OpenScreen<TForm16>)->Name("BM_OpenLossScreen")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenScreen<TForm18>)->Name("BM_OpenExpenseScreen")->Unit(benchmark::kMillisecond);

template <class Form>
void BM_NavigateNext(benchmark::State& state)
{
    Form screen;
    screen.FormShow();
    for (auto _ : state) {
        if (screen.header()->eof())
            screen.BitBtn1Click();
        else
            screen.BitBtn3Click();
    }
}
BENCHMARK(BM_NavigateNext<TForm16>)->Name("BM_NavigateLossNext")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NavigateNext<TForm18>)->Name("BM_NavigateExpenseNext")->Unit(benchmark::kMillisecond);

void BM_StoreLossLine(benchmark::State& state)
{
    static int next = 0; // each article once per voucher
    Database& db = Database::shared();
    for (auto _ : state) {
        const int a = next++;
        const QString voucher = a < kArticles ? kLossVoucher : kLossVoucher.left(10) + QString::number(a / kArticles);
        if (a % kArticles == 0 && a > 0) {
            state.PauseTiming();
            db.exec(QStringLiteral("insert into J_bsb(pzh) values(") + quoted(voucher) + QLatin1Char(')'));
            state.ResumeTiming();
        }
        const LossLineEntry entry{voucher, articleCode(a % kArticles), QStringLiteral("个"), QStringLiteral("12.5"),
                                  QStringLiteral("3"), QStringLiteral("损坏"), QStringLiteral("2026/1/1"),
                                  QStringLiteral("仓库漏水")};
        if (storeLossLine(entry, db) != BookOutcome::Stored)
            state.SkipWithError("line not stored");
    }
}
BENCHMARK(BM_StoreLossLine)->Unit(benchmark::kMillisecond);

void BM_StoreExpense(benchmark::State& state)
{
    static int next = 0;
    Database& db = Database::shared();
    for (auto _ : state) {
        const ExpenseEntry entry{kExpenseVoucher,   QStringLiteral("B%1").arg(next++), QStringLiteral("房租"),
                                 QStringLiteral("10"), QDate(2026, 1, 2),                QStringLiteral("房租"),
                                 QString()};
        if (storeExpense(entry, db) != BookOutcome::Stored)
            state.SkipWithError("expense not stored");
    }
}
BENCHMARK(BM_StoreExpense)->Unit(benchmark::kMillisecond);

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
