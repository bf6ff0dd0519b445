// The purchase voucher screen driven as an operator would.
#include "PurchaseScreenDbTest.h"

#include "db/ProgramState.h"
#include "master/GoodsListScreen.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "vouchers/TradeVoucherScreens.h"
#include "vouchers/VoucherPrintForm.h"
#include "vouchers/VoucherNumber.h"
#include "widgets/DBGrid.h"
#include "widgets/DataControls.h"
#include "widgets/StatusBar.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QDate>
#include <QDateEdit>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {
const QString kInfo = QStringLiteral("提示");
}

class PurchaseScreenTest : public PurchaseScreenDbTest {
protected:
    void SetUp() override
    {
        PurchaseScreenDbTest::SetUp();
        run("insert into J_khb(khdm,khmc,lb1) values('K1','华丰公司','供货商')");
        run("insert into J_khb(khdm,khmc,lb1) values('K2','大众商场','购货商')");
        run("insert into J_zgb(gh,xm,bmmc) values('01','张三','综合部门')");
        run("insert into J_zgb(gh,xm,bmmc) values('02','李四','销售部')");
        run("insert into J_rklbb(bh,rklb) values('01','进货')");
        run("insert into J_fklbb(bh,fklb) values('01','货款')");
        run("insert into J_jsfsb(bh,jsfs) values('01','现金')");
        addArticle("A01", "螺丝", 4, 10);
        addArticle("A02", "垫片", 1, 0);
        setCash(1000);
    }
    void addVoucher(const QString& pzh)
    {
        run(QStringLiteral("insert into J_cgb(pzh,ghs,rklb,cgrq,jzrq,czy) values(%1,'华丰公司','进货','2004/4/15','2004/4/15','管理员')")
                .arg(quoted(pzh)));
    }
    // Opens the line dialog and fills it; `then` answers what follows "确定".
    void addLine(const QString& code, const QString& price, const QString& qty, std::function<void(ModalScript&)> then = {})
    {
        ModalScript script;
        script.onDialog("TForm9", [&](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), code);
            leave(child<QLineEdit>(d, "Edit1"));
            type(child<QLineEdit>(d, "Edit9"), price);
            type(child<QLineEdit>(d, "Edit10"), qty);
            click(d, "BitBtn1");
        });
        if (then)
            then(script);
        click(screen->BitBtn10);
        script.verify();
    }
    void pay(const QString& dh, const QString& amount, std::function<void(ModalScript&)> then = {})
    {
        ModalScript script;
        script.onDialog("TForm10", [&](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), dh);
            type(child<QLineEdit>(d, "Edit3"), amount);
            click(d, "BitBtn1");
            if (d->isVisible()) // refused: the dialog stays until "退出"
                click(d, "BitBtn2");
        });
        if (then)
            then(script);
        click(screen->BitBtn12);
        script.verify();
    }
    QStringList figures() const
    {
        return {screen->Label18->text(), screen->Label20->text(), screen->Label15->text()};
    }

};

TEST_F(PurchaseScreenTest, EmptyTableThenAddSaveAndRestore)
{
    TForm8& f = open();
    EXPECT_EQ(f.windowTitle(), "采购商品入库");
    EXPECT_EQ(f.DBText1->text(), "");
    EXPECT_EQ(figures(), QStringList({"0", "0", "0"}));
    EXPECT_EQ(f.StatusBar1->panelText(0), "操作员:");
    EXPECT_EQ(f.StatusBar1->panelText(1), "管理员");
    EXPECT_EQ(f.DBComboBox2->count(), 1); // suppliers only
    EXPECT_EQ(f.DBComboBox3->count(), 1); // the 综合部门 only
    EXPECT_FALSE(f.DBEdit1->isEnabled());

    ModalScript none;
    none.expectBox(kInfo, "请先进行进货单的填写！").expectBox(kInfo, "请先进行采购单的填写！");
    click(f.BitBtn10);
    click(f.BitBtn12);
    none.verify();

    const QString first = voucherNumberStem("CG", "1001", QDate::currentDate()) + "001";
    click(f.BitBtn5);
    EXPECT_EQ(f.BitBtn5->text(), "保存");
    EXPECT_EQ(f.BitBtn6->text(), "恢复");
    for (QWidget* w : std::initializer_list<QWidget*>{f.BitBtn1, f.BitBtn2, f.BitBtn3, f.BitBtn4, f.BitBtn7, f.BitBtn8, f.BitBtn9})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget* w : std::initializer_list<QWidget*>{f.DBEdit1, f.DBComboBox1, f.DBComboBox2, f.DBComboBox3, f.DBComboBox4,
                                                      f.DBEdit2, f.DBEdit3, f.DBEdit4, f.DBCheckBox1})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(f.BitBtn10->isEnabled());
    EXPECT_EQ(f.DBText1->text(), first);
    EXPECT_EQ(f.DBEdit2->text(), shortDate(QDate::currentDate()));

    ModalScript saveFirst;
    saveFirst.expectBox(kInfo, "请先保存进货单，然后添加进货明细").expectBox(kInfo, "请先保存采购单，然后添加采购明细");
    click(f.BitBtn10);
    click(f.BitBtn12);
    saveFirst.verify();

    type(f.DBEdit1, "FP'01");
    choose(f.DBComboBox2, "华丰公司");
    click(f.BitBtn5);
    EXPECT_EQ(f.BitBtn5->text(), "添加");
    EXPECT_FALSE(f.DBEdit1->isEnabled());
    EXPECT_EQ(text("select fph+ghs+czy from J_cgb"), "FP'01华丰公司管理员");
    EXPECT_EQ(num("select fqf from J_cgb"), 0);
    EXPECT_EQ(text("select cgrq from J_cgb"), QDate::currentDate().toString("yyyy-MM-dd"));

    // A new voucher dropped with "恢复" is never stored: the next one gets the same number.
    const QString second = voucherNumberStem("CG", "1001", QDate::currentDate()) + "002";
    click(f.BitBtn5);
    EXPECT_EQ(f.DBText1->text(), second);
    click(f.BitBtn6);
    EXPECT_EQ(count("J_cgb"), 1);
    click(f.BitBtn5);
    EXPECT_EQ(f.DBText1->text(), second);
    click(f.BitBtn6);
    EXPECT_EQ(f.BitBtn6->text(), "修改");
}

TEST_F(PurchaseScreenTest, ModifyTicksSettledAndAFailedPostIsDropped)
{
    addVoucher("CG1001044_001");
    TForm8& f = open();
    click(f.BitBtn6);
    EXPECT_EQ(f.BitBtn5->text(), "保存");
    click(f.DBCheckBox1);
    click(f.BitBtn5);
    EXPECT_EQ(num("select fqf from J_cgb"), 1);

    click(f.BitBtn6);
    type(f.DBEdit3, "2004/13/45");
    ModalScript script;
    script.expectBox(kInfo, "添加采购信息错误！");
    click(f.BitBtn5);
    script.verify();
    EXPECT_EQ(f.BitBtn5->text(), "添加");
    EXPECT_EQ(f.DBEdit3->text(), "2004/4/15");
    EXPECT_EQ(text("select jzrq from J_cgb"), "2004-04-15");
}

TEST_F(PurchaseScreenTest, LinesAndPaymentsEndToEnd)
{
    addVoucher("CG1001044_001");
    TForm8& f = open();

    // Leaving the code box fills the dialog; the price starts at the valuation price.
    {
        ModalScript script;
        script.onDialog("TForm9", [](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), "A01");
            leave(child<QLineEdit>(d, "Edit1"));
            EXPECT_EQ(child<QLineEdit>(d, "Edit2")->text(), "螺丝");
            EXPECT_EQ(child<QLineEdit>(d, "Edit3")->text(), "华丰厂");
            EXPECT_EQ(child<QLineEdit>(d, "Edit4")->text(), "五金");
            EXPECT_EQ(child<QLineEdit>(d, "Edit5")->text(), "华丰");
            EXPECT_EQ(child<QLineEdit>(d, "Edit6")->text(), "M6");
            EXPECT_EQ(child<QLineEdit>(d, "Edit7")->text(), "个");
            EXPECT_EQ(child<QLineEdit>(d, "Edit8")->text(), "10");
            EXPECT_EQ(child<QLineEdit>(d, "Edit9")->text(), "4");
            type(child<QLineEdit>(d, "Edit10"), "10");
            click(d, "BitBtn1");
        });
        click(f.BitBtn10);
        script.verify();
    }
    EXPECT_EQ(cost("A01"), 4); // received at the current price: unchanged
    EXPECT_EQ(stock("A01"), 20);
    EXPECT_EQ(figures(), QStringList({"40", "0", "40"}));

    // Same article again: refused, dialog stays until "退出".
    {
        ModalScript script;
        script.onDialog("TForm9", [](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), "A01");
            type(child<QLineEdit>(d, "Edit9"), "5");
            type(child<QLineEdit>(d, "Edit10"), "1");
            click(d, "BitBtn1");
            EXPECT_TRUE(d->isVisible());
            click(d, "BitBtn2");
        });
        script.expectBox(kInfo, "一种商品代码只能在明细表中添加一次！");
        click(f.BitBtn10);
        script.verify();
    }
    EXPECT_EQ(stock("A01"), 20);

    // Exact "0" does nothing and keeps the dialog; a price that is no number fails the store.
    {
        ModalScript script;
        script.onDialog("TForm9", [](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), "A02");
            type(child<QLineEdit>(d, "Edit9"), "0");
            type(child<QLineEdit>(d, "Edit10"), "3");
            click(d, "BitBtn1");
            EXPECT_TRUE(d->isVisible());
            type(child<QLineEdit>(d, "Edit9"), "x1");
            click(d, "BitBtn1");
        });
        script.expectBox(kInfo, "商品数据添加失败，请重新添加！");
        click(f.BitBtn10);
        script.verify();
    }
    addLine("A02", "2.5", "4");
    EXPECT_EQ(columnTexts(f.DBGrid1, 0), QStringList({"A01", "A02"}));
    EXPECT_EQ(columnTexts(f.DBGrid1, 5), QStringList({"40", "10"}));
    EXPECT_EQ(figures(), QStringList({"50", "0", "50"}));

    // Payment dialog shows the balance; an amount that is no number keeps the dialog open.
    {
        ModalScript script;
        script.onDialog("TForm10", [](QWidget* d) {
            EXPECT_EQ(child<QLineEdit>(d, "Edit2")->text(), "1000");
            EXPECT_EQ(child<QComboBox>(d, "ComboBox1")->currentText(), "货款");
            EXPECT_EQ(child<QComboBox>(d, "ComboBox3")->currentText(), "张三");
            auto* picker = child<QDateEdit>(d, "DateTimePicker1");
            EXPECT_EQ(picker->date(), QDate::currentDate());
            EXPECT_FALSE(picker->calendarPopup()); // up-down style
            type(child<QLineEdit>(d, "Edit1"), "P1");
            type(child<QLineEdit>(d, "Edit3"), "3o");
            click(d, "BitBtn1");
            EXPECT_TRUE(d->isVisible());
            type(child<QLineEdit>(d, "Edit3"), "30");
            click(d, "BitBtn1");
        });
        script.expectError("'3o' is not a valid floating point value");
        click(f.BitBtn12);
        script.verify();
    }
    EXPECT_EQ(cash(), 970);
    EXPECT_EQ(figures(), QStringList({"50", "30", "20"}));
    pay("P1", "5", [](ModalScript& s) {
        s.expectBox(kInfo, "该单号已存在，请重新输入");
    });
    // A document number longer than its column is cut at the column's 20 characters as it is typed.
    pay(QString(21, QLatin1Char('9')), "5");
    EXPECT_EQ(text("select dh from J_cgfkb where fkje=5"), QString(20, QLatin1Char('9')));
    EXPECT_EQ(cash(), 965);
    run("delete from J_cgfkb where fkje=5");
    run("update J_zjb set je=je+5");
    run("update J_cgb set sfk=sfk-5");
    EXPECT_EQ(count("J_cgfkb"), 1);

    // Removing: Cancel keeps, OK takes away and gives the cash back.
    clickCell(f.DBGrid2, 0);
    {
        ModalScript script;
        script.expectBox(kInfo, "确定将删除: P1 吗？", QMessageBox::Cancel, QMessageBox::Warning)
            .expectBox(kInfo, "确定将删除: P1 吗？", QMessageBox::Ok, QMessageBox::Warning);
        click(f.BitBtn13);
        EXPECT_EQ(cash(), 970);
        click(f.BitBtn13);
        script.verify();
    }
    EXPECT_EQ(cash(), 1000);
    EXPECT_EQ(paid("CG1001044_001"), 0);
    EXPECT_EQ(figures(), QStringList({"50", "0", "50"}));

    clickCell(f.DBGrid1, 1);
    {
        ModalScript script;
        script.expectBox(kInfo, "确定将删除: 垫片 吗？", QMessageBox::Ok, QMessageBox::Warning);
        click(f.BitBtn11);
        script.verify();
    }
    EXPECT_EQ(stock("A02"), 0);
    EXPECT_EQ(due("CG1001044_001"), 40);
    EXPECT_EQ(columnTexts(f.DBGrid1, 0), QStringList({"A01"}));

    // A removal the database refuses changes nothing.
    refuseDeletes("J_cgmxb");
    clickCell(f.DBGrid1, 0);
    {
        ModalScript script;
        script.expectBox(kInfo, "确定将删除: 螺丝 吗？").expectBox(kInfo, "删除数据失败，请重新删除！");
        click(f.BitBtn11);
        script.verify();
    }
    EXPECT_EQ(stock("A01"), 20);
    EXPECT_EQ(due("CG1001044_001"), 40);
}

TEST_F(PurchaseScreenTest, PickerFillsTheLineDialog)
{
    addVoucher("CG1001044_001");
    TForm8& f = open();
    ModalScript script;
    script.onDialog("TForm9", [](QWidget* d) {
        ModalScript picker;
        picker.onDialog("TForm6", [](QWidget* list) {
            auto* goods = qobject_cast<TForm6*>(list);
            ASSERT_NE(goods, nullptr);
            clickCell(goods->DBGrid1, 1);
            goods->DBGrid1DblClick();
        });
        click(d, "BitBtn14");
        picker.verify();
        EXPECT_EQ(myvar::goodsPickMode, 1);
        EXPECT_EQ(child<QLineEdit>(d, "Edit1")->text(), "A02");
        EXPECT_EQ(child<QLineEdit>(d, "Edit2")->text(), "垫片");
        type(child<QLineEdit>(d, "Edit10"), "3");
        click(d, "BitBtn1");
    });
    click(f.BitBtn10);
    script.verify();
    EXPECT_EQ(stock("A02"), 3);
}

TEST_F(PurchaseScreenTest, NavigationFindAndDeletedArticles)
{
    addVoucher("CG1001044_001");
    addVoucher("CG1001044_002");
    addVoucher("CG1001044_003");
    TForm8& f = open();
    EXPECT_EQ(f.DBText1->text(), "CG1001044_001");
    {
        ModalScript script;
        script.expectBox(kInfo, "已到首记录！");
        click(f.BitBtn2);
        script.verify();
    }
    click(f.BitBtn3);
    EXPECT_EQ(f.DBText1->text(), "CG1001044_002");
    click(f.BitBtn4);
    EXPECT_EQ(f.DBText1->text(), "CG1001044_003");
    {
        ModalScript script;
        script.expectBox(kInfo, "已到末记录！");
        click(f.BitBtn3);
        script.verify();
    }
    click(f.BitBtn2);
    EXPECT_EQ(f.DBText1->text(), "CG1001044_002");
    click(f.BitBtn1);
    EXPECT_EQ(f.DBText1->text(), "CG1001044_001");

    {
        ModalScript script;
        script.answerInput("查找采购凭证号", "请输入待查采购凭证号:", QStringLiteral("XS1001044_001"))
            .expectBox(kInfo, "无此采购单！")
            .answerInput("查找采购凭证号", "请输入待查采购凭证号:", std::nullopt)
            .answerInput("查找采购凭证号", "请输入待查采购凭证号:", QStringLiteral("CG1001044_003"));
        click(f.BitBtn7);
        EXPECT_EQ(f.DBText1->text(), "CG1001044_001");
        click(f.BitBtn7);
        click(f.BitBtn7);
        script.verify();
    }
    EXPECT_EQ(f.DBText1->text(), "CG1001044_003");

    // A deleted article's line leaves the grid but still counts in the due figure.
    addLine("A01", "4", "2");
    addLine("A02", "1", "5");
    run("delete from J_spb where spdm='A02'");
    click(f.BitBtn1);
    click(f.BitBtn4);
    EXPECT_EQ(columnTexts(f.DBGrid1, 0), QStringList({"A01"}));
    EXPECT_EQ(f.Label18->text(), "13");
}

TEST_F(PurchaseScreenTest, EmptyTableNextShowsTheEnd)
{
    TForm8& f = open();
    ModalScript script;
    script.expectBox(kInfo, "已到末记录！");
    click(f.BitBtn3);
    script.verify();
}

TEST_F(PurchaseScreenTest, CalendarsWriteTheDateBoxes)
{
    addVoucher("CG1001044_001");
    TForm8& f = open();
    click(f.BitBtn6);
    enter(f.DBEdit2);
    EXPECT_TRUE(f.MonthCalendar1->isVisible());
    EXPECT_FALSE(f.MonthCalendar2->isVisible());
    f.MonthCalendar1->setSelectedDate(QDate(2004, 5, 6));
    emit f.MonthCalendar1->activated(QDate(2004, 5, 6));
    EXPECT_EQ(f.DBEdit2->text(), "2004/5/6");
    EXPECT_FALSE(f.MonthCalendar1->isVisible());
    click(f.BitBtn5);
    EXPECT_EQ(text("select cgrq from J_cgb"), "2004-05-06");
}

TEST_F(PurchaseScreenTest, PrintShowsTheVoucherAsTheScreenShowsIt)
{
    run("delete from J_yhb");
    run("insert into J_yhb(yhmc,dz,dh1) values(' 岚桥商行 ','青岛路1号','0532-1234')");
    run("insert into J_cgb(pzh,fph,ghs,rklb,cgy,shr,bz,fqf,cgrq,jzrq) "
        "values('CG1001044_001','FP1','华丰公司',' 进货 ','张三','李四','急件',1,'2004/4/15','2004/5/1')");
    TForm8& f = open();
    addLine("A02", "2.5", "3");
    addLine("A01", "4", "2");
    pay("P1", "5");
    ModalScript script;
    script.onDialog("TForm40", [&](QWidget* d) {
        auto* preview = qobject_cast<TForm40*>(d);
        ASSERT_NE(preview, nullptr);
        const VoucherPrintData& p = preview->data();
        EXPECT_EQ(p.companyName, " 岚桥商行 ");
        EXPECT_EQ(p.companyAddress, "青岛路1号");
        EXPECT_EQ(p.companyPhone, "0532-1234");
        const QStringList shown{f.DBText1->text(),        f.DBEdit2->text(),         f.DBComboBox1->currentText(),
                                f.DBComboBox2->currentText(), f.DBComboBox3->currentText(), f.DBComboBox4->currentText(),
                                f.DBEdit4->text()};
        EXPECT_EQ(shown, QStringList({"CG1001044_001", "2004/4/15", " 进货 ", "华丰公司", "张三", "李四", "急件"}));
        EXPECT_EQ(QStringList({p.number, p.date, p.category, p.partner, p.person, p.approver, p.remark}), shown);
        EXPECT_TRUE(p.settled);
        EXPECT_EQ(QStringList({p.due, p.paid, p.outstanding}), figures());
        EXPECT_EQ(figures(), QStringList({"15.5", "5", "10.5"}));
        ASSERT_EQ(p.lines.size(), 2);
        const VoucherPrintLine& first = p.lines[0]; // ordered by code, as the grid
        EXPECT_EQ(QStringList({first.code, first.name, first.unit, first.price, first.quantity, first.amount}),
                  QStringList({"A01", "螺丝", "个", "4", "2", "8"}));
        EXPECT_EQ(p.lines[1].amount, "7.5");
        const QVector<VoucherPrintText> title = preview->document().pages[0].textsNamed("QRLabel1");
        ASSERT_EQ(title.size(), 1);
        EXPECT_EQ(title[0].text, "岚桥商行商品入库单");
        preview->reject();
    });
    click(f.BitBtn8);
    script.verify();
}

// "去除" stays enabled while a header is edited; saving the header afterwards must not
// write back the totals it held when the edit began.
TEST_F(PurchaseScreenTest, RemovalsDuringAnEditSurviveTheSave)
{
    addVoucher("CG1001044_001");
    TForm8& f = open();
    addLine("A01", "4", "2");
    addLine("A02", "1", "5");
    pay("P1", "6");
    click(f.BitBtn6);
    type(f.DBEdit1, "FP9");

    clickCell(f.DBGrid1, 1);
    ModalScript script;
    script.expectBox(kInfo, "确定将删除: 垫片 吗？", QMessageBox::Ok, QMessageBox::Warning)
        .expectBox(kInfo, "确定将删除: P1 吗？", QMessageBox::Ok, QMessageBox::Warning);
    click(f.BitBtn11);
    clickCell(f.DBGrid2, 0);
    click(f.BitBtn13);
    script.verify();
    click(f.BitBtn5);

    EXPECT_EQ(text("select fph from J_cgb"), "FP9");
    EXPECT_EQ(due("CG1001044_001"), 8);
    EXPECT_EQ(paid("CG1001044_001"), 0);
    EXPECT_EQ(cash(), 1000);
    EXPECT_EQ(figures(), QStringList({"8", "0", "8"}));
}

// A barcode scanner types the article code and Enter; the operator types the quantity and Enter.
TEST_F(PurchaseScreenTest, ScannerCodeAndEnterLandInTheQuantityAndEnterStoresTheLine)
{
    addVoucher("CG1001044_001");
    TForm8& f = open();
    ModalScript script;
    script.onDialog("TForm9", [&](QWidget* d) {
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        auto* code = child<QLineEdit>(d, "Edit1");
        code->setFocus();
        type(code, "A01");
        QTest::keyClick(code, Qt::Key_Return);
        EXPECT_EQ(child<QLineEdit>(d, "Edit2")->text(), "螺丝");
        EXPECT_EQ(child<QLineEdit>(d, "Edit9")->text(), "4");
        auto* qty = child<QLineEdit>(d, "Edit10");
        EXPECT_EQ(QApplication::focusWidget(), qty);
        type(qty, "3");
        QTest::keyClick(qty, Qt::Key_Return);
        if (d->isVisible()) {
            ADD_FAILURE() << "Enter in the last box did not store the line";
            click(d, "BitBtn2");
        }
    });
    click(f.BitBtn10);
    script.verify();
    EXPECT_EQ(columnTexts(f.DBGrid1, 0), QStringList({"A01"}));
    EXPECT_EQ(text("select sl from J_cgmxb"), "3");
}
