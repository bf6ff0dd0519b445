// The goods entry dialog TForm7, opened by "添加" and "修改" of the goods list.
#include "goods_fixture.h"

#include "support/ModalScript.h"

#include "master/GoodsEntryScreen.h"

#include <QLineEdit>

namespace {
const QString kRoot = QStringLiteral("我的库房");
const QString kTea = QStringLiteral("茶叶");
const QString kColumns = QStringLiteral("spdm,spmc,lb,zzs,pp,gg,dw,zxdj,lrl,xykc,kcsx,kcxx,hw,bz");

QLineEdit* edit(QWidget* dialog, int n)
{
    return child<QLineEdit>(dialog, QStringLiteral("Edit%1").arg(n));
}

// Types the given boxes (by number) and presses "确定".
void fillAndSave(QWidget* dialog, const QList<std::pair<int, QString>>& texts)
{
    for (const auto& [n, text] : texts)
        type(edit(dialog, n), text);
    click(dialog, QStringLiteral("BitBtn1"));
}

class GoodsEntry : public GoodsTest {
protected:
    void SetUp() override
    {
        GoodsTest::SetUp();
        writeCategories({kTea});
        insert({QStringLiteral("001"), QStringLiteral("龙井茶"), kTea, 30, 10, 2});
        m_list = openList();
        selectNode(m_list.get(), {kRoot, kTea});
    }

    // Presses "添加" (or "修改" on the row of code); handler works the dialog, and the boxes
    // it opens are expected by then.
    void openEntry(bool adding, std::function<void(QWidget*)> handler,
                   std::function<void(ModalScript&)> then = {}, const QString& code = QStringLiteral("001"))
    {
        ModalScript script;
        script.onDialog(QStringLiteral("TForm7"), std::move(handler));
        if (then)
            then(script);
        if (!adding)
            clickCell(child<DBGrid>(m_list.get(), QStringLiteral("DBGrid1")), shownCodes(m_list.get()).indexOf(code));
        click(m_list.get(), adding ? QStringLiteral("BitBtn1") : QStringLiteral("BitBtn2"));
        script.verify();
    }

    std::unique_ptr<TForm6> m_list;
};
} // namespace

TEST_F(GoodsEntry, AddsAnArticleToTheSelectedCategoryAtCostAndStockZero)
{
    openEntry(true, [](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("商品信息"));
        EXPECT_TRUE(edit(d, 1)->isEnabled());
        EXPECT_FALSE(edit(d, 7)->isEnabled());
        EXPECT_FALSE(edit(d, 9)->isEnabled());
        for (int n : {7, 8, 9, 10, 11})
            EXPECT_EQ(edit(d, n)->text(), QStringLiteral("0"));
        edit(d, 7)->setText(QStringLiteral("99")); // whatever the disabled boxes show
        edit(d, 9)->setText(QStringLiteral("88"));
        fillAndSave(d, {{1, "A'1"}, {2, "王's 茶"}, {3, "西湖茶厂"}, {4, "王牌"}, {5, "250g"}, {6, "盒"},
                        {8, "25"}, {10, "100"}, {11, "5.5"}, {12, "A-01"}, {13, "新品"}});
    });
    EXPECT_EQ(row(QStringLiteral("A'1"), kColumns.split(u',')),
              (QStringList{"A'1", "王's 茶", kTea, "西湖茶厂", "王牌", "250g", "盒", "0", "25", "0", "100", "5.5",
                           "A-01", "新品"}));
    EXPECT_TRUE(shownCodes(m_list.get()).contains(QStringLiteral("A'1")));
}

TEST_F(GoodsEntry, AnExistingCodeIsWarnedOnLeavingAndRefusedOnSaving)
{
    openEntry(
        true,
        [](QWidget* d) {
            type(edit(d, 1), QStringLiteral("001"));
            leave(edit(d, 1));
            fillAndSave(d, {{2, "另一种茶"}});
            EXPECT_FALSE(d->isVisible());
        },
        [](ModalScript& s) {
            s.expectBox(QStringLiteral("提示"), QStringLiteral("该商品代码已存在，请重新输入"));
            s.expectBox(QStringLiteral("提示"), QStringLiteral("添加数据错误！！"));
        });
    EXPECT_EQ(row(QStringLiteral("001"), {"spmc", "zxdj", "xykc"}), (QStringList{"龙井茶", "30", "2"}));
    EXPECT_EQ(goodsCount(), 1);
}

TEST_F(GoodsEntry, ANewCodeIsNotWarned)
{
    openEntry(true, [](QWidget* d) {
        type(edit(d, 1), QStringLiteral("002"));
        leave(edit(d, 1)); // no box
        click(d, QStringLiteral("BitBtn2"));
    });
    EXPECT_EQ(goodsCount(), 1);
}

TEST_F(GoodsEntry, TextsAreCutAtTheirColumnsWidthAsTheyAreTyped)
{
    struct Case {
        int box;
        QString text;
        int width;
    };
    const Case cases[] = {
        {1, QStringLiteral("1234567"), 6}, // spdm char(6), where the box alone would take 20
        {4, QString(11, u'牌'), 10},       // pp char(10)
        {12, QString(21, u'位'), 20},      // hw char(20)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        openEntry(true, [&](QWidget* d) {
            type(edit(d, c.box), c.text);
            EXPECT_EQ(edit(d, c.box)->text(), c.text.left(c.width));
            if (c.box != 1)
                type(edit(d, 1), QStringLiteral("009"));
            click(d, QStringLiteral("BitBtn1"));
        });
        EXPECT_EQ(goodsCount(), 2);
        Database::shared().exec(QStringLiteral("delete from J_spb where spdm<>'001'"));
    }
}

TEST_F(GoodsEntry, NumbersTheirColumnsCannotHoldAreRefusedByTheDatabase)
{
    struct Case {
        int box;
        QString text;
    };
    const Case cases[] = {
        {10, QStringLiteral("9999999999")},      // kcsx numeric(10,2)
        {11, QStringLiteral("9999999999999999")}, // kcxx numeric(10,2)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        openEntry(
            true,
            [&](QWidget* d) {
                type(edit(d, 1), QStringLiteral("009"));
                fillAndSave(d, {{c.box, c.text}});
            },
            [](ModalScript& s) { s.expectBox(QStringLiteral("提示"), QStringLiteral("添加数据错误！！")); });
        EXPECT_EQ(goodsCount(), 1);
    }
}

TEST_F(GoodsEntry, NonNumbersAreRefusedBeforeAnythingIsWritten)
{
    struct Case {
        int box;
        QString text;
    };
    const Case cases[] = {{8, QStringLiteral("ab")}, {10, QString()}, {11, QStringLiteral("1x")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        openEntry(
            true,
            [&](QWidget* d) {
                type(edit(d, 1), QStringLiteral("009"));
                fillAndSave(d, {{c.box, c.text}});
                EXPECT_TRUE(d->isVisible()); // the operator may correct it
                click(d, QStringLiteral("BitBtn2"));
            },
            [&](ModalScript& s) { s.expectError(QStringLiteral("'%1' is not a valid floating point value").arg(c.text)); });
        EXPECT_EQ(goodsCount(), 1);
    }
}

TEST_F(GoodsEntry, AnEmptyCodeSavesNothingAndKeepsTheDialogOpen)
{
    openEntry(true, [](QWidget* d) {
        fillAndSave(d, {{2, "无代码"}});
        EXPECT_TRUE(d->isVisible());
        click(d, QStringLiteral("BitBtn2"));
    });
    EXPECT_EQ(goodsCount(), 1);
}

TEST_F(GoodsEntry, EditingChangesTheTextsButNotCodeCategoryCostOrStock)
{
    openEntry(false, [](QWidget* d) {
        EXPECT_FALSE(edit(d, 1)->isEnabled());
        EXPECT_EQ(edit(d, 1)->text(), QStringLiteral("001"));
        EXPECT_EQ(edit(d, 2)->text(), QStringLiteral("龙井茶"));
        EXPECT_EQ(edit(d, 7)->text(), QStringLiteral("30"));
        EXPECT_EQ(edit(d, 8)->text(), QStringLiteral("10"));
        EXPECT_EQ(edit(d, 9)->text(), QStringLiteral("2"));
        fillAndSave(d, {{2, "王's 龙井"}, {8, "30"}, {11, "1"}});
    });
    EXPECT_EQ(row(QStringLiteral("001"), {"spmc", "lb", "zxdj", "lrl", "xykc", "kcxx"}),
              (QStringList{"王's 龙井", kTea, "30", "30", "2", "1"}));
    EXPECT_EQ(cellText(child<DBGrid>(m_list.get(), QStringLiteral("DBGrid1")), 0, 1), QStringLiteral("王's 龙井"));
}

TEST_F(GoodsEntry, AnOverlongEditIsCutAtItsColumnAndTheEditIsKept)
{
    openEntry(false, [](QWidget* d) { fillAndSave(d, {{2, "新名字"}, {6, "一二三四五六"}, {4, "十一个字的品牌名称呀呀"}}); });
    EXPECT_EQ(row(QStringLiteral("001"), {"spmc", "dw", "pp"}), (QStringList{"新名字", "一二三四五六", "十一个字的品牌名称呀"}));
}

TEST_F(GoodsEntry, EditingAnArticleWithAQuoteInItsCode)
{
    insert({QStringLiteral("Q'1"), QStringLiteral("引号茶"), kTea});
    selectNode(m_list.get(), {kRoot});
    selectNode(m_list.get(), {kRoot, kTea});
    openEntry(false, [](QWidget* d) { fillAndSave(d, {{2, "改名茶"}}); }, {}, QStringLiteral("Q'1"));
    EXPECT_EQ(row(QStringLiteral("Q'1"), {"spmc"}), QStringList{"改名茶"});
    EXPECT_EQ(row(QStringLiteral("001"), {"spmc"}), QStringList{"龙井茶"});
}
