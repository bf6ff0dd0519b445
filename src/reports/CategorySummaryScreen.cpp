#include "reports/CategorySummaryScreen.h"

#include "reports/LongWork.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

// Each source's price and quantity land in rkdj and rksl, whatever the direction: the
// target column list decides, not the select list's names.
const char* const kSources[] = {
    "insert into J_sptmp (rq,zy,rkdj,rksl) select cgrq as rq,rklb as zy,dj as rkdj,sl as rksl from J_cgmxb\n where cgrq between ",
    "insert into J_sptmp (rq,zy,rkdj,rksl) select thrq as rq,rklb as zy,dj as rkdj,sl as rksl from J_xsthmxb\nwhere thrq between ",
    "insert into J_sptmp (rq,zy,rkdj,rksl) select xsrq as rq,cklb as zy,dj as ckdj,sl as cksl from J_xsmxb\nwhere xsrq between ",
    "insert into J_sptmp (rq,zy,rkdj,rksl) select thrq as rq,cklb as zy,dj as ckdj,sl as cksl from J_cgthmxb\nwhere thrq between ",
    "insert into J_sptmp (rq,zy,rkdj,rksl) select bsrq as rq,bslb as zy,dj as ckdj,sl as cksl from J_bsmxb\nwhere bsrq between ",
};

} // namespace

TForm57::TForm57(QWidget* parent)
    : QueryScreen(parent, QStringLiteral("Form57"), QStringLiteral("商品进、销、类别汇总"))
{
    resize(520, 480);
    QHBoxLayout* range = dateRange(DateTimePicker1, DateTimePicker2, QStringLiteral("时间段   "));
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("汇总"));
    BitBtn3 = exitButton(this, QStringLiteral("BitBtn3"));
    range->addStretch();
    range->addWidget(BitBtn1);
    range->addWidget(BitBtn3);
    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    auto* box = new QVBoxLayout(this);
    box->addLayout(range);
    box->addWidget(DBGrid1, 1);
    StatusBar1 = statusBar();
    onClick(BitBtn1, this, &TForm57::BitBtn1Click);
}

void TForm57::FormShow()
{
    StatusBar1->fill();
}

void TForm57::BitBtn1Click()
{
    const QString range = dateRangeText(DateTimePicker1, DateTimePicker2);
    QStringList inserts;
    for (const char* source : kSources)
        inserts << QString::fromUtf8(source) + range;
    LongWork work(this, QStringLiteral("正在汇总……"), int(inserts.size()) + 1);
    try {
        refillScratch(QStringLiteral("J_sptmp"), inserts, [&work](int done) { work.step(done); });
    } catch (const WorkCancelled&) {
        return; // the table and the grid stay as they were
    }
    showRows(DBGrid1, QStringLiteral("select zy as 类别,sum(rkdj*rksl) as 金额 from J_sptmp where rq between ") + range
                          + QStringLiteral(" group by zy"));
}
