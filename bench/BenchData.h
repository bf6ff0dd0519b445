#pragma once
// The ten-year database that the benchmark programs measure on.
//
// What it holds (2016-01-01 to 2025-12-31, every voucher kind, booked day by day in
// date order, as the voucher screens store them):
//   20,000 articles (J_spb), 300 suppliers and 1,500 customers (J_khb), 30 employees,
//   the category lists, 5 operators (J_czyb) and one login per day (J_rzb);
//   200,000 purchase vouchers with 1,000,000 lines (J_cgb, J_cgmxb),
//   200,000 sales vouchers with 1,000,000 lines (J_xsb, J_xsmxb),
//   25,000 purchase returns and 25,000 sales returns with 50,000 lines each,
//   10,000 loss vouchers with 20,000 lines (J_bsb, J_bsmxb),
//   20,000 expense vouchers with 40,000 lines (J_zcb, J_zcmxb),
//   300,000 money rows: 130,000 payments (J_cgfkb), 140,000 receipts (J_xsskb),
//   15,000 on purchase returns (J_cgskb), 15,000 on sales returns (J_xsfkb).
// Stored as the program stores them: dates as "yyyy-MM-dd", amounts with two decimals
// (whole ones as integers), every line with the article's cost and stock after it, every
// money row and expense line with the cash balance after it, header totals the sum of
// their rows, J_spb and J_zjb the state after the last booking. Tables, rule triggers and
// indexes come from system initialization, so the file has the program's current layout.
//
// Use:
//   const QString file = benchdata::cachedDatabase();  // generates on first use
//   Database db; db.open(file);                        // read-only work: leave it unchanged
//   const QString copy = benchdata::workingCopy(dir);  // for benchmarks that book
//
// Generating takes a few minutes; the file is kept in $JXC_BENCH_CACHE (default: the
// temporary folder's jxc_bench_cache/) under a name that carries kDataVersion, so a change
// of the generator or of the file layout makes a new one. Several programs may ask at once:
// one generates, the others wait for it. `benchdata` (bench/benchdata_main.cpp) builds the
// file ahead and prints its path.
#include <QDate>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace benchdata {

constexpr int kArticles = 20000;
constexpr int kSuppliers = 300;
constexpr int kCustomers = 1500;
constexpr int kPurchaseVouchers = 200000; // 5 lines each
constexpr int kSalesVouchers = 200000;    // 5 lines each
constexpr int kPurchaseReturns = 25000;   // 2 lines each
constexpr int kSalesReturns = 25000;      // 2 lines each
constexpr int kLossVouchers = 10000;      // 2 lines each
constexpr int kExpenseVouchers = 20000;   // 2 lines each
constexpr int kTradeLines = 5;
constexpr int kOtherLines = 2;

QDate firstDay(); // 2016-01-01
QDate lastDay();  // 2025-12-31

// Names used in the data.
QString articleCode(int i);   // "S00000" .. "S19999"
QString articleName(int i);   // "商品00000"
QString supplierName(int i);  // "供货商001" .. (J_khb.khmc, lb1 "供货商")
QString customerName(int i);  // "客户0001" .. (lb1 "购货商")
const QStringList& operatorCodes(); // "1001" (管理员), "3001" .. "3004"
const QStringList& operatorNames();
const QStringList& goodsCategories(); // J_spb.lb values

// Kinds of vouchers, by prefix.
enum class Kind { Purchase, Sales, PurchaseReturn, SalesReturn, Loss, Expense };
int voucherCount(Kind kind);
// Voucher number and date of the i-th voucher of a kind (0-based, in date order).
QString voucherNumber(Kind kind, int i);
QDate voucherDate(Kind kind, int i);

// Path of the complete cached database file, generating it first when missing.
QString cachedDatabase();
// A copy of the cached database as dir + "/sjk.mdb" (dir is created), for benchmarks that
// write. Returns the copy's path.
QString workingCopy(const QString& dir);

// Opens the file with SQLCipher directly, keyed and set up as the program's own connection
// (same cipher page layout, journal mode and sync): the raw side of a comparison.
// Throws std::runtime_error.
sqlite3* openRaw(const QString& file);

} // namespace benchdata
