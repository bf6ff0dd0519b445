// The goods list TForm6: category tree, list, search, delete, categories, picking.
#include "goods_fixture.h"

#include "support/ModalScript.h"

#include "reports/SpreadsheetExport.h"
#include "widgets/StatusBar.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QSaveFile>
#include <QStringEncoder>

namespace {
const QString kRoot = QStringLiteral("我的库房");
const QString kTea = QStringLiteral("茶叶");
const QString kStationery = QStringLiteral("文具");

class GoodsList : public GoodsTest {
protected:
    void SetUp() override
    {
        GoodsTest::SetUp();
        writeCategories({kTea, kStationery});
        insert({QStringLiteral("003"), QStringLiteral("王's 茶"), kTea, 10, 25, 7});
        insert({QStringLiteral("001"), QStringLiteral("龙井茶"), kTea, 30, 10, 2});
        insert({QStringLiteral("002"), QStringLiteral("铅笔"), kStationery, 1.5, 20, 100});
    }
};
} // namespace

TEST_F(GoodsList, OpensOnAllGoodsByCodeWithTheTreeFromItsFile)
{
    auto list = openList();
    EXPECT_EQ(shownCodes(list.get()), (QStringList{"001", "002", "003"}));
    auto* grid = child<DBGrid>(list.get(), QStringLiteral("DBGrid1"));
    QStringList headings;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        headings << grid->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(headings, (QStringList{"商品代码", "商品名称", "制造商", "品牌", "规格", "单位", "单价", "利润率",
                                     "现有库存", "库存上限", "库存下限", "货位", "备注"}));

    auto* tree = child<QTreeWidget>(list.get(), QStringLiteral("TreeView1"));
    EXPECT_EQ(treefile::linesOf(tree), (TreeLines{{0, kRoot}, {1, kTea}, {1, kStationery}}));
    EXPECT_TRUE(tree->selectedItems().isEmpty());
    auto* status = child<StatusBar>(list.get(), QStringLiteral("StatusBar1"));
    EXPECT_EQ(status->panelText(0), QStringLiteral("操作员:"));
    EXPECT_EQ(status->panelText(1), myvar::operatorName);
}

TEST_F(GoodsList, WithoutATreeFileTheTreeIsTheRootAlone)
{
    QFile::remove(treefile::goodsFile());
    auto list = openList();
    EXPECT_EQ(treefile::linesOf(child<QTreeWidget>(list.get(), QStringLiteral("TreeView1"))), (TreeLines{{0, kRoot}}));
}

TEST_F(GoodsList, AGb18030TreeFileIsReadAndWrittenBackInUtf8)
{
    {
        QFile f(treefile::goodsFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QStringEncoder gb18030("GB18030");
        f.write(gb18030(QStringLiteral("我的库房\r\n\t茶叶\r\n\t文具\r\n")));
    }
    auto list = openList();
    selectNode(list.get(), {kRoot, kStationery});
    EXPECT_EQ(shownCodes(list.get()), QStringList{"002"});
    list->close();
    EXPECT_EQ(treeFileBytes(), QStringLiteral("我的库房\r\n\t茶叶\r\n\t文具\r\n").toUtf8());
}

TEST_F(GoodsList, TheSelectedNodeChoosesTheRows)
{
    auto list = openList();
    selectNode(list.get(), {kRoot, kTea});
    QStringList tea = shownCodes(list.get());
    tea.sort();
    EXPECT_EQ(tea, (QStringList{"001", "003"}));
    selectNode(list.get(), {kRoot, kStationery});
    EXPECT_EQ(shownCodes(list.get()), QStringList{"002"});
    selectNode(list.get(), {kRoot});
    EXPECT_EQ(shownCodes(list.get()).size(), 3);
}

TEST_F(GoodsList, ActionsThatNeedACategoryRefuseOtherNodes)
{
    struct Case {
        QStringList node; // empty: none selected
        const char* action;
    };
    const Case cases[] = {
        {{}, "BitBtn1"},          {{kRoot}, "BitBtn1"}, {{}, "BitBtn2"}, {{kRoot}, "BitBtn2"},
        {{kRoot, kTea}, "N1"},   {{}, "N1"},           {{kRoot}, "N2"}, {{}, "N2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " on " + c.node.join(u'/').toStdString());
        auto list = openList();
        if (!c.node.isEmpty())
            selectNode(list.get(), c.node);
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("请正确选择商品类别"));
        if (QString::fromLatin1(c.action).startsWith(u'N'))
            clickMenu(list.get(), QString::fromLatin1(c.action));
        else
            click(list.get(), QString::fromLatin1(c.action));
        script.verify();
        EXPECT_EQ(goodsCount(), 3);
        EXPECT_EQ(treefile::linesOf(child<QTreeWidget>(list.get(), QStringLiteral("TreeView1"))).size(), 3);
    }
}

TEST_F(GoodsList, DeletingAnArticleAsksFirst)
{
    auto list = openList();
    selectNode(list.get(), {kRoot, kTea});
    auto* grid = child<DBGrid>(list.get(), QStringLiteral("DBGrid1"));
    clickCell(grid, shownCodes(list.get()).indexOf(QStringLiteral("003")));
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除商品王's 茶信息吗?"), QMessageBox::Cancel,
                         QMessageBox::Warning);
        click(list.get(), QStringLiteral("BitBtn3"));
    }
    EXPECT_FALSE(row(QStringLiteral("003"), {"spmc"}).isEmpty());

    clickCell(grid, shownCodes(list.get()).indexOf(QStringLiteral("003")));
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除商品王's 茶信息吗?"), QMessageBox::Ok,
                         QMessageBox::Warning);
        click(list.get(), QStringLiteral("BitBtn3"));
    }
    EXPECT_TRUE(row(QStringLiteral("003"), {"spmc"}).isEmpty());
    EXPECT_EQ(shownCodes(list.get()), QStringList{"001"});
    EXPECT_EQ(goodsCount(), 2);
}

TEST_F(GoodsList, DeletingFromASearchResultTakesTheRowOffTheList)
{
    auto list = openList();
    {
        ModalScript script;
        script.answerInput(QStringLiteral("查找商品"), QStringLiteral("请输入待查商品名称:"), QStringLiteral("茶"));
        click(list.get(), QStringLiteral("BitBtn4"));
    }
    clickCell(child<DBGrid>(list.get(), QStringLiteral("DBGrid1")), shownCodes(list.get()).indexOf(QStringLiteral("001")));
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除商品龙井茶信息吗?"));
        click(list.get(), QStringLiteral("BitBtn3"));
    }
    EXPECT_EQ(shownCodes(list.get()), QStringList{"003"});
}

TEST_F(GoodsList, DeletingWithAnEmptyListDoesNothing)
{
    Database::shared().exec(QStringLiteral("delete from J_spb"));
    auto list = openList();
    click(list.get(), QStringLiteral("BitBtn3")); // no question appears
    selectNode(list.get(), {kRoot, kTea});
    click(list.get(), QStringLiteral("BitBtn2")); // no entry dialog appears
    EXPECT_TRUE(shownCodes(list.get()).isEmpty());
}

TEST_F(GoodsList, SearchListsNamesContainingTheText)
{
    Database::shared().exec(QStringLiteral("insert into J_spb(spdm) values('009')")); // no name
    struct Case {
        std::optional<QString> answer;
        QStringList codes;
    };
    const Case cases[] = {
        {std::nullopt, {"001", "002", "003"}},   // Cancel: every named article
        {QString(), {"001", "002", "003"}},
        {QStringLiteral("茶"), {"001", "003"}},
        {QStringLiteral("王's"), {"003"}},
        {QStringLiteral("咖啡"), {}},
    };
    auto list = openList();
    selectNode(list.get(), {kRoot, kStationery});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or(QStringLiteral("<Cancel>")).toStdString());
        ModalScript script;
        script.answerInput(QStringLiteral("查找商品"), QStringLiteral("请输入待查商品名称:"), c.answer);
        click(list.get(), QStringLiteral("BitBtn4"));
        script.verify();
        QStringList codes = shownCodes(list.get());
        codes.sort();
        EXPECT_EQ(codes, c.codes);
        EXPECT_EQ(child<QTreeWidget>(list.get(), QStringLiteral("TreeView1"))->selectedItems(),
                  QList<QTreeWidgetItem*>{node(list.get(), {kRoot, kStationery})});
    }
}

TEST_F(GoodsList, NewAndRenamedCategoriesAreKeptInTheTreeFile)
{
    {
        auto list = openList();
        selectNode(list.get(), {kRoot});
        clickMenu(list.get(), QStringLiteral("N1"));
        auto* tree = child<QTreeWidget>(list.get(), QStringLiteral("TreeView1"));
        QTreeWidgetItem* added = node(list.get(), {kRoot, QStringLiteral("新商品类别")});
        // The operator types the name over the new node's text.
        auto* editor = qobject_cast<QLineEdit*>(tree->itemWidget(added, 0));
        if (!editor)
            editor = tree->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        type(editor, QStringLiteral("王's 饮料"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view takes the text after the key
        EXPECT_EQ(added->text(0), QStringLiteral("王's 饮料"));
        click(list.get(), QStringLiteral("BitBtn6"));
        EXPECT_FALSE(list->isVisible());
    }
    EXPECT_EQ(treeFileBytes(), QStringLiteral("我的库房\r\n\t茶叶\r\n\t文具\r\n\t王's 饮料\r\n").toUtf8());
    auto again = openList();
    EXPECT_NO_THROW(node(again.get(), {kRoot, QStringLiteral("王's 饮料")}));
}

// What the operator types over a name is what the category is filed and found under,
// now and after the list is opened again.
TEST_F(GoodsList, ARenamedCategoryListsItsNewGoodsAgainAfterReopening)
{
    struct Case {
        QString typed;
        QString kept;
    };
    const Case cases[] = {
        {QStringLiteral("  "), kTea},
        {QStringLiteral("  绿茶"), QStringLiteral("绿茶")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        writeCategories({kTea, kStationery});
        {
            auto list = openList();
            auto* tree = child<QTreeWidget>(list.get(), QStringLiteral("TreeView1"));
            QTreeWidgetItem* tea = node(list.get(), {kRoot, kTea});
            tree->editItem(tea);
            auto* editor = tree->viewport()->findChild<QLineEdit*>();
            ASSERT_NE(editor, nullptr);
            type(editor, c.typed);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents(); // the view takes the text after the key
            EXPECT_EQ(tea->text(0), c.kept);

            selectNode(list.get(), {kRoot, c.kept});
            ModalScript script;
            script.onDialog(QStringLiteral("TForm7"), [](QWidget* d) {
                type(child<QLineEdit>(d, QStringLiteral("Edit1")), QStringLiteral("100"));
                click(d, QStringLiteral("BitBtn1"));
            });
            click(list.get(), QStringLiteral("BitBtn1"));
            script.verify();
            list->close();
        }
        auto again = openList();
        selectNode(again.get(), {kRoot, c.kept});
        EXPECT_TRUE(shownCodes(again.get()).contains(QStringLiteral("100")));
        Database::shared().exec(QStringLiteral("delete from J_spb where spdm='100'"));
    }
}

TEST_F(GoodsList, DeletingACategoryAsksThenDeletesItsGoods)
{
    auto list = openList();
    selectNode(list.get(), {kRoot, kTea});
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除茶叶的信息吗?"), QMessageBox::Cancel,
                         QMessageBox::Warning);
        clickMenu(list.get(), QStringLiteral("N2"));
    }
    EXPECT_EQ(goodsCount(), 3);
    EXPECT_NO_THROW(node(list.get(), {kRoot, kTea}));

    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除茶叶的信息吗?"), QMessageBox::Ok);
        clickMenu(list.get(), QStringLiteral("N2"));
    }
    EXPECT_EQ(goodsCount(), 1);
    EXPECT_FALSE(row(QStringLiteral("002"), {"spmc"}).isEmpty());
    EXPECT_THROW(node(list.get(), {kRoot, kTea}), std::runtime_error);
    // The neighbour is selected and listed.
    auto* tree = child<QTreeWidget>(list.get(), QStringLiteral("TreeView1"));
    EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem*>{node(list.get(), {kRoot, kStationery})});
    EXPECT_EQ(shownCodes(list.get()), QStringList{"002"});

    list->close();
    EXPECT_EQ(treeFileBytes(), QStringLiteral("我的库房\r\n\t文具\r\n").toUtf8());
}

TEST_F(GoodsList, AnUnreadableTreeFileIsReportedKeptAndReplacedByTheDefault)
{
    const QByteArray bad = QStringLiteral("我的库房\r\n\t\t深层\r\n").toUtf8();
    {
        QFile f(treefile::goodsFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bad);
    }
    const QString path = treefile::goodsFile();
    ModalScript script;
    script.expectBox(QStringLiteral("提示"), QStringLiteral("无法读取类别文件%1：第2行的层次不正确\n现显示默认的类别。\n原文件已另存为%1.bak。").arg(path));
    auto list = openList();
    script.verify();
    EXPECT_EQ(treefile::linesOf(child<QTreeWidget>(list.get(), QStringLiteral("TreeView1"))), (TreeLines{{0, kRoot}}));
    QFile kept(path + QStringLiteral(".bak"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), bad);
}

TEST_F(GoodsList, ATreeFileThatCannotBeWrittenIsReportedOnClosing)
{
    auto list = openList();
    // A folder where the file should be: nothing can replace it.
    QFile::remove(treefile::goodsFile());
    ASSERT_TRUE(QDir().mkdir(treefile::goodsFile()));
    QSaveFile probe(treefile::goodsFile());
    ASSERT_FALSE(probe.open(QIODevice::WriteOnly));
    ModalScript script;
    script.expectBox(QStringLiteral("提示"), QStringLiteral("无法保存类别文件%1：%2\n原有的类别文件未改动。")
                                                 .arg(treefile::goodsFile(), probe.errorString()));
    click(list.get(), QStringLiteral("BitBtn6"));
    script.verify();
    EXPECT_FALSE(list->isVisible());
}

TEST_F(GoodsList, ExportHandsOverTheListShown)
{
    QTemporaryDir exports;
    setExportFolder(exports.path());
    QString opened;
    WorkbookOpener old = setWorkbookOpener([&](const QString& file) {
        opened = file;
        return true;
    });
    auto list = openList();
    selectNode(list.get(), {kRoot, kStationery});
    click(list.get(), QStringLiteral("BitBtn5"));
    setWorkbookOpener(old);
    setExportFolder(QString());
    EXPECT_TRUE(QFile::exists(opened)) << opened.toStdString();
}

// In pick mode a double-click hands the article back and closes the list; the line
// dialogs fill their own boxes from it.
TEST_F(GoodsList, PickingHandsTheArticleBack)
{
    for (int mode : {1, 2, 3, 4, 5, 0}) {
        SCOPED_TRACE(mode);
        myvar::goodsPickMode = mode;
        auto list = openList();
        EXPECT_FALSE(list->picked().has_value());
        auto* grid = child<DBGrid>(list.get(), QStringLiteral("DBGrid1"));
        const int r = shownCodes(list.get()).indexOf(QStringLiteral("003"));
        const QRect cell = grid->visualRect(grid->model()->index(r, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_FALSE(list->isVisible());
        if (mode == 0) {
            EXPECT_FALSE(list->picked().has_value());
            continue;
        }
        ASSERT_TRUE(list->picked().has_value());
        const PickedArticle& a = *list->picked();
        EXPECT_EQ(QStringList({a.code, a.name, a.maker, a.unit, a.stock, a.cost}),
                  QStringList({"003", "王's 茶", "厂家", "斤", "7", "10"}));
        EXPECT_EQ(a.costValue, 10);
        EXPECT_EQ(a.profitRate, 25);
    }
}
