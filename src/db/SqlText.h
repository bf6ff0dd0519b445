#pragma once
// The shared text rules: how values are written into SQL text and onto labels.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

// Every value the operator typed or chose enters SQL text through this: it is put
// between single quotes with embedded quotes doubled, so no text can change what a
// statement does.
QString quoted(const QString& value);

// General number format: at most 15 significant digits, "." as point, no thousands
// separator, no trailing zeros (1234.5, 70, 0.05).
QString numText(double value);

// Two-decimal rounding: x / 0.01 rounded to the nearest integer, ties to even, times 0.01.
double round2(double value);

// Short date "yyyy/M/d" (the program's Chinese locale, whatever the machine's).
QString shortDate(const QDate& date);
// Date and time "yyyy/M/d H:mm:ss".
QString dateTimeText(const QDateTime& dateTime);
// "2008年3月5日": the numbers without leading zeros.
QString chineseDate(const QDate& date);

// Text to number as the screens convert typed numbers: blanks around are allowed,
// anything else that is not a number throws ConversionError
// "'%s' is not a valid floating point value".
double toNumber(const QString& text);
bool isNumber(const QString& text);

// Reads a date or date-time written as short date text ("2026/12/9", "2026/12/9 8:05:00"),
// ISO text ("2026-12-09", "2026-12-09T08:05:00") or "#...#". Invalid when it is none of these.
QDateTime parseDateText(const QString& text, bool* hasTime = nullptr);

// A value as a screen shows it: numbers in number text, dates as short date
// (with the time when there is one), null as empty.
QString displayText(const QVariant& value);
