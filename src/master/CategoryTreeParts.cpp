#include "master/CategoryTreeParts.h"

#include "master/TreeFile.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/StatusBar.h"

#include <QDialog>
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

QTreeWidgetItem* classOf(QTreeWidgetItem* item)
{
    if (!item || !item->parent())
        return nullptr;
    while (item->parent()->parent())
        item = item->parent();
    return item;
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

TreeListParts buildTreeList(QDialog* screen, DataSource* source, const TreeListTexts& texts)
{
    TreeListParts parts;
    parts.tree = makeTree(screen, QStringLiteral("TreeView1"));
    parts.menu = new QMenu(screen);
    parts.menu->setObjectName(QStringLiteral("PopupMenu1"));
    parts.newNode = parts.menu->addAction(texts.newNode);
    parts.newNode->setObjectName(QStringLiteral("N1"));
    parts.deleteNode = parts.menu->addAction(texts.deleteNode);
    parts.deleteNode->setObjectName(QStringLiteral("N2"));

    parts.heading = makeHint(screen, QStringLiteral("Label2"), QStringLiteral("提示："), true);
    parts.hint1 = makeHint(screen, QStringLiteral("Label1"), texts.hint1, false);
    parts.hint3 = makeHint(screen, QStringLiteral("Label3"), texts.hint3, false);

    parts.grid = new DBGrid(screen, QStringLiteral("DBGrid1"), source);
    parts.grid->setReadOnly(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const auto& [name, caption] : texts.buttons) {
        parts.buttons << makeButton(screen, name, caption);
        buttons->addWidget(parts.buttons.last());
    }
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(parts.tree, 1);
    left->addWidget(parts.heading);
    left->addWidget(parts.hint1);
    left->addWidget(parts.hint3);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(parts.grid, 4);
    auto* layout = new QVBoxLayout(screen);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    parts.statusBar = addStatusBar(screen, false);
    screen->resize(900, 520);

    QTreeWidget* tree = parts.tree;
    QMenu* menu = parts.menu;
    QObject::connect(tree, &QWidget::customContextMenuRequested, screen,
                     [tree, menu](const QPoint& pos) { menu->popup(tree->viewport()->mapToGlobal(pos)); });
    return parts;
}

} // namespace treeparts
