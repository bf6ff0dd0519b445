// Export of grids to a workbook: the sheet written for each shape of layout, the kinds of
// cells, and the failures that must reach the operator.
#include "XlsxReader.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "reports/SpreadsheetExport.h"
#include "support/FreshDbTest.h"
#include "support/ModalScript.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString kCannotCreate = QStringLiteral("无法创建Xls文件，请确认是否安装EXCEL");

QString col(int c) // 1-based column letter
{
    return QString(QChar('A' + c - 1));
}

QString ref(int c, int row)
{
    return col(c) + QString::number(row);
}

class SpreadsheetExport : public FreshDbTest {
protected:
    void SetUp() override
    {
        FreshDbTest::SetUp();
        db.exec(QStringLiteral("create table J_t(dm char(10),mc char(30),sl numeric(10,2),rq smalldatetime,bz char(30))"));
        db.exec(QStringLiteral("insert into J_t(dm,mc,sl,rq,bz) values('001','螺丝',12.5,#2026/3/5#,null)"));
        db.exec(QStringLiteral("insert into J_t(dm,mc,sl,rq,bz) values('002','王''s 螺母',0,#2026/12/31#,'备')"));
        db.exec(QStringLiteral("insert into J_t(dm,mc,sl,rq,bz) values('010',null,-3,null,'x')"));
        outDir = m_dir.filePath(QStringLiteral("out"));
        setExportFolder(outDir);
        previousOpener = setWorkbookOpener([this](const QString& file) {
            opened << file;
            return openerAnswer;
        });
    }

    void TearDown() override
    {
        setWorkbookOpener(previousOpener);
        setExportFolder({});
        FreshDbTest::TearDown();
    }

    // Opens a result set of J_t with the given select list.
    void query(ResultSet& rs, const QString& selectList)
    {
        rs.open(QStringLiteral("select ") + selectList + QStringLiteral(" from J_t order by dm"));
    }

    // Exports and reads back the workbook handed to the opener.
    XlsxReader exportAndRead(const QString& layout, ResultSet& rs, const ExportOptions& options = {})
    {
        const int before = opened.size();
        exportToSpreadsheet(layout, rs, nullptr, options);
        EXPECT_EQ(opened.size(), before + 1);
        return XlsxReader(opened.value(opened.size() - 1));
    }

    static void expectHeadingStyle(const XlsxCell& c, const QString& where)
    {
        EXPECT_EQ(c.style.fontName, QStringLiteral("宋体")) << where.toStdString();
        EXPECT_EQ(c.style.fontSize, 14) << where.toStdString();
        EXPECT_TRUE(c.style.bold) << where.toStdString();
        EXPECT_EQ(c.style.hAlign, QStringLiteral("center")) << where.toStdString();
        EXPECT_EQ(c.style.vAlign, QStringLiteral("center")) << where.toStdString();
    }

    QStringList filesWritten() const { return QDir(outDir).entryList(QDir::Files); }

    Database& db = Database::shared();
    QString outDir;
    QStringList opened;
    bool openerAnswer = true;
    WorkbookOpener previousOpener;
};

const char* kGoodsSelect =
    "dm as 商品代码,mc as 商品名称,bz as 制造商,mc as 品牌,mc as 规格,mc as 单位,sl as 单价,sl as 利润率,"
    "sl as 现有库存,sl as 库存上限,sl as 库存下限,mc as 货位,bz as 备注";

TEST_F(SpreadsheetExport, PlainLayoutWritesTitleHeaderWidthsAndFonts)
{
    ResultSet rs(db);
    query(rs, QString::fromUtf8(kGoodsSelect));
    const XlsxReader x = exportAndRead(QStringLiteral("TForm32"), rs);

    EXPECT_EQ(x.text("A1"), QStringLiteral("商品表"));
    EXPECT_EQ(x.merges(), QStringList{QStringLiteral("A1:M1")});
    EXPECT_EQ(x.documentTitle(), QStringLiteral("商品表"));
    const QStringList headings = {"商品代码", "商品名称", "制造商", "品牌", "规格", "单位", "单价",
                                  "利润率", "现有库存", "库存上限", "库存下限", "货位", "备注"};
    const int widths[] = {10, 20, 30, 10, 10, 5, 10, 10, 10, 10, 10, 20, 30};
    for (int c = 1; c <= 13; ++c) {
        expectHeadingStyle(x.cell(ref(c, 1)), ref(c, 1));
        EXPECT_EQ(x.text(ref(c, 2)), headings[c - 1]);
        expectHeadingStyle(x.cell(ref(c, 2)), ref(c, 2));
        // Stored widths carry the spreadsheet's cell padding of less than one character.
        EXPECT_GE(x.width(c), widths[c - 1]) << c;
        EXPECT_LT(x.width(c), widths[c - 1] + 1) << c;
    }
    EXPECT_FALSE(x.has(QStringLiteral("N1")));
    EXPECT_FALSE(x.has(QStringLiteral("N2")));

    EXPECT_EQ(x.rows(), (QList<int>{1, 2, 3, 4, 5}));
    const QStringList codes = {"001", "002", "010"};
    for (int row = 3; row <= 5; ++row) {
        const XlsxCell first = x.cell(ref(1, row));
        EXPECT_EQ(first.text, codes[row - 3]);
        EXPECT_EQ(first.style.fontName, QStringLiteral("幼圆"));
        EXPECT_EQ(first.style.fontSize, 12);
        EXPECT_FALSE(first.style.bold);
        const XlsxCell other = x.cell(ref(7, row));
        EXPECT_EQ(other.style.fontName, x.defaultStyle().fontName);
        EXPECT_FALSE(other.style.bold);
        EXPECT_TRUE(other.style.hAlign.isEmpty());
    }
}

TEST_F(SpreadsheetExport, CellsKeepTheKindOfTheirValues)
{
    ResultSet rs(db);
    query(rs, QStringLiteral("rq as 日期,dm as 凭证号,mc as 摘要,sl as 收款金额,bz as 付款金额,sl as 结存金额"));
    const XlsxReader x = exportAndRead(QStringLiteral("TForm47"), rs);

    // A date in the first column: a date cell that also carries the first column's font.
    const XlsxCell date = x.cell(QStringLiteral("A3"));
    EXPECT_EQ(date.type, QStringLiteral("n"));
    EXPECT_EQ(date.text.toInt(), QDate(1899, 12, 30).daysTo(QDate(2026, 3, 5)));
    EXPECT_EQ(date.style.numFormat, QStringLiteral("yyyy/m/d"));
    EXPECT_EQ(date.style.fontName, QStringLiteral("幼圆"));
    EXPECT_EQ(x.text(QStringLiteral("A4")).toInt(), QDate(1899, 12, 30).daysTo(QDate(2026, 12, 31)));

    struct Case {
        const char* ref;
        const char* type; // "" : no value in the cell
        const char* text;
    };
    const Case cases[] = {
        {"B3", "inlineStr", "001"},   // a code stays text with its zeros
        {"C4", "inlineStr", "王's 螺母"},
        {"D3", "n", "12.5"},          {"D4", "n", "0"}, {"D5", "n", "-3"},
        {"E3", "", ""},               // null text
        {"E4", "inlineStr", "备"},
        {"C5", "", ""},               // null text
        {"A5", "", ""},               // null date, first column
    };
    for (const Case& c : cases) {
        const XlsxCell cell = x.cell(QString::fromLatin1(c.ref));
        EXPECT_EQ(cell.type, QString::fromUtf8(c.type)) << c.ref;
        EXPECT_EQ(cell.text, QString::fromUtf8(c.text)) << c.ref;
    }
    EXPECT_EQ(x.cell(QStringLiteral("A5")).style.fontName, QStringLiteral("幼圆"));
}

TEST_F(SpreadsheetExport, OpenItemColumnsFollowTheCheckedRadioButton)
{
    const QString full = QStringLiteral(
        "dm as 凭证号,mc as 发票号,bz as 入库类别,mc as 采购员,dm as 审核人,sl as 应付款,sl as 实付款,sl as 欠款,rq as 日期");
    // Return vouchers have no invoice number: their grid lacks the column.
    const QString returns = QStringLiteral(
        "dm as 凭证号,bz as 退货原因,mc as 经手人,dm as 审核人,sl as 应付款,sl as 实付款,sl as 欠款,rq as 日期");
    struct Case {
        int radio;
        QString select;
        QString b2, c2, d2;
        QString b4, c4, d4;
    };
    const Case cases[] = {
        {1, full, "发票号", "入库类别", "采购员", "王's 螺母", "备", "王's 螺母"},
        {2, returns, "发票号", "退货原因", "经手人", "", "备", "王's 螺母"},
        {0, full, "发票号", "", "", "王's 螺母", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        ResultSet rs(db);
        query(rs, c.select);
        const XlsxReader x = exportAndRead(QStringLiteral("TForm23"), rs, {.checkedRadio = c.radio});
        EXPECT_EQ(x.text("A1"), QStringLiteral("应付款表"));
        EXPECT_EQ(x.merges(), QStringList{QStringLiteral("A1:I1")});
        EXPECT_EQ(x.text("A2"), QStringLiteral("凭证号"));
        EXPECT_EQ(x.text("B2"), c.b2);
        EXPECT_EQ(x.text("C2"), c.c2);
        EXPECT_EQ(x.text("D2"), c.d2);
        EXPECT_EQ(x.text("E2"), QStringLiteral("审核人"));
        EXPECT_EQ(x.text("I2"), QStringLiteral("日期"));
        expectHeadingStyle(x.cell("C2"), QStringLiteral("C2"));
        EXPECT_EQ(x.text("A4"), QStringLiteral("002"));
        EXPECT_EQ(x.text("B4"), c.b4);
        EXPECT_EQ(x.text("C4"), c.c4);
        EXPECT_EQ(x.text("D4"), c.d4);
        EXPECT_EQ(x.text("E4"), QStringLiteral("002"));
        EXPECT_GE(x.width(3), 10);
        EXPECT_LT(x.width(3), 11);
    }
    // The receivables screen: its third column is wider.
    ResultSet rs(db);
    query(rs, QStringLiteral("dm as 凭证号,mc as 发票号,bz as 出库类别,mc as 销售员,dm as 审核人,sl as 应收款,sl as 实收款,"
                             "sl as 欠款,rq as 日期"));
    const XlsxReader x = exportAndRead(QStringLiteral("TForm24"), rs, {.checkedRadio = 1});
    EXPECT_EQ(x.text("A1"), QStringLiteral("应收款表"));
    EXPECT_EQ(x.text("C2"), QStringLiteral("出库类别"));
    EXPECT_EQ(x.text("D2"), QStringLiteral("销售员"));
    EXPECT_GE(x.width(3), 20);
    EXPECT_LT(x.width(3), 21);
}

TEST_F(SpreadsheetExport, EmployeesCentreIdentityAndMobileInEveryDataRow)
{
    ResultSet rs(db);
    query(rs, QStringLiteral("dm as 工号,mc as 姓名,bz as 性别,sl as 年龄,bz as 学历,dm as 身份证号,bz as 职务,dm as 手机,"
                             "mc as 住址,mc as 爱好"));
    const XlsxReader x = exportAndRead(QStringLiteral("TForm51"), rs);
    EXPECT_EQ(x.text("A1"), QStringLiteral("职工表"));
    EXPECT_EQ(x.merges(), QStringList{QStringLiteral("A1:J1")});
    for (int row = 3; row <= 5; ++row) {
        for (int c = 2; c <= 10; ++c) {
            const bool centred = c == 6 || c == 8;
            EXPECT_EQ(x.cell(ref(c, row)).style.hAlign, centred ? QStringLiteral("center") : QString()) << ref(c, row).toStdString();
        }
        EXPECT_EQ(x.cell(ref(1, row)).style.fontName, QStringLiteral("幼圆"));
    }
    EXPECT_EQ(x.text("F3"), QStringLiteral("001"));
}

TEST_F(SpreadsheetExport, OverdueListFormatsTheTitleRowOnly)
{
    ResultSet rs(db);
    query(rs, QStringLiteral("mc as 客户名称,bz as 出库类别"));
    const XlsxReader x = exportAndRead(QStringLiteral("TForm44"), rs);
    EXPECT_EQ(x.text("A1"), QStringLiteral("应收款客户表"));
    EXPECT_EQ(x.merges(), QStringList{QStringLiteral("A1:B1")});
    expectHeadingStyle(x.cell("A1"), QStringLiteral("A1"));
    expectHeadingStyle(x.cell("B1"), QStringLiteral("B1"));
    for (const char* r : {"A2", "B2"}) {
        const XlsxCell c = x.cell(QString::fromLatin1(r));
        EXPECT_FALSE(c.style.bold) << r;
        EXPECT_TRUE(c.style.hAlign.isEmpty()) << r;
        EXPECT_EQ(c.style.fontName, x.defaultStyle().fontName) << r;
    }
    EXPECT_EQ(x.text("A2"), QStringLiteral("客户名称"));
    EXPECT_EQ(x.text("B2"), QStringLiteral("出库类别"));
    EXPECT_EQ(x.text("A3"), QStringLiteral("螺丝"));
}

TEST_F(SpreadsheetExport, SummaryQueriesExportByOutputKind)
{
    const QString headers = QStringLiteral("dm as 凭证号,mc as 发票号,mc as %1,dm as 审核人,sl as %2,sl as %3,sl as 欠款,rq as %4");
    const QString goods = QStringLiteral("dm as 商品代码,mc as 商品名称,mc as 品牌,mc as 规格,mc as 单位,sl as 单价,sl as 数量");
    struct Case {
        QString layout;
        int radio;
        QString select;
        QString title;
        QString lastHeading; // of column L
        int columns;
        bool namesDocument;
    };
    const Case cases[] = {
        {"TForm54", 1, headers.arg("采购员", "应付款", "实付款", "采购日期"), "主单据表", "采购日期", 8, false},
        {"TForm54", 2, goods, "商品入库汇总表", "数量", 7, true},
        {"TForm54", 3, goods + ",rq as 采购日期", "商品入库明细表", "采购日期", 8, true},
        {"TForm55", 1, headers.arg("销售员", "应收款", "实收款", "销售日期"), "主单据表", "销售日期", 8, true},
        {"TForm55", 2, goods, "商品出库汇总表", "数量", 7, true},
        {"TForm55", 3, goods + ",rq as 销售日期", "商品出库明细表", "销售日期", 8, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.layout + QString::number(c.radio)).toStdString());
        ResultSet rs(db);
        query(rs, c.select);
        const XlsxReader x = exportAndRead(c.layout, rs, {.checkedRadio = c.radio, .comboBox1 = QStringLiteral("甲")});
        EXPECT_EQ(x.text("A1"), c.title);
        EXPECT_EQ(x.merges(), QStringList{QStringLiteral("A1:") + col(c.columns) + QStringLiteral("1")});
        EXPECT_EQ(x.text(ref(c.columns, 2)), c.lastHeading);
        EXPECT_FALSE(x.has(ref(c.columns + 1, 2)));
        EXPECT_EQ(x.documentTitle(), c.namesDocument ? c.title : QString());
        EXPECT_EQ(x.rows().size(), 5);
    }
}

TEST_F(SpreadsheetExport, SummaryQueriesDoNothingWithoutPartnerOrCategory)
{
    ResultSet rs(db);
    query(rs, QStringLiteral("dm as 商品代码"));
    rs.next();
    for (const char* layout : {"TForm54", "TForm55"}) {
        for (int radio : {1, 2, 3}) {
            exportToSpreadsheet(QString::fromLatin1(layout), rs, nullptr, {.checkedRadio = radio});
            EXPECT_EQ(rs.recNo(), 1);
        }
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(filesWritten().isEmpty());
    // A category alone is enough.
    ResultSet full(db);
    query(full, QStringLiteral("dm as 商品代码,mc as 商品名称,mc as 品牌,mc as 规格,mc as 单位,sl as 单价,sl as 数量"));
    exportToSpreadsheet(QStringLiteral("TForm55"), full, nullptr, {.checkedRadio = 2, .comboBox2 = QStringLiteral("批发")});
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(SpreadsheetExport, EmptySetGivesTitleAndHeaderOnly)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select mc as 客户名称,bz as 出库类别 from J_t where dm='none'"));
    const XlsxReader x = exportAndRead(QStringLiteral("TForm44"), rs);
    EXPECT_EQ(x.rows(), (QList<int>{1, 2}));
    EXPECT_EQ(x.text("B2"), QStringLiteral("出库类别"));
}

TEST_F(SpreadsheetExport, SetEndsOnItsLastRowWithTheGridFollowingAgain)
{
    ResultSet rs(db);
    query(rs, QStringLiteral("mc as 客户名称,bz as 出库类别"));
    int resets = 0;
    QObject::connect(&rs, &ResultSet::reset, [&] { ++resets; });
    exportAndRead(QStringLiteral("TForm44"), rs);
    EXPECT_EQ(rs.recNo(), 2);
    EXPECT_FALSE(rs.controlsDisabled());
    EXPECT_EQ(resets, 1);
}

TEST_F(SpreadsheetExport, LongSetIsWrittenWholeAndTheFileIsFreeAfterwards)
{
    // More rows than an editable set keeps read at a time, and a row changed while shown.
    {
        Transaction t(db);
        for (int i = 0; i < 2500; ++i)
            db.exec(QStringLiteral("insert into J_t(dm,mc,sl,rq) values('%1','品%1',%1,#%2#)")
                        .arg(100 + i)
                        .arg(QDate(2026, 1, 1).addDays(i % 300).toString(QStringLiteral("yyyy/M/d"))));
        t.commit();
    }
    ResultSet rs(db);
    rs.open(QStringLiteral("select dm as 客户名称,rq as 出库类别 from J_t"));
    ASSERT_TRUE(rs.canModify());
    rs.moveTo(2);
    rs.edit();
    rs.setValue(QStringLiteral("客户名称"), QStringLiteral("改过"));
    const XlsxReader x = exportAndRead(QStringLiteral("TForm44"), rs);
    EXPECT_EQ(x.rows().size(), 2 + 2503);
    EXPECT_EQ(x.text("A5"), QStringLiteral("改过")); // posted before the walk
    EXPECT_EQ(x.text("A2505"), QStringLiteral("2599"));
    EXPECT_EQ(x.text("B2505").toInt(), QDate(1899, 12, 30).daysTo(QDate(2026, 1, 1).addDays(2499 % 300)));
    // The walk's view of the file ends with it: the next change is stored.
    EXPECT_FALSE(db.inTransaction());
    db.exec(QStringLiteral("delete from J_t where dm='2599'"));
    EXPECT_EQ(db.changes(), 1);
}

TEST_F(SpreadsheetExport, ExportingTwiceLeavesTwoWorkbooks)
{
    ResultSet rs(db);
    query(rs, QStringLiteral("mc as 客户名称,bz as 出库类别"));
    exportToSpreadsheet(QStringLiteral("TForm44"), rs);
    exportToSpreadsheet(QStringLiteral("TForm44"), rs);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_NE(opened[0], opened[1]);
    EXPECT_EQ(filesWritten().size(), 2);
    for (const QString& f : opened) {
        EXPECT_TRUE(QFileInfo(f).fileName().startsWith(QStringLiteral("应收款客户表"))) << f.toStdString();
        EXPECT_TRUE(f.endsWith(QStringLiteral(".xlsx")));
    }
}

TEST_F(SpreadsheetExport, WalkStopsAtTheFailingCellAndOpensWhatWasWritten)
{
    struct Case {
        const char* name;
        QString sql;         // empty: the screen never queried
        QString missing;     // column the error names; empty: no error
        QList<int> rows;     // sheet rows holding cells afterwards
    };
    const Case cases[] = {
        // Another shape in the grid: the first row stops at its second cell.
        {"missing column", QStringLiteral("select mc as 客户名称,bz as 入库类别 from J_t order by dm"),
         QStringLiteral("出库类别"), {1, 2, 3}},
        // Nothing was walked, so nothing was looked up.
        {"missing column, no rows", QStringLiteral("select mc as 客户名称,bz as 入库类别 from J_t where dm='none'"),
         QString(), {1, 2}},
        {"not queried", QString(), QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        opened.clear();
        ResultSet rs(db);
        if (!c.sql.isEmpty())
            rs.open(c.sql);
        try {
            exportToSpreadsheet(QStringLiteral("TForm44"), rs);
            EXPECT_TRUE(c.missing.isEmpty() && !c.sql.isEmpty()) << "no error";
        } catch (const DbError& e) {
            EXPECT_TRUE(!c.missing.isEmpty() || c.sql.isEmpty()) << e.what();
            EXPECT_TRUE(e.text().contains(c.missing)) << e.what();
        }
        EXPECT_FALSE(rs.controlsDisabled());
        ASSERT_EQ(opened.size(), 1);
        const XlsxReader x(opened.first());
        EXPECT_EQ(x.documentTitle(), QStringLiteral("应收款客户表"));
        EXPECT_EQ(x.rows(), c.rows);
        if (c.rows.contains(3)) {
            EXPECT_EQ(x.text("A3"), QStringLiteral("螺丝"));
            EXPECT_FALSE(x.has(QStringLiteral("B3")));
        }
    }
}

TEST_F(SpreadsheetExport, AWorkbookThatCannotBeWrittenIsReported)
{
    // A file where the folder should be: no folder can be made there, whoever runs the test.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    setExportFolder(blocker.fileName() + QStringLiteral("/out"));
    ResultSet rs(db);
    query(rs, QStringLiteral("mc as 客户名称,bz as 出库类别"));
    try {
        exportToSpreadsheet(QStringLiteral("TForm44"), rs);
        ADD_FAILURE() << "no error";
    } catch (const DbError&) {
        ADD_FAILURE() << "database error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), kCannotCreate);
    }
}

// When no application takes the workbook it stays where it was written, and the box says where.
TEST_F(SpreadsheetExport, AWorkbookNoApplicationOpensIsKeptAndItsPlaceTold)
{
    openerAnswer = false;
    ResultSet rs(db);
    query(rs, QStringLiteral("mc as 客户名称,bz as 出库类别"));
    ModalScript script;
    QString shown;
    script.expectInfoBox(&shown);
    exportToSpreadsheet(QStringLiteral("TForm44"), rs);
    script.verify();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(QFile::exists(opened.first()));
    EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(opened.first()))) << shown.toStdString();
    EXPECT_EQ(XlsxReader(opened.first()).text("A3"), QStringLiteral("螺丝"));
}

// Workbooks are kept in the user's documents folder, which is made when missing.
TEST_F(SpreadsheetExport, WorkbooksGoToTheExportFolderInTheDocuments)
{
    const QByteArray home = qgetenv("HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const QString fakeHome = m_dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(fakeHome));
    qputenv("HOME", QFile::encodeName(fakeHome));
    qunsetenv("XDG_CONFIG_HOME");
    setExportFolder({});
    const QString folder = exportFolder();
    ResultSet rs(db);
    query(rs, QStringLiteral("mc as 客户名称,bz as 出库类别"));
    exportToSpreadsheet(QStringLiteral("TForm44"), rs);
    qputenv("HOME", home);
    if (!configHome.isEmpty())
        qputenv("XDG_CONFIG_HOME", configHome);
    EXPECT_EQ(folder, fakeHome + QStringLiteral("/Documents/岚桥进销存导出"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(QFileInfo(opened.first()).absolutePath(), folder);
}

} // namespace
