#include "vouchers/VoucherScreen.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "vouchers/VoucherBook.h"
#include "vouchers/VoucherPrintForm.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/DataControls.h"
#include "widgets/DataSource.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StatusBar.h"

#include <QCalendarWidget>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <memory>

namespace {

QStringList listOf(const QString& sql)
{
    ResultSet rs;
    rs.open(sql);
    QStringList items;
    for (int row = 0; row < rs.recordCount(); ++row)
        items << displayText(rs.valueAt(row, 0));
    return items;
}

} // namespace

VoucherScreen::VoucherScreen(const VoucherKind& kind, Dialogs dialogs, QWidget* parent)
    : VoucherHeaderScreen(parent, kind.forms.screen.name, kind.forms.screen.caption, kind.headerTexts()),
      m_kind(kind), m_dialogs(dialogs)
{
    m_lines = new ResultSet(this);
    m_money = new ResultSet(this);
    DataSource2 = new DataSource(this, m_lines);
    DataSource3 = new DataSource(this, m_money);
    buildControls();
    resize(kind.forms.screen.width, kind.forms.screen.height);
}

QStringList VoucherScreen::dayColumns() const
{
    return {m_kind.columns.date, QStringLiteral("jzrq")};
}

VoucherScreen::~VoucherScreen()
{
    // Unlink the grids before the result sets go, while every control still stands.
    delete DataSource2;
    delete DataSource3;
}

void VoucherScreen::buildControls()
{
    auto* top = new QVBoxLayout(this);

    // Header panel: captions above their boxes, dates and remark below.
    auto* headerPanel = new QWidget(this);
    headerPanel->setObjectName(QStringLiteral("Panel1"));
    auto* grid = new QGridLayout(headerPanel);
    grid->setContentsMargins(4, 4, 4, 4);
    const QStringList captions{QStringLiteral("凭证号  "), m_kind.captions.freeText, m_kind.categoryCaption(),
                               m_kind.captions.partner, m_kind.captions.person, QStringLiteral("审核人  ")};
    for (int i = 0; i < captions.size(); ++i)
        grid->addWidget(makeLabel(headerPanel, QStringLiteral("Label%1").arg(i + 1), captions[i]), 0, i);

    DBText1 = new DBText(headerPanel, QStringLiteral("DBText1"), DataSource1, QStringLiteral("pzh"));
    QFont bold = DBText1->font();
    bold.setBold(true);
    DBText1->setFont(bold);
    DBText1->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("XS10010410_000")) + 6);
    DBEdit1 = new DBEdit(headerPanel, QStringLiteral("DBEdit1"), DataSource1, m_kind.columns.freeText);
    setTypingLimit(DBEdit1, 20);
    DBComboBox1 = new DBComboBox(headerPanel, QStringLiteral("DBComboBox1"), DataSource1, m_kind.categoryColumn());
    DBComboBox2 = new DBComboBox(headerPanel, QStringLiteral("DBComboBox2"), DataSource1, m_kind.columns.partner);
    DBComboBox3 = new DBComboBox(headerPanel, QStringLiteral("DBComboBox3"), DataSource1, m_kind.columns.person);
    DBComboBox4 = new DBComboBox(headerPanel, QStringLiteral("DBComboBox4"), DataSource1, QStringLiteral("shr"));
    grid->addWidget(DBText1, 1, 0);
    grid->addWidget(DBEdit1, 1, 1);
    grid->addWidget(DBComboBox1, 1, 2);
    grid->addWidget(DBComboBox2, 1, 3);
    grid->addWidget(DBComboBox3, 1, 4);
    grid->addWidget(DBComboBox4, 1, 5);
    grid->setColumnStretch(3, 2);

    auto* row2 = new QHBoxLayout;
    DBEdit2 = new DBEdit(headerPanel, QStringLiteral("DBEdit2"), DataSource1, m_kind.columns.date);
    setTypingLimit(DBEdit2, 8);
    DBEdit3 = new DBEdit(headerPanel, QStringLiteral("DBEdit3"), DataSource1, QStringLiteral("jzrq"));
    setTypingLimit(DBEdit3, 20);
    DBEdit4 = new DBEdit(headerPanel, QStringLiteral("DBEdit4"), DataSource1, QStringLiteral("bz"));
    setTypingLimit(DBEdit4, 30);
    row2->addWidget(makeLabel(headerPanel, QStringLiteral("Label7"), m_kind.captions.date));
    row2->addWidget(DBEdit2);
    row2->addWidget(makeLabel(headerPanel, QStringLiteral("Label8"), QStringLiteral("结帐日期 ")));
    row2->addWidget(DBEdit3);
    row2->addWidget(makeLabel(headerPanel, QStringLiteral("Label9"), QStringLiteral("备注")));
    row2->addWidget(DBEdit4, 1);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        row2->addWidget(b);
    grid->addLayout(row2, 2, 0, 1, 6);
    top->addWidget(headerPanel);

    // The two tabs, each a grid with "新增" and "去除".
    PageControl1 = makeTabs(this, QStringLiteral("PageControl1"));
    auto makeSheet = [this](const QString& name, DBGrid*& gridOut, DataSource* source, QPushButton*& add,
                            const QString& addName, QPushButton*& remove, const QString& removeName) {
        auto* sheet = new QWidget(PageControl1);
        sheet->setObjectName(name);
        auto* layout = new QHBoxLayout(sheet);
        gridOut = new DBGrid(sheet, name == QLatin1String("TabSheet1") ? QStringLiteral("DBGrid1") : QStringLiteral("DBGrid2"),
                             source);
        gridOut->setReadOnly(true);
        layout->addWidget(gridOut, 1);
        auto* buttons = new QVBoxLayout;
        add = makeButton(sheet, addName, QStringLiteral("新增"));
        remove = makeButton(sheet, removeName, QStringLiteral("去除"));
        buttons->addWidget(add);
        buttons->addWidget(remove);
        buttons->addStretch();
        layout->addLayout(buttons);
        return sheet;
    };
    TabSheet1 = makeSheet(QStringLiteral("TabSheet1"), DBGrid1, DataSource2, BitBtn10, QStringLiteral("BitBtn10"),
                          BitBtn11, QStringLiteral("BitBtn11"));
    TabSheet2 = makeSheet(QStringLiteral("TabSheet2"), DBGrid2, DataSource3, BitBtn12, QStringLiteral("BitBtn12"),
                          BitBtn13, QStringLiteral("BitBtn13"));
    // Every kind's grids have the same six columns; these fit them beside the buttons.
    DBGrid1->setColumnWidths({80, 150, 50, 80, 80, 100});
    DBGrid2->setColumnWidths({80, 90, 90, 90, 80, 100});
    PageControl1->addTab(TabSheet1, m_kind.linesTabCaption());
    PageControl1->addTab(TabSheet2, m_kind.moneyTabCaption());
    top->addWidget(PageControl1, 1);

    // Bottom panel: figures, deemed-settled box, hint and the buttons.
    auto* bottom = new QGridLayout;
    bottom->addWidget(makeLabel(this, QStringLiteral("Label14"), QStringLiteral("欠款：")), 0, 0);
    Label15 = makeLabel(this, QStringLiteral("Label15"), QStringLiteral("0"));
    bottom->addWidget(Label15, 0, 1);
    bottom->addWidget(makeLabel(this, QStringLiteral("Label16"), QStringLiteral("元")), 0, 2);
    DBCheckBox1 = new DBCheckBox(this, QStringLiteral("DBCheckBox1"), QStringLiteral("选中默认已付清  "), DataSource1,
                                 QStringLiteral("fqf"));
    bottom->addWidget(DBCheckBox1, 0, 3, 1, 3);
    bottom->addWidget(makeLabel(this, QStringLiteral("Label17"), m_kind.dueCaption()), 1, 0);
    Label18 = makeLabel(this, QStringLiteral("Label18"), QStringLiteral("0"));
    bottom->addWidget(Label18, 1, 1);
    bottom->addWidget(makeLabel(this, QStringLiteral("Label21"), QStringLiteral("元")), 1, 2);
    bottom->addWidget(makeLabel(this, QStringLiteral("Label19"), m_kind.settledCaption()), 1, 3);
    Label20 = makeLabel(this, QStringLiteral("Label20"), QStringLiteral("0"));
    bottom->addWidget(Label20, 1, 4);
    bottom->addWidget(makeLabel(this, QStringLiteral("Label22"), QStringLiteral("元")), 1, 5);
    QLabel* hintCaption = makeLabel(this, QStringLiteral("Label23"), QStringLiteral("提示："));
    hintCaption->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    QLabel* hint = makeLabel(this, QStringLiteral("Label24"), QStringLiteral("一种商品代码只能在明细表中添加一次！          "));
    hint->setStyleSheet(QStringLiteral("color: blue"));
    bottom->addWidget(hintCaption, 0, 6);
    bottom->addWidget(hint, 1, 6);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BitBtn5, BitBtn6, BitBtn7, BitBtn8, BitBtn9})
        buttons->addWidget(b);
    bottom->addLayout(buttons, 2, 0, 1, 7);
    top->addLayout(bottom);

    top->addWidget(StatusBar1);

    // Calendars float over the header panel.
    MonthCalendar1 = addCalendar(QStringLiteral("MonthCalendar1"), DBEdit2);
    MonthCalendar2 = addCalendar(QStringLiteral("MonthCalendar2"), DBEdit3);
    MonthCalendar1->move(150, 60);
    MonthCalendar2->move(330, 60);

    setStateControls({DBEdit1, DBComboBox1, DBComboBox2, DBComboBox3, DBComboBox4, DBEdit2, DBEdit3, DBEdit4, DBCheckBox1},
                     {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn7, BitBtn8, BitBtn9});

    onClick(BitBtn10, this, &VoucherScreen::BitBtn10Click);
    onClick(BitBtn11, this, &VoucherScreen::BitBtn11Click);
    onClick(BitBtn12, this, &VoucherScreen::BitBtn12Click);
    onClick(BitBtn13, this, &VoucherScreen::BitBtn13Click);
}

void VoucherScreen::fillLists()
{
    DBComboBox2->setItems(listOf(m_kind.partnerListSql()));
    const QStringList people = listOf(m_kind.personListSql());
    DBComboBox3->setItems(people);
    DBComboBox4->setItems(people);
    DBComboBox1->setItems(listOf(m_kind.categoryListSql()));
    fitHeaderBoxes();
}

void VoucherScreen::fitHeaderBoxes()
{
    for (DBComboBox* box : {DBComboBox1, DBComboBox2, DBComboBox3, DBComboBox4})
        fitToItems(box);
    // Within the window: when the longest names would widen it, the partner box, the one that
    // stretches, gives up the difference.
    QLayout* header = findChild<QWidget*>(QStringLiteral("Panel1"))->layout();
    header->invalidate();
    const QMargins outer = layout()->contentsMargins();
    const int excess = header->minimumSize().width() + outer.left() + outer.right() - width();
    if (excess > 0)
        DBComboBox2->setMinimumWidth(
            std::max(DBComboBox2->minimumWidth() - excess, DBComboBox2->minimumSizeHint().width()));
}

void VoucherScreen::fillNewHeader(ResultSet& header, const QDate& today)
{
    header.setValue(QStringLiteral("jzrq"), today);
    header.setValue(QStringLiteral("fqf"), false);
}

VoucherContext VoucherScreen::context() const
{
    return VoucherContext{currentNumber(), DBComboBox1->currentText(), DBComboBox2->currentText(), DBEdit2->text()};
}

void VoucherScreen::Refresh()
{
    refreshLines();
    refreshMoney();
}

void VoucherScreen::refreshLines()
{
    const QString number = currentNumber();
    Label18->setText(numText(sumFigure(dueFigureSql(m_kind, number), Database::shared())));
    m_lines->open(linesSql(m_kind, number));
}

void VoucherScreen::refreshMoney()
{
    const QString number = currentNumber();
    Label20->setText(numText(sumFigure(settledFigureSql(m_kind, number), Database::shared())));
    // Read back from the labels, as shown.
    Label15->setText(numText(round2(toNumber(Label18->text()) - toNumber(Label20->text()))));
    m_money->open(moneySql(m_kind, number));
}

void VoucherScreen::BitBtn8Click()
{
    if (DBText1->text().isEmpty())
        return;
    VoucherPrintData data;
    data.texts = m_kind.print();
    ResultSet company;
    company.open(QStringLiteral("select yhmc,dz,dh1 from J_yhb"));
    if (!company.isEmpty()) {
        data.companyName = company.text(QStringLiteral("yhmc"));
        data.companyAddress = company.text(QStringLiteral("dz"));
        data.companyPhone = company.text(QStringLiteral("dh1"));
    }
    company.close();
    // The voucher prints as this screen shows it.
    data.number = DBText1->text();
    data.date = DBEdit2->text();
    data.category = DBComboBox1->currentText();
    data.partner = DBComboBox2->currentText();
    data.person = DBComboBox3->currentText();
    data.approver = DBComboBox4->currentText();
    data.remark = DBEdit4->text();
    data.settled = DBCheckBox1->isChecked();
    data.due = Label18->text();
    data.paid = Label20->text();
    data.outstanding = Label15->text();
    static const char* const columns[] = {"商品代码", "商品名称", "单位", "单价", "数量", "金额"};
    for (int row = 0; row < m_lines->recordCount(); ++row) {
        QStringList texts;
        for (const char* column : columns)
            texts << displayText(m_lines->valueAt(row, m_lines->fieldIndex(QString::fromUtf8(column))));
        data.lines.append({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]});
    }
    TForm40 form(data, this);
    form.exec();
}

// ---- lines and money -------------------------------------------------------------------

void VoucherScreen::BitBtn10Click()
{
    if (!mayAddRow(m_kind.messages.lineSaveFirst, m_kind.messages.lineFillFirst))
        return;
    openDialog(m_dialogs.line);
}

void VoucherScreen::BitBtn12Click()
{
    if (!mayAddRow(m_kind.messages.moneySaveFirst, m_kind.messages.moneyFillFirst))
        return;
    openDialog(m_dialogs.money);
}

void VoucherScreen::openDialog(DialogFactory factory)
{
    std::unique_ptr<QDialog> dialog(factory(context(), this));
    dialog->exec();
    dialog.reset();
    Refresh();
}

void VoucherScreen::BitBtn11Click()
{
    if (m_lines->isEmpty() || m_lines->recNo() < 0)
        return;
    if (askWarning(this, QStringLiteral("确定将删除: ") + m_lines->text(QStringLiteral("商品名称")) + QStringLiteral(" 吗？"))) {
        const double quantity = m_lines->number(QStringLiteral("数量"));
        const double price = m_lines->number(QStringLiteral("单价"));
        const QString code = m_lines->text(QStringLiteral("商品代码"));
        if (!removeLine(m_kind, currentNumber(), code, price, quantity, Database::shared()))
            showInfo(this, QStringLiteral("删除数据失败，请重新删除！"));
    }
    Refresh();
}

void VoucherScreen::BitBtn13Click()
{
    if (m_money->isEmpty() || m_money->recNo() < 0)
        return;
    if (askWarning(this, QStringLiteral("确定将删除: ") + displayText(m_money->value(0)) + QStringLiteral(" 吗？"))) {
        const double amount = m_money->value(3).toDouble();
        const QString document = m_money->value(0).toString();
        if (!removeMoney(m_kind, currentNumber(), document, amount, Database::shared()))
            showInfo(this, QStringLiteral("删除数据失败，请重新删除！"));
    }
    // The lines tab stays as it is.
    refreshMoney();
}
