#include "ledger/StockAlarmScreen.h"

#include "db/ResultSet.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TForm32::TForm32(QWidget* parent) : Screen(parent, QStringLiteral("Form32"), QStringLiteral("库存商品报警"))
{
    resize(760, 420);

    m_source = new DataSource(this);
    DBGrid1 = new DBGrid(this, QStringLiteral("DBGrid1"), m_source);
    BitBtn20 = makeButton(this, QStringLiteral("BitBtn20"), QStringLiteral("导出EXCEL"));
    BitBtn21 = makeButton(this, QStringLiteral("BitBtn21"), QStringLiteral("退出"));

    auto* buttons = buttonRow({BitBtn20, BitBtn21}, Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1);
    layout->addLayout(buttons);
    StatusBar1 = addStatusBar(this, false);

    onClick(BitBtn20, this, &TForm32::BitBtn20Click);
    onClick(BitBtn21, this, &TForm32::BitBtn21Click);
}

void TForm32::FormShow()
{
    ADOQuery1 = new ResultSet(this);
    m_source->setDataSet(ADOQuery1);
    ADOQuery1->open(QStringLiteral(
        "select spdm as 商品代码,spmc as 商品名称,zzs as 制造商,pp as 品牌,gg as 规格,dw as 单位,zxdj as 单价, lrl as 利润率,\n"
        "xykc as 现有库存,kcsx as 库存上限,kcxx as 库存下限,hw as 货位,bz as 备注  from J_spb\n"
        "where (xykc<=kcxx ) and (kcxx<>0)"));
    StatusBar1->fill();
}

void TForm32::BitBtn20Click()
{
    if (ADOQuery1)
        exportToSpreadsheet(QStringLiteral("TForm32"), *ADOQuery1, this);
}

void TForm32::BitBtn21Click()
{
    close();
}
