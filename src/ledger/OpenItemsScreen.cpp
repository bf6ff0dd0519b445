#include "ledger/OpenItemsScreen.h"

#include "db/SqlText.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

const OpenItemsKind kPayables = {
    QStringLiteral("Form23"), QStringLiteral("应付款查询、打印"), QStringLiteral("TForm23"),
    QStringLiteral("应付客户凭证号列表"), QStringLiteral("总应付："), QStringLiteral("总实付："),
    {{QStringLiteral("供货商"), QStringLiteral("ghs"),
      QStringLiteral("select distinct ghs from J_cgb where sfk<yfk and fqf=0 order by ghs"),
      QStringLiteral("select sum(yfk) from J_cgb where sfk<yfk and fqf=0 and "),
      QStringLiteral("select sum(sfk) from J_cgb where sfk<yfk and fqf=0 and "),
      QStringLiteral("select pzh as 凭证号,fph as 发票号,rklb as 入库类别,cgy as 采购员,shr as 审核人,yfk as 应付款,sfk as 实付款,yfk-sfk as 欠款,cgrq as 日期"),
      QStringLiteral(" from J_cgb where  sfk<yfk and fqf=0 and ")},
     {QStringLiteral("退货客户"), QStringLiteral("ths"),
      QStringLiteral("select distinct ths from J_xsthb where sfk<yfk and fqf=0 order by ths "),
      QStringLiteral("select sum(yfk) from J_xsthb where sfk<yfk and fqf=0 and "),
      QStringLiteral("select sum(sfk) from J_xsthb where sfk<yfk and fqf=0 and "),
      QStringLiteral("select pzh as 凭证号,thyy as 退货原因,jsr as 经手人,shr as 审核人,yfk as 应付款,sfk as 实付款,yfk-sfk as 欠款,thrq as 日期"),
      QStringLiteral(" from J_xsthb where  sfk<yfk and fqf=0 and ")}},
};

const OpenItemsKind kReceivables = {
    QStringLiteral("Form24"), QStringLiteral("应收款查询、打印"), QStringLiteral("TForm24"),
    QStringLiteral("应收客户凭证号列表"), QStringLiteral("总应收："), QStringLiteral("总实收："),
    {{QStringLiteral("购货商"), QStringLiteral("ghs"),
      QStringLiteral("select distinct ghs from J_xsb where ssk<ysk and fqf=0 order by ghs"),
      QStringLiteral("select sum(ysk) from J_xsb where ssk<ysk and fqf=0 and "),
      QStringLiteral("select sum(ssk) from J_xsb where ssk<ysk and fqf=0 and "),
      QStringLiteral("select pzh as 凭证号,fph as 发票号,cklb as 出库类别,xsy as 销售员,shr as 审核人,ysk as 应收款,ssk as 实收款,ysk-ssk as 欠款,xsrq as 日期"),
      QStringLiteral(" from J_xsb where  ssk<ysk and fqf=0 and ")},
     {QStringLiteral("退货客户"), QStringLiteral("ths"),
      QStringLiteral("select distinct ths from J_cgthb where ssk<ysk and fqf=0 order by ths "),
      QStringLiteral("select sum(ysk) from J_cgthb where ssk<ysk and fqf=0 and "),
      QStringLiteral("select sum(ssk) from J_cgthb where ssk<ysk and fqf=0 and "),
      QStringLiteral("select pzh as 凭证号,thyy as 退货原因,jsr as 经手人,shr as 审核人,ysk as 应收款,ssk as 实收款,ysk-ssk as 欠款,thrq as 日期"),
      QStringLiteral(" from J_cgthb where  ssk<ysk and fqf=0 and ")}},
};

// The empty item of the list stands for vouchers saved without a partner, which the
// database keeps as null: they must be listed too, or their money is in no total.
QString partnerIs(const QString& column, const QString& partner)
{
    if (partner.isEmpty())
        return QStringLiteral("(%1 is null or %1='')").arg(column);
    return column + QLatin1Char('=') + quoted(partner);
}

} // namespace

OpenItemsScreen::OpenItemsScreen(QWidget* parent, const OpenItemsKind& kind)
    : QueryScreen(parent, kind.name, kind.caption), m_kind(kind)
{
    resize(760, 480);
    GroupBox1 = makeGroup(this, QStringLiteral("GroupBox1"), QStringLiteral("客户类别"));
    RadioButton1 = makeRadio(GroupBox1, QStringLiteral("RadioButton1"), kind.modes[0].radioCaption);
    ComboBox1 = makeCombo(GroupBox1, QStringLiteral("ComboBox1"));
    RadioButton2 = makeRadio(GroupBox1, QStringLiteral("RadioButton2"), kind.modes[1].radioCaption);
    ComboBox2 = makeCombo(GroupBox1, QStringLiteral("ComboBox2"));
    auto* partners = new QHBoxLayout(GroupBox1);
    for (QWidget* w : {static_cast<QWidget*>(RadioButton1), static_cast<QWidget*>(ComboBox1),
                       static_cast<QWidget*>(RadioButton2), static_cast<QWidget*>(ComboBox2)})
        partners->addWidget(w, w == ComboBox1 || w == ComboBox2 ? 1 : 0);

    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    fitColumns(DBGrid1, {QStringLiteral("CG1001263_001")});
    GroupBox2 = gridGroup(QStringLiteral("GroupBox2"), kind.gridTitle, DBGrid1);

    GroupBox3 = makeGroup(this, QStringLiteral("GroupBox3"), QStringLiteral("总计："));
    Label2 = totalLabel(GroupBox3, QStringLiteral("Label2"), Qt::red);
    Label8 = totalLabel(GroupBox3, QStringLiteral("Label8"), Qt::darkGreen);
    Label9 = totalLabel(GroupBox3, QStringLiteral("Label9"), Qt::blue);
    auto* totals = new QHBoxLayout(GroupBox3);
    const struct {
        const char* name;
        QString caption;
        QLabel* value;
        const char* unit;
    } rows[] = {{"Label1", kind.dueCaption, Label2, "Label3"},
                {"Label4", kind.settledCaption, Label8, "Label6"},
                {"Label5", QStringLiteral("总欠款："), Label9, "Label7"}};
    for (const auto& row : rows) {
        totals->addWidget(makeLabel(GroupBox3, QLatin1String(row.name), row.caption));
        totals->addWidget(row.value);
        totals->addWidget(makeLabel(GroupBox3, QLatin1String(row.unit), QStringLiteral("元")));
        totals->addStretch();
    }

    BitBtn2 = exportButton(this, QStringLiteral("BitBtn2"));
    BitBtn7 = exitButton(this, QStringLiteral("BitBtn7"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(GroupBox1);
    box->addWidget(GroupBox2, 1);
    box->addWidget(GroupBox3);
    box->addLayout(buttonRow({BitBtn2, BitBtn7}, Qt::AlignRight));
    StatusBar1 = statusBar();

    // RadioButton1 comes first, so the screen opens with its list filled.
    setTabOrder(RadioButton1, ComboBox1);
    setTabOrder(ComboBox1, RadioButton2);
    setTabOrder(RadioButton2, ComboBox2);
    onEnter(RadioButton1, this, &OpenItemsScreen::RadioButton1Enter);
    onEnter(RadioButton2, this, &OpenItemsScreen::RadioButton2Enter);
    connectGuarded(ComboBox1, &QComboBox::currentTextChanged, this, &OpenItemsScreen::ComboBox1Change);
    connectGuarded(ComboBox2, &QComboBox::currentTextChanged, this, &OpenItemsScreen::ComboBox2Change);
    onClick(BitBtn2, this, &OpenItemsScreen::BitBtn2Click);
}

void OpenItemsScreen::FormShow()
{
    StatusBar1->fill();
    RadioButton1->setFocus();
    RadioButton1Enter();
}

void OpenItemsScreen::RadioButton1Enter()
{
    fillList(ComboBox1, m_kind.modes[0].listSql);
}

void OpenItemsScreen::RadioButton2Enter()
{
    fillList(ComboBox2, m_kind.modes[1].listSql);
}

void OpenItemsScreen::ComboBox1Change()
{
    showPartner(m_kind.modes[0], ComboBox1->currentText());
}

void OpenItemsScreen::ComboBox2Change()
{
    showPartner(m_kind.modes[1], ComboBox2->currentText());
}

void OpenItemsScreen::showPartner(const OpenItemsMode& mode, const QString& partner)
{
    const QString match = partnerIs(mode.partnerColumn, partner);
    double due = 0;
    double settled = 0;
    due += sumOf(mode.dueSum + match);
    settled += sumOf(mode.settledSum + match);
    showRows(DBGrid1, mode.gridLine1 + QLatin1Char('\n') + mode.gridLine2 + match + QStringLiteral(" order by pzh"));
    setTotal(Label2, due);
    setTotal(Label8, settled);
    setTotal(Label9, round2(due - settled));
}

void OpenItemsScreen::BitBtn2Click()
{
    ExportOptions options;
    options.checkedRadio = RadioButton1->isChecked() ? 1 : RadioButton2->isChecked() ? 2 : 0;
    exportRows(m_kind.layout, options);
}

TForm23::TForm23(QWidget* parent) : OpenItemsScreen(parent, kPayables) {}

TForm24::TForm24(QWidget* parent) : OpenItemsScreen(parent, kReceivables) {}
