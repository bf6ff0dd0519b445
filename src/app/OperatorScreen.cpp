#include "app/OperatorScreen.h"

#include "db/Errors.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/KeyFlow.h"
#include "widgets/MessageBoxes.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {
QLineEdit* boldPassword(QWidget* parent, const QString& name)
{
    QLineEdit* edit = makePasswordEdit(parent, name, 8);
    QFont bold = edit->font();
    bold.setBold(true);
    edit->setFont(bold);
    return edit;
}
} // namespace

TForm36::TForm36(QWidget* parent) : Screen(parent, QStringLiteral("Form36"), QStringLiteral("操作员与密码设置"))
{
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("操作员："));
    ComboBox1 = makeCombo(this, QStringLiteral("ComboBox1"));
    Edit1 = makeEdit(this, QStringLiteral("Edit1"), 15);
    Edit1->setEnabled(false);
    Edit1->setReadOnly(true);
    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("密码："));
    Edit2 = boldPassword(this, QStringLiteral("Edit2"));
    Label3 = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("重复密码："));
    Edit3 = boldPassword(this, QStringLiteral("Edit3"));
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
    BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("退出"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(Edit1, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(Edit3, 2, 1);
    auto* buttons = buttonRow({BitBtn1, BitBtn2}, Qt::AlignRight);
    grid->addLayout(buttons, 3, 0, 1, 3);

    connectGuarded(ComboBox1, &QComboBox::editTextChanged, this, &TForm36::ComboBox1Change);
    onClick(BitBtn1, this, &TForm36::BitBtn1Click);
    onClick(BitBtn2, this, &TForm36::BitBtn2Click);
    enterMovesOn(this, BitBtn1, BitBtn2);
}

void TForm36::FormShow()
{
    ResultSet names;
    names.open(QStringLiteral("select czymc from J_czyb"));
    QStringList items;
    for (int row = 0; row < names.recordCount(); ++row)
        items << displayText(names.valueAt(row, 0));
    const QSignalBlocker block(ComboBox1);
    ComboBox1->addItems(items);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
}

void TForm36::ComboBox1Change()
{
    ResultSet query;
    query.open(QStringLiteral("select czydm from J_czyb where czymc=") + quoted(ComboBox1->currentText()));
    if (!query.isEmpty())
        Edit1->setText(query.text(QStringLiteral("czydm")));
}

bool TForm36::saveOperator()
{
    ResultSet operators;
    try {
        operators.open(QStringLiteral("select czymc,czymm from J_czyb"));
        operators.edit();
        operators.setValue(QStringLiteral("czymc"), ComboBox1->currentText());
        operators.setValue(QStringLiteral("czymm"), Edit2->text());
        operators.post();
        return true;
    } catch (const AppError&) {
        if (operators.state() == ResultSet::Edit)
            operators.cancel();
        return false;
    }
}

void TForm36::BitBtn1Click()
{
    if (ComboBox1->currentText().isEmpty()) {
        showInfo(this, QStringLiteral("请输入操作员名称"));
        return;
    }
    if (Edit2->text().isEmpty()) {
        showInfo(this, QStringLiteral("密码不允许空！"));
        return;
    }
    if (Edit2->text() != Edit3->text()) {
        showInfo(this, QStringLiteral("两次密码不一致，请重新输入!"));
        Edit2->setFocus();
        return;
    }
    if (saveOperator())
        showInfo(this, QStringLiteral("操作员、密码修改成功！!"));
    else
        showInfo(this, QStringLiteral("修改操作员信息失败！!"));
    close();
}

void TForm36::BitBtn2Click()
{
    close();
}
