// The loss and expense voucher screens driven as an operator would.
#include "LedgerBooks.h"
#include "vouchers/VoucherTestDb.h"

#include "app/MainWindow.h"
#include "db/ProgramState.h"
#include "ledger/ExpenseVoucherScreen.h"
#include "ledger/LossVoucherScreen.h"
#include "master/GoodsListScreen.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "vouchers/VoucherNumber.h"
#include "widgets/DBGrid.h"
#include "widgets/DataControls.h"
#include "widgets/StatusBar.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {
const QString kInfo = QStringLiteral("提示");

QLineEdit* edit(QWidget* d, const char* name)
{
    return child<QLineEdit>(d, QString::fromLatin1(name));
}
} // namespace

class LinesVoucherScreenTest : public VoucherDbTest {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        run("insert into J_zgb(gh,xm,bmmc) values('01','张三','综合部门')");
        run("insert into J_zgb(gh,xm,bmmc) values('02','李四','销售部')");
        run("insert into J_zgb(gh,xm,bmmc) values('03','王五','综合部门二')");
        run("insert into J_bslbb(bh,bslb) values('01','损坏')");
        run("insert into J_bslbb(bh,bslb) values('02','丢失')");
        run("insert into J_zclbb(bh,zclb) values('01','房租')");
        addArticle("A01", "螺丝", 4, 10);
        addArticle("A02", "垫片", 1.5, 3);
        setCash(100);
    }
    void TearDown() override
    {
        screen.reset();
        VoucherDbTest::TearDown();
    }
    template <class Form>
    Form& open()
    {
        auto* form = new Form;
        screen.reset(form);
        form->show();
        return *form;
    }
    // Opens the line dialog with "新增" and lets `fill` work it; `then` adds what follows.
    void withLineDialog(const char* dialog, std::function<void(QWidget*)> fill, std::function<void(ModalScript&)> then = {})
    {
        ModalScript script;
        script.onDialog(QString::fromLatin1(dialog), fill);
        if (then)
            then(script);
        click(screen->BitBtn12);
        script.verify();
    }
    void addLoss(const QString& code, const QString& price, const QString& qty)
    {
        withLineDialog("TForm17", [&](QWidget* d) {
            type(edit(d, "Edit1"), code);
            leave(edit(d, "Edit1"));
            type(edit(d, "Edit9"), price);
            type(edit(d, "Edit10"), qty);
            click(d, "BitBtn1");
        });
    }
    void addExpense(const QString& dh, const QString& amount)
    {
        withLineDialog("TForm19", [&](QWidget* d) {
            type(edit(d, "Edit1"), dh);
            type(edit(d, "Edit2"), amount);
            click(d, "BitBtn1");
        });
    }
    void removeLine(int row, const QString& question, QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        clickCell(screen->DBGrid1, row);
        ModalScript script;
        script.expectBox(kInfo, question, answer, QMessageBox::Warning);
        click(screen->BitBtn13);
        script.verify();
    }

    std::unique_ptr<LinesVoucherScreen> screen;
};

// ---- the loss voucher ------------------------------------------------------------------

TEST_F(LinesVoucherScreenTest, LossScreenStatesAddAndSave)
{
    TForm16& f = open<TForm16>();
    EXPECT_EQ(f.windowTitle(), "商品报损登记");
    EXPECT_EQ(f.GroupBox1->title(), "报损详细信息");
    EXPECT_EQ(f.Label3->text(), "0");
    EXPECT_EQ(f.DBText1->text(), "");
    EXPECT_FALSE(f.BitBtn8->isVisible());
    EXPECT_FALSE(f.BitBtn8->isEnabled());
    EXPECT_FALSE(f.MonthCalendar1->isVisible());
    EXPECT_EQ(f.StatusBar1->panelText(1), "管理员");
    // Only the 综合部门 and its like, in name order, in both lists.
    for (QComboBox* people : {static_cast<QComboBox*>(f.DBComboBox2), static_cast<QComboBox*>(f.DBComboBox3)}) {
        ASSERT_EQ(people->count(), 2);
        EXPECT_EQ(people->itemText(0), "张三");
        EXPECT_EQ(people->itemText(1), "王五");
    }
    const QList<QWidget*> switched{f.DBComboBox2, f.DBComboBox3, f.DBEdit1, f.DBEdit2};
    const QList<QWidget*> browsingOnly{f.BitBtn1, f.BitBtn2, f.BitBtn3, f.BitBtn4, f.BitBtn7, f.BitBtn9};
    auto expectBrowsing = [&](bool browsing) {
        for (QWidget* w : switched)
            EXPECT_EQ(w->isEnabled(), !browsing) << w->objectName().toStdString();
        for (QWidget* w : browsingOnly)
            EXPECT_EQ(w->isEnabled(), browsing) << w->objectName().toStdString();
        EXPECT_TRUE(f.DBEdit3->isEnabled());
        EXPECT_TRUE(f.BitBtn12->isEnabled());
        EXPECT_TRUE(f.BitBtn13->isEnabled());
        EXPECT_FALSE(f.BitBtn8->isEnabled());
    };
    expectBrowsing(true);
    {
        ModalScript script;
        script.expectBox(kInfo, "请先进行报损单的填写！");
        click(f.BitBtn12);
        script.verify();
    }

    click(f.BitBtn5);
    EXPECT_EQ(f.BitBtn5->text(), "保存");
    EXPECT_EQ(f.BitBtn6->text(), "恢复");
    expectBrowsing(false);
    EXPECT_EQ(f.DBText1->text(), voucherNumberStem("BS", "1001", QDate::currentDate()) + "001");
    EXPECT_EQ(f.DBEdit1->text(), shortDate(QDate::currentDate()));
    {
        ModalScript script;
        script.expectBox(kInfo, "请先保存报损单，然后添加出货明细");
        click(f.BitBtn12);
        script.verify();
    }
    type(f.DBEdit3, "仓库漏水");
    choose(f.DBComboBox2, "张三");
    type(f.DBComboBox3, "王五");
    type(f.DBEdit2, "123456789");
    EXPECT_EQ(f.DBEdit2->text(), "12345678");
    enter(f.DBEdit1);
    EXPECT_TRUE(f.MonthCalendar1->isVisible());
    f.MonthCalendar1->setSelectedDate(QDate(2004, 5, 6));
    emit f.MonthCalendar1->activated(QDate(2004, 5, 6));
    EXPECT_FALSE(f.MonthCalendar1->isVisible());
    click(f.BitBtn5);
    expectBrowsing(true);
    EXPECT_EQ(f.BitBtn5->text(), "添加");
    EXPECT_EQ(text("select bssm+jsr+shr+bz+czy from J_bsb"), "仓库漏水张三王五12345678管理员");
    EXPECT_EQ(text("select bsrq from J_bsb"), "2004-05-06");
    EXPECT_EQ(num("select bsje from J_bsb"), 0);

    // Modify, then a date with a time of day: the day alone is stored.
    click(f.BitBtn6);
    type(f.DBEdit1, "2004/5/7 9:30:00");
    click(f.BitBtn5);
    EXPECT_EQ(text("select bsrq from J_bsb"), "2004-05-07");
    // A date that is none: the header's own message, the stored values back.
    click(f.BitBtn6);
    type(f.DBEdit1, "2004/13/45");
    {
        ModalScript script;
        script.expectBox(kInfo, "添加报损信息错误！");
        click(f.BitBtn5);
        script.verify();
    }
    EXPECT_EQ(f.DBEdit1->text(), "2004/5/7");
    expectBrowsing(true);
    // A new voucher dropped with "恢复" is not stored.
    click(f.BitBtn5);
    click(f.BitBtn6);
    EXPECT_EQ(count("J_bsb"), 1);
}

TEST_F(LinesVoucherScreenTest, LossLinesByCodeAndByPickerThenRemoved)
{
    addHeader("BS1001044_001", "J_bsb");
    run("update J_bsb set bssm='仓库漏水',bsrq='2004/4/15'");
    TForm16& f = open<TForm16>();

    withLineDialog("TForm17", [](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "报损商品信息");
        EXPECT_EQ(QApplication::focusWidget(), edit(d, "Edit1"));
        auto* categories = child<QComboBox>(d, "ComboBox1");
        EXPECT_EQ(categories->count(), 2);
        EXPECT_EQ(categories->currentText(), "");
        EXPECT_EQ(edit(d, "Edit8")->text(), "0");
        EXPECT_FALSE(edit(d, "Edit8")->isEnabled());
        EXPECT_EQ(edit(d, "Edit9")->text(), "0");
        // An unknown code keeps the boxes; a known one fills them, price from the cost.
        type(edit(d, "Edit1"), "B9");
        leave(edit(d, "Edit1"));
        EXPECT_EQ(edit(d, "Edit2")->text(), "");
        type(edit(d, "Edit1"), "A01");
        leave(edit(d, "Edit1"));
        const QStringList filled{edit(d, "Edit2")->text(), edit(d, "Edit3")->text(), edit(d, "Edit5")->text(),
                                 edit(d, "Edit6")->text(), edit(d, "Edit7")->text(), edit(d, "Edit8")->text(),
                                 edit(d, "Edit9")->text()};
        EXPECT_EQ(filled, QStringList({"螺丝", "华丰厂", "华丰", "M6", "个", "10", "4"}));
        // Exactly "0" does nothing and keeps the dialog.
        click(d, "BitBtn1");
        EXPECT_TRUE(d->isVisible());
        choose(categories, "丢失");
        type(edit(d, "Edit9"), "3.5");
        type(edit(d, "Edit10"), "4");
        click(d, "BitBtn1");
    });
    EXPECT_EQ(stock("A01"), 6);
    EXPECT_EQ(text("select bslb+bssm from J_bsmxb"), "丢失仓库漏水");
    EXPECT_EQ(num("select jcdj from J_bsmxb"), 4);
    EXPECT_EQ(text("select bsrq from J_bsmxb"), "2004-04-15");
    EXPECT_EQ(f.Label3->text(), "14");

    // The goods list picks for the loss line: code, name, maker and price.
    withLineDialog("TForm17", [](QWidget* d) {
        ModalScript picker;
        picker.onDialog("TForm6", [](QWidget* list) {
            auto* goods = qobject_cast<TForm6*>(list);
            ASSERT_NE(goods, nullptr);
            clickCell(goods->DBGrid1, 1);
            goods->DBGrid1DblClick();
        });
        click(d, "BitBtn14");
        picker.verify();
        EXPECT_EQ(myvar::goodsPickMode, 5);
        const QStringList picked{edit(d, "Edit1")->text(), edit(d, "Edit2")->text(), edit(d, "Edit3")->text(),
                                 edit(d, "Edit7")->text(), edit(d, "Edit9")->text()};
        EXPECT_EQ(picked, QStringList({"A02", "垫片", "华丰厂", "", "1.5"}));
        leave(edit(d, "Edit1"));
        type(edit(d, "Edit10"), "5");
        click(d, "BitBtn1");
    });
    EXPECT_EQ(stock("A02"), -2);
    EXPECT_EQ(num("select jcsl from J_bsmxb where spdm='A02'"), -2);
    EXPECT_EQ(columnTexts(f.DBGrid1, 0), QStringList({"A01", "A02"}));
    EXPECT_EQ(columnTexts(f.DBGrid1, 1), QStringList({"螺丝", "垫片"}));
    EXPECT_EQ(columnTexts(f.DBGrid1, 5), QStringList({"14", "7.5"}));
    EXPECT_EQ(f.Label3->text(), "21.5");
    EXPECT_EQ(num("select bsje from J_bsb"), 21.5);

    // Refusals that keep the dialog open: the same article again, a negative quantity, no number.
    withLineDialog(
        "TForm17",
        [](QWidget* d) {
            type(edit(d, "Edit1"), "A01");
            type(edit(d, "Edit9"), "1");
            type(edit(d, "Edit10"), "1");
            click(d, "BitBtn1");
            type(edit(d, "Edit1"), "A02");
            type(edit(d, "Edit10"), "-1");
            click(d, "BitBtn1");
            type(edit(d, "Edit10"), "1x");
            click(d, "BitBtn1");
            EXPECT_TRUE(d->isVisible());
            click(d, "BitBtn2");
        },
        [](ModalScript& s) {
            s.expectBox(kInfo, "一种商品代码只能在明细表中添加一次！")
                .expectBox(kInfo, "单价、数量和金额不能为负数！")
                .expectError("'1x' is not a valid floating point value");
        });
    // An unknown code closes the dialog, writing nothing.
    withLineDialog("TForm17", [](QWidget* d) {
        type(edit(d, "Edit1"), "B9");
        type(edit(d, "Edit9"), "1");
        type(edit(d, "Edit10"), "1");
        click(d, "BitBtn1");
    });
    EXPECT_EQ(count("J_bsmxb"), 2);
    EXPECT_EQ(stock("A02"), -2);

    removeLine(1, "确定将删除: 垫片 吗？", QMessageBox::Cancel);
    EXPECT_EQ(count("J_bsmxb"), 2);
    removeLine(1, "确定将删除: 垫片 吗？");
    EXPECT_EQ(stock("A02"), 3);
    EXPECT_EQ(num("select bsje from J_bsb"), 14);
    EXPECT_EQ(f.Label3->text(), "14");
    EXPECT_EQ(columnTexts(f.DBGrid1, 0), QStringList({"A01"}));

    refuseDeletes("J_bsmxb");
    clickCell(f.DBGrid1, 0);
    {
        ModalScript script;
        script.expectBox(kInfo, "确定将删除: 螺丝 吗？").expectBox(kInfo, "删除数据失败，请重新删除！");
        click(f.BitBtn13);
        script.verify();
    }
    EXPECT_EQ(stock("A01"), 6);
    EXPECT_EQ(num("select bsje from J_bsb"), 14);
}

// The description typed but not yet stored goes onto the line, and storing it afterwards
// must not write back the amount the header held before the line.
TEST_F(LinesVoucherScreenTest, LineAddedWhileTheDescriptionIsPending)
{
    addHeader("BS1001044_001", "J_bsb");
    TForm16& f = open<TForm16>();
    type(f.DBEdit3, "鼠咬");
    addLoss("A01", "2", "3");
    EXPECT_EQ(text("select bssm from J_bsmxb"), "鼠咬");
    EXPECT_EQ(f.DBEdit3->text(), "鼠咬");
    click(f.BitBtn9);
    EXPECT_EQ(text("select bssm from J_bsb"), "鼠咬");
    EXPECT_EQ(num("select bsje from J_bsb"), 6);
}

TEST_F(LinesVoucherScreenTest, LossLineThatCannotBeStoredChangesNothing)
{
    addHeader("BS1001044_001", "J_bsb");
    TForm16& f = open<TForm16>();
    withLineDialog(
        "TForm17",
        [](QWidget* d) {
            type(child<QComboBox>(d, "ComboBox1"), "一二三四五六七八九十一"); // longer than its column
            type(edit(d, "Edit1"), "A01");
            type(edit(d, "Edit9"), "2");
            type(edit(d, "Edit10"), "1");
            click(d, "BitBtn1");
        },
        [](ModalScript& s) { s.expectBox(kInfo, "商品数据添加失败，请重新添加！"); });
    EXPECT_EQ(stock("A01"), 10);
    EXPECT_EQ(count("J_bsmxb"), 0);
    EXPECT_EQ(f.Label3->text(), "0");
}

// ---- navigation, find and the description box, on both screens ---------------------------

struct ScreenKind {
    const char* name;
    const char* prefix;
    const char* table;
    const char* description;
    const char* findCaption;
    const char* findPrompt;
    const char* notFound;
};
void PrintTo(const ScreenKind& k, std::ostream* os) { *os << k.name; }

class BothScreens : public LinesVoucherScreenTest, public ::testing::WithParamInterface<ScreenKind> {
protected:
    LinesVoucherScreen& openKind()
    {
        if (GetParam().prefix == std::string("BS"))
            return open<TForm16>();
        return open<TForm18>();
    }
    QString number(int n) const { return QStringLiteral("%1100104_%2").arg(QLatin1String(GetParam().prefix)).arg(n, 3, 10, QChar('0')); }
    QString description(int n)
    {
        return text(QStringLiteral("select %1 from %2 where pzh=%3")
                        .arg(QLatin1String(GetParam().description), QLatin1String(GetParam().table), quoted(number(n))));
    }
};

TEST_P(BothScreens, NavigationAndFind)
{
    const ScreenKind& k = GetParam();
    for (int n = 1; n <= 3; ++n)
        addHeader(number(n), QLatin1String(k.table));
    LinesVoucherScreen& f = openKind();
    EXPECT_EQ(f.DBText1->text(), number(1));
    {
        ModalScript script;
        script.expectBox(kInfo, "已到首记录！");
        click(f.BitBtn2);
        script.verify();
    }
    click(f.BitBtn3);
    EXPECT_EQ(f.DBText1->text(), number(2));
    click(f.BitBtn4);
    EXPECT_EQ(f.DBText1->text(), number(3));
    {
        ModalScript script;
        script.expectBox(kInfo, "已到末记录！");
        click(f.BitBtn3);
        script.verify();
    }
    click(f.BitBtn2);
    EXPECT_EQ(f.DBText1->text(), number(2));
    click(f.BitBtn1);
    EXPECT_EQ(f.DBText1->text(), number(1));

    const QString caption = QString::fromUtf8(k.findCaption);
    const QString prompt = QString::fromUtf8(k.findPrompt);
    ModalScript script;
    script.answerInput(caption, prompt, number(9))
        .expectBox(kInfo, QString::fromUtf8(k.notFound))
        .answerInput(caption, prompt, QString())
        .answerInput(caption, prompt, number(3));
    click(f.BitBtn7);
    EXPECT_EQ(f.DBText1->text(), number(1));
    click(f.BitBtn7);
    click(f.BitBtn7);
    script.verify();
    EXPECT_EQ(f.DBText1->text(), number(3));
}

TEST_P(BothScreens, DescriptionTypedWhileBrowsingIsKeptOnMoveAndClose)
{
    const ScreenKind& k = GetParam();
    for (int n = 1; n <= 3; ++n)
        addHeader(number(n), QLatin1String(k.table));
    LinesVoucherScreen& f = openKind();
    type(f.DBEdit3, "第一张");
    EXPECT_EQ(f.DBEdit3->text(), "第一张");
    click(f.BitBtn3);
    EXPECT_EQ(description(1), "第一张");
    EXPECT_EQ(f.DBEdit3->text(), "");

    // Found by number: a move too.
    type(f.DBEdit3, "第二张");
    {
        ModalScript script;
        script.answerInput(QString::fromUtf8(k.findCaption), QString::fromUtf8(k.findPrompt), number(3));
        click(f.BitBtn7);
        script.verify();
    }
    EXPECT_EQ(description(2), "第二张");

    type(f.DBEdit3, "第三张");
    click(f.BitBtn9);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(description(3), "第三张");
}

TEST_P(BothScreens, PendingNewHeaderIsDroppedOnClose)
{
    const ScreenKind& k = GetParam();
    LinesVoucherScreen& f = openKind();
    click(f.BitBtn5);
    type(f.DBEdit3, "未保存");
    f.close();
    EXPECT_EQ(count(QLatin1String(k.table)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, BothScreens,
    ::testing::Values(ScreenKind{"Loss", "BS", "J_bsb", "bssm", "查找报损凭证号", "请输入待查报损凭证号:", "无此报损单！"},
                      ScreenKind{"Expense", "ZC", "J_zcb", "zcsm", "查找费用凭证号", "请输入待查费用凭证号:          ",
                                 "无此费用单！"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the expense voucher ---------------------------------------------------------------

TEST_F(LinesVoucherScreenTest, ExpenseVoucherEndToEnd)
{
    TForm18& f = open<TForm18>();
    EXPECT_EQ(f.windowTitle(), "经营费用入帐");
    EXPECT_EQ(f.GroupBox1->title(), "费用详细信息");
    EXPECT_FALSE(f.BitBtn8->isVisible());
    {
        ModalScript script;
        script.expectBox(kInfo, "请先进行支出单的填写！");
        click(f.BitBtn12);
        script.verify();
    }
    click(f.BitBtn5);
    EXPECT_EQ(f.DBText1->text(), voucherNumberStem("ZC", "1001", QDate::currentDate()) + "001");
    {
        ModalScript script;
        script.expectBox(kInfo, "请先保存支出单，然后添加支出明细");
        click(f.BitBtn12);
        script.verify();
    }
    type(f.DBEdit3, "四月开支");
    click(f.BitBtn5);
    EXPECT_EQ(text("select zcsm+czy from J_zcb"), "四月开支管理员");
    EXPECT_EQ(text("select zcrq from J_zcb"), QDate::currentDate().toString("yyyy-MM-dd"));

    withLineDialog("TForm19", [](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "费用信息");
        EXPECT_EQ(QApplication::focusWidget(), edit(d, "Edit1"));
        EXPECT_EQ(edit(d, "Edit3")->text(), "100");
        EXPECT_FALSE(edit(d, "Edit3")->isEnabled());
        EXPECT_EQ(edit(d, "Edit2")->text(), "0");
        EXPECT_EQ(child<QComboBox>(d, "ComboBox1")->count(), 1);
        EXPECT_EQ(child<QComboBox>(d, "ComboBox1")->currentText(), "");
        auto* picker = child<QDateEdit>(d, "DateTimePicker1");
        EXPECT_EQ(picker->date(), QDate::currentDate());
        EXPECT_TRUE(picker->calendarPopup());
        type(edit(d, "Edit1"), "1234567");
        EXPECT_EQ(edit(d, "Edit1")->text(), "123456");
        click(d, "BitBtn1"); // amount exactly "0": nothing, the dialog stays
        EXPECT_TRUE(d->isVisible());
        choose(child<QComboBox>(d, "ComboBox1"), "房租");
        type(edit(d, "Edit2"), "30");
        picker->setDate(QDate(2004, 4, 16));
        type(edit(d, "Edit4"), "四月房租");
        type(edit(d, "Edit5"), "现付");
        click(d, "BitBtn1");
    });
    EXPECT_EQ(cash(), 70);
    EXPECT_EQ(text("select dh+zclb+zcsm+bz from J_zcmxb"), "123456房租四月房租现付");
    EXPECT_EQ(num("select jcje from J_zcmxb"), 70);
    EXPECT_EQ(num("select zcje from J_zcb"), 30);
    EXPECT_EQ(f.Label3->text(), "30");
    EXPECT_EQ(gridRows(f.DBGrid1), QStringList({"单号|支出类别|支出金额|支出日期|支出说明|备注",
                                                "123456|房租|30|2004/4/16|四月房租|现付"}));

    // Refusals that keep the dialog: the same document number, a negative amount, no number.
    withLineDialog(
        "TForm19",
        [](QWidget* d) {
            type(edit(d, "Edit1"), "123456");
            type(edit(d, "Edit2"), "5");
            click(d, "BitBtn1");
            type(edit(d, "Edit1"), "2");
            type(edit(d, "Edit2"), "-5");
            click(d, "BitBtn1");
            type(edit(d, "Edit2"), "5元");
            click(d, "BitBtn1");
            EXPECT_TRUE(d->isVisible());
            click(d, "BitBtn2");
        },
        [](ModalScript& s) {
            s.expectBox(kInfo, "该单号已存在，请重新输入")
                .expectBox(kInfo, "单价、数量和金额不能为负数！")
                .expectError("'5元' is not a valid floating point value");
        });
    // A remark longer than its column: nothing written, the dialog closes.
    withLineDialog(
        "TForm19",
        [](QWidget* d) {
            type(edit(d, "Edit1"), "2");
            type(edit(d, "Edit2"), "5");
            type(edit(d, "Edit5"), QString(21, QChar(u'备')));
            click(d, "BitBtn1");
        },
        [](ModalScript& s) { s.expectBox(kInfo, "添加支出费用信息失败！"); });
    EXPECT_EQ(cash(), 70);
    addExpense("2", "80.5"); // more than the cash
    EXPECT_EQ(cash(), -10.5);
    EXPECT_EQ(f.Label3->text(), "110.5");

    removeLine(0, "确定将删除当前支出费用吗？", QMessageBox::Cancel);
    EXPECT_EQ(count("J_zcmxb"), 2);
    removeLine(0, "确定将删除当前支出费用吗？");
    EXPECT_EQ(cash(), 19.5);
    EXPECT_EQ(num("select zcje from J_zcb"), 80.5);
    EXPECT_EQ(f.Label3->text(), "80.5");
    EXPECT_EQ(columnTexts(f.DBGrid1, 0), QStringList({"2"}));

    refuseDeletes("J_zcmxb");
    clickCell(f.DBGrid1, 0);
    {
        ModalScript script;
        script.expectBox(kInfo, "确定将删除当前支出费用吗？").expectBox(kInfo, "删除数据失败，请重新删除！");
        click(f.BitBtn13);
        script.verify();
    }
    EXPECT_EQ(cash(), 19.5);
    EXPECT_EQ(num("select zcje from J_zcb"), 80.5);
}

TEST_F(LinesVoucherScreenTest, ExpensePostFailureHasItsOwnMessage)
{
    addHeader("ZC1001044_001", "J_zcb");
    TForm18& f = open<TForm18>();
    click(f.BitBtn6);
    type(f.DBEdit1, "2004/2/30");
    ModalScript script;
    script.expectBox(kInfo, "添加入库信息错误！");
    click(f.BitBtn5);
    script.verify();
    EXPECT_EQ(f.BitBtn5->text(), "添加");
}

// ---- menu ------------------------------------------------------------------------------

TEST_F(LinesVoucherScreenTest, MenuEntriesOpenTheScreensModally)
{
    TForm1 w;
    ModalScript login;
    login.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { click(d, QStringLiteral("BitBtn1")); });
    w.show();
    login.verify();
    const std::pair<const char*, const char*> entries[] = {{"N21", "TForm18"}, {"N22", "TForm16"}};
    for (const auto& [entry, form] : entries) {
        ModalScript script;
        script.onDialog(QString::fromLatin1(form), [](QWidget* d) {
            EXPECT_TRUE(d->isModal());
            click(d, QStringLiteral("BitBtn9"));
        });
        clickMenu(&w, QString::fromLatin1(entry));
        script.verify();
    }
}

TEST_F(LinesVoucherScreenTest, ScannerCodeAndEnterLandInTheLossQuantityAndEnterStoresTheLine)
{
    addHeader("BS1001044_001", "J_bsb");
    TForm16& f = open<TForm16>();
    withLineDialog("TForm17", [](QWidget* d) {
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        choose(child<QComboBox>(d, "ComboBox1"), "损坏");
        QLineEdit* code = edit(d, "Edit1");
        code->setFocus();
        type(code, "A01");
        QTest::keyClick(code, Qt::Key_Return);
        EXPECT_EQ(edit(d, "Edit9")->text(), "4");
        QLineEdit* qty = edit(d, "Edit10");
        EXPECT_EQ(QApplication::focusWidget(), qty);
        type(qty, "2");
        QTest::keyClick(qty, Qt::Key_Return);
        if (d->isVisible()) {
            ADD_FAILURE() << "Enter in the last box did not store the line";
            click(d, "BitBtn2");
        }
    });
    EXPECT_EQ(stock("A01"), 8);
    EXPECT_EQ(columnTexts(f.DBGrid1, 0), QStringList({"A01"}));
}

// The loss line dialog is the trade line dialog with a category list of its own: the same
// code box, as wide as an article code, and the same look-up, without the article's category.
TEST_F(LinesVoucherScreenTest, TheLossLineDialogTakesACodeAsLongAsTheArticleCodeAndLooksItUp)
{
    addHeader("BS1001044_001", "J_bsb");
    open<TForm16>();
    withLineDialog("TForm17", [](QWidget* d) {
        QLineEdit* code = edit(d, "Edit1");
        type(code, "A01XYZ9");
        EXPECT_EQ(code->text(), "A01XYZ");
        type(code, "A01");
        leave(code);
        EXPECT_EQ(edit(d, "Edit9")->text(), "4");
        EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("Edit4")), nullptr);
        EXPECT_EQ(child<QLabel>(d, "Label1")->text(), "报损类别");
        EXPECT_EQ(child<QLabel>(d, "Label11")->text(), "数量 ");
        click(d, "BitBtn2");
    });
}

TEST_F(LinesVoucherScreenTest, EnterWalksTheExpenseBoxesAndEscLeavesTheDialog)
{
    addHeader("ZC1001044_001", "J_zcb");
    open<TForm18>();
    withLineDialog("TForm19", [](QWidget* d) {
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QLineEdit* number = edit(d, "Edit1");
        number->setFocus();
        QTest::keyClick(number, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), edit(d, "Edit2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(count("J_zcmxb"), 0);
}
