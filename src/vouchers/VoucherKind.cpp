#include "vouchers/VoucherKind.h"

namespace {

using Pick = VoucherKind::PickPrice;

const VoucherKind kPurchase{
    .prefix = QStringLiteral("CG"),
    .goods = Flow::In,
    .money = Flow::Out,
    .valuation = Valuation::Average,
    .tables = {.header = QStringLiteral("J_cgb"), .lines = QStringLiteral("J_cgmxb"), .money = QStringLiteral("J_cgfkb")},
    .columns = {.freeText = QStringLiteral("fph"), .partner = QStringLiteral("ghs"), .person = QStringLiteral("cgy"),
                .date = QStringLiteral("cgrq")},
    .lists = {.partnerRole = QStringLiteral("供货商"), .allEmployees = false},
    .forms = {.screen = {QStringLiteral("TForm8"), QStringLiteral("采购商品入库"), 725, 409},
              .line = {QStringLiteral("TForm9"), QStringLiteral("采购商品入库信息"), 439, 180},
              .money = {QStringLiteral("TForm10"), QStringLiteral("采购付款信息"), 431, 140}},
    .captions = {.freeText = QStringLiteral("发票号 "), .partner = QStringLiteral("供货商  "),
                 .person = QStringLiteral("采购员 "), .date = QStringLiteral("采购日期 "),
                 .balance = QStringLiteral("帐面金额   "), .moneyRemark = QStringLiteral("备注  ")},
    .messages = {.postFailure = QStringLiteral("添加采购信息错误！"),
                 .findCaption = QStringLiteral("查找采购凭证号"),
                 .findPrompt = QStringLiteral("请输入待查采购凭证号:"),
                 .notFound = QStringLiteral("无此采购单！"),
                 .lineSaveFirst = QStringLiteral("请先保存进货单，然后添加进货明细"),
                 .lineFillFirst = QStringLiteral("请先进行进货单的填写！"),
                 .moneySaveFirst = QStringLiteral("请先保存采购单，然后添加采购明细"),
                 .moneyFillFirst = QStringLiteral("请先进行采购单的填写！")},
    .picker = {.mode = 1, .price = Pick::Cost},
};

const VoucherKind kSales{
    .prefix = QStringLiteral("XS"),
    .goods = Flow::Out,
    .money = Flow::In,
    .valuation = Valuation::Unchanged,
    .tables = {.header = QStringLiteral("J_xsb"), .lines = QStringLiteral("J_xsmxb"), .money = QStringLiteral("J_xsskb")},
    .columns = {.freeText = QStringLiteral("fph"), .partner = QStringLiteral("ghs"), .person = QStringLiteral("xsy"),
                .date = QStringLiteral("xsrq")},
    .lists = {.partnerRole = QStringLiteral("购货商"), .allEmployees = false},
    .forms = {.screen = {QStringLiteral("TForm11"), QStringLiteral("销售商品出库"), 725, 409},
              .line = {QStringLiteral("TForm12"), QStringLiteral("销售商品出库信息"), 439, 177},
              .money = {QStringLiteral("TForm13"), QStringLiteral("销售收款信息"), 434, 141}},
    .captions = {.freeText = QStringLiteral("发票号 "), .partner = QStringLiteral("购货商  "),
                 .person = QStringLiteral("销售员 "), .date = QStringLiteral("销售日期 "),
                 .balance = QStringLiteral("帐面金额  "), .moneyRemark = QStringLiteral("备注 ")},
    .messages = {.postFailure = QStringLiteral("添加入库信息错误！"),
                 .findCaption = QStringLiteral("查找出库凭证号"),
                 .findPrompt = QStringLiteral("请输入待查出库凭证号:"),
                 .notFound = QStringLiteral("无此出库单！"),
                 .lineSaveFirst = QStringLiteral("请先保存出货单，然后添加出货明细"),
                 .lineFillFirst = QStringLiteral("请先进行出货单的填写！"),
                 .moneySaveFirst = QStringLiteral("请先保存出货单，然后添加出货明细"),
                 .moneyFillFirst = QStringLiteral("请先进行出货单的填写！")},
    .picker = {.mode = 2, .price = Pick::MarkedUp},
};

// Goods go back to the supplier they came from.
const VoucherKind kPurchaseReturn{
    .prefix = QStringLiteral("CT"),
    .goods = Flow::Out,
    .money = Flow::In,
    .valuation = Valuation::Unchanged,
    .tables = {.header = QStringLiteral("J_cgthb"), .lines = QStringLiteral("J_cgthmxb"),
               .money = QStringLiteral("J_cgskb")},
    .columns = {.freeText = QStringLiteral("thyy"), .partner = QStringLiteral("ths"), .person = QStringLiteral("jsr"),
                .date = QStringLiteral("thrq")},
    .lists = {.partnerRole = QStringLiteral("供货商"), .allEmployees = true},
    .forms = {.screen = {QStringLiteral("TForm14"), QStringLiteral("采购商品退货出库"), 725, 409},
              .line = {QStringLiteral("TForm25"), QStringLiteral("退货商品信息"), 439, 180},
              .money = {QStringLiteral("TForm26"), QStringLiteral("退货收款信息"), 434, 141}},
    .captions = {.freeText = QStringLiteral("退货原因 "), .partner = QStringLiteral("退货商  "),
                 .person = QStringLiteral("经办人 "), .date = QStringLiteral("退货日期 "),
                 .balance = QStringLiteral("帐面金额  "), .moneyRemark = QStringLiteral("备注 ")},
    .messages = kSales.messages,
    // Goods sent back are worth what they cost, not what they would sell for.
    .picker = {.mode = 3, .price = Pick::Cost},
};

// Goods come back from the customer who bought them.
const VoucherKind kSalesReturn{
    .prefix = QStringLiteral("XT"),
    .goods = Flow::In,
    .money = Flow::Out,
    .valuation = Valuation::Unchanged,
    .tables = {.header = QStringLiteral("J_xsthb"), .lines = QStringLiteral("J_xsthmxb"),
               .money = QStringLiteral("J_xsfkb")},
    .columns = {.freeText = QStringLiteral("thyy"), .partner = QStringLiteral("ths"), .person = QStringLiteral("jsr"),
                .date = QStringLiteral("thrq")},
    .lists = {.partnerRole = QStringLiteral("购货商"), .allEmployees = false},
    .forms = {.screen = {QStringLiteral("TForm15"), QStringLiteral("销售商品退货入库"), 725, 409},
              .line = {QStringLiteral("TForm27"), QStringLiteral("退货商品信息"), 439, 180},
              .money = {QStringLiteral("TForm28"), QStringLiteral("退货付款信息"), 431, 140}},
    .captions = {.freeText = QStringLiteral("退货原因"), .partner = QStringLiteral("退货商  "),
                 .person = QStringLiteral("经手人"), .date = QStringLiteral("退货日期 "),
                 .balance = QStringLiteral("帐面金额  "), .moneyRemark = QStringLiteral("备注 ")},
    .messages = {.postFailure = QStringLiteral("添加销售退货信息错误！"),
                 .findCaption = kPurchase.messages.findCaption,
                 .findPrompt = kPurchase.messages.findPrompt,
                 .notFound = kPurchase.messages.notFound,
                 .lineSaveFirst = kPurchase.messages.lineSaveFirst,
                 .lineFillFirst = kPurchase.messages.lineFillFirst,
                 .moneySaveFirst = kPurchase.messages.moneySaveFirst,
                 .moneyFillFirst = kPurchase.messages.moneyFillFirst},
    .picker = {.mode = 4, .price = Pick::Cost},
};

const VoucherPrintTexts kPrintIn{QStringLiteral("商品入库单"), true, QStringLiteral("供货商:"),
                                 QStringLiteral("入库时间"), QStringLiteral("入库类别"), true,
                                 QStringLiteral("采购员"), QStringLiteral("应付款："), QStringLiteral("实付款：")};
const VoucherPrintTexts kPrintOut{QStringLiteral("商品出库单： "), false, QStringLiteral("购货商："),
                                  QStringLiteral("出库日期"), QStringLiteral("出库类别"), false,
                                  QStringLiteral("销售员"), QStringLiteral("应收款："), QStringLiteral("实收款：")};

QString pick(Flow flow, const char* in, const char* out)
{
    return QString::fromUtf8(flow == Flow::In ? in : out);
}

} // namespace

QString VoucherKind::categoryColumn() const { return pick(goods, "rklb", "cklb"); }
QString VoucherKind::categoryListSql() const
{
    return QStringLiteral("select %1 from J_%1b order by %1").arg(categoryColumn());
}
QString VoucherKind::categoryCaption() const { return pick(goods, "入库类别   ", "出库类别   "); }
QString VoucherKind::linesTabCaption() const { return pick(goods, "商品入库明细信息", "商品出库明细信息"); }
const VoucherPrintTexts& VoucherKind::print() const { return goods == Flow::In ? kPrintIn : kPrintOut; }

QString VoucherKind::dueColumn() const { return pick(money, "ysk", "yfk"); }
QString VoucherKind::settledColumn() const { return pick(money, "ssk", "sfk"); }
QString VoucherKind::moneyWord() const { return pick(money, "收款", "付款"); }
QString VoucherKind::moneyCategoryColumn() const { return pick(money, "sklb", "fklb"); }
QString VoucherKind::moneyAmountColumn() const { return pick(money, "skje", "fkje"); }
QString VoucherKind::moneyPersonColumn() const { return pick(money, "skr", "fkr"); }
QString VoucherKind::moneyDateColumn() const { return pick(money, "skrq", "fkrq"); }
QString VoucherKind::moneyCategoryListSql() const
{
    return QStringLiteral("select %1 from J_%1b").arg(moneyCategoryColumn());
}
QString VoucherKind::moneyTabCaption() const { return moneyWord() + QStringLiteral("明细信息"); }
QString VoucherKind::dueCaption() const { return pick(money, "应收款：", "应付款："); }
QString VoucherKind::settledCaption() const { return pick(money, "实收款：", "实付款："); }
QString VoucherKind::moneyFailure() const { return moneyWord() + QStringLiteral("数据添加失败，请重新添加！"); }

QString VoucherKind::partnerListSql() const
{
    return QStringLiteral("select khmc from J_khb where lb1 like '%%1%' order by khmc").arg(lists.partnerRole);
}

QString VoucherKind::personListSql() const
{
    return lists.allEmployees ? QStringLiteral("select xm from J_zgb order by xm")
                              : QStringLiteral("select xm from J_zgb where bmmc like '%综合部门%' order by xm");
}

VoucherHeaderTexts VoucherKind::headerTexts() const
{
    return {prefix,           tables.header,        columns.date,       messages.postFailure,
            messages.findCaption, messages.findPrompt, messages.notFound};
}

const VoucherKind& purchaseKind() { return kPurchase; }
const VoucherKind& salesKind() { return kSales; }
const VoucherKind& purchaseReturnKind() { return kPurchaseReturn; }
const VoucherKind& salesReturnKind() { return kSalesReturn; }

const QList<const VoucherKind*>& voucherKinds()
{
    static const QList<const VoucherKind*> all{&kPurchase, &kSales, &kPurchaseReturn, &kSalesReturn};
    return all;
}

const VoucherKind* voucherKindOfPrefix(const QString& prefix)
{
    for (const VoucherKind* k : voucherKinds())
        if (k->prefix.compare(prefix, Qt::CaseInsensitive) == 0)
            return k;
    return nullptr;
}
