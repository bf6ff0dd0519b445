#include "master/CompanyScreen.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "master/CodeListGroup.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StatusBar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
// J_yhb's columns in the order of Edit1 to Edit8.
const char* const kCompanyColumns[] = {"yhmc", "dz", "dh1", "dh2", "lxr", "yb", "yx", "wz"};

// A grid with its three buttons under it in a group box.
void layOutList(QGroupBox* group, DBGrid* grid, std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    for (QPushButton* b : buttons)
        row->addWidget(b);
    auto* box = new QVBoxLayout(group);
    box->addWidget(grid, 1);
    box->addLayout(row);
}
} // namespace

TForm3::TForm3(QWidget* parent) : Screen(parent, QStringLiteral("Form3"), QStringLiteral("基本信息设置"))
{
    GroupBox1 = makeGroup(this, QStringLiteral("GroupBox1"), QStringLiteral(" 用户信息 "));
    auto* fields = new QGridLayout(GroupBox1);
    const QStringList labels = {QStringLiteral("用户名称"), QStringLiteral("地址"), QStringLiteral("电话1"),
                                QStringLiteral("电话2"),    QStringLiteral("联系人"), QStringLiteral("邮编"),
                                QStringLiteral("邮箱"),     QStringLiteral("网址")};
    QLineEdit** edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8};
    for (int i = 0; i < 8; ++i) {
        *edits[i] = makeEdit(GroupBox1, QStringLiteral("Edit%1").arg(i + 1));
        fields->addWidget(makeLabel(GroupBox1, QStringLiteral("Label%1").arg(i + 1), labels[i]), i / 2, (i % 2) * 2);
        fields->addWidget(*edits[i], i / 2, (i % 2) * 2 + 1);
    }
    // A longer text would make the save on closing fail and lose every edit of the visit.
    limitToColumns(QStringLiteral("J_yhb"), {{Edit1, "yhmc"}, {Edit2, "dz"}, {Edit3, "dh1"}, {Edit4, "dh2"},
                                             {Edit5, "lxr"}, {Edit6, "yb"}, {Edit7, "yx"}, {Edit8, "wz"}});

    GroupBox2 = makeGroup(this, QStringLiteral("GroupBox2"), QStringLiteral("结算方式"));
    GroupBox3 = makeGroup(this, QStringLiteral("GroupBox3"), QStringLiteral("收款类别"));
    GroupBox4 = makeGroup(this, QStringLiteral("GroupBox4"), QStringLiteral("付款类别"));
    DBGrid1 = new DBGrid(GroupBox2, QStringLiteral("DBGrid1"));
    DBGrid2 = new DBGrid(GroupBox3, QStringLiteral("DBGrid2"));
    DBGrid3 = new DBGrid(GroupBox4, QStringLiteral("DBGrid3"));
    QPushButton** buttons[] = {&BitBtn1, &BitBtn2, &BitBtn3, &BitBtn4, &BitBtn5, &BitBtn6, &BitBtn7, &BitBtn8, &BitBtn9};
    QGroupBox* groups[] = {GroupBox2, GroupBox3, GroupBox4};
    const QString captions[] = {QStringLiteral("添加"), QStringLiteral("修改"), QStringLiteral("删除")};
    for (int i = 0; i < 9; ++i)
        *buttons[i] = makeButton(groups[i / 3], QStringLiteral("BitBtn%1").arg(i + 1), captions[i % 3]);
    BitBtn10 = makeButton(GroupBox4, QStringLiteral("BitBtn10"), QStringLiteral("退出"));
    layOutList(GroupBox2, DBGrid1, {BitBtn1, BitBtn2, BitBtn3});
    layOutList(GroupBox3, DBGrid2, {BitBtn4, BitBtn5, BitBtn6});
    layOutList(GroupBox4, DBGrid3, {BitBtn7, BitBtn8, BitBtn9, BitBtn10});

    auto* lists = new QHBoxLayout;
    for (QGroupBox* g : groups)
        lists->addWidget(g);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(lists, 1);
    StatusBar1 = addStatusBar(this, false);
    resize(760, 480);

    m_settlement = new CodeListGroup(
        this, DBGrid1, BitBtn1, BitBtn2, BitBtn3, BitBtn7,
        {QStringLiteral("select bh as 编号,jsfs as 结算方式 from J_jsfsb"), QStringLiteral("结算方式表添加错误！！"),
         QStringLiteral("确定将删除结算方式: "), QStringLiteral("J_jsfsb"), QString()});
    m_receipt = new CodeListGroup(
        this, DBGrid2, BitBtn4, BitBtn5, BitBtn6, BitBtn10,
        {QStringLiteral("select bh as 编号,sklb as 收款类别 from J_sklbb"), QStringLiteral("收款信息表添加错误！！"),
         QStringLiteral("确定将删除收款类别: "), QStringLiteral("J_sklbb"), QString()});
    m_payment = new CodeListGroup(
        this, DBGrid3, BitBtn7, BitBtn8, BitBtn9, BitBtn10,
        {QStringLiteral("select bh as 编号,fklb as 付款类别 from J_fklbb"), QStringLiteral("付款类别表添加错误！！"),
         QStringLiteral("确定将删除付款类别: "), QStringLiteral("J_fklbb"), QString()});

    connect(BitBtn10, &QPushButton::clicked, this, &QDialog::close);
}

QLineEdit* TForm3::companyEdit(int i) const
{
    QLineEdit* const edits[] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8};
    return edits[i];
}

void TForm3::FormShow()
{
    ResultSet company;
    company.open(QStringLiteral("select yhmc,dz,dh1,dh2,lxr,yb,yx,wz from J_yhb"));
    if (!company.isEmpty())
        for (int i = 0; i < 8; ++i)
            companyEdit(i)->setText(company.text(QString::fromLatin1(kCompanyColumns[i])));
    m_loaded = true;
    m_settlement->open();
    m_receipt->open();
    m_payment->open();
    StatusBar1->fill();
}

// The company information has no save button: every closing saves it.
void TForm3::FormClose()
{
    m_settlement->abandon();
    m_receipt->abandon();
    m_payment->abandon();
    // Fields that were never filled from the row must not blank it.
    if (!m_loaded)
        return;
    ResultSet company;
    try {
        company.open(QStringLiteral("select * from J_yhb"));
        if (company.isEmpty())
            company.append();
        else
            company.edit();
        for (int i = 0; i < 8; ++i)
            company.setValue(QString::fromLatin1(kCompanyColumns[i]), companyEdit(i)->text());
        company.post();
    } catch (const AppError&) {
        if (company.isActive())
            company.cancel();
        showInfo(this, QStringLiteral("用户信息保存失败!"));
    }
}

void TForm3::done(int result)
{
    if (wasShown() && !m_closed) {
        m_closed = true;
        guarded(this, [this] { FormClose(); });
    }
    QDialog::done(result);
}
