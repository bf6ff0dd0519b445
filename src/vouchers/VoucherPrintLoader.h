#pragma once
// Reads one trade voucher for printing: the company's name, address and telephone, the
// header's texts, the lines as the voucher screen's lines grid shows them and the three
// figures as its labels show them.
#include "vouchers/VoucherPrintLayout.h"

class Database;

// Fills the company's name, address and telephone from the first row of J_yhb; an empty
// table leaves them empty, a failing query throws DbError.
void loadVoucherPrintCompany(VoucherPrintData& data, Database& db);

// Throws DbError when a query fails (a missing company table included) and AppError when
// there is no voucher with this number. An empty company table gives empty company texts.
VoucherPrintData loadVoucherPrintData(VoucherPrintKind kind, const QString& number,
                                      Database& db);
VoucherPrintData loadVoucherPrintData(VoucherPrintKind kind, const QString& number);
