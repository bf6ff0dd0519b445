#include "master/GoodsEntryScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/GoodsListScreen.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {
// Headings of the list, in the order of Edit1..Edit13.
const QStringList kHeadings = {
    QStringLiteral("商品代码"), QStringLiteral("商品名称"), QStringLiteral("制造商"), QStringLiteral("品牌"),
    QStringLiteral("规格"),     QStringLiteral("单位"),     QStringLiteral("单价"),   QStringLiteral("利润率"),
    QStringLiteral("现有库存"), QStringLiteral("库存上限"), QStringLiteral("库存下限"), QStringLiteral("货位"),
    QStringLiteral("备注"),
};
} // namespace

TForm7::TForm7(QWidget* parent, bool adding, ResultSet* listRows, const QString& category)
    : EntryScreen(parent, QStringLiteral("Form7"), QStringLiteral("商品信息"), adding, listRows),
      m_category(category)
{
    struct Field {
        QLineEdit** edit;
        const char* label;
        int maxLength;
        const char* unit;
    };
    const Field fields[] = {
        {&Edit1, "商品代码：", 20, nullptr}, {&Edit2, "名称：", 30, nullptr},
        {&Edit3, "制造商：", 30, nullptr},   {&Edit4, "品牌：", 16, nullptr},
        {&Edit5, "规格：", 16, nullptr},     {&Edit6, "单位：", 6, nullptr},
        {&Edit7, "最新单价：", 10, "元"},    {&Edit8, "利润率：", 2, "%"},
        {&Edit9, "现有库存：", 10, nullptr}, {&Edit10, "库存上限：", 10, nullptr},
        {&Edit11, "库存下限：", 16, nullptr}, {&Edit12, "货位：", 30, nullptr},
        {&Edit13, "备注：", 30, nullptr},
    };
    QList<QWidget*> edits;
    QStringList labels;
    int i = 0;
    for (const Field& f : fields) {
        *f.edit = makeEdit(this, QStringLiteral("Edit%1").arg(++i), f.maxLength);
        edits << *f.edit;
        labels << QString::fromUtf8(f.label);
    }
    QGridLayout* grid = labelledFields(this, edits, labels, 7, 3);
    // The units after the price and the profit rate.
    i = 0;
    for (const Field& f : fields) {
        if (f.unit)
            grid->addWidget(makeLabel(this, QStringLiteral("Label%1").arg(14 + (i == 7)), QString::fromUtf8(f.unit)),
                            i % 7, (i / 7) * 3 + 2);
        ++i;
    }
    Edit7->setEnabled(false);
    Edit9->setEnabled(false);
    for (QLineEdit* e : {Edit7, Edit8, Edit9, Edit10, Edit11})
        e->setText(QStringLiteral("0"));

    layOutEntry(grid, QStringLiteral("退出"));
    limitToColumns(QStringLiteral("J_spb"), {{Edit1, "spdm"}, {Edit2, "spmc"}, {Edit3, "zzs"}, {Edit4, "pp"},
                                             {Edit5, "gg"}, {Edit6, "dw"}, {Edit12, "hw"}, {Edit13, "bz"}});

    onClick(BitBtn1, this, &TForm7::BitBtn1Click);
    onExit(Edit1, this, &TForm7::Edit1Exit);
}

QList<QLineEdit*> TForm7::edits() const
{
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13};
}

void TForm7::FormShow()
{
    if (m_adding) {
        Edit1->setEnabled(true);
        return;
    }
    const QList<QLineEdit*> all = edits();
    for (int i = 0; i < all.size(); ++i)
        all[i]->setText(m_listRows->text(kHeadings[i]));
    Edit1->setEnabled(false);
}

void TForm7::Edit1Exit()
{
    if (!m_adding)
        return;
    ResultSet rs;
    rs.open(QStringLiteral("select * from J_spb where spdm=") + quoted(Edit1->text()));
    if (!rs.isEmpty())
        showInfo(this, QStringLiteral("该商品代码已存在，请重新输入"));
}

void TForm7::BitBtn1Click()
{
    if (Edit1->text().isEmpty())
        return;
    // Numbers are checked before anything is written; a bad one stops here with the dialog open.
    const double profitRate = toNumber(Edit8->text());
    const double upperLimit = toNumber(Edit10->text());
    const double lowerLimit = toNumber(Edit11->text());

    ResultSet rs;
    if (m_adding) {
        rs.open(QStringLiteral("select spdm as 商品代码,spmc as 商品名称,lb as 类别,zzs as 制造商,pp as 品牌,gg as 规格,dw as 单位,zxdj as 单价,\n")
                + TForm6::listQuery2);
    } else {
        const QString code = m_listRows->value(0).toString();
        rs.open(TForm6::listQuery1 + u'\n' + TForm6::listQuery2 + u'\n' + QStringLiteral("where spdm=") + quoted(code));
    }
    try {
        if (m_adding) {
            rs.append();
            rs.setValue(QStringLiteral("类别"), m_category);
        } else {
            rs.edit();
        }
        rs.setValue(QStringLiteral("商品代码"), Edit1->text());
        rs.setValue(QStringLiteral("商品名称"), Edit2->text());
        rs.setValue(QStringLiteral("制造商"), Edit3->text());
        rs.setValue(QStringLiteral("品牌"), Edit4->text());
        rs.setValue(QStringLiteral("规格"), Edit5->text());
        rs.setValue(QStringLiteral("单位"), Edit6->text());
        rs.setValue(QStringLiteral("利润率"), profitRate);
        rs.setValue(QStringLiteral("库存上限"), upperLimit);
        rs.setValue(QStringLiteral("库存下限"), lowerLimit);
        rs.setValue(QStringLiteral("货位"), Edit12->text());
        rs.setValue(QStringLiteral("备注"), Edit13->text());
        rs.post();
    } catch (const DbError&) {
        if (rs.state() == ResultSet::Edit || rs.state() == ResultSet::Insert)
            rs.cancel();
        showInfo(this, m_adding ? QStringLiteral("添加数据错误！！") : QStringLiteral("修改数据错误！！"));
    }
    close();
}
