#pragma once
// TForm40: the print preview of a trade voucher, from which the operator prints it.
#include "vouchers/VoucherPrintLayout.h"

#include <QPrintPreviewDialog>

class QPrinter;
class QPrintPreviewWidget;

class TForm40 : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit TForm40(const VoucherPrintData& data, QWidget* parent = nullptr);

    const VoucherPrintData& data() const { return m_data; }
    const VoucherPrintDocument& document() const { return m_document; }
    QPrintPreviewWidget* QuickRep1() const;

private:
    void QuickRep1Paint(QPrinter* printer);

    VoucherPrintData m_data;
    VoucherPrintDocument m_document;
};
