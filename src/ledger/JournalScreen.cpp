#include "ledger/JournalScreen.h"

#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

JournalScreen::JournalScreen(QWidget* parent, const JournalKind& kind)
    : QueryScreen(parent, kind.name, kind.caption), m_kind(kind)
{
    GroupBox1 = makeGroup(this, QStringLiteral("GroupBox1"), kind.selectionTitle);
    auto* selection = new QVBoxLayout(GroupBox1);
    m_selection = new QGridLayout;
    selection->addLayout(m_selection);
    QHBoxLayout* range = dateRange(DateTimePicker1, DateTimePicker2, kind.rangeLabel);
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker2}) {
        picker->setParent(GroupBox1);
        picker->setCalendarPopup(false); // spin-style, as a date range is usually typed
    }
    BitBtn1 = makeButton(GroupBox1, QStringLiteral("BitBtn1"), QStringLiteral("开始"));
    BitBtn2 = exportButton(GroupBox1, QStringLiteral("BitBtn2"));
    BitBtn3 = exitButton(GroupBox1, QStringLiteral("BitBtn3"));
    range->addStretch();
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3})
        range->addWidget(b);
    selection->addLayout(range);

    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    resize(qMax(900, fitColumns(DBGrid1, kind.columnSamples) + 60), 560); // a whole row in view
    GroupBox2 = gridGroup(QStringLiteral("GroupBox2"), kind.resultTitle, DBGrid1);
    auto* box = new QVBoxLayout(this);
    box->addWidget(GroupBox1);
    box->addWidget(GroupBox2, 1);
    StatusBar1 = statusBar();

    onClick(BitBtn1, this, &JournalScreen::BitBtn1Click);
    onClick(BitBtn2, this, &JournalScreen::BitBtn2Click);
}

bool JournalScreen::sourceCondition(QString&)
{
    return true;
}

void JournalScreen::BitBtn1Click()
{
    QString condition;
    if (!sourceCondition(condition))
        return;
    const QString range = dateRangeText(DateTimePicker1, DateTimePicker2);
    QStringList inserts;
    for (const QString& insert : m_kind.inserts)
        inserts << insert + range + condition;
    refillScratch(m_kind.scratchTable, inserts);
    showRows(DBGrid1, m_kind.rowsSql);
}

void JournalScreen::BitBtn2Click()
{
    exportRows(m_kind.layout);
}
