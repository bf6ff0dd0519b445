#include "master/WorkingCapitalScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/KeyFlow.h"
#include "widgets/MessageBoxes.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TForm50::TForm50(QWidget* parent) : Screen(parent, QStringLiteral("Form50"), QStringLiteral("注册流动资金"))
{
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("流动资金金额：\u3000"));
    Edit1 = makeEdit(this, QStringLiteral("Edit1"));
    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("元"));
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));

    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(Edit1);
    row->addWidget(Label2);
    auto* buttons = buttonRow({BitBtn1});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    onClick(BitBtn1, this, &TForm50::BitBtn1Click);
    enterMovesOn(this, BitBtn1, nullptr);
}

void TForm50::FormShow()
{
    ResultSet rs;
    rs.open(QStringLiteral("select je from J_zjb"));
    // No row (or no amount) yet means nothing has been registered: open for entry at 0.
    if (rs.isEmpty() || rs.value(QStringLiteral("je")).isNull()) {
        Edit1->setText(QStringLiteral("0"));
        Edit1->setEnabled(true);
        return;
    }
    Edit1->setText(rs.text(QStringLiteral("je")));
    Edit1->setEnabled(rs.number(QStringLiteral("je")) == 0);
}

void TForm50::BitBtn1Click()
{
    ResultSet rs;
    try {
        rs.open(QStringLiteral("select je from J_zjb"));
        if (rs.isEmpty())
            rs.append();
        else
            rs.edit();
        rs.setValue(QStringLiteral("je"), toNumber(Edit1->text()));
        rs.post();
    } catch (const AppError&) {
        if (rs.state() == ResultSet::Edit || rs.state() == ResultSet::Insert)
            rs.cancel();
        showInfo(this, QStringLiteral("注册流动资金失败!"));
    }
    close();
}
