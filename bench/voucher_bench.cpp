// The purchase voucher on a database with a long history: opening the screen, moving
// through vouchers, refreshing, storing a line and a payment.
//
// The database is generated once into the temporary folder (20,000 articles, 200,000
// purchase vouchers, 1,000,000 lines, 300,000 payments) and reused by later runs.
#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "vouchers/PurchaseVoucherScreen.h"
#include "vouchers/VoucherBook.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>

namespace {

constexpr int kArticles = 20000;
constexpr int kVouchers = 200000;
constexpr int kLinesPerVoucher = 5;  // 1,000,000 lines
constexpr int kOperators = 20;
const QString kBenchVoucher = QStringLiteral("CG9999991_001");

// ---- data generator --------------------------------------------------------------------

class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement& text(int i, const QString& s)
    {
        const QByteArray utf8 = s.toUtf8();
        sqlite3_bind_text(m_stmt, i, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& number(int i, double x)
    {
        sqlite3_bind_double(m_stmt, i, x);
        return *this;
    }
    void step()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
        sqlite3_reset(m_stmt);
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

QString articleCode(int a)
{
    return QStringLiteral("S%1").arg(a, 5, 10, QLatin1Char('0'));
}

QString voucherNumber(int v, QDate* date)
{
    const int op = 1001 + v % kOperators;
    const int monthIndex = (v / kOperators) % 120; // ten years of months
    const int seq = v / (kOperators * 120) + 1;
    *date = QDate(2010 + monthIndex / 12, monthIndex % 12 + 1, 1 + v % 28);
    return QStringLiteral("CG%1%2%3_%4")
        .arg(op)
        .arg(QString::number(date->year()).mid(2, 2))
        .arg(date->month())
        .arg(QString::number(1000 + seq).mid(1, 3));
}

void generate(Database& db)
{
    schema::createAllTables(db);
    sqlite3* h = db.handle();
    db.begin();
    db.exec(QStringLiteral("update J_zjb set je=90000000"));
    db.exec(QStringLiteral("insert into J_khb(khdm,khmc,lb1) values('K1','华丰公司','供货商')"));
    db.exec(QStringLiteral("insert into J_zgb(gh,xm,bmmc) values('01','张三','综合部门')"));
    db.exec(QStringLiteral("insert into J_rklbb(bh,rklb) values('01','进货')"));
    db.exec(QStringLiteral("insert into J_fklbb(bh,fklb) values('01','货款')"));
    db.exec(QStringLiteral("insert into J_jsfsb(bh,jsfs) values('01','现金')"));

    {
        Statement goods(h, "insert into J_spb(spdm,spmc,lb,zzs,pp,gg,dw,zxdj,xykc) values(?,?,'五金','华丰厂','华丰','M6','个',?,?)");
        for (int a = 0; a < kArticles; ++a)
            goods.text(1, articleCode(a)).text(2, QStringLiteral("商品%1").arg(a)).number(3, 1 + a % 97).number(4, 500).step();
    }
    Statement header(h, "insert into J_cgb(pzh,fph,rklb,ghs,cgy,shr,yfk,sfk,fqf,cgrq,jzrq,bz,czy) "
                        "values(?,?,'进货','华丰公司','张三','张三',?,?,0,?,?,'','管理员')");
    Statement line(h, "insert into J_cgmxb(pzh,spdm,rklb,ghs,dw,dj,sl,cgrq,jcdj,jcsl) values(?,?,'进货','华丰公司','个',?,?,?,?,?)");
    Statement pay(h, "insert into J_cgfkb(pzh,dh,ghs,fklb,jsfs,fkje,fkr,fkrq,jcje,bz) values(?,?,'华丰公司','货款','现金',?,'张三',?,?,'')");
    double cash = 90000000;
    for (int v = 0; v < kVouchers; ++v) {
        QDate date;
        const QString pzh = voucherNumber(v, &date);
        const QString iso = date.toString(Qt::ISODate);
        double due = 0;
        for (int j = 0; j < kLinesPerVoucher; ++j) {
            const int a = (v * 7 + j * 4001) % kArticles;
            const double price = 1 + (v + j) % 50;
            const double qty = 1 + (v * 3 + j) % 20;
            due += price * qty;
            line.text(1, pzh).text(2, articleCode(a)).number(3, price).number(4, qty).text(5, iso).number(6, price)
                .number(7, 500).step();
        }
        // One payment on odd vouchers, two on even ones: 300,000 in all.
        const int payments = v % 2 == 0 ? 2 : 1;
        double paid = 0;
        for (int k = 0; k < payments; ++k) {
            const double amount = round2(due / 10);
            paid += amount;
            cash -= amount;
            pay.text(1, pzh).text(2, QStringLiteral("D%1-%2").arg(v).arg(k)).number(3, amount).text(4, iso).number(5, cash).step();
        }
        header.text(1, pzh).text(2, QStringLiteral("FP%1").arg(v)).number(3, due).number(4, paid).text(5, iso).text(6, iso).step();
    }
    db.exec(QStringLiteral("insert into J_cgb(pzh,ghs,cgrq,jzrq,czy) values('") + kBenchVoucher
            + QStringLiteral("','华丰公司','2026/1/1','2026/1/1','管理员')"));
    db.commit();
}

void openBenchDatabase()
{
    const QString dir = QDir::tempPath() + QStringLiteral("/jxc_voucher_bench/");
    QDir().mkpath(dir);
    myvar::setProgramDir(dir);
    myvar::operatorCode = QStringLiteral("1001");
    myvar::operatorName = QStringLiteral("管理员");
    Database& db = Database::shared();
    const QString file = myvar::databaseFile();
    const QString done = dir + QStringLiteral("complete");
    if (!QFile::exists(done)) {
        QFile::remove(file);
        db.open(file);
        QElapsedTimer timer;
        timer.start();
        std::fprintf(stderr, "generating %s ...\n", qPrintable(file));
        generate(db);
        std::fprintf(stderr, "generated in %.1f s\n", timer.elapsed() / 1000.0);
        QFile marker(done);
        marker.open(QIODevice::WriteOnly);
    } else {
        db.open(file);
        // What earlier runs booked on the bench vouchers, so every run stores the same.
        db.exec(QStringLiteral("delete from J_cgmxb where pzh like 'CG999999%'"));
        db.exec(QStringLiteral("delete from J_cgfkb where pzh like 'CG999999%'"));
    }
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
                              QStringLiteral("3"), QStringLiteral("进货"), QStringLiteral("华丰公司"),
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
        const MoneyEntry entry{kBenchVoucher,        QStringLiteral("华丰公司"), QStringLiteral("B%1").arg(next++),
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
