#include "ledger/PriceQueryScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QGridLayout>
#include <QVBoxLayout>

TForm30::TForm30(QWidget* parent)
    : QueryScreen(parent, QStringLiteral("Form30"), QStringLiteral("商品出入库价格查询"))
{
    resize(720, 520);
    GroupBox3 = makeGroup(this, QStringLiteral("GroupBox3"), QStringLiteral("请选择商品代码"));
    ComboBox1 = makeCombo(GroupBox3, QStringLiteral("ComboBox1"));
    Edit1 = makeEdit(GroupBox3, QStringLiteral("Edit1"));
    Edit2 = makeEdit(GroupBox3, QStringLiteral("Edit2"));
    Edit3 = makeEdit(GroupBox3, QStringLiteral("Edit3"));
    Edit4 = makeEdit(GroupBox3, QStringLiteral("Edit4"));
    Edit4->setText(QStringLiteral("0"));
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4})
        e->setEnabled(false);
    BitBtn1 = exitButton(GroupBox3, QStringLiteral("BitBtn1"));
    auto* selection = new QGridLayout(GroupBox3);
    selection->addWidget(ComboBox1, 0, 0);
    const QStringList captions = {QStringLiteral("商品名称"), QStringLiteral("类别"), QStringLiteral("单位"),
                                  QStringLiteral("现有库存")};
    const QList<QLineEdit*> edits = {Edit1, Edit2, Edit3, Edit4};
    for (int i = 0; i < edits.size(); ++i) {
        selection->addWidget(makeLabel(GroupBox3, QStringLiteral("Label%1").arg(i + 1), captions[i]), 0, 1 + 2 * i,
                             Qt::AlignRight);
        selection->addWidget(edits[i], 0, 2 + 2 * i);
    }
    selection->addWidget(BitBtn1, 0, 9);

    ADOQuery2 = addSet();
    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    DBGrid2 = addGrid(this, QStringLiteral("DBGrid2"), ADOQuery2);
    GroupBox1 = gridGroup(QStringLiteral("GroupBox1"), QStringLiteral("商品入库价格"), DBGrid1);
    GroupBox2 = gridGroup(QStringLiteral("GroupBox2"), QStringLiteral("商品出库价格"), DBGrid2);
    colourGroupTitle(GroupBox1, Qt::magenta);
    colourGroupTitle(GroupBox2, Qt::blue);

    auto* box = new QVBoxLayout(this);
    box->addWidget(GroupBox3);
    box->addWidget(GroupBox1, 1);
    box->addWidget(GroupBox2, 1);
    StatusBar1 = statusBar();

    connectGuarded(ComboBox1, &QComboBox::currentTextChanged, this, &TForm30::ComboBox1Change);
}

void TForm30::FormShow()
{
    fillList(ComboBox1, QStringLiteral("select spdm from J_spb order by spdm"));
    StatusBar1->fill();
}

void TForm30::ComboBox1Change()
{
    const QString code = ComboBox1->currentText();
    ResultSet article;
    article.open(QStringLiteral("select spmc,lb,dw,xykc from J_spb where spdm=") + quoted(code));
    Edit1->setText(article.text(QStringLiteral("spmc")));
    Edit2->setText(article.text(QStringLiteral("lb")));
    Edit3->setText(article.text(QStringLiteral("dw")));
    Edit4->setText(article.text(QStringLiteral("xykc")));

    showRows(DBGrid1, QStringLiteral("select J_cgmxb.cgrq as 采购日期,J_cgmxb.dw as 单位,J_cgmxb.dj as 单价,J_cgmxb.sl as 数量 "
                                     "from J_cgmxb where J_cgmxb.spdm=") +
                          quoted(code) + QStringLiteral(" order by J_cgmxb.cgrq"));
    showRows(DBGrid2, QStringLiteral("select J_xsmxb.xsrq as 销售日期,J_xsmxb.dw as 单位,J_xsmxb.dj as 单价,J_xsmxb.sl as 数量 "
                                     "from J_xsmxb where J_xsmxb.spdm=") +
                          quoted(code) + QStringLiteral(" order by J_xsmxb.xsrq"));
}
