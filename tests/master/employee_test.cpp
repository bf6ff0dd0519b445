// The department tree and employee list TForm51, and the employee dialog TForm52.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/EmployeeEntryScreen.h"
#include "master/EmployeeListScreen.h"
#include "master/TreeFile.h"
#include "widgets/DBGrid.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {
const QString kRoot = QStringLiteral("公司部门");
const QString kGeneral = QStringLiteral("综合部门");
const QString kSales = QStringLiteral("销售部");

QLineEdit* edit(QWidget* dialog, int n)
{
    return child<QLineEdit>(dialog, QStringLiteral("Edit%1").arg(n));
}

QComboBox* combo(QWidget* dialog, int n)
{
    return child<QComboBox>(dialog, QStringLiteral("ComboBox%1").arg(n));
}

class EmployeeTest : public InitializedDbTest {
protected:
    void SetUp() override
    {
        InitializedDbTest::SetUp();
        treefile::write(treefile::departmentFile(), {{0, kRoot}, {1, kGeneral}, {1, kSales}});
        insert(QStringLiteral("01"), QStringLiteral("张三"), kGeneral);
        insert(QStringLiteral("02"), QStringLiteral("李四"), kSales);
        insert(QStringLiteral("03"), QStringLiteral("张五"), kSales);
    }

    static void insert(const QString& number, const QString& name, const QString& department)
    {
        Database::shared().exec(QStringLiteral("insert into J_zgb(gh,xm,bmmc,xb,xl) values(%1,%2,%3,'女','本科')")
                                    .arg(quoted(number), quoted(name), quoted(department)));
    }

    void open()
    {
        m_list = std::make_unique<TForm51>();
        m_list->show();
    }

    QTreeWidget* tree() const { return child<QTreeWidget>(m_list.get(), QStringLiteral("TreeView1")); }
    DBGrid* grid() const { return child<DBGrid>(m_list.get(), QStringLiteral("DBGrid1")); }
    QStringList shownNumbers() const
    {
        QStringList numbers = columnTexts(grid(), 0);
        numbers.sort();
        return numbers;
    }

    void select(const QStringList& path)
    {
        QTreeWidgetItem* item = tree()->topLevelItem(0);
        ASSERT_EQ(item->text(0), path.first());
        for (const QString& name : path.mid(1)) {
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < item->childCount() && !next; ++i)
                if (item->child(i)->text(0) == name)
                    next = item->child(i);
            ASSERT_NE(next, nullptr) << name.toStdString();
            item = next;
        }
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
        ASSERT_EQ(tree()->selectedItems(), QList<QTreeWidgetItem*>{item});
    }

    void clickRowOf(const QString& number)
    {
        const int row = columnTexts(grid(), 0).indexOf(number);
        ASSERT_GE(row, 0) << number.toStdString();
        clickCell(grid(), row);
    }

    // "gh xm bmmc xb nl xl" of a stored employee; empty when there is none.
    static QString stored(const QString& number)
    {
        ResultSet rs;
        rs.open(QStringLiteral("select * from J_zgb where gh=") + quoted(number));
        if (rs.isEmpty())
            return QString();
        QStringList v;
        for (const char* c : {"gh", "xm", "bmmc", "xb", "nl", "xl"})
            v << rs.text(QString::fromLatin1(c));
        return v.join(u' ');
    }

    static int employeeCount()
    {
        ResultSet rs;
        rs.open(QStringLiteral("select count(*) as n from J_zgb"));
        return int(rs.number(QStringLiteral("n")));
    }

    void withEntry(const QString& button, std::function<void(QWidget*)> handler,
                   std::function<void(ModalScript&)> then = {})
    {
        ModalScript script;
        script.onDialog(QStringLiteral("TForm52"), std::move(handler));
        if (then)
            then(script);
        click(m_list.get(), button);
        script.verify();
    }

    std::unique_ptr<TForm51> m_list;
};
} // namespace

TEST_F(EmployeeTest, WithoutATreeFileTheTreeHasTheGeneralDepartment)
{
    QFile::remove(treefile::departmentFile());
    open();
    EXPECT_EQ(m_list->windowTitle(), QStringLiteral("部门、职工设置"));
    EXPECT_EQ(treefile::linesOf(tree()), (TreeLines{{0, kRoot}, {1, kGeneral}}));
    EXPECT_EQ(shownNumbers(), (QStringList{"01", "02", "03"}));
    QStringList headings;
    for (int c = 0; c < grid()->model()->columnCount(); ++c)
        headings << grid()->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(headings, (QStringList{"工号", "姓名", "性别", "年龄", "学历", "身份证号", "职务", "手机", "住址", "爱好"}));
}

TEST_F(EmployeeTest, TheSelectedDepartmentChoosesTheRows)
{
    open();
    select({kRoot, kSales});
    EXPECT_EQ(shownNumbers(), (QStringList{"02", "03"}));
    select({kRoot, kGeneral});
    EXPECT_EQ(shownNumbers(), QStringList{"01"});
    select({kRoot});
    EXPECT_EQ(shownNumbers(), (QStringList{"01", "02", "03"}));
}

TEST_F(EmployeeTest, TheRootIsNoDepartment)
{
    struct Case {
        bool selectRoot;
        const char* action;
        const char* text;
    };
    const Case cases[] = {
        {true, "BitBtn1", "请选择具体公司部门"},  {false, "BitBtn1", "请选择具体公司部门"},
        {true, "BitBtn2", "请选择具体公司部门"},  {false, "BitBtn2", "请选择具体公司部门"},
        {true, "BitBtn3", "请选择具体公司部门"},  {true, "N2", "请直接选择公司部门"},
        {false, "N2", "请直接选择公司部门"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.action) + (c.selectRoot ? " on the root" : " on no node"));
        open();
        if (c.selectRoot)
            select({kRoot});
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QString::fromUtf8(c.text));
        if (c.action[0] == 'N')
            clickMenu(m_list.get(), QString::fromLatin1(c.action));
        else
            click(m_list.get(), QString::fromLatin1(c.action));
        script.verify();
        EXPECT_EQ(employeeCount(), 3);
        EXPECT_EQ(treefile::linesOf(tree()).size(), 3);
        m_list->close();
    }
}

TEST_F(EmployeeTest, AnEmployeeIsAddedToTheSelectedDepartment)
{
    open();
    select({kRoot, kGeneral});
    withEntry(QStringLiteral("BitBtn1"), [](QWidget* d) {
        EXPECT_EQ(combo(d, 1)->currentText(), QStringLiteral("男"));
        EXPECT_EQ(combo(d, 2)->currentText(), QStringLiteral("初中"));
        EXPECT_EQ(combo(d, 2)->count(), 8);
        type(edit(d, 1), QStringLiteral("04"));
        leave(edit(d, 1)); // a new number: no box
        type(edit(d, 2), QStringLiteral("王's"));
        choose(combo(d, 2), QStringLiteral("大专"));
        type(edit(d, 3), QStringLiteral("30"));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(stored(QStringLiteral("04")), QStringLiteral("04 王's 综合部门 男 30 大专"));
    EXPECT_EQ(shownNumbers(), (QStringList{"01", "04"}));
}

TEST_F(EmployeeTest, ANodeBelowADepartmentTakesEmployeesUnderItsOwnName)
{
    const QString team = QStringLiteral("一组");
    treefile::write(treefile::departmentFile(), {{0, kRoot}, {1, kGeneral}, {1, kSales}, {2, team}});
    open();
    select({kRoot, kSales, team});
    withEntry(QStringLiteral("BitBtn1"), [](QWidget* d) {
        type(edit(d, 1), QStringLiteral("05"));
        type(edit(d, 2), QStringLiteral("赵六"));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(stored(QStringLiteral("05")), QStringLiteral("05 赵六 一组 男  初中"));
}

TEST_F(EmployeeTest, RefusedSavesShowTheDialogsMessageAndWriteNothing)
{
    struct Case {
        const char* what;
        QString number;
        QString name;
        QString age;
        bool duplicate;
    };
    const Case cases[] = {
        {"duplicate number", QStringLiteral("01"), QStringLiteral("冒名"), QString(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        select({kRoot, kSales});
        withEntry(
            QStringLiteral("BitBtn1"),
            [&c](QWidget* d) {
                type(edit(d, 1), c.number);
                leave(edit(d, 1));
                type(edit(d, 2), c.name);
                type(edit(d, 3), c.age);
                click(d, QStringLiteral("BitBtn1"));
            },
            [&c](ModalScript& s) {
                if (c.duplicate)
                    s.expectBox(QStringLiteral("提示"), QStringLiteral("该工号已存在，请重新输入"));
                s.expectBox(QStringLiteral("提示"), QStringLiteral("添加数据错误！！"));
            });
        EXPECT_EQ(employeeCount(), 3);
        EXPECT_EQ(stored(QStringLiteral("01")), QStringLiteral("01 张三 综合部门 女  本科"));
        m_list->close();
    }
}

TEST_F(EmployeeTest, EditingKeepsTheNumberAndTheDepartment)
{
    open();
    select({kRoot, kSales});
    clickRowOf(QStringLiteral("02"));
    withEntry(QStringLiteral("BitBtn2"), [](QWidget* d) {
        EXPECT_FALSE(edit(d, 1)->isEnabled());
        EXPECT_EQ(edit(d, 1)->text(), QStringLiteral("02"));
        EXPECT_EQ(edit(d, 2)->text(), QStringLiteral("李四"));
        EXPECT_EQ(combo(d, 1)->currentText(), QStringLiteral("女"));
        EXPECT_EQ(combo(d, 2)->currentText(), QStringLiteral("本科"));
        type(edit(d, 2), QStringLiteral("李四'"));
        choose(combo(d, 1), QStringLiteral("男"));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(stored(QStringLiteral("02")), QStringLiteral("02 李四' 销售部 男  本科"));

    // Texts are cut at their columns' widths as they are typed: 姓名 holds 10, 年龄 2.
    clickRowOf(QStringLiteral("02"));
    withEntry(QStringLiteral("BitBtn2"), [](QWidget* d) {
        type(edit(d, 2), QStringLiteral("一二三四五六七八九十十"));
        type(edit(d, 3), QStringLiteral("123"));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(stored(QStringLiteral("02")), QStringLiteral("02 一二三四五六七八九十 销售部 男 12 本科"));
}

TEST_F(EmployeeTest, EditingOnAnEmptyListOpensEmptyFieldsAndOkDoesNothing)
{
    open();
    select({kRoot});
    clickMenu(m_list.get(), QStringLiteral("N1"));
    // The new node opens for its name; Enter keeps the one offered.
    auto* editor = tree()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    select({kRoot, QStringLiteral("新公司部门")});
    ASSERT_TRUE(columnTexts(grid(), 0).isEmpty());
    withEntry(QStringLiteral("BitBtn2"), [](QWidget* d) {
        EXPECT_FALSE(edit(d, 1)->isEnabled());
        EXPECT_EQ(edit(d, 1)->text(), QString());
        EXPECT_EQ(edit(d, 2)->text(), QString());
        click(d, QStringLiteral("BitBtn1"));
        EXPECT_TRUE(d->isVisible());
        click(d, QStringLiteral("BitBtn2"));
    });
    EXPECT_EQ(employeeCount(), 3);
}

TEST_F(EmployeeTest, DeletingAnEmployeeAsks)
{
    open();
    select({kRoot, kSales});
    clickRowOf(QStringLiteral("03"));
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除职工：张五 信息吗?"), QMessageBox::Cancel,
                         QMessageBox::Warning);
        click(m_list.get(), QStringLiteral("BitBtn3"));
    }
    EXPECT_EQ(employeeCount(), 3);
    clickRowOf(QStringLiteral("03"));
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除职工：张五 信息吗?"), QMessageBox::Ok,
                         QMessageBox::Warning);
        click(m_list.get(), QStringLiteral("BitBtn3"));
    }
    EXPECT_EQ(stored(QStringLiteral("03")), QString());
    EXPECT_EQ(shownNumbers(), QStringList{"02"});
}

TEST_F(EmployeeTest, SearchingListsEveryNamedEmployeeContainingTheText)
{
    Database::shared().exec(QStringLiteral("insert into J_zgb(gh,bmmc) values('09','销售部')")); // no name
    open();
    auto search = [this](std::optional<QString> text) {
        ModalScript script;
        script.answerInput(QStringLiteral("查找职工"), QStringLiteral("请输入职工姓名:       "), text);
        click(m_list.get(), QStringLiteral("BitBtn6"));
        script.verify();
    };
    search(QStringLiteral("张"));
    EXPECT_EQ(shownNumbers(), (QStringList{"01", "03"}));
    search(QString());
    EXPECT_EQ(shownNumbers(), (QStringList{"01", "02", "03"}));
    search(QStringLiteral("'"));
    EXPECT_TRUE(shownNumbers().isEmpty());
}

TEST_F(EmployeeTest, DeletingADepartmentWithOkDeletesItsEmployees)
{
    open();
    select({kRoot, kGeneral});
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除综合部门的信息吗?"), QMessageBox::Cancel,
                         QMessageBox::Warning);
        clickMenu(m_list.get(), QStringLiteral("N2"));
    }
    EXPECT_EQ(employeeCount(), 3);
    EXPECT_EQ(treefile::linesOf(tree()).size(), 3);
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除综合部门的信息吗?"), QMessageBox::Ok,
                         QMessageBox::Warning);
        clickMenu(m_list.get(), QStringLiteral("N2"));
    }
    EXPECT_EQ(stored(QStringLiteral("01")), QString());
    EXPECT_EQ(employeeCount(), 2);
    EXPECT_EQ(treefile::linesOf(tree()), (TreeLines{{0, kRoot}, {1, kSales}}));
    ASSERT_EQ(tree()->selectedItems().size(), 1);
    EXPECT_EQ(tree()->selectedItems().first()->text(0), kSales);
    EXPECT_EQ(shownNumbers(), (QStringList{"02", "03"}));
}

TEST_F(EmployeeTest, NewDepartmentsGoUnderTheRootAndSurviveClosing)
{
    open();
    select({kRoot, kSales});
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("请正确选择：公司部门"));
        clickMenu(m_list.get(), QStringLiteral("N1"));
    }
    select({kRoot});
    clickMenu(m_list.get(), QStringLiteral("N1"));
    EXPECT_EQ(treefile::linesOf(tree()).last(), (TreeLine{1, QStringLiteral("新公司部门")}));
    m_list->close();
    EXPECT_EQ(treefile::read(treefile::departmentFile()),
              (TreeLines{{0, kRoot}, {1, kGeneral}, {1, kSales}, {1, QStringLiteral("新公司部门")}}));
}
