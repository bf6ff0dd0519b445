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

TForm17::TForm17(const LossLineContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("TForm17"));
    setWindowTitle(QStringLiteral("报损商品信息"));
    resize(460, 250);

    ComboBox1 = makeCombo(this, QStringLiteral("ComboBox1"));
    Edit1 = makeEdit(this, QStringLiteral("Edit1"), 20);
    Edit2 = makeEdit(this, QStringLiteral("Edit2"), 30);
    Edit2->setReadOnly(true);
    BitBtn14 = makeButton(this, QStringLiteral("BitBtn14"), QStringLiteral("…"));
    BitBtn14->setFixedWidth(28);
    Edit3 = makeEdit(this, QStringLiteral("Edit3"), 30);
    Edit5 = makeEdit(this, QStringLiteral("Edit5"), 10);
    Edit6 = makeEdit(this, QStringLiteral("Edit6"), 10);
    Edit7 = makeEdit(this, QStringLiteral("Edit7"), 10);
    Edit8 = makeEdit(this, QStringLiteral("Edit8"));
    Edit8->setText(QStringLiteral("0"));
    Edit8->setEnabled(false);
    Edit9 = makeEdit(this, QStringLiteral("Edit9"), 6);
    Edit9->setText(QStringLiteral("0"));
    Edit10 = makeEdit(this, QStringLiteral("Edit10"), 6);
    Edit10->setText(QStringLiteral("0"));
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
    BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("退出"));

    auto* grid = new QGridLayout(this);
    auto label = [this](int n, const QString& caption) { return makeLabel(this, QStringLiteral("Label%1").arg(n), caption); };
    grid->addWidget(label(1, QStringLiteral("报损类别")), 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(label(2, QStringLiteral("商品代码 ")), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(label(3, QStringLiteral("商品名称 ")), 1, 2);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Edit2);
    nameRow->addWidget(BitBtn14);
    grid->addLayout(nameRow, 1, 3);
    grid->addWidget(label(4, QStringLiteral("制造商 ")), 2, 0);
    grid->addWidget(Edit3, 2, 1);
    grid->addWidget(label(5, QStringLiteral("品牌 ")), 2, 2);
    grid->addWidget(Edit5, 2, 3);
    grid->addWidget(label(6, QStringLiteral("规格 ")), 3, 0);
    grid->addWidget(Edit6, 3, 1);
    grid->addWidget(label(7, QStringLiteral("单位 ")), 3, 2);
    grid->addWidget(Edit7, 3, 3);
    grid->addWidget(label(8, QStringLiteral("现有库存  ")), 4, 0);
    grid->addWidget(Edit8, 4, 1);
    grid->addWidget(label(9, QStringLiteral("单价 ")), 4, 2);
    auto* priceRow = new QHBoxLayout;
    priceRow->addWidget(Edit9);
    priceRow->addWidget(label(10, QStringLiteral("元")));
    grid->addLayout(priceRow, 4, 3);
    grid->addWidget(label(11, QStringLiteral("数量 ")), 5, 0);
    grid->addWidget(Edit10, 5, 1);
    QLabel* hintCaption = label(12, QStringLiteral("提示："));
    hintCaption->setStyleSheet(QStringLiteral("color: red"));
    QLabel* hint = label(13, QStringLiteral("商品代码和名称必须保持一致"));
    hint->setStyleSheet(QStringLiteral("color: blue"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hintCaption);
    bottom->addWidget(hint);
    bottom->addStretch();
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    grid->addLayout(bottom, 6, 0, 1, 4);

    const QList<QWidget*> order{Edit1, Edit2, BitBtn14, Edit3, Edit5, Edit6, Edit7,
                                Edit8, Edit9, Edit10,   BitBtn1, BitBtn2, ComboBox1};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    ResultSet categories;
    categories.open(QStringLiteral("select bslb from J_bslbb"));
    for (int row = 0; row < categories.recordCount(); ++row)
        ComboBox1->addItem(displayText(categories.valueAt(row, 0)));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
    Edit1->setFocus();

    onExit(Edit1, this, &TForm17::Edit1Exit);
    onClick(BitBtn14, this, &TForm17::BitBtn14Click);
    onClick(BitBtn1, this, &TForm17::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    // A scanner types the code and Enter: the article is looked up and the quantity is next.
    setEnterTarget(Edit1, Edit10);
    enterMovesOn(this, BitBtn1, BitBtn2);
}

void TForm17::Edit1Exit()
{
    ResultSet article;
    article.open(QStringLiteral("select spmc,zzs,pp,gg,dw,xykc,zxdj from J_spb where spdm=") + quoted(Edit1->text()));
    if (article.isEmpty())
        return;
    const std::pair<QLineEdit*, const char*> boxes[] = {{Edit2, "spmc"}, {Edit3, "zzs"},  {Edit5, "pp"},  {Edit6, "gg"},
                                                        {Edit7, "dw"},   {Edit8, "xykc"}, {Edit9, "zxdj"}};
    for (const auto& [box, field] : boxes)
        box->setText(article.text(QLatin1String(field)));
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
