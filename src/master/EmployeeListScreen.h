#pragma once
// TForm51 "部门、职工设置": the employees with the department tree.
#include "master/CategoryTreeParts.h"

class QTreeWidgetItem;

class TForm51 : public TreeListScreen {
    Q_OBJECT
public:
    explicit TForm51(QWidget* parent = nullptr);

    // The first two lines of every list query; a third line picks the rows.
    static const QString listQuery1;
    static const QString listQuery2;

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
};
