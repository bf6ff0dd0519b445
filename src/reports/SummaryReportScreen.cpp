#include "reports/SummaryReportScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "reports/ChartScreen.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StatusBar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Names of a page's controls, in the order of SummaryPage's members; "" where it has none.
enum { NamesGroup, Available, Chosen, ToChosen, ToAvailable, AllToChosen, AllToAvailable, All, From, To,
       Query, Chart, ResultGroup, Grid, Total, Export, Exit };

QString tradeList(const char* lines)
{
    return QStringLiteral("select J_spb.spdm as 商品代码,J_spb.spmc as 商品名称,J_spb.pp as 品牌,J_spb.gg as 规格,J_spb.dw as 单位,sum(%1.sl) as 数量,sum(%1.dj*%1.sl) as 金额 from J_spb,%1 where J_spb.spdm=%1.spdm ")
        .arg(QLatin1String(lines));
}

const QString kGroupByArticle =
    QStringLiteral(" group by J_spb.spdm,J_spb.spmc,J_spb.pp,J_spb.gg,J_spb.dw order by J_spb.spmc");

const SummaryPageKind kPurchases = {
    QStringLiteral("商品采购汇总"),
    {"GroupBox1", "ListBox1", "ListBox2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "CheckBox1",
     "DateTimePicker1", "DateTimePicker2", "BitBtn1", "BitBtn22", "GroupBox2", "DBGrid1", "Label17", "BitBtn2",
     "BitBtn7"},
    QStringLiteral("TForm21.BitBtn2"),
    QStringLiteral("select sum(J_cgmxb.dj*J_cgmxb.sl) from J_cgmxb where cgrq "),
    QStringLiteral("select sum(J_cgmxb.dj*J_cgmxb.sl) from J_spb,J_cgmxb where J_spb.spdm=J_cgmxb.spdm and ("),
    tradeList("J_cgmxb"), QStringLiteral("and J_cgmxb.cgrq between "), kGroupByArticle};

const SummaryPageKind kSales = {
    QStringLiteral("商品销售汇总"),
    {"GroupBox3", "ListBox3", "ListBox4", "BitBtn9", "BitBtn10", "BitBtn11", "BitBtn12", "CheckBox2",
     "DateTimePicker3", "DateTimePicker4", "BitBtn8", "BitBtn23", "GroupBox4", "DBGrid2", "Label18", "BitBtn13",
     "BitBtn14"},
    QStringLiteral("TForm21.BitBtn13"),
    QStringLiteral("select sum(J_xsmxb.dj*J_xsmxb.sl) from J_xsmxb where xsrq"),
    QStringLiteral("select sum(J_xsmxb.dj*J_xsmxb.sl) from J_spb,J_xsmxb where J_spb.spdm=J_xsmxb.spdm and ("),
    tradeList("J_xsmxb"), QStringLiteral("and J_xsmxb.xsrq between "), kGroupByArticle};

const SummaryPageKind kStock = {
    QStringLiteral("商品库存盘点"),
    {"GroupBox5", "ListBox5", "ListBox6", "BitBtn16", "BitBtn17", "BitBtn18", "BitBtn19", "CheckBox3", "", "",
     "BitBtn15", "", "GroupBox6", "DBGrid3", "Label22", "BitBtn20", "BitBtn21"},
    QStringLiteral("TForm21.BitBtn20"),
    QStringLiteral("select sum(zxdj*xykc) from J_spb"),
    QStringLiteral("select sum(zxdj*xykc) from J_spb where ("),
    QStringLiteral("select spdm as 商品代码,spmc as 商品名称,zzs as 制造商,pp as 品牌,gg as 规格,dw as 单位,zxdj as 单价,\n"
                   "lrl as 利润率,xykc as 现有库存,kcsx as 库存上限,kcxx as 库存下限,hw as 货位,bz as 备注  from J_spb"),
    QString(), QString()};

void moveSelected(QListWidget* from, QListWidget* to)
{
    QListWidgetItem* item = from->currentItem();
    if (!item || !item->isSelected())
        return;
    to->addItem(from->takeItem(from->row(item)));
}

void moveAll(QListWidget* from, QListWidget* to)
{
    while (from->count() > 0)
        to->addItem(from->takeItem(0));
}

QPushButton* moveButton(QWidget* parent, const QString& name, QStyle::StandardPixmap picture)
{
    QPushButton* b = makeButton(parent, name, QString());
    b->setIcon(parent->style()->standardIcon(picture));
    return b;
}

} // namespace

QStringList SummaryPage::chosenCodes() const
{
    QStringList codes;
    for (int i = 0; i < chosen->count(); ++i)
        codes << chosen->item(i)->data(Qt::UserRole).toString();
    return codes;
}

TForm21::TForm21(QWidget* parent) : QueryScreen(parent, QStringLiteral("Form21"), QStringLiteral("进销存业务汇总报表"))
{
    resize(900, 640);
    PageControl1 = makeTabs(this, QStringLiteral("PageControl1"));
    TabSheet1 = makePage(kPurchases, true, true);
    TabSheet2 = makePage(kSales, true, true);
    TabSheet3 = makePage(kStock, false, false);
    int n = 0;
    for (SummaryPage* page : {TabSheet1, TabSheet2, TabSheet3}) {
        page->setObjectName(QStringLiteral("TabSheet%1").arg(++n));
        PageControl1->addTab(page, page->kind.caption);
    }
    auto* box = new QVBoxLayout(this);
    box->addWidget(PageControl1);
    StatusBar1 = statusBar();
}

SummaryPage* TForm21::makePage(const SummaryPageKind& kind, bool dated, bool charted)
{
    auto* p = new SummaryPage(this, kind);
    const QStringList& n = kind.names;
    p->set = addSet();

    p->namesGroup = makeGroup(p, n[NamesGroup], QStringLiteral("选择查询商品名称"));
    p->available = new QListWidget(p->namesGroup);
    p->available->setObjectName(n[Available]);
    p->chosen = new QListWidget(p->namesGroup);
    p->chosen->setObjectName(n[Chosen]);
    p->toChosen = moveButton(p->namesGroup, n[ToChosen], QStyle::SP_ArrowRight);
    p->toAvailable = moveButton(p->namesGroup, n[ToAvailable], QStyle::SP_ArrowLeft);
    p->allToChosen = moveButton(p->namesGroup, n[AllToChosen], QStyle::SP_MediaSeekForward);
    p->allToAvailable = moveButton(p->namesGroup, n[AllToAvailable], QStyle::SP_MediaSeekBackward);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* b : {p->toChosen, p->toAvailable, p->allToChosen, p->allToAvailable})
        moves->addWidget(b);
    moves->addStretch();
    auto* names = new QHBoxLayout(p->namesGroup);
    names->addWidget(p->available, 1);
    names->addLayout(moves);
    names->addWidget(p->chosen, 1);

    p->all = makeCheck(p, n[All], QStringLiteral("查询全部"));
    p->queryButton = makeButton(p, n[Query], QStringLiteral("查询"));
    auto* side = new QVBoxLayout;
    side->addWidget(p->all);
    if (dated) {
        p->from = makeDatePicker(p, n[From]);
        p->to = makeDatePicker(p, n[To]);
        side->addWidget(new QLabel(QStringLiteral("起始日期"), p));
        side->addWidget(p->from);
        side->addWidget(new QLabel(QStringLiteral("至"), p));
        side->addWidget(new QLabel(QStringLiteral("截止日期"), p));
        side->addWidget(p->to);
    } else {
        side->addWidget(colouredLabel(p, QStringLiteral("Label19"), QStringLiteral("提示："), Qt::red));
        side->addWidget(colouredLabel(p, QStringLiteral("Label20"), QStringLiteral("查询结果为当前库存情况"), Qt::blue));
    }
    side->addStretch();
    side->addWidget(p->queryButton);
    if (charted) {
        p->chartButton = makeButton(p, n[Chart], QStringLiteral("图表"));
        side->addWidget(p->chartButton);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(p->namesGroup, 1);
    top->addLayout(side);

    p->grid = addGrid(p, n[Grid], p->set);
    p->resultGroup = makeGroup(p, n[ResultGroup], QStringLiteral("查询结果"));
    p->grid->setParent(p->resultGroup);
    (new QVBoxLayout(p->resultGroup))->addWidget(p->grid);

    p->total = makeLabel(p, n[Total], QStringLiteral("0元"));
    p->exportButton = exportButton(p, n[Export]);
    p->exitButton = exitButton(p, n[Exit]);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("总金额："), p));
    bottom->addWidget(p->total);
    bottom->addStretch();
    bottom->addWidget(colouredLabel(p, QStringLiteral("注意"), QStringLiteral("注意："), Qt::red));
    bottom->addWidget(colouredLabel(p, QStringLiteral("提示"), QStringLiteral("先查询后导出，否则导出结果出错"), Qt::blue));
    bottom->addWidget(p->exportButton);
    bottom->addWidget(p->exitButton);

    auto* box = new QVBoxLayout(p);
    box->addLayout(top, 2);
    box->addWidget(p->resultGroup, 3);
    box->addLayout(bottom);

    connect(p->toChosen, &QPushButton::clicked, p, [p] { moveSelected(p->available, p->chosen); });
    connect(p->toAvailable, &QPushButton::clicked, p, [p] { moveSelected(p->chosen, p->available); });
    connect(p->allToChosen, &QPushButton::clicked, p, [p] { moveAll(p->available, p->chosen); });
    connect(p->allToAvailable, &QPushButton::clicked, p, [p] { moveAll(p->chosen, p->available); });
    onClick(p->queryButton, this, [p](TForm21* s) { s->query(p); });
    if (p->chartButton)
        onClick(p->chartButton, this, [p](TForm21* s) { s->showChart(p); });
    onClick(p->exportButton, this, [p](TForm21* s) { s->exportPage(p->kind.layout, ExportOptions{}, p->set); });
    return p;
}

void TForm21::FormShow()
{
    // Each name keeps its code, so two articles of one name are told apart by where they stand.
    ResultSet names;
    names.open(QStringLiteral("select spmc,spdm from J_spb order by spmc,spdm"));
    for (SummaryPage* page : {TabSheet1, TabSheet2, TabSheet3}) {
        for (names.first(); !names.eof(); names.next()) {
            auto* item = new QListWidgetItem(names.text(QStringLiteral("spmc")));
            item->setData(Qt::UserRole, names.text(QStringLiteral("spdm")));
            page->available->addItem(item);
        }
    }
    StatusBar1->fill();
}

void TForm21::query(SummaryPage* page)
{
    const SummaryPageKind& k = page->kind;
    QString total;
    QString list;
    QString range;
    if (page->from)
        range = QLatin1Char('\n') + k.rangeLine + dateRangeText(page->from, page->to);
    if (page->all->isChecked()) {
        total = k.allTotal;
        if (page->from)
            total += QStringLiteral("\nbetween ") + dateRangeText(page->from, page->to);
        list = k.list + range + k.listTail;
    } else {
        if (page->chosen->count() == 0) {
            showInfo(this, QStringLiteral("请选择查询材料名称！"));
            return;
        }
        // One list of codes, not a chain of "or": a chain as long as the whole goods list
        // is deeper than the database takes.
        QStringList codes;
        for (const QString& code : page->chosenCodes())
            codes << quoted(code);
        const QString condition = QStringLiteral(" J_spb.spdm in (") + codes.join(QLatin1Char(',')) + QLatin1Char(')');
        if (page->from) {
            total = k.chosenTotal + condition + QStringLiteral(") ") + range;
            list = k.list + QStringLiteral(" and (") + condition + QLatin1Char(')') + range + k.listTail;
        } else {
            total = k.chosenTotal + condition + QLatin1Char(')');
            list = k.list + QStringLiteral(" where ") + condition;
        }
    }
    page->total->setText(numText(sumOf(total)) + QStringLiteral("元"));
    showRows(page->grid, list);
}

void TForm21::showChart(SummaryPage* page)
{
    if (page->chosen->count() == 0) {
        showInfo(this, QStringLiteral("请选择查询材料名称！"));
        return;
    }
    if (page->all->isChecked()) {
        showInfo(this, QStringLiteral("不能同时分析全部商品！"));
        return;
    }
    if (page->chosen->count() > 2) {
        showInfo(this, QStringLiteral("不能同时分析两种以上的商品！"));
        return;
    }
    ChartRequest request;
    request.kind = page == TabSheet1 ? 0 : 1;
    for (int i = 0; i < page->chosen->count(); ++i)
        request.names << page->chosen->item(i)->text();
    request.codes = page->chosenCodes();
    request.year = page->from->date().year();
    request.from = page->from->date();
    request.to = page->to->date();
    TForm29 chart(request, this);
    chart.exec();
}
