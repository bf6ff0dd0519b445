#include "ledger/OverdueAlarmScreen.h"

#include "db/SqlText.h"
#include "widgets/ErrorHandler.h"

#include <QDate>
#include <QPushButton>

TForm44::TForm44(QWidget* parent)
    : AlarmScreen(parent, QStringLiteral("Form44"), QStringLiteral("欠费客户报警提示（应收款）"),
                  {QStringLiteral("BitBtn1"), QStringLiteral("欠费到期客户名单"), false})
{
    resize(420, 360);
    GroupBox1 = m_group;
    BitBtn1 = m_export;
    BitBtn21 = m_exit;

    onClick(BitBtn1, this, &TForm44::BitBtn1Click);
    onClick(BitBtn21, this, &TForm44::BitBtn21Click);
}

void TForm44::FormShow()
{
    const QString date = shortDate(QDate::currentDate());
    openRows(QStringLiteral("select distinct ghs as 客户名称,cklb as 出库类别 from J_xsb where ssk<ysk and fqf=0 and jzrq<='") +
             date + QStringLiteral("'\nunion\n") +
             QStringLiteral("select distinct ths as 客户名称,cklb as 出库类别 from J_cgthb where ssk<ysk and fqf=0 and jzrq<='") +
             date + QStringLiteral("'"));
}

void TForm44::BitBtn1Click()
{
    exportRows(QStringLiteral("TForm44"));
}

void TForm44::BitBtn21Click()
{
    // Releases the query with the screen.
    close();
}
