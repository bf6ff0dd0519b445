#include "ledger/StockAlarmScreen.h"

#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm32::TForm32(QWidget* parent)
    : QueryScreen(parent, QStringLiteral("Form32"), QStringLiteral("库存商品报警"))
{
    resize(760, 420);
    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    BitBtn20 = exportButton(this, QStringLiteral("BitBtn20"));
    BitBtn21 = exitButton(this, QStringLiteral("BitBtn21"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(DBGrid1);
    box->addLayout(buttonRow({BitBtn20, BitBtn21}, Qt::AlignRight));
    StatusBar1 = statusBar();

    onClick(BitBtn20, this, &TForm32::BitBtn20Click);
}

void TForm32::FormShow()
{
    showRows(DBGrid1, QStringLiteral(
        "select spdm as 商品代码,spmc as 商品名称,zzs as 制造商,pp as 品牌,gg as 规格,dw as 单位,zxdj as 单价, lrl as 利润率,\n"
        "xykc as 现有库存,kcsx as 库存上限,kcxx as 库存下限,hw as 货位,bz as 备注  from J_spb\n"
        "where (xykc<=kcxx ) and (kcxx<>0)"));
    StatusBar1->fill();
}

void TForm32::BitBtn20Click()
{
    exportRows(QStringLiteral("TForm32"));
}
