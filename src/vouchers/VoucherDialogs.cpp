#include "vouchers/VoucherDialogs.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/GoodsListScreen.h"
#include "vouchers/VoucherBook.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/KeyFlow.h"
#include "widgets/MessageBoxes.h"

#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>

namespace {

QStringList listOf(const QString& sql)
{
    ResultSet rs;
    rs.open(sql);
    QStringList items;
    for (int row = 0; row < rs.recordCount(); ++row)
        items << displayText(rs.valueAt(row, 0));
    return items;
}

QString negativeRefused()
{
    return QStringLiteral("单价、数量和金额不能为负数！");
}

void fillCombo(QComboBox* box, const QString& sql)
{
    box->clear();
    box->addItems(listOf(sql));
    box->setCurrentIndex(box->count() > 0 ? 0 : -1);
}

} // namespace

// ---- line dialog -----------------------------------------------------------------------

VoucherLineDialog::VoucherLineDialog(const VoucherKind& kind, const VoucherContext& context, QWidget* parent)
    : ArticleLineDialog({kind.forms.line.name, kind.forms.line.caption, kind.forms.line.width, kind.forms.line.height}, parent),
      m_kind(kind), m_context(context)
{
    onClick(BitBtn14, this, &VoucherLineDialog::BitBtn14Click);
    onClick(BitBtn1, this, &VoucherLineDialog::BitBtn1Click);
}

void VoucherLineDialog::BitBtn14Click()
{
    myvar::goodsPickMode = m_kind.picker.mode;
    TForm6 picker(this);
    picker.exec();
    const std::optional<PickedArticle>& article = picker.picked();
    if (!article)
        return;
    // The other boxes keep their texts until the article is looked up on leaving Edit1.
    Edit1->setText(article->code);
    Edit2->setText(article->name);
    Edit3->setText(article->maker);
    Edit7->setText(article->unit);
    Edit8->setText(article->stock);
    Edit9->setText(m_kind.picker.price == VoucherKind::PickPrice::MarkedUp
                       ? numText(article->costValue * (article->profitRate / 100 + 1))
                       : article->cost);
}

void VoucherLineDialog::BitBtn1Click()
{
    const LineEntry entry{m_context.voucher, Edit1->text(),   Edit7->text(),      Edit9->text(),
                          Edit10->text(),    m_context.category, m_context.partner, m_context.dateText};
    switch (storeLine(m_kind, entry, Database::shared())) {
    case LineOutcome::Ignored:
        return;
    case LineOutcome::Duplicate:
        showInfo(this, QStringLiteral("一种商品代码只能在明细表中添加一次！"));
        return;
    case LineOutcome::Negative:
        showInfo(this, negativeRefused());
        return;
    case LineOutcome::Failed:
        showInfo(this, QStringLiteral("商品数据添加失败，请重新添加！"));
        break;
    case LineOutcome::NoArticle:
    case LineOutcome::Stored:
        break;
    }
    accept();
}

// ---- money dialog ----------------------------------------------------------------------

VoucherMoneyDialog::VoucherMoneyDialog(const VoucherKind& kind, const VoucherContext& context, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_context(context)
{
    setObjectName(kind.forms.money.name);
    setWindowTitle(kind.forms.money.caption);
    resize(kind.forms.money.width, kind.forms.money.height);

    Edit1 = makeEdit(this, QStringLiteral("Edit1"), 30);
    ComboBox1 = makeCombo(this, QStringLiteral("ComboBox1"));
    ComboBox2 = makeCombo(this, QStringLiteral("ComboBox2"));
    Edit2 = makeEdit(this, QStringLiteral("Edit2"));
    Edit2->setEnabled(false);
    Edit3 = makeEdit(this, QStringLiteral("Edit3"), 30);
    Edit3->setText(QStringLiteral("0"));
    ComboBox3 = makeCombo(this, QStringLiteral("ComboBox3"));
    DateTimePicker1 = makeDatePicker(this, QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(false); // up-down arrows, no drop-down calendar
    Edit4 = makeEdit(this, QStringLiteral("Edit4"), 30);
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
    BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("退出"));

    auto* grid = new QGridLayout(this);
    auto label = [this](int n, const QString& caption) { return makeLabel(this, QStringLiteral("Label%1").arg(n), caption); };
    grid->addWidget(label(1, QStringLiteral("单号 ")), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(label(2, kind.moneyWord() + QStringLiteral("类别   ")), 0, 2);
    grid->addWidget(ComboBox1, 0, 3);
    grid->addWidget(label(3, QStringLiteral("结算方式   ")), 1, 0);
    grid->addWidget(ComboBox2, 1, 1);
    grid->addWidget(label(4, kind.captions.balance), 1, 2);
    grid->addWidget(Edit2, 1, 3);
    grid->addWidget(label(5, kind.moneyWord() + QStringLiteral("金额   ")), 2, 0);
    auto* amountRow = new QHBoxLayout;
    amountRow->addWidget(Edit3);
    amountRow->addWidget(label(6, QStringLiteral("元")));
    grid->addLayout(amountRow, 2, 1);
    grid->addWidget(label(7, kind.moneyWord() + QStringLiteral("人 ")), 2, 2);
    grid->addWidget(ComboBox3, 2, 3);
    grid->addWidget(label(8, kind.moneyWord() + QStringLiteral("时间   ")), 3, 0);
    grid->addWidget(DateTimePicker1, 3, 1);
    grid->addWidget(label(9, kind.captions.moneyRemark), 3, 2);
    grid->addWidget(Edit4, 3, 3);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    grid->addLayout(bottom, 4, 0, 1, 4);

    onClick(BitBtn1, this, &VoucherMoneyDialog::BitBtn1Click);
    onClick(BitBtn2, this, &VoucherMoneyDialog::BitBtn2Click);
    const QString& table = kind.tables.money;
    limitToColumn(Edit1, table, QStringLiteral("dh"));
    limitToColumn(ComboBox1->lineEdit(), table, kind.moneyCategoryColumn());
    limitToColumn(ComboBox2->lineEdit(), table, QStringLiteral("jsfs"));
    limitToColumn(ComboBox3->lineEdit(), table, kind.moneyPersonColumn());
    limitToColumn(Edit4, table, QStringLiteral("bz"));
    enterMovesOn(this, BitBtn1, BitBtn2);
    FormShow();
}

void VoucherMoneyDialog::FormShow()
{
    fillCombo(ComboBox1, m_kind.moneyCategoryListSql());
    fillCombo(ComboBox2, QStringLiteral("select jsfs from J_jsfsb"));
    fillCombo(ComboBox3, QStringLiteral("select xm from j_zgb where bmmc like '%综合部门%' order by xm"));
    ResultSet cash;
    cash.open(QStringLiteral("select je from j_zjb"));
    if (!cash.isEmpty())
        Edit2->setText(cash.text(QStringLiteral("je")));
    DateTimePicker1->setDate(QDate::currentDate());
}

void VoucherMoneyDialog::BitBtn1Click()
{
    const MoneyEntry entry{m_context.voucher,       m_context.partner,        Edit1->text(),
                           ComboBox1->currentText(), ComboBox2->currentText(), Edit3->text(),
                           ComboBox3->currentText(), DateTimePicker1->date(),  Edit4->text()};
    switch (storeMoney(m_kind, entry, Database::shared())) {
    case MoneyOutcome::Ignored:
        return;
    case MoneyOutcome::Duplicate:
        showInfo(this, QStringLiteral("该单号已存在，请重新输入"));
        return;
    case MoneyOutcome::Negative:
        showInfo(this, negativeRefused());
        return;
    case MoneyOutcome::Failed:
        showInfo(this, m_kind.moneyFailure());
        break;
    case MoneyOutcome::Stored:
        break;
    }
    accept();
}

void VoucherMoneyDialog::BitBtn2Click()
{
    reject();
}
