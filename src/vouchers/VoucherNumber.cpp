#include "vouchers/VoucherNumber.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"

#include <QSet>

QString voucherNumberStem(const QString& prefix, const QString& operatorCode, const QDate& today)
{
    const QString year = QString::number(today.year()).mid(2, 2);
    return prefix + operatorCode + year + QString::number(today.month()) + QLatin1Char('_');
}

QString nextVoucherNumber(const QString& prefix, const QString& headerTable, const QString& operatorCode,
                          const QDate& today, Database& db)
{
    const QString stem = voucherNumberStem(prefix, operatorCode, today);
    // Only this month's numbers of this prefix and operator can collide; "_" in the
    // pattern matches any character, the exact test below sorts them out.
    ResultSet used(db);
    used.open(QStringLiteral("select pzh from ") + headerTable + QStringLiteral(" where pzh like ")
              + quoted(stem + QLatin1Char('%')));
    QSet<QString> taken;
    for (int row = 0; row < used.recordCount(); ++row)
        taken.insert(used.valueAt(row, 0).toString().trimmed().toUpper());

    // Sequences past 999 wrap to 000 and then repeat, so 1000 candidates are all there are.
    for (int k = 1; k <= 1000; ++k) {
        const QString candidate = stem + QString::number(1000 + k).mid(1, 3);
        if (!taken.contains(candidate.toUpper()))
            return candidate;
    }
    throw AppError(QStringLiteral("本月凭证号已用完，无法添加新凭证！"));
}

QString nextVoucherNumber(const QString& prefix, const QString& headerTable)
{
    return nextVoucherNumber(prefix, headerTable, myvar::operatorCode, QDate::currentDate(), Database::shared());
}
