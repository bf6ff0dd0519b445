#pragma once
// The books check: every place where the books disagree with themselves. It reads only and
// mends nothing; no windows here (the check screen and the fault tests both use it).
//
// What it compares, for every voucher kind:
//  - a header's due total against the rounded sum of its lines' price × quantity, and its
//    settled total against the rounded sum of its money rows;
//  - an article's stock against its movements over every line table (ins minus outs), and
//    against the stock snapshot of its latest line;
//  - the cash balance against the snapshot of the latest money row or expense line, and
//    against the movements of all its rows from the balance before a table's first row.
// "Latest" is the row stored last in its table; the tables keep no common order, so the
// current value must equal the snapshot of the latest row of one of them.
//
// Snapshots are written once: removing a row leaves the snapshots of the rows after it as
// they were, so a right balance may differ from its latest snapshot. A balance is reported
// against its latest snapshot only when the rows left do not account for it either: an
// article starts at 0, the cash at the balance before the first row of one of the tables.
// Once the cash's very first row is removed while later ones stay, that start is lost and
// a right balance is reported.
#include <QString>

#include <vector>

class Database;

struct BooksDisagreement {
    QString what;     // "采购凭证应付款不等于商品明细合计"
    QString where;    // voucher number, article code, or "J_zjb"
    double booked;    // the value the books hold
    double reckoned;  // the value the detail rows give
};

std::vector<BooksDisagreement> checkBooks(Database& db);
