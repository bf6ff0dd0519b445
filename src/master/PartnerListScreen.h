#pragma once
// TForm4 "客户管理": the trading partners with their class tree (suppliers and buyers,
// each with sub-classes the operator creates).
#include "master/CategoryTreeParts.h"

class QTreeWidgetItem;

class TForm4 : public TreeListScreen {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // The first line of every list query, and the second line's column part.
    static const QString listQuery1;
    static const QString listQuery2;

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
};
