#include "ledger/ExpenseVoucherScreen.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "ledger/LossExpenseBook.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/KeyFlow.h"
#include "widgets/MessageBoxes.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

const LinesVoucherTexts& expenseTexts()
{
    static const LinesVoucherTexts texts{
        QStringLiteral("TForm18"),
        QStringLiteral("经营费用入帐"),
        {QStringLiteral("ZC"), QStringLiteral("J_zcb"), QStringLiteral("zcrq"), QStringLiteral("添加入库信息错误！"),
         QStringLiteral("查找费用凭证号"), QStringLiteral("请输入待查费用凭证号:          "), QStringLiteral("无此费用单！")},
        QStringLiteral("zcsm"),
        QStringLiteral("支出说明"),
        QStringLiteral("入帐日期"),
        QStringLiteral("费用详细信息"),
        QStringLiteral("请先保存支出单，然后添加支出明细"),
        QStringLiteral("请先进行支出单的填写！"),
        {60, 70, 70, 80, 110, 70},
    };
    return texts;
}

} // namespace

// ---- line dialog -----------------------------------------------------------------------

TForm19::TForm19(const QString& voucher, QWidget* parent) : QDialog(parent), m_voucher(voucher)
{
    setObjectName(QStringLiteral("TForm19"));
    setWindowTitle(QStringLiteral("费用信息"));
    resize(420, 220);

    ComboBox1 = makeCombo(this, QStringLiteral("ComboBox1"));
    Edit1 = makeEdit(this, QStringLiteral("Edit1"), 6);
    Edit2 = makeEdit(this, QStringLiteral("Edit2"), 40);
    Edit2->setText(QStringLiteral("0"));
    Edit3 = makeEdit(this, QStringLiteral("Edit3"), 40);
    Edit3->setText(QStringLiteral("0"));
    Edit3->setEnabled(false);
    DateTimePicker1 = makeDatePicker(this, QStringLiteral("DateTimePicker1"));
    Edit4 = makeEdit(this, QStringLiteral("Edit4"));
    Edit5 = makeEdit(this, QStringLiteral("Edit5"));
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
    BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("退出"));

    auto* grid = new QGridLayout(this);
    auto label = [this](int n, const QString& caption) { return makeLabel(this, QStringLiteral("Label%1").arg(n), caption); };
    auto withUnit = [&](QLineEdit* edit, int n) {
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(label(n, QStringLiteral("元")));
        return row;
    };
    grid->addWidget(label(1, QStringLiteral("支出类别")), 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(label(2, QStringLiteral("单号")), 0, 2);
    grid->addWidget(Edit1, 0, 3);
    grid->addWidget(label(3, QStringLiteral("金额")), 1, 0);
    grid->addLayout(withUnit(Edit2, 4), 1, 1);
    grid->addWidget(label(5, QStringLiteral("帐面金额")), 1, 2);
    grid->addLayout(withUnit(Edit3, 6), 1, 3);
    grid->addWidget(label(7, QStringLiteral("日期")), 2, 0);
    grid->addWidget(DateTimePicker1, 2, 1);
    grid->addWidget(label(8, QStringLiteral("支出说明")), 3, 0);
    grid->addWidget(Edit4, 3, 1, 1, 3);
    grid->addWidget(label(9, QStringLiteral("备注")), 4, 0);
    grid->addWidget(Edit5, 4, 1, 1, 3);
    grid->addLayout(buttonRow({BitBtn1, BitBtn2}, Qt::AlignRight), 5, 0, 1, 4);

    const QList<QWidget*> order{Edit1, Edit2, Edit3, DateTimePicker1, Edit4, Edit5, BitBtn1, BitBtn2, ComboBox1};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    ResultSet cash;
    cash.open(QStringLiteral("select je from J_zjb"));
    if (!cash.isEmpty())
        Edit3->setText(cash.text(QStringLiteral("je")));
    cash.close();
    ResultSet categories;
    categories.open(QStringLiteral("select zclb from J_zclbb"));
    for (int row = 0; row < categories.recordCount(); ++row)
        ComboBox1->addItem(displayText(categories.valueAt(row, 0)));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
    DateTimePicker1->setDate(QDate::currentDate());
    Edit1->setFocus();

    onClick(BitBtn1, this, &TForm19::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    enterMovesOn(this, BitBtn1, BitBtn2);
}

void TForm19::BitBtn1Click()
{
    const ExpenseEntry entry{m_voucher,           Edit1->text(), ComboBox1->currentText(), Edit2->text(),
                             DateTimePicker1->date(), Edit4->text(), Edit5->text()};
    answerLineBooking(this, storeExpense(entry, Database::shared()), QStringLiteral("该单号已存在，请重新输入"),
                      QStringLiteral("添加支出费用信息失败！"));
}

// ---- screen ----------------------------------------------------------------------------

TForm18::TForm18(QWidget* parent) : LinesVoucherScreen(expenseTexts(), parent) {}

QString TForm18::totalSql(const QString& voucher) const
{
    return expenseTotalSql(voucher);
}

QString TForm18::linesSql(const QString& voucher) const
{
    return expenseLinesSql(voucher);
}

void TForm18::addLine()
{
    TForm19 dialog(currentNumber(), this);
    dialog.exec();
}

void TForm18::removeLine()
{
    if (!askWarning(this, QStringLiteral("确定将删除当前支出费用吗？")))
        return;
    if (!removeExpense(currentNumber(), lines()->text(QStringLiteral("单号")), lines()->number(QStringLiteral("支出金额")),
                       Database::shared()))
        showInfo(this, QStringLiteral("删除数据失败，请重新删除！"));
}
