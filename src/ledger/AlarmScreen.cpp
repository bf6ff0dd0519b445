#include "ledger/AlarmScreen.h"

#include "db/ResultSet.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/StatusBar.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

AlarmScreen::AlarmScreen(QWidget* parent, const QString& name, const QString& caption, const AlarmLayout& layout)
    : Screen(parent, name, caption)
{
    m_source = new DataSource(this);
    auto* box = new QVBoxLayout;
    // With a group, the grid and both buttons sit inside it.
    QWidget* holder = this;
    QVBoxLayout* holderLayout = box;
    if (!layout.groupTitle.isEmpty()) {
        m_group = makeGroup(this, QStringLiteral("GroupBox1"), layout.groupTitle);
        holder = m_group;
        holderLayout = new QVBoxLayout(m_group);
        box->addWidget(m_group);
    }
    DBGrid1 = new DBGrid(holder, QStringLiteral("DBGrid1"), m_source);
    holderLayout->addWidget(DBGrid1);
    m_export = makeButton(holder, layout.exportButton, QStringLiteral("导出EXCEL"));
    m_exit = makeButton(holder, QStringLiteral("BitBtn21"), QStringLiteral("退出"));
    holderLayout->addLayout(buttonRow({m_export, m_exit}, Qt::AlignRight));
    setLayout(box);
    if (layout.statusBar)
        m_statusBar = addStatusBar(this, false);
}

void AlarmScreen::openRows(const QString& sql)
{
    ADOQuery1 = new ResultSet(this);
    m_source->setDataSet(ADOQuery1);
    ADOQuery1->open(sql);
}

void AlarmScreen::exportRows(const QString& screenClass)
{
    if (ADOQuery1)
        exportToSpreadsheet(screenClass, *ADOQuery1, this);
}
