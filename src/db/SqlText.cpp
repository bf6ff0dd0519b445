#include "db/SqlText.h"

#include "db/Errors.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

QString quoted(const QString& value)
{
    QString text = value;
    text.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

namespace {

// A figure the program stored is a whole number of cents, and the nearest double to one is
// what fifteen digits print as exactly those cents: written straight, it needs none of the
// general formatting a grid would otherwise pay for on every cell.
bool centsText(double value, QString* text)
{
    if (!(std::fabs(value) < 1e13))
        return false;
    const long long cents = std::llround(value * 100);
    if (static_cast<double>(cents) / 100 != value)
        return false;
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    unsigned long long rest = cents < 0 ? 0ULL - static_cast<unsigned long long>(cents) : cents;
    const int fraction = static_cast<int>(rest % 100);
    rest /= 100;
    if (fraction != 0) {
        if (fraction % 10 != 0)
            *--p = char('0' + fraction % 10);
        *--p = char('0' + fraction / 10);
        *--p = '.';
    }
    do {
        *--p = char('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (cents < 0)
        *--p = '-';
    *text = QString::fromLatin1(p, end - p);
    return true;
}

} // namespace

QString numText(double value)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    QString cents;
    if (centsText(value, &cents))
        return cents;
    const double magnitude = std::fabs(value);
    QString text;
    if (magnitude >= 1e15 || magnitude < 1e-5) {
        // Scientific as the general format writes it: 1.5E20, 1E-6.
        text = QString::number(value, 'e', 14);
        const int e = text.indexOf(QLatin1Char('e'));
        QString mantissa = text.left(e);
        const int exponent = text.mid(e + 1).toInt();
        if (mantissa.contains(QLatin1Char('.'))) {
            while (mantissa.endsWith(QLatin1Char('0')))
                mantissa.chop(1);
            if (mantissa.endsWith(QLatin1Char('.')))
                mantissa.chop(1);
        }
        return mantissa + QLatin1Char('E') + QString::number(exponent);
    }
    // As many places after the point as 15 significant digits leave.
    const int intDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    text = QString::number(value, 'f', std::clamp(15 - intDigits, 0, 20));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

double round2(double value)
{
    const double cents = std::nearbyint(value / 0.01); // default rounding mode: ties to even
    const double result = cents / 100.0;
    return result == 0 ? 0.0 : result; // no "-0"
}

QString shortDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    // Four-digit year, as the short date format has it: a year typed as 0204 must read back.
    return QStringLiteral("%1/%2/%3").arg(date.year(), 4, 10, QLatin1Char('0')).arg(date.month()).arg(date.day());
}

QString dateTimeText(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return {};
    const QTime t = dateTime.time();
    return shortDate(dateTime.date())
        + QStringLiteral(" %1:%2:%3").arg(t.hour()).arg(t.minute(), 2, 10, QLatin1Char('0')).arg(t.second(), 2, 10, QLatin1Char('0'));
}

QString chineseDate(const QDate& date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

bool isNumber(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return re.match(text).hasMatch();
}

double toNumber(const QString& text)
{
    if (!isNumber(text))
        throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return text.trimmed().toDouble();
}

QDateTime parseDateText(const QString& input, bool* hasTime)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*#?\s*(\d{4})[/\-.](\d{1,2})[/\-.](\d{1,2})(?:[ T]+(\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:\.\d+)?)?)?\s*#?\s*$)"));
    const auto m = re.match(input);
    if (hasTime)
        *hasTime = false;
    if (!m.hasMatch())
        return {};
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid())
        return {};
    QTime time(0, 0, 0);
    if (m.capturedLength(4) > 0) {
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        if (!time.isValid())
            return {};
        if (hasTime)
            *hasTime = time != QTime(0, 0, 0);
    }
    return QDateTime(date, time);
}

QString displayText(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return numText(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return shortDate(value.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.time() == QTime(0, 0) ? shortDate(dt.date()) : dateTimeText(dt);
    }
    default:
        return value.toString();
    }
}
