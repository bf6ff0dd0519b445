#include "ledger/LinesVoucherScreen.h"

#include "db/Database.h"
#include "db/Errors.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "ledger/LossExpenseBook.h"
#include "vouchers/VoucherBook.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/DataControls.h"
#include "widgets/DataSource.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StatusBar.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

LinesVoucherScreen::LinesVoucherScreen(const LinesVoucherTexts& texts, QWidget* parent)
    : VoucherHeaderScreen(parent, texts.name, texts.caption, texts.header), m_texts(texts)
{
    m_lines = new ResultSet(this);
    DataSource2 = new DataSource(this, m_lines);
    buildControls();
    resize(640, 470);
}

LinesVoucherScreen::~LinesVoucherScreen()
{
    // Unlink the grid before its set goes, while every control still stands.
    delete DataSource2;
}

void LinesVoucherScreen::buildControls()
{
    auto* top = new QVBoxLayout(this);

    auto* headerPanel = new QWidget(this);
    headerPanel->setObjectName(QStringLiteral("Panel1"));
    auto* grid = new QGridLayout(headerPanel);
    grid->setContentsMargins(4, 4, 4, 4);
    auto label = [headerPanel](int n, const QString& caption) {
        return makeLabel(headerPanel, QStringLiteral("Label%1").arg(n), caption);
    };
    DBText1 = new DBText(headerPanel, QStringLiteral("DBText1"), DataSource1, QStringLiteral("pzh"));
    QFont bold = DBText1->font();
    bold.setBold(true);
    DBText1->setFont(bold);
    DBText1->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("BS10010410_000")) + 6);
    DBEdit3 = new DBEdit(headerPanel, QStringLiteral("DBEdit3"), DataSource1, m_texts.descriptionColumn);
    setTypingLimit(DBEdit3, 20);
    DBComboBox2 = new DBComboBox(headerPanel, QStringLiteral("DBComboBox2"), DataSource1, QStringLiteral("jsr"));
    DBComboBox3 = new DBComboBox(headerPanel, QStringLiteral("DBComboBox3"), DataSource1, QStringLiteral("shr"));
    DBEdit1 = new DBEdit(headerPanel, QStringLiteral("DBEdit1"), DataSource1, m_texts.header.dateColumn);
    DBEdit2 = new DBEdit(headerPanel, QStringLiteral("DBEdit2"), DataSource1, QStringLiteral("bz"));
    setTypingLimit(DBEdit2, 8);

    grid->addWidget(label(5, QStringLiteral("凭证号")), 0, 0);
    grid->addWidget(DBText1, 0, 1);
    grid->addWidget(label(6, m_texts.descriptionCaption), 0, 2);
    grid->addWidget(DBEdit3, 0, 3);
    grid->addWidget(label(7, QStringLiteral("经办人")), 0, 4);
    grid->addWidget(DBComboBox2, 0, 5);
    grid->addWidget(label(8, QStringLiteral("审核人")), 0, 6);
    grid->addWidget(DBComboBox3, 0, 7);
    grid->addWidget(label(9, m_texts.dateCaption), 1, 0);
    grid->addWidget(DBEdit1, 1, 1);
    grid->addWidget(label(10, QStringLiteral("备注")), 1, 2);
    grid->addWidget(DBEdit2, 1, 3);
    auto* navigation = new QHBoxLayout;
    navigation->addStretch();
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        navigation->addWidget(b);
    grid->addLayout(navigation, 1, 4, 1, 4);
    grid->setColumnStretch(3, 2);
    top->addWidget(headerPanel);

    GroupBox1 = makeGroup(this, QStringLiteral("GroupBox1"), m_texts.groupCaption);
    auto* linesRow = new QHBoxLayout(GroupBox1);
    DBGrid1 = new DBGrid(GroupBox1, QStringLiteral("DBGrid1"), DataSource2);
    DBGrid1->setReadOnly(true);
    DBGrid1->setColumnWidths(m_texts.columnWidths);
    linesRow->addWidget(DBGrid1, 1);
    auto* lineButtons = new QVBoxLayout;
    BitBtn12 = makeButton(GroupBox1, QStringLiteral("BitBtn12"), QStringLiteral("新增"));
    BitBtn13 = makeButton(GroupBox1, QStringLiteral("BitBtn13"), QStringLiteral("去除"));
    lineButtons->addWidget(BitBtn12);
    lineButtons->addWidget(BitBtn13);
    lineButtons->addStretch();
    linesRow->addLayout(lineButtons);
    top->addWidget(GroupBox1, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(makeLabel(this, QStringLiteral("Label1"), QStringLiteral("总金额：")));
    Label3 = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("0"));
    Label3->setStyleSheet(QStringLiteral("color: blue"));
    bottom->addWidget(Label3);
    bottom->addWidget(makeLabel(this, QStringLiteral("Label4"), QStringLiteral("元")));
    bottom->addStretch();
    for (QPushButton* b : {BitBtn5, BitBtn6, BitBtn7, BitBtn8, BitBtn9})
        bottom->addWidget(b);
    top->addLayout(bottom);
    top->addWidget(StatusBar1);

    // The print button has no function here.
    BitBtn8->hide();
    BitBtn8->setEnabled(false);

    MonthCalendar1 = addCalendar(QStringLiteral("MonthCalendar1"), DBEdit1);
    MonthCalendar1->move(80, 60);
    alwaysEditable(DBEdit3);
    setStateControls({DBComboBox2, DBComboBox3, DBEdit1, DBEdit2}, {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn7, BitBtn9});

    onClick(BitBtn12, this, &LinesVoucherScreen::BitBtn12Click);
    onClick(BitBtn13, this, &LinesVoucherScreen::BitBtn13Click);
}

void LinesVoucherScreen::fillLists()
{
    ResultSet people;
    people.open(QStringLiteral("select xm from J_zgb where bmmc like '%综合部门%' order by xm"));
    QStringList names;
    for (int row = 0; row < people.recordCount(); ++row)
        names << displayText(people.valueAt(row, 0));
    DBComboBox2->setItems(names);
    DBComboBox3->setItems(names);
}

void LinesVoucherScreen::Refresh()
{
    const QString number = currentNumber();
    Label3->setText(numText(sumFigure(totalSql(number), Database::shared())));
    m_lines->open(linesSql(number));
}

void LinesVoucherScreen::BitBtn12Click()
{
    if (!mayAddRow(m_texts.lineSaveFirst, m_texts.lineFillFirst))
        return;
    addLine();
    Refresh();
}

void LinesVoucherScreen::BitBtn13Click()
{
    if (m_lines->isEmpty() || m_lines->recNo() < 0)
        return;
    removeLine();
    Refresh();
}

void LinesVoucherScreen::done(int result)
{
    // A description typed while browsing is kept; a pending new or edited header is not.
    if (headerState() == HeaderState::Browsing && header()->state() == ResultSet::Edit) {
        try {
            header()->post();
        } catch (const AppError&) {
            showInfo(this, m_texts.header.postFailure);
        }
    }
    VoucherHeaderScreen::done(result);
}

void answerLineBooking(QDialog* dialog, BookOutcome outcome, const QString& duplicate, const QString& failure)
{
    switch (outcome) {
    case BookOutcome::Ignored:
        return;
    case BookOutcome::Negative:
        showInfo(dialog, QStringLiteral("单价、数量和金额不能为负数！"));
        return;
    case BookOutcome::Duplicate:
        showInfo(dialog, duplicate);
        return;
    case BookOutcome::Failed:
        showInfo(dialog, failure);
        break;
    case BookOutcome::NoArticle:
    case BookOutcome::Stored:
        break;
    }
    dialog->accept();
}
