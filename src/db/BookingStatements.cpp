#include "db/BookingStatements.h"

#include "db/Database.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <cstdio>
#include <sqlite3.h>

namespace {

// A cached statement with its values bound; reset when it goes out of scope, so a read
// holds no lock and the next use starts clean.
class Bound {
public:
    Bound(Database& db, const QString& sql, const std::vector<QVariant>& values) : m_db(db), m_st(db.preparedOnce(sql))
    {
        int i = 1;
        for (const QVariant& v : values)
            bind(i++, v);
    }
    ~Bound() { sqlite3_reset(m_st); }
    Bound(const Bound&) = delete;
    Bound& operator=(const Bound&) = delete;

    // True while there is a row to read.
    bool step()
    {
        const int rc = sqlite3_step(m_st);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            throw DbError(m_db.lastError());
        return false;
    }
    void run()
    {
        while (step()) {
        }
    }
    double number(int column) const { return sqlite3_column_double(m_st, column); }
    bool isNull(int column) const { return sqlite3_column_type(m_st, column) == SQLITE_NULL; }

private:
    void bind(int i, const QVariant& v)
    {
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(m_st, i);
        } else {
            switch (v.typeId()) {
            case QMetaType::Double:
            case QMetaType::Float:
            case QMetaType::Int:
            case QMetaType::LongLong:
                rc = sqlite3_bind_double(m_st, i, v.toDouble());
                break;
            case QMetaType::Bool:
                rc = sqlite3_bind_int(m_st, i, v.toBool() ? 1 : 0);
                break;
            case QMetaType::QDate:
                rc = bindDate(i, v.toDate());
                break;
            case QMetaType::QDateTime:
                rc = bindText(i, v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
                break;
            default:
                rc = bindText(i, v.toString());
                break;
            }
        }
        if (rc != SQLITE_OK)
            throw DbError(m_db.lastError());
    }
    // Written by hand: the locale's date formatter costs more than the rest of a bind.
    int bindDate(int i, const QDate& d)
    {
        int y = 0, m = 0, day = 0;
        d.getDate(&y, &m, &day);
        if (!d.isValid() || y < 1000 || y > 9999)
            return bindText(i, d.toString(QStringLiteral("yyyy-MM-dd")));
        char text[11];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, day);
        return sqlite3_bind_text(m_st, i, text, 10, SQLITE_TRANSIENT);
    }
    int bindText(int i, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        return sqlite3_bind_text(m_st, i, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
    }

    Database& m_db;
    sqlite3_stmt* m_st;
};

double firstNumber(Bound& q)
{
    return q.step() && !q.isNull(0) ? q.number(0) : 0.0;
}

} // namespace

namespace booking {

std::optional<Article> article(Database& db, const QString& code)
{
    Bound q(db, QStringLiteral("SELECT zxdj,xykc FROM J_spb WHERE spdm=?"), {code});
    if (!q.step())
        return std::nullopt;
    return Article{q.number(0), q.number(1)};
}

void adjustStock(Database& db, const QString& code, double by)
{
    Bound(db, QStringLiteral("UPDATE J_spb SET xykc=xykc+? WHERE spdm=?"), {by, code}).run();
}

void setStock(Database& db, const QString& code, double stock)
{
    Bound(db, QStringLiteral("UPDATE J_spb SET xykc=? WHERE spdm=?"), {stock, code}).run();
}

void setCost(Database& db, const QString& code, double cost)
{
    Bound(db, QStringLiteral("UPDATE J_spb SET zxdj=? WHERE spdm=?"), {cost, code}).run();
}

void setCostAndStock(Database& db, const QString& code, double cost, double stock)
{
    Bound(db, QStringLiteral("UPDATE J_spb SET zxdj=?,xykc=? WHERE spdm=?"), {cost, stock, code}).run();
}

double cash(Database& db)
{
    Bound q(db, QStringLiteral("SELECT je FROM J_zjb LIMIT 1"), {});
    return firstNumber(q);
}

void setCash(Database& db, double balance)
{
    Bound(db, QStringLiteral("UPDATE J_zjb SET je=?"), {balance}).run();
}

void adjustCash(Database& db, double by)
{
    Bound(db, QStringLiteral("UPDATE J_zjb SET je=je+?"), {by}).run();
}

void raiseTotal(Database& db, const QString& table, const QString& column, const QString& pzh, double by)
{
    Bound(db, QStringLiteral("UPDATE %1 SET %2=%2+? WHERE pzh=?").arg(table, column), {by, pzh}).run();
}

void setTotal(Database& db, const QString& table, const QString& column, const QString& pzh, double value)
{
    Bound(db, QStringLiteral("UPDATE %1 SET %2=? WHERE pzh=?").arg(table, column), {value, pzh}).run();
}

double sumOf(Database& db, const QString& table, const QString& expression, const QString& pzh)
{
    Bound q(db, QStringLiteral("SELECT sum(%1) FROM %2 WHERE pzh=?").arg(expression, table), {pzh});
    return firstNumber(q);
}

bool hasRow(Database& db, const QString& table, const QString& pzh, const QString& column, const QString& key)
{
    Bound q(db, QStringLiteral("SELECT 1 FROM %1 WHERE pzh=? AND %2=? LIMIT 1").arg(table, column), {pzh, key});
    return q.step();
}

void insertRow(Database& db, const QString& table, const Row& row)
{
    QStringList columns;
    std::vector<QVariant> values;
    values.reserve(row.size());
    for (const auto& [column, value] : row) {
        columns << column;
        values.push_back(value);
    }
    const QString marks = QStringLiteral("?,").repeated(int(row.size())).chopped(1);
    Bound(db, QStringLiteral("INSERT INTO %1(%2) VALUES(%3)").arg(table, columns.join(QLatin1Char(',')), marks), values)
        .run();
}

void deleteRows(Database& db, const QString& table, const QString& pzh, const QString& column, const QString& key)
{
    Bound(db, QStringLiteral("DELETE FROM %1 WHERE pzh=? AND %2=?").arg(table, column), {pzh, key}).run();
}

} // namespace booking
