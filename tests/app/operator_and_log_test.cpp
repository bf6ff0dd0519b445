// Renaming the operator, setting the password, and listing the logins.
#include "AppFixture.h"

#include "app/LoginLogScreen.h"
#include "app/LoginScreen.h"
#include "app/OperatorScreen.h"
#include "db/SqlText.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QTableView>

namespace {

const QString kHint = QStringLiteral("提示");

QString operatorRow()
{
    ResultSet rs;
    rs.open(QStringLiteral("select czydm,czymc,czymm from J_czyb"));
    return rs.text(QStringLiteral("czydm")) + QLatin1Char('|') + rs.text(QStringLiteral("czymc")) + QLatin1Char('|') +
           rs.text(QStringLiteral("czymm"));
}

struct OperatorCase {
    const char* name;
    const char* password;
    const char* repeat;
    const char* message;
    const char* rowAfter;
    bool closes;
};

class OperatorScreenTest : public AppTest, public ::testing::WithParamInterface<OperatorCase> {};

TEST_P(OperatorScreenTest, SaveChecksThenRenamesOrReportsTheFailure)
{
    const OperatorCase& c = GetParam();
    TForm36 screen;
    bool closedBySave = false;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm36"), [&](QWidget* d) {
        auto* combo = child<QComboBox>(d, QStringLiteral("ComboBox1"));
        EXPECT_EQ(combo->count(), 1);
        EXPECT_EQ(combo->itemText(0), QStringLiteral("管理员"));
        choose(combo, QStringLiteral("管理员"));
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("Edit1"))->text(), QStringLiteral("1001"));
        // A new name keeps the code last found.
        type(combo, QString::fromUtf8(c.name));
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("Edit1"))->text(), QStringLiteral("1001"));
        type(child<QLineEdit>(d, QStringLiteral("Edit2")), QString::fromUtf8(c.password));
        type(child<QLineEdit>(d, QStringLiteral("Edit3")), QString::fromUtf8(c.repeat));
        click(d, QStringLiteral("BitBtn1"));
        closedBySave = !d->isVisible();
        if (!closedBySave)
            click(d, QStringLiteral("BitBtn2"));
    });
    script.expectBox(kHint, QString::fromUtf8(c.message));
    screen.exec();
    script.verify();
    EXPECT_EQ(closedBySave, c.closes);
    EXPECT_EQ(operatorRow(), QString::fromUtf8(c.rowAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OperatorScreenTest,
    ::testing::Values(OperatorCase{"王's", "123", "123", "操作员、密码修改成功！!", "1001|王's|123", true},
                      OperatorCase{"", "123", "123", "请输入操作员名称", "1001|管理员|530162", false},
                      OperatorCase{"李四", "", "", "密码不允许空！", "1001|管理员|530162", false},
                      OperatorCase{"李四", "123", "124", "两次密码不一致，请重新输入!", "1001|管理员|530162", false},
                      OperatorCase{"李四", "Ab1", "ab1", "两次密码不一致，请重新输入!", "1001|管理员|530162", false},
                      // Longer than the stored six characters, or a name longer than ten.
                      OperatorCase{"李四", "1234567", "1234567", "修改操作员信息失败！!", "1001|管理员|530162", true},
                      OperatorCase{"一二三四五六七八九十一", "1", "1", "修改操作员信息失败！!", "1001|管理员|530162", true}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(AppTest, TheNewNameAndPasswordTakeEffectAtTheNextLogin)
{
    {
        TForm36 screen;
        ModalScript script;
        script.onDialog(QStringLiteral("TForm36"), [](QWidget* d) {
            type(child<QComboBox>(d, QStringLiteral("ComboBox1")), QStringLiteral("王's"));
            type(child<QLineEdit>(d, QStringLiteral("Edit2")), QStringLiteral("9'9"));
            type(child<QLineEdit>(d, QStringLiteral("Edit3")), QStringLiteral("9'9"));
            click(d, QStringLiteral("BitBtn1"));
        });
        script.expectBox(kHint, QStringLiteral("操作员、密码修改成功！!"));
        screen.exec();
        script.verify();
    }
    EXPECT_EQ(myvar::operatorName, QStringLiteral("管理员")); // the running session keeps its name
    MenuRights rights;
    TForm37 login(nullptr, [&](const MenuRights& r) { rights = r; });
    ModalScript script;
    script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
        type(child<QLineEdit>(d, QStringLiteral("Edit1")), QStringLiteral("9'9"));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(login.exec(), QDialog::Accepted);
    script.verify();
    EXPECT_EQ(myvar::operatorName, QStringLiteral("王's"));
    EXPECT_EQ(rights, MenuRights::all());
}

class LoginLogTest : public AppTest {
protected:
    void login(const QString& name, const QDateTime& when)
    {
        execSql(QStringLiteral("insert into J_rzb(rzrq,czy) values('%1',%2)").arg(dateTimeText(when), quoted(name)));
    }
    // The log listed for the operator between the two dates, as "date time|name".
    QStringList query(const QString& name, const QDate& from, const QDate& to)
    {
        TForm56 screen;
        QStringList rows;
        ModalScript script;
        script.onDialog(QStringLiteral("TForm56"), [&](QWidget* d) {
            auto* first = child<QDateEdit>(d, QStringLiteral("DateTimePicker1"));
            auto* last = child<QDateEdit>(d, QStringLiteral("DateTimePicker2"));
            EXPECT_EQ(first->date(), QDate::currentDate());
            EXPECT_EQ(last->date(), QDate::currentDate());
            first->setDate(from);
            last->setDate(to);
            type(child<QComboBox>(d, QStringLiteral("ComboBox1")), name);
            click(d, QStringLiteral("BitBtn1"));
            auto* grid = child<QTableView>(d, QStringLiteral("DBGrid1"));
            EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("登陆日期"));
            EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("操作员"));
            for (int row = 0; row < grid->model()->rowCount(); ++row)
                rows << cellText(grid, row, 0) + QLatin1Char('|') + cellText(grid, row, 1);
            click(d, QStringLiteral("BitBtn2"));
        });
        screen.exec();
        script.verify();
        return rows;
    }
};

TEST_F(LoginLogTest, ListsTheLoginsOfBothEndDaysInOrderForTheOperatorOnly)
{
    const QDate today = QDate::currentDate();
    const QDateTime earlyToday(today, QTime(0, 5, 0));
    const QDateTime lateToday(today, QTime(23, 59, 0));
    const QDateTime yesterday(today.addDays(-1), QTime(8, 0, 0));
    const QDateTime tomorrowMidnight(today.addDays(1), QTime(0, 0, 0));
    login(QStringLiteral("管理员"), lateToday);
    login(QStringLiteral("管理员"), earlyToday);
    login(QStringLiteral("管理员"), yesterday);
    login(QStringLiteral("管理员"), tomorrowMidnight);
    login(QStringLiteral("王's"), earlyToday);

    const QStringList todayOnly = query(QStringLiteral("管理员"), today, today);
    ASSERT_EQ(todayOnly.size(), 2);
    EXPECT_TRUE(todayOnly[0].endsWith(QStringLiteral("|管理员")));
    EXPECT_TRUE(todayOnly[0].startsWith(shortDate(today)));
    EXPECT_EQ(query(QStringLiteral("管理员"), today.addDays(-1), today).size(), 3);
    EXPECT_EQ(query(QStringLiteral("王's"), today, today).size(), 1);
    EXPECT_TRUE(query(QString(), today.addDays(-5), today.addDays(5)).isEmpty());
}

} // namespace
