#pragma once
// TForm6 "库存商品信息": the goods list with its category tree; also the goods picker of
// the voucher-line dialogs (myvar::goodsPickMode 1 to 5), which are then its parent.
#include "master/CategoryTreeParts.h"

class QTreeWidgetItem;

class TForm6 : public TreeListScreen {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // The first two lines of every list query; a third line picks the rows.
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
    void DBGrid1DblClick();

    void done(int result) override;

private:
    QTreeWidgetItem* selectedNode() const;
    void openList(const QString& thirdLine);
    void refreshList(bool afterChange);
    void openEntry(bool adding);
    void pickInto(QWidget* dialog);
};
