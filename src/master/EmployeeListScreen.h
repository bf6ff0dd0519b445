#pragma once
// TForm51 "部门、职工设置": the employees with the department tree.
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

class TForm51 : public Screen {
    Q_OBJECT
public:
    explicit TForm51(QWidget* parent = nullptr);

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

    ResultSet* list() const { return m_list; }

    void FormShow() override;
    void TreeView1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn6Click();
    void N1Click();
    void N2Click();

    void done(int result) override;

private:
    void openList(const QString& thirdLine = QString());
    void refreshList(bool afterChange);
    void openEntry(bool adding, QTreeWidgetItem* department);

    ResultSet* m_list;
    DataSource* m_source;
};
