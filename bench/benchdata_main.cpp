// Builds the benchmarks' ten-year database once (when it is not cached yet) and prints
// its path: benchdata [--check]. With --check it also recounts the rows and the totals.
#include "BenchData.h"

#include "db/Database.h"
#include "db/ResultSet.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <exception>

namespace {

void check(const QString& file)
{
    Database db;
    db.open(file);
    const char* const counts[] = {
        "select count(*) from J_spb", "select count(*) from J_cgb", "select count(*) from J_cgmxb",
        "select count(*) from J_xsb", "select count(*) from J_xsmxb", "select count(*) from J_cgthmxb",
        "select count(*) from J_xsthmxb", "select count(*) from J_bsmxb", "select count(*) from J_zcmxb",
        "select (select count(*) from J_cgfkb)+(select count(*) from J_xsskb)+(select count(*) from J_cgskb)"
        "+(select count(*) from J_xsfkb)",
        // Header totals are the sums of their rows.
        "select count(*) from J_cgb where yfk<>(select round(sum(dj*sl),2) from J_cgmxb where J_cgmxb.pzh=J_cgb.pzh)",
        "select count(*) from J_xsb where ssk<>(select ifnull(sum(skje),0) from J_xsskb where J_xsskb.pzh=J_xsb.pzh)",
        "select min(jcje),max(jcje) from J_cgfkb", "select je from J_zjb",
        "select min(cgrq),max(cgrq) from J_cgmxb",
    };
    for (const char* sql : counts) {
        ResultSet rs(db);
        rs.open(QString::fromUtf8(sql));
        QStringList values;
        for (int c = 0; c < rs.fieldCount(); ++c)
            values << rs.text(rs.fieldName(c));
        std::printf("%-60.60s %s\n", sql, qPrintable(values.join(QStringLiteral(", "))));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    try {
        const QString file = benchdata::cachedDatabase();
        std::printf("%s\n", qPrintable(file));
        if (argc > 1 && std::strcmp(argv[1], "--check") == 0)
            check(file);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
