#pragma once
// What the partner and department screens do alike with their class tree.
#include <QString>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace treeparts {

// 0 for the root, 1 for its children, and so on.
int levelOf(const QTreeWidgetItem* item);
// The node the operator has selected, nullptr when none.
QTreeWidgetItem* selectedNode(const QTreeWidget* tree);
// The ancestor at level 1 (the node itself when it is there); nullptr for the root.
QTreeWidgetItem* classOf(QTreeWidgetItem* item);
// A tree edited in place by a double-click, whose selection stays visible.
QTreeWidget* makeTree(QWidget* parent, const QString& name);
// The hint under the tree: "提示：" bold red, the rest blue.
QLabel* makeHint(QWidget* parent, const QString& name, const QString& text, bool heading);
// Removes the node and selects its next sibling, else its previous one, else its parent,
// without the tree announcing the change: the caller refreshes its list once afterwards.
void removeNode(QTreeWidget* tree, QTreeWidgetItem* node);

} // namespace treeparts
