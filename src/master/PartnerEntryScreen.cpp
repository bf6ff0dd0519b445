#include "master/PartnerEntryScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/PartnerListScreen.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
// Headings of the list, in the order of Edit1..Edit12.
const QStringList kHeadings = {
    QStringLiteral("客户代码"), QStringLiteral("客户名称"), QStringLiteral("联系人"),   QStringLiteral("地址"),
    QStringLiteral("邮编"),     QStringLiteral("电话"),     QStringLiteral("手机"),     QStringLiteral("传真"),
    QStringLiteral("电子邮件"), QStringLiteral("网址"),     QStringLiteral("开户行"),   QStringLiteral("银行帐号"),
};
} // namespace

TForm5::TForm5(QWidget* parent, bool adding, ResultSet* listRows, const QString& className, const QString& subClass)
    : EntryScreen(parent, QStringLiteral("Form5"), QStringLiteral("客户信息"), adding, listRows),
      m_className(className), m_subClass(subClass)
{
    struct Field {
        QLineEdit** edit;
        const char* label;
        int maxLength;
    };
    const Field fields[] = {
        {&Edit1, "客户代码：", 4},  {&Edit2, "客户名称：", 30}, {&Edit3, "联系人：", 8},
        {&Edit4, "地址：", 20},     {&Edit5, "邮编：", 6},      {&Edit6, "电话：", 12},
        {&Edit7, "手机：", 12},     {&Edit8, "传真：", 12},     {&Edit9, "电子邮件：", 30},
        {&Edit10, "网址：", 30},    {&Edit11, "开户行：", 30},  {&Edit12, "银行帐号：", 20},
    };
    QList<QWidget*> edits;
    QStringList labels;
    for (int i = 0; i < 12; ++i) {
        *fields[i].edit = makeEdit(this, QStringLiteral("Edit%1").arg(i + 1), fields[i].maxLength);
        edits << *fields[i].edit;
        labels << QString::fromUtf8(fields[i].label);
    }
    QGridLayout* grid = labelledFields(this, edits, labels, 6);
    layOutEntry(grid, QStringLiteral("取消"));
    limitToColumns(QStringLiteral("J_khb"),
                   {{Edit1, "khdm"}, {Edit2, "khmc"}, {Edit3, "lxr"}, {Edit4, "dz"}, {Edit5, "yb"}, {Edit6, "dh"},
                    {Edit7, "sj"}, {Edit8, "cz"}, {Edit9, "dzyj"}, {Edit10, "wz"}, {Edit11, "khh"}, {Edit12, "yhzh"}});

    onClick(BitBtn1, this, &TForm5::BitBtn1Click);
    onExit(Edit1, this, &TForm5::Edit1Exit);
}

QList<QLineEdit*> TForm5::edits() const
{
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12};
}

void TForm5::FormShow()
{
    if (m_adding) {
        Edit1->setEnabled(true);
        return;
    }
    // An empty list leaves the fields empty; "确定" then does nothing.
    if (m_listRows && !m_listRows->isEmpty()) {
        const QList<QLineEdit*> all = edits();
        for (int i = 0; i < all.size(); ++i)
            all[i]->setText(m_listRows->text(kHeadings[i]));
    }
    Edit1->setEnabled(false);
}

void TForm5::Edit1Exit()
{
    if (!m_adding)
        return;
    ResultSet rs;
    rs.open(QStringLiteral("select * from J_khb where khdm=") + quoted(Edit1->text()));
    if (!rs.isEmpty())
        showInfo(this, QStringLiteral("该客户代码已存在！"));
}

void TForm5::BitBtn1Click()
{
    if (Edit1->text().isEmpty())
        return;
    try {
        if (m_adding)
            addPartner();
        else
            editPartner();
    } catch (const AppError&) {
        showInfo(this, m_adding ? QStringLiteral("添加数据错误！！") : QStringLiteral("修改数据错误！！"));
    }
    close();
}

void TForm5::addPartner()
{
    ResultSet rs;
    rs.open(QStringLiteral("select khdm as 客户代码,khmc as 客户名称,lb1 as 类别1,lb2 as 类别2,lxr as 联系人,dz as 地址,yb as 邮编,dh as 电话,\n")
            + TForm4::listQuery2 + QStringLiteral(" order by khmc"));
    rs.append();
    const QList<QLineEdit*> all = edits();
    rs.setValue(kHeadings[0], Edit1->text());
    rs.setValue(kHeadings[1], Edit2->text());
    rs.setValue(QStringLiteral("类别1"), m_className);
    rs.setValue(QStringLiteral("类别2"), m_subClass);
    for (int i = 2; i < all.size(); ++i)
        rs.setValue(kHeadings[i], all[i]->text());
    rs.post(); // a refused row is dropped with the set
}

void TForm5::editPartner()
{
    const QString code = m_listRows->text(kHeadings[0]);
    ResultSet rs;
    rs.open(TForm4::listQuery1 + u'\n' + TForm4::listQuery2 + u' ' + u'\n' + QStringLiteral(" where khdm=") + quoted(code));
    rs.edit();
    const QList<QLineEdit*> all = edits();
    for (int i = 0; i < all.size(); ++i)
        rs.setValue(kHeadings[i], all[i]->text());
    rs.post();
}
