// The main window: its menu, the start-up sequence with its alarms, backup and restore
// of the tree files, and the ways out.
#include "AppFixture.h"

#include "app/MainWindow.h"
#include "db/SqlText.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QTableView>

namespace {

const QString kHint = QStringLiteral("提示");

QList<QAction*> topLevel(TForm1& w)
{
    return {w.N1, w.N5, w.N17, w.N34, w.N35};
}

MenuRights rightsShown(TForm1& w)
{
    return {w.N1->isEnabled(), w.N5->isEnabled(), w.N17->isEnabled(), w.N34->isEnabled(), w.N35->isEnabled()};
}

void loginWithOnePress(ModalScript& script)
{
    script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { click(d, QStringLiteral("BitBtn1")); });
}

TEST_F(AppTest, TheMenuHoldsEveryEntryOnceUnderItsTopLevelEntry)
{
    TForm1 w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("岚桥进销存(单机版) Ver3.0"));
    const QList<QAction*> bar = w.MainMenu2->actions();
    ASSERT_EQ(bar.size(), 5);
    const char* const captions[] = {"基本信息设置", "业务管理", "查询、汇总与报表", "系统管理", "退出系统"};
    const int entries[] = {9, 8, 17, 10, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar[i], topLevel(w)[i]);
        EXPECT_EQ(bar[i]->text(), QString::fromUtf8(captions[i]));
        EXPECT_EQ(bar[i]->menu() ? bar[i]->menu()->actions().size() : 0, entries[i]) << captions[i];
    }
    // N1 … N47 exist once each, except the two numbers the menu never had.
    for (int n = 1; n <= 47; ++n) {
        const QString name = QStringLiteral("N%1").arg(n);
        const int found = int(w.findChildren<QAction*>(name).size());
        EXPECT_EQ(found, (n == 19 || n == 36) ? 0 : 1) << name.toStdString();
    }
    const QStringList separators = {"N42", "N3", "N8", "N20", "N27", "N23", "N25", "N43", "N38", "N48"};
    for (const QString& name : separators)
        EXPECT_TRUE(w.entry(name)->isSeparator()) << name.toStdString();
    EXPECT_EQ(w.entry(QStringLiteral("N24"))->text(), QStringLiteral("生成商品进、销、存、日记帐"));
    EXPECT_EQ(w.entry(QStringLiteral("N12"))->text(), QStringLiteral("进、销、存业务查询与图表分析"));
}

TEST_F(EmptyDbAppTest, ANeverInitializedDatabaseOpensEveryMenuAndNoAlarm)
{
    TForm1 w;
    ModalScript script;
    loginWithOnePress(script);
    w.show();
    script.verify();
    EXPECT_EQ(rightsShown(w), MenuRights::all());
    EXPECT_FALSE(m_end.ended);

    // System initialization is reachable from there.
    ModalScript init;
    init.onDialog(QStringLiteral("TForm53"),
                  [](QWidget* d) {
                      click(d, QStringLiteral("BitBtn1"));
                      click(d, QStringLiteral("BitBtn2"));
                  })
        .expectBox(QStringLiteral("警告"), QStringLiteral("系统初始化将清除所有数据，你确定初始化吗?"));
    clickMenu(&w, QStringLiteral("N41"));
    init.verify();
    EXPECT_EQ(Database::shared().tableNames().size(), 32);
}

TEST_F(AppTest, TheLoginDecidesTheMenuAndEndingTheLoginStopsTheStartUp)
{
    {
        TForm1 w;
        ModalScript script;
        script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { d->close(); });
        w.show();
        script.verify();
        EXPECT_EQ(rightsShown(w), MenuRights::none()); // closed by its close box: only 退出系统
        EXPECT_FALSE(m_end.ended);
    }
    {
        // An alarm would show, but 返回 ends the program first.
        execSql(QStringLiteral("insert into J_spb(spdm,xykc,kcxx) values('0001',1,5)"));
        TForm1 w;
        ModalScript script;
        script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { click(d, QStringLiteral("BitBtn2")); });
        w.show();
        script.verify();
        EXPECT_TRUE(m_end.ended);
    }
}

struct AlarmCase {
    const char* what;
    QStringList setup;
    int stockRows;   // rows TForm32 shows; 0: it does not open
    int overdueRows; // rows TForm44 shows; 0: it does not open
};

class AlarmTest : public AppTest, public ::testing::WithParamInterface<AlarmCase> {};

TEST_P(AlarmTest, AlarmScreensOpenAtStartUpExactlyWhenTheyHaveRows)
{
    for (QString sql : GetParam().setup)
        execSql(sql.replace(QStringLiteral("$today"), shortDate(QDate::currentDate()))
                    .replace(QStringLiteral("$tomorrow"), shortDate(QDate::currentDate().addDays(1))));
    TForm1 w;
    ModalScript script;
    loginWithOnePress(script);
    int stockRows = 0;
    int overdueRows = 0;
    if (GetParam().stockRows)
        script.onDialog(QStringLiteral("TForm32"), [&](QWidget* d) {
            stockRows = child<QTableView>(d, QStringLiteral("DBGrid1"))->model()->rowCount();
            click(d, QStringLiteral("BitBtn21"));
        });
    if (GetParam().overdueRows)
        script.onDialog(QStringLiteral("TForm44"), [&](QWidget* d) {
            overdueRows = child<QTableView>(d, QStringLiteral("DBGrid1"))->model()->rowCount();
            click(d, QStringLiteral("BitBtn21"));
        });
    w.show();
    script.verify();
    EXPECT_EQ(stockRows, GetParam().stockRows);
    EXPECT_EQ(overdueRows, GetParam().overdueRows);
}

const QString kOpenSale = QStringLiteral("insert into J_xsb(pzh,ghs,cklb,ysk,ssk,fqf,jzrq) values('%1','%2','批发',100,%3,%4,%5)");

INSTANTIATE_TEST_SUITE_P(
    StartUp, AlarmTest,
    ::testing::Values(
        AlarmCase{"nothing", {}, 0, 0},
        AlarmCase{"limit 0 never alarms",
                  {"insert into J_spb(spdm,xykc,kcxx) values('0001',-3,0)",
                   "insert into J_spb(spdm,xykc,kcxx) values('0002',6,5)"},
                  0, 0},
        AlarmCase{"at and below the limit",
                  {"insert into J_spb(spdm,xykc,kcxx) values('0001',5,5)",
                   "insert into J_spb(spdm,xykc,kcxx) values('0002',4,5)",
                   "insert into J_spb(spdm,xykc,kcxx) values('0003',6,5)",
                   "insert into J_spb(spdm,xykc,kcxx) values('0004',-1,1)"},
                  3, 0},
        AlarmCase{"due today", {kOpenSale.arg("XS1", "王''s", "0", "0", "'$today'")}, 0, 1},
        AlarmCase{"due tomorrow, settled, paid or without a date",
                  {kOpenSale.arg("XS1", "甲", "0", "0", "'$tomorrow'"),
                   kOpenSale.arg("XS2", "乙", "0", "1", "'$today'"),
                   kOpenSale.arg("XS3", "丙", "100", "0", "'$today'"),
                   kOpenSale.arg("XS4", "丁", "0", "0", "null")},
                  0, 0},
        AlarmCase{"both",
                  {"insert into J_spb(spdm,xykc,kcxx) values('0001',0,2)",
                   kOpenSale.arg("XS1", "甲", "20", "0", "'2001/1/1'"),
                   kOpenSale.arg("XS2", "乙", "0", "0", "'$today'")},
                  1, 2}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(AppTest, AlarmsOpenWhateverTheRightsAndAFailedAlarmQueryLeavesTheWindowUsable)
{
    execSql(QStringLiteral("insert into J_czyb(czydm,czymc,czymm) values('1002','店员','pw')"));
    execSql(QStringLiteral("insert into J_spb(spdm,xykc,kcxx) values('0001',1,5)"));
    // An overdue purchase return alone is not the start-up test's business.
    execSql(QStringLiteral("insert into J_cgthb(pzh,ths,cklb,ysk,ssk,fqf,jzrq) values('CT1','甲','退货',100,0,0,'2001/1/1')"));
    {
        TForm1 w;
        ModalScript script;
        script.onDialog(QStringLiteral("TForm37"), [](QWidget* d) {
            auto* edit3 = child<QLineEdit>(d, QStringLiteral("Edit3"));
            type(edit3, QStringLiteral("1002"));
            leave(edit3);
            type(child<QLineEdit>(d, QStringLiteral("Edit1")), QStringLiteral("pw"));
            click(d, QStringLiteral("BitBtn1"));
        });
        script.onDialog(QStringLiteral("TForm32"), [](QWidget* d) { click(d, QStringLiteral("BitBtn21")); });
        w.show();
        script.verify();
        EXPECT_EQ(rightsShown(w), MenuRights::none());
    }
    execSql(QStringLiteral("drop table J_xsb"));
    TForm1 w;
    ModalScript script;
    loginWithOnePress(script);
    script.onDialog(QStringLiteral("TForm32"), [](QWidget* d) { click(d, QStringLiteral("BitBtn21")); });
    script.expectAnyError();
    w.show();
    script.verify();
    EXPECT_FALSE(m_end.ended);
    EXPECT_EQ(rightsShown(w), MenuRights::all());
}

TEST_F(AppTest, ExitAsksFirstAndTheCloseBoxDoesNot)
{
    TForm1 w;
    ModalScript script;
    script.expectBox(kHint, QStringLiteral("你确定退出系统吗?"), QMessageBox::Cancel)
        .expectBox(kHint, QStringLiteral("你确定退出系统吗?"), QMessageBox::Ok);
    clickMenu(&w, QStringLiteral("N35"));
    EXPECT_FALSE(m_end.ended);
    clickMenu(&w, QStringLiteral("N35"));
    script.verify();
    EXPECT_TRUE(m_end.ended);

    myvar::resetProgramEnding();
    m_end.ended = false;
    TForm1 other;
    other.close();
    EXPECT_TRUE(m_end.ended);
}

// Backup and restore with the file dialogs answered by the test.
class TreeBackupTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(m_backups.isValid());
        TForm1::setFileDialogRunner([this](QFileDialog* d) {
            m_dialogs << d->objectName();
            return m_choice;
        });
    }
    void TearDown() override
    {
        TForm1::setFileDialogRunner({});
        AppTest::TearDown();
    }
    static void write(const QString& file, const QByteArray& text)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    static QByteArray read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString tree(const char* name) const { return myvar::programDir() + QLatin1String(name); }
    void writeTrees(const QByteArray& tag)
    {
        write(tree("sptree.dat"), "商品\n\t" + tag + "\n");
        write(tree("khtree.dat"), "客户\n\t" + tag + "\n");
        write(tree("zgtree.dat"), "部门\n\t" + tag + "\n");
    }
    QByteArray trees() const
    {
        return read(tree("sptree.dat")) + read(tree("khtree.dat")) + read(tree("zgtree.dat"));
    }

    QTemporaryDir m_backups;
    QString m_choice;
    QStringList m_dialogs;
    TForm1 w;
};

TEST_F(TreeBackupTest, BackupWithoutTreeFilesCopiesNothingAndSucceeds)
{
    m_choice = m_backups.filePath(QStringLiteral("备份"));
    ModalScript script;
    script.expectBox(kHint, QStringLiteral("数据辅助文件备份成功！"));
    clickMenu(&w, QStringLiteral("N39"));
    script.verify();
    EXPECT_EQ(m_dialogs, QStringList{QStringLiteral("SaveDialog1")});
    EXPECT_TRUE(QDir(m_backups.path()).isEmpty());
}

TEST_F(TreeBackupTest, CancelledDialogsDoNothing)
{
    writeTrees("旧");
    m_choice.clear();
    ModalScript script;
    script.expectBox(QStringLiteral("警告"), QStringLiteral("导入新数据将覆盖当前数据内容,继续吗?"), QMessageBox::Cancel)
        .expectBox(QStringLiteral("警告"), QStringLiteral("导入新数据将覆盖当前数据内容,继续吗?"));
    clickMenu(&w, QStringLiteral("N39"));
    clickMenu(&w, QStringLiteral("N40")); // the question answered Cancel: no dialog
    clickMenu(&w, QStringLiteral("N40")); // the dialog cancelled
    script.verify();
    EXPECT_EQ(m_dialogs, (QStringList{QStringLiteral("SaveDialog1"), QStringLiteral("OpenDialog1")}));
    EXPECT_TRUE(QDir(m_backups.path()).isEmpty());
    EXPECT_EQ(trees(), QByteArray("商品\n\t旧\n客户\n\t旧\n部门\n\t旧\n"));
}

TEST_F(TreeBackupTest, BackupAndRestoreGiveTheSameThreeFilesBack)
{
    writeTrees("第一版");
    const QByteArray first = trees();
    m_choice = m_backups.filePath(QStringLiteral("set1"));
    write(m_choice + QStringLiteral(".sp"), "old backup, replaced without asking");
    ModalScript backup;
    backup.expectBox(kHint, QStringLiteral("数据辅助文件备份成功！"));
    clickMenu(&w, QStringLiteral("N39"));
    backup.verify();
    EXPECT_EQ(read(m_choice + QStringLiteral(".sp")), read(tree("sptree.dat")));
    EXPECT_EQ(read(m_choice + QStringLiteral(".zg")), read(tree("zgtree.dat")));

    // Any member of the set names the whole set.
    for (const char* ending : {".kh", ".sp", ".zg"}) {
        SCOPED_TRACE(ending);
        writeTrees("第二版");
        m_choice = m_backups.filePath(QStringLiteral("set1")) + QLatin1String(ending);
        ModalScript restore;
        restore.expectBox(QStringLiteral("警告"), QStringLiteral("导入新数据将覆盖当前数据内容,继续吗?"))
            .expectBox(kHint, QStringLiteral("数据辅助文件导入成功！"));
        clickMenu(&w, QStringLiteral("N40"));
        restore.verify();
        EXPECT_EQ(trees(), first);
    }
}

TEST_F(TreeBackupTest, ARestoreSkipsMissingMembersAndAFailedCopyIsReported)
{
    writeTrees("现在");
    write(m_backups.filePath(QStringLiteral("part.kh")), "只有客户\n");
    m_choice = m_backups.filePath(QStringLiteral("part.kh"));
    ModalScript restore;
    restore.expectBox(QStringLiteral("警告"), QStringLiteral("导入新数据将覆盖当前数据内容,继续吗?"))
        .expectBox(kHint, QStringLiteral("数据辅助文件导入成功！"));
    clickMenu(&w, QStringLiteral("N40"));
    restore.verify();
    EXPECT_EQ(read(tree("khtree.dat")), QByteArray("只有客户\n"));
    EXPECT_EQ(read(tree("sptree.dat")), QByteArray("商品\n\t现在\n"));

    m_choice = m_backups.filePath(QStringLiteral("no/such/folder/set"));
    ModalScript failed;
    failed.expectBox(kHint, QStringLiteral("数据辅助文件备份失败！"));
    clickMenu(&w, QStringLiteral("N39"));
    failed.verify();
}

} // namespace
