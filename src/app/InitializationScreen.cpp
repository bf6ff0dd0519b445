#include "app/InitializationScreen.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TForm53::TForm53(QWidget* parent) : Screen(parent, QStringLiteral("Form53"), QStringLiteral("系统初始化"))
{
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("注意：系统初始化将清除所有数据                 "));
    Label1->setStyleSheet(QStringLiteral("color: blue;"));
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("初始化"));
    BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("退出"));

    auto* buttons = buttonRow({BitBtn1, BitBtn2}, Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(buttons);

    onClick(BitBtn1, this, &TForm53::BitBtn1Click);
    onClick(BitBtn2, this, &TForm53::BitBtn2Click);
}

void TForm53::BitBtn1Click()
{
    if (!askOkCancel(this, QStringLiteral("系统初始化将清除所有数据，你确定初始化吗?"), kWarningCaption))
        return;
    Database& db = Database::shared();
    if (!db.isOpen())
        db.open(myvar::databaseFile());
    Label1->setText(QStringLiteral("系统正在初始化，请稍后... ...        "));
    Label1->repaint();
    // A refused statement stops here; the label keeps saying the work is under way.
    schema::createAllTables(db);
    Label1->setText(QStringLiteral("系统初始化成功，请继续操作！            "));
}

void TForm53::BitBtn2Click()
{
    close();
}
