#include "reports/ChartScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsSimpleTextItem>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QValueAxis>
#include <QVBoxLayout>

#include <cmath>

namespace {

const char* const kMonthly[2] = {
    "select sum(sl*dj),month(cgrq) from J_cgmxb where spdm=%1 and year(cgrq)=%2 group by month(cgrq) order by month(cgrq)",
    "select sum(sl*dj),month(xsrq) from J_xsmxb where spdm=%1 and year(xsrq)=%2 group by month(xsrq) order by month(xsrq)",
};

// The axis captions stand at the plot's corners, where the chart puts them back after
// every change of size.
class AxisCaptions : public QObject {
public:
    explicit AxisCaptions(QChart* chart) : QObject(chart), m_chart(chart)
    {
        m_amount = new QGraphicsSimpleTextItem(QStringLiteral("金额（元）"), chart);
        m_month = new QGraphicsSimpleTextItem(QStringLiteral("日期（月）"), chart);
        connect(chart, &QChart::plotAreaChanged, this, &AxisCaptions::place);
    }
    void place(const QRectF& plot)
    {
        m_amount->setPos(plot.left() - m_amount->boundingRect().width() / 2,
                         plot.top() - m_amount->boundingRect().height() - 4);
        m_month->setPos(plot.right() - m_month->boundingRect().width(), plot.bottom() + 22);
    }

private:
    QChart* m_chart;
    QGraphicsSimpleTextItem* m_amount;
    QGraphicsSimpleTextItem* m_month;
};

} // namespace

TForm29::TForm29(const ChartRequest& request, QWidget* parent)
    : Screen(parent, QStringLiteral("Form29"), QStringLiteral("图表分析")), m_request(request)
{
    resize(820, 600);
    auto* chart = new QChart;
    chart->setTitleBrush(Qt::blue);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSize(12);
    chart->setTitleFont(titleFont);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(40, 30, 20, 30));

    Series1 = new QBarSet(QStringLiteral("商品1"), chart);
    Series1->setObjectName(QStringLiteral("Series1"));
    Series1->setColor(Qt::red);
    Series2 = new QBarSet(QStringLiteral("商品2"), chart);
    Series2->setObjectName(QStringLiteral("Series2"));
    Series2->setColor(Qt::green);
    auto* bars = new QBarSeries(chart);
    bars->append(Series1);
    bars->append(Series2);
    bars->setLabelsVisible(false);
    chart->addSeries(bars);

    // Twelve places, one per month: the two articles' bars of a month stand side by side.
    QStringList months;
    for (int m = 1; m <= 12; ++m)
        months << QString::number(m);
    auto* x = new QBarCategoryAxis(chart);
    x->append(months);
    chart->addAxis(x, Qt::AlignBottom);
    bars->attachAxis(x);
    auto* y = new QValueAxis(chart);
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(y);
    new AxisCaptions(chart);

    DBChart1 = new QChartView(chart, this);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    DBChart1->setRenderHint(QPainter::Antialiasing);
    DBChart1->setBackgroundBrush(Qt::white); // the printed page shows no grey around the chart
    Foot = makeLabel(this, QStringLiteral("Foot"), QString());
    QFont footFont = Foot->font();
    footFont.setBold(true);
    Foot->setFont(footFont);
    QPalette p = Foot->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    Foot->setPalette(p);
    Foot->setAlignment(Qt::AlignCenter);
    Foot->hide();

    BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("打印"));
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("退出"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(DBChart1, 1);
    box->addWidget(Foot);
    box->addLayout(buttonRow({BitBtn2, BitBtn1}, Qt::AlignRight));

    onClick(BitBtn2, this, &TForm29::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
}

QChart* TForm29::chart() const
{
    return DBChart1->chart();
}

QString TForm29::seriesTitle(int series) const
{
    return (series == 1 ? Series1 : Series2)->label();
}

QStringList TForm29::titleLines() const
{
    return chart()->title().split(QLatin1Char('\n'));
}

void TForm29::FormShow()
{
    chart()->setTitle(m_request.kind == 0 ? QStringLiteral("商品采购走势分析图表")
                                          : QStringLiteral("商品销售走势分析图表"));
    for (int i = 0; i < m_request.codes.size() && i < 2; ++i) {
        (i == 0 ? Series1 : Series2)->setLabel(m_request.names.value(i).trimmed());
        addSeries(i + 1, m_request.codes[i]);
    }
    auto* y = qobject_cast<QValueAxis*>(chart()->axes(Qt::Vertical).value(0));
    double top = 0;
    for (const QList<ChartPoint>& points : m_points)
        for (const ChartPoint& p : points)
            top = std::max(top, p.y);
    y->setRange(0, top > 0 ? top * 1.1 : 1);
    y->applyNiceNumbers();
}

void TForm29::addSeries(int series, const QString& code)
{
    QBarSet* set = series == 1 ? Series1 : Series2;
    set->remove(0, set->count());
    QList<qreal> values(12, 0.0);
    ResultSet rows;
    rows.open(QString::fromUtf8(kMonthly[m_request.kind == 0 ? 0 : 1])
                  .arg(quoted(code), quoted(QString::number(m_request.year))));
    for (; !rows.eof(); rows.next()) {
        const int month = rows.value(1).toInt();
        // Whole yuan, halves to even like every rounding of the program.
        const double amount = std::nearbyint(rows.value(0).toDouble());
        m_points[series - 1] << ChartPoint{month, amount, QString::number(month)};
        if (month >= 1 && month <= 12)
            values[month - 1] = amount;
    }
    set->append(values);
}

void TForm29::addFootLine(const QString& line)
{
    m_foot << line;
    Foot->setText(m_foot.join(QLatin1Char('\n')));
    Foot->show();
}

void TForm29::BitBtn2Click()
{
    addFootLine(m_request.codes.value(0) + QLatin1Char(':') + m_request.codes.value(1) + QStringLiteral(":  ")
                + shortDate(m_request.from) + QStringLiteral(" 至 ") + shortDate(m_request.to));
    QPrintPreviewDialog preview(this);
    preview.setObjectName(QStringLiteral("ChartPreview"));
    preview.setWindowTitle(QStringLiteral("打印预览"));
    QPrinter* printer = preview.printer();
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &TForm29::printChart);
    preview.exec();
}

void TForm29::printChart(QPrinter* printer)
{
    QPainter painter(printer);
    paintChart(painter, printer->pageRect(QPrinter::DevicePixel));
}

void TForm29::paintChart(QPainter& painter, const QRectF& page)
{
    // The chart fills the space inside the margins, whatever its proportions on screen.
    const QRectF area(page.left() + page.width() * kChartMargins[0] / 100,
                      page.top() + page.height() * kChartMargins[1] / 100,
                      page.width() * (100 - kChartMargins[0] - kChartMargins[2]) / 100,
                      page.height() * (100 - kChartMargins[1] - kChartMargins[3]) / 100);
    const int footHeight = m_foot.isEmpty() ? 0 : Foot->sizeHint().height();
    const QSize screen = DBChart1->size();
    const QSizeF onScreen(screen.width(), screen.height() + footHeight);
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(area.width() / onScreen.width(), area.height() / onScreen.height());
    static_cast<QWidget*>(DBChart1)->render(&painter, QPoint(0, 0), QRegion(), QWidget::DrawChildren);
    if (footHeight > 0) {
        painter.setPen(Qt::red);
        painter.setFont(Foot->font());
        painter.drawText(QRectF(0, screen.height(), screen.width(), footHeight), Qt::AlignCenter,
                         m_foot.join(QLatin1Char('\n')));
    }
    painter.restore();
}
