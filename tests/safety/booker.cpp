// Books vouchers into a database as the voucher dialogs do and says what it has committed,
// one line per booking on stdout, until it is done or killed. The crash test runs it.
//
//   safety_booker <database file> <vouchers> <seed>
#include "db/Database.h"
#include "ledger/LossExpenseBook.h"
#include "vouchers/VoucherBook.h"
#include "vouchers/VoucherKind.h"

#include <QDate>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    Database db;
    db.open(QString::fromLocal8Bit(argv[1]));
    const int vouchers = std::atoi(argv[2]);
    std::mt19937 rng(unsigned(std::atoi(argv[3])));
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };

    std::vector<const VoucherKind*> kinds{&purchaseKind()};
    for (const char* prefix : {"XS", "CT", "XT"})
        if (const VoucherKind* k = voucherKindOfPrefix(QString::fromLatin1(prefix)))
            kinds.push_back(k);

    auto report = [](const QString& line) {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    };

    for (int v = 0; v < vouchers; ++v) {
        // Now and then a loss of goods or an expense paid from the cash.
        const int other = v < 10 ? 0 : pick(6);
        if (other == 1) {
            const QString pzh = QStringLiteral("BS1001_%1").arg(v, 3, 10, QLatin1Char('0'));
            db.exec(QStringLiteral("insert into J_bsb(pzh,bssm,bsrq,czy) values('%1','破损','2004/4/17','管理员')").arg(pzh));
            report(QStringLiteral("H ") + pzh);
            for (int l = 0, lines = 1 + pick(2); l < lines; ++l) {
                const QString code = QStringLiteral("A0%1").arg(1 + (v + l) % 5);
                const LossLineEntry e{pzh, code, QStringLiteral("个"), QString::number(1 + pick(900) / 100.0),
                                      QString::number(1 + pick(3)), QStringLiteral("破损"), QStringLiteral("2004/4/17"),
                                      QStringLiteral("破损")};
                if (storeLossLine(e, db) == BookOutcome::Stored)
                    report(QStringLiteral("L ") + pzh + QLatin1Char(' ') + code);
            }
            continue;
        }
        if (other == 2) {
            const QString pzh = QStringLiteral("ZC1001_%1").arg(v, 3, 10, QLatin1Char('0'));
            db.exec(QStringLiteral("insert into J_zcb(pzh,zcsm,zcrq,czy) values('%1','房租','2004/4/18','管理员')").arg(pzh));
            report(QStringLiteral("H ") + pzh);
            for (int l = 0, lines = 1 + pick(2); l < lines; ++l) {
                const QString document = QStringLiteral("E%1_%2").arg(v).arg(l);
                const ExpenseEntry e{pzh, document, QStringLiteral("房租"), QString::number(1 + pick(5000) / 100.0),
                                     QDate(2004, 4, 18), QStringLiteral("房租"), {}};
                if (storeExpense(e, db) == BookOutcome::Stored)
                    report(QStringLiteral("M ") + pzh + QLatin1Char(' ') + document);
            }
            continue;
        }
        // Goods come in before they go out, so most outgoing lines find stock.
        const VoucherKind& kind = v < 10 ? purchaseKind() : *kinds[pick(int(kinds.size()))];
        const QString pzh = kind.prefix + QStringLiteral("1001_%1").arg(v, 3, 10, QLatin1Char('0'));
        db.exec(QStringLiteral("insert into %1(pzh,%2,%3,jzrq,czy) values('%4','华丰公司','2004/4/15','2004/4/15','管理员')")
                    .arg(kind.tables.header, kind.columns.partner, kind.columns.date, pzh));
        std::printf("H %s\n", qPrintable(pzh));
        std::fflush(stdout);
        const int lines = 1 + pick(3);
        for (int l = 0; l < lines; ++l) {
            const QString code = QStringLiteral("A0%1").arg(1 + (v + l) % 5);
            const LineEntry e{pzh, code, QStringLiteral("个"), QString::number(1 + pick(900) / 100.0),
                              QString::number(1 + pick(20)), QStringLiteral("进货"), QStringLiteral("华丰公司"),
                              QStringLiteral("2004/4/15")};
            if (storeLine(kind, e, db) == LineOutcome::Stored) {
                std::printf("L %s %s\n", qPrintable(pzh), qPrintable(code));
                std::fflush(stdout);
            }
        }
        const MoneyEntry m{pzh, QStringLiteral("华丰公司"), QStringLiteral("D%1").arg(v), QStringLiteral("货款"),
                           QStringLiteral("现金"), QString::number(pick(5000) / 100.0), QStringLiteral("张三"),
                           QDate(2004, 4, 16), {}};
        if (storeMoney(kind, m, db) == MoneyOutcome::Stored) {
            std::printf("M %s D%d\n", qPrintable(pzh), v);
            std::fflush(stdout);
        }
    }
    std::printf("done\n");
    return 0;
}
