#include "master/EmployeeListScreen.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/CategoryTreeParts.h"
#include "master/EmployeeEntryScreen.h"
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

const QString TForm51::listQuery1 =
    QStringLiteral("select gh as 工号,xm as 姓名,xb as 性别,nl as 年龄,xl as 学历,sfzh as 身份证号,zw as 职务,sj as 手机,");
const QString TForm51::listQuery2 = QStringLiteral("zz as 住址,ah as 爱好 from  J_zgb ");

namespace {
const QString kRoot = QStringLiteral("公司部门");
const QString kSelectDepartment = QStringLiteral("请选择具体公司部门");
} // namespace

TForm51::TForm51(QWidget* parent)
    : TreeListScreen(parent, QStringLiteral("Form51"), QStringLiteral("部门、职工设置"),
                     {QStringLiteral("新建部门"), QStringLiteral("删除部门"), QStringLiteral("用户可以在公司部门下 "),
                      QStringLiteral(" 添加新公司部门          "),
                      {{QStringLiteral("BitBtn1"), QStringLiteral("添加")},
                       {QStringLiteral("BitBtn2"), QStringLiteral("修改")},
                       {QStringLiteral("BitBtn3"), QStringLiteral("删除")},
                       {QStringLiteral("BitBtn6"), QStringLiteral("查询")},
                       {QStringLiteral("BitBtn4"), QStringLiteral("导出EXCEL")},
                       {QStringLiteral("BitBtn5"), QStringLiteral("退出")}}})
{
    onClick(BitBtn1, this, &TForm51::BitBtn1Click);
    onClick(BitBtn2, this, &TForm51::BitBtn2Click);
    onClick(BitBtn3, this, &TForm51::BitBtn3Click);
    onClick(BitBtn6, this, &TForm51::BitBtn6Click);
    onClick(BitBtn4, this, &TForm51::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &QDialog::close);
    onTriggered(N1, this, &TForm51::N1Click);
    onTriggered(N2, this, &TForm51::N2Click);
    connectGuarded(TreeView1, &QTreeWidget::itemSelectionChanged, this, &TForm51::TreeView1Change);
}

void TForm51::FormShow()
{
    StatusBar1->fill();
    {
        QSignalBlocker block(TreeView1);
        treefile::load(TreeView1, treefile::departmentFile(), treefile::defaultDepartmentTree(), this);
    }
    openList();
}

void TForm51::done(int result)
{
    // The tree is kept only in its file: written whole on every closing.
    if (wasShown() && TreeView1->topLevelItemCount() > 0)
        treefile::save(TreeView1, treefile::departmentFile(), this);
    QDialog::done(result);
}

void TForm51::openList(const QString& thirdLine)
{
    QString sql = listQuery1 + u'\n' + listQuery2;
    if (!thirdLine.isEmpty())
        sql += u'\n' + thirdLine;
    m_list->close();
    m_list->open(sql);
}

// afterChange: the rows may have changed (entry dialog, delete). When no department decides
// the rows, the same query is read again so the grid never shows an employee who is gone.
void TForm51::refreshList(bool afterChange)
{
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    const int level = node ? levelOf(node) : -1;
    if (level == 0) {
        openList();
    } else if (level == 1) {
        m_list->close();
        m_list->open(listQuery1 + u'\n' + listQuery2 + QStringLiteral("where bmmc=") + quoted(node->text(0)));
    } else if (afterChange && m_list->isActive()) {
        m_list->requery();
    }
}

void TForm51::TreeView1Change()
{
    refreshList(false);
}

void TForm51::openEntry(bool adding, QTreeWidgetItem* department)
{
    TForm52 entry(this, adding, m_list, department->text(0));
    entry.exec();
    refreshList(true);
}

void TForm51::BitBtn1Click()
{
    // Employees are filed under the selected node's name; the root names no department.
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    if (!node || levelOf(node) == 0) {
        showInfo(this, kSelectDepartment);
        return;
    }
    openEntry(true, node);
}

void TForm51::BitBtn2Click()
{
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    if (!node || levelOf(node) == 0) {
        showInfo(this, kSelectDepartment);
        return;
    }
    openEntry(false, node);
}

void TForm51::BitBtn3Click()
{
    if (m_list->isEmpty())
        return;
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    if (node && levelOf(node) == 0) {
        showInfo(this, kSelectDepartment);
        return;
    }
    if (askWarning(this, QStringLiteral("确定删除职工：") + m_list->text(QStringLiteral("姓名")) + QStringLiteral(" 信息吗?")))
        Database::shared().exec(QStringLiteral("delete  from J_Zgb where gh=") + quoted(m_list->text(QStringLiteral("工号"))));
    refreshList(true);
}

void TForm51::BitBtn6Click()
{
    const QString name = inputBox(this, QStringLiteral("查找职工"), QStringLiteral("请输入职工姓名:       ")).value_or(QString());
    openList(QStringLiteral(" where xm like ") + quoted(QStringLiteral("%%") + name + QStringLiteral("%%")));
}

void TForm51::BitBtn4Click()
{
    exportToSpreadsheet(QStringLiteral("TForm51"), *m_list, this);
}

void TForm51::N1Click()
{
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    if (!node || node->text(0) != kRoot) {
        showInfo(this, QStringLiteral("请正确选择：公司部门"));
        return;
    }
    QTreeWidgetItem* department = treefile::addNode(node, QStringLiteral("新") + kRoot);
    node->setExpanded(true);
    TreeView1->editItem(department); // the operator types the name over it
}

void TForm51::N2Click()
{
    QTreeWidgetItem* node = treeparts::selectedNode(TreeView1);
    if (!node || levelOf(node) == 0) {
        showInfo(this, QStringLiteral("请直接选择公司部门"));
        return;
    }
    const QString name = node->text(0);
    if (!askWarning(this, QStringLiteral("确定删除") + name + QStringLiteral("的信息吗?")))
        return;
    // The employees go first: when that fails the tree still shows the department.
    Database::shared().exec(QStringLiteral("delete from J_zgb where bmmc=") + quoted(name));
    treeparts::removeNode(TreeView1, node);
    refreshList(true);
}
