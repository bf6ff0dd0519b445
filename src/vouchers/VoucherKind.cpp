#include "vouchers/VoucherKind.h"

#include <vector>

namespace {

VoucherKind makePurchase()
{
    VoucherKind k;
    k.prefix = QStringLiteral("CG");
    k.headerTable = QStringLiteral("J_cgb");
    k.lineTable = QStringLiteral("J_cgmxb");
    k.moneyTable = QStringLiteral("J_cgfkb");

    k.freeTextColumn = QStringLiteral("fph");
    k.categoryColumn = QStringLiteral("rklb");
    k.partnerColumn = QStringLiteral("ghs");
    k.personColumn = QStringLiteral("cgy");
    k.dateColumn = QStringLiteral("cgrq");
    k.dueColumn = QStringLiteral("yfk");
    k.settledColumn = QStringLiteral("sfk");

    k.moneyCategoryColumn = QStringLiteral("fklb");
    k.moneyAmountColumn = QStringLiteral("fkje");
    k.moneyPersonColumn = QStringLiteral("fkr");
    k.moneyDateColumn = QStringLiteral("fkrq");
    k.moneyWord = QStringLiteral("付款");

    k.goodsIn = true;
    k.moneyOut = true;

    k.categoryListSql = QStringLiteral("select rklb from J_rklbb order by rklb");
    k.partnerListSql = QStringLiteral("select khmc from J_khb where lb1 like '%供货商%' order by khmc");
    k.personListSql = QStringLiteral("select xm from J_zgb where bmmc like '%综合部门%' order by xm");
    k.moneyCategoryListSql = QStringLiteral("select fklb from J_fklbb");

    k.screenClass = QStringLiteral("TForm8");
    k.screenCaption = QStringLiteral("采购商品入库");
    k.freeTextCaption = QStringLiteral("发票号 ");
    k.categoryCaption = QStringLiteral("入库类别   ");
    k.partnerCaption = QStringLiteral("供货商  ");
    k.personCaption = QStringLiteral("采购员 ");
    k.dateCaption = QStringLiteral("采购日期 ");
    k.linesTabCaption = QStringLiteral("商品入库明细信息");
    k.moneyTabCaption = QStringLiteral("付款明细信息");
    k.dueCaption = QStringLiteral("应付款：");
    k.settledCaption = QStringLiteral("实付款：");

    k.postFailure = QStringLiteral("添加采购信息错误！");
    k.findCaption = QStringLiteral("查找采购凭证号");
    k.findPrompt = QStringLiteral("请输入待查采购凭证号:");
    k.notFound = QStringLiteral("无此采购单！");
    k.lineSaveFirst = QStringLiteral("请先保存进货单，然后添加进货明细");
    k.lineFillFirst = QStringLiteral("请先进行进货单的填写！");
    k.moneySaveFirst = QStringLiteral("请先保存采购单，然后添加采购明细");
    k.moneyFillFirst = QStringLiteral("请先进行采购单的填写！");

    k.lineDialogClass = QStringLiteral("TForm9");
    k.lineDialogCaption = QStringLiteral("采购商品入库信息");
    k.lineDialogHeight = 180;
    k.goodsPickMode = 1;

    k.moneyDialogClass = QStringLiteral("TForm10");
    k.moneyDialogCaption = QStringLiteral("采购付款信息");
    k.moneyDialogWidth = 431;
    k.moneyDialogHeight = 140;
    k.moneyCategoryCaption = QStringLiteral("付款类别   ");
    k.balanceCaption = QStringLiteral("帐面金额   ");
    k.amountCaption = QStringLiteral("付款金额   ");
    k.moneyPersonCaption = QStringLiteral("付款人 ");
    k.moneyDateCaption = QStringLiteral("付款时间   ");
    k.moneyRemarkCaption = QStringLiteral("备注  ");
    k.moneyFailure = QStringLiteral("付款数据添加失败，请重新添加！");
    return k;
}

const std::vector<VoucherKind>& kinds()
{
    static const std::vector<VoucherKind> table{makePurchase()};
    return table;
}

} // namespace

const VoucherKind& purchaseKind()
{
    return kinds().front();
}

const VoucherKind* voucherKindOfPrefix(const QString& prefix)
{
    for (const VoucherKind& k : kinds())
        if (k.prefix.compare(prefix, Qt::CaseInsensitive) == 0)
            return &k;
    return nullptr;
}
