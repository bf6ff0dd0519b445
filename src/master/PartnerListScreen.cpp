#include "master/PartnerListScreen.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/CategoryTreeParts.h"
#include "master/PartnerEntryScreen.h"
#include "master/TreeFile.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/InputBox.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StatusBar.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

using treeparts::levelOf;

const QString TForm4::listQuery1 =
    QStringLiteral("select khdm as 客户代码,khmc as 客户名称,lxr as 联系人,dz as 地址,yb as 邮编,dh as 电话,");
const QString TForm4::listQuery2 =
    QStringLiteral("sj as 手机,cz as 传真,dzyj as 电子邮件,wz as 网址,khh as 开户行,yhzh as 银行帐号 from J_khb");

namespace {
const QString kSelectSubClass = QStringLiteral("请选择具体客户类别");
const QString kSelectClass = QStringLiteral("请正确选择客户类别");
} // namespace

TForm4::TForm4(QWidget* parent)
    : TreeListScreen(parent, QStringLiteral("Form4"), QStringLiteral("客户管理"),
                     {QStringLiteral("新建客户类"), QStringLiteral("删除客户类"), QStringLiteral("用户可以在公司部门下       "),
                      QStringLiteral(" 添加新公司部门          "),
                      {{QStringLiteral("BitBtn1"), QStringLiteral("添加")},
                       {QStringLiteral("BitBtn2"), QStringLiteral("修改")},
                       {QStringLiteral("BitBtn3"), QStringLiteral("删除")},
                       {QStringLiteral("BitBtn4"), QStringLiteral("查询")},
                       {QStringLiteral("BitBtn5"), QStringLiteral("导出EXCEL")},
                       {QStringLiteral("BitBtn6"), QStringLiteral("退出")}}})
{
    onClick(BitBtn1, this, &TForm4::BitBtn1Click);
    onClick(BitBtn2, this, &TForm4::BitBtn2Click);
    onClick(BitBtn3, this, &TForm4::BitBtn3Click);
    onClick(BitBtn4, this, &TForm4::BitBtn4Click);
    onClick(BitBtn5, this, &TForm4::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &QDialog::close);
    onTriggered(N1, this, &TForm4::N1Click);
    onTriggered(N2, this, &TForm4::N2Click);
    connectGuarded(TreeView1, &QTreeWidget::itemSelectionChanged, this, &TForm4::TreeView1Change);
}

void TForm4::FormShow()
{
    StatusBar1->fill();
    {
        QSignalBlocker block(TreeView1);
        treefile::load(TreeView1, treefile::partnerFile(), treefile::defaultPartnerTree(), this);
    }
    openList(listQuery2 + QStringLiteral(" order by khmc"));
}

void TForm4::done(int result)
{
    // The tree is kept only in its file: written whole on every closing.
    if (wasShown() && TreeView1->topLevelItemCount() > 0)
        treefile::save(TreeView1, treefile::partnerFile(), this);
    QDialog::done(result);
}

void TForm4::openList(const QString& from, const QString& thirdLine)
{
    QString sql = listQuery1 + u'\n' + from;
    if (!thirdLine.isEmpty())
        sql += u'\n' + thirdLine;
    m_list->close();
    m_list->open(sql);
}

// afterChange: the rows may have changed (entry dialog, delete). When no class decides the
// rows, the same query is read again so the grid never shows a partner that is gone.
void TForm4::refreshList(bool afterChange)
{
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    const int level = node ? levelOf(node) : -1;
    if (level == 0)
        openList(listQuery2);
    else if (level == 1)
        openList(listQuery2, QStringLiteral("where lb1=") + quoted(node->text(0)));
    else if (level == 2)
        openList(listQuery2, QStringLiteral("where lb2=") + quoted(node->text(0)));
    else if (afterChange && m_list->isActive())
        m_list->requery();
}

void TForm4::TreeView1Change()
{
    refreshList(false);
}

// Partners are filed under a sub-class (or a node below one), never under the root or a class.
QTreeWidgetItem* TForm4::selectedSubClass()
{
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    if (!node || levelOf(node) < 2) {
        showInfo(this, kSelectSubClass);
        return nullptr;
    }
    return node;
}

void TForm4::openEntry(bool adding, QTreeWidgetItem* subClass)
{
    TForm5 entry(this, adding, m_list, subClass->parent()->text(0), subClass->text(0));
    entry.exec();
    refreshList(true);
}

void TForm4::BitBtn1Click()
{
    if (QTreeWidgetItem* subClass = selectedSubClass())
        openEntry(true, subClass);
}

void TForm4::BitBtn2Click()
{
    if (QTreeWidgetItem* subClass = selectedSubClass())
        openEntry(false, subClass);
}

void TForm4::BitBtn3Click()
{
    if (!selectedSubClass() || m_list->isEmpty())
        return;
    if (askWarning(this, QStringLiteral("确定删除客户：") + m_list->text(QStringLiteral("客户名称")) + QStringLiteral(" 信息吗?")))
        Database::shared().exec(QStringLiteral("delete  from J_khb where khdm=") + quoted(m_list->text(QStringLiteral("客户代码"))));
    refreshList(true);
}

void TForm4::BitBtn4Click()
{
    const QString name = inputBox(this, QStringLiteral("查找客户"), QStringLiteral("请输入待查客户名称:")).value_or(QString());
    openList(listQuery2 + u' ', QStringLiteral(" where khmc like ") + quoted(QStringLiteral("%%") + name + QStringLiteral("%%"))
                                    + QStringLiteral(" order by khmc "));
}

void TForm4::BitBtn5Click()
{
    exportToSpreadsheet(QStringLiteral("TForm4"), *m_list, this);
}

void TForm4::N1Click()
{
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    const QString text = node ? node->text(0) : QString();
    if (text != QStringLiteral("供货商") && text != QStringLiteral("购货商")) {
        showInfo(this, kSelectClass);
        return;
    }
    QTreeWidgetItem* subClass = treefile::addNode(node, QStringLiteral("新") + text);
    node->setExpanded(true);
    TreeView1->editItem(subClass); // the operator types the name over it
}

// Removing a sub-class removes the partners filed under it, as the goods and department
// trees do with theirs: a partner whose sub-class is gone could not be chosen by class.
void TForm4::N2Click()
{
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    if (!node || levelOf(node) < 2) {
        showInfo(this, kSelectClass);
        return;
    }
    // The names a partner added under this node carries: its parent's and its own.
    const QString subClass = node->text(0);
    const QString className = node->parent()->text(0);
    if (!askWarning(this, QStringLiteral("确定删除") + subClass + QStringLiteral("的信息吗?")))
        return;
    // The partners go first: when that fails the tree still shows the sub-class.
    Database::shared().exec(QStringLiteral("delete from J_khb where lb1=") + quoted(className)
                            + QStringLiteral(" and lb2=") + quoted(subClass));
    treeparts::removeNode(TreeView1, node);
    refreshList(true);
}
