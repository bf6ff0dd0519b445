// A booking killed at any moment: after the kill the database is whole, every booking the
// child had committed is there in full, and none is there in part.
#include "support/InitializedDb.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "ledger/BooksCheck.h"
#include "vouchers/VoucherBook.h"
#include "vouchers/VoucherKind.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <sqlite3.h>

#include <csignal>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

QString integrity(Database& db)
{
    sqlite3_stmt* st = db.prepare(QStringLiteral("PRAGMA integrity_check"));
    QString verdict;
    if (sqlite3_step(st) == SQLITE_ROW)
        verdict = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return verdict;
}

int count(Database& db, const QString& sql)
{
    ResultSet rs(db);
    rs.open(sql);
    return int(rs.value(0).toDouble());
}

QString describe(const std::vector<BooksDisagreement>& found)
{
    QStringList out;
    for (const BooksDisagreement& d : found)
        out << QStringLiteral("%1 %2: %3 / %4").arg(d.what, d.where, numText(d.booked), numText(d.reckoned));
    return out.join(QLatin1Char('\n'));
}

// Runs the booker and kills it with SIGKILL once it has reported `killAfter` bookings and a
// little more time has passed (so the kill falls inside a booking as often as between two).
// Gives the lines it reported; the last is "done" when it finished first.
QStringList bookAndKill(const QString& file, int killAfter, int jitterUs, unsigned seed)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const QByteArray path = QFile::encodeName(file);
    const std::string seedText = std::to_string(seed);
    char* args[] = {const_cast<char*>(SAFETY_BOOKER), const_cast<char*>(path.constData()), const_cast<char*>("100"),
                    const_cast<char*>(seedText.c_str()), nullptr};
    pid_t child = 0;
    const int rc = posix_spawn(&child, SAFETY_BOOKER, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        return {};
    }
    QStringList reported;
    QByteArray pending;
    char buf[4096];
    bool killed = false;
    while (true) {
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n <= 0)
            break;
        pending.append(buf, int(n));
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            reported << QString::fromUtf8(pending.left(nl));
            pending.remove(0, nl + 1);
        }
        if (!killed && reported.size() >= killAfter) {
            usleep(useconds_t(jitterUs));
            kill(child, SIGKILL);
            killed = true;
        }
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return reported;
}

// Where the booker's vouchers of a prefix keep their header, goods lines and money rows.
VoucherKind::Tables tablesOf(const QString& prefix)
{
    if (prefix == QLatin1String("BS"))
        return {QStringLiteral("J_bsb"), QStringLiteral("J_bsmxb"), {}};
    if (prefix == QLatin1String("ZC"))
        return {QStringLiteral("J_zcb"), {}, QStringLiteral("J_zcmxb")};
    const VoucherKind* kind = voucherKindOfPrefix(prefix);
    return kind ? kind->tables : VoucherKind::Tables{};
}

class CrashTest : public InitializedDbTest, public ::testing::WithParamInterface<int> {};

TEST_P(CrashTest, AKilledBookingLeavesWholeBookings)
{
    Database& db = Database::shared();
    for (int i = 1; i <= 5; ++i)
        db.exec(QStringLiteral("insert into J_spb(spdm,spmc,dw) values('A0%1','商品%1','个')").arg(i));
    db.exec(QStringLiteral("update J_zjb set je=10000"));
    db.close();

    const int run = GetParam();
    std::mt19937 rng(unsigned(run) * 7919u + 1u);
    // The first run books to the end; the others are cut after a random number of bookings.
    const int killAfter = run == 0 ? 1 << 30 : 1 + int(rng() % 400u);
    const QStringList reported = bookAndKill(myvar::databaseFile(), killAfter, int(rng() % 4000u), unsigned(run));
    ASSERT_FALSE(reported.isEmpty()) << "the booker did not start";
    if (run == 0) {
        EXPECT_EQ(reported.last(), QStringLiteral("done"));
        // Every kind of booking was among them.
        for (const char* kind : {"L CG", "M CG", "L XS", "M XS", "L CT", "M CT", "L XT", "M XT", "L BS", "M ZC"})
            EXPECT_FALSE(reported.filter(QRegularExpression(QStringLiteral("^") + QLatin1String(kind))).isEmpty()) << kind;
    }

    db.open(myvar::databaseFile());
    EXPECT_EQ(integrity(db), QStringLiteral("ok"));
    const std::vector<BooksDisagreement> found = checkBooks(db);
    EXPECT_TRUE(found.empty()) << describe(found).toStdString();

    // Every booking it reported is there.
    for (const QString& line : reported) {
        const QStringList f = line.split(QLatin1Char(' '));
        if (f[0] == QLatin1String("done"))
            continue;
        const VoucherKind::Tables tables = tablesOf(f[1].left(2));
        ASSERT_FALSE(tables.header.isEmpty()) << line.toStdString();
        if (f[0] == QLatin1String("H"))
            EXPECT_EQ(count(db, QStringLiteral("select count(*) from %1 where pzh=%2").arg(tables.header, quoted(f[1]))), 1)
                << line.toStdString();
        else if (f[0] == QLatin1String("L"))
            EXPECT_EQ(count(db, QStringLiteral("select count(*) from %1 where pzh=%2 and spdm=%3")
                                    .arg(tables.lines, quoted(f[1]), quoted(f[2]))),
                      1)
                << line.toStdString();
        else
            EXPECT_EQ(count(db, QStringLiteral("select count(*) from %1 where pzh=%2 and dh=%3")
                                    .arg(tables.money, quoted(f[1]), quoted(f[2]))),
                      1)
                << line.toStdString();
    }

    // The books go on: one more voucher books and leaves them agreeing.
    db.exec(QStringLiteral("insert into J_cgb(pzh) values('CG1001_900')"));
    const LineEntry e{QStringLiteral("CG1001_900"), QStringLiteral("A01"), QStringLiteral("个"), QStringLiteral("2.5"),
                      QStringLiteral("4"), {}, {}, QStringLiteral("2004/4/20")};
    EXPECT_EQ(storeLine(purchaseKind(), e, db), LineOutcome::Stored);
    EXPECT_TRUE(checkBooks(db).empty());
}

INSTANTIATE_TEST_SUITE_P(Runs, CrashTest, ::testing::Range(0, 20));

} // namespace
