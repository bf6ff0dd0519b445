// TForm40: print preview of a trade voucher.
#include "vouchers/VoucherPrintForm.h"

#include "vouchers/VoucherPrintDraw.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QPrinter>

TForm40::TForm40(const VoucherPrintData& data, QWidget* parent)
    : QPrintPreviewDialog(parent), m_data(data), m_document(layoutVoucher(data))
{
    setObjectName(QStringLiteral("TForm40"));
    setWindowTitle(QStringLiteral("打印预览"));
    QPrinter* p = printer();
    p->setPageSize(QPageSize(QPageSize::A4));
    p->setPageOrientation(QPageLayout::Portrait);
    p->setFullPage(true);
    if (QPrintPreviewWidget* preview = findChild<QPrintPreviewWidget*>())
        preview->setObjectName(QStringLiteral("QuickRep1"));
    connect(this, &QPrintPreviewDialog::paintRequested, this, &TForm40::QuickRep1Paint);
}

QPrintPreviewWidget* TForm40::QuickRep1() const
{
    return findChild<QPrintPreviewWidget*>(QStringLiteral("QuickRep1"));
}

void TForm40::QuickRep1Paint(QPrinter* printer)
{
    printVoucherDocument(*printer, m_document);
}
