#pragma once
// TForm6 "库存商品信息": the goods list with its category tree; also the goods picker of
// the voucher-line dialogs (myvar::goodsPickMode 1 to 5), which are then its parent.
#include "widgets/Screen.h"

class DataSource;
class DBGrid;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class ResultSet;
class StatusBar;

class TForm6 : public Screen {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // The first two lines of every list query; a third line picks the rows.
    static const QString listQuery1;
    static const QString listQuery2;

    QTreeWidget* TreeView1;
    QMenu* PopupMenu1;
    QAction* N1;
    QAction* N2;
    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label3;
    DBGrid* DBGrid1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;
    QPushButton* BitBtn6;
    StatusBar* StatusBar1;

    // The list's rows.
    ResultSet* list() const { return m_list; }

    void FormShow() override;
    void TreeView1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void N1Click();
    void N2Click();
    void DBGrid1DblClick();

    void done(int result) override;

private:
    QTreeWidgetItem* selectedNode() const;
    void openList(const QString& thirdLine);
    void refreshList(bool afterChange);
    void openEntry(bool adding);
    void pickInto(QWidget* dialog);

    ResultSet* m_list;
    DataSource* m_source;
};
