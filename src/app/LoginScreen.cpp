#include "app/LoginScreen.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/KeyFlow.h"
#include "widgets/MessageBoxes.h"

#include <QDate>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

MenuRights MenuRights::forCode(const QString& code)
{
    if (code == QLatin1String("1001"))
        return all();
    MenuRights rights;
    if (code.startsWith(QLatin1Char('3')))
        rights.N5 = true;
    else if (code.startsWith(QLatin1Char('2')))
        rights.N17 = true;
    return rights;
}

TForm37::TForm37(QWidget* parent, ApplyRights applyRights) : QDialog(parent), m_applyRights(std::move(applyRights))
{
    setObjectName(QStringLiteral("Form37"));
    setWindowTitle(QStringLiteral("用户登陆"));

    GroupBox1 = makeGroup(this, QStringLiteral("GroupBox1"), QString());
    Label1 = makeLabel(GroupBox1, QStringLiteral("Label1"), QStringLiteral("操作员： "));
    Edit3 = makeEdit(GroupBox1, QStringLiteral("Edit3"));
    Edit3->setText(QStringLiteral("1001"));
    Label2 = makeLabel(GroupBox1, QStringLiteral("Label2"), QStringLiteral("密码："));
    Edit1 = makePasswordEdit(GroupBox1, QStringLiteral("Edit1"), 8);
    Edit1->setText(QStringLiteral("530162"));
    QFont bold = Edit1->font();
    bold.setBold(true);
    Edit1->setFont(bold);
    Edit2 = makeEdit(GroupBox1, QStringLiteral("Edit2"), 15);
    Edit2->setEnabled(false);
    Edit2->setReadOnly(true);
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
    BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("返回"));

    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit3, 0, 1);
    grid->addWidget(Edit2, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit1, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);

    setTabOrder(Edit3, Edit1);
    setTabOrder(Edit1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    Edit3->setFocus();

    onExit(Edit3, this, &TForm37::Edit3Exit);
    onClick(BitBtn1, this, &TForm37::BitBtn1Click);
    onClick(BitBtn2, this, &TForm37::BitBtn2Click);
    enterMovesOn(this, BitBtn1, BitBtn2);
}

int TForm37::exec()
{
    if (!FormShow())
        return Rejected;
    return QDialog::exec();
}

bool TForm37::FormShow()
{
    Database& db = Database::shared();
    try {
        if (!db.isOpen()) {
            db.open(myvar::databaseFile());
            schema::addMissingIndexes(db);
        }
    } catch (const DbError&) {
        showInfo(this, QStringLiteral("连接数据库错误！"), kWarningCaption);
        myvar::endProgram();
        return false;
    }
    myvar::tableNames = db.tableNames();
    GroupBox1->setTitle(QStringLiteral("今天是：") + chineseDate(QDate::currentDate()));
    if (m_applyRights)
        m_applyRights(MenuRights::none());
    return true;
}

bool TForm37::lookUpOperator()
{
    const QString code = Edit3->text();
    m_lookedUpCode = code;
    m_lookedUp = true;
    ResultSet query;
    query.open(QStringLiteral("select czydm,czymc,czymm from J_czyb where czydm=") + quoted(code));
    if (query.isEmpty()) {
        // No operator, no password: the one found before must not let this code in.
        myvar::loadedPassword.clear();
        Edit2->setText(QStringLiteral("无此操作员"));
        showInfo(this, QStringLiteral("无此操作员代码！"));
        return false;
    }
    myvar::loadedPassword = query.text(QStringLiteral("czymm"));
    Edit2->setText(query.text(QStringLiteral("czymc")));
    return true;
}

void TForm37::Edit3Exit()
{
    if (!myvar::hasTable(QStringLiteral("J_czyb")))
        return;
    lookUpOperator();
}

void TForm37::BitBtn1Click()
{
    if (!myvar::hasTable(QStringLiteral("J_czyb"))) {
        // Never initialized: let the operator in to reach system initialization.
        if (m_applyRights)
            m_applyRights(MenuRights::all());
        accept();
        return;
    }
    if (Edit3->text().isEmpty()) {
        showInfo(this, QStringLiteral("请输入操作员代码!"));
        return;
    }
    if (Edit1->text().isEmpty()) {
        showInfo(this, QStringLiteral("请输入操作员密码!"));
        return;
    }
    // 确定 reached by the keyboard leaves the code field unchecked: look it up now.
    if ((!m_lookedUp || m_lookedUpCode != Edit3->text()) && !lookUpOperator())
        return;
    if (Edit1->text() != myvar::loadedPassword) {
        ++myvar::loginFailures;
        showInfo(this, QStringLiteral("密码不正确   !"));
        if (myvar::loginFailures >= 3) {
            myvar::endProgram();
            reject();
            return;
        }
        Edit1->setFocus();
        return;
    }
    if (m_applyRights)
        m_applyRights(MenuRights::forCode(Edit3->text()));
    myvar::operatorName = Edit2->text();
    myvar::operatorCode = Edit3->text();
    Database::shared().exec(QStringLiteral("insert into J_rzb(rzrq,czy) values('") +
                            dateTimeText(QDateTime::currentDateTime()) + QStringLiteral("',") +
                            quoted(Edit2->text()) + QStringLiteral(")"));
    accept();
}

void TForm37::BitBtn2Click()
{
    myvar::endProgram();
    reject();
}
