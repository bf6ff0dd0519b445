#pragma once
// What the partner, department and goods screens do alike with their class tree.
#include <QList>
#include <QString>

#include <utility>

class DataSource;
class DBGrid;
class QAction;
class QDialog;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class StatusBar;

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

// What differs between the tree + list screens.
struct TreeListTexts {
    QString newNode;    // N1 of the tree's popup menu
    QString deleteNode; // N2
    QString hint1;      // Label1, under "提示："
    QString hint3;      // Label3
    // The buttons under the grid, left to right: object name and caption.
    QList<std::pair<QString, QString>> buttons;
};

struct TreeListParts {
    QTreeWidget* tree;
    QMenu* menu;
    QAction* newNode;
    QAction* deleteNode;
    QLabel* heading; // Label2 "提示："
    QLabel* hint1;
    QLabel* hint3;
    DBGrid* grid;
    QList<QPushButton*> buttons; // in the order of TreeListTexts::buttons
    StatusBar* statusBar;        // not filled yet
};

// Builds and lays out a tree + list screen: the class tree with its popup menu and hints
// on the left, the read-only grid over source on the right, the buttons centred below.
TreeListParts buildTreeList(QDialog* screen, DataSource* source, const TreeListTexts& texts);

} // namespace treeparts
