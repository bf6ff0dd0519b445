// The monthly chart: one bar per month with lines, the two articles' bars of a month side
// by side, whole-yuan amounts; and its printed page.
#include "ledger/LedgerBooks.h"

#include "reports/ChartScreen.h"
#include "support/ModalScript.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

namespace {

class ChartTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        if (HasFatalFailure())
            return;
        addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"));
        addArticle(QStringLiteral("A2"), QStringLiteral("螺母"));
        book("CG1001263_001", "华丰", QDate(2026, 3, 1), {{"A1", 1234.4, 1}});
        book("CG1001267_001", "华丰", QDate(2026, 7, 31), {{"A1", 617.3, 2}});
        book("CG1001261_001", "华丰", QDate(2026, 12, 31), {{"A1", 2, 5}, {"A2", 3, 5}});
        book("CG1001255_001", "华丰", QDate(2025, 5, 1), {{"A1", 100, 1}});
        book("CG1001265_001", "华丰", QDate(2026, 5, 10), {{"A2", 10, 1}});
        book("XS1001265_001", "甲", QDate(2026, 5, 20), {{"A2", 20, 1}}, {}, QStringLiteral("批发"));
    }
    static ChartRequest request(int kind, const QStringList& names, const QStringList& codes)
    {
        ChartRequest r;
        r.kind = kind;
        r.names = names;
        r.codes = codes;
        r.year = 2026;
        r.from = QDate(2026, 3, 5);
        r.to = QDate(2027, 2, 1);
        return r;
    }
};

QList<qreal> values(const QBarSet* set)
{
    QList<qreal> out;
    for (int i = 0; i < set->count(); ++i)
        out << set->at(i);
    return out;
}

TEST_F(ChartTest, EachArticleGetsItsMonthsOfTheYearAsWholeYuanBars)
{
    TForm29 s(request(0, {QStringLiteral(" 螺丝 "), QStringLiteral("螺母")}, {QStringLiteral("A1"), QStringLiteral("A2")}));
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("图表分析"));
    EXPECT_EQ(s.titleLines(), QStringList{"商品采购走势分析图表"});
    EXPECT_EQ(s.seriesTitle(1), QStringLiteral("螺丝")) << "blanks trimmed";
    EXPECT_EQ(s.seriesTitle(2), QStringLiteral("螺母"));
    // 1234.4 is drawn as 1234, 1234.6 as 1235; 2025 is another year.
    EXPECT_EQ(s.points(1), (QList<ChartPoint>{{3, 1234, "3"}, {7, 1235, "7"}, {12, 10, "12"}}));
    EXPECT_EQ(s.points(2), (QList<ChartPoint>{{5, 10, "5"}, {12, 15, "12"}}));
    // Bars stand at their month: December's two bars side by side, empty months a gap.
    EXPECT_EQ(values(s.Series1), (QList<qreal>{0, 0, 1234, 0, 0, 0, 1235, 0, 0, 0, 0, 10}));
    EXPECT_EQ(values(s.Series2), (QList<qreal>{0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 15}));
    EXPECT_EQ(s.Series1->color(), QColor(Qt::red));
    EXPECT_EQ(s.Series2->color(), QColor(Qt::green));
    EXPECT_EQ(s.chart()->titleBrush().color(), QColor(Qt::blue));
}

TEST_F(ChartTest, OneArticleOrSalesChartTheirOwnSeries)
{
    const struct {
        int kind;
        QStringList names;
        QStringList codes;
        const char* title;
        QList<ChartPoint> first;
        QList<ChartPoint> second;
        const char* secondTitle;
    } cases[] = {
        {0, {"螺母"}, {"A2"}, "商品采购走势分析图表", {{5, 10, "5"}, {12, 15, "12"}}, {}, "商品2"},
        {1, {"螺丝", "螺母"}, {"A1", "A2"}, "商品销售走势分析图表", {}, {{5, 20, "5"}}, "螺母"},
        {1, {"螺丝"}, {"A1"}, "商品销售走势分析图表", {}, {}, "商品2"},
    };
    for (const auto& c : cases) {
        TForm29 s(request(c.kind, c.names, c.codes));
        s.show();
        EXPECT_EQ(s.titleLines(), QStringList{QString::fromUtf8(c.title)});
        EXPECT_EQ(s.seriesTitle(1), c.names[0]) << "an article without lines keeps its title";
        EXPECT_EQ(s.points(1), c.first) << c.title;
        EXPECT_EQ(s.points(2), c.second) << c.title;
        EXPECT_EQ(s.seriesTitle(2), QString::fromUtf8(c.secondTitle));
    }
}

TEST_F(ChartTest, PrintAddsAFootLineAndPrintsAPortraitPageInsideTheMargins)
{
    TForm29 s(request(0, {QStringLiteral("螺丝"), QStringLiteral("螺母")}, {QStringLiteral("A1"), QStringLiteral("A2")}));
    s.show();
    const QString pdf = m_dir.filePath(QStringLiteral("chart.pdf"));
    for (int press = 1; press <= 2; ++press) {
        ModalScript script;
        script.onDialog(QStringLiteral("ChartPreview"), [&](QWidget* d) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(d);
            ASSERT_NE(preview, nullptr);
            QPrinter* printer = preview->printer();
            EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            emit preview->paintRequested(printer);
            preview->reject();
        });
        click(s.BitBtn2);
        script.verify();
    }
    const QString line = QStringLiteral("A1:A2:  2026/3/5 至 2027/2/1");
    EXPECT_EQ(s.footLines(), (QStringList{line, line})) << "each press adds a line";

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(QString::fromLatin1(bytes));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_LT(box.captured(1).toDouble(), box.captured(2).toDouble()) << "portrait";
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);

    // Drawn on a page of A4 proportions: everything inside the margins, the bars in red and green.
    QImage page(595, 842, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        s.paintChart(painter, QRectF(0, 0, 595, 842));
    }
    const QRect inside(qFloor(595 * 0.08), qFloor(842 * 0.08), qCeil(595 * 0.84) + 1, qCeil(842 * 0.32) + 1);
    int outside = 0;
    bool red = false;
    bool green = false;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c == Qt::white)
                continue;
            if (!inside.contains(x, y))
                ++outside;
            red = red || c == QColor(Qt::red);
            green = green || c == QColor(Qt::green);
        }
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(red);
    EXPECT_TRUE(green);
}

} // namespace
