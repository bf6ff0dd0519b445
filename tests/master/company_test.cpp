// TForm3: the company information saved on closing, and the three code lists edited in
// their grids (settlement methods, receipt and payment categories).
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "code_list_fixture.h"

#include "db/ProgramState.h"
#include "app/MenuTable.h"
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/CompanyScreen.h"
#include "widgets/DBGrid.h"
#include "widgets/StatusBar.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sqlite3.h>

#include <memory>

namespace {

using namespace codelist;

struct Group {
    const char* grid;
    const char* add;    // add/save
    const char* edit;   // edit/restore
    const char* remove;
    const char* locked; // disabled while the group adds or edits
    const char* table;
    const char* column;
    const char* saveError;
    const char* question; // name and " 吗？" follow
};

const Group kGroups[] = {
    {"DBGrid1", "BitBtn1", "BitBtn2", "BitBtn3", "BitBtn7", "J_jsfsb", "jsfs", "结算方式表添加错误！！", "确定将删除结算方式: "},
    {"DBGrid2", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn10", "J_sklbb", "sklb", "收款信息表添加错误！！", "确定将删除收款类别: "},
    {"DBGrid3", "BitBtn7", "BitBtn8", "BitBtn9", "BitBtn10", "J_fklbb", "fklb", "付款类别表添加错误！！", "确定将删除付款类别: "},
};

class CompanyScreen : public InitializedDbTest {
protected:
    static std::unique_ptr<TForm3> open()
    {
        auto screen = std::make_unique<TForm3>();
        screen->show();
        return screen;
    }

    static QString company(const char* column)
    {
        ResultSet rs;
        rs.open(QStringLiteral("select %1 from J_yhb").arg(u(column)));
        return rs.text(u(column));
    }
};

} // namespace

TEST_F(CompanyScreen, OpensWithTheCompanyFieldsTheListsAndTheStatusBar)
{
    Database::shared().exec(QStringLiteral("update J_yhb set yhmc='岚桥商行',dz='青岛',wz='www.lq.cn'"));
    insert(kGroups[0], QStringLiteral("01"), QStringLiteral("现金"));
    insert(kGroups[2], QStringLiteral("01"), QStringLiteral("货款"));
    auto screen = open();
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("基本信息设置"));
    EXPECT_EQ(child<QLineEdit>(screen.get(), QStringLiteral("Edit1"))->text(), QStringLiteral("岚桥商行"));
    EXPECT_EQ(child<QLineEdit>(screen.get(), QStringLiteral("Edit2"))->text(), QStringLiteral("青岛"));
    EXPECT_EQ(child<QLineEdit>(screen.get(), QStringLiteral("Edit3"))->text(), QString());
    EXPECT_EQ(child<QLineEdit>(screen.get(), QStringLiteral("Edit8"))->text(), QStringLiteral("www.lq.cn"));

    auto* grid = child<DBGrid>(screen.get(), QStringLiteral("DBGrid1"));
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("编号"));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("结算方式"));
    EXPECT_EQ(shown(grid), QStringList{QStringLiteral("01 现金")});
    EXPECT_TRUE(grid->isReadOnly());
    EXPECT_EQ(shown(child<DBGrid>(screen.get(), QStringLiteral("DBGrid2"))), QStringList());
    EXPECT_EQ(shown(child<DBGrid>(screen.get(), QStringLiteral("DBGrid3"))), QStringList{QStringLiteral("01 货款")});
    EXPECT_EQ(child<StatusBar>(screen.get(), QStringLiteral("StatusBar1"))->panelText(1), myvar::operatorName);
    screen->close();
}

TEST_F(CompanyScreen, ClosingInAnyWaySavesTheCompanyInformation)
{
    {
        auto screen = open();
        type(child<QLineEdit>(screen.get(), QStringLiteral("Edit1")), QStringLiteral("王's 商行"));
        type(child<QLineEdit>(screen.get(), QStringLiteral("Edit6")), QStringLiteral("266000"));
        screen->close(); // the window's close box
    }
    EXPECT_EQ(company("yhmc"), QStringLiteral("王's 商行"));
    EXPECT_EQ(company("yb"), QStringLiteral("266000"));
    {
        auto screen = open();
        type(child<QLineEdit>(screen.get(), QStringLiteral("Edit5")), QStringLiteral("张三"));
        click(screen.get(), QStringLiteral("BitBtn10"));
        EXPECT_FALSE(screen->isVisible());
    }
    EXPECT_EQ(company("lxr"), QStringLiteral("张三"));
    EXPECT_EQ(company("yhmc"), QStringLiteral("王's 商行"));
}

// A text longer than its column is cut as it is typed, so the save on closing keeps every edit.
TEST_F(CompanyScreen, CompanyFieldsAreCutAtTheirColumnsAndEveryEditIsSaved)
{
    auto screen = open();
    type(child<QLineEdit>(screen.get(), QStringLiteral("Edit1")), QStringLiteral("新名称"));
    type(child<QLineEdit>(screen.get(), QStringLiteral("Edit5")), QStringLiteral("联系人的名字有十四个字那么长")); // holds 10
    type(child<QLineEdit>(screen.get(), QStringLiteral("Edit6")), QStringLiteral("1234567"));       // holds 6
    screen->close();
    EXPECT_EQ(company("yhmc"), QStringLiteral("新名称"));
    EXPECT_EQ(company("lxr"), QStringLiteral("联系人的名字有十四个"));
    EXPECT_EQ(company("yb"), QStringLiteral("123456"));
}

TEST_F(CompanyScreen, ARefusedCompanySaveSavesNothingButTheScreenCloses)
{
    Database::shared().exec(QStringLiteral("update J_yhb set yhmc='旧名称'"));
    auto screen = open();
    type(child<QLineEdit>(screen.get(), QStringLiteral("Edit1")), QStringLiteral("新名称"));
    ASSERT_EQ(sqlite3_exec(Database::shared().handle(),
                           "create trigger no_update before update on J_yhb begin select raise(abort, 'refused'); end",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ModalScript script;
    script.expectBox(QStringLiteral("提示"), QStringLiteral("用户信息保存失败!"));
    screen->close();
    script.verify();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(company("yhmc"), QStringLiteral("旧名称"));
}

TEST_F(CompanyScreen, AMissingCompanyRowIsInsertedOnClosing)
{
    Database::shared().exec(QStringLiteral("delete from J_yhb"));
    auto screen = open();
    type(child<QLineEdit>(screen.get(), QStringLiteral("Edit1")), QStringLiteral("岚桥"));
    screen->close();
    EXPECT_EQ(company("yhmc"), QStringLiteral("岚桥"));
}

TEST_F(CompanyScreen, AddingARowSavesItAndTheButtonsShowTheState)
{
    for (const Group& g : kGroups) {
        SCOPED_TRACE(g.table);
        insert(g, QStringLiteral("01"), QStringLiteral("旧"));
        auto screen = open();
        auto* grid = child<DBGrid>(screen.get(), u(g.grid));
        auto* add = child<QPushButton>(screen.get(), u(g.add));
        auto* edit = child<QPushButton>(screen.get(), u(g.edit));
        click(add);
        EXPECT_EQ(add->text(), QStringLiteral("保存"));
        EXPECT_EQ(edit->text(), QStringLiteral("恢复"));
        EXPECT_FALSE(child<QPushButton>(screen.get(), u(g.remove))->isEnabled());
        EXPECT_FALSE(child<QPushButton>(screen.get(), u(g.locked))->isEnabled());
        EXPECT_FALSE(grid->isReadOnly());
        ASSERT_EQ(grid->model()->rowCount(), 2);
        typeCell(grid, 1, 0, QStringLiteral("02"));
        typeCell(grid, 1, 1, QStringLiteral("王's 类别"));
        click(add);
        EXPECT_EQ(add->text(), QStringLiteral("添加"));
        EXPECT_EQ(edit->text(), QStringLiteral("修改"));
        EXPECT_TRUE(child<QPushButton>(screen.get(), u(g.remove))->isEnabled());
        EXPECT_TRUE(child<QPushButton>(screen.get(), u(g.locked))->isEnabled());
        EXPECT_TRUE(grid->isReadOnly());
        EXPECT_EQ(stored(g), (QStringList{QStringLiteral("01 旧"), QStringLiteral("02 王's 类别")}));
        screen->close();
    }
}

TEST_F(CompanyScreen, WhatIsStillTypedInTheCellIsSavedToo)
{
    auto screen = open();
    auto* grid = child<DBGrid>(screen.get(), QStringLiteral("DBGrid1"));
    click(screen.get(), QStringLiteral("BitBtn1"));
    typeCell(grid, 0, 0, QStringLiteral("01"));
    // The name cell is left open: "保存" is pressed while the operator is still typing.
    clickCell(grid, 0, 1);
    grid->edit(grid->currentIndex());
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("支票"));
    click(screen.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(stored(kGroups[0]), QStringList{QStringLiteral("01 支票")});
    screen->close();
}

TEST_F(CompanyScreen, ARowTheDatabaseRefusesShowsTheGroupsTextAndIsDropped)
{
    struct Case {
        const char* what;
        QString number;
        QString name;
    };
    const Case cases[] = {
        {"duplicate number", QStringLiteral("01"), QStringLiteral("重复")},
        {"empty number", QString(), QStringLiteral("无编号")},
        {"name longer than 10", QStringLiteral("02"), QStringLiteral("一二三四五六七八九十十")},
    };
    for (const Group& g : kGroups) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(g.table) + ": " + c.what);
            Database::shared().exec(QStringLiteral("delete from ") + u(g.table));
            insert(g, QStringLiteral("01"), QStringLiteral("原有"));
            auto screen = open();
            auto* grid = child<DBGrid>(screen.get(), u(g.grid));
            auto* add = child<QPushButton>(screen.get(), u(g.add));
            click(add);
            if (!c.number.isEmpty())
                typeCell(grid, 1, 0, c.number);
            typeCell(grid, 1, 1, c.name);
            ModalScript script;
            script.expectBox(QStringLiteral("提示"), u(g.saveError), QMessageBox::Ok, QMessageBox::Information);
            click(add);
            script.verify();
            EXPECT_EQ(add->text(), QStringLiteral("添加"));
            EXPECT_TRUE(child<QPushButton>(screen.get(), u(g.locked))->isEnabled());
            EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 原有")});
            EXPECT_EQ(shown(grid), QStringList{QStringLiteral("01 原有")});
            screen->close();
        }
    }
}

TEST_F(CompanyScreen, AnEditedRowTheDatabaseRefusesShowsTheSameTextAndKeepsTheSavedValues)
{
    for (const Group& g : kGroups) {
        SCOPED_TRACE(g.table);
        insert(g, QStringLiteral("01"), QStringLiteral("原有"));
        auto screen = open();
        auto* grid = child<DBGrid>(screen.get(), u(g.grid));
        click(screen.get(), u(g.edit));
        typeCell(grid, 0, 1, QStringLiteral("一二三四五六七八九十十")); // the name holds 10
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), u(g.saveError), QMessageBox::Ok, QMessageBox::Information);
        click(screen.get(), u(g.add));
        script.verify();
        EXPECT_EQ(child<QPushButton>(screen.get(), u(g.edit))->text(), QStringLiteral("修改"));
        EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 原有")});
        EXPECT_EQ(shown(grid), QStringList{QStringLiteral("01 原有")});
        screen->close();
    }
}

TEST_F(CompanyScreen, EditingSavesAndRestoringShowsTheSavedValues)
{
    const Group& g = kGroups[1];
    insert(g, QStringLiteral("01"), QStringLiteral("货款"));
    auto screen = open();
    auto* grid = child<DBGrid>(screen.get(), u(g.grid));
    auto* edit = child<QPushButton>(screen.get(), u(g.edit));

    click(edit);
    EXPECT_EQ(child<QPushButton>(screen.get(), u(g.add))->text(), QStringLiteral("保存"));
    EXPECT_EQ(edit->text(), QStringLiteral("恢复"));
    EXPECT_FALSE(child<QPushButton>(screen.get(), QStringLiteral("BitBtn10"))->isEnabled());
    typeCell(grid, 0, 1, QStringLiteral("预收款"));
    click(edit); // 恢复
    EXPECT_EQ(edit->text(), QStringLiteral("修改"));
    EXPECT_EQ(shown(grid), QStringList{QStringLiteral("01 货款")});
    EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 货款")});
    EXPECT_TRUE(child<QPushButton>(screen.get(), QStringLiteral("BitBtn10"))->isEnabled());

    click(edit);
    typeCell(grid, 0, 1, QStringLiteral("预收款"));
    click(screen.get(), u(g.add)); // 保存
    EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 预收款")});
    screen->close();
}

TEST_F(CompanyScreen, EditingAnEmptyListStartsANewRow)
{
    auto screen = open();
    auto* grid = child<DBGrid>(screen.get(), QStringLiteral("DBGrid3"));
    click(screen.get(), QStringLiteral("BitBtn8"));
    ASSERT_EQ(grid->model()->rowCount(), 1);
    typeCell(grid, 0, 0, QStringLiteral("01"));
    typeCell(grid, 0, 1, QStringLiteral("运费"));
    click(screen.get(), QStringLiteral("BitBtn7"));
    EXPECT_EQ(stored(kGroups[2]), QStringList{QStringLiteral("01 运费")});
    screen->close();
}

TEST_F(CompanyScreen, DeletingAsksAndTheRowDisappearsAtOnce)
{
    for (const Group& g : kGroups) {
        SCOPED_TRACE(g.table);
        insert(g, QStringLiteral("0'"), QStringLiteral("王's"));
        insert(g, QStringLiteral("02"), QStringLiteral("汇票"));
        auto screen = open();
        auto* grid = child<DBGrid>(screen.get(), u(g.grid));
        const int row = shown(grid).indexOf(QStringLiteral("0' 王's"));
        ASSERT_GE(row, 0);
        clickCell(grid, row);
        const QString question = u(g.question) + QStringLiteral("王's 吗？");
        {
            ModalScript script;
            script.expectBox(QStringLiteral("提示"), question, QMessageBox::Cancel, QMessageBox::Warning);
            click(screen.get(), u(g.remove));
        }
        EXPECT_EQ(stored(g).size(), 2);
        EXPECT_EQ(grid->model()->rowCount(), 2);
        clickCell(grid, row);
        {
            ModalScript script;
            script.expectBox(QStringLiteral("提示"), question, QMessageBox::Ok, QMessageBox::Warning);
            click(screen.get(), u(g.remove));
        }
        EXPECT_EQ(stored(g), QStringList{QStringLiteral("02 汇票")});
        EXPECT_EQ(shown(grid), QStringList{QStringLiteral("02 汇票")});
        screen->close();
    }
}

TEST_F(CompanyScreen, DeletingFromAnEmptyListDoesNothing)
{
    auto screen = open();
    click(screen.get(), QStringLiteral("BitBtn9")); // no box: an unexpected one fails the test
    screen->close();
}

TEST_F(CompanyScreen, ClosingWhileAddingDropsTheRowButSavesTheCompany)
{
    auto screen = open();
    auto* grid = child<DBGrid>(screen.get(), QStringLiteral("DBGrid2"));
    click(screen.get(), QStringLiteral("BitBtn4"));
    EXPECT_FALSE(child<QPushButton>(screen.get(), QStringLiteral("BitBtn10"))->isEnabled());
    typeCell(grid, 0, 0, QStringLiteral("01"));
    typeCell(grid, 0, 1, QStringLiteral("货款"));
    type(child<QLineEdit>(screen.get(), QStringLiteral("Edit1")), QStringLiteral("岚桥"));
    screen->close(); // the close box still closes
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(stored(kGroups[1]).isEmpty());
    EXPECT_EQ(company("yhmc"), QStringLiteral("岚桥"));
}

// The menu entries of the master-data screens of this folder open them modally.
TEST_F(CompanyScreen, MenuEntriesOpenTheirScreens)
{
    const std::pair<const char*, const char*> entries[] = {
        {"N2", "TForm3"}, {"N16", "TForm20"}, {"N33", "TForm51"}, {"N4", "TForm4"}};
    for (const auto& [entry, screen] : entries) {
        SCOPED_TRACE(entry);
        OpenScreen open = screenFor(QString::fromLatin1(entry));
        ASSERT_NE(open, nullptr);
        ModalScript script;
        script.onDialog(QString::fromLatin1(screen), [](QWidget* d) { d->close(); });
        open(nullptr);
        script.verify();
    }
}

TEST_F(CompanyScreen, EnterInACompanyFieldPressesNoButton)
{
    auto screen = open();
    auto* name = child<QLineEdit>(screen.get(), QStringLiteral("Edit1"));
    type(name, QStringLiteral("岚桥"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(child<QPushButton>(screen.get(), QStringLiteral("BitBtn1"))->text(), QStringLiteral("添加"));
    EXPECT_TRUE(screen->isVisible());
    screen->close();
}
