// Column rules the engine keeps: a refused write is an error and writes nothing.
#include "DbFixture.h"

#include <QLocale>
#include <sqlite3.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

class ColumnRules : public DbFixture {};

TEST_F(ColumnRules, RefusedWritesRaiseAndLeaveNothing)
{
    exec("insert into J_spb(spdm,spmc) values('001','螺丝')");
    const char* refused[] = {
        "insert into J_spb(spdm,spmc) values('0000001','x')",                    // char(6) too long
        "insert into J_spb(spdm,spmc) values('001','dup')",                      // duplicate key
        "insert into J_spb(spdm,spmc) values(null,'no key')",                    // null key
        "insert into J_spb(spdm,zxdj) values('002',100000000)",                  // outside numeric(10,2)
        "insert into J_spb(spdm,zxdj) values('002','abc')",                      // not a number
        "insert into J_cgb(pzh,cgrq) values('CG9','not a date')",                // not a date
        "insert into J_cgb(pzh,cgrq) values('CG9','2026/2/30')",                 // no such day
        "update J_spb set spmc='一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一'", // 31 > char(30)
        "update J_spb set xykc=xykc+99999999.995",
    };
    for (const char* sql : refused) {
        EXPECT_THROW(exec(sql), DbError) << sql;
        EXPECT_EQ(rows("select spdm,spmc,zxdj,xykc from J_spb"), QStringLiteral("001|螺丝|0|0")) << sql;
        EXPECT_EQ(rows("select count(*) from J_cgb"), QStringLiteral("0")) << sql;
    }
    // The same inside a transaction that goes on after the refusal: a refused update used to
    // leave its raw value (1e300 in a numeric(10,2) column) in the transaction.
    exec("insert into J_zjb(je) values(1000)");
    Transaction t(db);
    EXPECT_THROW(exec("update J_zjb set je=1e300"), DbError);
    EXPECT_EQ(rows("select je from J_zjb"), QStringLiteral("1000"));
    for (const char* sql : refused) {
        EXPECT_THROW(exec(sql), DbError) << sql;
        EXPECT_EQ(rows("select spdm,spmc,zxdj,xykc from J_spb"), QStringLiteral("001|螺丝|0|0")) << sql;
        EXPECT_EQ(rows("select count(*) from J_cgb"), QStringLiteral("0")) << sql;
    }
    EXPECT_THROW(exec("update J_spb set zxdj=1e300"), DbError);
    t.commit();
    EXPECT_EQ(rows("select spdm,spmc,zxdj,xykc from J_spb"), QStringLiteral("001|螺丝|0|0"));
    EXPECT_EQ(rows("select je from J_zjb"), QStringLiteral("1000"));
}

TEST_F(ColumnRules, WidthsCountCharactersNotBytes)
{
    exec("insert into J_czyb(czydm,czymc,czymm) values('1001','一二三四五六七八九十','123456')");
    EXPECT_EQ(rows("select czymc from J_czyb"), QStringLiteral("一二三四五六七八九十"));
    EXPECT_THROW(exec("update J_czyb set czymm='1234567'"), DbError);
}

TEST_F(ColumnRules, NumbersKeepTwoDecimalsRoundedToEven)
{
    const struct {
        const char* written;
        const char* stored;
    } cases[] = {
        {"12.345", "12.34"}, {"12.355", "12.36"}, {"'0.125'", "0.12"}, {"-0.125", "-0.12"},
        {"99999999.99", "99999999.99"}, {"-99999999.99", "-99999999.99"}, {"'300'", "300"}, {"1/3", "0.33"},
    };
    for (const auto& c : cases) {
        db.exec(QStringLiteral("delete from J_zjb"));
        db.exec(QStringLiteral("insert into J_zjb(je) values(%1)").arg(QString::fromLatin1(c.written)));
        EXPECT_EQ(rows("select je from J_zjb"), QString::fromLatin1(c.stored)) << c.written;
        db.exec(QStringLiteral("update J_zjb set je=%1").arg(QString::fromLatin1(c.written)));
        EXPECT_EQ(rows("select je from J_zjb"), QString::fromLatin1(c.stored)) << c.written;
    }
}

TEST_F(ColumnRules, BitStoresZeroOrOne)
{
    exec("insert into J_cgb(pzh,fqf) values('A',-1)");
    exec("insert into J_cgb(pzh,fqf) values('B',0)");
    exec("insert into J_cgb(pzh) values('C')");
    exec("insert into J_cgb(pzh,fqf) values('D',true)");
    EXPECT_EQ(rows("select pzh from J_cgb where fqf=1 order by pzh"), QStringLiteral("A;D"));
    EXPECT_EQ(rows("select pzh from J_cgb where fqf=0 order by pzh"), QStringLiteral("B;C"));
}

TEST_F(ColumnRules, OneStatementIsAllOrNothing)
{
    exec("insert into J_spb(spdm,xykc) values('001',1)");
    exec("insert into J_spb(spdm,xykc) values('002',50000000)");
    EXPECT_THROW(exec("update J_spb set xykc=xykc*2"), DbError);
    EXPECT_EQ(rows("select xykc from J_spb order by spdm"), QStringLiteral("1;50000000"));
}

TEST_F(ColumnRules, TransactionRollsBackEverythingOnFailure)
{
    exec("insert into J_zjb(je) values(1000)");
    try {
        Transaction t(db);
        exec("update J_zjb set je=700");
        exec("insert into J_spb(spdm) values('1234567')");
        t.commit();
        ADD_FAILURE();
    } catch (const DbError&) {
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(rows("select je from J_zjb"), QStringLiteral("1000"));
}

// ---- the rule functions' quick paths against their full conversions ----------------------

namespace {

// A private in-memory connection with the rule functions, with or without their quick paths.
class RuleFunctions {
public:
    explicit RuleFunctions(bool quick)
    {
        sqlite3_open(":memory:", &m_db);
        Database::registerFunctions(m_db, quick);
    }
    ~RuleFunctions() { sqlite3_close(m_db); }
    RuleFunctions(const RuleFunctions&) = delete;
    RuleFunctions& operator=(const RuleFunctions&) = delete;

    // "type value" of the call's answer, the value as stored ("integer 12", "real 12.5",
    // "text '12'"), or "error: why".
    std::string answer(const QByteArray& call, const std::function<void(sqlite3_stmt*)>& bind = {})
    {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = "select " + call;
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
            return "cannot prepare: " + std::string(sqlite3_errmsg(m_db));
        if (bind)
            bind(st);
        std::string out;
        if (sqlite3_step(st) == SQLITE_ROW) {
            switch (sqlite3_column_type(st, 0)) {
            case SQLITE_NULL:
                out = "null";
                break;
            case SQLITE_INTEGER:
                out = "integer " + std::to_string(sqlite3_column_int64(st, 0));
                break;
            case SQLITE_FLOAT:
                out = "real " + QString::number(sqlite3_column_double(st, 0), 'g', QLocale::FloatingPointShortest).toStdString();
                break;
            case SQLITE_TEXT:
                out = "text '"
                    + std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), sqlite3_column_bytes(st, 0))
                    + "'";
                break;
            default:
                out = "blob";
            }
        } else {
            out = "error: " + std::string(sqlite3_errmsg(m_db));
        }
        sqlite3_finalize(st);
        return out;
    }

private:
    sqlite3* m_db = nullptr;
};

const std::string kTooLongError = "error: 字段太小而不能接受所要添加的数据的数量。试着插入或粘贴较少的数据。";
const std::string kMismatchError = "error: 标准表达式中数据类型不匹配。";
const std::string kOverflowError = "error: 数值字段溢出。";

} // namespace

// What each rule gives back, value and type, for the inputs a quick path could take for its
// own; both ways must answer alike.
TEST(RuleFunctionAnswers, QuickAndFullConversionsAgree)
{
    const struct {
        const char* call;
        std::string answer;
    } cases[] = {
        // numbers
        {"jx_num(null,10,2)", "null"},
        {"jx_num(12,10,2)", "integer 12"},
        {"jx_num(12.0,10,2)", "integer 12"},
        {"jx_num(12.5,10,2)", "real 12.5"},
        {"jx_num(12.30,10,2)", "real 12.3"},
        {"jx_num(12.345,10,2)", "real 12.34"},
        {"jx_num(12.355,10,2)", "real 12.36"},
        {"jx_num(0.125,10,2)", "real 0.12"},
        {"jx_num(0.1+0.2,10,2)", "real 0.3"},
        {"jx_num(1/3.0,10,2)", "real 0.33"},
        {"jx_num(-0.0,10,2)", "integer 0"},
        {"jx_num(-0.001,10,2)", "integer 0"},
        {"jx_num('-0',10,2)", "integer 0"},
        {"jx_num('3o',10,2)", kMismatchError},
        {"jx_num('',10,2)", kMismatchError},
        {"jx_num('  ',10,2)", kMismatchError},
        {"jx_num('12,5',10,2)", kMismatchError},
        {"jx_num(x'3132',10,2)", kMismatchError},
        {"jx_num('1e5',10,2)", "integer 100000"},
        {"jx_num(1e5,10,2)", "integer 100000"},
        {"jx_num(' 12',10,2)", "integer 12"},
        {"jx_num('12 ',10,2)", "integer 12"},
        {"jx_num('12.',10,2)", "integer 12"},
        {"jx_num('.5',10,2)", "real 0.5"},
        {"jx_num('+7.25',10,2)", "real 7.25"},
        {"jx_num(99999999.99,10,2)", "real 99999999.99"},
        {"jx_num(-99999999.99,10,2)", "real -99999999.99"},
        {"jx_num(99999999.995,10,2)", kOverflowError},
        {"jx_num(99999999,10,2)", "integer 99999999"},
        {"jx_num(-99999999,10,2)", "integer -99999999"},
        {"jx_num(100000000,10,2)", kOverflowError},
        {"jx_num(-100000000,10,2)", kOverflowError},
        {"jx_num(9223372036854775807,10,2)", kOverflowError},
        {"jx_num(1e300,10,2)", kOverflowError},
        {"jx_num('1e400',10,2)", kMismatchError},
        {"jx_num(9007199254740993,18,2)", "real 9007199254740992"},
        {"jx_num(9123456789012345,18,2)", "real 9123456789012344"},
        {"jx_num(1e16,18,2)", kOverflowError},
        {"jx_num(1.23456,12,4)", "real 1.2346"},
        {"jx_num(2.5,6,0)", "integer 2"},
        {"jx_num(3.5,6,0)", "integer 4"},
        {"jx_num(999999.4,6,0)", "integer 999999"},
        {"jx_num(999999.5,6,0)", kOverflowError},
        {"jx_num(0.0004,2,3)", "integer 0"},
        {"jx_num(0.05,2,3)", "real 0.05"},
        {"jx_num(0.1,2,3)", kOverflowError},
        // texts: the width counts characters, whatever their bytes
        {"jx_text(null,5)", "null"},
        {"jx_text(123456,2)", "integer 123456"},
        {"jx_text(1.5,1)", "real 1.5"},
        {"jx_text('',0)", "text ''"},
        {"jx_text('a',0)", kTooLongError},
        {"jx_text('abcde',5)", "text 'abcde'"},
        {"jx_text('abcdef',5)", kTooLongError},
        {"jx_text('一二三四五',5)", "text '一二三四五'"},
        {"jx_text('一二三四五六',5)", kTooLongError},
        {"jx_text('一二三四五',4)", kTooLongError},
        {"jx_text('ab中',3)", "text 'ab中'"},
        {"jx_text(' 中 ',3)", "text ' 中 '"},
        {"jx_text('𠀀𠀀',2)", "text '𠀀𠀀'"},
        {"jx_text('𠀀𠀀𠀀',2)", kTooLongError},
        {"hex(jx_text(cast(x'610062' as text),3))", "text '610062'"},
        {"jx_text(cast(x'610062' as text),2)", kTooLongError},
        {"jx_text(cast(x'C0AF' as text),1)", kTooLongError},
        {"jx_text(cast(x'C0AF' as text),2)", "text '\xC0\xAF'"},
        {"jx_text(cast(x'EFBBBF61' as text),1)", "text '\xEF\xBB\xBF" "a'"},
        {"jx_text(cast(x'EDA080' as text),1)", kTooLongError},
        // dates: the stored form is "yyyy-MM-dd"
        {"jx_date(null)", "null"},
        {"jx_date('2026-02-03')", "text '2026-02-03'"},
        {"jx_date('2026-2-3')", "text '2026-02-03'"},
        {"jx_date('2026/2/3')", "text '2026-02-03'"},
        {"jx_date('2026.02.03')", "text '2026-02-03'"},
        {"jx_date(' 2026-02-03')", "text '2026-02-03'"},
        {"jx_date('2026-02-03 ')", "text '2026-02-03'"},
        {"jx_date('#2026-02-03#')", "text '2026-02-03'"},
        {"jx_date('2026-02-03 00:00:00')", "text '2026-02-03'"},
        {"jx_date('2026-02-03 08:05:00')", "text '2026-02-03 08:05:00'"},
        {"jx_date('2026-02-03T08:05')", "text '2026-02-03 08:05:00'"},
        {"jx_date('2026-02-30')", kMismatchError},
        {"jx_date('2024-02-29')", "text '2024-02-29'"},
        {"jx_date('2025-02-29')", kMismatchError},
        {"jx_date('1900-02-29')", kMismatchError},
        {"jx_date('2000-02-29')", "text '2000-02-29'"},
        {"jx_date('2026-13-01')", kMismatchError},
        {"jx_date('2026-00-10')", kMismatchError},
        {"jx_date('2026-01-00')", kMismatchError},
        {"jx_date('2026-01-32')", kMismatchError},
        {"jx_date('0000-01-01')", kMismatchError},
        {"jx_date('0001-01-01')", "text '0001-01-01'"},
        {"jx_date('9999-12-31')", "text '9999-12-31'"},
        {"jx_date('2026_02_03')", kMismatchError},
        {"jx_date('2026-02-3x')", kMismatchError},
        {"jx_date('２０２６-02-03')", kMismatchError},
        {"jx_date(20260203)", kMismatchError},
        {"jx_date('')", kMismatchError},
        // bits
        {"jx_bit(null)", "integer 0"},
        {"jx_bit(-1)", "integer 1"},
        {"jx_bit(0.0)", "integer 0"},
        {"jx_bit(' True ')", "integer 1"},
        {"jx_bit('false')", "integer 0"},
        {"jx_bit('3o')", kMismatchError},
    };
    RuleFunctions quick(true);
    RuleFunctions full(false);
    for (const auto& c : cases) {
        EXPECT_EQ(full.answer(c.call), c.answer) << c.call;
        EXPECT_EQ(quick.answer(c.call), c.answer) << c.call;
    }
}

// The same over many generated inputs, where no answer is written down: only agreement counts.
TEST(RuleFunctionAnswers, QuickAndFullConversionsAgreeOnGeneratedInputs)
{
    RuleFunctions quick(true);
    RuleFunctions full(false);
    const auto agree = [&](const QByteArray& call, const std::function<void(sqlite3_stmt*)>& bind, const QByteArray& shown) {
        const std::string expected = full.answer(call, bind);
        EXPECT_EQ(quick.answer(call, bind), expected) << call.constData() << " of " << shown.constData();
    };

    // Days around every month's end, in leap and common years and the calendar's edges,
    // written in the stored form and in forms the full conversion rewrites.
    for (int year : {0, 1, 99, 100, 1582, 1752, 1899, 1900, 1970, 2000, 2024, 2026, 2100, 9999}) {
        for (int month = 0; month <= 13; ++month) {
            for (int day = 0; day <= 32; ++day) {
                const QByteArray shapes[] = {
                    QString::asprintf("%04d-%02d-%02d", year, month, day).toUtf8(),
                    QString::asprintf("%d-%d-%d", year, month, day).toUtf8(),
                    QString::asprintf("%04d/%02d/%02d", year, month, day).toUtf8(),
                };
                for (const QByteArray& date : shapes)
                    agree("jx_date(?1)", [&](sqlite3_stmt* st) { sqlite3_bind_text(st, 1, date.constData(), int(date.size()), SQLITE_TRANSIENT); }, date);
            }
        }
    }

    // Numbers as reals, whole numbers and texts, over the columns' precisions and scales,
    // up to and past each column's limit.
    const int columns[][2] = {{10, 2}, {18, 2}, {12, 4}, {6, 0}, {8, 3}, {2, 3}, {24, 2}, {14, 2}, {15, 2}, {14, 0}, {14, 14}, {15, 0}};
    QList<double> values;
    for (int k = -400; k <= 400; ++k)
        for (double scale : {0.0001, 0.0005, 0.005, 0.01, 1.0, 12345.678, 2.5e5, 99999999.995 / 400, 1e15 / 400})
            values << k * scale;
    for (double v : {99999999.99, 99999999.994999, 99999999.995, 1e8, 999999.5, 9e15, 9.1e15, 1e16, 1e22, 1e23, 5e-324})
        values << v << -v;
    QList<sqlite3_int64> wholes = {std::numeric_limits<sqlite3_int64>::max(), std::numeric_limits<sqlite3_int64>::min()};
    for (sqlite3_int64 power = 1; power <= 1000000000000000000; power *= 10)
        wholes << power - 1 << power << power + 1 << 1 - power << -power << -power - 1;
    for (sqlite3_int64 power : {sqlite3_int64(1) << 43, sqlite3_int64(1) << 53})
        wholes << power - 1 << power << power + 1 << -power << -power - 1;
    for (double v : values)
        if (v == std::floor(v) && std::fabs(v) < 9.2e18)
            wholes << static_cast<sqlite3_int64>(v);
    for (const auto& column : columns) {
        const QByteArray call = QStringLiteral("jx_num(?1,%1,%2)").arg(column[0]).arg(column[1]).toUtf8();
        for (double v : values) {
            const QByteArray shown = QByteArray::number(v, 'g', 17);
            agree(call, [&](sqlite3_stmt* st) { sqlite3_bind_double(st, 1, v); }, shown);
            agree(call, [&](sqlite3_stmt* st) { sqlite3_bind_text(st, 1, shown.constData(), int(shown.size()), SQLITE_TRANSIENT); }, shown);
        }
        for (sqlite3_int64 i : wholes)
            agree(call, [&](sqlite3_stmt* st) { sqlite3_bind_int64(st, 1, i); }, QByteArray::number(i));
    }

    // Texts of one- to four-byte characters and broken bytes, one character on either side
    // of each width.
    const QByteArray pieces[] = {"a", " ", "中", "é", "\xF0\xA0\x80\x80", "\xC0", "\xE4\xB8", "\x80", "\xED\xA0\x80",
                                 "\xF4\x90\x80\x80", "\xEF\xBB\xBF", QByteArray("\0", 1)};
    QList<QByteArray> texts = {QByteArray()};
    QList<QByteArray> shorter = texts;
    for (int n = 1; n <= 3; ++n) {
        QList<QByteArray> longer;
        for (const QByteArray& t : shorter)
            for (const QByteArray& p : pieces)
                longer << t + p;
        texts << longer;
        shorter = longer;
    }
    for (const QByteArray& text : texts) {
        for (int width = 0; width <= 12; ++width) {
            agree(QStringLiteral("jx_text(?1,%1)").arg(width).toUtf8(),
                  [&](sqlite3_stmt* st) { sqlite3_bind_text(st, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT); }, text.toHex());
        }
    }
}
