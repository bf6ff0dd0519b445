#include "db/ResultSet.h"

#include "db/SqlText.h"

#include <QRegularExpression>
#include <QSet>
#include <sqlite3.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr qint64 kNewRow = std::numeric_limits<qint64>::min();
// Rows an editable set keeps read: a few screens of a grid, so memory stays flat in the rows.
constexpr int kCachedRows = 2000;
// Rows of a re-read kept as they are read with their ids: as many as a grid fits its columns to.
constexpr int kReadAhead = 1000;
// Statement shapes and column lists remembered across re-reads.
constexpr int kKnownShapes = 1024;

QString columnText(sqlite3_stmt* st, int i)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
}

QVariant dateValue(const QString& text)
{
    bool hasTime = false;
    const QDateTime dt = parseDateText(text, &hasTime);
    if (!dt.isValid())
        return text;
    return hasTime ? QVariant(dt) : QVariant(dt.date());
}

bool looksLikeStoredDate(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(R"(^\d{4}-\d\d-\d\d( \d\d:\d\d:\d\d)?$)"));
    return re.match(text).hasMatch();
}

int digits(const char* p, int n)
{
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

// A date as the program stores it, "yyyy-MM-dd", is read straight into a date; anything
// else goes through the full parse. Keeps long walks clear of the local-time conversions.
QVariant storedDateValue(sqlite3_stmt* st, int i)
{
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
    const int n = sqlite3_column_bytes(st, i);
    if (n == 10 && p[4] == '-' && p[7] == '-') {
        const QDate d(digits(p, 4), digits(p + 5, 2), digits(p + 8, 2));
        if (d.isValid())
            return d;
    }
    return dateValue(QString::fromUtf8(p, n));
}

QVariant readValue(sqlite3_stmt* st, int i, ColumnKind kind)
{
    const int type = sqlite3_column_type(st, i);
    if (type == SQLITE_NULL)
        return {};
    switch (kind) {
    case ColumnKind::Text:
        return columnText(st, i);
    case ColumnKind::Number:
        if (type == SQLITE_TEXT)
            return columnText(st, i);
        return sqlite3_column_double(st, i);
    case ColumnKind::Bool:
        return sqlite3_column_int(st, i) != 0;
    case ColumnKind::Date:
        return storedDateValue(st, i);
    case ColumnKind::Other:
        break;
    }
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
        return sqlite3_column_double(st, i);
    const QString text = columnText(st, i);
    return looksLikeStoredDate(text) ? dateValue(text) : QVariant(text);
}

// A summary lists an article's name, brand and unit again on each of its rows, next to each
// other: a text equal to the one read above it in its column is shared, not decoded again.
class RepeatedTexts {
public:
    explicit RepeatedTexts(int columns) : m_last(columns) {}
    QVariant read(sqlite3_stmt* st, int i, ColumnKind kind)
    {
        if (kind != ColumnKind::Text || sqlite3_column_type(st, i) != SQLITE_TEXT)
            return readValue(st, i, kind);
        const char* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        const int n = sqlite3_column_bytes(st, i);
        Last& last = m_last[i];
        if (last.read && last.bytes.size() == size_t(n) && std::memcmp(last.bytes.data(), p, n) == 0)
            return last.value;
        last.bytes.assign(p, size_t(n));
        last.value = QString::fromUtf8(p, n);
        last.read = true;
        return last.value;
    }

private:
    struct Last {
        bool read = false;
        std::string bytes;
        QVariant value;
    };
    std::vector<Last> m_last;
};

// Strips literals and reports whether a select reads plain rows of one table, the only
// shape whose rows can be written back.
bool singleTableShape(const QString& sqliteText)
{
    // The text outside literals and parentheses, in lower case, in one pass: every re-read
    // of a set asks.
    QString top(sqliteText.size(), Qt::Uninitialized);
    QChar* out = top.data();
    bool inString = false;
    int depth = 0;
    for (const QChar c : sqliteText) {
        if (c == QLatin1Char('\'')) {
            inString = !inString;
        } else if (inString) {
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0) {
            const char16_t u = c.unicode();
            *out++ = u < 0x80 ? QChar(u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u) : c.toLower();
        }
    }
    top.truncate(out - top.constData());
    // The screens re-read the same shapes with other literals: what the text outside them
    // says is worked out once.
    static QHash<QString, bool> known;
    if (const auto it = known.constFind(top); it != known.cend())
        return it.value();
    static const QRegularExpression words(QStringLiteral(R"(\b(distinct|group|union|join|having|intersect|except|limit)\b)"));
    static const QRegularExpression fromClause(QStringLiteral(R"(\bfrom\b(.*?)(\bwhere\b|\border\b|$))"),
                                               QRegularExpression::DotMatchesEverythingOption);
    bool single = false;
    if (top.trimmed().startsWith(QLatin1String("select")) && !words.match(top).hasMatch()) {
        const auto m = fromClause.match(top);
        single = m.hasMatch() && !m.captured(1).contains(QLatin1Char(','));
    }
    if (known.size() >= kKnownShapes)
        known.clear();
    known.insert(top, single);
    return single;
}

// A select of the named table alone, without condition or order: its rows are the
// table's, in the order the table stores them.
bool wholeTable(const QString& sqliteText, const QString& table)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*select\b.*\bfrom\s+[\["`]?(\w+)[\]"`]?\s*;?\s*$)"),
                                       QRegularExpression::CaseInsensitiveOption
                                           | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression words(QStringLiteral(R"(\b(where|order)\b)"), QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(sqliteText);
    return m.hasMatch() && m.captured(1).compare(table, Qt::CaseInsensitive) == 0 && !words.match(sqliteText).hasMatch();
}

// The table of a select that reads plain columns of one table named alone, or empty. Such a
// select is read with its row ids in one statement.
QString plainTableOf(const QString& sqliteText)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*select\s+[^()']*?\s+from\s+(\w+)\s*(?:\bwhere\b|\border\b|;?\s*$))"),
                                       QRegularExpression::CaseInsensitiveOption
                                           | QRegularExpression::DotMatchesEverythingOption);
    if (!singleTableShape(sqliteText))
        return {};
    const auto m = re.match(sqliteText);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString keyedSelect(const QString& sqliteText, const QString& table)
{
    static const QRegularExpression select(QStringLiteral(R"(^\s*select\b)"), QRegularExpression::CaseInsensitiveOption);
    QString keyed = sqliteText;
    return keyed.replace(select, QStringLiteral("SELECT %1.rowid AS __jx_rowid, ").arg(table));
}

int widthOf(const char* declType)
{
    if (!declType)
        return 0;
    static const QRegularExpression re(QStringLiteral(R"(^\s*char\s*\(\s*(\d+)\s*\))"), QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(QString::fromUtf8(declType));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

void appendPart(QByteArray& key, const char* part)
{
    // Marked, so that a missing part and an empty one differ.
    key.append(part ? '+' : '-');
    if (part)
        key.append(part);
    key.append('\0');
}

void bindValue(sqlite3_stmt* st, int index, const QVariant& v)
{
    if (v.isNull() || !v.isValid()) {
        sqlite3_bind_null(st, index);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(st, index, v.toDouble());
        return;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(st, index, v.toLongLong());
        return;
    case QMetaType::Bool:
        sqlite3_bind_int(st, index, v.toBool() ? 1 : 0);
        return;
    case QMetaType::QDate: {
        const QByteArray s = v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
        sqlite3_bind_text(st, index, s.constData(), s.size(), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        const QString f = dt.time() == QTime(0, 0) ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd HH:mm:ss");
        const QByteArray s = dt.toString(f).toUtf8();
        sqlite3_bind_text(st, index, s.constData(), s.size(), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QByteArray s = v.toString().toUtf8();
        sqlite3_bind_text(st, index, s.constData(), s.size(), SQLITE_TRANSIENT);
    }
    }
}

} // namespace

ResultSet::ResultSet(QObject* parent) : ResultSet(Database::shared(), parent) {}

ResultSet::ResultSet(Database& db, QObject* parent) : QObject(parent), m_db(db) {}

ResultSet::~ResultSet()
{
    if (m_fetch)
        sqlite3_finalize(m_fetch);
}

void ResultSet::setSql(const QString& jetSql)
{
    m_sql = jetSql;
}

void ResultSet::open(const QString& jetSql)
{
    m_sql = jetSql;
    open();
}

void ResultSet::open()
{
    // Opening an open set tells the controls once, when the new rows are in: a grid that
    // heard of the closing too would lay itself out twice.
    const bool wasActive = discard();
    try {
        load();
    } catch (...) {
        if (wasActive && !m_disabled)
            emit reset();
        throw;
    }
    m_state = Browse;
    m_row = recordCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = recordCount() == 0;
    if (!m_disabled)
        emit reset();
}

// The fields of a prepared select from its columns `first` on; false when they are not all
// plain columns of one table, whose name `table` then is empty.
bool ResultSet::describe(sqlite3_stmt* st, int first, QString* table)
{
    // Described once per distinct list of columns: a re-read meets the same columns again and
    // again, and turning their names and types into texts and kinds is most of what
    // describing costs. The engine's description is the key, so a changed table is new.
    struct Description {
        QVector<Field> fields;
        QHash<QString, int> index;
        QString table;
        bool oneTable = false;
    };
    static QHash<QByteArray, Description> known;
    const int n = sqlite3_column_count(st) - first;
    QByteArray key;
    key.reserve(64 * std::max(n, 1));
    for (int i = first; i < first + n; ++i)
        for (const char* part : {sqlite3_column_name(st, i), sqlite3_column_decltype(st, i),
                                 sqlite3_column_table_name(st, i), sqlite3_column_origin_name(st, i)})
            appendPart(key, part);
    auto it = known.constFind(key);
    if (it == known.cend()) {
        Description d;
        d.fields.resize(std::max(n, 0));
        d.oneTable = n > 0;
        for (int i = 0; i < n; ++i) {
            Field& f = d.fields[i];
            f.name = QString::fromUtf8(sqlite3_column_name(st, first + i));
            const char* decl = sqlite3_column_decltype(st, first + i);
            f.kind = Database::kindOfDeclType(decl);
            f.width = widthOf(decl);
            const char* t = sqlite3_column_table_name(st, first + i);
            const char* origin = sqlite3_column_origin_name(st, first + i);
            if (!t || !origin || (!d.table.isEmpty() && d.table != QString::fromUtf8(t)))
                d.oneTable = false;
            else {
                d.table = QString::fromUtf8(t);
                f.origin = QString::fromUtf8(origin);
            }
        }
        for (int i = n - 1; i >= 0; --i)
            d.index.insert(d.fields[i].name.toLower(), i);
        if (!d.oneTable)
            d.table.clear();
        if (known.size() >= kKnownShapes)
            known.clear();
        it = known.insert(key, d);
    }
    m_fields = it->fields;
    m_index = it->index;
    *table = it->table;
    return it->oneTable;
}

void ResultSet::load()
{
    const QString text = m_db.translate(m_sql);
    m_keys.clear();
    m_rows.clear();
    clearCache();
    if (m_fetch) {
        sqlite3_finalize(m_fetch);
        m_fetch = nullptr;
    }
    m_table.clear();
    m_walkSql.clear();

    // A re-read of a few rows is mostly the compiling of its statements: a select of plain
    // columns of one table is compiled once, with the row ids, and its first rows kept.
    const QString plain = plainTableOf(text);
    if (!plain.isEmpty() && !wholeTable(text, plain)) {
        const QString keyed = keyedSelect(text, plain);
        sqlite3_stmt* ks = nullptr;
        try {
            ks = m_db.prepareRead(keyed);
        } catch (const DbError&) {
            ks = nullptr;
        }
        QString table;
        if (ks && describe(ks, 1, &table)) {
            const int n = m_fields.size();
            int rc;
            while ((rc = sqlite3_step(ks)) == SQLITE_ROW) {
                const qint64 key = sqlite3_column_int64(ks, 0);
                m_keys.append(key);
                if (m_keys.size() <= kReadAhead) {
                    QVector<QVariant> row(n);
                    for (int i = 0; i < n; ++i)
                        row[i] = readValue(ks, i + 1, m_fields[i].kind);
                    m_cache.insert(key, row);
                }
            }
            m_db.release(ks);
            if (rc != SQLITE_DONE) {
                m_keys.clear();
                clearCache();
                throw DbError(m_db.lastError());
            }
            m_walkSql = keyed;
            m_table = table;
            return;
        }
        if (ks)
            m_db.release(ks);
    }

    sqlite3_stmt* st = m_db.prepareRead(text);
    const int n = sqlite3_column_count(st);
    QString table;
    const bool oneTable = describe(st, 0, &table) && singleTableShape(text);

    if (oneTable) {
        // Reading the row ids alone keeps a long table quick to open; rows are read when shown.
        m_db.release(st);
        const QString keyed = wholeTable(text, table)
            ? QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(table) // the order of a plain scan
            : keyedSelect(text, table);
        sqlite3_stmt* ks = nullptr;
        try {
            ks = m_db.prepareRead(keyed);
        } catch (const DbError&) {
            ks = nullptr;
        }
        if (ks) {
            int rc;
            while ((rc = sqlite3_step(ks)) == SQLITE_ROW)
                m_keys.append(sqlite3_column_int64(ks, 0));
            m_db.release(ks);
            if (rc != SQLITE_DONE)
                throw DbError(m_db.lastError());
            // The same rows again, each with its row id first, for one pass over them all.
            m_walkSql = wholeTable(text, table)
                ? QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid").arg(originList(), table)
                : keyed;
            m_table = table;
            return;
        }
        st = m_db.prepareRead(text);
    }

    int rc;
    RepeatedTexts texts(n);
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QVector<QVariant> row(n);
        for (int i = 0; i < n; ++i)
            row[i] = texts.read(st, i, m_fields[i].kind);
        m_rows.append(std::move(row));
    }
    m_db.release(st);
    if (rc != SQLITE_DONE)
        throw DbError(m_db.lastError());
    // Expression columns take the kind of their values.
    for (int i = 0; i < n; ++i) {
        if (m_fields[i].kind != ColumnKind::Other)
            continue;
        for (const auto& row : m_rows) {
            const QVariant& v = row[i];
            if (v.isNull())
                continue;
            m_fields[i].kind = v.typeId() == QMetaType::Double ? ColumnKind::Number
                : (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime) ? ColumnKind::Date
                                                                                          : ColumnKind::Text;
            break;
        }
    }
}

void ResultSet::close()
{
    if (discard() && !m_disabled)
        emit reset();
}

bool ResultSet::discard()
{
    if (m_fetch) {
        sqlite3_finalize(m_fetch);
        m_fetch = nullptr;
    }
    const bool wasActive = m_state != Inactive;
    m_state = Inactive;
    m_keys.clear();
    m_rows.clear();
    clearCache();
    m_buffer.clear();
    m_changed.clear();
    m_row = -1;
    m_bof = m_eof = true;
    return wasActive;
}

void ResultSet::requery()
{
    const int row = m_row;
    checkBrowseMode();
    load();
    m_state = Browse;
    m_row = recordCount() == 0 ? -1 : std::clamp(row, 0, recordCount() - 1);
    m_bof = m_row <= 0;
    m_eof = recordCount() == 0;
    if (!m_disabled)
        emit reset();
}

int ResultSet::fieldIndex(const QString& name) const
{
    return m_index.value(name.toLower(), -1);
}

int ResultSet::recordCount() const
{
    return m_table.isEmpty() ? m_rows.size() : m_keys.size();
}

void ResultSet::clearCache() const
{
    m_cache.clear();
}

QString ResultSet::originList() const
{
    QStringList cols;
    for (const auto& f : m_fields)
        cols << f.origin;
    return cols.join(QLatin1Char(','));
}

QVector<QVariant> ResultSet::fetchRow(int row) const
{
    QVector<QVariant> values(m_fields.size());
    const qint64 key = m_keys.value(row, kNewRow);
    if (m_table.isEmpty() || key == kNewRow)
        return values;
    // Compiled when a row is first read one by one: a re-read of a few rows needs none.
    if (!m_fetch) {
        try {
            m_fetch = m_db.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?").arg(originList(), m_table));
        } catch (const DbError&) {
            return values;
        }
    }
    sqlite3_reset(m_fetch);
    sqlite3_bind_int64(m_fetch, 1, key);
    if (sqlite3_step(m_fetch) == SQLITE_ROW) {
        for (int i = 0; i < values.size(); ++i)
            values[i] = readValue(m_fetch, i, m_fields[i].kind);
    }
    sqlite3_reset(m_fetch);
    return values;
}

QVector<QVariant>& ResultSet::cachedRow(int row) const
{
    const qint64 key = m_keys.value(row, kNewRow);
    auto it = m_cache.find(key);
    if (it == m_cache.end()) {
        if (m_cache.size() >= kCachedRows)
            m_cache.clear();
        it = m_cache.insert(key, fetchRow(row));
    }
    return it.value();
}

QVariant ResultSet::valueAt(int row, int column) const
{
    if (row < 0 || row >= recordCount() || column < 0 || column >= m_fields.size())
        return {};
    if (row == m_row && (m_state == Edit || m_state == Insert))
        return m_buffer.value(column);
    if (m_table.isEmpty())
        return m_rows[row][column];
    return cachedRow(row)[column];
}

QVector<QVariant> ResultSet::rowValues(int row) const
{
    if (row < 0 || row >= recordCount())
        return QVector<QVariant>(m_fields.size());
    if (row == m_row && (m_state == Edit || m_state == Insert))
        return m_buffer;
    if (m_table.isEmpty())
        return m_rows[row];
    const auto it = m_cache.constFind(m_keys[row]);
    return it != m_cache.cend() ? it.value() : fetchRow(row);
}

QVariant ResultSet::value(int column) const
{
    return valueAt(m_row, column);
}

QVariant ResultSet::value(const QString& field) const
{
    const int i = fieldIndex(field);
    if (i < 0)
        throw DbError(QStringLiteral("字段 '%1' 未找到").arg(field));
    return value(i);
}

QString ResultSet::text(const QString& field) const
{
    return displayText(value(field));
}

double ResultSet::number(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString)
        return toNumber(v.toString());
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1 : 0;
    return v.toDouble();
}

void ResultSet::setCurrent(int row)
{
    if (row == m_row)
        return;
    m_row = row;
    notifyCurrent();
}

void ResultSet::notifyCurrent()
{
    if (!m_disabled)
        emit currentChanged(m_row);
}

void ResultSet::first()
{
    checkBrowseMode();
    m_bof = true;
    m_eof = recordCount() == 0;
    setCurrent(recordCount() > 0 ? 0 : -1);
}

void ResultSet::last()
{
    checkBrowseMode();
    m_eof = true;
    m_bof = recordCount() == 0;
    setCurrent(recordCount() - 1);
}

void ResultSet::next()
{
    checkBrowseMode();
    if (recordCount() == 0) {
        m_bof = m_eof = true;
        return;
    }
    if (m_row >= recordCount() - 1) {
        m_eof = true;
        return;
    }
    m_bof = m_eof = false;
    setCurrent(m_row + 1);
}

void ResultSet::prior()
{
    checkBrowseMode();
    if (recordCount() == 0) {
        m_bof = m_eof = true;
        return;
    }
    if (m_row <= 0) {
        m_bof = true;
        return;
    }
    m_bof = m_eof = false;
    setCurrent(m_row - 1);
}

void ResultSet::moveTo(int row)
{
    if (recordCount() == 0)
        return;
    row = std::clamp(row, 0, recordCount() - 1);
    if (row == m_row)
        return;
    checkBrowseMode();
    m_bof = m_eof = false;
    setCurrent(row);
}

bool ResultSet::locate(const QString& field, const QVariant& value)
{
    const int col = fieldIndex(field);
    if (col < 0)
        throw DbError(QStringLiteral("字段 '%1' 未找到").arg(field));
    checkBrowseMode();
    int found = -1;
    if (!m_table.isEmpty()) {
        sqlite3_stmt* st = m_db.prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2=?").arg(m_table, m_fields[col].origin));
        bindValue(st, 1, value);
        QSet<qint64> hits;
        while (sqlite3_step(st) == SQLITE_ROW)
            hits.insert(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
        for (int i = 0; i < m_keys.size() && !hits.isEmpty(); ++i)
            if (hits.contains(m_keys[i])) {
                found = i;
                break;
            }
    } else {
        const QString wanted = displayText(value);
        for (int i = 0; i < m_rows.size(); ++i)
            if (displayText(m_rows[i][col]) == wanted) {
                found = i;
                break;
            }
    }
    if (found < 0)
        return false;
    m_bof = m_eof = false;
    setCurrent(found);
    return true;
}

QVariant ResultSet::convertIn(int column, const QVariant& value) const
{
    if (value.isNull() || !value.isValid())
        return {};
    if (value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    switch (m_fields[column].kind) {
    case ColumnKind::Number:
        if (text.trimmed().isEmpty())
            return {};
        return toNumber(text);
    case ColumnKind::Date: {
        if (text.trimmed().isEmpty())
            return {};
        bool hasTime = false;
        const QDateTime dt = parseDateText(text, &hasTime);
        if (!dt.isValid())
            throw ConversionError(QStringLiteral("'%1' is not a valid date").arg(text));
        return hasTime ? QVariant(dt) : QVariant(dt.date());
    }
    case ColumnKind::Bool:
        return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1");
    default:
        return text;
    }
}

void ResultSet::setValue(const QString& field, const QVariant& value)
{
    const int i = fieldIndex(field);
    if (i < 0)
        throw DbError(QStringLiteral("字段 '%1' 未找到").arg(field));
    setValue(i, value);
}

void ResultSet::setValue(int column, const QVariant& value)
{
    if (m_state != Edit && m_state != Insert)
        throw DbError(QStringLiteral("数据集不在编辑或插入状态"));
    if (column < 0 || column >= m_fields.size())
        throw DbError(QStringLiteral("字段 %1 未找到").arg(column));
    m_buffer[column] = convertIn(column, value);
    m_changed[column] = true;
    if (!m_disabled)
        emit rowChanged(m_row);
}

void ResultSet::edit()
{
    if (m_state == Edit || m_state == Insert)
        return;
    if (m_state == Inactive || !canModify())
        throw DbError(QStringLiteral("不能修改只读数据集"));
    if (recordCount() == 0)
        throw DbError(QStringLiteral("数据集为空，不能编辑"));
    m_buffer = m_table.isEmpty() ? m_rows[m_row] : cachedRow(m_row);
    m_changed = QVector<bool>(m_fields.size(), false);
    m_state = Edit;
    if (!m_disabled)
        emit stateChanged(m_state);
}

void ResultSet::append()
{
    checkBrowseMode();
    if (m_state == Inactive || !canModify())
        throw DbError(QStringLiteral("不能修改只读数据集"));
    m_savedRow = m_row;
    m_keys.append(kNewRow);
    m_buffer = QVector<QVariant>(m_fields.size());
    m_changed = QVector<bool>(m_fields.size(), false);
    m_state = Insert;
    m_row = m_keys.size() - 1;
    m_bof = m_eof = false;
    if (!m_disabled) {
        emit rowInserted(m_row);
        emit stateChanged(m_state);
        emit currentChanged(m_row);
    }
}

void ResultSet::post()
{
    if (m_state != Edit && m_state != Insert)
        return;
    if (!m_disabled)
        emit updateRecord();
    QStringList cols;
    QVector<QVariant> values;
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_changed[i]) {
            cols << m_fields[i].origin;
            values << m_buffer[i];
        }
    const qint64 key = m_keys[m_row];
    QString sql;
    if (m_state == Edit) {
        if (cols.isEmpty()) {
            m_state = Browse;
            if (!m_disabled)
                emit stateChanged(m_state);
            return;
        }
        QStringList sets;
        for (const auto& c : cols)
            sets << c + QStringLiteral("=?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(m_table, sets.join(QLatin1Char(',')));
    } else if (cols.isEmpty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_table);
    } else {
        sql = QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                  .arg(m_table, cols.join(QLatin1Char(',')), QStringList(cols.size(), QStringLiteral("?")).join(QLatin1Char(',')));
    }
    // Inside a transaction a row refused by a column rule would otherwise stay half-stored.
    const bool inner = m_db.inTransaction();
    if (inner)
        sqlite3_exec(m_db.handle(), "SAVEPOINT jx_post", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = m_db.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        bindValue(st, i + 1, values[i]);
    if (m_state == Edit)
        sqlite3_bind_int64(st, values.size() + 1, key);
    const int rc = sqlite3_step(st);
    const QString error = rc == SQLITE_DONE ? QString() : m_db.lastError();
    sqlite3_finalize(st);
    if (inner) {
        if (rc != SQLITE_DONE)
            sqlite3_exec(m_db.handle(), "ROLLBACK TO jx_post", nullptr, nullptr, nullptr);
        sqlite3_exec(m_db.handle(), "RELEASE jx_post", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_DONE)
        throw DbError(error);
    if (m_state == Insert)
        m_keys[m_row] = sqlite3_last_insert_rowid(m_db.handle());
    m_cache.remove(m_keys[m_row]);
    m_buffer.clear();
    m_state = Browse;
    if (!m_disabled) {
        emit rowChanged(m_row);
        emit stateChanged(m_state);
    }
}

void ResultSet::cancel()
{
    if (m_state == Edit) {
        m_state = Browse;
        m_buffer.clear();
        if (!m_disabled) {
            emit rowChanged(m_row);
            emit stateChanged(m_state);
        }
    } else if (m_state == Insert) {
        const int removed = m_row;
        m_keys.removeAt(removed);
        m_buffer.clear();
        m_state = Browse;
        m_row = recordCount() == 0 ? -1 : std::clamp(m_savedRow, 0, recordCount() - 1);
        if (recordCount() == 0)
            m_bof = m_eof = true;
        if (!m_disabled) {
            emit rowRemoved(removed);
            emit stateChanged(m_state);
            emit currentChanged(m_row);
        }
    }
}

void ResultSet::remove()
{
    if (m_state == Insert) {
        cancel();
        return;
    }
    if (m_state == Edit)
        cancel();
    if (m_state == Inactive || !canModify())
        throw DbError(QStringLiteral("不能修改只读数据集"));
    if (recordCount() == 0)
        throw DbError(QStringLiteral("数据集为空，不能删除"));
    sqlite3_stmt* st = m_db.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(m_table));
    sqlite3_bind_int64(st, 1, m_keys[m_row]);
    const int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        throw DbError(m_db.lastError());
    const int removed = m_row;
    m_cache.remove(m_keys[removed]);
    m_keys.removeAt(removed);
    m_row = recordCount() == 0 ? -1 : std::min(removed, recordCount() - 1);
    if (recordCount() == 0)
        m_bof = m_eof = true;
    if (!m_disabled) {
        emit rowRemoved(removed);
        emit currentChanged(m_row);
    }
}

void ResultSet::checkBrowseMode()
{
    if (m_state == Edit || m_state == Insert)
        post();
}

void ResultSet::disableControls()
{
    ++m_disabled;
}

void ResultSet::enableControls()
{
    if (m_disabled > 0 && --m_disabled == 0)
        emit reset();
}

ResultSet::RowReader::RowReader(const ResultSet& set) : m_set(set)
{
    if (!set.m_walkSql.isEmpty())
        m_pass = set.m_db.prepare(set.m_walkSql);
}

ResultSet::RowReader::~RowReader()
{
    if (m_pass)
        sqlite3_finalize(m_pass);
}

QVector<QVariant> ResultSet::RowReader::row(int row)
{
    const ResultSet& rs = m_set;
    const bool pending = row == rs.m_row && (rs.m_state == Edit || rs.m_state == Insert);
    if (m_pass && row == m_next && !pending && row >= 0 && row < rs.m_keys.size()) {
        // The pass follows the set while its rows come in the set's order; any other row
        // (added, removed or changed since the set was read) ends it.
        if (sqlite3_step(m_pass) == SQLITE_ROW && sqlite3_column_int64(m_pass, 0) == rs.m_keys[row]) {
            ++m_next;
            QVector<QVariant> values(rs.m_fields.size());
            for (int i = 0; i < values.size(); ++i)
                values[i] = readValue(m_pass, i + 1, rs.m_fields[i].kind);
            return values;
        }
        sqlite3_finalize(m_pass);
        m_pass = nullptr;
    }
    if (m_pass && row != m_next) {
        sqlite3_finalize(m_pass);
        m_pass = nullptr;
    }
    return rs.rowValues(row);
}
