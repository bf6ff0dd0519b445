// The summaries and the chart on the ten-year database (BenchData.h), each over the year
// 2025: the purchase and sales summaries of every article, the stock-in summary of one
// category per article and price, the stock-out lines of one category, the expense and loss
// summaries of one category, the category summary through J_sptmp and the monthly chart of
// two articles. Each is measured through its screen and as the same statements run straight
// on the SQLCipher connection (translated once, outside the timing); the medians are printed
// side by side with their ratio.
// Run on a release build: summary_bench --benchmark_repetitions=7
#include "BenchData.h"
#include "SideBySide.h"

#include "db/Database.h"
#include "db/ProgramState.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "reports/CategorySummaryScreen.h"
#include "reports/ChartScreen.h"
#include "reports/StockSummaryScreen.h"
#include "reports/SummaryReportScreen.h"
#include "reports/VoucherSummaryScreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QRadioButton>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace sidebyside;

const QDate kYearStart(2025, 1, 1);
const QDate kYearEnd(2025, 12, 31);

QString year()
{
    return QStringLiteral("#%1# and #%2#").arg(shortDate(kYearStart), shortDate(kYearEnd));
}

// A total and a list, stepped one after the other.
void rawTotalAndList(benchmark::State& state, const QString& total, const QString& list)
{
    sqlite3_stmt* sum = rawPrepare(total);
    sqlite3_stmt* rows = rawPrepare(list);
    int n = 0;
    for (auto _ : state) {
        rawRows(sum);
        n = rawRows(rows);
    }
    sqlite3_finalize(sum);
    sqlite3_finalize(rows);
    state.counters["rows"] = n;
}

// ---- purchase and sales summaries of every article -------------------------------------

void tradeSummary(benchmark::State& state, int page)
{
    TForm21 screen;
    screen.FormShow();
    SummaryPage* p = page == 0 ? screen.TabSheet1 : screen.TabSheet2;
    p->all->setChecked(true);
    p->from->setDate(kYearStart);
    p->to->setDate(kYearEnd);
    for (auto _ : state)
        screen.query(p);
    state.counters["rows"] = p->set->recordCount();
}

QString tradeList(const char* lines, const char* date)
{
    return QStringLiteral("select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.pp as 品牌,J_spb.gg as 规格,J_spb.dw as 单位,sum(%1.sl) as 数量,sum(%1.dj*%1.sl) as 金额 from J_spb,%1 where J_spb.spdm=%1.spdm \n"
                          "and %1.%2 between %3 group by J_spb.spdm,J_spb.spmc,J_spb.pp,J_spb.gg,J_spb.dw order by J_spb.spmc")
        .arg(QLatin1String(lines), QLatin1String(date), year());
}

void BM_PurchaseSummary_Program(benchmark::State& state) { tradeSummary(state, 0); }
BENCHMARK(BM_PurchaseSummary_Program)->Unit(benchmark::kMillisecond);

void BM_PurchaseSummary_Raw(benchmark::State& state)
{
    rawTotalAndList(state, QStringLiteral("select sum(J_cgmxb.dj*J_cgmxb.sl) from J_cgmxb where cgrq \nbetween ") + year(),
                    tradeList("J_cgmxb", "cgrq"));
}
BENCHMARK(BM_PurchaseSummary_Raw)->Unit(benchmark::kMillisecond);

void BM_SalesSummary_Program(benchmark::State& state) { tradeSummary(state, 1); }
BENCHMARK(BM_SalesSummary_Program)->Unit(benchmark::kMillisecond);

void BM_SalesSummary_Raw(benchmark::State& state)
{
    rawTotalAndList(state, QStringLiteral("select sum(J_xsmxb.dj*J_xsmxb.sl) from J_xsmxb where xsrq\nbetween ") + year(),
                    tradeList("J_xsmxb", "xsrq"));
}
BENCHMARK(BM_SalesSummary_Raw)->Unit(benchmark::kMillisecond);

// ---- stock in per article and price, stock out line by line, of one category -------------

template <class Screen>
void stockSummary(benchmark::State& state, const QString& category, QRadioButton* Screen::*kind)
{
    Screen screen;
    screen.FormShow();
    screen.ComboBox2->setEditText(category);
    (screen.*kind)->setChecked(true);
    screen.DateTimePicker1->setDate(kYearStart);
    screen.DateTimePicker2->setDate(kYearEnd);
    for (auto _ : state)
        screen.BitBtn1Click();
    state.counters["rows"] = screen.ADOQuery1->recordCount();
}

void BM_StockInSummary_Program(benchmark::State& state)
{
    stockSummary<TForm54>(state, QStringLiteral("进货"), &TForm54::RadioButton2);
}
BENCHMARK(BM_StockInSummary_Program)->Unit(benchmark::kMillisecond);

void BM_StockInSummary_Raw(benchmark::State& state)
{
    rawTotalAndList(
        state, QStringLiteral("select sum(yfk) from J_cgb\n where rklb='进货' and cgrq between ") + year(),
        QStringLiteral("select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.pp as 品牌,J_spb.gg as 规格,J_spb.dw as 单位,J_cgmxb.dj as 单价,sum(J_cgmxb.sl) as 数量 from J_cgmxb,J_spb\n"
                       " where J_spb.spdm=J_cgmxb.spdm and J_cgmxb.rklb='进货' and J_cgmxb.cgrq between ")
            + year()
            + QStringLiteral("\ngroup by J_spb.spdm,J_spb.spmc,J_spb.pp,J_spb.gg,J_spb.dw,J_cgmxb.dj order by J_spb.spmc"));
}
BENCHMARK(BM_StockInSummary_Raw)->Unit(benchmark::kMillisecond);

void BM_StockOutLines_Program(benchmark::State& state)
{
    stockSummary<TForm55>(state, QStringLiteral("销售"), &TForm55::RadioButton3);
}
BENCHMARK(BM_StockOutLines_Program)->Unit(benchmark::kMillisecond);

void BM_StockOutLines_Raw(benchmark::State& state)
{
    rawTotalAndList(
        state, QStringLiteral("select sum(ysk) from J_xsb\n where cklb='销售' and xsrq between ") + year(),
        QStringLiteral("select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.pp as 品牌,J_spb.gg as 规格,J_spb.dw as 单位,J_xsmxb.dj as 单价,J_xsmxb.sl as 数量,xsrq as 销售日期 from J_xsmxb,J_spb\n"
                       " where J_spb.spdm=J_xsmxb.spdm and J_xsmxb.cklb='销售' and J_xsmxb.xsrq between ")
            + year() + QStringLiteral(" order by J_xsmxb.xsrq"));
}
BENCHMARK(BM_StockOutLines_Raw)->Unit(benchmark::kMillisecond);

// ---- expense and loss vouchers with a line of one category ------------------------------

template <class Screen>
void voucherSummary(benchmark::State& state, const QString& category)
{
    Screen screen;
    screen.FormShow();
    screen.ComboBox1->setEditText(category);
    screen.DateTimePicker1->setDate(kYearStart);
    screen.DateTimePicker2->setDate(kYearEnd);
    for (auto _ : state)
        screen.BitBtn1Click();
    state.counters["rows"] = screen.ADOQuery1->recordCount();
}

void BM_ExpenseSummary_Program(benchmark::State& state) { voucherSummary<TForm22>(state, QStringLiteral("房租")); }
BENCHMARK(BM_ExpenseSummary_Program)->Unit(benchmark::kMillisecond);

void BM_ExpenseSummary_Raw(benchmark::State& state)
{
    const QString lines = QStringLiteral("(select pzh from J_zcmxb where zclb='房租' and zcrq between ") + year() + QLatin1Char(')');
    rawTotalAndList(state, QStringLiteral("select sum(zcje) from J_zcb where pzh in\n") + lines,
                    QStringLiteral("select pzh as 凭证号,zcsm as 支出说明,jsr as 经手人,shr as 审核人,zcje as 支出金额,zcrq as 支出日期,bz as 备注  from J_zcb\nwhere pzh in ")
                        + lines);
}
BENCHMARK(BM_ExpenseSummary_Raw)->Unit(benchmark::kMillisecond);

void BM_LossSummary_Program(benchmark::State& state) { voucherSummary<TForm31>(state, QStringLiteral("破损")); }
BENCHMARK(BM_LossSummary_Program)->Unit(benchmark::kMillisecond);

void BM_LossSummary_Raw(benchmark::State& state)
{
    const QString lines = QStringLiteral("(select pzh from J_bsmxb where bslb='破损' and bsrq between ") + year() + QLatin1Char(')');
    rawTotalAndList(state, QStringLiteral("select sum(bsje) from J_bsb where pzh in\n") + lines,
                    QStringLiteral("select pzh as 凭证号,bssm as 报损说明,jsr as 经手人,shr as 审核人,bsje as 报损金额,bsrq as 报损日期,bz as 备注 from J_bsb\nwhere pzh in ")
                        + lines);
}
BENCHMARK(BM_LossSummary_Raw)->Unit(benchmark::kMillisecond);

// ---- category summary: five sources into J_sptmp, grouped ---------------------------------

void BM_CategorySummary_Program(benchmark::State& state)
{
    TForm57 screen;
    screen.DateTimePicker1->setDate(kYearStart);
    screen.DateTimePicker2->setDate(kYearEnd);
    for (auto _ : state)
        screen.BitBtn1Click();
    state.counters["rows"] = screen.ADOQuery1->recordCount();
}
BENCHMARK(BM_CategorySummary_Program)->Unit(benchmark::kMillisecond);

void BM_CategorySummary_Raw(benchmark::State& state)
{
    const QString sources[][3] = {{"J_cgmxb", "cgrq", "rklb"}, {"J_xsthmxb", "thrq", "rklb"}, {"J_xsmxb", "xsrq", "cklb"},
                                  {"J_cgthmxb", "thrq", "cklb"}, {"J_bsmxb", "bsrq", "bslb"}};
    QStringList inserts;
    for (const auto& s : sources)
        inserts << QStringLiteral("insert into J_sptmp (rq,zy,rkdj,rksl) select %1 as rq,%2 as zy,dj,sl from %3 where %1 between ")
                           .arg(s[1], s[2], s[0])
                       + year();
    sqlite3_stmt* rows =
        rawPrepare(QStringLiteral("select zy as 类别,sum(rkdj*rksl) as 金额 from J_sptmp where rq between ") + year() + QStringLiteral(" group by zy"));
    int n = 0;
    for (auto _ : state) {
        rawExec(QStringLiteral("begin"), state);
        rawExec(QStringLiteral("delete from J_sptmp"), state);
        for (const QString& insert : inserts)
            rawExec(insert, state);
        rawExec(QStringLiteral("commit"), state);
        n = rawRows(rows);
    }
    sqlite3_finalize(rows);
    state.counters["rows"] = n;
}
BENCHMARK(BM_CategorySummary_Raw)->Unit(benchmark::kMillisecond);

// ---- the monthly sales chart of two articles ----------------------------------------------

ChartRequest chartRequest()
{
    ChartRequest r;
    r.kind = 1;
    r.names = QStringList{benchdata::articleName(4242), benchdata::articleName(777)};
    r.codes = QStringList{benchdata::articleCode(4242), benchdata::articleCode(777)};
    r.year = 2025;
    r.from = kYearStart;
    r.to = kYearEnd;
    return r;
}

void BM_Chart_Program(benchmark::State& state)
{
    const ChartRequest request = chartRequest();
    int points = 0;
    for (auto _ : state) {
        TForm29 screen(request);
        screen.FormShow();
        points = int(screen.points(1).size() + screen.points(2).size());
    }
    state.counters["rows"] = points;
}
BENCHMARK(BM_Chart_Program)->Unit(benchmark::kMillisecond);

void BM_Chart_Raw(benchmark::State& state)
{
    const ChartRequest request = chartRequest();
    sqlite3_stmt* months[2];
    for (int i = 0; i < 2; ++i)
        months[i] = rawPrepare(QStringLiteral("select sum(sl*dj),month(xsrq) from J_xsmxb where spdm=%1 and year(xsrq)='2025' group by month(xsrq) order by month(xsrq)")
                                   .arg(quoted(request.codes[i])));
    int n = 0;
    for (auto _ : state)
        n = rawRows(months[0]) + rawRows(months[1]);
    for (sqlite3_stmt* st : months)
        sqlite3_finalize(st);
    state.counters["rows"] = n;
}
BENCHMARK(BM_Chart_Raw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return sidebyside::run(argc, argv, "jxc_summary_bench",
                           {"BM_PurchaseSummary", "BM_SalesSummary", "BM_StockInSummary", "BM_StockOutLines",
                             "BM_ExpenseSummary", "BM_LossSummary", "BM_CategorySummary", "BM_Chart"});
}
