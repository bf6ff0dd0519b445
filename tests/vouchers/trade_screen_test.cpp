// The sales, purchase-return and sales-return voucher screens driven as an operator would,
// each with its own texts.
#include "VoucherTestDb.h"

#include "db/ProgramState.h"
#include "master/GoodsListScreen.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "vouchers/TradeVoucherScreens.h"
#include "vouchers/VoucherNumber.h"
#include "vouchers/VoucherPrintForm.h"
#include "widgets/DBGrid.h"
#include "widgets/DataControls.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <memory>

namespace {

const QString kInfo = QStringLiteral("提示");

struct KindTexts {
    const char* test;
    const VoucherKind* kind;
    std::function<std::unique_ptr<VoucherScreen>()> make;
    QString screen, title, line, lineTitle, money, moneyTitle;
    QStringList headerCaptions; // Label1..Label6 above the boxes, then Label7 before the date
    QStringList tabs;
    QStringList figureCaptions; // due, settled
    QStringList moneyLabels;    // category, balance, amount, person, date, remark
    QStringList messages;       // post failure, find caption, prompt, not found, line save-first, fill-first,
                                // money save-first, fill-first
    QString moneyFailure;
    QStringList partners;       // offered in DBComboBox2
    QStringList persons;        // offered in DBComboBox3 and DBComboBox4
    QStringList categories;     // offered in DBComboBox1
    int pickMode;
    QString pickedPrice;        // for A02: cost 2, profit rate 50
    QString printTitle;         // company " 岚桥商行 "
    QString printPartner;
    QString otherPrefix;        // a number of another kind, not found here
};

QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

template <class T>
std::function<std::unique_ptr<VoucherScreen>()> maker()
{
    return [] { return std::unique_ptr<VoucherScreen>(new T); };
}

const QStringList kOutMessages{"添加入库信息错误！", "查找出库凭证号", "请输入待查出库凭证号:", "无此出库单！",
                               "请先保存出货单，然后添加出货明细", "请先进行出货单的填写！",
                               "请先保存出货单，然后添加出货明细", "请先进行出货单的填写！"};

const std::vector<KindTexts> kKinds{
    {"Sales", &salesKind(), maker<TForm11>(), "TForm11", "销售商品出库", "TForm12", "销售商品出库信息", "TForm13",
     "销售收款信息",
     {"凭证号  ", "发票号 ", "出库类别   ", "购货商  ", "销售员 ", "审核人  ", "销售日期 "},
     {"商品出库明细信息", "收款明细信息"},
     {"应收款：", "实收款："},
     {"收款类别   ", "帐面金额  ", "收款金额   ", "收款人 ", "收款时间   ", "备注 "},
     kOutMessages,
     "收款数据添加失败，请重新添加！",
     {"大众商场", "批发购货商"},
     {"张三"},
     {"出售"},
     2, "3", " 岚桥商行 商品出库单： ", "购货商：", "CG1001044_001"},
    {"PurchaseReturn", &purchaseReturnKind(), maker<TForm14>(), "TForm14", "采购商品退货出库", "TForm25", "退货商品信息",
     "TForm26", "退货收款信息",
     {"凭证号  ", "退货原因 ", "出库类别   ", "退货商  ", "经办人 ", "审核人  ", "退货日期 "},
     {"商品出库明细信息", "收款明细信息"},
     {"应收款：", "实收款："},
     {"收款类别   ", "帐面金额  ", "收款金额   ", "收款人 ", "收款时间   ", "备注 "},
     kOutMessages,
     "收款数据添加失败，请重新添加！",
     {"华丰公司"}, // goods go back to suppliers
     {"张三", "李四"}, // every employee
     {"出售"},
     3, "2", " 岚桥商行 商品出库单： ", "购货商：", "XS1001044_001"},
    {"SalesReturn", &salesReturnKind(), maker<TForm15>(), "TForm15", "销售商品退货入库", "TForm27", "退货商品信息",
     "TForm28", "退货付款信息",
     {"凭证号  ", "退货原因", "入库类别   ", "退货商  ", "经手人", "审核人  ", "退货日期 "},
     {"商品入库明细信息", "付款明细信息"},
     {"应付款：", "实付款："},
     {"付款类别   ", "帐面金额  ", "付款金额   ", "付款人 ", "付款时间   ", "备注 "},
     {"添加销售退货信息错误！", "查找采购凭证号", "请输入待查采购凭证号:", "无此采购单！",
      "请先保存进货单，然后添加进货明细", "请先进行进货单的填写！", "请先保存采购单，然后添加采购明细",
      "请先进行采购单的填写！"},
     "付款数据添加失败，请重新添加！",
     {"大众商场", "批发购货商"}, // goods come back from customers
     {"张三"},
     {"进货", "退回"},
     4, "2", "岚桥商行商品入库单", "供货商:", "XS1001044_001"},
};

} // namespace

class TradeScreenTest : public VoucherDbTest, public ::testing::WithParamInterface<KindTexts> {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        run("insert into J_khb(khdm,khmc,lb1) values('K1','华丰公司','供货商')");
        run("insert into J_khb(khdm,khmc,lb1) values('K2','大众商场','购货商')");
        run("insert into J_khb(khdm,khmc,lb1) values('K3','批发购货商','批发购货商')");
        run("insert into J_zgb(gh,xm,bmmc) values('01','张三','综合部门')");
        run("insert into J_zgb(gh,xm,bmmc) values('02','李四','销售部')");
        run("insert into J_rklbb(bh,rklb) values('01','进货')");
        run("insert into J_rklbb(bh,rklb) values('02','退回')");
        run("insert into J_cklbb(bh,cklb) values('01','出售')");
        run("insert into J_fklbb(bh,fklb) values('01','退款')");
        run("insert into J_sklbb(bh,sklb) values('01','货款')");
        run("insert into J_jsfsb(bh,jsfs) values('01','现金')");
        run("delete from J_yhb");
        run("insert into J_yhb(yhmc,dz,dh1) values(' 岚桥商行 ','青岛路1号','0532-1234')");
        addArticle("A01", "螺丝", 4, 10);
        addArticle("A02", "垫片", 2, 0);
        run("update J_spb set lrl=50");
        setCash(1000);
    }
    void TearDown() override
    {
        screen.reset();
        VoucherDbTest::TearDown();
    }
    const KindTexts& t() const { return GetParam(); }
    const VoucherKind& k() const { return *GetParam().kind; }
    QString number(int n) const { return k().prefix + QStringLiteral("1001044_00") + QString::number(n); }

    VoucherScreen& open()
    {
        screen = t().make();
        screen->show();
        return *screen;
    }
    void addVoucher(int n)
    {
        run(QStringLiteral("insert into %1(pzh,%2,%3,%4,jzrq,czy) values(%5,'大众商场','出售','2004/4/15','2004/4/15','管理员')")
                .arg(k().tables.header, k().columns.partner, k().categoryColumn(), k().columns.date, quoted(number(n))));
    }
    void addLine(const QString& code, const QString& price, const QString& qty)
    {
        ModalScript script;
        script.onDialog(t().line, [&](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), code);
            leave(child<QLineEdit>(d, "Edit1"));
            type(child<QLineEdit>(d, "Edit9"), price);
            type(child<QLineEdit>(d, "Edit10"), qty);
            click(d, "BitBtn1");
        });
        click(screen->BitBtn10);
        script.verify();
    }
    // Opens the money dialog and fills it; `then` answers what follows "确定".
    void addMoney(const QString& dh, const QString& amount, std::function<void(ModalScript&)> then = {})
    {
        ModalScript script;
        script.onDialog(t().money, [&](QWidget* d) {
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
    QStringList figures() const { return {screen->Label18->text(), screen->Label20->text(), screen->Label15->text()}; }
    double goodsSign() const { return k().goods == Flow::In ? 1 : -1; }
    double cashSign() const { return k().money == Flow::In ? 1 : -1; }

    std::unique_ptr<VoucherScreen> screen;
};

TEST_P(TradeScreenTest, ShowsItsTextsAndListsAndAddsAHeader)
{
    VoucherScreen& f = open();
    EXPECT_EQ(f.objectName(), t().screen);
    EXPECT_EQ(f.windowTitle(), t().title);
    QStringList captions;
    for (int i = 1; i <= 7; ++i)
        captions << child<QLabel>(&f, QStringLiteral("Label%1").arg(i))->text();
    EXPECT_EQ(captions, t().headerCaptions);
    EXPECT_EQ(QStringList({f.PageControl1->tabText(0), f.PageControl1->tabText(1)}), t().tabs);
    EXPECT_EQ(QStringList({child<QLabel>(&f, "Label17")->text(), child<QLabel>(&f, "Label19")->text()}), t().figureCaptions);
    EXPECT_EQ(itemsOf(f.DBComboBox2), t().partners);
    EXPECT_EQ(itemsOf(f.DBComboBox3), t().persons);
    EXPECT_EQ(itemsOf(f.DBComboBox4), t().persons);
    EXPECT_EQ(itemsOf(f.DBComboBox1), t().categories);
    EXPECT_EQ(figures(), QStringList({"0", "0", "0"}));

    const QStringList& m = t().messages;
    {
        ModalScript script;
        script.expectBox(kInfo, m[5]).expectBox(kInfo, m[7]);
        click(f.BitBtn10);
        click(f.BitBtn12);
        script.verify();
    }
    click(f.BitBtn5);
    EXPECT_EQ(f.DBText1->text(), voucherNumberStem(k().prefix, "1001", QDate::currentDate()) + "001");
    {
        ModalScript script;
        script.expectBox(kInfo, m[4]).expectBox(kInfo, m[6]);
        click(f.BitBtn10);
        click(f.BitBtn12);
        script.verify();
    }
    type(f.DBEdit1, "原因'1");
    type(f.DBComboBox2, "任何人"); // any typed partner is stored
    type(f.DBEdit3, "2004/5/1 10:30:00");
    click(f.BitBtn5);
    const QString where = QStringLiteral(" from ") + k().tables.header;
    EXPECT_EQ(text("select " + k().columns.freeText + "+" + k().columns.partner + "+czy" + where), "原因'1任何人管理员");
    EXPECT_EQ(text("select " + k().columns.date + where), QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_EQ(text("select jzrq" + where), "2004-05-01"); // a day, without the time typed

    click(f.BitBtn6);
    type(f.DBEdit3, "2004/13/45");
    ModalScript script;
    script.expectBox(kInfo, m[0]);
    click(f.BitBtn5);
    script.verify();
    EXPECT_EQ(text("select jzrq" + where), "2004-05-01");
}

TEST_P(TradeScreenTest, LinesAndMoneyEndToEnd)
{
    addVoucher(1);
    VoucherScreen& f = open();

    // By code: leaving the box fills the dialog.
    {
        ModalScript script;
        script.onDialog(t().line, [&](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), t().lineTitle);
            type(child<QLineEdit>(d, "Edit1"), "A01");
            leave(child<QLineEdit>(d, "Edit1"));
            EXPECT_EQ(child<QLineEdit>(d, "Edit2")->text(), "螺丝");
            EXPECT_EQ(child<QLineEdit>(d, "Edit8")->text(), "10");
            EXPECT_EQ(child<QLineEdit>(d, "Edit9")->text(), "4");
            type(child<QLineEdit>(d, "Edit9"), "6");
            type(child<QLineEdit>(d, "Edit10"), "3");
            click(d, "BitBtn1");
        });
        click(f.BitBtn10);
        script.verify();
    }
    EXPECT_EQ(stock("A01"), 10 + goodsSign() * 3);
    EXPECT_EQ(cost("A01"), 4);
    EXPECT_EQ(text(QStringLiteral("select %1+%2 from %3").arg(k().categoryColumn(), k().columns.partner, k().tables.lines)),
              "出售大众商场");
    EXPECT_EQ(figures(), QStringList({"18", "0", "18"}));

    // The same article again is refused; a price that is no number is the conversion error
    // for goods out (the dialog stays) and the failure of the store for goods in (it closes).
    {
        ModalScript script;
        script.onDialog(t().line, [&](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), "A01");
            type(child<QLineEdit>(d, "Edit9"), "6");
            type(child<QLineEdit>(d, "Edit10"), "1");
            click(d, "BitBtn1");
            EXPECT_TRUE(d->isVisible());
            type(child<QLineEdit>(d, "Edit1"), "A02");
            type(child<QLineEdit>(d, "Edit9"), "x6");
            click(d, "BitBtn1");
            EXPECT_EQ(d->isVisible(), k().goods == Flow::Out);
            if (d->isVisible())
                click(d, "BitBtn2");
        });
        script.expectBox(kInfo, "一种商品代码只能在明细表中添加一次！");
        if (k().goods == Flow::Out)
            script.expectError("'x6' is not a valid floating point value");
        else
            script.expectBox(kInfo, "商品数据添加失败，请重新添加！");
        click(f.BitBtn10);
        script.verify();
    }
    EXPECT_EQ(count(k().tables.lines), 1);
    EXPECT_EQ(stock("A02"), 0);

    // Negative figures are refused and the dialog stays.
    {
        ModalScript script;
        script.onDialog(t().line, [&](QWidget* d) {
            type(child<QLineEdit>(d, "Edit1"), "A02");
            type(child<QLineEdit>(d, "Edit9"), "-1");
            type(child<QLineEdit>(d, "Edit10"), "2");
            click(d, "BitBtn1");
            EXPECT_TRUE(d->isVisible());
            click(d, "BitBtn2");
        });
        script.expectBox(kInfo, "单价、数量和金额不能为负数！");
        click(f.BitBtn10);
        script.verify();
    }
    EXPECT_EQ(count(k().tables.lines), 1);

    // By picker: the kind's pick mode and price rule.
    {
        ModalScript script;
        script.onDialog(t().line, [&](QWidget* d) {
            ModalScript picker;
            picker.onDialog("TForm6", [](QWidget* list) {
                auto* goods = qobject_cast<TForm6*>(list);
                ASSERT_NE(goods, nullptr);
                clickCell(goods->DBGrid1, 1);
                goods->DBGrid1DblClick();
            });
            click(d, "BitBtn14");
            picker.verify();
            EXPECT_EQ(myvar::goodsPickMode, t().pickMode);
            EXPECT_EQ(child<QLineEdit>(d, "Edit1")->text(), "A02");
            EXPECT_EQ(child<QLineEdit>(d, "Edit9")->text(), t().pickedPrice);
            type(child<QLineEdit>(d, "Edit10"), "2");
            click(d, "BitBtn1");
        });
        click(f.BitBtn10);
        script.verify();
    }
    EXPECT_EQ(stock("A02"), goodsSign() * 2);
    EXPECT_EQ(columnTexts(f.DBGrid1, 0), QStringList({"A01", "A02"}));
    const double pickedAmount = 2 * t().pickedPrice.toDouble();
    EXPECT_EQ(f.Label18->text(), numText(18 + pickedAmount));

    // Money: the dialog's texts, the cash in its direction.
    {
        ModalScript script;
        script.onDialog(t().money, [&](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), t().moneyTitle);
            QStringList labels;
            for (int i : {2, 4, 5, 7, 8, 9})
                labels << child<QLabel>(d, QStringLiteral("Label%1").arg(i))->text();
            EXPECT_EQ(labels, t().moneyLabels);
            EXPECT_EQ(child<QLineEdit>(d, "Edit2")->text(), "1000");
            EXPECT_EQ(child<QComboBox>(d, "ComboBox1")->currentText(), k().money == Flow::In ? "货款" : "退款");
            type(child<QLineEdit>(d, "Edit1"), "D1");
            type(child<QLineEdit>(d, "Edit3"), "-10");
            click(d, "BitBtn1");
            EXPECT_TRUE(d->isVisible());
            type(child<QLineEdit>(d, "Edit3"), "10");
            click(d, "BitBtn1");
        });
        script.expectBox(kInfo, "单价、数量和金额不能为负数！");
        click(f.BitBtn12);
        script.verify();
    }
    EXPECT_EQ(cash(), 1000 + cashSign() * 10);
    EXPECT_EQ(settled(k(), number(1)), 10);
    EXPECT_EQ(columnTexts(f.DBGrid2, 0), QStringList({"D1"}));
    EXPECT_EQ(figures(), QStringList({numText(18 + pickedAmount), "10", numText(8 + pickedAmount)}));
    // A document number longer than its column is cut at the column's 20 characters as it is typed.
    addMoney(QString(21, QLatin1Char('9')), "5");
    EXPECT_EQ(text("select dh from " + k().tables.money + " where " + k().moneyAmountColumn() + "=5"),
              QString(20, QLatin1Char('9')));
    EXPECT_EQ(cash(), 1000 + cashSign() * 15);
    run("delete from " + k().tables.money + " where " + k().moneyAmountColumn() + "=5");
    run(QStringLiteral("update J_zjb set je=je-(%1)").arg(cashSign() * 5));
    run("update " + k().tables.header + " set " + k().settledColumn() + "=" + k().settledColumn() + "-5 where pzh='"
        + number(1) + "'");
    EXPECT_EQ(count(k().tables.money), 1);

    // Removal gives back stock and cash.
    clickCell(f.DBGrid1, 0);
    {
        ModalScript script;
        script.expectBox(kInfo, "确定将删除: 螺丝 吗？", QMessageBox::Ok, QMessageBox::Warning);
        click(f.BitBtn11);
        script.verify();
    }
    EXPECT_EQ(stock("A01"), 10);
    EXPECT_EQ(due(k(), number(1)), pickedAmount);
    clickCell(f.DBGrid2, 0);
    {
        ModalScript script;
        script.expectBox(kInfo, "确定将删除: D1 吗？", QMessageBox::Ok, QMessageBox::Warning);
        click(f.BitBtn13);
        script.verify();
    }
    EXPECT_EQ(cash(), 1000);
    EXPECT_EQ(settled(k(), number(1)), 0);
    EXPECT_EQ(figures(), QStringList({numText(pickedAmount), "0", numText(pickedAmount)}));
}

TEST_P(TradeScreenTest, NavigationFindAndPrint)
{
    addVoucher(1);
    addVoucher(2);
    VoucherScreen& f = open();
    {
        ModalScript script;
        script.expectBox(kInfo, "已到首记录！");
        click(f.BitBtn2);
        script.verify();
    }
    click(f.BitBtn4);
    EXPECT_EQ(f.DBText1->text(), number(2));
    const QStringList& m = t().messages;
    {
        ModalScript script;
        script.answerInput(m[1], m[2], t().otherPrefix)
            .expectBox(kInfo, m[3])
            .answerInput(m[1], m[2], number(1));
        click(f.BitBtn7);
        EXPECT_EQ(f.DBText1->text(), number(2));
        click(f.BitBtn7);
        script.verify();
    }
    EXPECT_EQ(f.DBText1->text(), number(1));

    addLine("A01", "6", "3");
    addMoney("D1", "8");
    ModalScript script;
    script.onDialog("TForm40", [&](QWidget* d) {
        auto* preview = qobject_cast<TForm40*>(d);
        ASSERT_NE(preview, nullptr);
        const VoucherPrintData& p = preview->data();
        EXPECT_EQ(QStringList({p.number, p.partner, p.category, p.due, p.paid, p.outstanding}),
                  QStringList({number(1), "大众商场", "出售", "18", "8", "10"}));
        ASSERT_EQ(p.lines.size(), 1);
        EXPECT_EQ(p.lines[0].amount, "18");
        const VoucherPrintPage& page = preview->document().pages[0];
        EXPECT_EQ(page.textsNamed("QRLabel1").value(0).text, t().printTitle);
        EXPECT_EQ(page.textsNamed("QRLabel4").value(0).text, t().printPartner);
        preview->reject();
    });
    click(f.BitBtn8);
    script.verify();
}

INSTANTIATE_TEST_SUITE_P(Kinds, TradeScreenTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<KindTexts>& info) { return std::string(info.param.test); });
