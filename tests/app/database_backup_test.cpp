// Backup sets of the whole books: made while the program runs, restored only after their
// check, and the automatic sets kept at the newest seven.
#include "AppFixture.h"

#include "app/MainWindow.h"
#include "db/Backup.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "vouchers/TradeVoucherScreens.h"
#include "vouchers/VoucherBook.h"
#include "widgets/DataControls.h"

#include <QPushButton>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <sqlite3.h>

namespace {

const QString kWarn = QStringLiteral("警告");
const QString kHint = QStringLiteral("提示");
const QString kAskRestore = QStringLiteral("恢复备份将覆盖当前全部数据,继续吗?");

QByteArray readFile(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Every row of every table, as text, in a fixed order.
QStringList dumpBooks(Database& db)
{
    QStringList rows;
    for (const schema::Table& t : schema::tables()) {
        ResultSet rs(db);
        rs.open(QStringLiteral("select * from ") + QString::fromUtf8(t.name));
        QStringList table;
        for (rs.first(); !rs.isEmpty() && !rs.eof(); rs.next()) {
            QStringList values;
            for (int c = 0; c < rs.fieldCount(); ++c)
                values << displayText(rs.value(c));
            table << QString::fromUtf8(t.name) + QLatin1Char(':') + values.join(QLatin1Char('|'));
            if (rs.recNo() == rs.recordCount() - 1)
                break;
        }
        table.sort();
        rows += table;
    }
    return rows;
}

// What lies in a folder: file names and a digest of their bytes.
QStringList folderState(const QString& dir)
{
    QStringList state;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        state << QDir(dir).relativeFilePath(f) + QLatin1Char(' ')
                + QString::fromLatin1(QCryptographicHash::hash(readFile(f), QCryptographicHash::Sha1).toHex());
    }
    state.sort();
    return state;
}

class DatabaseBackupTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(m_sets.isValid());
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

    // Three purchase vouchers with lines and payments, booked as the dialogs book them.
    QStringList bookVouchers()
    {
        execSql("insert into J_spb(spdm,spmc,dw,zxdj,xykc) values('A01','螺丝','个',4,10)");
        execSql("insert into J_spb(spdm,spmc,dw,zxdj,xykc) values('A02','垫片','片',1,0)");
        execSql("update J_zjb set je=1000");
        const VoucherKind& cg = purchaseKind();
        QStringList numbers;
        for (int v = 1; v <= 3; ++v) {
            const QString pzh = QStringLiteral("CG1001044_00%1").arg(v);
            numbers << pzh;
            execSql(QStringLiteral("insert into J_cgb(pzh,ghs,cgrq,jzrq,czy) values(%1,'华丰公司','2004/4/15','2004/4/15','管理员')")
                        .arg(quoted(pzh)));
            for (const char* code : {"A01", "A02"}) {
                const LineEntry line{pzh, QString::fromLatin1(code), QStringLiteral("个"), QString::number(v + 2), QStringLiteral("5"),
                                     QStringLiteral("进货"), QStringLiteral("华丰公司"), QStringLiteral("2004/4/15")};
                EXPECT_EQ(storeLine(purchaseKind(), line, Database::shared()), LineOutcome::Stored);
            }
            const MoneyEntry pay{pzh, QStringLiteral("华丰公司"), QStringLiteral("F%1").arg(v), QStringLiteral("货款"),
                                 QStringLiteral("现金"), QStringLiteral("12.5"), QStringLiteral("张三"), QDate(2004, 4, 16), {}};
            EXPECT_EQ(storeMoney(cg, pay, Database::shared()), MoneyOutcome::Stored);
        }
        return numbers;
    }

    void writeTrees(const QByteArray& tag)
    {
        for (const char* name : {"sptree.dat", "khtree.dat", "zgtree.dat"})
            writeFile(dir() + QLatin1String(name), QByteArray(name) + "\r\n\t" + tag + "\r\n");
    }

    void backUp(const QString& base)
    {
        m_choice = base;
        ModalScript script;
        script.expectBox(kHint, QStringLiteral("数据库备份成功！"));
        clickMenu(&w, QStringLiteral("N49"));
        script.verify();
    }

    QTemporaryDir m_sets;
    QString m_choice;
    QStringList m_dialogs;
    TForm1 w;
};

TEST_F(DatabaseBackupTest, ASetMadeWhileRunningRestoresOnAFreshFolderWithEveryVoucher)
{
    const QStringList numbers = bookVouchers();
    writeTrees("五金");
    const QStringList books = dumpBooks(Database::shared());
    const QString base = m_sets.filePath(QStringLiteral("年底备份"));
    backUp(base);
    EXPECT_EQ(m_dialogs, QStringList{QStringLiteral("SaveDialog2")});
    EXPECT_EQ(QDir(m_sets.path()).entryList(QDir::Files),
              (QStringList{"年底备份.kh", "年底备份.mdb", "年底备份.sp", "年底备份.zg"}));
    EXPECT_EQ(readFile(base + ".sp"), readFile(dir() + "sptree.dat"));

    // Booking goes on after the backup; the set keeps the books as they were.
    execSql("update J_zjb set je=1");

    // A fresh program folder, with no database yet.
    QTemporaryDir fresh;
    Database::shared().close();
    myvar::setProgramDir(fresh.path());
    m_choice = base + ".mdb";
    ModalScript script;
    script.expectBox(kWarn, kAskRestore).expectBox(kHint, QStringLiteral("数据库恢复成功，请重新启动本程序！"));
    clickMenu(&w, QStringLiteral("N50"));
    script.verify();
    EXPECT_TRUE(m_end.ended);
    EXPECT_FALSE(Database::shared().isOpen());

    Database::shared().open(myvar::databaseFile());
    EXPECT_EQ(dumpBooks(Database::shared()), books);
    EXPECT_EQ(readFile(dir() + "khtree.dat"), QByteArray("khtree.dat\r\n\t五金\r\n"));

    // The purchase screen shows every voucher with its figures.
    TForm8 screen;
    screen.show();
    QStringList shown;
    click(screen.BitBtn1);
    for (int i = 0; i < numbers.size(); ++i) {
        shown << screen.DBText1->text() + QLatin1Char(' ') + screen.Label18->text() + QLatin1Char(' ')
                + screen.Label20->text();
        if (i + 1 < numbers.size())
            click(screen.BitBtn3);
    }
    EXPECT_EQ(shown, (QStringList{"CG1001044_001 30 12.5", "CG1001044_002 40 12.5", "CG1001044_003 50 12.5"}));
}

TEST_F(DatabaseBackupTest, RestoreKeepsTheReplacedFilesAndACancelChangesNothing)
{
    bookVouchers();
    writeTrees("旧");
    const QString base = m_sets.filePath(QStringLiteral("set"));
    backUp(base);
    // While the program runs, the latest commits may still be in the log beside the file.
    ASSERT_EQ(sqlite3_exec(Database::shared().handle(), "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    const QByteArray before = readFile(myvar::databaseFile());

    m_choice = base + ".mdb";
    const QStringList state = folderState(dir());
    ModalScript cancel;
    cancel.expectBox(kWarn, kAskRestore, QMessageBox::Cancel);
    clickMenu(&w, QStringLiteral("N50"));
    cancel.verify();
    EXPECT_EQ(folderState(dir()), state);
    EXPECT_FALSE(m_end.ended);

    writeTrees("新");
    ModalScript restore;
    restore.expectBox(kWarn, kAskRestore).expectBox(kHint, QStringLiteral("数据库恢复成功，请重新启动本程序！"));
    clickMenu(&w, QStringLiteral("N50"));
    restore.verify();
    EXPECT_EQ(readFile(dir() + "sjk.mdb.before-restore"), before);
    EXPECT_EQ(readFile(dir() + "sptree.dat.before-restore"), QByteArray("sptree.dat\r\n\t新\r\n"));
    EXPECT_EQ(readFile(dir() + "sptree.dat"), QByteArray("sptree.dat\r\n\t旧\r\n"));
    EXPECT_FALSE(QFile::exists(dir() + "sjk.mdb.restore-tmp"));
}

// A set that is damaged or not the program's own.
struct BadSet {
    const char* name;
    std::function<void(const QString& mdb)> make;
    const char* reason; // the refusal after "不能恢复此备份。", %1 the set's file
};

class RefusedSetTest : public DatabaseBackupTest, public ::testing::WithParamInterface<BadSet> {};

TEST_P(RefusedSetTest, IsRefusedWithNothingChanged)
{
    bookVouchers();
    writeTrees("现在");
    const QString mdb = m_sets.filePath(QStringLiteral("bad.mdb"));
    backUp(m_sets.filePath(QStringLiteral("bad")));
    GetParam().make(mdb);
    const QStringList state = folderState(dir());
    const QStringList books = dumpBooks(Database::shared());

    m_choice = mdb;
    ModalScript refusal;
    refusal.expectBox(kWarn, QStringLiteral("不能恢复此备份。") + QString::fromUtf8(GetParam().reason).arg(mdb));
    clickMenu(&w, QStringLiteral("N50"));
    refusal.verify();
    EXPECT_FALSE(m_end.ended);
    EXPECT_TRUE(Database::shared().isOpen());
    EXPECT_EQ(folderState(dir()), state);
    EXPECT_EQ(dumpBooks(Database::shared()), books);
}

void withForeignDb(const QString& mdb, const QString& key, const QStringList& tables)
{
    QFile::remove(mdb);
    Database other;
    other.open(mdb, key);
    if (tables.isEmpty())
        schema::createAllTables(other);
    for (const QString& t : tables)
        other.exec(QStringLiteral("create table %1(a char(2))").arg(t));
}

const char* const kForeign = "该备份不能用本程序的密码打开（不是本程序的数据库，或文件已损坏）：%1";

INSTANTIATE_TEST_SUITE_P(
    Sets, RefusedSetTest,
    ::testing::Values(
        BadSet{"Missing", [](const QString& mdb) { QFile::remove(mdb); }, "找不到备份文件：%1"},
        BadSet{"NotADatabase", [](const QString& mdb) { writeFile(mdb, "这不是数据库"); }, kForeign},
        BadSet{"OtherKey", [](const QString& mdb) { withForeignDb(mdb, QStringLiteral("other"), {}); }, kForeign},
        BadSet{"MissingTables",
               [](const QString& mdb) { withForeignDb(mdb, Database::fileKey(), {"J_yhb", "J_spb"}); },
               "该备份缺少数据表：J_zgb、J_rklbb、J_jsfsb、J_sklbb、J_fklbb、J_cklbb、J_zclbb、J_bslbb、J_khb、J_zjb、J_cgb、"
               "J_cgmxb、J_cgfkb、J_xsb、J_xsmxb、J_xsskb、J_cgthb、J_cgthmxb、J_cgskb、J_xsthb、J_xsthmxb、J_xsfkb、J_zcb、"
               "J_zcmxb、J_bsb、J_bsmxb、J_czyb、J_rzb、J_sptmp、J_zjtmp"},
        BadSet{"DamagedPage",
               [](const QString& mdb) {
                   // A page in the middle written over: the key still opens the file.
                   QByteArray bytes = readFile(mdb);
                   ASSERT_GT(bytes.size(), 8192);
                   for (int i = bytes.size() / 2; i < bytes.size() / 2 + 64; ++i)
                       bytes[i] = char(bytes[i] ^ 0x5a);
                   writeFile(mdb, bytes);
               },
               "该备份未通过完整性检查，文件已损坏：%1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DatabaseBackupTest, AutomaticSetsKeepTheNewestSeven)
{
    writeTrees("树");
    const QString folder = dir() + "backup";
    const QDateTime start(QDate(2026, 12, 1), QTime(8, 0, 0));
    QStringList bases;
    for (int i = 0; i < 9; ++i)
        bases << backup::writeAutomaticSet(Database::shared(), dir(), start.addSecs(3600 * 25 * i));
    EXPECT_EQ(bases.first(), folder + "/sjk-20261201-080000");
    EXPECT_EQ(backup::automaticSets(folder), bases.mid(2));
    // Every file of a dropped set goes; a file the operator put there stays.
    EXPECT_FALSE(QFile::exists(bases[1] + ".sp"));
    EXPECT_TRUE(QFile::exists(bases[2] + ".zg"));
    EXPECT_EQ(backup::checkSet(bases.last() + ".mdb"), QString());
}

TEST_F(DatabaseBackupTest, TheEndOfALoggedInRunLeavesAnAutomaticSet)
{
    w.endOfRun(); // nobody logged in through this window
    EXPECT_FALSE(QFile::exists(dir() + "backup"));

    ModalScript login;
    login.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { click(d, QStringLiteral("BitBtn1")); });
    w.FormShow();
    login.verify();
    w.endOfRun();
    const QStringList sets = backup::automaticSets(dir() + "backup");
    ASSERT_EQ(sets.size(), 1);
    EXPECT_EQ(backup::checkSet(sets.first() + ".mdb"), QString());
}

TEST_F(DatabaseBackupTest, ABackupThatCannotBeWrittenSaysSoAndLeavesTheOldSet)
{
    const QString base = m_sets.filePath(QStringLiteral("set"));
    writeTrees("一");
    backUp(base);
    // Something in the way of the department tree's copy: the set stays as it was.
    ASSERT_TRUE(QDir().mkpath(base + ".zg.tmp/x"));
    const QStringList state = folderState(m_sets.path());
    writeTrees("二");
    m_choice = base;
    ModalScript script;
    script.expectBox(kHint, QStringLiteral("数据库备份失败：无法写入 ") + base + ".zg.tmp");
    clickMenu(&w, QStringLiteral("N49"));
    script.verify();
    EXPECT_EQ(folderState(m_sets.path()), state);
}

} // namespace

namespace {

TEST_F(DatabaseBackupTest, TheBooksCheckOpensFromTheMenu)
{
    ModalScript script;
    QString label;
    script.onDialog(QStringLiteral("TForm58"), [&](QWidget* d) {
        label = child<QLabel>(d, QStringLiteral("Label1"))->text();
        click(d, QStringLiteral("BitBtn2"));
    });
    clickMenu(&w, QStringLiteral("N51"));
    script.verify();
    EXPECT_EQ(label, QStringLiteral("账目核对无误"));
}

} // namespace

namespace {

TEST_F(DatabaseBackupTest, ASetMadeInWriteAheadModeHoldsTheChangesNotYetFoldedIn)
{
    ASSERT_EQ(sqlite3_exec(Database::shared().handle(), "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    bookVouchers();
    ASSERT_TRUE(QFile::exists(myvar::databaseFile() + "-wal"));
    const QStringList books = dumpBooks(Database::shared());
    const QString base = m_sets.filePath(QStringLiteral("wal"));
    backUp(base);
    EXPECT_FALSE(QFile::exists(base + ".mdb-wal"));
    EXPECT_EQ(backup::checkSet(base + ".mdb"), QString());
    Database copy;
    copy.open(base + ".mdb");
    EXPECT_EQ(dumpBooks(copy), books);
}

} // namespace

namespace {

// The program's own files are never a set: a copy renamed over the open database would
// leave the connection writing into a file no one can open again.
TEST_F(DatabaseBackupTest, TheProgramsOwnDatabaseIsNeitherWrittenNorRestoredAsASet)
{
    bookVouchers();
    writeTrees("自己");
    const QString own = myvar::databaseFile();
    for (const QString& chosen : {own, backup::baseOf(own)}) {
        SCOPED_TRACE(chosen.toStdString());
        const QStringList state = folderState(dir());
        m_choice = chosen;
        ModalScript script;
        script.expectBox(kHint, QStringLiteral("数据库备份失败：不能覆盖程序正在使用的文件 ") + own);
        clickMenu(&w, QStringLiteral("N49"));
        script.verify();
        EXPECT_EQ(folderState(dir()), state);
    }

    m_choice = own;
    const QStringList books = dumpBooks(Database::shared());
    ModalScript restore;
    restore.expectBox(kWarn, kAskRestore)
        .expectBox(kWarn, QStringLiteral("数据库恢复失败：所选文件就是程序正在使用的数据库 ") + own);
    clickMenu(&w, QStringLiteral("N50"));
    restore.verify();
    EXPECT_FALSE(m_end.ended);
    EXPECT_EQ(QDir(dir()).entryList({QStringLiteral("*.before-restore"), QStringLiteral("*.restore-tmp")}), QStringList());
    EXPECT_EQ(readFile(dir() + "sptree.dat"), QByteArray("sptree.dat\r\n\t自己\r\n"));
    EXPECT_EQ(dumpBooks(Database::shared()), books);

    // The books go on in the same file.
    ASSERT_TRUE(Database::shared().isOpen());
    execSql("update J_zjb set je=777");
    Database::shared().close();
    Database::shared().open(own);
    ResultSet rs;
    rs.open(QStringLiteral("select je from J_zjb"));
    EXPECT_EQ(rs.value(0).toDouble(), 777);
}

} // namespace
