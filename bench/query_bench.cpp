// The money and stock queries on the ten-year database (BenchData.h): the goods journal of
// one article over ten years, the cash journal of one month, and the payables and receivables
// of one partner with their partner lists, and the best-seller ranking over all lines. Each is measured through its screen and as the same
// statements run straight on the SQLCipher connection (translated once, outside the timing),
// and the medians are printed side by side with their ratio.
// Run on a release build: query_bench --benchmark_repetitions=7
#include "BenchData.h"
#include "SideBySide.h"

#include "db/Database.h"
#include "db/ProgramState.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "ledger/CashJournalScreen.h"
#include "ledger/GoodsJournalScreen.h"
#include "ledger/OpenItemsScreen.h"
#include "ledger/RankingScreen.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace sidebyside;

const QString kArticle = benchdata::articleCode(4242);
const QString kSupplier = benchdata::supplierName(42);
const QDate kMonthStart(2025, 6, 1);
const QDate kMonthEnd(2025, 6, 30);

QString between(const QDate& a, const QDate& b)
{
    return QStringLiteral("#%1# and #%2#").arg(shortDate(a), shortDate(b));
}

// ---- goods journal: one article, ten years ----------------------------------------------

void BM_GoodsJournal_Program(benchmark::State& state)
{
    TForm46 screen;
    screen.ComboBox1->setEditText(kArticle);
    screen.DateTimePicker1->setDate(benchdata::firstDay());
    screen.DateTimePicker2->setDate(benchdata::lastDay());
    for (auto _ : state)
        screen.BitBtn1Click();
    state.counters["rows"] = screen.ADOQuery1->recordCount();
}
BENCHMARK(BM_GoodsJournal_Program)->Unit(benchmark::kMillisecond);

void BM_GoodsJournal_Raw(benchmark::State& state)
{
    const QString range = between(benchdata::firstDay(), benchdata::lastDay()) + QStringLiteral(" and spdm=") + quoted(kArticle);
    const QString sources[][3] = {
        {"J_cgmxb", "cgrq", "rklb+ghs"}, {"J_xsthmxb", "thrq", "rklb+ths"}, {"J_xsmxb", "xsrq", "cklb+ghs"},
        {"J_cgthmxb", "thrq", "cklb+ths"}, {"J_bsmxb", "bsrq", "bslb+bssm"}};
    QStringList inserts;
    for (int i = 0; i < 5; ++i) {
        const bool in = i < 2;
        inserts << QStringLiteral("insert into J_sptmp (rq,pzh,zy,%1,%2,jcdj,jcsl) select %3 as rq,pzh,%4 as zy,dj,sl,jcdj,jcsl from %5 where %3 between ")
                           .arg(QLatin1String(in ? "rkdj" : "ckdj"), QLatin1String(in ? "rksl" : "cksl"), sources[i][1], sources[i][2], sources[i][0]) +
                       range;
    }
    sqlite3_stmt* rows = rawPrepare(
        QStringLiteral("select rq as 日期,pzh as 凭证号,zy as 摘要,rkdj as 入库单价,rksl as 入库数量,rksl*rkdj as 入库金额,\n"
                       "ckdj as 出库单价,cksl as 出库数量,cksl*ckdj as 出库金额,jcsl as 结存数量,jcdj as 结存单价,jcsl*jcdj as 结存金额 from J_sptmp order by rq,pzh"));
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
BENCHMARK(BM_GoodsJournal_Raw)->Unit(benchmark::kMillisecond);

// ---- cash journal: one month -------------------------------------------------------------

void BM_CashJournal_Program(benchmark::State& state)
{
    TForm47 screen;
    screen.DateTimePicker1->setDate(kMonthStart);
    screen.DateTimePicker2->setDate(kMonthEnd);
    for (auto _ : state)
        screen.BitBtn1Click();
    state.counters["rows"] = screen.ADOQuery1->recordCount();
}
BENCHMARK(BM_CashJournal_Program)->Unit(benchmark::kMillisecond);

void BM_CashJournal_Raw(benchmark::State& state)
{
    const QString range = between(kMonthStart, kMonthEnd);
    const QString inserts[] = {
        QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,fkje,jcje) select fkrq as rq,pzh,ghs+fklb as zy,dh,fkje,jcje from J_cgfkb where fkrq between "),
        QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,skje,jcje) select skrq as rq,pzh,ghs+sklb as zy,dh,skje,jcje from J_xsskb where skrq between "),
        QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,fkje,jcje) select fkrq as rq,pzh,ths+fklb as zy,dh,fkje,jcje from J_xsfkb where fkrq between "),
        QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,skje,jcje) select skrq as rq,pzh,ths+sklb as zy,dh,skje,jcje from J_cgskb where skrq between "),
        QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,fkje,jcje) select zcrq as rq,pzh,zcsm+zclb as zy,dh,zcje as fkje,jcje from J_zcmxb where zcrq between ")};
    sqlite3_stmt* rows = rawPrepare(QStringLiteral("select rq as 日期,pzh as 凭证号,zy as 摘要,skje as 收款金额,\n"
                                                   "fkje as 付款金额,jcje as 结存金额 from J_zjtmp order by rq,pzh,dh"));
    int n = 0;
    for (auto _ : state) {
        rawExec(QStringLiteral("begin"), state);
        rawExec(QStringLiteral("delete from J_zjtmp"), state);
        for (const QString& insert : inserts)
            rawExec(insert + range, state);
        rawExec(QStringLiteral("commit"), state);
        n = rawRows(rows);
    }
    sqlite3_finalize(rows);
    state.counters["rows"] = n;
}
BENCHMARK(BM_CashJournal_Raw)->Unit(benchmark::kMillisecond);

// ---- payables: the open vouchers of one supplier, and the supplier list ---------------------

void BM_PayablesOfSupplier_Program(benchmark::State& state)
{
    TForm23 screen;
    screen.ComboBox1->setEditText(kSupplier);
    for (auto _ : state)
        screen.ComboBox1Change();
    state.counters["rows"] = screen.ADOQuery1->recordCount();
}
BENCHMARK(BM_PayablesOfSupplier_Program)->Unit(benchmark::kMillisecond);

void BM_PayablesOfSupplier_Raw(benchmark::State& state)
{
    const QString partner = QStringLiteral("ghs=") + quoted(kSupplier);
    sqlite3_stmt* due = rawPrepare(QStringLiteral("select sum(yfk) from J_cgb where sfk<yfk and fqf=0 and ") + partner);
    sqlite3_stmt* paid = rawPrepare(QStringLiteral("select sum(sfk) from J_cgb where sfk<yfk and fqf=0 and ") + partner);
    sqlite3_stmt* rows = rawPrepare(
        QStringLiteral("select pzh as 凭证号,fph as 发票号,rklb as 入库类别,cgy as 采购员,shr as 审核人,yfk as 应付款,sfk as 实付款,yfk-sfk as 欠款,cgrq as 日期\n"
                       " from J_cgb where  sfk<yfk and fqf=0 and ") +
        partner + QStringLiteral(" order by pzh"));
    int n = 0;
    for (auto _ : state) {
        rawRows(due);
        rawRows(paid);
        n = rawRows(rows);
    }
    for (sqlite3_stmt* st : {due, paid, rows})
        sqlite3_finalize(st);
    state.counters["rows"] = n;
}
BENCHMARK(BM_PayablesOfSupplier_Raw)->Unit(benchmark::kMillisecond);

void BM_PayablesSupplierList_Program(benchmark::State& state)
{
    TForm23 screen;
    for (auto _ : state)
        screen.RadioButton1Enter();
    state.counters["rows"] = screen.ComboBox1->count();
}
BENCHMARK(BM_PayablesSupplierList_Program)->Unit(benchmark::kMillisecond);

void BM_PayablesSupplierList_Raw(benchmark::State& state)
{
    sqlite3_stmt* list = rawPrepare(QStringLiteral("select distinct ghs from J_cgb where sfk<yfk and fqf=0 order by ghs"));
    int n = 0;
    for (auto _ : state)
        n = rawRows(list);
    sqlite3_finalize(list);
    state.counters["rows"] = n;
}
BENCHMARK(BM_PayablesSupplierList_Raw)->Unit(benchmark::kMillisecond);

// ---- receivables: the same on the sales vouchers, which are the most numerous -------------

// Most sales are paid in full; the customer with the most open vouchers is the worst case.
QString busiestDebtor()
{
    static const QString name = listOf(QStringLiteral(
        "select ghs from J_xsb where ssk<ysk and fqf=0 group by ghs order by count(*) desc")).value(0);
    return name;
}

void BM_ReceivablesOfCustomer_Program(benchmark::State& state)
{
    TForm24 screen;
    screen.ComboBox1->setEditText(busiestDebtor());
    for (auto _ : state)
        screen.ComboBox1Change();
    state.counters["rows"] = screen.ADOQuery1->recordCount();
}
BENCHMARK(BM_ReceivablesOfCustomer_Program)->Unit(benchmark::kMillisecond);

void BM_ReceivablesOfCustomer_Raw(benchmark::State& state)
{
    const QString partner = QStringLiteral("ghs=") + quoted(busiestDebtor());
    sqlite3_stmt* due = rawPrepare(QStringLiteral("select sum(ysk) from J_xsb where ssk<ysk and fqf=0 and ") + partner);
    sqlite3_stmt* got = rawPrepare(QStringLiteral("select sum(ssk) from J_xsb where ssk<ysk and fqf=0 and ") + partner);
    sqlite3_stmt* rows = rawPrepare(
        QStringLiteral("select pzh as 凭证号,fph as 发票号,cklb as 出库类别,xsy as 销售员,shr as 审核人,ysk as 应收款,ssk as 实收款,ysk-ssk as 欠款,xsrq as 日期\n"
                       " from J_xsb where  ssk<ysk and fqf=0 and ") +
        partner + QStringLiteral(" order by pzh"));
    int n = 0;
    for (auto _ : state) {
        rawRows(due);
        rawRows(got);
        n = rawRows(rows);
    }
    for (sqlite3_stmt* st : {due, got, rows})
        sqlite3_finalize(st);
    state.counters["rows"] = n;
}
BENCHMARK(BM_ReceivablesOfCustomer_Raw)->Unit(benchmark::kMillisecond);

void BM_ReceivablesCustomerList_Program(benchmark::State& state)
{
    TForm24 screen;
    for (auto _ : state)
        screen.RadioButton1Enter();
    state.counters["rows"] = screen.ComboBox1->count();
}
BENCHMARK(BM_ReceivablesCustomerList_Program)->Unit(benchmark::kMillisecond);

void BM_ReceivablesCustomerList_Raw(benchmark::State& state)
{
    sqlite3_stmt* list = rawPrepare(QStringLiteral("select distinct ghs from J_xsb where ssk<ysk and fqf=0 order by ghs"));
    int n = 0;
    for (auto _ : state)
        n = rawRows(list);
    sqlite3_finalize(list);
    state.counters["rows"] = n;
}
BENCHMARK(BM_ReceivablesCustomerList_Raw)->Unit(benchmark::kMillisecond);

// ---- best-seller ranking: both line tables grouped by article --------------------------------

void BM_BestSellers_Program(benchmark::State& state)
{
    for (auto _ : state) {
        TForm33 screen;
        screen.FormShow();
        state.counters["rows"] = screen.ADOQuery1->recordCount();
    }
}
BENCHMARK(BM_BestSellers_Program)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BestSellers_Raw(benchmark::State& state)
{
    sqlite3_stmt* rows = rawPrepare(
        QStringLiteral("select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.zzs as 制造商,J_spb.pp as 品牌,J_spb.gg as 规格,\n"
                       "t.xs-t.cg as 利润额 from J_spb,\n"
                       "(select spdm,sum(cg) as cg,sum(xs) as xs from\n"
                       " (select spdm,dj*sl as cg,null as xs from J_cgmxb union all select spdm,null,dj*sl from J_xsmxb) as u\n"
                       " group by spdm) as t\n"
                       " where J_spb.spdm=t.spdm and t.cg is not null and t.xs is not null\n"
                       "order by t.xs-t.cg desc"));
    int n = 0;
    for (auto _ : state)
        n = rawRows(rows);
    sqlite3_finalize(rows);
    state.counters["rows"] = n;
}
BENCHMARK(BM_BestSellers_Raw)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return sidebyside::run(argc, argv, "jxc_query_bench",
                           {"BM_GoodsJournal", "BM_CashJournal", "BM_PayablesOfSupplier", "BM_PayablesSupplierList",
                             "BM_ReceivablesOfCustomer", "BM_ReceivablesCustomerList", "BM_BestSellers"});
}
