// The login: who gets in, with which menu rights, and what ends the program.
#include "AppFixture.h"

#include "app/LoginScreen.h"
#include "db/SqlText.h"

#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kHint = QStringLiteral("提示");
const QString kWrongPassword = QStringLiteral("密码不正确   !");

struct Login {
    MenuRights rights = MenuRights::all(); // something FormShow must overwrite
    int applied = 0;
    TForm37 screen{nullptr, [this](const MenuRights& r) {
                       rights = r;
                       ++applied;
                   }};
    int run() { return screen.exec(); }
};

// Types code and password as an operator would: the code, leaving the field, the password.
void typeLogin(QWidget* d, const QString& code, const QString& password)
{
    auto* edit3 = child<QLineEdit>(d, QStringLiteral("Edit3"));
    type(edit3, code);
    leave(edit3);
    type(child<QLineEdit>(d, QStringLiteral("Edit1")), password);
}

QStringList loggedNames()
{
    QStringList names;
    ResultSet rs;
    rs.open(QStringLiteral("select czy from J_rzb order by rzrq"));
    for (int row = 0; row < rs.recordCount(); ++row)
        names << rs.valueAt(row, 0).toString();
    return names;
}

TEST_F(AppTest, OnePressLogsInTheSeededAdministratorAndWritesTheLog)
{
    myvar::operatorName.clear();
    myvar::operatorCode.clear();
    Login login;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
        EXPECT_EQ(child<QGroupBox>(d, QStringLiteral("GroupBox1"))->title(),
                  QStringLiteral("今天是：") + chineseDate(QDate::currentDate()));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(login.run(), QDialog::Accepted);
    script.verify();
    EXPECT_EQ(login.rights, MenuRights::all());
    EXPECT_EQ(myvar::operatorName, QStringLiteral("管理员"));
    EXPECT_EQ(myvar::operatorCode, QStringLiteral("1001"));
    EXPECT_EQ(loggedNames(), QStringList{QStringLiteral("管理员")});
    ResultSet log;
    log.open(QStringLiteral("select rzrq from J_rzb"));
    EXPECT_EQ(log.value(0).toDateTime().date(), QDate::currentDate());
    EXPECT_FALSE(m_end.ended);
}

TEST_F(AppTest, TheOperatorCodeDecidesTheMenuRights)
{
    execSql(QStringLiteral("update J_czyb set czymm='pw'"));
    for (const char* code : {"3001", "2001", "1002", "4001"})
        execSql(QStringLiteral("insert into J_czyb(czydm,czymc,czymm) values('%1','员工%1','pw')").arg(code));
    const struct {
        const char* code;
        const char* name;
        MenuRights rights;
    } cases[] = {
        {"1001", "管理员", MenuRights::all()},
        {"3001", "员工3001", {false, true, false, false, true}},
        {"2001", "员工2001", {false, false, true, false, true}},
        {"1002", "员工1002", MenuRights::none()},
        {"4001", "员工4001", MenuRights::none()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        Login login;
        ModalScript script;
        script.onDialog(QStringLiteral("TForm37"), [&](QWidget* d) {
            typeLogin(d, QLatin1String(c.code), QStringLiteral("pw"));
            click(d, QStringLiteral("BitBtn1"));
        });
        EXPECT_EQ(login.run(), QDialog::Accepted);
        script.verify();
        EXPECT_EQ(login.rights, c.rights);
        EXPECT_EQ(myvar::operatorCode, QLatin1String(c.code));
        EXPECT_EQ(myvar::operatorName, QString::fromUtf8(c.name));
    }
    EXPECT_EQ(loggedNames().size(), 5);
}

TEST_F(AppTest, TheThirdWrongPasswordEndsTheProgram)
{
    Login login;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
        for (const char* wrong : {"1", "530163", "530162 "}) {
            type(child<QLineEdit>(d, QStringLiteral("Edit1")), QLatin1String(wrong));
            click(d, QStringLiteral("BitBtn1"));
        }
    });
    script.expectBox(kHint, kWrongPassword).expectBox(kHint, kWrongPassword).expectBox(kHint, kWrongPassword);
    EXPECT_EQ(login.run(), QDialog::Rejected);
    script.verify();
    EXPECT_TRUE(m_end.ended);
    EXPECT_EQ(myvar::loginFailures, 3);
    EXPECT_EQ(login.rights, MenuRights::none());
    EXPECT_TRUE(loggedNames().isEmpty());
}

TEST_F(AppTest, TwoWrongPasswordsThenTheRightOneLogIn)
{
    Login login;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
        for (const char* password : {"x", "y", "530162"}) {
            type(child<QLineEdit>(d, QStringLiteral("Edit1")), QLatin1String(password));
            click(d, QStringLiteral("BitBtn1"));
        }
    });
    script.expectBox(kHint, kWrongPassword).expectBox(kHint, kWrongPassword);
    EXPECT_EQ(login.run(), QDialog::Accepted);
    script.verify();
    EXPECT_FALSE(m_end.ended);
    EXPECT_EQ(myvar::loginFailures, 2);
    EXPECT_EQ(login.rights, MenuRights::all());
}

TEST_F(AppTest, MissingInputsAndUnknownCodesKeepTheScreenOpen)
{
    myvar::operatorName.clear();
    Login login;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
        auto* edit3 = child<QLineEdit>(d, QStringLiteral("Edit3"));
        auto* edit1 = child<QLineEdit>(d, QStringLiteral("Edit1"));
        type(edit3, QString());
        click(d, QStringLiteral("BitBtn1"));
        type(edit3, QStringLiteral("1001"));
        type(edit1, QString());
        click(d, QStringLiteral("BitBtn1"));
        // A quote in the code is just a character of an unknown code.
        type(edit3, QStringLiteral("1001' or '1'='1"));
        leave(edit3);
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("Edit2"))->text(), QStringLiteral("无此操作员"));
        // The administrator's password found before does not open an unknown code.
        type(edit1, QStringLiteral("530162"));
        click(d, QStringLiteral("BitBtn1"));
        click(d, QStringLiteral("BitBtn2"));
    });
    script.expectBox(kHint, QStringLiteral("请输入操作员代码!"))
        .expectBox(kHint, QStringLiteral("请输入操作员密码!"))
        .expectBox(kHint, QStringLiteral("无此操作员代码！"))
        .expectBox(kHint, kWrongPassword);
    EXPECT_EQ(login.run(), QDialog::Rejected);
    script.verify();
    EXPECT_TRUE(m_end.ended); // 返回
    EXPECT_TRUE(myvar::operatorName.isEmpty());
}

TEST_F(AppTest, ChangingTheCodeWithoutLeavingTheFieldChecksTheNewOperator)
{
    execSql(QStringLiteral("insert into J_czyb(czydm,czymc,czymm) values('3001','王''s','abc')"));
    Login login;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
        auto* edit3 = child<QLineEdit>(d, QStringLiteral("Edit3"));
        type(edit3, QStringLiteral("3001"));
        leave(edit3);
        // Back to 1001 and straight to 确定: 3001's password must not let 1001 in.
        type(edit3, QStringLiteral("1001"));
        type(child<QLineEdit>(d, QStringLiteral("Edit1")), QStringLiteral("abc"));
        click(d, QStringLiteral("BitBtn1"));
        typeLogin(d, QStringLiteral("3001"), QStringLiteral("abc"));
        click(d, QStringLiteral("BitBtn1"));
    });
    script.expectBox(kHint, kWrongPassword);
    EXPECT_EQ(login.run(), QDialog::Accepted);
    script.verify();
    EXPECT_EQ(myvar::operatorName, QStringLiteral("王's"));
    EXPECT_EQ(loggedNames(), QStringList{QStringLiteral("王's")});
    EXPECT_EQ(login.rights, (MenuRights{false, true, false, false, true}));
}

TEST_F(AppTest, ALogRowThatCannotBeWrittenIsReportedWithTheOperatorAlreadySet)
{
    execSql(QStringLiteral("drop table J_rzb"));
    myvar::operatorName.clear();
    myvar::operatorCode.clear();
    Login login;
    bool stayedOpen = false;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm37"), [&](QWidget* d) {
        EXPECT_EQ(d->focusWidget(), child<QLineEdit>(d, QStringLiteral("Edit3")));
        click(d, QStringLiteral("BitBtn1"));
        stayedOpen = d->isVisible();
        d->close();
    });
    script.expectAnyError();
    EXPECT_EQ(login.run(), QDialog::Rejected);
    script.verify();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(login.rights, MenuRights::all());
    EXPECT_EQ(myvar::operatorName, QStringLiteral("管理员"));
    EXPECT_EQ(myvar::operatorCode, QStringLiteral("1001"));
    EXPECT_FALSE(m_end.ended);
}

TEST_F(EmptyDbAppTest, ANeverInitializedDatabaseLetsTheUserInWithoutPassword)
{
    Login login;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
        type(child<QLineEdit>(d, QStringLiteral("Edit1")), QStringLiteral("wrong"));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(login.run(), QDialog::Accepted);
    script.verify();
    EXPECT_EQ(login.rights, MenuRights::all());
    EXPECT_TRUE(myvar::operatorName.isEmpty());
    EXPECT_TRUE(myvar::operatorCode.isEmpty());
    EXPECT_TRUE(Database::shared().tableNames().isEmpty());
}

// A file the program cannot open: another password, or not a database at all.
class ConnectionFailureTest : public EmptyDbAppTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ConnectionFailureTest, ShowsTheConnectionErrorAndEndsTheProgram)
{
    Database::shared().close();
    const QString file = myvar::databaseFile();
    QFile::remove(file);
    if (GetParam()) {
        Database other;
        other.open(file, QStringLiteral("other"));
        other.exec(QStringLiteral("create table J_czyb(czydm char(4))"));
        other.close();
    } else {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
    }
    Login login;
    ModalScript script;
    script.expectBox(QStringLiteral("警告"), QStringLiteral("连接数据库错误！"), QMessageBox::Ok,
                     QMessageBox::Information);
    EXPECT_EQ(login.run(), QDialog::Rejected);
    script.verify();
    EXPECT_TRUE(m_end.ended);
    EXPECT_FALSE(Database::shared().isOpen());
    EXPECT_EQ(login.applied, 0);
}

INSTANTIATE_TEST_SUITE_P(OtherPasswordOrDamaged, ConnectionFailureTest, ::testing::Bool());

TEST_F(EmptyDbAppTest, TheFirstStartCreatesTheDatabaseFile)
{
    Database::shared().close();
    QFile::remove(myvar::databaseFile());
    Login login;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { click(d, QStringLiteral("BitBtn1")); });
    EXPECT_EQ(login.run(), QDialog::Accepted);
    script.verify();
    EXPECT_TRUE(QFile::exists(myvar::databaseFile()));
    EXPECT_EQ(login.rights, MenuRights::all());
}

} // namespace

// Enter in the code looks the operator up and goes to the password; Enter there logs in.
TEST_F(AppTest, EnterThroughCodeAndPasswordLogsInAndEscEndsTheProgram)
{
    {
        Login login;
        ModalScript script;
        script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
            d->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(d));
            auto* code = child<QLineEdit>(d, QStringLiteral("Edit3"));
            code->setFocus();
            type(code, QStringLiteral("1001"));
            QTest::keyClick(code, Qt::Key_Return);
            EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("Edit2"))->text(), QStringLiteral("管理员"));
            auto* password = child<QLineEdit>(d, QStringLiteral("Edit1"));
            EXPECT_EQ(QApplication::focusWidget(), password);
            type(password, QStringLiteral("530162"));
            QTest::keyClick(password, Qt::Key_Return);
        });
        EXPECT_EQ(login.run(), QDialog::Accepted);
        script.verify();
        EXPECT_EQ(myvar::operatorName, QStringLiteral("管理员"));
        EXPECT_FALSE(m_end.ended);
    }
    {
        Login login;
        ModalScript script;
        script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
            d->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(d));
            // "返回" ends the program: Enter on it does nothing, Esc presses it.
            auto* back = child<QPushButton>(d, QStringLiteral("BitBtn2"));
            back->setFocus();
            QTest::keyClick(back, Qt::Key_Return);
            EXPECT_TRUE(d->isVisible());
            QTest::keyClick(child<QLineEdit>(d, QStringLiteral("Edit1")), Qt::Key_Escape);
        });
        EXPECT_EQ(login.run(), QDialog::Rejected);
        script.verify();
        EXPECT_TRUE(m_end.ended);
    }
}
