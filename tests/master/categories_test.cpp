// TForm20: the stock-in, stock-out, expense and loss category lists edited in their grids.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "code_list_fixture.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/CategoryScreen.h"
#include "widgets/DBGrid.h"

#include <QPushButton>
#include <QTest>

#include <sqlite3.h>

#include <memory>

namespace {

using namespace codelist;

struct Group {
    const char* grid;
    const char* add;
    const char* edit;
    const char* remove;
    const char* table;
    const char* column;
    const char* heading;
    const char* kind; // as the messages name it
};

const Group kGroups[] = {
    {"DBGrid1", "BitBtn1", "BitBtn2", "BitBtn3", "J_rklbb", "rklb", "入库类别", "入库类别"},
    {"DBGrid2", "BitBtn4", "BitBtn5", "BitBtn6", "J_cklbb", "cklb", "出库类别", "出库类别"},
    {"DBGrid3", "BitBtn7", "BitBtn8", "BitBtn9", "J_zclbb", "zclb", "支出类别", "支出类别"},
    {"DBGrid4", "BitBtn10", "BitBtn11", "BitBtn12", "J_bslbb", "bslb", "报损类别", "报损类别"},
};

class CategoryScreen : public InitializedDbTest {
protected:
    static std::unique_ptr<TForm20> open()
    {
        auto screen = std::make_unique<TForm20>();
        screen->show();
        return screen;
    }
};

} // namespace

TEST_F(CategoryScreen, EachGroupAddsEditsAndRestoresItsOwnList)
{
    for (const Group& g : kGroups) {
        SCOPED_TRACE(g.table);
        auto screen = open();
        auto* grid = child<DBGrid>(screen.get(), u(g.grid));
        auto* add = child<QPushButton>(screen.get(), u(g.add));
        auto* edit = child<QPushButton>(screen.get(), u(g.edit));
        auto* exit = child<QPushButton>(screen.get(), QStringLiteral("BitBtn13"));
        EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), u(g.heading));

        click(add);
        EXPECT_EQ(add->text(), QStringLiteral("保存"));
        EXPECT_EQ(edit->text(), QStringLiteral("恢复"));
        EXPECT_FALSE(exit->isEnabled());
        EXPECT_FALSE(child<QPushButton>(screen.get(), u(g.remove))->isEnabled());
        typeCell(grid, 0, 0, QStringLiteral("01"));
        typeCell(grid, 0, 1, QStringLiteral("王's 类别"));
        click(add);
        EXPECT_EQ(add->text(), QStringLiteral("添加"));
        EXPECT_TRUE(exit->isEnabled());
        EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 王's 类别")});

        click(edit);
        typeCell(grid, 0, 1, QStringLiteral("改过"));
        click(edit); // 恢复
        EXPECT_EQ(shown(grid), QStringList{QStringLiteral("01 王's 类别")});
        EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 王's 类别")});

        click(edit);
        typeCell(grid, 0, 1, QStringLiteral("改过"));
        click(add); // 保存
        EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 改过")});
        screen->close();
    }
}

TEST_F(CategoryScreen, ARefusedRowShowsTheGroupsTextAndLeavesTheListAsItWas)
{
    for (const Group& g : kGroups) {
        SCOPED_TRACE(g.table);
        insert(g, QStringLiteral("01"), QStringLiteral("原有"));
        auto screen = open();
        auto* grid = child<DBGrid>(screen.get(), u(g.grid));
        click(screen.get(), u(g.add));
        typeCell(grid, 1, 0, QStringLiteral("01"));
        typeCell(grid, 1, 1, QStringLiteral("重复"));
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), u(g.kind) + QStringLiteral("表添加错误！！"), QMessageBox::Ok,
                         QMessageBox::Information);
        click(screen.get(), u(g.add));
        script.verify();
        EXPECT_EQ(shown(grid), QStringList{QStringLiteral("01 原有")});
        EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 原有")});
        EXPECT_TRUE(child<QPushButton>(screen.get(), QStringLiteral("BitBtn13"))->isEnabled());
        screen->close();
    }
}

TEST_F(CategoryScreen, DeletingWithCancelKeepsTheRowWithOkItDisappearsAtOnce)
{
    for (const Group& g : kGroups) {
        SCOPED_TRACE(g.table);
        insert(g, QStringLiteral("01"), QStringLiteral("采购"));
        insert(g, QStringLiteral("02"), QStringLiteral("赠品"));
        auto screen = open();
        auto* grid = child<DBGrid>(screen.get(), u(g.grid));
        clickCell(grid, shown(grid).indexOf(QStringLiteral("02 赠品")));
        const QString question = QStringLiteral("确定将删除") + u(g.kind) + QStringLiteral("：赠品 吗？");
        {
            ModalScript script;
            script.expectBox(QStringLiteral("提示"), question, QMessageBox::Cancel, QMessageBox::Warning);
            click(screen.get(), u(g.remove));
        }
        EXPECT_EQ(stored(g).size(), 2);
        {
            ModalScript script;
            script.expectBox(QStringLiteral("提示"), question, QMessageBox::Ok, QMessageBox::Warning);
            click(screen.get(), u(g.remove));
        }
        EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 采购")});
        EXPECT_EQ(shown(grid), QStringList{QStringLiteral("01 采购")});
        screen->close();
    }
}

TEST_F(CategoryScreen, TheFirstGroupBackToBrowsingEnablesExit)
{
    auto screen = open();
    auto* exit = child<QPushButton>(screen.get(), QStringLiteral("BitBtn13"));
    click(screen.get(), QStringLiteral("BitBtn1"));
    click(screen.get(), QStringLiteral("BitBtn4"));
    click(screen.get(), QStringLiteral("BitBtn2")); // 恢复 of the stock-in group
    EXPECT_TRUE(exit->isEnabled());
    EXPECT_EQ(child<QPushButton>(screen.get(), QStringLiteral("BitBtn4"))->text(), QStringLiteral("保存"));
    screen->close();
}

TEST_F(CategoryScreen, ClosingAbandonsARowStillBeingAdded)
{
    auto screen = open();
    auto* grid = child<DBGrid>(screen.get(), QStringLiteral("DBGrid4"));
    click(screen.get(), QStringLiteral("BitBtn10"));
    typeCell(grid, 0, 0, QStringLiteral("01"));
    typeCell(grid, 0, 1, QStringLiteral("破损"));
    screen->close();
    EXPECT_TRUE(stored(kGroups[3]).isEmpty());
}

TEST_F(CategoryScreen, ADeleteTheDatabaseRefusesShowsTheGroupsText)
{
    for (const Group& g : kGroups) {
        SCOPED_TRACE(g.table);
        insert(g, QStringLiteral("01"), QStringLiteral("采购"));
        auto screen = open();
        // The engine refuses every delete from this table from now on.
        const QByteArray table(g.table);
        const QByteArray trigger = "create trigger no_delete_" + table + " before delete on " + table
                                   + " begin select raise(abort, 'refused'); end";
        ASSERT_EQ(sqlite3_exec(Database::shared().handle(), trigger.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定将删除") + u(g.kind) + QStringLiteral("：采购 吗？"),
                         QMessageBox::Ok, QMessageBox::Warning);
        script.expectBox(QStringLiteral("提示"), u(g.kind) + QStringLiteral("删除失败！！"), QMessageBox::Ok,
                         QMessageBox::Information);
        click(screen.get(), u(g.remove));
        script.verify();
        EXPECT_EQ(shown(child<DBGrid>(screen.get(), u(g.grid))), QStringList{QStringLiteral("01 采购")});
        screen->close();
    }
}

TEST_F(CategoryScreen, ANewRowLeftWithoutANumberShowsTheGroupsTextAndOneRestoreBrowses)
{
    enum class Leave { OtherRow, TabPastTheLastCell };
    for (const Group& g : kGroups) {
        for (Leave how : {Leave::OtherRow, Leave::TabPastTheLastCell}) {
            SCOPED_TRACE(std::string(g.table) + (how == Leave::OtherRow ? " other row" : " tab"));
            Database::shared().exec(QStringLiteral("delete from ") + u(g.table));
            insert(g, QStringLiteral("01"), QStringLiteral("原有"));
            auto screen = open();
            auto* grid = child<DBGrid>(screen.get(), u(g.grid));
            auto* add = child<QPushButton>(screen.get(), u(g.add));
            auto* edit = child<QPushButton>(screen.get(), u(g.edit));
            click(add);
            typeCell(grid, 1, 1, QStringLiteral("无编号"));
            {
                ModalScript script;
                script.expectBox(QStringLiteral("提示"), u(g.kind) + QStringLiteral("表添加错误！！"), QMessageBox::Ok,
                                 QMessageBox::Information);
                if (how == Leave::OtherRow) {
                    clickCell(grid, 0);
                } else {
                    clickCell(grid, 1, 1);
                    QTest::keyClick(grid, Qt::Key_Tab);
                }
                EXPECT_TRUE(script.verify());
            }
            click(edit); // 恢复
            EXPECT_EQ(add->text(), QStringLiteral("添加"));
            EXPECT_EQ(edit->text(), QStringLiteral("修改"));
            EXPECT_TRUE(child<QPushButton>(screen.get(), QStringLiteral("BitBtn13"))->isEnabled());
            EXPECT_EQ(shown(grid), QStringList{QStringLiteral("01 原有")});
            EXPECT_EQ(stored(g), QStringList{QStringLiteral("01 原有")});
            screen->close();
        }
    }
}
