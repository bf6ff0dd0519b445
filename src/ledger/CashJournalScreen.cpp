#include "ledger/CashJournalScreen.h"

#include "db/ResultSet.h"
#include "widgets/Controls.h"
#include "widgets/StatusBar.h"

#include <QGridLayout>

namespace {

// Receipts fill 收款金额, payments and expenses 付款金额; every row brings the cash balance
// it left. Partner first for money rows, description first for expenses.
const JournalKind kCashJournal = {
    QStringLiteral("Form47"), QStringLiteral("现金收支日记明细查询"), QStringLiteral("现金信息"),
    QStringLiteral("查询结果"), QStringLiteral("时间段"), QStringLiteral("J_zjtmp"),
    {QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,fkje,jcje) select fkrq as rq,pzh,ghs+fklb as zy,dh,fkje,jcje from J_cgfkb where fkrq between "),
     QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,skje,jcje) select skrq as rq,pzh,ghs+sklb as zy,dh,skje,jcje from J_xsskb where skrq between "),
     QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,fkje,jcje) select fkrq as rq,pzh,ths+fklb as zy,dh,fkje,jcje from J_xsfkb where fkrq between "),
     QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,skje,jcje) select skrq as rq,pzh,ths+sklb as zy,dh,skje,jcje from J_cgskb where skrq between "),
     QStringLiteral("insert into J_zjtmp (rq,pzh,zy,dh,fkje,jcje) select zcrq as rq,pzh,zcsm+zclb as zy,dh,zcje as fkje,jcje from J_zcmxb where zcrq between ")},
    QStringLiteral("select rq as 日期,pzh as 凭证号,zy as 摘要,skje as 收款金额,\n"
                   "fkje as 付款金额,jcje as 结存金额 from J_zjtmp order by rq,pzh,dh"),
    QStringLiteral("TForm47"),
    {QStringLiteral("2026/12/31"), QStringLiteral("CG1001263_001"), QStringLiteral("华丰五金交电公司货款结算"),
     QStringLiteral("9999999.99"), QStringLiteral("9999999.99"), QStringLiteral("9999999.99")}};

} // namespace

TForm47::TForm47(QWidget* parent) : JournalScreen(parent, kCashJournal)
{
    Edit4 = makeEdit(GroupBox1, QStringLiteral("Edit4"));
    Edit4->setText(QStringLiteral("0"));
    Edit4->setReadOnly(true);
    m_selection->addWidget(makeLabel(GroupBox1, QStringLiteral("Label1"), QStringLiteral("现有现金   ")), 0, 0,
                           Qt::AlignRight);
    m_selection->addWidget(Edit4, 0, 1);
    m_selection->addWidget(makeLabel(GroupBox1, QStringLiteral("Label2"), QStringLiteral("元")), 0, 2);
    m_selection->setColumnStretch(3, 1);
}

void TForm47::FormShow()
{
    ResultSet cash;
    cash.open(QStringLiteral("select je from J_zjb"));
    Edit4->setText(cash.text(QStringLiteral("je")));
    StatusBar1->fill();
}
