// Export of a large grid: 12 columns of dates, texts and numbers, rows written in order.
// Run on a release build: export_bench --benchmark_counter_tabular=true
#include "db/Database.h"
#include "db/ResultSet.h"
#include "reports/SpreadsheetExport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr int kRows = 100000;

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Data {
    QTemporaryDir dir;
    Database db;

    Data()
    {
        db.open(dir.filePath(QStringLiteral("sjk.mdb")));
        db.exec(QStringLiteral("create table J_b(n integer,rq smalldatetime,pzh char(14),zy char(40),"
                               "dj numeric(10,2),sl numeric(10,2),je numeric(10,2))"));
        Transaction t(db);
        for (int i = 0; i < kRows; ++i)
            db.exec(QStringLiteral("insert into J_b(n,rq,pzh,zy,dj,sl,je) values(%1,#2026/%2/%3#,'CG1001%4_%5','摘要%1',%6,%7,%8)")
                        .arg(i)
                        .arg(i % 12 + 1)
                        .arg(i % 28 + 1)
                        .arg(i % 12 + 1)
                        .arg(i % 1000, 3, 10, QLatin1Char('0'))
                        .arg(i % 97 + 0.5)
                        .arg(i % 13)
                        .arg((i % 97 + 0.5) * (i % 13)));
        t.commit();
    }
};

Data& data()
{
    static Data d;
    return d;
}

// The goods journal's 12 columns over the first `rows` rows.
void BM_ExportGoodsJournal(benchmark::State& state)
{
    const auto rows = state.range(0);
    ResultSet rs(data().db);
    rs.open(QStringLiteral("select rq as 日期,pzh as 凭证号,zy as 摘要,dj as 入库单价,sl as 入库数量,je as 入库金额,"
                           "dj as 出库单价,sl as 出库数量,je as 出库金额,dj as 结存单价,sl as 结存数量,je as 结存金额 "
                           "from J_b where n<%1")
                .arg(rows));
    setExportFolder(data().dir.filePath(QStringLiteral("out")));
    QString written;
    setWorkbookOpener([&written](const QString& file) {
        written = file;
        return true;
    });
    const long before = peakRssKb();
    for (auto _ : state) {
        exportToSpreadsheet(QStringLiteral("TForm46"), rs);
        state.PauseTiming();
        QFile::remove(written);
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
    // Growth of the peak resident size while exporting: stays flat as the rows grow.
    state.counters["peak_growth_MB"] = static_cast<double>(peakRssKb() - before) / 1024.0;
    setWorkbookOpener({});
    setExportFolder({});
}

} // namespace

BENCHMARK(BM_ExportGoodsJournal)->Arg(10000)->Arg(kRows)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
