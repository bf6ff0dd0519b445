#pragma once
// What the partner, department and goods screens do alike with their class tree.
#include "widgets/Screen.h"

#include <QList>
#include <QString>

#include <utility>

class DataSource;
class DBGrid;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class ResultSet;
class StatusBar;

namespace treeparts {

// 0 for the root, 1 for its children, and so on.
int levelOf(const QTreeWidgetItem* item);
// The node the operator has selected, nullptr when none.
QTreeWidgetItem* selectedNode(const QTreeWidget* tree);
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
    // The buttons under the grid, left to right: object name ("BitBtn1".."BitBtn6") and caption.
    QList<std::pair<QString, QString>> buttons;
};


} // namespace treeparts

// A tree + list screen: the class tree with its popup menu and hints on the left, the
// read-only grid over the list's rows on the right, the buttons centred below.
class TreeListScreen : public Screen {
    Q_OBJECT
public:
    QTreeWidget* TreeView1;
    QMenu* PopupMenu1;
    QAction* N1;
    QAction* N2;
    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label3;
    DBGrid* DBGrid1;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    StatusBar* StatusBar1;

    // The list's rows.
    ResultSet* list() const { return m_list; }

protected:
    TreeListScreen(QWidget* parent, const QString& name, const QString& caption, const treeparts::TreeListTexts& texts);

    ResultSet* m_list;
    DataSource* m_source;
};
