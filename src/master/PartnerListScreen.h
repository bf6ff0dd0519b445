#pragma once
// TForm4 "客户管理": the trading partners with their class tree (suppliers and buyers,
// each with sub-classes the operator creates).
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

class TForm4 : public Screen {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // The first line of every list query, and the second line's column part.
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

    void done(int result) override;

private:
    QTreeWidgetItem* selectedSubClass();
    void openList(const QString& from, const QString& thirdLine = QString());
    void refreshList(bool afterChange);
    void openEntry(bool adding, QTreeWidgetItem* subClass);

    ResultSet* m_list;
    DataSource* m_source;
};
