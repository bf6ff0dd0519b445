#include "master/CategoryTreeParts.h"

#include "master/TreeFile.h"
#include "widgets/Controls.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QTreeWidget>

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

} // namespace treeparts
