#pragma once
// Reads one trade voucher for printing: the company's name, address and telephone, the
// header's texts, the lines as the voucher screen's lines grid shows them and the three
// figures as its labels show them.
#include "vouchers/VoucherPrintLayout.h"

class Database;

// Throws DbError when a query fails (a missing company table included) and AppError when
// there is no voucher with this number. An empty company table gives empty company texts.
VoucherPrintData loadVoucherPrintData(VoucherPrintKind kind, const QString& number,
                                      Database& db);
VoucherPrintData loadVoucherPrintData(VoucherPrintKind kind, const QString& number);
