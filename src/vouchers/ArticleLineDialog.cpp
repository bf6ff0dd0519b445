#include "vouchers/ArticleLineDialog.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/KeyFlow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ArticleLineDialog::ArticleLineDialog(const ArticleLineLayout& layout, QWidget* parent) : QDialog(parent)
{
    setObjectName(layout.name);
    setWindowTitle(layout.caption);
    resize(layout.width, layout.height);

    // Made in the order Tab visits them; the first box is the article code, where Enter ends
    // in the quantity and then 确定.
    if (!layout.leadCaption.isEmpty())
        ComboBox1 = makeCombo(this, QStringLiteral("ComboBox1"));
    Edit1 = makeEdit(this, QStringLiteral("Edit1"), 20);
    Edit2 = makeEdit(this, QStringLiteral("Edit2"), 30);
    Edit2->setReadOnly(true);
    BitBtn14 = makeButton(this, QStringLiteral("BitBtn14"), QStringLiteral("…"));
    BitBtn14->setFixedWidth(28);
    Edit3 = makeEdit(this, QStringLiteral("Edit3"), 30);
    if (layout.showsCategory)
        Edit4 = makeEdit(this, QStringLiteral("Edit4"), 6);
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
    int labels = 0;
    auto label = [&](const QString& caption) {
        return makeLabel(this, QStringLiteral("Label%1").arg(++labels), caption);
    };
    int cell = 0; // two captioned boxes to a row
    auto place = [&](const QString& caption, QWidget* box, QLayout* row = nullptr) {
        grid->addWidget(label(caption), cell / 2, cell % 2 * 2);
        if (box)
            grid->addWidget(box, cell / 2, cell % 2 * 2 + 1);
        else
            grid->addLayout(row, cell / 2, cell % 2 * 2 + 1);
        ++cell;
    };
    if (ComboBox1) {
        place(layout.leadCaption, ComboBox1);
        ++cell; // on a row of its own
    }
    place(QStringLiteral("商品代码 "), Edit1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Edit2);
    nameRow->addWidget(BitBtn14);
    place(QStringLiteral("商品名称 "), nullptr, nameRow);
    place(QStringLiteral("制造商 "), Edit3);
    if (Edit4)
        place(QStringLiteral("类别 "), Edit4);
    place(QStringLiteral("品牌 "), Edit5);
    place(QStringLiteral("规格 "), Edit6);
    place(QStringLiteral("单位 "), Edit7);
    place(QStringLiteral("现有库存  "), Edit8);
    auto* priceRow = new QHBoxLayout;
    priceRow->addWidget(Edit9);
    QLabel* price = label(QStringLiteral("单价 "));
    priceRow->addWidget(label(QStringLiteral("元")));
    grid->addWidget(price, cell / 2, cell % 2 * 2);
    grid->addLayout(priceRow, cell / 2, cell % 2 * 2 + 1);
    ++cell;
    place(QStringLiteral("数量 "), Edit10);

    QLabel* hintCaption = label(QStringLiteral("提示："));
    hintCaption->setStyleSheet(QStringLiteral("color: red"));
    QLabel* hint = label(QStringLiteral("商品代码和名称必须保持一致"));
    hint->setStyleSheet(QStringLiteral("color: blue"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hintCaption);
    bottom->addWidget(hint);
    bottom->addStretch();
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    grid->addLayout(bottom, (cell + 1) / 2, 0, 1, 4);

    onExit(Edit1, this, &ArticleLineDialog::Edit1Exit);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    // A scanner types the code and Enter: the article is looked up and the quantity is next.
    limitToColumn(Edit1, QStringLiteral("J_spb"), QStringLiteral("spdm"));
    setEnterTarget(Edit1, Edit10);
    enterMovesOn(this, BitBtn1, BitBtn2);
    Edit1->setFocus();
}

void ArticleLineDialog::Edit1Exit()
{
    ResultSet article;
    article.open((Edit4 ? QStringLiteral("select spmc,zzs,lb,pp,gg,dw,xykc,zxdj from J_spb where spdm=")
                        : QStringLiteral("select spmc,zzs,pp,gg,dw,xykc,zxdj from J_spb where spdm="))
                 + quoted(Edit1->text()));
    if (article.isEmpty())
        return;
    const std::pair<QLineEdit*, const char*> boxes[] = {{Edit2, "spmc"}, {Edit3, "zzs"}, {Edit4, "lb"},
                                                        {Edit5, "pp"},   {Edit6, "gg"},  {Edit7, "dw"},
                                                        {Edit8, "xykc"}, {Edit9, "zxdj"}};
    for (const auto& [box, field] : boxes)
        if (box)
            box->setText(article.text(QLatin1String(field)));
}
