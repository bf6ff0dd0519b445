// The main window's menu entries open the trade voucher screens; the start-up overdue
// alarm follows the sales vouchers entered on them.
#include "VoucherTestDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "app/MainWindow.h"
#include "vouchers/TradeVoucherScreens.h"
#include "widgets/DataControls.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <functional>

namespace {

struct EntryCase {
    const char* entry;
    const char* screen;
    const char* title;
};

void logIn(TForm1& w, std::function<void(ModalScript&)> alarms = {})
{
    ModalScript login;
    login.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { click(d, QStringLiteral("BitBtn1")); });
    if (alarms)
        alarms(login);
    w.show();
    login.verify();
}

} // namespace

class VoucherMenuTest : public VoucherDbTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(VoucherMenuTest, EntryOpensItsVoucherScreenModally)
{
    const EntryCase& c = GetParam();
    TForm1 w;
    logIn(w);

    ModalScript script;
    script.onDialog(QString::fromUtf8(c.screen), [&](QWidget* d) {
        EXPECT_NE(qobject_cast<VoucherScreen*>(d), nullptr);
        EXPECT_EQ(d->metaObject()->className(), std::string(c.screen));
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_TRUE(d->isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), d);
        click(d, QStringLiteral("BitBtn9"));
    });
    clickMenu(&w, QString::fromUtf8(c.entry));
    script.verify();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // A fresh screen each time: the first one is gone.
    EXPECT_TRUE(w.findChildren<VoucherScreen*>().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Entries, VoucherMenuTest,
                         ::testing::Values(EntryCase{"N6", "TForm8", "采购商品入库"},
                                           EntryCase{"N7", "TForm11", "销售商品出库"},
                                           EntryCase{"N9", "TForm14", "采购商品退货出库"},
                                           EntryCase{"N10", "TForm15", "销售商品退货入库"}),
                         [](const ::testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.entry); });

class OverdueAlarmTest : public VoucherDbTest {
protected:
    // Runs the program's start-up: the alarm lists that many debtors, or does not open for none.
    void expectDebtorsAtStartUp(int debtors)
    {
        int rows = 0;
        TForm1 w;
        logIn(w, [&](ModalScript& s) {
            if (debtors)
                s.onDialog(QStringLiteral("TForm44"), [&](QWidget* d) {
                    rows = child<QTableView>(d, QStringLiteral("DBGrid1"))->model()->rowCount();
                    click(d, QStringLiteral("BitBtn21"));
                });
        });
        EXPECT_EQ(rows, debtors);
    }
    // Starts the program, closes the alarm when it shows, opens the sales screen from the
    // menu and works on it.
    void onSalesScreen(bool alarmed, const std::function<void(TForm11&)>& work)
    {
        TForm1 w;
        logIn(w, [&](ModalScript& s) {
            if (alarmed)
                s.onDialog(QStringLiteral("TForm44"), [](QWidget* d) { click(d, QStringLiteral("BitBtn21")); });
        });
        ModalScript script;
        script.onDialog(QStringLiteral("TForm11"), [&](QWidget* d) {
            work(*qobject_cast<TForm11*>(d));
            click(d, QStringLiteral("BitBtn9"));
        });
        clickMenu(&w, QStringLiteral("N7"));
        script.verify();
    }
};

TEST_F(OverdueAlarmTest, ASaleDueAndUnpaidAlarmsUntilItIsMarkedSettled)
{
    run("insert into J_khb(khdm,khmc,lb1) values('K2','大众商场','购货商')");
    addArticle("A01", "螺丝", 4, 10);
    expectDebtorsAtStartUp(0);

    onSalesScreen(false, [&](TForm11& f) {
        click(f.BitBtn5);
        choose(f.DBComboBox2, QStringLiteral("大众商场"));
        type(f.DBEdit3, shortDate(QDate::currentDate().addDays(-1)));
        click(f.BitBtn5);
        ModalScript line;
        line.onDialog(QStringLiteral("TForm12"), [](QWidget* d) {
            type(child<QLineEdit>(d, QStringLiteral("Edit1")), QStringLiteral("A01"));
            leave(child<QLineEdit>(d, QStringLiteral("Edit1")));
            type(child<QLineEdit>(d, QStringLiteral("Edit9")), QStringLiteral("6"));
            type(child<QLineEdit>(d, QStringLiteral("Edit10")), QStringLiteral("3"));
            click(d, QStringLiteral("BitBtn1"));
        });
        click(f.BitBtn10);
        line.verify();
        ModalScript receipt;
        receipt.onDialog(QStringLiteral("TForm13"), [](QWidget* d) {
            type(child<QLineEdit>(d, QStringLiteral("Edit1")), QStringLiteral("S1"));
            type(child<QLineEdit>(d, QStringLiteral("Edit3")), QStringLiteral("10"));
            click(d, QStringLiteral("BitBtn1"));
        });
        click(f.BitBtn12);
        receipt.verify();
        EXPECT_EQ(f.Label15->text(), QStringLiteral("8"));
    });
    expectDebtorsAtStartUp(1);

    onSalesScreen(true, [](TForm11& f) {
        click(f.BitBtn6);
        click(f.DBCheckBox1);
        click(f.BitBtn5);
    });
    EXPECT_EQ(num("select fqf from J_xsb"), 1);
    expectDebtorsAtStartUp(0);
}
