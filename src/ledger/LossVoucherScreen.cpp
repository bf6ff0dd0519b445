#include "ledger/LossVoucherScreen.h"

#include "db/Database.h"
#include "db/ProgramState.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "ledger/LossExpenseBook.h"
#include "master/GoodsListScreen.h"
#include "widgets/Controls.h"
#include "widgets/DataControls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/KeyFlow.h"
#include "widgets/MessageBoxes.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

const LinesVoucherTexts& lossTexts()
{
    static const LinesVoucherTexts texts{
        QStringLiteral("TForm16"),
        QStringLiteral("商品报损登记"),
        {QStringLiteral("BS"), QStringLiteral("J_bsb"), QStringLiteral("bsrq"), QStringLiteral("添加报损信息错误！"),
         QStringLiteral("查找报损凭证号"), QStringLiteral("请输入待查报损凭证号:"), QStringLiteral("无此报损单！")},
        QStringLiteral("bssm"),
        QStringLiteral("报损说明"),
        QStringLiteral("报损日期"),
        QStringLiteral("报损详细信息"),
        QStringLiteral("请先保存报损单，然后添加出货明细"),
        QStringLiteral("请先进行报损单的填写！"),
        {70, 130, 50, 70, 60, 80},
    };
    return texts;
}

} // namespace

// ---- line dialog -----------------------------------------------------------------------

TForm17::TForm17(const LossLineContext& context, QWidget* parent)
    : ArticleLineDialog({QStringLiteral("TForm17"), QStringLiteral("报损商品信息"), 460, 250, QStringLiteral("报损类别"), false},
                        parent),
      m_context(context)
{
    ResultSet categories;
    categories.open(QStringLiteral("select bslb from J_bslbb"));
    for (int row = 0; row < categories.recordCount(); ++row)
        ComboBox1->addItem(displayText(categories.valueAt(row, 0)));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());

    onClick(BitBtn14, this, &TForm17::BitBtn14Click);
    onClick(BitBtn1, this, &TForm17::BitBtn1Click);
}

void TForm17::BitBtn14Click()
{
    myvar::goodsPickMode = 5;
    TForm6 picker(this);
    picker.exec();
    const std::optional<PickedArticle>& article = picker.picked();
    if (!article)
        return;
    // The other boxes keep their texts until the article is looked up on leaving Edit1.
    Edit1->setText(article->code);
    Edit2->setText(article->name);
    Edit3->setText(article->maker);
    Edit9->setText(article->cost);
}

void TForm17::BitBtn1Click()
{
    const LossLineEntry entry{m_context.voucher, Edit1->text(),          Edit7->text(),     Edit9->text(),
                              Edit10->text(),    ComboBox1->currentText(), m_context.dateText, m_context.description};
    answerLineBooking(this, storeLossLine(entry, Database::shared()), QStringLiteral("一种商品代码只能在明细表中添加一次！"),
                      QStringLiteral("商品数据添加失败，请重新添加！"));
}

// ---- screen ----------------------------------------------------------------------------

TForm16::TForm16(QWidget* parent) : LinesVoucherScreen(lossTexts(), parent) {}

QString TForm16::totalSql(const QString& voucher) const
{
    return lossTotalSql(voucher);
}

QString TForm16::linesSql(const QString& voucher) const
{
    return lossLinesSql(voucher);
}

void TForm16::addLine()
{
    TForm17 dialog({currentNumber(), DBEdit1->text(), DBEdit3->text()}, this);
    dialog.exec();
}

void TForm16::removeLine()
{
    if (!askWarning(this, QStringLiteral("确定将删除: ") + lines()->text(QStringLiteral("商品名称")) + QStringLiteral(" 吗？")))
        return;
    if (!removeLossLine(currentNumber(), lines()->text(QStringLiteral("商品代码")), lines()->number(QStringLiteral("数量")),
                        Database::shared()))
        showInfo(this, QStringLiteral("删除数据失败，请重新删除！"));
}
