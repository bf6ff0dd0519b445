#include "reports/StockSummaryScreen.h"

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

const StockSummaryKind kStockIn = {
    QStringLiteral("Form54"), QStringLiteral("入库汇总查询"), QStringLiteral("入库类别"), QStringLiteral("TForm54"),
    QStringLiteral("select rklb from J_rklbb"), QStringLiteral("select distinct ghs from J_cgb"),
    QStringLiteral("select sum(yfk) from J_cgb"), QStringLiteral("cgrq"), QStringLiteral("rklb"),
    QStringLiteral("J_cgmxb"), false,
    QStringLiteral("select pzh as 凭证号,fph as 发票号,cgy as 采购员,shr as 审核人,yfk as 应付款,sfk as 实付款,yfk-sfk as 欠款,cgrq as 采购日期 from J_cgb"),
    QStringLiteral("select pzh as 凭证号,fph as 发票号,ghs as 供货商,cgy as 采购员,shr as 审核人,yfk as 应付款,sfk as 实付款,yfk-sfk as 欠款,cgrq as 采购日期 from J_cgb"),
    QStringLiteral("select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.pp as 品牌,J_spb.gg as 规格,J_spb.dw as 单位,J_cgmxb.dj as 单价,sum(J_cgmxb.sl) as 数量 from J_cgmxb,J_spb"),
    QStringLiteral("group by J_spb.spdm,J_spb.spmc,J_spb.pp,J_spb.gg,J_spb.dw,J_cgmxb.dj order by J_spb.spmc"),
    QStringLiteral("select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.pp as 品牌,J_spb.gg as 规格,J_spb.dw as 单位,J_cgmxb.dj as 单价,J_cgmxb.sl as 数量,cgrq as 采购日期 from J_cgmxb,J_spb"),
};

const StockSummaryKind kStockOut = {
    QStringLiteral("Form55"), QStringLiteral("出库汇总查询"), QStringLiteral("出库类别"), QStringLiteral("TForm55"),
    QStringLiteral("select cklb from J_cklbb"), QStringLiteral("select distinct ghs from J_xsb"),
    QStringLiteral("select sum(ysk) from J_xsb"), QStringLiteral("xsrq"), QStringLiteral("cklb"),
    QStringLiteral("J_xsmxb"), true,
    QStringLiteral("select pzh as 凭证号,fph as 发票号,xsy as 销售员,shr as 审核人,ysk as 应收款,ssk as 实收款,ysk-ssk as 欠款,xsrq as 销售日期 from J_xsb"),
    QStringLiteral("select pzh as 凭证号,fph as 发票号,ghs as 购货商,xsy as 销售员,shr as 审核人,ysk as 应收款,ssk as 实收款,ysk-ssk as 欠款,xsrq as 销售日期 from J_xsb"),
    QStringLiteral("select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.pp as 品牌,J_spb.gg as 规格,J_spb.dw as 单位,J_xsmxb.dj as 单价,sum(J_xsmxb.sl) as 数量 from J_xsmxb,J_spb"),
    QStringLiteral("group by J_spb.spdm,J_spb.spmc,J_spb.pp,J_spb.gg,J_spb.dw,J_xsmxb.dj order by J_spb.spmc"),
    QStringLiteral("select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.pp as 品牌,J_spb.gg as 规格,J_spb.dw as 单位,J_xsmxb.dj as 单价,J_xsmxb.sl as 数量,xsrq as 销售日期 from J_xsmxb,J_spb"),
};

} // namespace

StockSummaryScreen::StockSummaryScreen(QWidget* parent, const StockSummaryKind& kind)
    : QueryScreen(parent, kind.name, kind.caption), m_kind(kind)
{
    resize(860, 560);
    GroupBox2 = makeGroup(this, QStringLiteral("GroupBox2"), QStringLiteral("选择查询条件"));
    auto* conditions = new QGridLayout(GroupBox2);
    QHBoxLayout* range = dateRange(DateTimePicker1, DateTimePicker2, QStringLiteral("时间段 "));
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker2})
        picker->setParent(GroupBox2);
    range->addStretch();
    conditions->addLayout(range, 0, 0, 1, 4);
    ComboBox1 = makeCombo(GroupBox2, QStringLiteral("ComboBox1"));
    ComboBox2 = makeCombo(GroupBox2, QStringLiteral("ComboBox2"));
    conditions->addWidget(makeLabel(GroupBox2, QStringLiteral("Label1"), QStringLiteral("客户名称")), 1, 0);
    conditions->addWidget(ComboBox1, 1, 1);
    conditions->addWidget(makeLabel(GroupBox2, QStringLiteral("Label5"), kind.categoryLabel), 1, 2);
    conditions->addWidget(ComboBox2, 1, 3);
    conditions->setColumnStretch(1, 1);
    conditions->setColumnStretch(3, 1);

    GroupBox3 = makeGroup(this, QStringLiteral("GroupBox3"), QStringLiteral("输出类别"));
    RadioButton1 = makeRadio(GroupBox3, QStringLiteral("RadioButton1"), QStringLiteral("主单据"));
    RadioButton2 = makeRadio(GroupBox3, QStringLiteral("RadioButton2"), QStringLiteral("汇总数据"));
    RadioButton3 = makeRadio(GroupBox3, QStringLiteral("RadioButton3"), QStringLiteral("明细数据"));
    RadioButton1->setChecked(true);
    auto* kinds = new QVBoxLayout(GroupBox3);
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3})
        kinds->addWidget(r);

    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("开始"));
    BitBtn4 = exportButton(this, QStringLiteral("BitBtn4"));
    BitBtn5 = exitButton(this, QStringLiteral("BitBtn5"));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BitBtn1, BitBtn4, BitBtn5})
        buttons->addWidget(b);
    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox2, 1);
    top->addWidget(GroupBox3);
    top->addLayout(buttons);

    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    GroupBox1 = gridGroup(QStringLiteral("GroupBox1"), QStringLiteral("查询结果"), DBGrid1);

    auto* bottom = new QHBoxLayout;
    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("总金额："));
    Label3 = totalLabel(this, QStringLiteral("Label3"), palette().color(QPalette::WindowText));
    Label4 = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("元"));
    Label8 = colouredLabel(this, QStringLiteral("Label8"), QStringLiteral("注意："), Qt::red);
    Label9 = colouredLabel(this, QStringLiteral("Label9"), QStringLiteral("先查询后导出，否则导出结果出错"), Qt::blue);
    for (QLabel* l : {Label2, Label3, Label4})
        bottom->addWidget(l);
    bottom->addStretch();
    bottom->addWidget(Label8);
    bottom->addWidget(Label9);

    auto* box = new QVBoxLayout(this);
    box->addLayout(top);
    box->addWidget(GroupBox1, 1);
    box->addLayout(bottom);
    StatusBar1 = statusBar();

    onClick(BitBtn1, this, &StockSummaryScreen::BitBtn1Click);
    onClick(BitBtn4, this, &StockSummaryScreen::BitBtn4Click);
}

void StockSummaryScreen::FormShow()
{
    fillList(ComboBox2, m_kind.categoryList);
    fillList(ComboBox1, m_kind.partnerList);
    StatusBar1->fill();
}

int StockSummaryScreen::checkedKind() const
{
    return RadioButton1->isChecked() ? 1 : RadioButton2->isChecked() ? 2 : RadioButton3->isChecked() ? 3 : 0;
}

void StockSummaryScreen::BitBtn1Click()
{
    const QString partner = ComboBox1->currentText();
    const QString category = ComboBox2->currentText();
    if (partner.isEmpty() && category.isEmpty())
        return;

    // Header condition H and line condition L of the selection.
    QString header = QStringLiteral(" where ");
    const QString& lines = m_kind.lineTable;
    QString line = QStringLiteral(" where J_spb.spdm=") + lines + QStringLiteral(".spdm and ");
    if (!partner.isEmpty()) {
        header += QStringLiteral("ghs=") + quoted(partner) + QStringLiteral(" and ");
        line += lines + QStringLiteral(".ghs=") + quoted(partner) + QStringLiteral(" and ");
    }
    if (!category.isEmpty()) {
        header += m_kind.categoryColumn + QLatin1Char('=') + quoted(category) + QStringLiteral(" and ");
        line += lines + QLatin1Char('.') + m_kind.categoryColumn + QLatin1Char('=') + quoted(category)
                + QStringLiteral(" and ");
    }
    const QString range = dateRangeText(DateTimePicker1, DateTimePicker2);
    header += m_kind.dateColumn + QStringLiteral(" between ") + range;
    line += lines + QLatin1Char('.') + m_kind.dateColumn + QStringLiteral(" between ") + range;

    QString totalCondition = header;
    if (m_kind.quotedPartnerTotal && category.isEmpty())
        totalCondition = QStringLiteral(" where ghs=") + quoted(partner) + QStringLiteral(" and ") + m_kind.dateColumn
                         + QStringLiteral(" between ") + quoted(shortDate(DateTimePicker1->date()))
                         + QStringLiteral("and ") + quoted(shortDate(DateTimePicker2->date()));
    setTotal(Label3, round2(sumOf(m_kind.total + QLatin1Char('\n') + totalCondition)));

    QString sql;
    switch (checkedKind()) {
    case 2:
        sql = m_kind.summaryLine1 + QLatin1Char('\n') + line + QLatin1Char('\n') + m_kind.summaryLine3;
        break;
    case 3:
        sql = m_kind.detailLine1 + QLatin1Char('\n') + line + QStringLiteral(" order by ") + lines + QLatin1Char('.')
              + m_kind.dateColumn;
        break;
    default:
        sql = (partner.isEmpty() ? m_kind.headersWithPartner : m_kind.headers) + QLatin1Char('\n') + header;
        break;
    }
    showRows(DBGrid1, sql);
}

void StockSummaryScreen::BitBtn4Click()
{
    ExportOptions options;
    options.checkedRadio = checkedKind();
    options.comboBox1 = ComboBox1->currentText();
    options.comboBox2 = ComboBox2->currentText();
    exportPage(m_kind.layout, options);
}

TForm54::TForm54(QWidget* parent) : StockSummaryScreen(parent, kStockIn) {}

TForm55::TForm55(QWidget* parent) : StockSummaryScreen(parent, kStockOut) {}
