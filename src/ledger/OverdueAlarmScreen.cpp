#include "ledger/OverdueAlarmScreen.h"

#include "db/SqlText.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"

#include <QDate>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

TForm44::TForm44(QWidget* parent)
    : QueryScreen(parent, QStringLiteral("Form44"), QStringLiteral("欠费客户报警提示（应收款）"))
{
    resize(420, 360);
    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    fitColumns(DBGrid1, {QStringLiteral("华丰五金交电有限公司"), QStringLiteral("批发零售")});
    GroupBox1 = gridGroup(QStringLiteral("GroupBox1"), QStringLiteral("欠费到期客户名单"), DBGrid1);
    BitBtn1 = exportButton(GroupBox1, QStringLiteral("BitBtn1"));
    BitBtn21 = exitButton(GroupBox1, QStringLiteral("BitBtn21"));
    static_cast<QVBoxLayout*>(GroupBox1->layout())->addLayout(buttonRow({BitBtn1, BitBtn21}, Qt::AlignRight));
    auto* box = new QVBoxLayout(this);
    box->addWidget(GroupBox1);

    onClick(BitBtn1, this, &TForm44::BitBtn1Click);
}

void TForm44::FormShow()
{
    const QString date = shortDate(QDate::currentDate());
    showRows(DBGrid1,
             QStringLiteral("select distinct ghs as 客户名称,cklb as 出库类别 from J_xsb where ssk<ysk and fqf=0 and jzrq<='") +
                 date + QStringLiteral("'\nunion\n") +
                 QStringLiteral("select distinct ths as 客户名称,cklb as 出库类别 from J_cgthb where ssk<ysk and fqf=0 and jzrq<='") +
                 date + QStringLiteral("'"));
}

void TForm44::BitBtn1Click()
{
    exportRows(QStringLiteral("TForm44"));
}
