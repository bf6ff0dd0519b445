#pragma once
// TForm29 "图表分析": the monthly purchase or sales amounts of one or two articles over a
// calendar year as bars, one series per article, printed from a print preview.
#include "widgets/Screen.h"

#include <QDate>
#include <QList>
#include <QStringList>

class QBarSet;
class QChart;
class QChartView;
class QLabel;
class QPainter;
class QPrinter;
class QPushButton;
class QRectF;

// What the summary report hands over: the page's kind, the chosen articles (name as shown,
// code as chosen) and the year of the page's start date; the page's range for the foot.
struct ChartRequest {
    int kind = 0; // 0 purchases, 1 sales
    QStringList names;
    QStringList codes;
    int year = 0;
    QDate from;
    QDate to;
};

struct ChartPoint {
    int x;         // the month
    double y;      // the month's amount, whole yuan
    QString label; // the month as text
    bool operator==(const ChartPoint&) const = default;
};

class TForm29 : public Screen {
    Q_OBJECT
public:
    explicit TForm29(const ChartRequest& request, QWidget* parent = nullptr);

    QChartView* DBChart1;
    QBarSet* Series1;
    QBarSet* Series2;
    QLabel* Foot;
    QPushButton* BitBtn2;
    QPushButton* BitBtn1;

    void FormShow() override;
    void BitBtn2Click();

    QChart* chart() const;
    // Points of series 1 or 2 in month order; a month without lines has none.
    const QList<ChartPoint>& points(int series) const { return m_points[series - 1]; }
    QString seriesTitle(int series) const;
    QStringList titleLines() const;
    QStringList footLines() const { return m_foot; }
    // The chart on a portrait page, inside the printing margins.
    void printChart(QPrinter* printer);
    void paintChart(QPainter& painter, const QRectF& page);

private:
    void addSeries(int series, const QString& code);
    void addFootLine(const QString& line);

    ChartRequest m_request;
    QList<ChartPoint> m_points[2];
    QStringList m_foot;
};

// Printing margins in percent of the page: left, top, right, bottom.
inline constexpr double kChartMargins[4] = {8, 8, 8, 60};
