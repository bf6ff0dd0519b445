// The program against the engine: each piece of work done by the program's own code and
// the same work done raw (the same statements prepared once on SQLCipher, the same cells
// on libxlsxwriter), on the same ten-year database (BenchData.h), in the same journal mode.
// Prints per row the medians of both sides, their ratio and the spread of the runs.
//
//   engine_bench [--reps N] [--only export|line|payment|open|next|start]
//
// Times are wall-clock medians; "cpu" is the process CPU time per operation, which leaves
// out the waits for the disk (each booking commits with a full sync). The runs alternate
// program and raw in small blocks, so a busy machine slows both alike.
#include "BenchData.h"

#include "app/LoginScreen.h"
#include "app/MainWindow.h"
#include "db/Database.h"
#include "db/ProgramState.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "reports/SpreadsheetExport.h"
#include "vouchers/TradeVoucherScreens.h"
#include "vouchers/VoucherBook.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

double nowMs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Peak resident size since the last reset, in MB.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peakMb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

double currentMb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

struct Sample {
    double wall = 0;
    double cpu = 0;
    double memory = 0; // peak growth over the run, MB
};

struct Side {
    std::vector<Sample> samples;
    void add(const Sample& s) { samples.push_back(s); }
    double median(double Sample::*field) const
    {
        std::vector<double> v;
        for (const auto& s : samples)
            v.push_back(s.*field);
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    }
    double largest(double Sample::*field) const
    {
        double m = 0;
        for (const auto& s : samples)
            m = std::max(m, s.*field);
        return m;
    }
    // Spread of the wall times: (p90 - p10) / median.
    double spread() const
    {
        std::vector<double> v;
        for (const auto& s : samples)
            v.push_back(s.wall);
        std::sort(v.begin(), v.end());
        if (v.size() < 3)
            return 0;
        const double lo = v[v.size() / 10], hi = v[v.size() * 9 / 10];
        return (hi - lo) / median(&Sample::wall);
    }
};

Sample measure(const std::function<void()>& work, int times = 1)
{
    resetPeak();
    const double before = currentMb();
    const double w0 = nowMs(CLOCK_MONOTONIC), c0 = nowMs(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 0; i < times; ++i)
        work();
    const double w1 = nowMs(CLOCK_MONOTONIC), c1 = nowMs(CLOCK_PROCESS_CPUTIME_ID);
    return {(w1 - w0) / times, (c1 - c0) / times, std::max(0.0, peakMb() - before)};
}

void report(const char* work, const Side& program, const Side& raw, bool memory = false)
{
    const double p = program.median(&Sample::wall), r = raw.median(&Sample::wall);
    const double pc = program.median(&Sample::cpu), rc = raw.median(&Sample::cpu);
    std::printf("%-34s program %9.3f ms (cpu %8.3f)  raw %9.3f ms (cpu %8.3f)  ratio %5.2f (cpu %5.2f)  spread %3.0f%%/%3.0f%%",
                work, p, pc, r, rc, r > 0 ? p / r : 0, rc > 0 ? pc / rc : 0, program.spread() * 100, raw.spread() * 100);
    if (memory)
        std::printf("  peak +%.1f MB / +%.1f MB", program.largest(&Sample::memory), raw.largest(&Sample::memory));
    std::printf("  n=%zu\n", program.samples.size());
    std::fflush(stdout);
}

// Two connections share the file: whichever side commits second finds the other's pages
// changed and reads them again, so the sides take turns at going first.
void inTurns(int rep, Side& program, Side& raw, const std::function<Sample()>& programBlock,
             const std::function<Sample()>& rawBlock)
{
    if (rep % 2 == 0) {
        program.add(programBlock());
        raw.add(rawBlock());
    } else {
        raw.add(rawBlock());
        program.add(programBlock());
    }
}

// ---- the raw side ------------------------------------------------------------------------

class Raw {
public:
    explicit Raw(const QString& file) : db(benchdata::openRaw(file)) {}
    ~Raw()
    {
        for (auto* s : m_all)
            sqlite3_finalize(s);
        sqlite3_close(db);
    }
    sqlite3_stmt* prepare(const char* sql)
    {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in " + sql);
        m_all.push_back(st);
        return st;
    }
    void exec(const char* sql)
    {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in " + sql);
    }
    void run(sqlite3_stmt* st)
    {
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(st);
    }
    sqlite3* db;

private:
    std::vector<sqlite3_stmt*> m_all;
};

void bindText(sqlite3_stmt* st, int i, const QByteArray& s)
{
    sqlite3_bind_text(st, i, s.constData(), s.size(), SQLITE_TRANSIENT);
}

// A header total set from the rounded sum of the voucher's stored rows, as the program keeps
// it: `sum` takes the voucher number, `set` the total and the voucher number.
void setTotalFromRows(Raw& raw, sqlite3_stmt* sum, sqlite3_stmt* set, const QByteArray& pzh)
{
    bindText(sum, 1, pzh);
    sqlite3_step(sum);
    sqlite3_bind_double(set, 1, round2(sqlite3_column_double(sum, 0)));
    sqlite3_reset(sum);
    bindText(set, 2, pzh);
    raw.run(set);
}

// ---- export --------------------------------------------------------------------------------

const char* const kExportSql =
    "select cgrq as 日期,pzh as 凭证号,spdm as 摘要,dj as 入库单价,sl as 入库数量,jcdj as 入库金额,dj as 出库单价,"
    "sl as 出库数量,jcdj as 出库金额,jcdj as 结存单价,jcsl as 结存数量,jcsl as 结存金额 from J_cgmxb where rowid<=100000";

void rawExport(Raw& raw, const QString& fileName)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(fileName).constData(), &options);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* heading = workbook_add_format(wb);
    format_set_align(heading, LXW_ALIGN_CENTER);
    format_set_align(heading, LXW_ALIGN_VERTICAL_CENTER);
    format_set_font_name(heading, "宋体");
    format_set_font_size(heading, 14);
    format_set_bold(heading);
    lxw_format* firstDate = workbook_add_format(wb);
    format_set_font_name(firstDate, "幼圆");
    format_set_font_size(firstDate, 12);
    format_set_num_format(firstDate, "yyyy/m/d");
    static const char* const headings[] = {"日期", "凭证号", "摘要", "入库单价", "入库数量", "入库金额",
                                           "出库单价", "出库数量", "出库金额", "结存单价", "结存数量", "结存金额"};
    static const double widths[] = {10, 15, 40, 10, 10, 10, 10, 10, 10, 10, 10, 10};
    worksheet_merge_range(ws, 0, 0, 0, 11, "商品日记帐", heading);
    for (int c = 0; c < 12; ++c) {
        worksheet_set_column(ws, c, c, widths[c], nullptr);
        worksheet_write_string(ws, 1, c, headings[c], heading);
    }
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(raw.db, kExportSql, -1, &st, nullptr);
    lxw_row_t row = 2;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < 12; ++c) {
            const int type = sqlite3_column_type(st, c);
            if (type == SQLITE_NULL)
                continue;
            if (c == 0) {
                const char* d = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
                lxw_datetime dt{std::atoi(d), std::atoi(d + 5), std::atoi(d + 8), 0, 0, 0};
                worksheet_write_datetime(ws, row, 0, &dt, firstDate);
            } else if (type == SQLITE_TEXT) {
                worksheet_write_string(ws, row, c, reinterpret_cast<const char*>(sqlite3_column_text(st, c)), nullptr);
            } else {
                worksheet_write_number(ws, row, c, sqlite3_column_double(st, c), nullptr);
            }
        }
        ++row;
    }
    sqlite3_finalize(st);
    workbook_close(wb);
}

void benchExport(const QString& file, int reps)
{
    QTemporaryDir out;
    Database db;
    db.open(file);
    Raw raw(file);
    ResultSet rs(db);
    rs.open(QString::fromUtf8(kExportSql));
    setExportFolder(out.path());
    QString written;
    setWorkbookOpener([&written](const QString& f) {
        written = f;
        return true;
    });
    Side program, rawSide;
    for (int i = 0; i < reps; ++i) {
        program.add(measure([&] { exportToSpreadsheet(QStringLiteral("TForm46"), rs); }));
        QFile::remove(written);
        const QString rawFile = out.filePath(QStringLiteral("raw.xlsx"));
        rawSide.add(measure([&] { rawExport(raw, rawFile); }));
        QFile::remove(rawFile);
    }
    report("export 100,000 rows x 12 columns", program, rawSide, true);
    setWorkbookOpener({});
    setExportFolder({});
}

// ---- booking -------------------------------------------------------------------------------

// Voucher numbers the bookings go to: one per side and per pass over the articles.
QString benchVoucher(char side, int pass)
{
    return QStringLiteral("CG999999%1_%2").arg(QLatin1Char(side)).arg(pass + 1, 3, 10, QLatin1Char('0'));
}

void ensureHeader(Database& db, const QString& pzh)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select count(*) from J_cgb where pzh=") + quoted(pzh));
    if (rs.value(0).toDouble() == 0)
        db.exec(QStringLiteral("insert into J_cgb(pzh,ghs,cgrq,jzrq,czy,fqf) values(") + quoted(pzh)
                + QStringLiteral(",'供货商001','2026/1/1','2026/1/1','管理员',0)"));
}

struct RawLine {
    explicit RawLine(Raw& r)
        : raw(r), article(r.prepare("select spdm,zxdj,xykc from J_spb where spdm=?")),
          duplicate(r.prepare("select count(*) from J_cgmxb where pzh=? and spdm=?")),
          begin(r.prepare("BEGIN")), commit(r.prepare("COMMIT")),
          stock(r.prepare("update J_spb set zxdj=?,xykc=? where spdm=?")),
          lines(r.prepare("select sum(dj*sl) from J_cgmxb where pzh=?")),
          due(r.prepare("update J_cgb set yfk=? where pzh=?")),
          line(r.prepare("insert into J_cgmxb(pzh,spdm,rklb,ghs,dw,dj,sl,cgrq,jcdj,jcsl) values(?,?,?,?,?,?,?,?,?,?)"))
    {
    }
    void store(const QByteArray& pzh, const QByteArray& code)
    {
        const double price = 12.5, qty = 3;
        bindText(article, 1, code);
        if (sqlite3_step(article) != SQLITE_ROW)
            throw std::runtime_error("no article");
        const double p0 = sqlite3_column_double(article, 1), s0 = sqlite3_column_double(article, 2);
        sqlite3_reset(article);
        bindText(duplicate, 1, pzh);
        bindText(duplicate, 2, code);
        sqlite3_step(duplicate);
        const bool dup = sqlite3_column_int(duplicate, 0) > 0;
        sqlite3_reset(duplicate);
        if (dup)
            throw std::runtime_error("duplicate line");
        const double s1 = qty + s0, p1 = round2((qty * price + p0 * s0) / s1);
        raw.run(begin);
        sqlite3_bind_double(stock, 1, p1);
        sqlite3_bind_double(stock, 2, s1);
        bindText(stock, 3, code);
        raw.run(stock);
        bindText(line, 1, pzh);
        bindText(line, 2, code);
        bindText(line, 3, "进货");
        bindText(line, 4, "供货商001");
        bindText(line, 5, "个");
        sqlite3_bind_double(line, 6, price);
        sqlite3_bind_double(line, 7, qty);
        bindText(line, 8, "2026-01-01");
        sqlite3_bind_double(line, 9, p1);
        sqlite3_bind_double(line, 10, s1);
        raw.run(line);
        setTotalFromRows(raw, lines, due, pzh);
        raw.run(commit);
    }
    Raw& raw;
    sqlite3_stmt *article, *duplicate, *begin, *commit, *stock, *lines, *due, *line;
};

void benchLine(const QString& file, int reps)
{
    Database& db = Database::shared();
    db.open(file);
    Raw raw(file);
    RawLine rawLine(raw);
    Side program, rawSide;
    const int block = 10;
    static int next = 0;
    for (int r = 0; r < reps; ++r) {
        const int first = next;
        next += block;
        const int pass = first / benchdata::kArticles;
        const QString pv = benchVoucher('1', pass), rv = benchVoucher('2', pass);
        ensureHeader(db, pv);
        ensureHeader(db, rv);
        const QByteArray rvUtf8 = rv.toUtf8();
        inTurns(r, program, rawSide,
                [&] {
                    int a = first;
                    return measure(
                        [&] {
                            const LineEntry entry{pv, benchdata::articleCode(a++ % benchdata::kArticles),
                                                  QStringLiteral("个"), QStringLiteral("12.5"), QStringLiteral("3"),
                                                  QStringLiteral("进货"), QStringLiteral("供货商001"),
                                                  QStringLiteral("2026/1/1")};
                            if (storeLine(purchaseKind(), entry, db) != LineOutcome::Stored)
                                throw std::runtime_error("line not stored");
                        },
                        block);
                },
                [&] {
                    int a = first;
                    return measure(
                        [&] { rawLine.store(rvUtf8, benchdata::articleCode(a++ % benchdata::kArticles).toUtf8()); },
                        block);
                });
    }
    report("store a purchase line", program, rawSide);
    db.close();
}

struct RawPayment {
    explicit RawPayment(Raw& r)
        : raw(r), cash(r.prepare("select je from j_zjb")),
          duplicate(r.prepare("select count(*) from J_cgfkb where pzh=? and dh=?")), begin(r.prepare("BEGIN")),
          commit(r.prepare("COMMIT")), balance(r.prepare("update J_zjb set je=?")),
          paid(r.prepare("select sum(fkje) from J_cgfkb where pzh=?")),
          settled(r.prepare("update J_cgb set sfk=? where pzh=?")),
          row(r.prepare("insert into J_cgfkb(pzh,ghs,dh,fklb,jsfs,fkje,jcje,fkr,fkrq,bz) values(?,?,?,?,?,?,?,?,?,?)"))
    {
    }
    void store(const QByteArray& pzh, const QByteArray& document)
    {
        const double amount = 10;
        sqlite3_step(cash);
        const double b0 = sqlite3_column_double(cash, 0);
        sqlite3_reset(cash);
        bindText(duplicate, 1, pzh);
        bindText(duplicate, 2, document);
        sqlite3_step(duplicate);
        const bool dup = sqlite3_column_int(duplicate, 0) > 0;
        sqlite3_reset(duplicate);
        if (dup)
            throw std::runtime_error("duplicate payment");
        const double b1 = round2(b0 - amount);
        raw.run(begin);
        sqlite3_bind_double(balance, 1, b1);
        raw.run(balance);
        bindText(row, 1, pzh);
        bindText(row, 2, "供货商001");
        bindText(row, 3, document);
        bindText(row, 4, "货款");
        bindText(row, 5, "现金");
        sqlite3_bind_double(row, 6, amount);
        sqlite3_bind_double(row, 7, b1);
        bindText(row, 8, "张伟1");
        bindText(row, 9, "2026-01-02");
        bindText(row, 10, "");
        raw.run(row);
        setTotalFromRows(raw, paid, settled, pzh);
        raw.run(commit);
    }
    Raw& raw;
    sqlite3_stmt *cash, *duplicate, *begin, *commit, *balance, *paid, *settled, *row;
};

void benchPayment(const QString& file, int reps)
{
    Database& db = Database::shared();
    db.open(file);
    Raw raw(file);
    RawPayment rawPayment(raw);
    const QString pv = benchVoucher('1', 900), rv = benchVoucher('2', 900);
    ensureHeader(db, pv);
    ensureHeader(db, rv);
    Side program, rawSide;
    const int block = 10;
    static int next = 0;
    for (int r = 0; r < reps; ++r) {
        inTurns(r, program, rawSide,
                [&] {
                    int n = next;
                    return measure(
                        [&] {
                            const MoneyEntry entry{pv, QStringLiteral("供货商001"), QStringLiteral("B%1").arg(n++),
                                                   QStringLiteral("货款"), QStringLiteral("现金"), QStringLiteral("10"),
                                                   QStringLiteral("张伟1"), QDate(2026, 1, 2), QString()};
                            if (storeMoney(purchaseKind(), entry, db) != MoneyOutcome::Stored)
                                throw std::runtime_error("payment not stored");
                        },
                        block);
                },
                [&] {
                    int n = next;
                    return measure(
                        [&] { rawPayment.store(rv.toUtf8(), QStringLiteral("B%1").arg(n++).toUtf8()); }, block);
                });
        next += block;
    }
    report("store a payment", program, rawSide);
    db.close();
}

// ---- the purchase screen -------------------------------------------------------------------

// What the screen shows of one voucher: the header row, the due figure and lines, the
// settled figure and money rows. The statements carry the voucher number as text, as the
// screen sends them, so each is prepared when it runs.
struct RawVoucher {
    explicit RawVoucher(Raw& r) : raw(r), header(r.prepare("select * from J_cgb where rowid=?")) {}
    void query(const QString& sql)
    {
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(raw.db, utf8.constData(), utf8.size(), &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(raw.db));
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                sqlite3_column_value(st, c);
        sqlite3_finalize(st);
    }
    void show(sqlite3_int64 rowid)
    {
        sqlite3_bind_int64(header, 1, rowid);
        if (sqlite3_step(header) != SQLITE_ROW)
            throw std::runtime_error("no header");
        const QString pzh = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(header, 0)));
        for (int c = 0; c < sqlite3_column_count(header); ++c)
            sqlite3_column_value(header, c);
        sqlite3_reset(header);
        const QString q = quoted(pzh);
        query(QStringLiteral("select sum(dj*sl) from J_cgmxb where pzh=") + q);
        query(QStringLiteral("select J_cgmxb.spdm as 商品代码,J_spb.spmc as 商品名称,J_cgmxb.dw as 单位,J_cgmxb.dj as 单价,"
                             "J_cgmxb.sl as 数量,J_cgmxb.dj*J_cgmxb.sl as 金额 from J_cgmxb,J_spb where "
                             "J_spb.spdm=J_cgmxb.spdm and J_cgmxb.pzh=")
              + q + QStringLiteral(" order by J_cgmxb.spdm"));
        query(QStringLiteral("select sum(fkje) from J_cgfkb where pzh=") + q);
        query(QStringLiteral("select dh as 单号,fklb as 付款类别,jsfs as 结算方式,fkje as 付款金额,fkr as 付款人,fkrq as 付款日期 "
                             "from J_cgfkb where pzh=")
              + q + QStringLiteral(" order by fkrq"));
    }
    Raw& raw;
    sqlite3_stmt* header;
};

void benchOpen(const QString& file, int reps, bool openScreen, bool nextVoucher)
{
    Database& db = Database::shared();
    db.open(file);
    myvar::tableNames = db.tableNames();
    Raw raw(file);
    RawVoucher voucher(raw);
    sqlite3_stmt* ids = raw.prepare("select rowid from J_cgb order by rowid");
    Side program, rawSide;
    for (int r = 0; openScreen && r < reps; ++r) {
        program.add(measure([&] {
            TForm8 screen;
            screen.FormShow();
            if (screen.currentNumber().isEmpty())
                throw std::runtime_error("no voucher shown");
        }));
        rawSide.add(measure([&] {
            std::vector<sqlite3_int64> keys;
            while (sqlite3_step(ids) == SQLITE_ROW)
                keys.push_back(sqlite3_column_int64(ids, 0));
            sqlite3_reset(ids);
            voucher.query(QStringLiteral("select khmc from J_khb where lb1 like '%供货商%' order by khmc"));
            voucher.query(QStringLiteral("select xm from J_zgb where bmmc like '%综合部门%' order by xm"));
            voucher.query(QStringLiteral("select rklb from J_rklbb order by rklb"));
            voucher.show(keys.front());
        }));
    }
    if (openScreen)
        report("open the purchase screen", program, rawSide, true);
    if (!nextVoucher) {
        db.close();
        return;
    }

    // Next voucher with its refresh, through the first few thousand vouchers.
    Side nextProgram, nextRaw;
    TForm8 screen;
    screen.FormShow();
    std::vector<sqlite3_int64> keys;
    while (sqlite3_step(ids) == SQLITE_ROW)
        keys.push_back(sqlite3_column_int64(ids, 0));
    sqlite3_reset(ids);
    size_t k = 0;
    for (int r = 0; r < reps * 10; ++r) {
        nextProgram.add(measure([&] { screen.BitBtn3Click(); }, 20));
        nextRaw.add(measure([&] { voucher.show(keys[++k % keys.size()]); }, 20));
    }
    report("next voucher with refresh", nextProgram, nextRaw);
    db.close();
}

// ---- start-up ------------------------------------------------------------------------------

void benchStart(const QString& dir, int reps)
{
    myvar::setProgramDir(dir + QLatin1Char('/'));
    Side program, rawSide;
    for (int r = 0; r < reps; ++r) {
        program.add(measure([&] {
            TForm1 window;
            TForm37 login(&window, nullptr);
            if (!login.FormShow())
                throw std::runtime_error("login could not connect");
            Database::shared().close();
        }));
        rawSide.add(measure([&] {
            Raw raw(myvar::databaseFile());
            sqlite3_stmt* names = raw.prepare("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
            raw.run(names);
        }));
    }
    report("start to the login window", program, rawSide);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int reps = 7;
    QString only;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--reps") && i + 1 < argc)
            reps = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--only") && i + 1 < argc)
            only = QString::fromUtf8(argv[++i]);
    }
    try {
        const QString dir = QDir::tempPath() + QStringLiteral("/jxc_engine_bench");
        const QString file = benchdata::workingCopy(dir);
        myvar::operatorCode = QStringLiteral("1001");
        myvar::operatorName = QStringLiteral("管理员");
        myvar::setProgramDir(dir + QLatin1Char('/'));
        auto wanted = [&](const char* name) { return only.isEmpty() || only == QLatin1String(name); };
        if (wanted("export"))
            benchExport(file, reps);
        if (wanted("line"))
            benchLine(file, reps * 3);
        if (wanted("payment"))
            benchPayment(file, reps * 3);
        if (wanted("open") || wanted("next"))
            benchOpen(file, reps, wanted("open"), wanted("next"));
        if (wanted("start"))
            benchStart(dir, reps);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
