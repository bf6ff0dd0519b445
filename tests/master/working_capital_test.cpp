// TForm50: the opening cash balance, registered only while it stands at zero.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "master/WorkingCapitalScreen.h"

#include <QLineEdit>

namespace {
class WorkingCapital : public InitializedDbTest {
protected:
    static QString balance()
    {
        ResultSet rs;
        rs.open(QStringLiteral("select je from J_zjb"));
        return rs.isEmpty() ? QStringLiteral("<no row>") : rs.text(QStringLiteral("je"));
    }
    static void setBalance(const QString& je)
    {
        Database::shared().exec(QStringLiteral("update J_zjb set je=") + je);
    }
    // Opens the dialog, types the amount when the box is open, presses "确定".
    static void registerAmount(const QString& amount)
    {
        TForm50 dialog;
        dialog.show();
        auto* edit = child<QLineEdit>(&dialog, QStringLiteral("Edit1"));
        if (edit->isEnabled())
            type(edit, amount);
        click(&dialog, QStringLiteral("BitBtn1"));
        EXPECT_FALSE(dialog.isVisible());
    }
};
} // namespace

TEST_F(WorkingCapital, TheBoxIsOpenOnlyWhileTheBalanceIsZero)
{
    struct Case {
        const char* stored;
        const char* shown;
        bool open;
    };
    const Case cases[] = {{"0", "0", true}, {"1234.5", "1234.5", false}, {"-20", "-20", false}, {"0.01", "0.01", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        setBalance(QString::fromLatin1(c.stored));
        TForm50 dialog;
        dialog.show();
        auto* edit = child<QLineEdit>(&dialog, QStringLiteral("Edit1"));
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(edit->isEnabled(), c.open);
    }
}

TEST_F(WorkingCapital, RegisteringLocksTheBalance)
{
    registerAmount(QStringLiteral("5000"));
    EXPECT_EQ(balance(), QStringLiteral("5000"));

    // Locked now: "确定" writes the same balance back.
    registerAmount(QStringLiteral("100"));
    EXPECT_EQ(balance(), QStringLiteral("5000"));
}

TEST_F(WorkingCapital, AmountsThatCannotBeStoredLeaveTheBalanceAsItWas)
{
    for (const QString& amount : {QStringLiteral("abc"), QString(), QStringLiteral("1e12")}) {
        SCOPED_TRACE(amount.toStdString());
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("注册流动资金失败!"));
        registerAmount(amount);
        script.verify();
        EXPECT_EQ(balance(), QStringLiteral("0"));
    }
}

TEST_F(WorkingCapital, AMissingRowCanStillBeRegistered)
{
    Database::shared().exec(QStringLiteral("delete from J_zjb"));
    registerAmount(QStringLiteral("300"));
    EXPECT_EQ(balance(), QStringLiteral("300"));
}
