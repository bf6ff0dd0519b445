#pragma once
// What the query and summary benchmarks share: the raw side (translated statements stepped
// on the program's own connection) and a main that runs the benchmarks and prints each
// program/raw pair's medians side by side with their ratio.
#include "BenchData.h"

#include "db/Database.h"
#include "db/ProgramState.h"

#include <QApplication>
#include <QDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>

namespace sidebyside {

inline void rawExec(const QString& jetSql, benchmark::State& state)
{
    Database& db = Database::shared();
    const QByteArray sql = db.translate(jetSql).toUtf8();
    if (sqlite3_exec(db.handle(), sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        state.SkipWithError(sqlite3_errmsg(db.handle()));
}

// Steps every row and reads every column, as a grid's set reads them.
inline int rawRows(sqlite3_stmt* st)
{
    int rows = 0;
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            else
                benchmark::DoNotOptimize(sqlite3_column_double(st, c));
        }
        ++rows;
    }
    sqlite3_reset(st);
    return rows;
}

inline sqlite3_stmt* rawPrepare(const QString& jetSql)
{
    Database& db = Database::shared();
    return db.prepare(db.translate(jetSql));
}

// Keeps the median real and CPU time of every benchmark (the run itself when not repeated).
// On a busy machine the real time also counts the waits for a core, the CPU time does not.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name;
            if (run.aggregate_name == "median" || (run.aggregate_name.empty() && !medians.count(name)))
                medians[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }
    std::map<std::string, std::pair<double, double>> medians; // real, CPU; milliseconds
};

// Runs the benchmarks on a working copy of the ten-year database in the temporary folder's
// `folder`, then prints NAME_Program against NAME_Raw for each of `pairs`.
inline int run(int argc, char** argv, const char* folder, std::initializer_list<const char*> pairs)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const QString dir = QDir::tempPath() + QLatin1Char('/') + QLatin1String(folder) + QLatin1Char('/');
    myvar::setProgramDir(dir);
    myvar::operatorName = QStringLiteral("管理员");
    Database::shared().open(benchdata::workingCopy(dir));
    myvar::tableNames = Database::shared().tableNames();

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-28s %10s %10s %7s %10s %10s %7s\n", "median (ms)", "program", "raw", "ratio", "prog CPU",
                "raw CPU", "ratio");
    for (const char* name : pairs) {
        const auto program = reporter.medians.find(std::string(name) + "_Program");
        const auto raw = reporter.medians.find(std::string(name) + "_Raw");
        if (program == reporter.medians.end() || raw == reporter.medians.end())
            continue;
        const auto [pReal, pCpu] = program->second;
        const auto [rReal, rCpu] = raw->second;
        std::printf("%-28s %10.2f %10.2f %7.2f %10.2f %10.2f %7.2f\n", name + 3, pReal, rReal,
                    rReal > 0 ? pReal / rReal : 0.0, pCpu, rCpu, rCpu > 0 ? pCpu / rCpu : 0.0);
    }
    std::fflush(stdout);
    benchmark::Shutdown();
    Database::shared().close();
    return 0;
}

} // namespace sidebyside
