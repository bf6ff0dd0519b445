#include "db/Errors.h"
#include "db/SqlText.h"

#include <gtest/gtest.h>
#include <vector>

TEST(NumText, GeneralFormatFifteenDigits)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1234.5, "1234.5"}, {70, "70"}, {0.05, "0.05"}, {0, "0"}, {-0.0, "0"}, {-12.25, "-12.25"},
        {0.1 + 0.2, "0.3"}, {1.0 / 3.0, "0.333333333333333"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E15"}, {0.00001, "0.00001"}, {0.000001, "1E-6"}, {99999999.99, "99999999.99"},
        {6.0000000000000001, "6"}, {100.0 / 7.0, "14.2857142857143"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numText(c.value), QString::fromLatin1(c.text)) << c.value;
}

// Whole cents take a short way; it must print what the general format prints, which for
// these magnitudes is fifteen significant digits without an exponent.
TEST(NumText, WholeCentsPrintAsTheGeneralFormat)
{
    std::vector<double> values;
    for (long long c = -20000; c <= 20000; ++c)
        values.push_back(double(c) / 100);
    for (long long c : {99999999999999LL, 999999999999999LL, 123456789012LL, 100000000000000LL, 999999999999LL})
        for (long long sign : {1LL, -1LL})
            values.push_back(double(sign * c) / 100);
    for (double v : {1e12, 9999999999999.99, 0.07, 1.1, 2.675, 1e-2, 0.5e-2, 12.345})
        values.push_back(v);
    for (double v : values) {
        if (v == 0)
            continue;
        EXPECT_EQ(numText(v), QString::number(v, 'g', 15).toUpper()) << v;
    }
}

TEST(Round2, TiesGoToEven)
{
    const struct {
        double in, out;
    } cases[] = {
        {0.125, 0.12}, {0.375, 0.38}, {0.025, 0.02}, {0.135, 0.14}, {2.675, 2.68}, {-0.125, -0.12},
        {12.345, 12.34}, {1.005, 1.0}, {17.0, 17.0}, {-8.0, -8.0}, {0.004, 0.0}, {0.1 + 0.2, 0.3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(round2(c.in), c.out) << c.in;
    EXPECT_EQ(numText(round2(-0.001)), QStringLiteral("0"));
}

TEST(Dates, ShortAndLongTextIgnoreMachineLocale)
{
    EXPECT_EQ(shortDate(QDate(2008, 3, 5)), QStringLiteral("2008/3/5"));
    EXPECT_EQ(shortDate(QDate(2026, 12, 19)), QStringLiteral("2026/12/19"));
    EXPECT_EQ(dateTimeText(QDateTime(QDate(2026, 1, 2), QTime(8, 5, 3))), QStringLiteral("2026/1/2 8:05:03"));
    EXPECT_EQ(chineseDate(QDate(2008, 3, 5)), QStringLiteral("2008年3月5日"));
}

TEST(Dates, AYearBelowOneThousandReadsBackAsWritten)
{
    // Found by fuzzing: "0004/4/15 8:05:00" was read as year 4 and written as "4/4/15 8:05:00".
    const QDateTime typed = parseDateText(QStringLiteral("0004/4/15 8:05:00"));
    ASSERT_TRUE(typed.isValid());
    EXPECT_EQ(dateTimeText(typed), QStringLiteral("0004/4/15 8:05:00"));
    EXPECT_EQ(shortDate(QDate(204, 4, 15)), QStringLiteral("0204/4/15"));
    EXPECT_EQ(parseDateText(shortDate(QDate(204, 4, 15))).date(), QDate(204, 4, 15));
}

TEST(Dates, ParseAcceptsTheFormsTheProgramWrites)
{
    const struct {
        const char* text;
        QDateTime expected;
    } cases[] = {
        {"2026/12/9", QDateTime(QDate(2026, 12, 9), QTime(0, 0))},
        {"2026-12-09", QDateTime(QDate(2026, 12, 9), QTime(0, 0))},
        {"#2026/1/5#", QDateTime(QDate(2026, 1, 5), QTime(0, 0))},
        {"2026/1/5 8:05:03", QDateTime(QDate(2026, 1, 5), QTime(8, 5, 3))},
        {"2026-01-05T08:05:03", QDateTime(QDate(2026, 1, 5), QTime(8, 5, 3))},
        {"2026/2/30", QDateTime()},
        {"abc", QDateTime()},
        {"", QDateTime()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDateText(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(Numbers, ConversionErrorNamesTheText)
{
    EXPECT_EQ(toNumber(QStringLiteral(" 12.5 ")), 12.5);
    EXPECT_EQ(toNumber(QStringLiteral("-3")), -3);
    for (const char* bad : {"12a", "", "1,5", "--1", "."}) {
        try {
            toNumber(QString::fromLatin1(bad));
            ADD_FAILURE() << bad;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid floating point value").arg(QString::fromLatin1(bad)));
        }
    }
}

TEST(Quoting, DoublesEmbeddedQuotes)
{
    EXPECT_EQ(quoted(QStringLiteral("王's 商行")), QStringLiteral("'王''s 商行'"));
    EXPECT_EQ(quoted(QStringLiteral("'; drop table J_spb; --")), QStringLiteral("'''; drop table J_spb; --'"));
    EXPECT_EQ(quoted(QString()), QStringLiteral("''"));
}
