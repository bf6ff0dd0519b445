// The partner list TForm4 with its class tree, and the partner entry dialog TForm5.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/PartnerEntryScreen.h"
#include "master/PartnerListScreen.h"
#include "master/TreeFile.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/DBGrid.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {
const QString kRoot = QStringLiteral("我的客户");
const QString kSuppliers = QStringLiteral("供货商");
const QString kBuyers = QStringLiteral("购货商");
const QString kRetail = QStringLiteral("零售");   // sub-class of both classes
const QString kFactory = QStringLiteral("工厂");  // sub-class of the suppliers
const QString kNamed = QStringLiteral("王's 商行");

QLineEdit* edit(QWidget* dialog, int n)
{
    return child<QLineEdit>(dialog, QStringLiteral("Edit%1").arg(n));
}

class PartnerTest : public InitializedDbTest {
protected:
    void SetUp() override
    {
        InitializedDbTest::SetUp();
        treefile::write(treefile::partnerFile(), {{0, kRoot},
                                                  {1, kSuppliers},
                                                  {2, kFactory},
                                                  {2, kRetail},
                                                  {1, kBuyers},
                                                  {2, kRetail}});
        insert(QStringLiteral("S1"), QStringLiteral("丙厂"), kSuppliers, kFactory);
        insert(QStringLiteral("S2"), QStringLiteral("甲店"), kSuppliers, kRetail);
        insert(QStringLiteral("B1"), QStringLiteral("乙店"), kBuyers, kRetail);
    }

    static void insert(const QString& code, const QString& name, const QString& lb1, const QString& lb2)
    {
        Database::shared().exec(QStringLiteral("insert into J_khb(khdm,khmc,lb1,lb2,lxr) values(%1,%2,%3,%4,'联系人')")
                                    .arg(quoted(code), quoted(name), quoted(lb1), quoted(lb2)));
    }

    void open()
    {
        m_list = std::make_unique<TForm4>();
        m_list->show();
    }

    QTreeWidget* tree() const { return child<QTreeWidget>(m_list.get(), QStringLiteral("TreeView1")); }
    DBGrid* grid() const { return child<DBGrid>(m_list.get(), QStringLiteral("DBGrid1")); }
    QStringList shownCodes() const { return columnTexts(grid(), 0); }

    QTreeWidgetItem* node(const QStringList& path) const
    {
        QTreeWidgetItem* item = nullptr;
        for (const QString& name : path) {
            QTreeWidgetItem* next = nullptr;
            const int count = item ? item->childCount() : tree()->topLevelItemCount();
            for (int i = 0; i < count && !next; ++i) {
                QTreeWidgetItem* c = item ? item->child(i) : tree()->topLevelItem(i);
                if (c->text(0) == name)
                    next = c;
            }
            if (!next)
                throw std::runtime_error("no tree node " + path.join(u'/').toStdString());
            item = next;
        }
        return item;
    }

    void select(const QStringList& path)
    {
        QTreeWidgetItem* item = node(path);
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
        ASSERT_EQ(tree()->selectedItems(), QList<QTreeWidgetItem*>{item});
    }

    void clickRowOf(const QString& code)
    {
        const int row = shownCodes().indexOf(code);
        ASSERT_GE(row, 0) << code.toStdString();
        clickCell(grid(), row);
    }

    // "khdm khmc lb1 lb2 lxr" of a stored partner; empty when there is none.
    static QString stored(const QString& code)
    {
        ResultSet rs;
        rs.open(QStringLiteral("select * from J_khb where khdm=") + quoted(code));
        if (rs.isEmpty())
            return QString();
        QStringList v;
        for (const char* c : {"khdm", "khmc", "lb1", "lb2", "lxr"})
            v << rs.text(QString::fromLatin1(c));
        return v.join(u' ');
    }

    static int partnerCount()
    {
        ResultSet rs;
        rs.open(QStringLiteral("select count(*) as n from J_khb"));
        return int(rs.number(QStringLiteral("n")));
    }

    // Presses the list's button; handler works the dialog TForm5; then adds the boxes expected after it.
    void withEntry(const QString& button, std::function<void(QWidget*)> handler,
                   std::function<void(ModalScript&)> then = {})
    {
        ModalScript script;
        script.onDialog(QStringLiteral("TForm5"), std::move(handler));
        if (then)
            then(script);
        click(m_list.get(), button);
        script.verify();
    }

    void search(std::optional<QString> text)
    {
        ModalScript script;
        script.answerInput(QStringLiteral("查找客户"), QStringLiteral("请输入待查客户名称:"), text);
        click(m_list.get(), QStringLiteral("BitBtn4"));
        script.verify();
    }

    std::unique_ptr<TForm4> m_list;
};
} // namespace

TEST_F(PartnerTest, OpensOnAllPartnersByNameWithTheTreeFromItsFile)
{
    open();
    EXPECT_EQ(m_list->windowTitle(), QStringLiteral("客户管理"));
    EXPECT_EQ(columnTexts(grid(), 1), (QStringList{"丙厂", "乙店", "甲店"})); // by name
    QStringList headings;
    for (int c = 0; c < grid()->model()->columnCount(); ++c)
        headings << grid()->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(headings, (QStringList{"客户代码", "客户名称", "联系人", "地址", "邮编", "电话", "手机", "传真", "电子邮件",
                                     "网址", "开户行", "银行帐号"}));
    EXPECT_EQ(treefile::linesOf(tree()).size(), 6);
    EXPECT_TRUE(tree()->selectedItems().isEmpty());
}

TEST_F(PartnerTest, WithoutATreeFileTheTreeHasTheTwoClasses)
{
    QFile::remove(treefile::partnerFile());
    open();
    EXPECT_EQ(treefile::linesOf(tree()), (TreeLines{{0, kRoot}, {1, kSuppliers}, {1, kBuyers}}));
}

TEST_F(PartnerTest, TheSelectedNodeChoosesTheRows)
{
    open();
    struct Case {
        QStringList path;
        QStringList codes;
    };
    const Case cases[] = {
        {{kRoot, kSuppliers}, {"S1", "S2"}},
        {{kRoot, kSuppliers, kFactory}, {"S1"}},
        // only the sub-class name is compared: both 零售 list together
        {{kRoot, kBuyers, kRetail}, {"B1", "S2"}},
        {{kRoot}, {"B1", "S1", "S2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.join(u'/').toStdString());
        select(c.path);
        QStringList codes = shownCodes();
        codes.sort();
        EXPECT_EQ(codes, c.codes);
    }
}

TEST_F(PartnerTest, AddEditAndDeleteNeedASubClass)
{
    const QStringList nodes[] = {{}, {kRoot}, {kRoot, kSuppliers}, {kRoot, kBuyers}};
    for (const QStringList& path : nodes) {
        for (const char* button : {"BitBtn1", "BitBtn2", "BitBtn3"}) {
            SCOPED_TRACE(std::string(button) + " on " + path.join(u'/').toStdString());
            open();
            if (!path.isEmpty())
                select(path);
            ModalScript script;
            script.expectBox(QStringLiteral("提示"), QStringLiteral("请选择具体客户类别"));
            click(m_list.get(), QString::fromLatin1(button));
            script.verify();
            EXPECT_EQ(partnerCount(), 3);
            m_list->close();
        }
    }
}

TEST_F(PartnerTest, APartnerAddedUnderASubClassCarriesItsClassAndSubClass)
{
    open();
    select({kRoot, kBuyers, kRetail});
    withEntry(QStringLiteral("BitBtn1"), [](QWidget* d) {
        EXPECT_TRUE(edit(d, 1)->isEnabled());
        EXPECT_EQ(edit(d, 2)->text(), QString());
        type(edit(d, 1), QStringLiteral("B2"));
        leave(edit(d, 1)); // a new code: no box
        type(edit(d, 2), QStringLiteral("丁店"));
        type(edit(d, 3), QStringLiteral("老丁"));
        type(edit(d, 12), QStringLiteral("6222"));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(stored(QStringLiteral("B2")), QStringLiteral("B2 丁店 购货商 零售 老丁"));
    ResultSet rs;
    rs.open(QStringLiteral("select yhzh from J_khb where khdm='B2'"));
    EXPECT_EQ(rs.text(QStringLiteral("yhzh")), QStringLiteral("6222"));
    EXPECT_TRUE(shownCodes().contains(QStringLiteral("B2")));
}

TEST_F(PartnerTest, ADuplicateCodeIsWarnedOnLeavingTheFieldAndRefusedOnSaving)
{
    open();
    select({kRoot, kSuppliers, kFactory});
    withEntry(
        QStringLiteral("BitBtn1"),
        [](QWidget* d) {
            type(edit(d, 1), QStringLiteral("B1"));
            leave(edit(d, 1));
            type(edit(d, 2), QStringLiteral("冒名"));
            click(d, QStringLiteral("BitBtn1"));
        },
        [](ModalScript& s) {
            s.expectBox(QStringLiteral("提示"), QStringLiteral("该客户代码已存在！"));
            s.expectBox(QStringLiteral("提示"), QStringLiteral("添加数据错误！！"));
        });
    EXPECT_EQ(stored(QStringLiteral("B1")), QStringLiteral("B1 乙店 购货商 零售 联系人"));
    EXPECT_EQ(partnerCount(), 3);
}

TEST_F(PartnerTest, TheCodeFieldTakesFourCharacters)
{
    open();
    select({kRoot, kSuppliers, kFactory});
    withEntry(QStringLiteral("BitBtn1"), [](QWidget* d) {
        type(edit(d, 1), QStringLiteral("ABCDEF"));
        EXPECT_EQ(edit(d, 1)->text(), QStringLiteral("ABCD"));
        click(d, QStringLiteral("BitBtn2")); // 取消
    });
    EXPECT_EQ(partnerCount(), 3);
}

TEST_F(PartnerTest, EditingChangesTheFieldsButNotTheCodeOrTheClass)
{
    open();
    select({kRoot, kSuppliers, kRetail});
    clickRowOf(QStringLiteral("S2"));
    withEntry(QStringLiteral("BitBtn2"), [](QWidget* d) {
        EXPECT_FALSE(edit(d, 1)->isEnabled());
        EXPECT_EQ(edit(d, 1)->text(), QStringLiteral("S2"));
        EXPECT_EQ(edit(d, 2)->text(), QStringLiteral("甲店"));
        EXPECT_EQ(edit(d, 3)->text(), QStringLiteral("联系人"));
        type(edit(d, 2), QStringLiteral("甲's 新店"));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(stored(QStringLiteral("S2")), QStringLiteral("S2 甲's 新店 供货商 零售 联系人"));
    EXPECT_TRUE(columnTexts(grid(), 1).contains(QStringLiteral("甲's 新店")));
}

TEST_F(PartnerTest, CancelWritesNothing)
{
    open();
    select({kRoot, kSuppliers, kRetail});
    clickRowOf(QStringLiteral("S2"));
    withEntry(QStringLiteral("BitBtn2"), [](QWidget* d) {
        type(edit(d, 2), QStringLiteral("不存"));
        click(d, QStringLiteral("BitBtn2"));
    });
    EXPECT_EQ(stored(QStringLiteral("S2")), QStringLiteral("S2 甲店 供货商 零售 联系人"));
}

TEST_F(PartnerTest, EditingOnAnEmptyListOpensEmptyFieldsAndOkDoesNothing)
{
    Database::shared().exec(QStringLiteral("delete from J_khb"));
    open();
    select({kRoot, kSuppliers, kFactory});
    withEntry(QStringLiteral("BitBtn2"), [](QWidget* d) {
        EXPECT_FALSE(edit(d, 1)->isEnabled());
        for (int n = 1; n <= 12; ++n)
            EXPECT_EQ(edit(d, n)->text(), QString()) << n;
        click(d, QStringLiteral("BitBtn1"));
        EXPECT_TRUE(d->isVisible()); // stays open
        click(d, QStringLiteral("BitBtn2"));
    });
    EXPECT_EQ(partnerCount(), 0);
}

TEST_F(PartnerTest, DeletingAsksAndRefreshesWhateverTheAnswer)
{
    open();
    select({kRoot, kBuyers, kRetail});
    clickRowOf(QStringLiteral("S2"));
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除客户：甲店 信息吗?"), QMessageBox::Cancel,
                         QMessageBox::Warning);
        click(m_list.get(), QStringLiteral("BitBtn3"));
    }
    EXPECT_EQ(partnerCount(), 3);
    clickRowOf(QStringLiteral("S2"));
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除客户：甲店 信息吗?"), QMessageBox::Ok,
                         QMessageBox::Warning);
        click(m_list.get(), QStringLiteral("BitBtn3"));
    }
    EXPECT_EQ(stored(QStringLiteral("S2")), QString());
    EXPECT_EQ(shownCodes(), QStringList{QStringLiteral("B1")});
}

TEST_F(PartnerTest, APartnerWithAQuoteInItsNameIsSavedFoundListedAndDeleted)
{
    open();
    select({kRoot, kBuyers, kRetail});
    withEntry(QStringLiteral("BitBtn1"), [](QWidget* d) {
        type(edit(d, 1), QStringLiteral("W'1"));
        leave(edit(d, 1));
        type(edit(d, 2), kNamed);
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(stored(QStringLiteral("W'1")), QStringLiteral("W'1 王's 商行 购货商 零售 "));

    search(QStringLiteral("'s 商"));
    EXPECT_EQ(shownCodes(), QStringList{QStringLiteral("W'1")});

    select({kRoot, kBuyers, kRetail});
    clickRowOf(QStringLiteral("W'1"));
    ModalScript script;
    script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除客户：王's 商行 信息吗?"), QMessageBox::Ok,
                     QMessageBox::Warning);
    click(m_list.get(), QStringLiteral("BitBtn3"));
    script.verify();
    EXPECT_EQ(stored(QStringLiteral("W'1")), QString());
    EXPECT_EQ(partnerCount(), 3);
}

TEST_F(PartnerTest, SearchingListsEveryNamedPartnerContainingTheTextByName)
{
    Database::shared().exec(QStringLiteral("insert into J_khb(khdm,lb1,lb2) values('N0','购货商','零售')")); // no name
    open();
    search(QString());
    EXPECT_EQ(columnTexts(grid(), 1), (QStringList{"丙厂", "乙店", "甲店"})); // by name
    EXPECT_FALSE(shownCodes().contains(QStringLiteral("N0")));
    search(std::nullopt); // Cancel searches for the empty text too
    EXPECT_EQ(shownCodes().size(), 3);
    search(QStringLiteral("店"));
    QStringList codes = shownCodes();
    codes.sort();
    EXPECT_EQ(codes, (QStringList{"B1", "S2"}));
    search(QStringLiteral("无此"));
    EXPECT_TRUE(shownCodes().isEmpty());
}

TEST_F(PartnerTest, NewSubClassesOnlyUnderTheTwoClasses)
{
    open();
    select({kRoot, kBuyers});
    clickMenu(m_list.get(), QStringLiteral("N1"));
    EXPECT_NO_THROW(node({kRoot, kBuyers, QStringLiteral("新购货商")}));

    for (const QStringList& path : {QStringList{kRoot}, QStringList{kRoot, kSuppliers, kFactory}}) {
        SCOPED_TRACE(path.join(u'/').toStdString());
        select(path);
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("请正确选择客户类别"));
        clickMenu(m_list.get(), QStringLiteral("N1"));
        script.verify();
    }
    EXPECT_EQ(treefile::linesOf(tree()).size(), 7);
}

TEST_F(PartnerTest, RemovingASubClassWithOkRemovesItsPartnersOnly)
{
    open();
    for (const QStringList& path : {QStringList{kRoot}, QStringList{kRoot, kSuppliers}}) {
        select(path);
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("请正确选择客户类别"));
        clickMenu(m_list.get(), QStringLiteral("N2"));
        script.verify();
    }
    select({kRoot, kSuppliers, kRetail});
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除零售的信息吗?"), QMessageBox::Cancel,
                         QMessageBox::Warning);
        clickMenu(m_list.get(), QStringLiteral("N2"));
    }
    EXPECT_EQ(treefile::linesOf(tree()).size(), 6);
    EXPECT_EQ(partnerCount(), 3);
    {
        ModalScript script;
        script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除零售的信息吗?"), QMessageBox::Ok,
                         QMessageBox::Warning);
        clickMenu(m_list.get(), QStringLiteral("N2"));
    }
    // The suppliers' 零售 and its partner are gone; the buyers' 零售 keeps its own.
    EXPECT_EQ(stored(QStringLiteral("S2")), QString());
    EXPECT_FALSE(stored(QStringLiteral("B1")).isEmpty());
    EXPECT_FALSE(stored(QStringLiteral("S1")).isEmpty());
    EXPECT_EQ(treefile::linesOf(tree()),
              (TreeLines{{0, kRoot}, {1, kSuppliers}, {2, kFactory}, {1, kBuyers}, {2, kRetail}}));
    // The selection moved to a neighbour and the list follows it.
    ASSERT_EQ(tree()->selectedItems().size(), 1);
    EXPECT_EQ(tree()->selectedItems().first()->text(0), kFactory);
    EXPECT_EQ(shownCodes(), QStringList{QStringLiteral("S1")});
}

// A sub-class named "供货商" takes nodes of its own under it; a partner added there is filed
// under that node's parent and its own name, and removing the node removes just those partners.
TEST_F(PartnerTest, ANodeBelowASubClassFilesPartnersUnderItsParentAndItself)
{
    const QString wholesale = QStringLiteral("批发");
    treefile::write(treefile::partnerFile(),
                    {{0, kRoot}, {1, kSuppliers}, {2, kFactory}, {1, kBuyers}, {2, kSuppliers}, {3, wholesale}});
    insert(QStringLiteral("S3"), QStringLiteral("戊店"), kBuyers, wholesale); // filed by the class, not the parent
    open();
    select({kRoot, kBuyers, kSuppliers, wholesale});
    withEntry(QStringLiteral("BitBtn1"), [](QWidget* d) {
        type(edit(d, 1), QStringLiteral("P1"));
        type(edit(d, 2), QStringLiteral("批发店"));
        click(d, QStringLiteral("BitBtn1"));
    });
    EXPECT_EQ(stored(QStringLiteral("P1")), QStringLiteral("P1 批发店 供货商 批发 "));

    ModalScript script;
    script.expectBox(QStringLiteral("提示"), QStringLiteral("确定删除批发的信息吗?"), QMessageBox::Ok,
                     QMessageBox::Warning);
    clickMenu(m_list.get(), QStringLiteral("N2"));
    script.verify();
    EXPECT_EQ(stored(QStringLiteral("P1")), QString());
    EXPECT_FALSE(stored(QStringLiteral("S3")).isEmpty());
    EXPECT_EQ(treefile::linesOf(tree()).size(), 5);
}

TEST_F(PartnerTest, TheTreeIsWrittenBackWhenTheListCloses)
{
    open();
    select({kRoot, kSuppliers});
    clickMenu(m_list.get(), QStringLiteral("N1"));
    QTreeWidgetItem* added = node({kRoot, kSuppliers, QStringLiteral("新供货商")});
    tree()->closePersistentEditor(added);
    added->setText(0, QStringLiteral("批发"));
    click(m_list.get(), QStringLiteral("BitBtn6"));
    EXPECT_EQ(treefile::read(treefile::partnerFile()),
              (TreeLines{{0, kRoot}, {1, kSuppliers}, {2, kFactory}, {2, kRetail}, {2, QStringLiteral("批发")},
                         {1, kBuyers}, {2, kRetail}}));
    open();
    EXPECT_NO_THROW(node({kRoot, kSuppliers, QStringLiteral("批发")}));
}

TEST_F(PartnerTest, ExportWritesTheListShown)
{
    QString written;
    setExportFolder(QDir(m_dir.path()).filePath(QStringLiteral("exports")));
    WorkbookOpener old = setWorkbookOpener([&written](const QString& file) {
        written = file;
        return true;
    });
    open();
    select({kRoot, kSuppliers});
    click(m_list.get(), QStringLiteral("BitBtn5"));
    setWorkbookOpener(old);
    setExportFolder(QString());
    EXPECT_TRUE(QFile::exists(written)) << written.toStdString();
}
