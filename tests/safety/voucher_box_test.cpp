// Every entry box of the four trade vouchers: the header boxes, the line dialog and the
// money dialog, with the worst an operator can paste into them. Stored exactly, or refused
// with the kind's message and nothing written; the books agree after every case.
#include "EntryBoxes.h"

#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "vouchers/TradeVoucherScreens.h"
#include "vouchers/VoucherBook.h"

#include <QPushButton>

#include <functional>
#include <memory>

namespace {

using namespace entrybox;

const QString kConversion = QStringLiteral("'%1' is not a valid floating point value");
const QString kNegative = QStringLiteral("单价、数量和金额不能为负数！");

std::unique_ptr<VoucherScreen> openScreen(const VoucherKind& k)
{
    std::unique_ptr<VoucherScreen> screen;
    if (&k == &purchaseKind())
        screen = std::make_unique<TForm8>();
    else if (&k == &salesKind())
        screen = std::make_unique<TForm11>();
    else if (&k == &purchaseReturnKind())
        screen = std::make_unique<TForm14>();
    else
        screen = std::make_unique<TForm15>();
    screen->show();
    return screen;
}

QString partnerOf(const VoucherKind& k)
{
    return k.lists.partnerRole == QLatin1String("供货商") ? QStringLiteral("华丰公司") : QStringLiteral("大众商场");
}

// One test of each kind, so every kind reports on its own.
class VoucherBoxTest : public EntryBoxTest, public ::testing::WithParamInterface<int> {
protected:
    static constexpr const char* kVoucher = "VV1001044_001";
    static constexpr const char* kOpening = "CG1001044_999";

    const VoucherKind& kind() const { return *voucherKinds().at(GetParam()); }

    // The kind's voucher, saved, with an article in stock through an earlier purchase and
    // cash; its screen open on it.
    void SetUp() override
    {
        EntryBoxTest::SetUp();
        const VoucherKind& k = kind();
        // The voucher first, so that its screen opens on it.
        run(QStringLiteral("insert into %1(pzh,%2,%3,%4,jzrq,czy) values(%5,%6,%7,'2004/4/15','2004/4/15','管理员')")
                .arg(k.tables.header, k.columns.partner, k.categoryColumn(), k.columns.date, quoted(kVoucher),
                     quoted(partnerOf(k)), quoted(k.goods == Flow::In ? QStringLiteral("进货") : QStringLiteral("出货"))));
        addHeader(kOpening);
        stockArticle(QStringLiteral("A01"));
        setCash(1000);
        m_screen = openScreen(k);
    }
    void TearDown() override
    {
        m_screen.reset();
        EntryBoxTest::TearDown();
    }

    // Back to the books as they were before the case.
    void reset()
    {
        const VoucherKind& k = kind();
        run(QStringLiteral("delete from %1 where pzh=%2").arg(k.tables.lines, quoted(kVoucher)));
        run(QStringLiteral("delete from %1 where pzh=%2").arg(k.tables.money, quoted(kVoucher)));
        run(QStringLiteral("update %1 set %2=0,%3=0 where pzh=%4").arg(k.tables.header, k.dueColumn(), k.settledColumn(), quoted(kVoucher)));
        run(QStringLiteral("delete from J_cgmxb where pzh=%1 and spdm<>'A01'").arg(quoted(kOpening)));
        run(QStringLiteral("update J_cgb set yfk=400 where pzh=%1").arg(quoted(kOpening)));
        run("delete from J_spb where spdm<>'A01'");
        run("update J_spb set xykc=100,zxdj=4");
        setCash(1000);
    }

    // An article in stock through a purchase line, as the program keeps its books.
    void stockArticle(const QString& code)
    {
        addArticle(code, QStringLiteral("螺丝"), 0, 0);
        const LineEntry e{kOpening, code, QStringLiteral("个"), QStringLiteral("4"), QStringLiteral("100"), {}, {}, QStringLiteral("2004/4/1")};
        ASSERT_EQ(storeLine(purchaseKind(), e, db()), LineOutcome::Stored);
    }

    QString ofVoucher(const QString& what, const QString& table)
    {
        return QStringLiteral("select %1 from %2 where pzh=%3").arg(what, table, quoted(kVoucher));
    }

    std::unique_ptr<VoucherScreen> m_screen;
};

INSTANTIATE_TEST_SUITE_P(Kinds, VoucherBoxTest, ::testing::Range(0, 4),
                         [](const auto& info) { return voucherKinds().at(info.param)->forms.screen.name.toStdString(); });

TEST_P(VoucherBoxTest, HeaderBoxesAreStoredOrRefusedWithTheKindsMessage)
{
    const VoucherKind& k = kind();
    run(QStringLiteral("delete from ") + k.tables.header);
    const std::pair<const char*, QString> boxes[] = {
        {"DBEdit1", k.columns.freeText},   {"DBComboBox1", k.categoryColumn()},   {"DBComboBox2", k.columns.partner},
        {"DBComboBox3", k.columns.person}, {"DBComboBox4", QStringLiteral("shr")}, {"DBEdit4", QStringLiteral("bz")},
    };
    auto attempt = [&](const char* boxName, const QString& value, const std::function<bool(const QString&)>& refuses) {
        run(QStringLiteral("delete from ") + k.tables.header);
        click(m_screen.get(), QStringLiteral("BitBtn5")); // 添加
        const QString typed = paste(child<QWidget>(m_screen.get(), QLatin1String(boxName)), value);
        const bool refused = refuses(typed);
        ModalScript script;
        if (refused)
            script.expectBox(kHint, k.messages.postFailure);
        click(m_screen.get(), QStringLiteral("BitBtn5")); // 保存
        script.verify();
        EXPECT_EQ(count(k.tables.header), refused ? 0 : 1);
        return typed;
    };
    for (const auto& [boxName, column] : boxes) {
        const int width = widthOf(k.tables.header, column);
        for (const QString& value : textValues(width)) {
            SCOPED_TRACE(QStringLiteral("%1 = %2").arg(QLatin1String(boxName), value.left(40)).toStdString());
            const QString typed = attempt(boxName, value, [&](const QString& t) { return t.size() > width; });
            if (typed.size() <= width)
                EXPECT_EQ(text(QStringLiteral("select %1 from %2").arg(column, k.tables.header)), typed);
        }
    }
    // A date box holds a date, or the header is refused.
    QStringList dates = nasty::texts();
    dates << QStringLiteral("2004/2/30") << QStringLiteral("2004/4/15") << QStringLiteral("2004-4-15")
          << QStringLiteral("0") << QStringLiteral("-1") << QStringLiteral("99999999");
    for (const char* boxName : {"DBEdit2", "DBEdit3"}) {
        const QString column = qstrcmp(boxName, "DBEdit2") == 0 ? k.columns.date : QStringLiteral("jzrq");
        for (const QString& value : dates) {
            SCOPED_TRACE(QStringLiteral("%1 = %2").arg(QLatin1String(boxName), value).toStdString());
            const QString typed = attempt(boxName, value, [](const QString& t) { return !parseDateText(t).isValid(); });
            if (parseDateText(typed).isValid())
                EXPECT_EQ(parseDateText(text(QStringLiteral("select %1 from %2").arg(column, k.tables.header))).date(),
                          parseDateText(typed).date());
        }
    }
}

// How a line or money dialog answers "确定".
enum class Answer {
    Stored,
    Failure,    // the kind's failure box; nothing written, the dialog closes
    Conversion, // the conversion error; nothing written, the dialog stays open
    Negative,   // refused as negative; nothing written, the dialog stays open
    Silent,     // nothing written, no box (no such article)
};

bool staysOpen(Answer a)
{
    return a == Answer::Conversion || a == Answer::Negative;
}

TEST_P(VoucherBoxTest, LineBoxesAreBookedOrRefusedWithTheLineFailure)
{
    const VoucherKind& k = kind();
    const QString failure = QStringLiteral("商品数据添加失败，请重新添加！");
    // Numbers by goods direction: incoming kinds convert inside the booking, so a text that
    // is no number fails it; outgoing kinds convert first and keep the dialog open.
    struct NumberCase {
        const char* price;
        const char* quantity;
        Answer in;
        Answer out;
    };
    const NumberCase numbers[] = {
        {"1e1", "2", Answer::Stored, Answer::Stored},
        {"1E2", "1e-1", Answer::Stored, Answer::Stored},
        {"0.001", "5", Answer::Stored, Answer::Stored},   // a price below a cent
        {"4", "0.001", Answer::Stored, Answer::Stored},   // a movement below what the stock keeps
        {"0.015", "3", Answer::Stored, Answer::Stored},   // the total of the rounded price, not of the typed one
        {"-4", "2", Answer::Negative, Answer::Negative},
        {"4", "-2", Answer::Negative, Answer::Negative},
        {"NaN", "1", Answer::Failure, Answer::Conversion},
        {"4", "inf", Answer::Failure, Answer::Conversion},
        {"4'", "1", Answer::Failure, Answer::Conversion},
        {"0x10", "1", Answer::Failure, Answer::Conversion},
        {"4", "", Answer::Failure, Answer::Conversion},
        {"1e300", "1", Answer::Failure, Answer::Failure},
        {"1e400", "1", Answer::Failure, Answer::Failure},
        {"999999", "999999", Answer::Failure, Answer::Failure},
    };
    struct Case {
        const char* box; // nullptr: price and quantity
        QString value;
        QString price = QStringLiteral("4"), quantity = QStringLiteral("2");
        Answer numbers = Answer::Stored;
    };
    std::vector<Case> cases;
    for (const NumberCase& n : numbers)
        cases.push_back({nullptr, {}, QString::fromUtf8(n.price), QString::fromUtf8(n.quantity), k.goods == Flow::In ? n.in : n.out});
    for (const QString& v : textValues(6)) {
        cases.push_back({"Edit7", v});
        cases.push_back({"Edit1", v});
    }
    for (const Case& c : cases) {
        const QString shown = c.box ? c.value.left(40) : c.price + QStringLiteral(" x ") + c.quantity;
        SCOPED_TRACE(QStringLiteral("%1 = %2").arg(QLatin1String(c.box ? c.box : "Edit9/Edit10"), shown).toStdString());
        reset();
        const bool codeBox = c.box && qstrcmp(c.box, "Edit1") == 0;
        // An article whose code is the text, where the code column holds it.
        if (codeBox && !c.value.isEmpty() && c.value.size() <= 6)
            stockArticle(c.value);
        QString code = QStringLiteral("A01"), unit = QStringLiteral("个");
        Answer answer = c.numbers;
        ModalScript script;
        script.onDialog(k.forms.line.name, [&](QWidget* d) {
            auto box = [d](const char* name) { return child<QWidget>(d, QLatin1String(name)); };
            paste(box("Edit1"), code);
            leave(box("Edit1"));
            paste(box("Edit9"), c.price);
            paste(box("Edit10"), c.quantity);
            if (codeBox) {
                code = paste(box("Edit1"), c.value);
                answer = code.size() > 6 ? Answer::Silent : Answer::Stored;
            } else if (c.box) {
                unit = paste(box("Edit7"), c.value);
                answer = unit.size() > 6 ? Answer::Failure : Answer::Stored;
            }
            ModalScript inner;
            if (answer == Answer::Failure)
                inner.expectBox(kHint, failure);
            else if (answer == Answer::Negative)
                inner.expectBox(kHint, kNegative);
            else if (answer == Answer::Conversion)
                inner.expectError(kConversion.arg(isNumber(c.quantity) ? c.price : c.quantity));
            click(d, QStringLiteral("BitBtn1"));
            inner.verify();
            EXPECT_EQ(d->isVisible(), staysOpen(answer));
            if (d->isVisible())
                click(d, QStringLiteral("BitBtn2"));
        });
        click(m_screen.get(), QStringLiteral("BitBtn10"));
        script.verify();
        if (answer == Answer::Stored) {
            EXPECT_EQ(num(ofVoucher(QStringLiteral("count(*)"), k.tables.lines)), 1);
            EXPECT_EQ(text(ofVoucher(QStringLiteral("spdm"), k.tables.lines)), code);
            EXPECT_EQ(text(ofVoucher(QStringLiteral("dw"), k.tables.lines)), unit);
            EXPECT_EQ(num(ofVoucher(QStringLiteral("dj"), k.tables.lines)), round2(toNumber(c.price)));
            EXPECT_EQ(num(ofVoucher(QStringLiteral("sl"), k.tables.lines)), round2(toNumber(c.quantity)));
        } else {
            EXPECT_EQ(num(ofVoucher(QStringLiteral("count(*)"), k.tables.lines)), 0);
            EXPECT_EQ(num(ofVoucher(k.dueColumn(), k.tables.header)), 0);
            EXPECT_EQ(stock(QStringLiteral("A01")), 100);
        }
        expectBooksAgree();
    }
}

TEST_P(VoucherBoxTest, MoneyBoxesAreBookedOrRefusedWithTheMoneyFailure)
{
    const VoucherKind& k = kind();
    // Amounts by money direction, against a balance of 1000 that must stay within its column.
    struct AmountCase {
        const char* amount;
        Answer out;
        Answer in;
    };
    const AmountCase amounts[] = {
        {"1e2", Answer::Stored, Answer::Stored},
        {"1.5E-1", Answer::Stored, Answer::Stored},
        {"0.001", Answer::Stored, Answer::Stored},
        {"0", Answer::Stored, Answer::Stored},
        {"-5", Answer::Negative, Answer::Negative},
        {"99999999.99", Answer::Stored, Answer::Failure},
        {"100000000", Answer::Failure, Answer::Failure},
        {"1e300", Answer::Failure, Answer::Failure},
        {"1e400", Answer::Failure, Answer::Failure},
        {"NaN", Answer::Conversion, Answer::Conversion},
        {"inf", Answer::Conversion, Answer::Conversion},
        {"1,5", Answer::Conversion, Answer::Conversion},
        {"5元", Answer::Conversion, Answer::Conversion},
        {"", Answer::Conversion, Answer::Conversion},
    };
    struct Case {
        const char* box;
        QString column; // empty: the amount
        QString value;
        Answer answer = Answer::Stored;
    };
    std::vector<Case> cases;
    for (const AmountCase& a : amounts)
        cases.push_back({"Edit3", {}, QString::fromUtf8(a.amount), k.money == Flow::Out ? a.out : a.in});
    const std::pair<const char*, QString> texts[] = {{"Edit1", QStringLiteral("dh")}, {"ComboBox1", k.moneyCategoryColumn()},
                                                     {"ComboBox2", QStringLiteral("jsfs")}, {"ComboBox3", k.moneyPersonColumn()},
                                                     {"Edit4", QStringLiteral("bz")}};
    for (const auto& [box, column] : texts)
        for (const QString& v : textValues(widthOf(k.tables.money, column)))
            cases.push_back({box, column, v});
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 = %2").arg(QLatin1String(c.box), c.value.left(40)).toStdString());
        reset();
        QString typed;
        Answer answer = c.answer;
        ModalScript script;
        script.onDialog(k.forms.money.name, [&](QWidget* d) {
            paste(child<QWidget>(d, QStringLiteral("Edit1")), QStringLiteral("D1"));
            paste(child<QWidget>(d, QStringLiteral("Edit3")), QStringLiteral("12.5"));
            typed = paste(child<QWidget>(d, QLatin1String(c.box)), c.value);
            if (!c.column.isEmpty())
                answer = typed.size() > widthOf(k.tables.money, c.column) ? Answer::Failure : Answer::Stored;
            ModalScript inner;
            if (answer == Answer::Failure)
                inner.expectBox(kHint, k.moneyFailure());
            else if (answer == Answer::Negative)
                inner.expectBox(kHint, kNegative);
            else if (answer == Answer::Conversion)
                inner.expectError(kConversion.arg(typed));
            click(d, QStringLiteral("BitBtn1"));
            inner.verify();
            EXPECT_EQ(d->isVisible(), staysOpen(answer));
            if (d->isVisible())
                click(d, QStringLiteral("BitBtn2"));
        });
        click(m_screen.get(), QStringLiteral("BitBtn12"));
        script.verify();
        if (answer == Answer::Stored) {
            const double amount = round2(toNumber(c.column.isEmpty() ? typed : QStringLiteral("12.5")));
            EXPECT_EQ(num(ofVoucher(QStringLiteral("count(*)"), k.tables.money)), 1);
            EXPECT_EQ(num(ofVoucher(k.moneyAmountColumn(), k.tables.money)), amount);
            if (!c.column.isEmpty())
                EXPECT_EQ(text(ofVoucher(c.column, k.tables.money)), typed);
            EXPECT_EQ(cash(), round2(k.money == Flow::Out ? 1000 - amount : 1000 + amount));
        } else {
            EXPECT_EQ(num(ofVoucher(QStringLiteral("count(*)"), k.tables.money)), 0);
            EXPECT_EQ(cash(), 1000);
        }
        expectBooksAgree();
    }
}

} // namespace
