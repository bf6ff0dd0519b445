// The category tree files: format, encodings, and files that cannot be read or written.
#include "master/TreeFile.h"

#include "db/Errors.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

const TreeLines kPartnerTree = {
    {0, QStringLiteral("我的客户")},
    {1, QStringLiteral("供货商")},
    {2, QStringLiteral("华东")},
    {2, QStringLiteral("王's 商行")},
    {1, QStringLiteral("购货商")},
    {2, QStringLiteral("零售")},
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(TreeFile, WritesTabLevelsAndCrLfInUtf8AndReadsThemBack)
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("khtree.dat"));
    treefile::write(path, kPartnerTree);

    QByteArray expected = QStringLiteral("我的客户\r\n\t供货商\r\n\t\t华东\r\n\t\t王's 商行\r\n\t购货商\r\n\t\t零售\r\n").toUtf8();
    EXPECT_EQ(readAll(path), expected);
    EXPECT_EQ(treefile::read(path), kPartnerTree);
}

TEST(TreeFile, ReadsGb18030FilesOfOlderInstallations)
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("sptree.dat"));
    QStringEncoder gbk("GB18030");
    ASSERT_TRUE(gbk.isValid());
    QByteArray bytes = gbk(QStringLiteral("我的库房\r\n\t茶叶\r\n\t文具\r\n"));
    writeAll(path, bytes);

    TreeLines expected = {{0, QStringLiteral("我的库房")}, {1, QStringLiteral("茶叶")}, {1, QStringLiteral("文具")}};
    EXPECT_EQ(treefile::read(path), expected);
}

TEST(TreeFile, ParsingRules)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        TreeLines expected;
    };
    const Case cases[] = {
        {"spaces count as levels", "root\r\n child\r\n  grandchild\r\n", {{0, "root"}, {1, "child"}, {2, "grandchild"}}},
        {"bare LF and no final break", "root\n\tchild", {{0, "root"}, {1, "child"}}},
        {"blank lines skipped", "root\r\n\r\n\t\r\n\tchild\r\n", {{0, "root"}, {1, "child"}}},
        {"back up several levels", "a\r\n\tb\r\n\t\tc\r\nd\r\n", {{0, "a"}, {1, "b"}, {2, "c"}, {0, "d"}}},
        {"UTF-8 mark dropped", "\xEF\xBB\xBFroot\r\n", {{0, "root"}}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(treefile::parse(c.bytes), c.expected) << c.name;
}

TEST(TreeFile, LevelJumpsAreRefused)
{
    EXPECT_THROW(treefile::parse("root\r\n\t\tdeep\r\n"), AppError);
    EXPECT_THROW(treefile::parse("\troot\r\n"), AppError);
}

TEST(TreeFile, NodeTextsThatWouldChangeTheirLevelAreWrittenFlat)
{
    TreeLines lines = {{0, QStringLiteral("root")}, {1, QStringLiteral("\t 茶\r\n叶")}};
    TreeLines back = treefile::parse(treefile::format(lines));
    TreeLines expected = {{0, QStringLiteral("root")}, {1, QStringLiteral("茶  叶")}};
    EXPECT_EQ(back, expected);
}

TEST(TreeFile, ALineOfOnlyCarriageReturnsAndBlanksIsBlank)
{
    // Found by fuzzing: the line "\r\t" was read as a node, written back as an empty line, and
    // the node below it moved under "rot" on the next reading.
    const TreeLines read = treefile::parse("rot\r\n\r\t\n\tr\tc");
    const TreeLines expected = {{0, QStringLiteral("rot")}, {1, QStringLiteral("r\tc")}};
    EXPECT_EQ(read, expected);
    EXPECT_EQ(treefile::parse(treefile::format(read)), expected);
}

TEST(TreeFile, FailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    // The longest name the file system allows: the file exists, but no new file can be
    // made beside it under a longer name, so replacing it must fail.
    QString path = dir.filePath(QString(250, u'x'));
    QByteArray old = treefile::format(kPartnerTree);
    writeAll(path, old);

    EXPECT_THROW(treefile::write(path, {{0, QStringLiteral("新的")}}), AppError);
    EXPECT_EQ(readAll(path), old);
}

TEST(TreeFile, WidgetRoundTrip)
{
    QTreeWidget tree;
    treefile::fill(&tree, kPartnerTree);
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->child(0)->child(1)->text(0), QStringLiteral("王's 商行"));
    EXPECT_TRUE(tree.topLevelItem(0)->child(1)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(treefile::linesOf(&tree), kPartnerTree);
}

TEST(TreeFile, LoadGivesTheDefaultTreeWhenTheFileIsMissingOrEmpty)
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("zgtree.dat"));
    QTreeWidget tree;
    EXPECT_FALSE(treefile::load(&tree, path, treefile::defaultDepartmentTree(), nullptr));
    EXPECT_EQ(treefile::linesOf(&tree), treefile::defaultDepartmentTree());

    writeAll(path, "");
    EXPECT_FALSE(treefile::load(&tree, path, treefile::defaultDepartmentTree(), nullptr));
    EXPECT_EQ(treefile::linesOf(&tree), treefile::defaultDepartmentTree());
}

TEST(TreeFile, ARenamedNodeTakesTheNameItWillBeReadBackWith)
{
    struct Case {
        QString typed;
        QString kept;
    };
    const Case cases[] = {
        {QStringLiteral("绿茶"), QStringLiteral("绿茶")},
        {QStringLiteral("  绿茶"), QStringLiteral("绿茶")},
        {QStringLiteral("\t 绿茶 "), QStringLiteral("绿茶 ")},
        {QStringLiteral("绿\r\n茶"), QStringLiteral("绿  茶")},
        {QStringLiteral(" \t "), QStringLiteral("茶叶")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        QTreeWidget tree;
        treefile::fill(&tree, {{0, QStringLiteral("我的库房")}, {1, QStringLiteral("茶叶")}, {2, QStringLiteral("龙井")}});
        treefile::keepNamesNonBlank(&tree);
        QTreeWidgetItem* node = tree.topLevelItem(0)->child(0);
        node->setText(0, c.typed); // as the in-place editor commits it
        EXPECT_EQ(node->text(0), c.kept);
        const TreeLines shown = treefile::linesOf(&tree);
        EXPECT_EQ(treefile::parse(treefile::format(shown)), shown);
    }
}
