#include "master/CategoryScreen.h"

#include "master/CodeListGroup.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
struct CategoryList {
    const char* caption;
    const char* query;
    const char* kind; // 入库类别, ... as the messages name it
};

const CategoryList kLists[] = {
    {"入库类别设置", "select bh as 编号,rklb as 入库类别 from J_rklbb", "入库类别"},
    {"出库类别设置", "select bh as 编号,cklb as 出库类别 from J_cklbb", "出库类别"},
    {"费用支出类别设置", "select bh as 编号,zclb as 支出类别 from J_zclbb", "支出类别"},
    {"报损类别设置", "select bh as 编号,bslb as 报损类别 from J_bslbb", "报损类别"},
};
} // namespace

TForm20::TForm20(QWidget* parent) : Screen(parent, QStringLiteral("Form20"), QStringLiteral("辅助设置（类别设置用于分类汇总）"))
{
    QGroupBox** groups[] = {&GroupBox1, &GroupBox2, &GroupBox3, &GroupBox4};
    DBGrid** grids[] = {&DBGrid1, &DBGrid2, &DBGrid3, &DBGrid4};
    QPushButton** buttons[] = {&BitBtn1, &BitBtn2, &BitBtn3, &BitBtn4,  &BitBtn5,  &BitBtn6,
                               &BitBtn7, &BitBtn8, &BitBtn9, &BitBtn10, &BitBtn11, &BitBtn12};
    const QString captions[] = {QStringLiteral("添加"), QStringLiteral("修改"), QStringLiteral("删除")};
    auto* lists = new QGridLayout;
    for (int g = 0; g < 4; ++g) {
        QGroupBox* group = makeGroup(this, QStringLiteral("GroupBox%1").arg(g + 1), QString::fromUtf8(kLists[g].caption));
        *groups[g] = group;
        *grids[g] = new DBGrid(group, QStringLiteral("DBGrid%1").arg(g + 1));
        auto* row = new QHBoxLayout;
        for (int b = 0; b < 3; ++b) {
            *buttons[g * 3 + b] = makeButton(group, QStringLiteral("BitBtn%1").arg(g * 3 + b + 1), captions[b]);
            row->addWidget(*buttons[g * 3 + b]);
        }
        if (g == 3) {
            BitBtn13 = makeButton(group, QStringLiteral("BitBtn13"), QStringLiteral("退出"));
            row->addWidget(BitBtn13);
        }
        auto* box = new QVBoxLayout(group);
        box->addWidget(*grids[g], 1);
        box->addLayout(row);
        lists->addWidget(group, g / 2, g % 2);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    StatusBar1 = addStatusBar(this, false);
    resize(720, 520);

    for (int g = 0; g < 4; ++g) {
        const QString kind = QString::fromUtf8(kLists[g].kind);
        m_groups[g] = new CodeListGroup(this, *grids[g], *buttons[g * 3], *buttons[g * 3 + 1], *buttons[g * 3 + 2],
                                        BitBtn13,
                                        {QString::fromUtf8(kLists[g].query), kind + QStringLiteral("表添加错误！！"),
                                         QStringLiteral("确定将删除") + kind + QStringLiteral("："), QString(),
                                         kind + QStringLiteral("删除失败！！")});
    }
    connect(BitBtn13, &QPushButton::clicked, this, &QDialog::close);
}

void TForm20::FormShow()
{
    for (CodeListGroup* group : m_groups)
        group->open();
    StatusBar1->fill();
}

void TForm20::FormClose()
{
    for (CodeListGroup* group : m_groups)
        group->abandon();
}

void TForm20::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        guarded(this, [this] { FormClose(); });
    }
    QDialog::done(result);
}
