#include "master/GoodsListScreen.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/CategoryTreeParts.h"
#include "master/GoodsEntryScreen.h"
#include "master/TreeFile.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/InputBox.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StatusBar.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

const QString TForm6::listQuery1 =
    QStringLiteral("select spdm as 商品代码,spmc as 商品名称,zzs as 制造商,pp as 品牌,gg as 规格,dw as 单位,zxdj as 单价,");
const QString TForm6::listQuery2 =
    QStringLiteral("lrl as 利润率,xykc as 现有库存,kcsx as 库存上限,kcxx as 库存下限,hw as 货位,bz as 备注  from J_spb");

namespace {
const QString kRoot = QStringLiteral("我的库房");
} // namespace

using treeparts::levelOf;

TForm6::TForm6(QWidget* parent)
    : TreeListScreen(parent, QStringLiteral("Form6"), QStringLiteral("库存商品信息"),
                     {QStringLiteral("新建商品分类"), QStringLiteral("删除商品分类"), QStringLiteral("用户可以在我的库房下      "),
                      QStringLiteral(" 添加新商品类别          "),
                      {{QStringLiteral("BitBtn1"), QStringLiteral("添加")},
                       {QStringLiteral("BitBtn2"), QStringLiteral("修改")},
                       {QStringLiteral("BitBtn3"), QStringLiteral("删除")},
                       {QStringLiteral("BitBtn4"), QStringLiteral("查询")},
                       {QStringLiteral("BitBtn5"), QStringLiteral("导出EXCEL")},
                       {QStringLiteral("BitBtn6"), QStringLiteral("退出")}}})
{
    onClick(BitBtn1, this, &TForm6::BitBtn1Click);
    onClick(BitBtn2, this, &TForm6::BitBtn2Click);
    onClick(BitBtn3, this, &TForm6::BitBtn3Click);
    onClick(BitBtn4, this, &TForm6::BitBtn4Click);
    onClick(BitBtn5, this, &TForm6::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &QDialog::close);
    onTriggered(N1, this, &TForm6::N1Click);
    onTriggered(N2, this, &TForm6::N2Click);
    connectGuarded(TreeView1, &QTreeWidget::itemSelectionChanged, this, &TForm6::TreeView1Change);
    connectGuarded(DBGrid1, &QAbstractItemView::doubleClicked, this, &TForm6::DBGrid1DblClick);
}

void TForm6::FormShow()
{
    StatusBar1->fill();
    {
        // Loading the tree selects nothing, so the list is not re-read meanwhile.
        QSignalBlocker block(TreeView1);
        treefile::load(TreeView1, treefile::goodsFile(), treefile::defaultGoodsTree(), this);
    }
    openList(QStringLiteral(" order by spdm"));
}

void TForm6::done(int result)
{
    // The tree is kept only in its file: written whole on every closing.
    if (TreeView1->topLevelItemCount() > 0)
        treefile::save(TreeView1, treefile::goodsFile(), this);
    QDialog::done(result);
}

QTreeWidgetItem* TForm6::selectedNode() const
{
    return treeparts::selectedNode(TreeView1);
}

void TForm6::openList(const QString& thirdLine)
{
    QString sql = listQuery1 + u'\n' + listQuery2;
    if (!thirdLine.isEmpty())
        sql += u'\n' + thirdLine;
    m_list->close();
    m_list->open(sql);
}

// afterChange: the rows may have changed (entry dialog, delete). When no category decides
// the rows, the same query is read again so the grid never shows an article that is gone.
void TForm6::refreshList(bool afterChange)
{
    QTreeWidgetItem* node = selectedNode();
    const int level = node ? levelOf(node) : -1;
    if (level == 0)
        openList(QString());
    else if (level == 1)
        openList(QStringLiteral("where lb=") + quoted(node->text(0)));
    else if (afterChange && m_list->isActive())
        m_list->requery();
}

void TForm6::TreeView1Change()
{
    refreshList(false);
}

void TForm6::openEntry(bool adding)
{
    TForm7 entry(this, adding, m_list, selectedNode()->text(0));
    entry.exec();
    refreshList(true);
}

void TForm6::BitBtn1Click()
{
    QTreeWidgetItem* node = selectedNode();
    if (!node || levelOf(node) == 0) {
        showInfo(this, QStringLiteral("请正确选择商品类别"));
        return;
    }
    openEntry(true);
}

void TForm6::BitBtn2Click()
{
    QTreeWidgetItem* node = selectedNode();
    if (!node || levelOf(node) == 0) {
        showInfo(this, QStringLiteral("请正确选择商品类别"));
        return;
    }
    if (m_list->isEmpty())
        return;
    openEntry(false);
}

void TForm6::BitBtn3Click()
{
    if (m_list->isEmpty())
        return;
    if (askWarning(this, QStringLiteral("确定删除商品") + m_list->text(QStringLiteral("商品名称")) + QStringLiteral("信息吗?")))
        Database::shared().exec(QStringLiteral("delete from J_spb where spdm=") + quoted(m_list->text(QStringLiteral("商品代码"))));
    refreshList(true);
}

void TForm6::BitBtn4Click()
{
    const QString name = inputBox(this, QStringLiteral("查找商品"), QStringLiteral("请输入待查商品名称:")).value_or(QString());
    openList(QStringLiteral(" where spmc like ") + quoted(QStringLiteral("%%") + name + QStringLiteral("%%")));
}

void TForm6::BitBtn5Click()
{
    exportToSpreadsheet(QStringLiteral("TForm6"), *m_list, this);
}

void TForm6::N1Click()
{
    QTreeWidgetItem* node = selectedNode();
    if (!node || node->text(0) != kRoot) {
        showInfo(this, QStringLiteral("请正确选择商品类别"));
        return;
    }
    QTreeWidgetItem* category = treefile::addNode(node, QStringLiteral("新商品类别"));
    node->setExpanded(true);
    TreeView1->editItem(category); // the operator types the name over it
}

void TForm6::N2Click()
{
    QTreeWidgetItem* node = selectedNode();
    if (!node || levelOf(node) == 0) {
        showInfo(this, QStringLiteral("请正确选择商品类别"));
        return;
    }
    const QString name = node->text(0);
    if (!askWarning(this, QStringLiteral("确定删除") + name + QStringLiteral("的信息吗?")))
        return;
    // The goods go first: when that fails the tree still shows the category.
    Database::shared().exec(QStringLiteral("delete from J_spb where lb=") + quoted(name));

    QTreeWidgetItem* parent = node->parent();
    const int index = parent->indexOfChild(node);
    QTreeWidgetItem* neighbour = index + 1 < parent->childCount() ? parent->child(index + 1)
                                 : index > 0                      ? parent->child(index - 1)
                                                                  : parent;
    {
        QSignalBlocker block(TreeView1);
        delete node;
        TreeView1->clearSelection();
        TreeView1->setCurrentItem(neighbour);
        neighbour->setSelected(true);
    }
    refreshList(true);
}

void TForm6::DBGrid1DblClick()
{
    const int mode = myvar::goodsPickMode;
    if (mode >= 1 && mode <= 5 && !m_list->isEmpty() && m_list->recNo() >= 0) {
        auto text = [this](const char* title) { return m_list->text(QString::fromUtf8(title)); };
        m_picked = PickedArticle{text("商品代码"),
                                 text("商品名称"),
                                 text("制造商"),
                                 text("单位"),
                                 text("现有库存"),
                                 text("单价"),
                                 m_list->number(QStringLiteral("单价")),
                                 m_list->number(QStringLiteral("利润率"))};
    }
    close();
}
