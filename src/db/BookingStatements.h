#pragma once
// The small writes that booking a voucher is made of. Each runs a native statement that is
// prepared once per connection (Database::preparedOnce) with every value bound, so nothing
// typed ever becomes statement text. Table and column names come from the program's own
// tables (the voucher kinds), never from an operator.
//
// Every function throws DbError when the engine refuses; the caller runs them inside one
// Transaction, which undoes them all. Values pass the columns' rules as any other write:
// numbers keep two decimals (ties to even), a text longer than its column or a date text
// that is no date is refused. Dates are bound as QDate (stored without a time of day).
#include <QString>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

class Database;

namespace booking {

// A row to insert: column names with their values, in any order.
using Row = std::vector<std::pair<QString, QVariant>>;

struct Article {
    double cost;  // J_spb.zxdj
    double stock; // J_spb.xykc
};
// The article with this code; none when J_spb has no such row.
std::optional<Article> article(Database& db, const QString& code);

// J_spb.xykc = xykc + by
void adjustStock(Database& db, const QString& code, double by);
// J_spb.xykc = stock
void setStock(Database& db, const QString& code, double stock);
// J_spb.zxdj = cost
void setCost(Database& db, const QString& code, double cost);
// J_spb.zxdj = cost, J_spb.xykc = stock, in one write of the row.
void setCostAndStock(Database& db, const QString& code, double cost, double stock);

// J_zjb.je of the first row; 0 when there is none.
double cash(Database& db);
// J_zjb.je = balance
void setCash(Database& db, double balance);
// J_zjb.je = je + by
void adjustCash(Database& db, double by);

// table.column = column + by on the voucher's header row.
void raiseTotal(Database& db, const QString& table, const QString& column, const QString& pzh, double by);
// table.column = value on the voucher's header row.
void setTotal(Database& db, const QString& table, const QString& column, const QString& pzh, double value);
// sum(expression) over the rows of table that belong to the voucher; 0 for none.
double sumOf(Database& db, const QString& table, const QString& expression, const QString& pzh);

// Whether the voucher has a row of table with column = key (compared as the column does).
bool hasRow(Database& db, const QString& table, const QString& pzh, const QString& column, const QString& key);
void insertRow(Database& db, const QString& table, const Row& row);
// Deletes the voucher's rows of table with column = key.
void deleteRows(Database& db, const QString& table, const QString& pzh, const QString& column, const QString& key);

} // namespace booking
