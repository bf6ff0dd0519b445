// Layout of the printed trade voucher (report form TForm40).
#include "vouchers/VoucherPrintLayout.h"

#include "db/Errors.h"
#include "db/SqlText.h"

#include <array>

namespace {

// Blanks and control characters at both ends, nothing else (an ideographic space stays).
QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

const VoucherPrintFont reportFont{QStringLiteral("宋体"), 13, false};
const VoucherPrintFont titleFont{QStringLiteral("黑体"), 21, true};
const VoucherPrintFont sansBold13{QStringLiteral("MS Sans Serif"), 13, true};
const VoucherPrintFont sans11{QStringLiteral("MS Sans Serif"), 11, false};

constexpr double bandLeft = VoucherPrintDocument::margin;
constexpr double pageTop = VoucherPrintDocument::margin;
constexpr double pageBottom = VoucherPrintDocument::paperHeight - VoucherPrintDocument::margin;

constexpr double titleHeight = 45.0;
constexpr double columnHeaderHeight = 6.35;
constexpr double detailHeight = 5.8;
constexpr double summaryHeight = 19.6;

// The column rules shared by the column header and the detail rows.
constexpr std::array<double, 7> columnRules{1.6, 32.3, 70.4, 90.0, 110.1, 131.5, 187.6};

// Places elements of one band, positions relative to the band's top-left corner.
class BandWriter {
public:
    BandWriter(VoucherPrintPage& page, const QString& name, double top, double height)
        : m_page(page), m_top(top)
    {
        m_page.bands.append({name, top, height});
    }
    void text(const QString& name, double left, double top, const QString& text,
              const VoucherPrintFont& font = reportFont)
    {
        m_page.texts.append({name, bandLeft + left, m_top + top, text, font});
    }
    void hrule(double x1, double x2, double y)
    {
        m_page.rules.append({bandLeft + x1, m_top + y, bandLeft + x2, m_top + y});
    }
    void vrule(double x, double y1, double y2)
    {
        m_page.rules.append({bandLeft + x, m_top + y1, bandLeft + x, m_top + y2});
    }

private:
    VoucherPrintPage& m_page;
    double m_top;
};

void placeTitle(VoucherPrintPage& page, double top, const VoucherPrintData& data,
                const VoucherPrintTexts& t)
{
    BandWriter band(page, QStringLiteral("TitleBand1"), top, titleHeight);
    const QString company = t.trimCompanyName ? trimBlanks(data.companyName) : data.companyName;
    band.text(QStringLiteral("QRLabel1"), 55.0, 4.2, company + t.titleSuffix, titleFont);
    band.hrule(54.0, 129.9, 10.6);
    band.hrule(54.0, 129.9, 11.4);

    band.text(QStringLiteral("QRLabel4"), 1.9, 23.0, t.partnerCaption, sansBold13);
    band.text(QStringLiteral("QRLabel10"), 20.9, 23.5, data.partner);
    band.text(QStringLiteral("QRLabel16"), 146.6, 22.8, QStringLiteral("打印时间："));
    band.text(QStringLiteral("QRSysData1"), 166.4, 22.5, shortDate(data.printDate));

    for (double y : {28.0, 36.5, 44.5})
        band.hrule(1.6, 187.9, y);
    for (double x : {1.6, 32.3, 52.1, 70.4, 90.0, 110.1, 131.5, 187.6})
        band.vrule(x, 28.0, 44.4);

    struct Cell {
        const char* caption;
        double captionLeft;
        QString captionText;
        const char* value;
        double valueLeft;
        QString valueText;
    };
    const QString category = t.trimCategory ? trimBlanks(data.category) : data.category;
    const Cell cells[] = {
        {"QRLabel2", 3.2, QStringLiteral("凭证号"), "QRLabel17", 3.2, data.number},
        {"QRLabel3", 34.4, t.dateCaption, "QRLabel18", 34.1, data.date},
        {"QRLabel5", 53.4, t.categoryCaption, "QRLabel19", 53.7, category},
        {"QRLabel6", 71.7, t.personCaption, "QRLabel20", 71.7, data.person},
        {"QRLabel7", 91.0, QStringLiteral("审核人"), "QRLabel21", 91.3, data.approver},
        {"QRLabel8", 111.4, QStringLiteral("付清否"), "QRLabel22", 111.7,
         data.settled ? QStringLiteral("已付清") : QStringLiteral("未付清")},
        {"QRLabel9", 133.3, QStringLiteral("备注"), "QRLabel23", 133.6, data.remark},
    };
    for (const Cell& c : cells) {
        band.text(QString::fromLatin1(c.caption), c.captionLeft, 30.4, c.captionText);
        band.text(QString::fromLatin1(c.value), c.valueLeft, 38.8, c.valueText);
    }
}

void placeColumnHeader(VoucherPrintPage& page, double top)
{
    BandWriter band(page, QStringLiteral("ColumnHeaderBand1"), top, columnHeaderHeight);
    band.text(QStringLiteral("QRLabel11"), 2.9, 0.9, QStringLiteral("商品代码"), sans11);
    band.text(QStringLiteral("QRLabel12"), 34.1, 0.9, QStringLiteral("商品名称"), sans11);
    band.text(QStringLiteral("QRLabel13"), 71.4, 0.9, QStringLiteral("单位"), sans11);
    band.text(QStringLiteral("QRLabel14"), 91.5, 0.9, QStringLiteral("单价"), sans11);
    band.text(QStringLiteral("QRLabel15"), 112.2, 0.9, QStringLiteral("数量"), sans11);
    band.text(QStringLiteral("QRLabel32"), 133.9, 0.9, QStringLiteral("合计"));
    for (double x : columnRules)
        band.vrule(x, 0.0, columnHeaderHeight);
    band.hrule(1.6, 187.9, 5.8);
}

void placeDetail(VoucherPrintPage& page, double top, const VoucherPrintLine& line)
{
    BandWriter band(page, QStringLiteral("DetailBand1"), top, detailHeight);
    band.text(QStringLiteral("QRDBText10"), 2.9, 0.8, line.code, sans11);
    band.text(QStringLiteral("QRDBText11"), 34.4, 0.8, line.name, sans11);
    band.text(QStringLiteral("QRDBText12"), 71.4, 0.8, line.unit, sans11);
    band.text(QStringLiteral("QRDBText13"), 91.5, 0.8, line.price, sans11);
    band.text(QStringLiteral("QRDBText14"), 112.4, 0.8, line.quantity, sans11);
    band.text(QStringLiteral("QRDBText1"), 133.9, 0.8, line.amount);
    for (double x : columnRules)
        band.vrule(x, 0.0, detailHeight);
    band.hrule(1.6, 187.6, 5.3);
}

void placeSummary(VoucherPrintPage& page, double top, const VoucherPrintData& data,
                  const VoucherPrintTexts& t)
{
    BandWriter band(page, QStringLiteral("SummaryBand1"), top, summaryHeight);
    const QString yuan = QStringLiteral("元");
    band.text(QStringLiteral("QRLabel24"), 2.1, 4.2, t.dueCaption);
    band.text(QStringLiteral("QRLabel25"), 14.8, 4.2, data.due);
    band.text(QStringLiteral("QRLabel26"), 31.8, 4.2, yuan);
    band.text(QStringLiteral("QRLabel27"), 55.3, 4.2, t.settledCaption);
    band.text(QStringLiteral("QRLabel28"), 68.0, 4.2, data.paid);
    band.text(QStringLiteral("QRLabel29"), 84.9, 4.2, yuan);
    band.text(QStringLiteral("QRLabel33"), 110.1, 4.2, QStringLiteral("欠款："));
    band.text(QStringLiteral("QRLabel34"), 122.8, 4.2, data.outstanding);
    band.text(QStringLiteral("QRLabel35"), 139.7, 4.2, yuan);
    band.text(QStringLiteral("QRLabel30"), 91.0, 14.8, QStringLiteral("公司地址：") + data.companyAddress);
    band.text(QStringLiteral("QRLabel31"), 156.6, 14.8, QStringLiteral("电话：") + data.companyPhone);
}

} // namespace

QVector<VoucherPrintText> VoucherPrintPage::textsNamed(const QString& name) const
{
    QVector<VoucherPrintText> found;
    for (const VoucherPrintText& t : texts)
        if (t.name == name)
            found.append(t);
    return found;
}

int VoucherPrintPage::bandCount(const QString& name) const
{
    int n = 0;
    for (const VoucherPrintBand& b : bands)
        n += b.name == name ? 1 : 0;
    return n;
}

VoucherPrintDocument layoutVoucher(const VoucherPrintData& data)
{
    const VoucherPrintTexts& t = data.texts;
    VoucherPrintDocument doc;
    double y = pageTop;

    auto startPage = [&] {
        doc.pages.append(VoucherPrintPage{});
        y = pageTop;
    };
    auto columnHeader = [&] {
        placeColumnHeader(doc.pages.last(), y);
        y += columnHeaderHeight;
    };
    // A band that would run past the bottom margin goes to a new page under a new column header.
    auto room = [&](double height) {
        if (y + height > pageBottom + 1e-9) {
            startPage();
            columnHeader();
        }
    };

    startPage();
    placeTitle(doc.pages.last(), y, data, t);
    y += titleHeight;
    columnHeader();
    for (const VoucherPrintLine& line : data.lines) {
        room(detailHeight);
        placeDetail(doc.pages.last(), y, line);
        y += detailHeight;
    }
    room(summaryHeight);
    placeSummary(doc.pages.last(), y, data, t);
    return doc;
}
