// The loss line and expense dialogs with the worst an operator can paste into them: stored
// exactly, or refused with the dialog's message and nothing written; the books agree after
// every case.
#include "EntryBoxes.h"

#include "ledger/ExpenseVoucherScreen.h"
#include "ledger/LossVoucherScreen.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "vouchers/VoucherBook.h"
#include "vouchers/VoucherKind.h"

#include <QPushButton>

namespace {

using namespace entrybox;

const QString kConversion = QStringLiteral("'%1' is not a valid floating point value");
const QString kNegative = QStringLiteral("单价、数量和金额不能为负数！");
const char* const kLoss = "BS1001044_001";
const char* const kExpense = "ZC1001044_001";
const char* const kOpening = "CG1001044_999";

enum class Answer {
    Stored,
    Failure,    // the dialog's failure box; nothing written, the dialog closes
    Conversion, // the conversion error; nothing written, the dialog stays open
    Negative,   // refused as negative; the dialog stays open
    Ignored,    // nothing happens, the dialog stays open
    Silent,     // nothing written, no box, the dialog closes (no such article)
};

bool staysOpen(Answer a)
{
    return a == Answer::Conversion || a == Answer::Negative || a == Answer::Ignored;
}

class LossExpenseBoxTest : public EntryBoxTest {
protected:
    void SetUp() override
    {
        EntryBoxTest::SetUp();
        run("insert into J_bslbb(bh,bslb) values('01','破损')");
        run("insert into J_zclbb(bh,zclb) values('01','房租')");
        run(QStringLiteral("insert into J_bsb(pzh,bssm,bsrq) values(%1,'破损','2004/4/17')").arg(quoted(kLoss)));
        run(QStringLiteral("insert into J_zcb(pzh,zcsm,zcrq) values(%1,'房租','2004/4/18')").arg(quoted(kExpense)));
        addHeader(kOpening);
    }

    // The books as the case starts: one article of 100 in stock through a purchase, cash 1000.
    void reset(const QString& extraCode = {})
    {
        for (const char* table : {"J_bsmxb", "J_zcmxb", "J_cgmxb", "J_spb"})
            run(QStringLiteral("delete from ") + QLatin1String(table));
        run("update J_bsb set bsje=0");
        run("update J_zcb set zcje=0");
        run("update J_cgb set yfk=0");
        setCash(1000);
        for (const QString& code : {QStringLiteral("A01"), extraCode}) {
            if (code.isEmpty())
                continue;
            addArticle(code, QStringLiteral("螺丝"), 0, 0);
            const LineEntry e{kOpening, code, QStringLiteral("个"), QStringLiteral("4"), QStringLiteral("100"), {}, {}, QStringLiteral("2004/4/1")};
            ASSERT_EQ(storeLine(purchaseKind(), e, db()), LineOutcome::Stored);
        }
    }

    // Presses "确定" expecting the answer, and closes the dialog when it stays open.
    static void confirm(QDialog& d, Answer answer, const QString& failure, const QString& conversionText)
    {
        ModalScript script;
        if (answer == Answer::Failure)
            script.expectBox(kHint, failure);
        else if (answer == Answer::Negative)
            script.expectBox(kHint, kNegative);
        else if (answer == Answer::Conversion)
            script.expectError(kConversion.arg(conversionText));
        click(&d, QStringLiteral("BitBtn1"));
        script.verify();
        EXPECT_EQ(d.isVisible(), staysOpen(answer));
    }
};

TEST_F(LossExpenseBoxTest, LossLineBoxesAreBookedOrRefusedInTheDialogsWords)
{
    const QString failure = QStringLiteral("商品数据添加失败，请重新添加！");
    struct Case {
        const char* box; // nullptr: price and quantity
        QString value;
        QString price = QStringLiteral("4"), quantity = QStringLiteral("2");
        Answer answer = Answer::Stored;
    };
    std::vector<Case> cases = {
        {nullptr, {}, "1e1", "2"},
        {nullptr, {}, "1E2", "1e-1"},
        {nullptr, {}, "0.001", "5"},
        {nullptr, {}, "0.015", "3"},
        {nullptr, {}, "-4", "2", Answer::Negative},
        {nullptr, {}, "4", "-2", Answer::Negative},
        {nullptr, {}, "0", "2", Answer::Ignored},
        {nullptr, {}, "NaN", "1", Answer::Conversion},
        {nullptr, {}, "4", "inf", Answer::Conversion},
        {nullptr, {}, "4'", "1", Answer::Conversion},
        {nullptr, {}, "4", "", Answer::Conversion},
        {nullptr, {}, "1e300", "1", Answer::Failure},
        {nullptr, {}, "1e400", "1", Answer::Failure},
        {nullptr, {}, "999999", "999999", Answer::Failure},
    };
    for (const QString& v : textValues(6)) {
        cases.push_back({"Edit1", v});
        cases.push_back({"Edit7", v});
    }
    for (const QString& v : textValues(10))
        cases.push_back({"ComboBox1", v});
    for (const Case& c : cases) {
        const QString shown = c.box ? c.value.left(40) : c.price + QStringLiteral(" x ") + c.quantity;
        SCOPED_TRACE(QStringLiteral("TForm17.%1 = %2").arg(QLatin1String(c.box ? c.box : "Edit9/Edit10"), shown).toStdString());
        const bool codeBox = c.box && qstrcmp(c.box, "Edit1") == 0;
        reset(codeBox && !c.value.isEmpty() && c.value.size() <= 6 ? c.value : QString());
        TForm17 d({kLoss, QStringLiteral("2004/4/17"), QStringLiteral("破损")}, nullptr);
        d.show();
        auto box = [&d](const char* name) { return child<QWidget>(&d, QLatin1String(name)); };
        paste(box("Edit1"), QStringLiteral("A01"));
        leave(box("Edit1"));
        paste(box("ComboBox1"), QStringLiteral("破损"));
        paste(box("Edit9"), c.price);
        paste(box("Edit10"), c.quantity);
        QString code = QStringLiteral("A01"), unit = QStringLiteral("个"), category = QStringLiteral("破损");
        Answer answer = c.answer;
        if (codeBox) {
            code = paste(box("Edit1"), c.value);
            answer = code.size() > 6 ? Answer::Silent : Answer::Stored;
        } else if (c.box && qstrcmp(c.box, "Edit7") == 0) {
            unit = paste(box("Edit7"), c.value);
            answer = unit.size() > 6 ? Answer::Failure : Answer::Stored;
        } else if (c.box) {
            category = paste(box("ComboBox1"), c.value);
            answer = category.size() > 10 ? Answer::Failure : Answer::Stored;
        }
        confirm(d, answer, failure, isNumber(c.quantity) ? c.price : c.quantity);
        if (answer == Answer::Stored) {
            EXPECT_EQ(count("J_bsmxb"), 1);
            EXPECT_EQ(text("select spdm from J_bsmxb"), code);
            EXPECT_EQ(text("select dw from J_bsmxb"), unit);
            EXPECT_EQ(text("select bslb from J_bsmxb"), category);
            EXPECT_EQ(num("select dj from J_bsmxb"), round2(toNumber(c.price)));
            EXPECT_EQ(num("select sl from J_bsmxb"), round2(toNumber(c.quantity)));
            EXPECT_EQ(num("select bsje from J_bsb"), round2(round2(toNumber(c.price)) * round2(toNumber(c.quantity))));
        } else {
            EXPECT_EQ(count("J_bsmxb"), 0);
            EXPECT_EQ(num("select bsje from J_bsb"), 0);
            EXPECT_EQ(stock(QStringLiteral("A01")), 100);
        }
        expectBooksAgree();
    }
}

TEST_F(LossExpenseBoxTest, ExpenseBoxesAreBookedOrRefusedInTheDialogsWords)
{
    const QString failure = QStringLiteral("添加支出费用信息失败！");
    struct Case {
        const char* box;
        QString column; // empty: the amount
        QString value;
        Answer answer = Answer::Stored;
    };
    std::vector<Case> cases = {
        {"Edit2", {}, "1e2"},
        {"Edit2", {}, "1.5E-1"},
        {"Edit2", {}, "0.001"},
        {"Edit2", {}, "99999999.99"},
        {"Edit2", {}, "0", Answer::Ignored},
        {"Edit2", {}, "-5", Answer::Negative},
        {"Edit2", {}, "100000000", Answer::Failure},
        {"Edit2", {}, "1e300", Answer::Failure},
        {"Edit2", {}, "1e400", Answer::Failure},
        {"Edit2", {}, "NaN", Answer::Conversion},
        {"Edit2", {}, "inf", Answer::Conversion},
        {"Edit2", {}, "1,5", Answer::Conversion},
        {"Edit2", {}, "", Answer::Conversion},
    };
    const std::pair<const char*, const char*> texts[] = {
        {"Edit1", "dh"}, {"ComboBox1", "zclb"}, {"Edit4", "zcsm"}, {"Edit5", "bz"}};
    for (const auto& [box, column] : texts)
        for (const QString& v : textValues(widthOf(QStringLiteral("J_zcmxb"), QLatin1String(column))))
            cases.push_back({box, QLatin1String(column), v});
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("TForm19.%1 = %2").arg(QLatin1String(c.box), c.value.left(40)).toStdString());
        reset();
        TForm19 d(kExpense, nullptr);
        d.show();
        paste(child<QWidget>(&d, QStringLiteral("Edit1")), QStringLiteral("E1"));
        paste(child<QWidget>(&d, QStringLiteral("Edit2")), QStringLiteral("12.5"));
        const QString typed = paste(child<QWidget>(&d, QLatin1String(c.box)), c.value);
        Answer answer = c.answer;
        if (!c.column.isEmpty())
            answer = typed.isEmpty() && c.column == QLatin1String("dh")                       ? Answer::Ignored
                : typed.size() > widthOf(QStringLiteral("J_zcmxb"), c.column)                 ? Answer::Failure
                                                                                              : Answer::Stored;
        confirm(d, answer, failure, typed);
        if (answer == Answer::Stored) {
            const double amount = round2(toNumber(c.column.isEmpty() ? typed : QStringLiteral("12.5")));
            EXPECT_EQ(count("J_zcmxb"), 1);
            EXPECT_EQ(num("select zcje from J_zcmxb"), amount);
            EXPECT_EQ(num("select zcje from J_zcb"), amount);
            if (!c.column.isEmpty())
                EXPECT_EQ(text(QStringLiteral("select %1 from J_zcmxb").arg(c.column)), typed);
            EXPECT_EQ(cash(), round2(1000 - amount));
        } else {
            EXPECT_EQ(count("J_zcmxb"), 0);
            EXPECT_EQ(cash(), 1000);
        }
        expectBooksAgree();
    }
}

} // namespace
