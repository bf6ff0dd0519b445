// What an operator can type into a box, at its worst: quotes, backslashes, the like-pattern
// signs, control characters, texts as wide as their column and one wider, a thousand
// characters, numbers in exponent form, negative, huge and NaN. Each is stored exactly or
// refused with the program's own words; nothing crashes and no engine text in English shows.
#include "NastyInput.h"

#include "vouchers/VoucherTestDb.h"

#include "db/Errors.h"
#include "db/Schema.h"
#include "ledger/BooksCheck.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "vouchers/TradeVoucherScreens.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {

const QString kTooLong = QStringLiteral("字段太小而不能接受所要添加的数据的数量。试着插入或粘贴较少的数据。");
const QString kMismatch = QStringLiteral("标准表达式中数据类型不匹配。");
const QString kOverflow = QStringLiteral("数值字段溢出。");

class BadInputTest : public VoucherDbTest {
protected:
    // An empty table's new row with its key set, unless the key is the column under test.
    static void appendRow(ResultSet& rs, const schema::Table& t, const QString& column)
    {
        rs.open(QStringLiteral("select * from ") + QString::fromUtf8(t.name));
        rs.append();
        for (const schema::Column& c : t.columns)
            if (c.key && QString::fromUtf8(c.name) != column)
                rs.setValue(QString::fromUtf8(c.name), QStringLiteral("K"));
    }
};

// Every text column of every table, through an editable result set as the bound boxes store.
TEST_F(BadInputTest, EveryTextColumnStoresNastyTextsExactlyAndRefusesTooLongOnes)
{
    Transaction quick(db()); // one sync at the end instead of one per row; rolled back
    int checked = 0;
    for (const schema::Table& t : schema::tables()) {
        const QString table = QString::fromUtf8(t.name);
        for (const schema::Column& c : t.columns) {
            if (c.type != schema::Type::Char)
                continue;
            const QString column = QString::fromUtf8(c.name);
            QStringList values;
            for (const QString& v : nasty::texts())
                if (v.size() <= c.width)
                    values << v;
            const QString atWidth = QString(c.width, QChar(0x5b57)); // 字
            values << atWidth;
            for (const QString& v : values) {
                SCOPED_TRACE((table + QLatin1Char('.') + column + QStringLiteral(" = ") + v).toStdString());
                run(QStringLiteral("delete from ") + table);
                ResultSet rs(db());
                appendRow(rs, t, column);
                rs.setValue(column, v);
                ASSERT_NO_THROW(rs.post());
                // Found again by its own value, as the screens look rows up.
                EXPECT_EQ(text(QStringLiteral("select %1 from %2 where %1=%3").arg(column, table, quoted(v))), v);
                ++checked;
            }
            for (const QString& v : {atWidth + QLatin1Char('x'), QString(1000, QLatin1Char('x'))}) {
                SCOPED_TRACE((table + QLatin1Char('.') + column + QStringLiteral(" of %1").arg(v.size())).toStdString());
                run(QStringLiteral("delete from ") + table);
                ResultSet rs(db());
                appendRow(rs, t, column);
                rs.setValue(column, v);
                try {
                    rs.post();
                    ADD_FAILURE() << "stored a text wider than its column";
                } catch (const DbError& e) {
                    EXPECT_EQ(e.text(), kTooLong);
                }
                rs.cancel();
                EXPECT_EQ(count(table), 0);
            }
        }
    }
    EXPECT_GT(checked, 300);
}

struct NumberCase {
    const char* typed;
    double stored;         // when refused: NAN
    const char* refusal;   // "conversion", "mismatch", "overflow" or nullptr when stored
};

// Every number column, with the texts a number box may hold.
TEST_F(BadInputTest, EveryNumberColumnStoresTheRoundedValueOrRefusesInItsOwnWords)
{
    Transaction quick(db());
    const NumberCase cases[] = {
        {"1e3", 1000, nullptr},         {"1.5E-1", 0.15, nullptr},     {"-5", -5, nullptr},
        {" 7 ", 7, nullptr},            {"0.005", 0, nullptr},         {"0.015", 0.02, nullptr},
        {"99999999.99", 99999999.99, nullptr}, {"-99999999.99", -99999999.99, nullptr},
        {"100000000", NAN, "overflow"}, {"1e300", NAN, "overflow"},    {"1e400", NAN, "mismatch"},
        {"NaN", NAN, "conversion"},     {"inf", NAN, "conversion"},    {"1,5", NAN, "conversion"},
        {"0x10", NAN, "conversion"},    {"5元", NAN, "conversion"},    {"'", NAN, "conversion"},
    };
    for (const schema::Table& t : schema::tables()) {
        const QString table = QString::fromUtf8(t.name);
        for (const schema::Column& c : t.columns) {
            if (c.type != schema::Type::Numeric)
                continue;
            const QString column = QString::fromUtf8(c.name);
            for (const NumberCase& n : cases) {
                SCOPED_TRACE((table + QLatin1Char('.') + column + QStringLiteral(" = ") + QLatin1String(n.typed)).toStdString());
                run(QStringLiteral("delete from ") + table);
                ResultSet rs(db());
                appendRow(rs, t, column);
                QString refusal;
                try {
                    rs.setValue(column, QString::fromUtf8(n.typed));
                    rs.post();
                } catch (const ConversionError&) {
                    refusal = QStringLiteral("conversion");
                } catch (const DbError& e) {
                    refusal = e.text() == kOverflow ? QStringLiteral("overflow")
                        : e.text() == kMismatch     ? QStringLiteral("mismatch")
                                                    : QStringLiteral("engine: ") + e.text();
                }
                if (n.refusal) {
                    EXPECT_EQ(refusal, QLatin1String(n.refusal));
                    rs.cancel();
                    EXPECT_EQ(count(table), 0);
                } else {
                    EXPECT_EQ(refusal, QString());
                    EXPECT_EQ(num(QStringLiteral("select %1 from %2").arg(column, table)), n.stored);
                }
            }
        }
    }
}

// The purchase dialogs, where typed texts become bookings.
class BadDialogInputTest : public VoucherDbTest {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        addArticle("A01", "螺丝", 4, 0);
        setCash(1000);
        run("insert into J_cgb(pzh,ghs,rklb,cgrq) values('CG1001044_001','华丰公司','进货','2004/4/15')");
        screen = std::make_unique<TForm8>();
        screen->show();
    }
    void TearDown() override
    {
        screen.reset();
        VoucherDbTest::TearDown();
    }
    void expectBooksAgree()
    {
        const auto found = checkBooks(db());
        EXPECT_TRUE(found.empty()) << (found.empty() ? "" : (found.front().what + found.front().where).toStdString());
    }
    std::unique_ptr<TForm8> screen;
};

struct DialogCase {
    const char* price;
    const char* quantity;
    const char* box; // the error or message box; nullptr when stored
};

TEST_F(BadDialogInputTest, LinePricesAndQuantitiesAreBookedOrRefusedWithTheLineFailure)
{
    const DialogCase cases[] = {
        {"1e1", "2", nullptr},          {"4", "-3", "单价、数量和金额不能为负数！"}, {"1E2", "1e-1", nullptr},
        {"NaN", "1", "商品数据添加失败，请重新添加！"},  {"4", "inf", "商品数据添加失败，请重新添加！"},
        {"1e300", "1", "商品数据添加失败，请重新添加！"}, {"999999", "999999", "商品数据添加失败，请重新添加！"},
        {"4'", "1", "商品数据添加失败，请重新添加！"},   {"4", "1;drop", "商品数据添加失败，请重新添加！"},
    };
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(std::string(c.price) + " x " + c.quantity);
        run("delete from J_cgmxb");
        run("update J_cgb set yfk=0");
        run("update J_spb set xykc=0,zxdj=4");
        ModalScript script;
        script.onDialog("TForm9", [&](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), "A01");
            leave(child<QLineEdit>(d, "Edit1"));
            type(child<QLineEdit>(d, "Edit9"), QString::fromUtf8(c.price));
            type(child<QLineEdit>(d, "Edit10"), QString::fromUtf8(c.quantity));
            click(d, "BitBtn1");
            if (d->isVisible()) // refused: the dialog stays until "退出"
                click(d, "BitBtn2");
        });
        if (c.box)
            script.expectBox(QStringLiteral("提示"), QString::fromUtf8(c.box));
        click(screen->BitBtn10);
        script.verify();
        EXPECT_EQ(count("J_cgmxb"), c.box ? 0 : 1);
        if (c.box)
            EXPECT_EQ(stock("A01"), 0);
        else
            EXPECT_EQ(stock("A01"), round2(toNumber(QString::fromUtf8(c.quantity))));
        expectBooksAgree();
    }
}

struct PaymentCase {
    QString document;
    QString amount;
    QString remark;
    QString box; // empty when stored
    QString error; // the error box's text, when the amount is no number
};

TEST_F(BadDialogInputTest, PaymentTextsAreStoredExactlyOrRefusedInTheProgramsWords)
{
    const QString failure = QStringLiteral("付款数据添加失败，请重新添加！");
    const PaymentCase cases[] = {
        {"F'1", "1e2", "a'b\\%_", {}, {}},
        {QString(20, QChar(0x5355)), "5", QString(20, QLatin1Char('x')), {}, {}},
        {"F5", "-5", {}, QStringLiteral("单价、数量和金额不能为负数！"), {}},
        // Texts longer than their columns are cut at the column's width as they are typed.
        {QString(21, QLatin1Char('x')), "5", {}, {}, {}},
        {"F2", "5", QString(21, QLatin1Char('y')), {}, {}},
        {"F3", "1e300", {}, failure, {}},
        {"F4", "NaN", {}, {}, "'NaN' is not a valid floating point value"},
    };
    for (const PaymentCase& c : cases) {
        SCOPED_TRACE((c.document + QLatin1Char('/') + c.amount).toStdString());
        run("delete from J_cgfkb");
        run("update J_cgb set sfk=0");
        setCash(1000);
        ModalScript script;
        script.onDialog("TForm10", [&](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), c.document);
            type(child<QLineEdit>(d, "Edit3"), c.amount);
            type(child<QLineEdit>(d, "Edit4"), c.remark);
            click(d, "BitBtn1");
            if (d->isVisible())
                click(d, "BitBtn2");
        });
        if (!c.box.isEmpty())
            script.expectBox(QStringLiteral("提示"), c.box);
        if (!c.error.isEmpty())
            script.expectError(c.error);
        click(screen->BitBtn12);
        script.verify();
        const bool stored = c.box.isEmpty() && c.error.isEmpty();
        EXPECT_EQ(count("J_cgfkb"), stored ? 1 : 0);
        if (stored) {
            EXPECT_EQ(text("select dh from J_cgfkb"), c.document.left(20));
            EXPECT_EQ(text("select bz from J_cgfkb"), c.remark.left(20));
            EXPECT_EQ(cash(), 1000 - toNumber(c.amount));
        } else {
            EXPECT_EQ(cash(), 1000);
        }
        expectBooksAgree();
    }
}

} // namespace
