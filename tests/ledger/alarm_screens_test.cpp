// The stock alarm and the overdue-debtor alarm: what they list and their export.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "db/Database.h"
#include "db/SqlText.h"
#include "ledger/OverdueAlarmScreen.h"
#include "ledger/StockAlarmScreen.h"
#include "reports/SpreadsheetExport.h"

#include <QDate>
#include <QFile>
#include <QTableView>

namespace {

void execSql(const QString& sql)
{
    Database::shared().exec(sql);
}

// The grid of the screen as "cell|cell|…" rows, the header first; then exported.
template <class Screen>
QStringList shown(const QString& exportButton)
{
    Screen screen;
    QStringList rows;
    ModalScript script;
    script.onDialog(QString::fromLatin1(Screen::staticMetaObject.className()), [&](QWidget* d) {
        auto* grid = child<QTableView>(d, QStringLiteral("DBGrid1"));
        QStringList header;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            header << grid->model()->headerData(c, Qt::Horizontal).toString();
        rows << header.join(QLatin1Char('|'));
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                cells << cellText(grid, r, c);
            rows << cells.join(QLatin1Char('|'));
        }
        click(d, exportButton);
        click(d, QStringLiteral("BitBtn21"));
    });
    screen.exec();
    script.verify();
    return rows;
}

class AlarmScreensTest : public InitializedDbTest {
protected:
    void SetUp() override
    {
        InitializedDbTest::SetUp();
        setExportFolder(m_dir.filePath(QStringLiteral("exports")));
        m_previous = setWorkbookOpener([this](const QString& file) {
            m_opened << file;
            return true;
        });
    }
    void TearDown() override
    {
        setWorkbookOpener(m_previous);
        setExportFolder(QString());
        InitializedDbTest::TearDown();
    }
    QStringList m_opened;
    WorkbookOpener m_previous;
};

TEST_F(AlarmScreensTest, StockAlarmListsArticlesAtOrBelowANonZeroLowerLimit)
{
    const struct {
        const char* code;
        double stock;
        double lower;
    } goods[] = {{"A1", 5, 5}, {"A2", 4, 5}, {"A3", 6, 5}, {"A4", 0, 0}, {"A5", -2, 1}, {"A6", -9, 0}};
    for (const auto& g : goods)
        execSql(QStringLiteral("insert into J_spb(spdm,spmc,xykc,kcxx,kcsx) values('%1','王''s 货',%2,%3,100)")
                    .arg(QLatin1String(g.code), numText(g.stock), numText(g.lower)));
    QStringList rows = shown<TForm32>(QStringLiteral("BitBtn20"));
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.takeFirst(),
              QStringLiteral("商品代码|商品名称|制造商|品牌|规格|单位|单价|利润率|现有库存|库存上限|库存下限|货位|备注"));
    QStringList codes;
    for (const QString& row : rows)
        codes << row.section(QLatin1Char('|'), 0, 0);
    codes.sort();
    EXPECT_EQ(codes, (QStringList{"A1", "A2", "A5"}));
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_TRUE(QFile::exists(m_opened.first()));
}

TEST_F(AlarmScreensTest, OverdueAlarmListsEachDebtorAndCategoryOnceFromSalesAndPurchaseReturns)
{
    const QString today = shortDate(QDate::currentDate());
    const QString tomorrow = shortDate(QDate::currentDate().addDays(1));
    const QString sale = QStringLiteral("insert into J_xsb(pzh,ghs,cklb,ysk,ssk,fqf,jzrq) values('%1','%2','%3',100,%4,%5,%6)");
    const QString back = QStringLiteral("insert into J_cgthb(pzh,ths,cklb,ysk,ssk,fqf,jzrq) values('%1','%2','%3',100,0,0,%4)");
    execSql(sale.arg("XS1", "王''s", "批发", "0", "0", "'" + today + "'"));
    execSql(sale.arg("XS2", "王''s", "批发", "50", "0", "#2020/1/1#"));
    execSql(back.arg("CT1", "王''s", "批发", "'" + today + "'"));
    execSql(back.arg("CT2", "王''s", "零售", "'2021/5/6'"));
    execSql(sale.arg("XS3", "明天", "批发", "0", "0", "'" + tomorrow + "'"));
    execSql(sale.arg("XS4", "已结", "批发", "0", "1", "'" + today + "'"));
    execSql(sale.arg("XS5", "付清", "批发", "100", "0", "'" + today + "'"));
    execSql(sale.arg("XS6", "无日期", "批发", "0", "0", "null"));

    QStringList rows = shown<TForm44>(QStringLiteral("BitBtn1"));
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.takeFirst(), QStringLiteral("客户名称|出库类别"));
    rows.sort();
    EXPECT_EQ(rows, (QStringList{"王's|批发", "王's|零售"}));
    EXPECT_EQ(m_opened.size(), 1);
}

TEST_F(AlarmScreensTest, TheScreensHaveTheirCaptionsAndTheStockAlarmItsStatusBar)
{
    TForm32 stock;
    TForm44 overdue;
    EXPECT_EQ(stock.windowTitle(), QStringLiteral("库存商品报警"));
    EXPECT_EQ(overdue.windowTitle(), QStringLiteral("欠费客户报警提示（应收款）"));
    EXPECT_EQ(child<QWidget>(&overdue, QStringLiteral("GroupBox1"))->property("title").toString(),
              QStringLiteral("欠费到期客户名单"));
    for (const char* inside : {"DBGrid1", "BitBtn1", "BitBtn21"})
        EXPECT_EQ(child<QWidget>(&overdue, QLatin1String(inside))->parentWidget()->objectName(),
                  QStringLiteral("GroupBox1"))
            << inside;
    EXPECT_EQ(overdue.findChild<QWidget*>(QStringLiteral("StatusBar1")), nullptr);
    ModalScript script;
    script.onDialog(QStringLiteral("TForm32"), [](QWidget* d) {
        EXPECT_EQ(child<QWidget>(d, QStringLiteral("StatusBar1Panel1"))->property("text").toString(),
                  QStringLiteral("管理员"));
        click(d, QStringLiteral("BitBtn21"));
    });
    stock.exec();
    script.verify();
}

} // namespace
