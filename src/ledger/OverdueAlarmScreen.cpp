#include "ledger/OverdueAlarmScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"

#include <QDate>
#include <QHBoxLayout>
#include <QVBoxLayout>

TForm44::TForm44(QWidget* parent) : Screen(parent, QStringLiteral("Form44"), QStringLiteral("欠费客户报警提示（应收款）"))
{
    resize(420, 360);

    m_source = new DataSource(this);
    GroupBox1 = makeGroup(this, QStringLiteral("GroupBox1"), QStringLiteral("欠费到期客户名单"));
    DBGrid1 = new DBGrid(GroupBox1, QStringLiteral("DBGrid1"), m_source);
    auto* inner = new QVBoxLayout(GroupBox1);
    inner->addWidget(DBGrid1);
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("导出EXCEL"));
    BitBtn21 = makeButton(this, QStringLiteral("BitBtn21"), QStringLiteral("退出"));

    auto* buttons = buttonRow({BitBtn1, BitBtn21}, Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);

    onClick(BitBtn1, this, &TForm44::BitBtn1Click);
    onClick(BitBtn21, this, &TForm44::BitBtn21Click);
}

void TForm44::FormShow()
{
    const QString date = shortDate(QDate::currentDate());
    ADOQuery1 = new ResultSet(this);
    m_source->setDataSet(ADOQuery1);
    ADOQuery1->open(QStringLiteral("select distinct ghs as 客户名称,cklb as 出库类别 from J_xsb where ssk<ysk and fqf=0 and jzrq<='") +
                    date + QStringLiteral("'\nunion\n") +
                    QStringLiteral("select distinct ths as 客户名称,cklb as 出库类别 from J_cgthb where ssk<ysk and fqf=0 and jzrq<='") +
                    date + QStringLiteral("'"));
}

void TForm44::BitBtn1Click()
{
    if (ADOQuery1)
        exportToSpreadsheet(QStringLiteral("TForm44"), *ADOQuery1, this);
}

void TForm44::BitBtn21Click()
{
    // Releases the query with the screen.
    close();
}
