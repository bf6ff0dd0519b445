#include "ledger/BooksCheck.h"

#include "db/Database.h"
#include "db/SqlText.h"

#include <QHash>
#include <QVariant>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {

// One voucher kind's tables; money empty for the kinds without money rows.
struct KindTables {
    const char* word;   // 采购
    const char* header;
    const char* due;
    const char* dueCaption;
    const char* lines;
    const char* lineAmount; // what a line adds to the due total
    int stockSign;          // +1 goods in, -1 goods out, 0 none
    const char* money;
    const char* settled;
    const char* settledCaption;
    const char* moneyAmount;
};

const KindTables kKinds[] = {
    {"采购", "J_cgb", "yfk", "应付款", "J_cgmxb", "dj*sl", +1, "J_cgfkb", "sfk", "实付款", "fkje"},
    {"销售", "J_xsb", "ysk", "应收款", "J_xsmxb", "dj*sl", -1, "J_xsskb", "ssk", "实收款", "skje"},
    {"采购退货", "J_cgthb", "ysk", "应收款", "J_cgthmxb", "dj*sl", -1, "J_cgskb", "ssk", "实收款", "skje"},
    {"销售退货", "J_xsthb", "yfk", "应付款", "J_xsthmxb", "dj*sl", +1, "J_xsfkb", "sfk", "实付款", "fkje"},
    {"报损", "J_bsb", "bsje", "报损金额", "J_bsmxb", "dj*sl", -1, nullptr, nullptr, nullptr, nullptr},
    {"费用", "J_zcb", "zcje", "支出金额", "J_zcmxb", "zcje", 0, nullptr, nullptr, nullptr, nullptr},
};

// Tables whose rows carry the cash balance they left, with what a row adds to the cash.
struct CashTable {
    const char* table;
    const char* movement;
};

const CashTable kCashRows[] = {
    {"J_cgfkb", "-fkje"}, {"J_xsskb", "skje"}, {"J_cgskb", "skje"}, {"J_xsfkb", "-fkje"}, {"J_zcmxb", "-zcje"},
};

using Row = QList<QVariant>;

// Runs SQLite text on the connection and gives every row.
QList<Row> rows(Database& db, const QString& sql)
{
    sqlite3_stmt* st = db.prepare(sql);
    QList<Row> out;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        Row r;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_NULL:
                r << QVariant();
                break;
            case SQLITE_INTEGER:
            case SQLITE_FLOAT:
                r << sqlite3_column_double(st, c);
                break;
            default:
                r << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            }
        }
        out << r;
    }
    const QString err = db.lastError();
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        throw DbError(err);
    return out;
}

struct Sum {
    double total = 0;
    int count = 0;
};

// Per voucher: the sum of an expression over its rows and how many rows there are.
QHash<QString, Sum> sumsByVoucher(Database& db, const char* table, const char* expr)
{
    QHash<QString, Sum> sums;
    for (const Row& r : rows(db, QStringLiteral("SELECT pzh, total(%1), count(*) FROM %2 GROUP BY pzh").arg(
                                    QLatin1String(expr), QLatin1String(table))))
        sums.insert(r[0].toString(), {r[1].toDouble(), int(r[2].toDouble())});
    return sums;
}

// A header total is the rounded sum of its rows, set afresh by every booking.
bool differs(double booked, double reckoned)
{
    return std::fabs(booked - round2(reckoned)) > 0.0005;
}

bool sameNumber(double a, double b)
{
    return std::fabs(a - b) < 0.0005;
}

bool anyNear(const QList<double>& values, double v)
{
    return std::any_of(values.begin(), values.end(), [v](double s) { return sameNumber(s, v); });
}

} // namespace

std::vector<BooksDisagreement> checkBooks(Database& db)
{
    std::vector<BooksDisagreement> found;

    for (const KindTables& k : kKinds) {
        const QString word = QString::fromUtf8(k.word);
        const QHash<QString, Sum> lines = sumsByVoucher(db, k.lines, k.lineAmount);
        QHash<QString, Sum> money;
        if (k.money)
            money = sumsByVoucher(db, k.money, k.moneyAmount);
        const QString settledColumn = k.money ? QLatin1String(k.settled) : QStringLiteral("0");
        for (const Row& h : rows(db, QStringLiteral("SELECT pzh, %1, %2 FROM %3 ORDER BY pzh")
                                         .arg(QLatin1String(k.due), settledColumn, QLatin1String(k.header)))) {
            const QString pzh = h[0].toString();
            const Sum l = lines.value(pzh);
            if (differs(h[1].toDouble(), l.total))
                found.push_back({word + QStringLiteral("凭证") + QString::fromUtf8(k.dueCaption) + QStringLiteral("不等于明细合计"),
                                 pzh, h[1].toDouble(), l.total});
            if (k.money) {
                const Sum m = money.value(pzh);
                if (differs(h[2].toDouble(), m.total))
                    found.push_back({word + QStringLiteral("凭证") + QString::fromUtf8(k.settledCaption)
                                         + QStringLiteral("不等于收付款明细合计"),
                                     pzh, h[2].toDouble(), m.total});
            }
        }
    }

    // Stock: movements over every line table, and the snapshot of the latest line in each.
    QHash<QString, double> moved;
    QHash<QString, QList<double>> latestSnapshots;
    for (const KindTables& k : kKinds) {
        if (k.stockSign == 0)
            continue;
        const QString table = QLatin1String(k.lines);
        for (const Row& r : rows(db, QStringLiteral("SELECT spdm, total(sl) FROM %1 GROUP BY spdm").arg(table)))
            moved[r[0].toString()] += k.stockSign * r[1].toDouble();
        for (const Row& r : rows(db, QStringLiteral("SELECT spdm, jcsl FROM %1 WHERE rowid IN "
                                                    "(SELECT max(rowid) FROM %1 GROUP BY spdm)").arg(table)))
            latestSnapshots[r[0].toString()] << r[1].toDouble();
    }
    for (const Row& a : rows(db, QStringLiteral("SELECT spdm, xykc FROM J_spb ORDER BY spdm"))) {
        const QString code = a[0].toString();
        const double stock = a[1].toDouble();
        const double movements = moved.value(code);
        if (sameNumber(stock, movements))
            continue; // the lines account for the stock, whatever an earlier removal left in the snapshots
        found.push_back({QStringLiteral("商品库存不等于各单据出入库合计"), code, stock, movements});
        const QList<double> snapshots = latestSnapshots.value(code);
        if (!snapshots.isEmpty() && !anyNear(snapshots, stock))
            found.push_back({QStringLiteral("商品库存不等于最后一笔明细的结存数量"), code, stock, snapshots.first()});
    }

    // Cash against the balance the latest money row left, and against all rows' movements
    // from the balance before the first row of one of the tables.
    QList<double> cashSnapshots;
    QList<double> openings;
    double cashMoved = 0;
    for (const CashTable& c : kCashRows) {
        const QString table = QLatin1String(c.table);
        const QString movement = QLatin1String(c.movement);
        for (const Row& r : rows(db, QStringLiteral("SELECT (SELECT jcje FROM %1 ORDER BY rowid DESC LIMIT 1), "
                                                    "(SELECT jcje - (%2) FROM %1 ORDER BY rowid LIMIT 1), "
                                                    "(SELECT total(%2) FROM %1)")
                                         .arg(table, movement))) {
            cashMoved += r[2].toDouble();
            if (r[0].isNull())
                continue; // no rows
            cashSnapshots << r[0].toDouble();
            openings << r[1].toDouble();
        }
    }
    const QList<Row> cash = rows(db, QStringLiteral("SELECT je FROM J_zjb"));
    if (!cash.isEmpty() && !cashSnapshots.isEmpty()) {
        const double je = cash.first()[0].toDouble();
        if (!anyNear(cashSnapshots, je) && !anyNear(openings, je - cashMoved))
            found.push_back({QStringLiteral("流动资金不等于最后一笔收付款的结存金额"), QStringLiteral("J_zjb"), je,
                             cashSnapshots.first()});
    }
    return found;
}
