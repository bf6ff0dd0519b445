#include "ledger/RankingScreen.h"

#include "widgets/DBGrid.h"
#include "widgets/StatusBar.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Each article's purchases and sales are summed apart: joining the lines directly would
// pair every purchase line with every sales line and multiply both sums. Both line tables
// are read once, straight through, in one grouping; a sum stays null for an article that
// has no line of its kind, which leaves it out. Highest profit first.
const RankingKind kBestSellers = {
    QStringLiteral("Form33"), QStringLiteral("畅销商品排行榜"), QStringLiteral("畅销商品排名"),
    QStringLiteral(
        "select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.zzs as 制造商,J_spb.pp as 品牌,J_spb.gg as 规格,\n"
        "t.xs-t.cg as 利润额 from J_spb,\n"
        "(select spdm,sum(cg) as cg,sum(xs) as xs from\n"
        " (select spdm,dj*sl as cg,null as xs from J_cgmxb union all select spdm,null,dj*sl from J_xsmxb) as u\n"
        " group by spdm) as t\n"
        " where J_spb.spdm=t.spdm and t.cg is not null and t.xs is not null\n"
        "order by t.xs-t.cg desc"),
    Qt::blue, Qt::red, false,
    {QStringLiteral("SP00000001"), QStringLiteral("不锈钢六角螺丝钉"), QStringLiteral("华丰五金交电有限公司"),
     QStringLiteral("华丰五金"), QStringLiteral("M6×20mm"), QStringLiteral("-9999999.99")}};

const RankingKind kCustomers = {
    QStringLiteral("Form34"), QStringLiteral("诚信客户排行榜"), QStringLiteral("诚信客户排名"),
    QStringLiteral("select ghs as 购货商,sum(ysk) as  应收金额,sum(ssk) as 实收金额, sum(ysk-ssk) as 欠款 from J_xsb\n"
                   " group  by ghs order by sum(ysk-ssk)"),
    Qt::darkGreen, Qt::blue, true,
    {QStringLiteral("华丰五金交电有限公司"), QStringLiteral("9999999.99"), QStringLiteral("9999999.99"),
     QStringLiteral("9999999.99")}};

} // namespace

RankingScreen::RankingScreen(QWidget* parent, const RankingKind& kind)
    : QueryScreen(parent, kind.name, kind.caption), m_kind(kind)
{
    resize(720, 420);
    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    colourGrid(DBGrid1, kind.text, kind.titles);
    fitColumns(DBGrid1, kind.columnSamples);
    GroupBox1 = gridGroup(QStringLiteral("GroupBox1"), kind.groupTitle, DBGrid1);
    BitBtn1 = exitButton(GroupBox1, QStringLiteral("BitBtn1"));
    static_cast<QVBoxLayout*>(GroupBox1->layout())->addLayout(buttonRow({BitBtn1}, Qt::AlignRight));
    auto* box = new QVBoxLayout(this);
    box->addWidget(GroupBox1);
    StatusBar1 = statusBar();
    if (kind.centredOperator)
        StatusBar1->findChild<QLabel*>(QStringLiteral("StatusBar1Panel0"))->setAlignment(Qt::AlignCenter);
}

void RankingScreen::FormShow()
{
    showRows(DBGrid1, m_kind.sql);
    StatusBar1->fill();
}

TForm33::TForm33(QWidget* parent) : RankingScreen(parent, kBestSellers) {}

TForm34::TForm34(QWidget* parent) : RankingScreen(parent, kCustomers) {}
