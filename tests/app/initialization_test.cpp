// The system initialization screen: its question, its label and a refused statement.
#include "AppFixture.h"

#include "app/InitializationScreen.h"

#include <QLabel>

namespace {

const QString kQuestion = QStringLiteral("系统初始化将清除所有数据，你确定初始化吗?");
const QString kWarning = QStringLiteral("警告");

QString runInitialization(QMessageBox::StandardButton answer, const QString& error = QString())
{
    TForm53 screen;
    QString label;
    ModalScript script;
    script.onDialog(QStringLiteral("TForm53"), [&](QWidget* d) {
        click(d, QStringLiteral("BitBtn1"));
        label = child<QLabel>(d, QStringLiteral("Label1"))->text();
        click(d, QStringLiteral("BitBtn2"));
    });
    script.expectBox(kWarning, kQuestion, answer);
    if (!error.isEmpty())
        script.expectError(error);
    screen.exec();
    script.verify();
    return label;
}

TEST_F(AppTest, CancelChangesNothingAndOkStartsAfresh)
{
    execSql(QStringLiteral("insert into J_spb(spdm,spmc) values('0001','螺丝')"));
    execSql(QStringLiteral("update J_czyb set czymc='王''s',czymm='1'"));

    EXPECT_EQ(runInitialization(QMessageBox::Cancel), QStringLiteral("注意：系统初始化将清除所有数据                 "));
    EXPECT_EQ(rowCount(QStringLiteral("select * from J_spb")), 1);

    EXPECT_EQ(runInitialization(QMessageBox::Ok), QStringLiteral("系统初始化成功，请继续操作！            "));
    EXPECT_EQ(rowCount(QStringLiteral("select * from J_spb")), 0);
    EXPECT_EQ(rowCount(QStringLiteral("select * from J_czyb where czydm='1001' and czymc='管理员' and czymm='530162'")), 1);
    EXPECT_EQ(rowCount(QStringLiteral("select * from J_czyb")), 1);
    // The running session is untouched.
    EXPECT_EQ(myvar::operatorName, QStringLiteral("管理员"));
}

TEST_F(EmptyDbAppTest, AClosedConnectionIsOpenedAndAnEmptyFileGetsEveryTable)
{
    Database::shared().close();
    EXPECT_EQ(runInitialization(QMessageBox::Ok), QStringLiteral("系统初始化成功，请继续操作！            "));
    EXPECT_EQ(Database::shared().tableNames().size(), 32);
}

TEST_F(EmptyDbAppTest, ARefusedStatementStopsThereAndKeepsTheLabel)
{
    // Something else named like the second table: its creation is refused.
    execSql(QStringLiteral("create view J_zgb as select 1 as x"));
    const QString label = runInitialization(QMessageBox::Ok, QStringLiteral("table J_zgb already exists"));
    EXPECT_EQ(label, QStringLiteral("系统正在初始化，请稍后... ...        "));
    const QStringList tables = Database::shared().tableNames();
    EXPECT_TRUE(tables.contains(QStringLiteral("J_yhb")));
    EXPECT_FALSE(tables.contains(QStringLiteral("J_rklbb")));
}

} // namespace
