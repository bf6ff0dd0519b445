#pragma once
// TForm6 "库存商品信息": the goods list with its category tree; also the goods picker of
// the voucher-line dialogs (myvar::goodsPickMode 1 to 5), which read the picked article
// and fill their own boxes.
#include "master/CategoryTreeParts.h"

#include <optional>

class QTreeWidgetItem;

// The article a double-click picked, as the list shows it.
struct PickedArticle {
    QString code;  // 商品代码
    QString name;  // 商品名称
    QString maker; // 制造商
    QString unit;  // 单位
    QString stock; // 现有库存
    QString cost;  // 单价: the moving-average cost
    double costValue = 0;
    double profitRate = 0; // 利润率, percent
};

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

    // The article double-clicked in pick mode; nothing in plain mode or before a pick.
    const std::optional<PickedArticle>& picked() const { return m_picked; }

private:
    QTreeWidgetItem* selectedNode() const;
    void openList(const QString& thirdLine);
    void refreshList(bool afterChange);
    void openEntry(bool adding);
    std::optional<PickedArticle> m_picked;
};
