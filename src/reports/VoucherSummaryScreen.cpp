#include "reports/VoucherSummaryScreen.h"

#include "db/SqlText.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const VoucherSummaryKind kExpenses = {
    QStringLiteral("Form22"), QStringLiteral("费用支出汇总"), QStringLiteral("支出类别"),
    QStringLiteral("支出汇总结果"), QStringLiteral("TForm22"), QStringLiteral("select zclb from J_zclbb"),
    QStringLiteral("select sum(zcje) from J_zcb"),
    QStringLiteral("select pzh as 凭证号,zcsm as 支出说明,jsr as 经手人,shr as 审核人,zcje as 支出金额,zcrq as 支出日期,bz as 备注  from J_zcb"),
    QStringLiteral("zcrq"), QStringLiteral("J_zcmxb"), QStringLiteral("zclb"), false};

const VoucherSummaryKind kLosses = {
    QStringLiteral("Form31"), QStringLiteral("报损商品汇总"), QStringLiteral("报损类别"),
    QStringLiteral("报损汇总结果"), QStringLiteral("TForm31"), QStringLiteral("select bslb from J_bslbb"),
    QStringLiteral("select sum(bsje) from J_bsb"),
    QStringLiteral("select pzh as 凭证号,bssm as 报损说明,jsr as 经手人,shr as 审核人,bsje as 报损金额,bsrq as 报损日期,bz as 备注 from J_bsb"),
    QStringLiteral("bsrq"), QStringLiteral("J_bsmxb"), QStringLiteral("bslb"), true};

} // namespace

VoucherSummaryScreen::VoucherSummaryScreen(QWidget* parent, const VoucherSummaryKind& kind)
    : QueryScreen(parent, kind.name, kind.caption), m_kind(kind)
{
    resize(860, 520);
    GroupBox2 = makeGroup(this, QStringLiteral("GroupBox2"), QStringLiteral("选择查询条件"));
    auto* conditions = new QHBoxLayout(GroupBox2);
    QHBoxLayout* range = dateRange(DateTimePicker1, DateTimePicker2, QStringLiteral("时间段 "), QStringLiteral("至 "));
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker2})
        picker->setParent(GroupBox2);
    conditions->addLayout(range);
    ComboBox1 = makeCombo(GroupBox2, QStringLiteral("ComboBox1"));
    conditions->addWidget(makeLabel(GroupBox2, QStringLiteral("Label1"), kind.categoryLabel));
    conditions->addWidget(ComboBox1, 1);
    BitBtn1 = makeButton(GroupBox2, QStringLiteral("BitBtn1"), QStringLiteral("开始"));
    BitBtn4 = exportButton(GroupBox2, QStringLiteral("BitBtn4"));
    BitBtn5 = exitButton(GroupBox2, QStringLiteral("BitBtn5"));
    for (QPushButton* b : {BitBtn1, BitBtn4, BitBtn5})
        conditions->addWidget(b);

    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    GroupBox1 = gridGroup(QStringLiteral("GroupBox1"), kind.resultTitle, DBGrid1);

    auto* bottom = new QHBoxLayout;
    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("总金额："));
    Label3 = totalLabel(this, QStringLiteral("Label3"), palette().color(QPalette::WindowText));
    Label4 = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("元"));
    Label9 = colouredLabel(this, QStringLiteral("Label9"), QStringLiteral("提示："), Qt::red);
    Label10 = colouredLabel(this, QStringLiteral("Label10"), QStringLiteral("先汇总,后打印,否则打印结果出错"), Qt::blue);
    for (QLabel* l : {Label2, Label3, Label4})
        bottom->addWidget(l);
    bottom->addStretch();
    bottom->addWidget(Label9);
    bottom->addWidget(Label10);

    auto* box = new QVBoxLayout(this);
    box->addWidget(GroupBox2);
    box->addWidget(GroupBox1, 1);
    box->addLayout(bottom);
    StatusBar1 = statusBar();

    onClick(BitBtn1, this, &VoucherSummaryScreen::BitBtn1Click);
    onClick(BitBtn4, this, &VoucherSummaryScreen::BitBtn4Click);
}

void VoucherSummaryScreen::FormShow()
{
    fillList(ComboBox1, m_kind.categoryList);
    StatusBar1->fill();
}

void VoucherSummaryScreen::BitBtn1Click()
{
    const QString category = ComboBox1->currentText();
    const QString range = dateRangeText(DateTimePicker1, DateTimePicker2);
    QString totalCondition;
    QString listCondition;
    if (category.isEmpty()) {
        listCondition = QStringLiteral(" where ") + m_kind.dateColumn + QStringLiteral(" between ") + range;
        totalCondition = listCondition;
        if (m_kind.quotedTotal)
            totalCondition = QStringLiteral(" where ") + m_kind.dateColumn + QStringLiteral(" between ")
                             + quoted(shortDate(DateTimePicker1->date())) + QStringLiteral("and ")
                             + quoted(shortDate(DateTimePicker2->date()));
    } else {
        // A voucher counts once, with its whole amount, when one of its lines has the category.
        const QString lines = QStringLiteral("(select pzh from ") + m_kind.lineTable + QStringLiteral(" where ")
                              + m_kind.categoryColumn + QLatin1Char('=') + quoted(category) + QStringLiteral(" and ")
                              + m_kind.dateColumn + QStringLiteral(" between ") + range + QLatin1Char(')');
        totalCondition = lines;
        listCondition = QStringLiteral("where pzh in ") + lines;
    }
    const QString total = category.isEmpty() ? m_kind.total : m_kind.total + QStringLiteral(" where pzh in");
    setTotal(Label3, round2(sumOf(total + QLatin1Char('\n') + totalCondition)));
    showRows(DBGrid1, m_kind.list + QLatin1Char('\n') + listCondition);
}

void VoucherSummaryScreen::BitBtn4Click()
{
    exportPage(m_kind.layout, ExportOptions{});
}

TForm22::TForm22(QWidget* parent) : VoucherSummaryScreen(parent, kExpenses) {}

TForm31::TForm31(QWidget* parent) : VoucherSummaryScreen(parent, kLosses) {}
