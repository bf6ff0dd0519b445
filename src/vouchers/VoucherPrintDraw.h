#pragma once
// Drawing the laid-out voucher on a printer, a print preview or a PDF file.
#include "vouchers/VoucherPrintLayout.h"

#include <QFont>

class QPainter;
class QPrinter;

// The installed face that stands in for a report face: a serif CJK face for 宋体, a sans
// CJK face for 黑体 and MS Sans Serif.
QString voucherPrintFace(const QString& reportFace);
// The font at the device's resolution (the report's pixels are screen pixels, 96 per inch).
QFont voucherPrintQFont(const VoucherPrintFont& font, double dotsPerInch);

// Paints one page; the painter's origin is the paper's top-left corner.
void drawVoucherPage(QPainter& painter, const VoucherPrintPage& page);

// Sets the printer to A4 portrait over the whole paper and paints every page.
// Throws AppError when the printer cannot be painted on.
void printVoucherDocument(QPrinter& printer, const VoucherPrintDocument& document);

// Writes the voucher as a PDF file; throws AppError when the file cannot be written.
void writeVoucherPdf(const QString& fileName, const VoucherPrintDocument& document);
void writeVoucherPdf(const QString& fileName, const VoucherPrintData& data);
