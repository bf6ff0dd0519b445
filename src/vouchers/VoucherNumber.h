#pragma once
// Voucher numbers: prefix + operator code + last two digits of the year + month without
// leading zero + "_" + the lowest free three-digit sequence of that month.
#include <QDate>
#include <QString>

class Database;

// The prefixes in use: "CG", "XS", "CT", "XT", "BS", "ZC".
// Throws AppError when all 1000 sequences of the month are taken, DbError when the table
// cannot be read.
QString nextVoucherNumber(const QString& prefix, const QString& headerTable, const QString& operatorCode,
                          const QDate& today, Database& db);
// The same for the logged-in operator and today on the shared connection.
QString nextVoucherNumber(const QString& prefix, const QString& headerTable);

// The part before the sequence: "CG1001044_".
QString voucherNumberStem(const QString& prefix, const QString& operatorCode, const QDate& today);
