#include "db/Database.h"

#include "db/SqlText.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <cmath>

namespace {

const char* kTooLong = "字段太小而不能接受所要添加的数据的数量。试着插入或粘贴较少的数据。";
const char* kMismatch = "标准表达式中数据类型不匹配。";
const char* kOverflow = "数值字段溢出。";

QString valueText(sqlite3_value* v)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

// Set by registerFunctions unless a test asks for the conversions alone: the quick paths
// answer the common inputs without them, and must answer exactly as they would.
bool quickPaths(sqlite3_context* ctx)
{
    return sqlite3_user_data(ctx) != nullptr;
}

// Code points of well-formed UTF-8, or -1 where Qt would have to repair the bytes (overlong
// forms, surrogates, stray bytes) or might drop a leading byte-order mark.
int codePoints(const unsigned char* s, int n)
{
    if (n >= 3 && s[0] == 0xEF && s[1] == 0xBB && s[2] == 0xBF)
        return -1;
    int count = 0;
    for (int i = 0; i < n; ++count) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len = 0;
        unsigned char lo = 0x80, hi = 0xBF; // the second byte's range
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            lo = c == 0xE0 ? 0xA0 : 0x80;
            hi = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return -1;
        }
        if (n - i < len || s[i + 1] < lo || s[i + 1] > hi)
            return -1;
        for (int k = 2; k < len; ++k)
            if ((s[i + k] & 0xC0) != 0x80)
                return -1;
        i += len;
    }
    return count;
}

// jx_text(value, width): refuses a text longer than the column.
void fnText(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const int width = sqlite3_value_int(argv[1]);
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
        int length = -1;
        if (quickPaths(ctx)) {
            // Every row written passes here: no more bytes than the width always fits, and
            // well-formed bytes count their characters without a QString.
            const unsigned char* bytes = sqlite3_value_text(argv[0]);
            const int size = sqlite3_value_bytes(argv[0]);
            length = size <= width ? size : codePoints(bytes, size);
        }
        if (length < 0) {
            // Width counts characters, not bytes: a Chinese name of 10 characters fits char(10).
            const QString s = valueText(argv[0]);
            length = s.size() > width ? int(s.toUcs4().size()) : 0;
        }
        if (length > width) {
            sqlite3_result_error(ctx, kTooLong, -1);
            return;
        }
    }
    sqlite3_result_value(ctx, argv[0]);
}

bool numberOf(sqlite3_value* v, double* out)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        *out = sqlite3_value_double(v);
        return true;
    case SQLITE_TEXT: {
        const QString s = valueText(v);
        if (!isNumber(s))
            return false;
        *out = s.trimmed().toDouble();
        return true;
    }
    default:
        return false;
    }
}

// pow() costs more than the rest of a number's rule; these powers are exact doubles, as
// pow() gives them.
double powerOfTen(int n, bool quick)
{
    static const double exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    return quick && n >= 0 && n <= 22 ? exact[n] : std::pow(10.0, n);
}

// jx_num(value, precision, scale): keeps `scale` decimals (ties to even) and refuses a
// value with more integer digits than the column holds.
void fnNum(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const bool quick = quickPaths(ctx);
    const int precision = sqlite3_value_int(argv[1]);
    const int scale = sqlite3_value_int(argv[2]);
    // A whole number that fits is its own answer: at 14 digits or fewer, decimals included,
    // every step of the rounding below is exact and gives it back unchanged.
    if (quick && sqlite3_value_type(argv[0]) == SQLITE_INTEGER && scale >= 0 && scale <= precision && precision <= 14) {
        const sqlite3_int64 i = sqlite3_value_int64(argv[0]);
        const auto limit = static_cast<sqlite3_int64>(powerOfTen(precision - scale, true));
        if (i < limit && i > -limit) {
            sqlite3_result_int64(ctx, i);
            return;
        }
    }
    double x = 0;
    if (!numberOf(argv[0], &x) || !std::isfinite(x)) {
        sqlite3_result_error(ctx, kMismatch, -1);
        return;
    }
    const double unit = powerOfTen(scale, quick);
    double rounded = scale == 2 ? round2(x) : std::nearbyint(x * unit) / unit;
    if (rounded == 0)
        rounded = 0; // no "-0"
    if (std::fabs(rounded) >= powerOfTen(precision - scale, quick)) {
        sqlite3_result_error(ctx, kOverflow, -1);
        return;
    }
    if (rounded == std::floor(rounded) && std::fabs(rounded) < 9e15)
        sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(rounded));
    else
        sqlite3_result_double(ctx, rounded);
}

void fnBit(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    double x = 0;
    if (!numberOf(argv[0], &x)) {
        const QString s = valueText(argv[0]).trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            x = 1;
        else if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            x = 0;
        else {
            sqlite3_result_error(ctx, kMismatch, -1);
            return;
        }
    }
    sqlite3_result_int(ctx, x != 0 ? 1 : 0);
}

// A valid day written "yyyy-MM-dd" in ASCII digits: the stored form, which its
// conversion gives back unchanged.
bool isStoredDate(sqlite3_value* v)
{
    if (sqlite3_value_type(v) != SQLITE_TEXT)
        return false;
    const unsigned char* s = sqlite3_value_text(v);
    if (sqlite3_value_bytes(v) != 10 || s[4] != '-' || s[7] != '-')
        return false;
    int digits[10];
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        digits[i] = s[i] - '0';
    }
    const int year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    return QDate::isValid(year, digits[5] * 10 + digits[6], digits[8] * 10 + digits[9]);
}

void fnDate(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    // Every stored date passes here again whenever its row is written or copied.
    if (quickPaths(ctx) && isStoredDate(argv[0])) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    bool ok = false;
    const QString canon = sqlite3_value_type(argv[0]) == SQLITE_TEXT ? canonicalDateText(valueText(argv[0]), &ok) : QString();
    if (!ok) {
        sqlite3_result_error(ctx, kMismatch, -1);
        return;
    }
    const QByteArray utf8 = canon.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
}

template <int Part>
void fnDatePart(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const QDateTime dt = parseDateText(valueText(argv[0]));
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || !dt.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    const QDate d = dt.date();
    sqlite3_result_int(ctx, Part == 0 ? d.year() : Part == 1 ? d.month() : d.day());
}

void fnToday(sqlite3_context* ctx, int, sqlite3_value**)
{
    const QByteArray s = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    sqlite3_result_text(ctx, s.constData(), s.size(), SQLITE_TRANSIENT);
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**)
{
    const QByteArray s = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
    sqlite3_result_text(ctx, s.constData(), s.size(), SQLITE_TRANSIENT);
}

QString firstWord(const QString& sql)
{
    const QString t = sql.trimmed();
    int i = 0;
    while (i < t.size() && t[i].isLetter())
        ++i;
    return t.left(i).toLower();
}

} // namespace

Database::~Database()
{
    close();
}

Database& Database::shared()
{
    static Database db;
    return db;
}

namespace {

// Pages of 4 KB halve the page reads and decryptions of a long table against the 1 KB of
// the files the earlier versions wrote, which are converted when first opened.
constexpr int kPageSize = 4096;
constexpr int kOldPageSize = 1024;

int execText(sqlite3* db, const QString& sql)
{
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

// A keyed connection whose first read proved the key and page layout, or null with the
// engine's reason.
sqlite3* connect(const QString& fileName, const QString& key, int pageSize, QString* error)
{
    // The program's one connection is used by one thread only, so the engine need not lock
    // around every call, nor count its memory under a lock: that is a tenth of a long read.
    // The count can only be turned off before the engine's first use; later it stays on.
    static const bool uncounted = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    Q_UNUSED(uncounted);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(fileName.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        return nullptr;
    }
    // Reading the schema proves the key; a damaged file, another key or layout fails here.
    if (execText(db, QStringLiteral("PRAGMA key = %1;").arg(quoted(key))) != SQLITE_OK
        || execText(db, QStringLiteral("PRAGMA cipher_page_size = %1;").arg(pageSize)) != SQLITE_OK
        || sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

qint64 singleNumber(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    qint64 n = -1;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return n;
}

QString singleText(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    QString text;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return text;
}

// Row count of every table, by name.
QHash<QString, qint64> rowCounts(sqlite3* db)
{
    QStringList names;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'", -1, &st,
                           nullptr)
        == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    QHash<QString, qint64> counts;
    for (const QString& name : names)
        counts.insert(name, singleNumber(db, QStringLiteral("SELECT count(*) FROM \"%1\"").arg(name)));
    return counts;
}

void removeWithSidecars(const QString& file)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(file + QLatin1String(suffix));
}

// Writes the old file's content into a new file of the current layout, checks that the
// new file is whole and holds every row, then puts it in the old file's place; the old
// file stays beside it as name + ".bak". Takes the old connection and closes it. Throws
// DbError with the file as it was when any step fails.
void convertLayout(sqlite3* old, const QString& fileName, const QString& key)
{
    const QString fresh = fileName + QStringLiteral(".convert");
    const QString kept = fileName + QStringLiteral(".bak");
    auto fail = [&](const QString& why) {
        removeWithSidecars(fresh);
        throw DbError(QStringLiteral("数据库文件格式转换失败：%1").arg(why));
    };
    removeWithSidecars(fresh);
    // Rows are copied under the column rules of their tables.
    Database::registerFunctions(old);
    const QHash<QString, qint64> before = rowCounts(old);
    const qint64 version = singleNumber(old, QStringLiteral("PRAGMA user_version"));
    const bool copied = execText(old, QStringLiteral("ATTACH DATABASE %1 AS jx_fresh KEY %2;").arg(quoted(fresh), quoted(key))) == SQLITE_OK
                        && execText(old, QStringLiteral("PRAGMA jx_fresh.cipher_page_size = %1;").arg(kPageSize)) == SQLITE_OK
                        && execText(old, QStringLiteral("SELECT sqlcipher_export('jx_fresh');")) == SQLITE_OK
                        && execText(old, QStringLiteral("PRAGMA jx_fresh.user_version = %1;").arg(version)) == SQLITE_OK;
    const QString copyError = QString::fromUtf8(sqlite3_errmsg(old));
    execText(old, QStringLiteral("DETACH DATABASE jx_fresh;"));
    sqlite3_close(old);
    if (!copied)
        fail(copyError);

    QString error;
    sqlite3* check = connect(fresh, key, kPageSize, &error);
    if (!check)
        fail(error);
    Database::registerFunctions(check);
    const bool whole = singleText(check, "PRAGMA integrity_check") == QLatin1String("ok") && rowCounts(check) == before;
    sqlite3_close(check);
    if (!whole)
        fail(QStringLiteral("新文件与原文件不一致"));

    removeWithSidecars(kept);
    if (!QFile::rename(fileName, kept))
        fail(QStringLiteral("无法改名 %1").arg(fileName));
    QFile::remove(fileName + QStringLiteral("-journal")); // rolled back already by the reads above
    if (!QFile::rename(fresh, fileName)) {
        QFile::rename(kept, fileName);
        fail(QStringLiteral("无法改名 %1").arg(fresh));
    }
}

} // namespace

void Database::open(const QString& fileName, const QString& key)
{
    close();
    const bool existed = QFileInfo(fileName).size() > 0;
    QString error;
    sqlite3* db = connect(fileName, key, kPageSize, &error);
    if (!db && existed) {
        QString ignored;
        if (sqlite3* old = connect(fileName, key, kOldPageSize, &ignored)) {
            convertLayout(old, fileName, key);
            db = connect(fileName, key, kPageSize, &error);
        }
    }
    if (!db)
        throw DbError(error);
    if (!existed && sqlite3_exec(db, "PRAGMA user_version = 1;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        throw DbError(error);
    }
    // Write-ahead logging with a full sync per commit: a booking costs one sync of the log
    // and nothing committed is less safe than with the rollback journal. Where the log
    // cannot be had (a read-only folder), the file keeps its rollback journal.
    sqlite3_exec(db, "PRAGMA journal_mode = WAL;", nullptr, nullptr, nullptr);
    if (sqlite3_exec(db, "PRAGMA synchronous = FULL;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        throw DbError(error);
    }
    // Every page read is also a decryption: a year's summary walks far more pages than the
    // default 2 MB cache holds, so it would decrypt the goods table again and again.
    sqlite3_exec(db, "PRAGMA cache_size = -65536;", nullptr, nullptr, nullptr);
    m_db = db;
    m_fileName = fileName;
    registerFunctions(m_db);
    m_catalogueLoaded = false;
}

void Database::close()
{
    for (sqlite3_stmt* st : std::as_const(m_prepared))
        sqlite3_finalize(st);
    m_prepared.clear();
    for (const KeptRead& read : std::as_const(m_reads))
        sqlite3_finalize(read.st);
    m_reads.clear();
    m_readShapes.clear();
    if (m_db) {
        // Folds the log into the file and empties it, so a closed program leaves the file
        // alone (the engine removes the log when the last connection goes).
        sqlite3_exec(m_db, "PRAGMA wal_checkpoint(TRUNCATE);", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_catalogue = {};
    m_catalogueLoaded = false;
    m_translations.clear();
    m_unchangedShapes.clear();
}

void Database::registerFunctions(sqlite3* handle, bool quickPaths)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    static char quick;
    void* rules = quickPaths ? &quick : nullptr;
    sqlite3_create_function(handle, "jx_text", 2, flags, rules, fnText, nullptr, nullptr);
    sqlite3_create_function(handle, "jx_num", 3, flags, rules, fnNum, nullptr, nullptr);
    sqlite3_create_function(handle, "jx_bit", 1, flags, nullptr, fnBit, nullptr, nullptr);
    sqlite3_create_function(handle, "jx_date", 1, flags, rules, fnDate, nullptr, nullptr);
    sqlite3_create_function(handle, "jx_year", 1, flags, nullptr, fnDatePart<0>, nullptr, nullptr);
    sqlite3_create_function(handle, "jx_month", 1, flags, nullptr, fnDatePart<1>, nullptr, nullptr);
    sqlite3_create_function(handle, "jx_day", 1, flags, nullptr, fnDatePart<2>, nullptr, nullptr);
    sqlite3_create_function(handle, "date", 0, SQLITE_UTF8, nullptr, fnToday, nullptr, nullptr);
    sqlite3_create_function(handle, "now", 0, SQLITE_UTF8, nullptr, fnNow, nullptr, nullptr);
}

void Database::loadCatalogue()
{
    m_translations.clear();
    m_unchangedShapes.clear();
    m_catalogue = {};
    for (const QString& table : tableNames()) {
        sqlite3_stmt* st = prepare(QStringLiteral("PRAGMA table_info(%1)").arg(table));
        while (sqlite3_step(st) == SQLITE_ROW) {
            const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))).toLower();
            const ColumnKind kind = kindOfDeclType(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
            if (kind == ColumnKind::Date)
                m_catalogue.dateColumns.insert(name);
            else if (kind == ColumnKind::Text)
                m_catalogue.textColumns.insert(name);
        }
        sqlite3_finalize(st);
    }
    m_catalogueLoaded = true;
}

ColumnKind Database::kindOfDeclType(const char* declType)
{
    if (!declType)
        return ColumnKind::Other;
    const QString t = QString::fromUtf8(declType).toLower();
    if (t.contains(QLatin1String("date")) || t.contains(QLatin1String("time")))
        return ColumnKind::Date;
    if (t.startsWith(QLatin1String("char")) || t.contains(QLatin1String("text")) || t.contains(QLatin1String("varchar")))
        return ColumnKind::Text;
    if (t == QLatin1String("bit"))
        return ColumnKind::Bool;
    if (t.startsWith(QLatin1String("numeric")) || t.contains(QLatin1String("int")) || t.contains(QLatin1String("real"))
        || t.contains(QLatin1String("decimal")) || t.contains(QLatin1String("double")) || t.contains(QLatin1String("float")))
        return ColumnKind::Number;
    return ColumnKind::Other;
}

QString Database::lastError() const
{
    if (!m_db)
        return QStringLiteral("数据库未连接");
    const QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
    // The engine's own words for the refusals an operator can cause.
    if (text.startsWith(QLatin1String("UNIQUE constraint failed")))
        return QStringLiteral("由于将在索引、主关键字或关系中创建重复的值，请求对表的改变没有成功。（%1）").arg(text.mid(26));
    if (text.startsWith(QLatin1String("NOT NULL constraint failed")))
        return QStringLiteral("索引或主关键字不能包含一个空（Null）值。（%1）").arg(text.mid(28));
    return text;
}

namespace {

constexpr int kKeptTranslations = 4096;

// Where the quoted literal opened at `open` closes (a doubled quote inside stays part of it),
// or -1 when it does not.
qsizetype literalEnd(const QString& sql, qsizetype open)
{
    const qsizetype n = sql.size();
    for (qsizetype j = open + 1; j < n; ++j) {
        if (sql[j] != QLatin1Char('\''))
            continue;
        if (j + 1 < n && sql[j + 1] == QLatin1Char('\''))
            ++j;
        else
            return j;
    }
    return -1;
}

// The text with the content of each quoted literal replaced by a date in a form that is not
// the stored one, so that a literal the translation reads as a date shows as changed. Empty
// for a text whose translation may hang on what its literals hold (a "+" between texts,
// double-quoted or #date# literals, bracketed names, table definitions).
QString literalShape(const QString& sql)
{
    static const QString placeholder = QStringLiteral("2000/1/1");
    for (const QChar c : sql)
        if (c == QLatin1Char('+') || c == QLatin1Char('"') || c == QLatin1Char('#') || c == QLatin1Char('['))
            return {};
    if (firstWord(sql) == QLatin1String("create"))
        return {};
    QString shape;
    shape.reserve(sql.size());
    const qsizetype n = sql.size();
    // The text between literals goes over whole: this runs for every statement sent.
    qsizetype i = 0;
    while (i < n) {
        const qsizetype quote = sql.indexOf(QLatin1Char('\''), i);
        if (quote < 0) {
            shape += QStringView(sql).mid(i);
            break;
        }
        shape += QStringView(sql).mid(i, quote + 1 - i);
        shape += placeholder;
        const qsizetype end = literalEnd(sql, quote);
        if (end < 0)
            break;
        shape += QLatin1Char('\'');
        i = end + 1;
    }
    return shape;
}

} // namespace

QStringList Database::statementsOf(const QString& jetSql)
{
    if (!m_catalogueLoaded)
        loadCatalogue();
    const auto known = m_translations.constFind(jetSql);
    if (known != m_translations.cend())
        return known.value();
    // The screens send the same statements again and again with another voucher number or
    // name in them: most of them translate to themselves, which their shape tells.
    const QString shape = literalShape(jetSql);
    if (!shape.isEmpty()) {
        auto unchanged = m_unchangedShapes.constFind(shape);
        if (unchanged == m_unchangedShapes.cend()) {
            if (m_unchangedShapes.size() >= kKeptTranslations)
                m_unchangedShapes.clear();
            unchanged = m_unchangedShapes.insert(shape, translateJet(shape, m_catalogue) == QStringList{shape});
        }
        if (unchanged.value())
            return {jetSql};
    }
    const QStringList statements = translateJet(jetSql, m_catalogue);
    if (m_translations.size() >= kKeptTranslations)
        m_translations.clear();
    m_translations.insert(jetSql, statements);
    return statements;
}

QString Database::translate(const QString& jetSql)
{
    if (!m_db)
        throw DbError(QStringLiteral("数据库未连接"));
    return statementsOf(jetSql).join(QStringLiteral(";\n"));
}

sqlite3_stmt* Database::prepare(const QString& sqliteText)
{
    if (!m_db)
        throw DbError(QStringLiteral("数据库未连接"));
    sqlite3_stmt* st = nullptr;
    const QByteArray utf8 = sqliteText.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), utf8.size(), &st, nullptr) != SQLITE_OK) {
        const QString err = lastError();
        sqlite3_finalize(st);
        throw DbError(err);
    }
    return st;
}

namespace {

// Shapes kept at most; a screen re-reads a handful of them.
constexpr int kKeptReads = 64;

// The select with each quoted literal it compares against (after =, <>, <, >, <=, >=, like,
// between and its and) made a parameter, and those literals' values. Literals of the select
// list stay, so the column names stay; a text with identifiers in quotes, parameters or
// comments is not shaped at all.
bool readShape(const QString& text, QString* shape, QStringList* values)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (text[i].isSpace() || text[i] == QLatin1Char('(')))
        ++i;
    if (text.mid(i, 6).compare(QLatin1String("select"), Qt::CaseInsensitive) != 0)
        return false;
    shape->clear();
    shape->reserve(n);
    values->clear();
    QString previous;         // the token before, words in lower case
    bool pastFrom = false;    // past the first FROM outside parentheses
    bool betweenOpen = false; // a between's first literal became a parameter
    int depth = 0;
    qsizetype copied = 0;
    while (i < n) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u == '\'') {
            const qsizetype j = literalEnd(text, i);
            if (j < 0)
                return false;
            const bool compared = previous == QLatin1String("=") || previous == QLatin1String("<>")
                || previous == QLatin1String("!=") || previous == QLatin1String("<") || previous == QLatin1String(">")
                || previous == QLatin1String("<=") || previous == QLatin1String(">=") || previous == QLatin1String("like")
                || previous == QLatin1String("between") || (previous == QLatin1String("and") && betweenOpen);
            if (pastFrom && compared) {
                shape->append(QStringView(text).mid(copied, i - copied));
                shape->append(QLatin1Char('?'));
                values->append(text.mid(i + 1, j - i - 1).replace(QLatin1String("''"), QLatin1String("'")));
                copied = j + 1;
                betweenOpen = previous == QLatin1String("between");
            } else {
                betweenOpen = false;
            }
            previous = QStringLiteral("'");
            i = j + 1;
            continue;
        }
        if (u == '"' || u == '[' || u == '`' || u == '?' || u == ':' || u == '@' || u == '$' || u == ';')
            return false;
        if ((u == '-' && i + 1 < n && text[i + 1] == QLatin1Char('-'))
            || (u == '/' && i + 1 < n && text[i + 1] == QLatin1Char('*')))
            return false;
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c.isLetterOrNumber() || u == '_') {
            qsizetype j = i;
            while (j < n && (text[j].isLetterOrNumber() || text[j] == QLatin1Char('_') || text[j] == QLatin1Char('.')))
                ++j;
            previous = text.mid(i, j - i).toLower();
            if (depth == 0 && previous == QLatin1String("from"))
                pastFrom = true;
            i = j;
            continue;
        }
        if (u == '=' || u == '<' || u == '>' || u == '!') {
            qsizetype j = i;
            while (j < n && (text[j] == QLatin1Char('=') || text[j] == QLatin1Char('<') || text[j] == QLatin1Char('>')
                             || text[j] == QLatin1Char('!')))
                ++j;
            previous = text.mid(i, j - i);
            i = j;
            continue;
        }
        if (u == '(')
            ++depth;
        else if (u == ')')
            --depth;
        previous = QString(c);
        ++i;
    }
    shape->append(QStringView(text).mid(copied));
    return true;
}

} // namespace

sqlite3_stmt* Database::prepareRead(const QString& sqliteText)
{
    QString shape;
    QStringList values;
    if (!m_db || !readShape(sqliteText, &shape, &values))
        return prepare(sqliteText);
    auto it = m_reads.find(shape);
    if (it == m_reads.end()) {
        if (m_reads.size() >= kKeptReads)
            dropReads();
        sqlite3_stmt* st = nullptr;
        const QByteArray utf8 = shape.toUtf8();
        if (sqlite3_prepare_v2(m_db, utf8.constData(), utf8.size(), &st, nullptr) != SQLITE_OK || !st
            || sqlite3_bind_parameter_count(st) != values.size()) {
            // Whatever the shape cannot say, the text itself says, errors included; the shape
            // is remembered as one to leave alone.
            sqlite3_finalize(st);
            m_reads.insert(shape, KeptRead{});
            return prepare(sqliteText);
        }
        it = m_reads.insert(shape, KeptRead{st, false});
        m_readShapes.insert(st, shape);
    } else if (!it->st || it->out) {
        return prepare(sqliteText); // a shape left alone, or read twice at once
    }
    sqlite3_stmt* st = it->st;
    for (int v = 0; v < values.size(); ++v) {
        const QByteArray utf8 = values[v].toUtf8();
        sqlite3_bind_text(st, v + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    it->out = true;
    return st;
}

void Database::release(sqlite3_stmt* st)
{
    const auto shape = m_readShapes.constFind(st);
    if (shape == m_readShapes.cend()) {
        sqlite3_finalize(st);
        return;
    }
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    m_reads[shape.value()].out = false;
}

void Database::dropReads()
{
    // Only those not out with a caller can go; the rest are finalized when given back.
    for (auto it = m_reads.begin(); it != m_reads.end();) {
        if (it->out) {
            ++it;
            continue;
        }
        m_readShapes.remove(it->st);
        sqlite3_finalize(it->st);
        it = m_reads.erase(it);
    }
}

sqlite3_stmt* Database::preparedOnce(const QString& sqliteText)
{
    sqlite3_stmt*& st = m_prepared[sqliteText];
    if (!st) {
        try {
            st = prepare(sqliteText);
        } catch (...) {
            m_prepared.remove(sqliteText);
            throw;
        }
        return st;
    }
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    return st;
}

void Database::execNative(const QString& sqliteText)
{
    sqlite3_stmt* st = prepare(sqliteText);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        const QString err = lastError();
        sqlite3_finalize(st);
        throw DbError(err);
    }
    sqlite3_finalize(st);
}

void Database::exec(const QString& jetSql)
{
    if (!m_db)
        throw DbError(QStringLiteral("数据库未连接"));
    const QStringList statements = statementsOf(jetSql);
    const QString word = firstWord(jetSql);
    const bool ddl = word == QLatin1String("create") || word == QLatin1String("drop") || word == QLatin1String("alter");
    // Outside a transaction a refused statement undoes itself. Inside one the engine undoes
    // a statement only when it expects it may abort, which a refusal by a column rule is not:
    // the savepoint keeps a refused statement from leaving its raw value in the transaction.
    if (statements.size() == 1 && !inTransaction()) {
        execNative(statements.first());
    } else {
        // A table and its rule triggers come into being together or not at all.
        execNative(QStringLiteral("SAVEPOINT jx_exec"));
        try {
            for (const QString& s : statements)
                execNative(s);
        } catch (...) {
            execNative(QStringLiteral("ROLLBACK TO jx_exec"));
            execNative(QStringLiteral("RELEASE jx_exec"));
            throw;
        }
        execNative(QStringLiteral("RELEASE jx_exec"));
    }
    if (ddl)
        loadCatalogue();
}

QVariant Database::firstValue(const QString& jetSql)
{
    sqlite3_stmt* st = prepareRead(translate(jetSql));
    const int rc = sqlite3_step(st);
    QVariant value;
    if (rc == SQLITE_ROW) {
        switch (sqlite3_column_type(st, 0)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            value = sqlite3_column_double(st, 0);
            break;
        case SQLITE_NULL:
            break;
        default:
            value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), sqlite3_column_bytes(st, 0));
        }
    }
    const bool failed = rc != SQLITE_ROW && rc != SQLITE_DONE;
    const QString error = failed ? lastError() : QString();
    release(st);
    if (failed)
        throw DbError(error);
    return value;
}

int Database::changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

QStringList Database::tableNames()
{
    QStringList names;
    sqlite3_stmt* st = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (sqlite3_step(st) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return names;
}

bool Database::hasTable(const QString& name)
{
    return tableNames().contains(name, Qt::CaseInsensitive);
}

namespace {

// Every booking begins and ends a transaction: these are compiled once, not each time.
void runPrepared(Database& db, const QString& sqliteText)
{
    sqlite3_stmt* st = db.preparedOnce(sqliteText);
    const int rc = sqlite3_step(st);
    const QString err = rc == SQLITE_DONE ? QString() : db.lastError();
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        throw DbError(err);
}

} // namespace

void Database::begin()
{
    runPrepared(*this, QStringLiteral("BEGIN"));
}

void Database::commit()
{
    runPrepared(*this, QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    if (inTransaction())
        runPrepared(*this, QStringLiteral("ROLLBACK"));
}

bool Database::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

Transaction::Transaction(Database& db) : m_db(db)
{
    m_db.begin();
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.rollback();
        } catch (...) {
        }
    }
}

ReadTransaction::ReadTransaction(Database& db) : m_db(db), m_own(db.isOpen() && !db.inTransaction())
{
    if (m_own)
        m_db.begin();
}

ReadTransaction::~ReadTransaction()
{
    if (m_own && m_db.inTransaction()) {
        try {
            m_db.commit();
        } catch (...) {
            try {
                m_db.rollback();
            } catch (...) {
            }
        }
    }
}

void Transaction::commit()
{
    m_db.commit();
    m_done = true;
}
