#include "ledger/GoodsJournalScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StatusBar.h"

#include <QGridLayout>

namespace {

// Stock in fills the in columns, stock out the out columns; every line brings the
// balance it left.
const JournalKind kGoodsJournal = {
    QStringLiteral("Form46"), QStringLiteral("商品进销日记帐查询"), QStringLiteral("商品信息"),
    QStringLiteral("商品明细帐"), QString(), QStringLiteral("J_sptmp"),
    {QStringLiteral("insert into J_sptmp (rq,pzh,zy,rkdj,rksl,jcdj,jcsl) select cgrq as rq,pzh,rklb+ghs as zy,dj as rkdj,sl as rksl,jcdj,jcsl from J_cgmxb where cgrq between "),
     QStringLiteral("insert into J_sptmp (rq,pzh,zy,rkdj,rksl,jcdj,jcsl) select thrq as rq,pzh,rklb+ths as zy,dj as rkdj,sl as rksl,jcdj,jcsl from J_xsthmxb where thrq between "),
     QStringLiteral("insert into J_sptmp (rq,pzh,zy,ckdj,cksl,jcdj,jcsl) select xsrq as rq,pzh,cklb+ghs as zy,dj as ckdj,sl as cksl,jcdj,jcsl from J_xsmxb where xsrq between "),
     QStringLiteral("insert into J_sptmp (rq,pzh,zy,ckdj,cksl,jcdj,jcsl) select thrq as rq,pzh,cklb+ths as zy,dj as ckdj,sl as cksl,jcdj,jcsl from J_cgthmxb where thrq between "),
     QStringLiteral("insert into J_sptmp (rq,pzh,zy,ckdj,cksl,jcdj,jcsl) select bsrq as rq,pzh,bslb+bssm as zy,dj as ckdj,sl as cksl,jcdj,jcsl from J_bsmxb where bsrq between ")},
    QStringLiteral("select rq as 日期,pzh as 凭证号,zy as 摘要,rkdj as 入库单价,rksl as 入库数量,rksl*rkdj as 入库金额,\n"
                   "ckdj as 出库单价,cksl as 出库数量,cksl*ckdj as 出库金额,jcsl as 结存数量,jcdj as 结存单价,jcsl*jcdj as 结存金额 from J_sptmp order by rq,pzh"),
    QStringLiteral("TForm46"),
    {QStringLiteral("2026/12/31"), QStringLiteral("CG1001263_001"), QStringLiteral("进货华丰五金交电公司"),
     QStringLiteral("99999.99"), QStringLiteral("99999.99"), QStringLiteral("99999.99"), QStringLiteral("99999.99"),
     QStringLiteral("99999.99"), QStringLiteral("99999.99"), QStringLiteral("99999.99"), QStringLiteral("99999.99"),
     QStringLiteral("99999.99")}};

} // namespace

TForm46::TForm46(QWidget* parent) : JournalScreen(parent, kGoodsJournal)
{
    ComboBox1 = makeCombo(GroupBox1, QStringLiteral("ComboBox1"));
    Edit1 = makeEdit(GroupBox1, QStringLiteral("Edit1"));
    Edit4 = makeEdit(GroupBox1, QStringLiteral("Edit4"));
    Edit2 = makeEdit(GroupBox1, QStringLiteral("Edit2"));
    Edit2->setText(QStringLiteral("0"));
    const QList<QWidget*> fields = {ComboBox1, Edit1, Edit4, Edit2};
    const QStringList captions = {QStringLiteral("商品代码"), QStringLiteral("商品名称"), QStringLiteral("单位"),
                                  QStringLiteral("现有库存")};
    for (int i = 0; i < fields.size(); ++i) {
        m_selection->addWidget(makeLabel(GroupBox1, QStringLiteral("Label%1").arg(i + 1), captions[i]), 0, 2 * i,
                               Qt::AlignRight);
        m_selection->addWidget(fields[i], 0, 2 * i + 1);
    }
    for (QLineEdit* e : {Edit1, Edit4, Edit2})
        e->setReadOnly(true);

    connectGuarded(ComboBox1, &QComboBox::currentTextChanged, this, &TForm46::ComboBox1Change);
}

void TForm46::FormShow()
{
    fillList(ComboBox1, QStringLiteral("select spdm from J_spb order by spdm"));
    StatusBar1->fill();
}

void TForm46::ComboBox1Change()
{
    ResultSet article;
    article.open(QStringLiteral("select spmc,dw,xykc from J_spb where spdm=") + quoted(ComboBox1->currentText()));
    if (article.isEmpty())
        return;
    Edit1->setText(article.text(QStringLiteral("spmc")));
    Edit4->setText(article.text(QStringLiteral("dw")));
    Edit2->setText(article.text(QStringLiteral("xykc")));
}

bool TForm46::sourceCondition(QString& condition)
{
    const QString code = ComboBox1->currentText();
    if (code.isEmpty()) {
        showInfo(this, QStringLiteral("请输入商品代码"));
        return false;
    }
    condition = QStringLiteral(" and spdm=") + quoted(code);
    return true;
}
