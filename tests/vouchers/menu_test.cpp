// The main window's menu entry opens the purchase voucher screen.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "app/MainWindow.h"
#include "vouchers/TradeVoucherScreens.h"

#include <QApplication>

class VoucherMenuTest : public InitializedDbTest {};

TEST_F(VoucherMenuTest, PurchaseEntryOpensThePurchaseVoucherModally)
{
    TForm1 w;
    ModalScript login;
    login.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { click(d, QStringLiteral("BitBtn1")); });
    w.show();
    login.verify();

    ModalScript script;
    script.onDialog(QStringLiteral("TForm8"), [](QWidget* d) {
        EXPECT_NE(qobject_cast<TForm8*>(d), nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("采购商品入库"));
        EXPECT_TRUE(d->isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), d);
        click(d, QStringLiteral("BitBtn9"));
    });
    clickMenu(&w, QStringLiteral("N6"));
    script.verify();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // A fresh screen each time: the first one is gone.
    EXPECT_TRUE(w.findChildren<TForm8*>().isEmpty());
}
