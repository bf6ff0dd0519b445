#pragma once
// Reads the Jet SQL that the screens write and gives the SQLite statements that do the same.
//
// What it changes:
//  - "#2026/12/9#" date literals, and quoted date texts compared with a date column
//    (col <= '2026/12/9', col between '…' and '…'), become canonical ISO text, the form
//    in which date columns are stored, so dates compare as dates;
//  - "+" between texts (a text column or a non-numeric literal on either side) becomes "||";
//  - year(x), month(x), day(x) give numbers that compare with quoted numbers ('2004');
//  - "select top n …" becomes "… limit n";
//  - "create table" with char(n), numeric(p,s), bit and smalldatetime columns becomes a
//    table plus triggers that keep the column rules (width, two decimals and range,
//    0/1, a valid date, canonical date text).
#include <QSet>
#include <QString>
#include <QStringList>

struct SqlCatalogue {
    QSet<QString> dateColumns; // lower-case column names that are dates in some table
    QSet<QString> textColumns; // lower-case column names that are texts in some table
};

QStringList translateJet(const QString& sql, const SqlCatalogue& catalogue);

// Canonical storage text of a date: "yyyy-MM-dd", or "yyyy-MM-dd HH:mm:ss" when it has a time.
QString canonicalDateText(const QString& text, bool* ok);
