#include "master/CategoryTreeParts.h"

#include "db/ResultSet.h"
#include "master/TreeFile.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/StatusBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace treeparts {

int levelOf(const QTreeWidgetItem* item)
{
    int level = 0;
    for (auto* p = item->parent(); p; p = p->parent())
        ++level;
    return level;
}

QTreeWidgetItem* selectedNode(const QTreeWidget* tree)
{
    const QList<QTreeWidgetItem*> items = tree->selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

QTreeWidget* makeTree(QWidget* parent, const QString& name)
{
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(name);
    tree->setHeaderHidden(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    tree->setExpandsOnDoubleClick(false);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    tree->setStyleSheet(QStringLiteral(
        "QTreeWidget::item:selected:!active { background: palette(highlight); color: palette(highlighted-text); }"));
    treefile::keepNamesNonBlank(tree);
    return tree;
}

QLabel* makeHint(QWidget* parent, const QString& name, const QString& text, bool heading)
{
    QLabel* label = makeLabel(parent, name, text);
    label->setStyleSheet(heading ? QStringLiteral("color: red; font-weight: bold;") : QStringLiteral("color: blue;"));
    return label;
}

void removeNode(QTreeWidget* tree, QTreeWidgetItem* node)
{
    QTreeWidgetItem* parent = node->parent();
    QTreeWidgetItem* neighbour = nullptr;
    if (parent) {
        const int index = parent->indexOfChild(node);
        neighbour = index + 1 < parent->childCount() ? parent->child(index + 1)
                    : index > 0                      ? parent->child(index - 1)
                                                     : parent;
    }
    QSignalBlocker block(tree);
    delete node;
    tree->clearSelection();
    if (neighbour) {
        tree->setCurrentItem(neighbour);
        neighbour->setSelected(true);
    }
}

} // namespace treeparts

TreeListScreen::TreeListScreen(QWidget* parent, const QString& name, const QString& caption,
                               const treeparts::TreeListTexts& texts)
    : Screen(parent, name, caption)
{
    m_list = new ResultSet(this);
    m_source = new DataSource(this, m_list);

    TreeView1 = treeparts::makeTree(this, QStringLiteral("TreeView1"));
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(texts.newNode);
    N1->setObjectName(QStringLiteral("N1"));
    N2 = PopupMenu1->addAction(texts.deleteNode);
    N2->setObjectName(QStringLiteral("N2"));

    Label2 = treeparts::makeHint(this, QStringLiteral("Label2"), QStringLiteral("提示："), true);
    Label1 = treeparts::makeHint(this, QStringLiteral("Label1"), texts.hint1, false);
    Label3 = treeparts::makeHint(this, QStringLiteral("Label3"), texts.hint3, false);

    DBGrid1 = new DBGrid(this, QStringLiteral("DBGrid1"), m_source);
    DBGrid1->setReadOnly(true);

    QPushButton** const members[] = {&BitBtn1, &BitBtn2, &BitBtn3, &BitBtn4, &BitBtn5, &BitBtn6};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const auto& [buttonName, buttonCaption] : texts.buttons) {
        QPushButton* button = makeButton(this, buttonName, buttonCaption);
        const int number = buttonName.mid(6).toInt(); // "BitBtn<n>"
        Q_ASSERT(number >= 1 && number <= 6);
        *members[number - 1] = button;
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(TreeView1, 1);
    left->addWidget(Label2);
    left->addWidget(Label1);
    left->addWidget(Label3);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(DBGrid1, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    StatusBar1 = addStatusBar(this, false);
    resize(900, 520);

    connect(TreeView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(pos)); });
}
