// The printed trade voucher: layout of the bands, texts per kind, PDF output and the
// preview form.
#include "support/InitializedDb.h"

#include "db/Database.h"
#include "db/Errors.h"
#include "db/SqlText.h"
#include "vouchers/VoucherPrintDraw.h"
#include "vouchers/VoucherPrintForm.h"
#include "vouchers/VoucherPrintLayout.h"
#include "vouchers/VoucherKind.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

constexpr double mm = 0.001; // positions compare to a thousandth of a millimetre

VoucherPrintData sampleVoucher(const VoucherKind& kind, int lineCount)
{
    VoucherPrintData d;
    d.texts = kind.print();
    d.companyName = QStringLiteral("  岚桥商贸  ");
    d.companyAddress = QStringLiteral("青岛市市南区");
    d.companyPhone = QStringLiteral("0532-1234567");
    d.number = QStringLiteral("CG1001044_001");
    d.date = QStringLiteral("2004/4/15");
    d.category = QStringLiteral(" 采购 ");
    d.partner = QStringLiteral("华丰五金");
    d.person = QStringLiteral("张三");
    d.approver = QStringLiteral("李四");
    d.remark = QStringLiteral("急件");
    d.due = QStringLiteral("1234.5");
    d.paid = QStringLiteral("1000");
    d.outstanding = QStringLiteral("234.5");
    d.printDate = QDate(2004, 4, 20);
    for (int i = 1; i <= lineCount; ++i) {
        const QString n = QString::number(i);
        d.lines.append({QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("螺丝") + n,
                        QStringLiteral("个"), QStringLiteral("2.5"), n, numText(2.5 * i)});
    }
    return d;
}

// The only text of an element on a page; fails when there is not exactly one.
VoucherPrintText only(const VoucherPrintPage& page, const QString& name)
{
    const QVector<VoucherPrintText> found = page.textsNamed(name);
    EXPECT_EQ(found.size(), 1) << name.toStdString();
    return found.value(0);
}

QString textOf(const VoucherPrintPage& page, const QString& name)
{
    return only(page, name).text;
}

int totalBands(const VoucherPrintDocument& doc, const QString& name)
{
    int n = 0;
    for (const VoucherPrintPage& p : doc.pages)
        n += p.bandCount(name);
    return n;
}

} // namespace

// --- layout -----------------------------------------------------------------------------

TEST(VoucherPrintLayout, OneLineVoucherPlacesEveryBandWithItsTexts)
{
    const VoucherPrintDocument doc = layoutVoucher(sampleVoucher(purchaseKind(), 1));
    ASSERT_EQ(doc.pages.size(), 1);
    const VoucherPrintPage& page = doc.pages[0];

    // Bands stack from the top margin: title 45, column header 6.35, one detail 5.8, summary.
    ASSERT_EQ(page.bands.size(), 4);
    const struct { const char* name; double top; double height; } bands[] = {
        {"TitleBand1", 10.0, 45.0},
        {"ColumnHeaderBand1", 55.0, 6.35},
        {"DetailBand1", 61.35, 5.8},
        {"SummaryBand1", 67.15, 19.6},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(page.bands[i].name, QLatin1String(bands[i].name));
        EXPECT_NEAR(page.bands[i].top, bands[i].top, mm);
        EXPECT_NEAR(page.bands[i].height, bands[i].height, mm);
    }

    const VoucherPrintText title = only(page, QStringLiteral("QRLabel1"));
    EXPECT_EQ(title.text, QStringLiteral("岚桥商贸商品入库单"));
    EXPECT_NEAR(title.left, 65.0, mm);
    EXPECT_NEAR(title.top, 14.2, mm);
    EXPECT_EQ(title.font, (VoucherPrintFont{QStringLiteral("黑体"), 21, true}));

    const VoucherPrintText partnerCaption = only(page, QStringLiteral("QRLabel4"));
    EXPECT_EQ(partnerCaption.font, (VoucherPrintFont{QStringLiteral("MS Sans Serif"), 13, true}));
    EXPECT_NEAR(partnerCaption.left, 11.9, mm);
    EXPECT_NEAR(partnerCaption.top, 33.0, mm);
    EXPECT_EQ(textOf(page, QStringLiteral("QRLabel10")), QStringLiteral("华丰五金"));
    EXPECT_EQ(textOf(page, QStringLiteral("QRLabel16")), QStringLiteral("打印时间："));
    const VoucherPrintText printed = only(page, QStringLiteral("QRSysData1"));
    EXPECT_EQ(printed.text, QStringLiteral("2004/4/20"));
    EXPECT_NEAR(printed.left, 176.4, mm);

    // The header box: captions in the upper row, values in the lower, in their columns.
    const struct { const char* caption; const char* captionText; const char* value; const char* valueText; double valueLeft; } cells[] = {
        {"QRLabel2", "凭证号", "QRLabel17", "CG1001044_001", 3.2},
        {"QRLabel3", "入库时间", "QRLabel18", "2004/4/15", 34.1},
        {"QRLabel5", "入库类别", "QRLabel19", "采购", 53.7},
        {"QRLabel6", "采购员", "QRLabel20", "张三", 71.7},
        {"QRLabel7", "审核人", "QRLabel21", "李四", 91.3},
        {"QRLabel8", "付清否", "QRLabel22", "未付清", 111.7},
        {"QRLabel9", "备注", "QRLabel23", "急件", 133.6},
    };
    for (const auto& c : cells) {
        const VoucherPrintText caption = only(page, QLatin1String(c.caption));
        const VoucherPrintText value = only(page, QLatin1String(c.value));
        EXPECT_EQ(caption.text, QString::fromUtf8(c.captionText)) << c.caption;
        EXPECT_EQ(value.text, QString::fromUtf8(c.valueText)) << c.value;
        EXPECT_NEAR(value.left, 10.0 + c.valueLeft, mm) << c.value;
        EXPECT_GE(caption.top, 10.0 + 30.2 - mm);
        EXPECT_LE(caption.top, 10.0 + 30.7 + mm);
        EXPECT_GE(value.top, 10.0 + 38.4 - mm);
        EXPECT_LE(value.top, 10.0 + 39.2 + mm);
        EXPECT_EQ(caption.font.face, QStringLiteral("宋体"));
    }

    // Column captions, then the line under them.
    const char* captions[][2] = {{"QRLabel11", "商品代码"}, {"QRLabel12", "商品名称"}, {"QRLabel13", "单位"},
                                 {"QRLabel14", "单价"},     {"QRLabel15", "数量"},     {"QRLabel32", "合计"}};
    for (const auto& c : captions)
        EXPECT_EQ(textOf(page, QLatin1String(c[0])), QString::fromUtf8(c[1]));
    EXPECT_EQ(only(page, QStringLiteral("QRLabel11")).font, (VoucherPrintFont{QStringLiteral("MS Sans Serif"), 11, false}));
    EXPECT_EQ(only(page, QStringLiteral("QRLabel32")).font, (VoucherPrintFont{QStringLiteral("宋体"), 13, false}));

    const char* fields[][3] = {{"QRDBText10", "001", "2.9"},  {"QRDBText11", "螺丝1", "34.4"},
                               {"QRDBText12", "个", "71.4"},   {"QRDBText13", "2.5", "91.5"},
                               {"QRDBText14", "1", "112.4"},  {"QRDBText1", "2.5", "133.9"}};
    for (const auto& f : fields) {
        const VoucherPrintText t = only(page, QLatin1String(f[0]));
        EXPECT_EQ(t.text, QString::fromUtf8(f[1])) << f[0];
        EXPECT_NEAR(t.left, 10.0 + QByteArray(f[2]).toDouble(), mm) << f[0];
        EXPECT_GE(t.top, 61.35 + 0.5 - mm);
        EXPECT_LE(t.top, 61.35 + 1.1 + mm);
    }

    const char* summary[][3] = {{"QRLabel24", "应付款：", "2.1"}, {"QRLabel25", "1234.5", "14.8"},
                                {"QRLabel26", "元", "31.8"},     {"QRLabel27", "实付款：", "55.3"},
                                {"QRLabel28", "1000", "68.0"},   {"QRLabel29", "元", "84.9"},
                                {"QRLabel33", "欠款：", "110.1"}, {"QRLabel34", "234.5", "122.8"},
                                {"QRLabel35", "元", "139.7"}};
    for (const auto& s : summary) {
        const VoucherPrintText t = only(page, QLatin1String(s[0]));
        EXPECT_EQ(t.text, QString::fromUtf8(s[1])) << s[0];
        EXPECT_NEAR(t.left, 10.0 + QByteArray(s[2]).toDouble(), mm) << s[0];
        EXPECT_NEAR(t.top, 67.15 + 4.2, mm) << s[0];
    }
    const VoucherPrintText address = only(page, QStringLiteral("QRLabel30"));
    EXPECT_EQ(address.text, QStringLiteral("公司地址：青岛市市南区"));
    EXPECT_NEAR(address.left, 101.0, mm);
    EXPECT_NEAR(address.top, 67.15 + 14.8, mm);
    EXPECT_EQ(textOf(page, QStringLiteral("QRLabel31")), QStringLiteral("电话：0532-1234567"));
}

TEST(VoucherPrintLayout, RulesDrawTheTitleUnderlineTheBoxAndTheTable)
{
    const VoucherPrintPage page = layoutVoucher(sampleVoucher(purchaseKind(), 1)).pages.value(0);
    auto has = [&](double x1, double y1, double x2, double y2) {
        for (const VoucherPrintRule& r : page.rules)
            if (qAbs(r.x1 - x1) < mm && qAbs(r.y1 - y1) < mm && qAbs(r.x2 - x2) < mm && qAbs(r.y2 - y2) < mm)
                return true;
        return false;
    };
    EXPECT_TRUE(has(64.0, 20.6, 139.9, 20.6));
    EXPECT_TRUE(has(64.0, 21.4, 139.9, 21.4));
    for (double y : {38.0, 46.5, 54.5})
        EXPECT_TRUE(has(11.6, y, 197.9, y)) << y;
    for (double x : {1.6, 32.3, 52.1, 70.4, 90.0, 110.1, 131.5, 187.6})
        EXPECT_TRUE(has(10.0 + x, 38.0, 10.0 + x, 54.4)) << x;
    // Column header over 55.0..61.35, detail over 61.35..67.15; the category column has no rule there.
    for (double x : {1.6, 32.3, 70.4, 90.0, 110.1, 131.5, 187.6}) {
        EXPECT_TRUE(has(10.0 + x, 55.0, 10.0 + x, 61.35)) << x;
        EXPECT_TRUE(has(10.0 + x, 61.35, 10.0 + x, 67.15)) << x;
    }
    EXPECT_FALSE(has(62.1, 55.0, 62.1, 61.35));
    EXPECT_TRUE(has(11.6, 60.8, 197.9, 60.8));
    EXPECT_TRUE(has(11.6, 66.65, 197.6, 66.65));
}

// The texts that differ by kind: returns print as the opposite movement of goods.
TEST(VoucherPrintLayout, TextsFollowTheKind)
{
    const QString in = QStringLiteral("岚桥商贸商品入库单");
    const QString out = QStringLiteral("  岚桥商贸  商品出库单： ");
    const struct {
        const VoucherKind& kind;
        QString title, partner, date, category, categoryValue, person, due, settled;
    } cases[] = {
        {purchaseKind(), in, QStringLiteral("供货商:"), QStringLiteral("入库时间"), QStringLiteral("入库类别"),
         QStringLiteral("采购"), QStringLiteral("采购员"), QStringLiteral("应付款："), QStringLiteral("实付款：")},
        {salesReturnKind(), in, QStringLiteral("供货商:"), QStringLiteral("入库时间"), QStringLiteral("入库类别"),
         QStringLiteral("采购"), QStringLiteral("采购员"), QStringLiteral("应付款："), QStringLiteral("实付款：")},
        {salesKind(), out, QStringLiteral("购货商："), QStringLiteral("出库日期"), QStringLiteral("出库类别"),
         QStringLiteral(" 采购 "), QStringLiteral("销售员"), QStringLiteral("应收款："), QStringLiteral("实收款：")},
        {purchaseReturnKind(), out, QStringLiteral("购货商："), QStringLiteral("出库日期"), QStringLiteral("出库类别"),
         QStringLiteral(" 采购 "), QStringLiteral("销售员"), QStringLiteral("应收款："), QStringLiteral("实收款：")},
    };
    for (const auto& c : cases) {
        const VoucherPrintPage page = layoutVoucher(sampleVoucher(c.kind, 0)).pages.value(0);
        SCOPED_TRACE(c.kind.prefix.toStdString());
        EXPECT_EQ(textOf(page, QStringLiteral("QRLabel1")), c.title);
        EXPECT_EQ(textOf(page, QStringLiteral("QRLabel4")), c.partner);
        EXPECT_EQ(textOf(page, QStringLiteral("QRLabel3")), c.date);
        EXPECT_EQ(textOf(page, QStringLiteral("QRLabel5")), c.category);
        EXPECT_EQ(textOf(page, QStringLiteral("QRLabel19")), c.categoryValue);
        EXPECT_EQ(textOf(page, QStringLiteral("QRLabel6")), c.person);
        EXPECT_EQ(textOf(page, QStringLiteral("QRLabel24")), c.due);
        EXPECT_EQ(textOf(page, QStringLiteral("QRLabel27")), c.settled);
        EXPECT_EQ(textOf(page, QStringLiteral("QRLabel33")), QStringLiteral("欠款："));
    }
}

TEST(VoucherPrintLayout, TitleTrimsOnlyBlanksAndSettledBoxReadsPaid)
{
    VoucherPrintData d = sampleVoucher(purchaseKind(), 0);
    d.companyName = QStringLiteral("\u3000岚桥\t ");
    d.settled = true;
    const VoucherPrintPage page = layoutVoucher(d).pages.value(0);
    EXPECT_EQ(textOf(page, QStringLiteral("QRLabel1")), QStringLiteral("\u3000岚桥商品入库单"));
    EXPECT_EQ(textOf(page, QStringLiteral("QRLabel22")), QStringLiteral("已付清"));

    d.companyName.clear(); // an empty company table
    d.companyAddress.clear();
    d.companyPhone.clear();
    const VoucherPrintPage empty = layoutVoucher(d).pages.value(0);
    EXPECT_EQ(textOf(empty, QStringLiteral("QRLabel1")), QStringLiteral("商品入库单"));
    EXPECT_EQ(textOf(empty, QStringLiteral("QRLabel30")), QStringLiteral("公司地址："));
    EXPECT_EQ(textOf(empty, QStringLiteral("QRLabel31")), QStringLiteral("电话："));
}

TEST(VoucherPrintLayout, VoucherWithoutLinesPrintsHeaderCaptionsAndZeroTotals)
{
    VoucherPrintData d = sampleVoucher(salesKind(), 0);
    d.due = d.paid = d.outstanding = QStringLiteral("0");
    const VoucherPrintDocument doc = layoutVoucher(d);
    ASSERT_EQ(doc.pages.size(), 1);
    const VoucherPrintPage& page = doc.pages[0];
    EXPECT_EQ(page.bandCount(QStringLiteral("TitleBand1")), 1);
    EXPECT_EQ(page.bandCount(QStringLiteral("ColumnHeaderBand1")), 1);
    EXPECT_EQ(page.bandCount(QStringLiteral("DetailBand1")), 0);
    EXPECT_TRUE(page.textsNamed(QStringLiteral("QRDBText10")).isEmpty());
    ASSERT_EQ(page.bandCount(QStringLiteral("SummaryBand1")), 1);
    EXPECT_NEAR(page.bands.last().top, 61.35, mm); // right under the column header
    for (const char* name : {"QRLabel25", "QRLabel28", "QRLabel34"})
        EXPECT_EQ(textOf(page, QLatin1String(name)), QStringLiteral("0")) << name;
}

// The first page holds 38 rows under title and column header, later pages 46 under their
// column header; the summary needs 19.6 mm after the last row or goes to a page of its own.
TEST(VoucherPrintLayout, LongVoucherBreaksPagesRepeatsColumnHeaderAndSumsUpOnce)
{
    const struct { int lines; QVector<int> rowsPerPage; int summaryPage; } cases[] = {
        {35, {35}, 0},            // summary still fits under the last row
        {36, {36, 0}, 1},         // 36 rows leave 16.85 mm: the summary moves on
        {38, {38, 0}, 1},
        {39, {38, 1}, 1},
        {100, {38, 46, 16}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        const VoucherPrintDocument doc = layoutVoucher(sampleVoucher(purchaseKind(), c.lines));
        ASSERT_EQ(doc.pages.size(), c.rowsPerPage.size());
        EXPECT_EQ(totalBands(doc, QStringLiteral("TitleBand1")), 1);
        EXPECT_EQ(totalBands(doc, QStringLiteral("SummaryBand1")), 1);
        EXPECT_EQ(doc.pages[c.summaryPage].bands.last().name, QStringLiteral("SummaryBand1"));
        int row = 0;
        for (int p = 0; p < doc.pages.size(); ++p) {
            const VoucherPrintPage& page = doc.pages[p];
            SCOPED_TRACE(p);
            EXPECT_EQ(page.bandCount(QStringLiteral("DetailBand1")), c.rowsPerPage[p]);
            EXPECT_EQ(page.bandCount(QStringLiteral("ColumnHeaderBand1")), 1);
            EXPECT_EQ(page.textsNamed(QStringLiteral("QRLabel11")).size(), 1);
            // Every page after the first opens with its column header at the top margin.
            const VoucherPrintBand& first = page.bands.first();
            EXPECT_EQ(first.name, p == 0 ? QStringLiteral("TitleBand1") : QStringLiteral("ColumnHeaderBand1"));
            EXPECT_NEAR(first.top, 10.0, mm);
            double y = first.top;
            for (const VoucherPrintBand& b : page.bands) {
                EXPECT_NEAR(b.top, y, mm) << b.name.toStdString(); // no gaps, no overlaps
                y += b.height;
            }
            EXPECT_LE(y, 287.0 + mm);
            // Lines keep their order across pages.
            for (const VoucherPrintText& t : page.textsNamed(QStringLiteral("QRDBText11")))
                EXPECT_EQ(t.text, QStringLiteral("螺丝") + QString::number(++row));
        }
        EXPECT_EQ(row, c.lines);
    }
}

// --- drawing ----------------------------------------------------------------------------

TEST(VoucherPrintDraw, ReportFacesMapToInstalledCjkFaces)
{
    EXPECT_EQ(voucherPrintFace(QStringLiteral("宋体")), QStringLiteral("Noto Serif CJK SC"));
    EXPECT_EQ(voucherPrintFace(QStringLiteral("黑体")), QStringLiteral("Noto Sans CJK SC"));
    EXPECT_EQ(voucherPrintFace(QStringLiteral("MS Sans Serif")), QStringLiteral("Noto Sans CJK SC"));
    const QStringList installed = QFontDatabase::families();
    EXPECT_TRUE(installed.contains(QStringLiteral("Noto Serif CJK SC")));
    EXPECT_TRUE(installed.contains(QStringLiteral("Noto Sans CJK SC")));
    // 13 screen pixels at 1200 dpi.
    EXPECT_EQ(voucherPrintQFont({QStringLiteral("宋体"), 13, false}, 1200).pixelSize(), 163);
}

TEST(VoucherPrintDraw, WritesPdfOfOneAndOfSeveralPages)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int lines : {0, 100}) {
        const QString file = dir.filePath(QStringLiteral("voucher%1.pdf").arg(lines));
        writeVoucherPdf(file, sampleVoucher(salesKind(), lines));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << lines;
        const QByteArray bytes = f.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF")) << lines;
        EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
                  lines == 0 ? 1 : 3);
    }
}

TEST(VoucherPrintDraw, UnwritablePdfFileIsAnError)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("missing/folder/voucher.pdf"));
    EXPECT_THROW(writeVoucherPdf(file, sampleVoucher(purchaseKind(), 1)), AppError);
}

// --- the preview form -------------------------------------------------------------------

TEST(VoucherPrintForm, PreviewShowsEveryPageOfTheVoucher)
{
    TForm40 form(sampleVoucher(salesKind(), 42));
    EXPECT_EQ(form.objectName(), QStringLiteral("TForm40"));
    EXPECT_EQ(form.data().lines.size(), 42);
    ASSERT_NE(form.QuickRep1(), nullptr);
    int shownPages = -1;
    QTimer::singleShot(0, &form, [&] {
        shownPages = form.QuickRep1()->pageCount();
        form.reject();
    });
    form.exec();
    EXPECT_EQ(shownPages, form.document().pages.size());
    EXPECT_EQ(shownPages, 2);
}
