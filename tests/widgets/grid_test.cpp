// The data grid: one current row with its set, rows appearing and going, editing in place.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "widgets/DBGrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>

class GridTest : public InitializedDbTest {
protected:
    void SetUp() override
    {
        InitializedDbTest::SetUp();
        Database& db = Database::shared();
        db.exec(QStringLiteral("delete from J_jsfsb"));
        for (auto [bh, name] : {std::pair{"01", "现金"}, {"02", "支票"}, {"03", "汇款"}})
            db.exec(QStringLiteral("insert into J_jsfsb(bh,jsfs) values('%1','%2')").arg(bh, name));
        set = new ResultSet(Database::shared(), &screen);
        set->open(QStringLiteral("select bh as 编号,jsfs as 结算方式 from J_jsfsb"));
        source = new DataSource(&screen, set);
        grid = new DBGrid(&screen, QStringLiteral("DBGrid1"), source);
    }

    QStringList storedNames()
    {
        ResultSet rs(Database::shared());
        rs.open(QStringLiteral("select jsfs from J_jsfsb order by bh"));
        QStringList names;
        for (; !rs.eof(); rs.next()) {
            names << rs.text(QStringLiteral("jsfs"));
            if (rs.recNo() == rs.recordCount() - 1)
                break;
        }
        return names;
    }

    QWidget screen;
    ResultSet* set = nullptr;
    DataSource* source = nullptr;
    DBGrid* grid = nullptr;
};

TEST_F(GridTest, ShowsTheSetWithItsAliasesAsHeadings)
{
    ASSERT_EQ(grid->model()->columnCount(), 2);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("编号"));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("结算方式"));
    EXPECT_EQ(columnTexts(grid, 1), (QStringList{"现金", "支票", "汇款"}));
    EXPECT_EQ(grid->currentRow(), 0);
}

TEST_F(GridTest, CurrentRowIsSharedWithTheSet)
{
    clickCell(grid, 2, 1);
    EXPECT_EQ(set->recNo(), 2);
    set->prior();
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentIndex().column(), 1); // the column stays where the operator was
    set->locate(QStringLiteral("编号"), QStringLiteral("01"));
    EXPECT_EQ(grid->currentRow(), 0);
}

TEST_F(GridTest, AppendedRowAppearsAndCancelledRowGoes)
{
    clickCell(grid, 1);
    set->append();
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->currentRow(), 3);
    set->cancel();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->currentRow(), set->recNo());
    EXPECT_EQ(set->recNo(), 1);
}

TEST_F(GridTest, RemovedRowGoesAndReopenShowsNewRows)
{
    clickCell(grid, 1);
    set->remove();
    EXPECT_EQ(columnTexts(grid, 1), (QStringList{"现金", "汇款"}));
    EXPECT_EQ(grid->currentRow(), set->recNo());
    Database::shared().exec(QStringLiteral("insert into J_jsfsb(bh,jsfs) values('09','网银')"));
    set->requery();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->currentRow(), set->recNo());
}

TEST_F(GridTest, ReadOnlyGridRefusesTyping)
{
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_THROW(typeCell(grid, 0, 1, QStringLiteral("刷卡")), std::runtime_error);
    EXPECT_EQ(set->state(), ResultSet::Browse);
}

TEST_F(GridTest, TypedCellPostsWhenAnotherRowIsChosen)
{
    grid->setReadOnly(false);
    typeCell(grid, 1, 1, QStringLiteral("转账"));
    EXPECT_EQ(set->state(), ResultSet::Edit);
    EXPECT_EQ(cellText(grid, 1, 1), QStringLiteral("转账"));
    EXPECT_EQ(storedNames()[1], QStringLiteral("支票")); // not stored while on the row
    clickCell(grid, 0);
    EXPECT_EQ(set->state(), ResultSet::Browse);
    EXPECT_EQ(storedNames(), (QStringList{"现金", "转账", "汇款"}));
}

TEST_F(GridTest, NewRowTypedInTheGridIsStored)
{
    grid->setReadOnly(false);
    set->append();
    typeCell(grid, 3, 0, QStringLiteral("04"));
    typeCell(grid, 3, 1, QStringLiteral("刷卡"));
    set->post();
    EXPECT_EQ(storedNames(), (QStringList{"现金", "支票", "汇款", "刷卡"}));
    EXPECT_EQ(cellText(grid, 3, 1), QStringLiteral("刷卡"));
}

// A button that posts the row while the operator is still in a cell.
TEST_F(GridTest, CellStillOpenIsStoredWithTheRow)
{
    grid->setReadOnly(false);
    set->append();
    typeCell(grid, 3, 0, QStringLiteral("04"));
    clickCell(grid, 3, 1);
    grid->edit(grid->currentIndex());
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    type(editor, QStringLiteral("刷卡"));
    set->post();
    EXPECT_EQ(storedNames(), (QStringList{"现金", "支票", "汇款", "刷卡"}));
    EXPECT_EQ(grid->indexWidget(grid->currentIndex()), nullptr);
}

TEST_F(GridTest, RefusedPostShowsTheErrorAndKeepsTheRow)
{
    grid->setReadOnly(false);
    typeCell(grid, 2, 0, QStringLiteral("01")); // the key is taken
    ModalScript script;
    QString error;
    script.expectAnyError(&error);
    clickCell(grid, 0);
    EXPECT_TRUE(script.verify());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(set->state(), ResultSet::Edit);
    EXPECT_EQ(set->recNo(), 2);
    EXPECT_EQ(grid->currentRow(), 2);
    set->cancel();
    EXPECT_EQ(cellText(grid, 2, 0), QStringLiteral("03"));
}

TEST_F(GridTest, DisabledSourceShowsNothingUntilEnabled)
{
    source->setEnabled(false);
    EXPECT_EQ(grid->model()->rowCount(), 0);
    set->last();
    source->setEnabled(true);
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->currentRow(), 2);
}

TEST_F(GridTest, ColumnWidthsSurviveReopening)
{
    grid->setColumnWidths({150, 200});
    set->open();
    EXPECT_EQ(grid->columnWidth(0), 150);
    EXPECT_EQ(grid->columnWidth(1), 200);
}

TEST_F(GridTest, EachReadRefitsTheColumnsToWhatItShows)
{
    screen.resize(900, 300);
    screen.show();
    set->open(QStringLiteral("select bh as 编号,jsfs as 结算方式,bh*1.5 as 金额 from J_jsfsb"));
    const int first = grid->columnWidth(1);
    // Texts that differ from the read before in length, in their digits only, and a larger font.
    const struct {
        const char* name;
        const char* code;
        int pointSize;
    } reads[] = {
        {"银行承兑汇票", "04", 0}, {"1", "12", 0}, {"9999999999", "99", 0},
        {"1111111111", "00", 0}, {"现金", "04", 0}, {"银行承兑汇票", "12", 24},
    };
    Database& db = Database::shared();
    for (const auto& read : reads) {
        SCOPED_TRACE(read.name);
        db.exec(QStringLiteral("update J_jsfsb set jsfs='%1',bh='%2' where bh<>'01' and bh<>'03'")
                    .arg(QString::fromUtf8(read.name), QLatin1String(read.code)));
        if (read.pointSize) {
            QFont font = grid->font();
            font.setPointSize(read.pointSize);
            grid->setFont(font);
        }
        set->open();
        const QFontMetrics cells(grid->font());
        for (int column = 0; column < 3; ++column)
            for (const QString& text : columnTexts(grid, column))
                EXPECT_GT(grid->columnWidth(column), cells.horizontalAdvance(text)) << text.toStdString();
        if (QLatin1String(read.name) == QLatin1String("现金"))
            EXPECT_EQ(grid->columnWidth(1), first); // narrower again once the long name is gone
    }
}

TEST_F(GridTest, ColumnsFitTheirHeadingAndContentAndNumbersStandRight)
{
    Database::shared().exec(QStringLiteral("insert into J_jsfsb(bh,jsfs) values('04','银行承兑汇票')"));
    set->open(QStringLiteral("select bh as 编号,jsfs as 结算方式,bh*62.5 as 金额,bh as 现有库存的很长标题 from J_jsfsb"));
    grid->setColumnWidths({10, 10, 10, 10}); // asked narrower than the texts: the texts win
    screen.resize(900, 300);
    screen.show();
    const QFontMetrics cells(grid->font());
    const QFontMetrics heads(grid->horizontalHeader()->font());
    for (int column = 0; column < 4; ++column) {
        const QString heading = grid->model()->headerData(column, Qt::Horizontal).toString();
        SCOPED_TRACE(heading.toStdString());
        EXPECT_GT(grid->columnWidth(column), heads.horizontalAdvance(heading));
        for (const QString& text : columnTexts(grid, column))
            EXPECT_GT(grid->columnWidth(column), cells.horizontalAdvance(text)) << text.toStdString();
    }
    EXPECT_EQ(cellText(grid, 3, 2), QStringLiteral("250"));
    const auto alignment = [&](int column) {
        return Qt::Alignment(grid->model()->index(1, column).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(2), Qt::AlignRight); // a computed number
    EXPECT_EQ(alignment(1), Qt::AlignLeft);
}


// The read-only grid of a screen re-reads its set on every move to another voucher: fewer
// rows, more rows, none, other columns. Each time it shows what a grid built afresh would,
// and what an editable grid on the same set, which is always built afresh, shows.
TEST_F(GridTest, ReReadShowsTheNewRowsAndColumnsFromTheFirstCell)
{
    auto* twin = new DBGrid(&screen, QStringLiteral("DBGrid2"), source);
    twin->setReadOnly(false);
    auto* layout = new QHBoxLayout(&screen);
    layout->addWidget(grid);
    layout->addWidget(twin);
    screen.resize(900, 300);
    screen.show();
    const struct {
        const char* sql;
        QStringList headings;
        QStringList names; // column 1
    } reads[] = {
        {"select bh as 编号,jsfs as 结算方式 from J_jsfsb where bh<>'02'", {"编号", "结算方式"}, {"现金", "汇款"}},
        {"select bh as 编号,jsfs as 结算方式 from J_jsfsb", {"编号", "结算方式"}, {"现金", "支票", "汇款"}},
        {"select bh as 编号,jsfs as 结算方式 from J_jsfsb where bh='09'", {"编号", "结算方式"}, {}},
        {"select bh as 编号,jsfs as 结算方式 from J_jsfsb where bh='03'", {"编号", "结算方式"}, {"汇款"}},
        {"select bh as 代码,jsfs as 方式,bh*2 as 金额 from J_jsfsb", {"代码", "方式", "金额"}, {"现金", "支票", "汇款"}},
        {"select jsfs as 方式,bh as 代码 from J_jsfsb where bh<>'01'", {"方式", "代码"}, {"02", "03"}},
    };
    for (const auto& read : reads) {
        SCOPED_TRACE(read.sql);
        if (grid->model()->rowCount() > 0) {
            clickCell(grid, grid->model()->rowCount() - 1, 1); // the operator was elsewhere
            for (DBGrid* g : {grid, twin})
                g->verticalHeader()->resizeSection(0, 50);
        }
        set->open(QString::fromUtf8(read.sql));
        QStringList headings;
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            headings << grid->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_EQ(headings, read.headings);
        EXPECT_EQ(columnTexts(grid, 1), read.names);
        EXPECT_EQ(grid->horizontalHeader()->count(), read.headings.size());
        EXPECT_EQ(grid->verticalHeader()->count(), read.names.size());
        EXPECT_EQ(columnTexts(twin, 1), read.names);
        EXPECT_EQ(grid->currentIndex().row(), twin->currentIndex().row());
        for (int row = 0; row < read.names.size(); ++row)
            EXPECT_EQ(grid->rowHeight(row), twin->rowHeight(row)) << row;
        for (int column = 0; column < read.headings.size(); ++column)
            EXPECT_EQ(grid->columnWidth(column), twin->columnWidth(column)) << column;
        if (read.names.isEmpty()) {
            EXPECT_EQ(grid->currentRow(), -1);
            EXPECT_TRUE(grid->selectionModel()->selectedIndexes().isEmpty());
            continue;
        }
        EXPECT_EQ(set->recNo(), 0);
        EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 0));
        EXPECT_EQ(grid->selectionModel()->selectedIndexes(), QModelIndexList{grid->model()->index(0, 0)});
        clickCell(grid, read.names.size() - 1);
        EXPECT_EQ(set->recNo(), read.names.size() - 1); // still one current row with the set
    }
}

// The columns are fitted from the texts the cells show; what is measured must be what the
// view itself would measure, whatever the cells hold.
TEST_F(GridTest, FittedColumnsAreWhatTheViewMeasures)
{
    Database& db = Database::shared();
    db.exec(QStringLiteral("insert into J_jsfsb(bh,jsfs) values('04','承兑汇票 W1')"));
    db.exec(QStringLiteral("insert into J_jsfsb(bh,jsfs) values('05','')"));
    screen.resize(900, 300);
    for (bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "shown" : "hidden");
        if (shown)
            screen.show();
        for (const char* sql : {"select bh as 编号,jsfs as 结算方式,bh*1.25 as 金额,bh/3.0 as 比例 from J_jsfsb",
                                "select bh as 编号,jsfs as 结算方式,bh*1.25 as 金额,bh/3.0 as 比例 from J_jsfsb where bh>'03'",
                                "select bh as 编号,jsfs as 结算方式,bh*1.25 as 金额,bh/3.0 as 比例 from J_jsfsb where bh='09'"}) {
            SCOPED_TRACE(sql);
            set->open(QString::fromUtf8(sql));
            const QAbstractItemView* view = grid;
            const int widest = std::max(240, grid->viewport()->width() / 3);
            for (int column = 0; column < grid->model()->columnCount(); ++column) {
                const int measured = std::min(view->sizeHintForColumn(column) + 1, widest);
                EXPECT_EQ(grid->columnWidth(column), std::max(grid->horizontalHeader()->sectionSizeHint(column), measured))
                    << column;
            }
        }
    }
}
