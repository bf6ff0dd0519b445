#include "master/EmployeeEntryScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/EmployeeListScreen.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

TForm52::TForm52(QWidget* parent, bool adding, ResultSet* listRows, const QString& department)
    : EntryScreen(parent, QStringLiteral("Form52"), QStringLiteral("职工信息录入"), adding, listRows),
      m_department(department)
{
    Edit1 = makeEdit(this, QStringLiteral("Edit1"), 4);
    Edit2 = makeEdit(this, QStringLiteral("Edit2"), 30);
    ComboBox1 = makeCombo(this, QStringLiteral("ComboBox1"), {QStringLiteral("男"), QStringLiteral("女")});
    Edit3 = makeEdit(this, QStringLiteral("Edit3"), 8);
    ComboBox2 = makeCombo(this, QStringLiteral("ComboBox2"),
                          {QStringLiteral("初中"), QStringLiteral("高中"), QStringLiteral("中专"), QStringLiteral("大专"),
                           QStringLiteral("本科"), QStringLiteral("研究生"), QStringLiteral("博士生"), QString()});
    Edit4 = makeEdit(this, QStringLiteral("Edit4"), 20);
    Edit5 = makeEdit(this, QStringLiteral("Edit5"), 6);
    Edit6 = makeEdit(this, QStringLiteral("Edit6"), 12);
    Edit7 = makeEdit(this, QStringLiteral("Edit7"), 12);
    Edit8 = makeEdit(this, QStringLiteral("Edit8"), 12);
    ComboBox1->setCurrentText(QStringLiteral("男"));
    ComboBox2->setCurrentText(QStringLiteral("初中"));

    const QList<QWidget*> fields = {Edit1, Edit2, ComboBox1, Edit3, ComboBox2, Edit4, Edit5, Edit6, Edit7, Edit8};
    const QStringList labels = {QStringLiteral("工号："),     QStringLiteral("姓名："), QStringLiteral("性别："),
                                QStringLiteral("年龄："),     QStringLiteral("学历："), QStringLiteral("身份证号："),
                                QStringLiteral("职务："),     QStringLiteral("手机："), QStringLiteral("住址："),
                                QStringLiteral("爱好：")};
    QGridLayout* grid = labelledFields(this, fields, labels, 5);
    layOutEntry(grid, QStringLiteral("取消"));
    limitToColumns(QStringLiteral("J_zgb"), {{Edit1, "gh"}, {Edit2, "xm"}, {ComboBox1, "xb"}, {Edit3, "nl"},
                                             {ComboBox2, "xl"}, {Edit4, "sfzh"}, {Edit5, "zw"}, {Edit6, "sj"},
                                             {Edit7, "zz"}, {Edit8, "ah"}});

    onClick(BitBtn1, this, &TForm52::BitBtn1Click);
    onExit(Edit1, this, &TForm52::Edit1Exit);
}

void TForm52::FormShow()
{
    if (m_adding) {
        Edit1->setEnabled(true);
        return;
    }
    // An empty list leaves the fields empty; "确定" then does nothing.
    if (m_listRows && !m_listRows->isEmpty()) {
        auto text = [this](const char* heading) { return m_listRows->text(QString::fromUtf8(heading)); };
        Edit1->setText(text("工号"));
        Edit2->setText(text("姓名"));
        ComboBox1->setCurrentText(text("性别"));
        Edit3->setText(text("年龄"));
        ComboBox2->setCurrentText(text("学历"));
        Edit4->setText(text("身份证号"));
        Edit5->setText(text("职务"));
        Edit6->setText(text("手机"));
        Edit7->setText(text("住址"));
        Edit8->setText(text("爱好"));
    } else {
        ComboBox1->setCurrentText(QString());
        ComboBox2->setCurrentText(QString());
    }
    Edit1->setEnabled(false);
}

void TForm52::Edit1Exit()
{
    if (!m_adding)
        return;
    ResultSet rs;
    rs.open(QStringLiteral("select * from J_zgb where gh=") + quoted(Edit1->text()));
    if (!rs.isEmpty())
        showInfo(this, QStringLiteral("该工号已存在，请重新输入"));
}

void TForm52::setFields(ResultSet& rs)
{
    rs.setValue(QStringLiteral("姓名"), Edit2->text());
    rs.setValue(QStringLiteral("性别"), ComboBox1->currentText());
    rs.setValue(QStringLiteral("年龄"), Edit3->text());
    rs.setValue(QStringLiteral("学历"), ComboBox2->currentText());
    rs.setValue(QStringLiteral("身份证号"), Edit4->text());
    rs.setValue(QStringLiteral("职务"), Edit5->text());
    rs.setValue(QStringLiteral("手机"), Edit6->text());
    rs.setValue(QStringLiteral("住址"), Edit7->text());
    rs.setValue(QStringLiteral("爱好"), Edit8->text());
}

void TForm52::BitBtn1Click()
{
    if (Edit1->text().isEmpty())
        return;
    const QString firstLine = QStringLiteral(
        "select gh as 工号,xm as 姓名,bmmc as 部门名称,xb as 性别,nl as 年龄,xl as 学历,sfzh as 身份证号,zw as 职务,sj as 手机,");
    try {
        ResultSet rs;
        if (m_adding) {
            rs.open(firstLine + u'\n' + TForm51::listQuery2);
            rs.append();
            rs.setValue(QStringLiteral("工号"), Edit1->text());
            rs.setValue(QStringLiteral("部门名称"), m_department);
        } else {
            const QString number = m_listRows->text(QStringLiteral("工号"));
            rs.open(firstLine + u'\n' + TForm51::listQuery2 + u'\n' + QStringLiteral("where gh=") + quoted(number));
            rs.edit();
        }
        setFields(rs);
        rs.post(); // a refused row is dropped with the set
    } catch (const AppError&) {
        showInfo(this, m_adding ? QStringLiteral("添加数据错误！！") : QStringLiteral("修改数据错误！！"));
    }
    close();
}
