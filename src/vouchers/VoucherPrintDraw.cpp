// Drawing the printed trade voucher.
#include "vouchers/VoucherPrintDraw.h"

#include "db/Errors.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPaintDevice>
#include <QPrinter>

namespace {

constexpr double mmPerInch = 25.4;
constexpr double screenDpi = 96.0;

void setUpA4(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The layout carries its own margins; coordinates start at the paper's corner.
    printer.setFullPage(true);
}

} // namespace

QString voucherPrintFace(const QString& reportFace)
{
    if (reportFace == QStringLiteral("宋体"))
        return QStringLiteral("Noto Serif CJK SC");
    return QStringLiteral("Noto Sans CJK SC");
}

QFont voucherPrintQFont(const VoucherPrintFont& font, double dotsPerInch)
{
    QFont f(voucherPrintFace(font.face));
    f.setPixelSize(qMax(1, qRound(font.pixels * dotsPerInch / screenDpi)));
    f.setBold(font.bold);
    return f;
}

void drawVoucherPage(QPainter& painter, const VoucherPrintPage& page)
{
    const QPaintDevice* device = painter.device();
    const double dpiX = device->logicalDpiX();
    const double dpiY = device->logicalDpiY();
    const double sx = dpiX / mmPerInch;
    const double sy = dpiY / mmPerInch;

    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(VoucherPrintDocument::ruleWidth * sx);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    for (const VoucherPrintRule& r : page.rules)
        painter.drawLine(QPointF(r.x1 * sx, r.y1 * sy), QPointF(r.x2 * sx, r.y2 * sy));

    painter.setPen(Qt::black);
    for (const VoucherPrintText& t : page.texts) {
        if (t.text.isEmpty())
            continue;
        painter.setFont(voucherPrintQFont(t.font, dpiY));
        // Labels grow to the width of their text: no clipping, no wrapping.
        const QRectF box(t.left * sx, t.top * sy, VoucherPrintDocument::paperWidth * sx, 0);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine, t.text);
    }
    painter.restore();
}

void printVoucherDocument(QPrinter& printer, const VoucherPrintDocument& document)
{
    setUpA4(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("打印失败：无法开始打印"));
    for (qsizetype i = 0; i < document.pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            throw AppError(QStringLiteral("打印失败：无法开始新的一页"));
        }
        drawVoucherPage(painter, document.pages.at(i));
    }
    if (!painter.end())
        throw AppError(QStringLiteral("打印失败"));
}

void writeVoucherPdf(const QString& fileName, const VoucherPrintDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    try {
        printVoucherDocument(printer, document);
    } catch (const AppError&) {
        throw AppError(QStringLiteral("无法写入文件：") + fileName);
    }
}

void writeVoucherPdf(const QString& fileName, const VoucherPrintData& data)
{
    writeVoucherPdf(fileName, layoutVoucher(data));
}
