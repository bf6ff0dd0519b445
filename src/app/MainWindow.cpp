#include "app/MainWindow.h"

#include "db/ProgramState.h"
#include "app/MenuTable.h"
#include "db/Backup.h"
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "ledger/OverdueAlarmScreen.h"
#include "ledger/StockAlarmScreen.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"

#include <QCloseEvent>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

struct MenuEntry {
    const char* name;
    const char* caption; // "-" is a separator
};

struct TopEntry {
    const char* name;
    const char* caption;
    std::vector<MenuEntry> entries; // none: the entry acts itself
};

const std::vector<TopEntry>& mainMenu()
{
    static const std::vector<TopEntry> menu = {
        {"N1", "基本信息设置",
         {{"N41", "系统初始化"},
          {"N42", "-"},
          {"N2", "用户基本信息设置"},
          {"N16", "辅助设置"},
          {"N3", "-"},
          {"N33", "部门、职工设置"},
          {"N4", "客户信息设置"},
          {"N18", "商品信息设置"},
          {"N11", "注册流动资金"}}},
        {"N5", "业务管理",
         {{"N6", "采购商品与付款"},
          {"N7", "销售商品与收款"},
          {"N8", "-"},
          {"N9", "采购商品退货与收款"},
          {"N10", "销售商品退货与付款"},
          {"N20", "-"},
          {"N21", "经营费用入帐"},
          {"N22", "商品报损登记"}}},
        {"N17", "查询、汇总与报表",
         {{"N12", "进、销、存业务查询与图表分析"},
          {"N45", "采购商品分类查询"},
          {"N46", "销售商品分类查询"},
          {"N26", "经营费用支出查询"},
          {"N13", "报损商品查询"},
          {"N27", "-"},
          {"N28", "应付款查询与汇总"},
          {"N29", "应收款查询与汇总"},
          {"N23", "-"},
          {"N24", "生成商品进、销、存、日记帐"},
          {"N47", "商品进、销、存、分类汇总"},
          {"N32", "生成现金收、支日记帐"},
          {"N25", "-"},
          {"N30", "商品库存报警"},
          {"N31", "商品出、入库价格查询"},
          {"N14", "畅销商品排行榜"},
          {"N15", "诚信客户排行榜"}}},
        {"N34", "系统管理",
         {{"N37", "更改操作员密码"},
          {"N43", "-"},
          {"N44", "系统日志"},
          {"N38", "-"},
          {"N39", "数据辅助文件备份"},
          {"N40", "数据辅助文件恢复"},
          {"N48", "-"},
          {"N49", "数据库备份"},
          {"N50", "数据库恢复"},
          {"N51", "账目核对"}}},
        {"N35", "退出系统", {}},
    };
    return menu;
}

TForm1::FileDialogRunner& fileDialogRunner()
{
    static TForm1::FileDialogRunner runner;
    return runner;
}

// Tree file in the program's folder and the ending of its backup copy.
const struct {
    const char* treeFile;
    const char* ending;
} kTreeFiles[] = {{"sptree.dat", ".sp"}, {"khtree.dat", ".kh"}, {"zgtree.dat", ".zg"}};

// Copies over an existing file; false when the copy fails.
bool copyOver(const QString& from, const QString& to)
{
    if (QFile::exists(to) && !QFile::remove(to))
        return false;
    return QFile::copy(from, to);
}

} // namespace

void TForm1::setFileDialogRunner(FileDialogRunner runner)
{
    fileDialogRunner() = std::move(runner);
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("岚桥进销存(单机版) Ver3.0"));
    resize(792, 517);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    setCentralWidget(Image1);

    buildMenu();
}

void TForm1::buildMenu()
{
    MainMenu2 = menuBar();
    MainMenu2->setObjectName(QStringLiteral("MainMenu2"));
    for (const TopEntry& top : mainMenu()) {
        const QString topName = QLatin1String(top.name);
        QAction* topAction;
        if (top.entries.empty()) {
            topAction = MainMenu2->addAction(QString::fromUtf8(top.caption));
        } else {
            QMenu* menu = MainMenu2->addMenu(QString::fromUtf8(top.caption));
            menu->setObjectName(topName + QStringLiteral("Menu"));
            topAction = menu->menuAction();
            for (const MenuEntry& e : top.entries) {
                const QString name = QLatin1String(e.name);
                QAction* action = qstrcmp(e.caption, "-") == 0 ? menu->addSeparator()
                                                                : menu->addAction(QString::fromUtf8(e.caption));
                action->setObjectName(name);
                if (!action->isSeparator())
                    onTriggered(action, this, [name](TForm1* self) { self->openScreen(name); });
            }
        }
        topAction->setObjectName(topName);
    }
    N1 = entry(QStringLiteral("N1"));
    N5 = entry(QStringLiteral("N5"));
    N17 = entry(QStringLiteral("N17"));
    N34 = entry(QStringLiteral("N34"));
    N35 = entry(QStringLiteral("N35"));
    N39 = entry(QStringLiteral("N39"));
    N40 = entry(QStringLiteral("N40"));
    onTriggered(N35, this, &TForm1::N35Click);
}

QFileDialog* TForm1::saveDialog1()
{
    if (!SaveDialog1) {
        SaveDialog1 = new QFileDialog(this);
        SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
        SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
        SaveDialog1->setFileMode(QFileDialog::AnyFile);
    }
    return SaveDialog1;
}

QFileDialog* TForm1::openDialog1()
{
    if (!OpenDialog1) {
        OpenDialog1 = new QFileDialog(this);
        OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
        OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
        OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    }
    return OpenDialog1;
}

QAction* TForm1::entry(const QString& name) const
{
    return findChild<QAction*>(name);
}

void TForm1::openScreen(const QString& entry)
{
    if (entry == QLatin1String("N39"))
        N39Click();
    else if (entry == QLatin1String("N40"))
        N40Click();
    else if (entry == QLatin1String("N49"))
        N49Click();
    else if (entry == QLatin1String("N50"))
        N50Click();
    else if (OpenScreen open = screenFor(entry))
        open(this);
}

void TForm1::applyRights(const MenuRights& rights)
{
    N1->setEnabled(rights.N1);
    N5->setEnabled(rights.N5);
    N17->setEnabled(rights.N17);
    N34->setEnabled(rights.N34);
    N35->setEnabled(rights.N35);
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TForm1::FormShow()
{
    {
        TForm37 login(this, [this](const MenuRights& rights) { applyRights(rights); });
        login.exec();
    }
    if (myvar::programEnding())
        return;
    m_loggedIn = true;
    guarded(this, [this] { runAlarms(); });
}

void TForm1::runAlarms()
{
    myvar::tableNames = Database::shared().tableNames();
    if (!myvar::hasTable(QStringLiteral("J_czyb")))
        return;
    {
        ResultSet query;
        query.open(QStringLiteral("select * from J_spb where (xykc<=kcxx ) and (kcxx<>0)"));
        if (!query.isEmpty()) {
            query.close();
            openModal<TForm32>(this);
        }
    }
    ResultSet query;
    query.open(QStringLiteral("select distinct ghs from J_xsb where ssk<ysk and fqf=0 and jzrq<='") +
               shortDate(QDate::currentDate()) + QStringLiteral("' order by ghs"));
    if (!query.isEmpty()) {
        query.close();
        openModal<TForm44>(this);
    }
}

QString TForm1::runFileDialog(QFileDialog* dialog)
{
    if (fileDialogRunner())
        return fileDialogRunner()(dialog);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->selectedFiles().value(0);
}

void TForm1::N39Click()
{
    const QString base = runFileDialog(saveDialog1());
    if (base.isEmpty())
        return;
    for (const auto& f : kTreeFiles) {
        const QString tree = myvar::programDir() + QLatin1String(f.treeFile);
        if (!QFile::exists(tree))
            continue;
        if (!copyOver(tree, base + QLatin1String(f.ending))) {
            showInfo(this, QStringLiteral("数据辅助文件备份失败！"));
            return;
        }
    }
    showInfo(this, QStringLiteral("数据辅助文件备份成功！"));
}

void TForm1::N40Click()
{
    if (!askOkCancel(this, QStringLiteral("导入新数据将覆盖当前数据内容,继续吗?"), kWarningCaption))
        return;
    const QString chosen = runFileDialog(openDialog1());
    if (chosen.isEmpty())
        return;
    // Any file of the set names the set: its last three characters are the ending.
    const QString base = chosen.chopped(qMin<qsizetype>(3, chosen.size()));
    for (const auto& f : kTreeFiles) {
        const QString backup = base + QLatin1String(f.ending);
        if (!QFile::exists(backup))
            continue;
        if (!copyOver(backup, myvar::programDir() + QLatin1String(f.treeFile))) {
            showInfo(this, QStringLiteral("数据辅助文件导入失败！"));
            return;
        }
    }
    showInfo(this, QStringLiteral("数据辅助文件导入成功！"));
}

void TForm1::N49Click()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SaveDialog2"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("数据库备份 (*.mdb)"));
    dialog.setDefaultSuffix(QStringLiteral("mdb"));
    const QString chosen = runFileDialog(&dialog);
    if (chosen.isEmpty())
        return;
    try {
        backup::writeSet(Database::shared(), myvar::programDir(), backup::baseOf(chosen));
    } catch (const AppError& e) {
        showInfo(this, e.text());
        return;
    }
    showInfo(this, QStringLiteral("数据库备份成功！"));
}

void TForm1::N50Click()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OpenDialog2"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("数据库备份 (*.mdb)"));
    const QString chosen = runFileDialog(&dialog);
    if (chosen.isEmpty())
        return;
    // A set that fails its check is refused before anything is touched.
    const QString verdict = backup::checkSet(chosen);
    if (!verdict.isEmpty()) {
        showInfo(this, QStringLiteral("不能恢复此备份。") + verdict, kWarningCaption);
        return;
    }
    if (!askOkCancel(this, QStringLiteral("恢复备份将覆盖当前全部数据,继续吗?"), kWarningCaption))
        return;
    Database::shared().close();
    try {
        backup::restoreSet(chosen, myvar::programDir());
    } catch (const AppError& e) {
        Database::shared().open(myvar::databaseFile());
        showInfo(this, e.text(), kWarningCaption);
        return;
    }
    showInfo(this, QStringLiteral("数据库恢复成功，请重新启动本程序！"));
    m_loggedIn = false; // the restored books are not this run's to back up
    myvar::endProgram();
}

void TForm1::endOfRun()
{
    Database& db = Database::shared();
    if (!m_loggedIn || !db.isOpen())
        return;
    guarded(nullptr, [&] {
        if (db.hasTable(QStringLiteral("J_czyb")))
            backup::writeAutomaticSet(db, myvar::programDir(), QDateTime::currentDateTime());
    });
}

void TForm1::N35Click()
{
    if (askOkCancel(this, QStringLiteral("你确定退出系统吗?"), kHintCaption))
        myvar::endProgram();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The close box ends the program without a question.
    event->accept();
    if (!myvar::programEnding())
        myvar::endProgram();
}
