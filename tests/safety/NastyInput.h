#pragma once
// What an operator can put into a box at its worst, shared by the bad-input tests.
#include <QString>
#include <QStringList>

namespace nasty {

// Texts that must be stored exactly wherever they fit: quotes, backslashes, the like-pattern
// signs, comment and date-literal signs, an injection attempt, control characters.
inline QStringList texts()
{
    QString control;
    for (char16_t c = 1; c < 32; ++c)
        control += QChar(c);
    return {QStringLiteral("'"), QStringLiteral("''"), QStringLiteral("a'b\"c"), QStringLiteral("\\"),
            QStringLiteral("\\'"), QStringLiteral("%"), QStringLiteral("_"), QStringLiteral("%_%"),
            QStringLiteral("--x"), QStringLiteral("/*"), QStringLiteral("#2004/1/1#"), QStringLiteral("a+b"),
            QStringLiteral("x';drop table J_spb;--"), control.left(2), control, QStringLiteral("  空格  "),
            QStringLiteral("1e3"), QStringLiteral("NaN")};
}

// Number texts: exponent forms, negative, huge, beyond a double, and no numbers at all.
inline QStringList numbers()
{
    return {QStringLiteral("1e3"),    QStringLiteral("1.5E-1"),   QStringLiteral("-5"),
            QStringLiteral("0.015"),  QStringLiteral("99999999.99"), QStringLiteral("100000000"),
            QStringLiteral("1e300"),  QStringLiteral("1e400"),    QStringLiteral("-1e300"),
            QStringLiteral("NaN"),    QStringLiteral("inf"),      QStringLiteral("1,5"),
            QStringLiteral("0x10"),   QStringLiteral("5元"),      QStringLiteral("'"),
            QStringLiteral("")};
}

} // namespace nasty
