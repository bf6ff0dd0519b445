// The number and date texts: any text converts or is refused without crashing, and what is
// accepted keeps its value through the texts the program writes.
#include "db/Errors.h"
#include "db/JetSql.h"
#include "db/SqlText.h"

#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char* what, const QString& text)
{
    std::fprintf(stderr, "%s: [%s]\n", what, text.toUtf8().constData());
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));

    const bool number = isNumber(text);
    double x = 0;
    try {
        x = toNumber(text);
        if (!number)
            fail("converted but not a number", text);
    } catch (const ConversionError&) {
        if (number)
            fail("a number that does not convert", text);
    }
    if (number && std::isfinite(x)) {
        const QString written = numText(x);
        if (!isNumber(written))
            fail("number text that does not read back", written);
        const double back = toNumber(written);
        if (std::fabs(back - x) > std::fabs(x) * 1e-14)
            fail("number text changes the value", text);
        const double r = round2(x);
        // Half a cent, and the few units in the last place that x and x / 0.01 carry.
        if (std::fabs(x) < 1e12 && std::fabs(r - x) > 0.005 + std::fabs(x) * 4e-16 + 1e-12)
            fail("two-decimal rounding moves more than half a cent", text);
    }

    bool hasTime = false;
    const QDateTime dt = parseDateText(text, &hasTime);
    if (dt.isValid()) {
        const QString shown = hasTime ? dateTimeText(dt) : shortDate(dt.date());
        if (parseDateText(shown) != dt)
            fail("date text does not read back", text);
    }
    bool ok = false;
    const QString canon = canonicalDateText(text, &ok);
    if (ok != dt.isValid())
        fail("storage and reading disagree on a date", text);
    if (ok && parseDateText(canon) != dt)
        fail("stored date reads back as another", text);
    return 0;
}
