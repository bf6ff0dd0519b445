// The booking statements: values bound, never read as SQL; the statements kept per
// connection and let go with it.
#include "support/InitializedDb.h"

#include "db/BookingStatements.h"
#include "db/Database.h"
#include "db/ProgramState.h"
#include "db/ResultSet.h"
#include "db/Schema.h"

#include <QDate>
#include <QFile>

namespace {

double stockOf(Database& db, const QString& code)
{
    ResultSet rs(db);
    rs.open(QStringLiteral("select xykc from J_spb where spdm='") + code + QStringLiteral("'"));
    return rs.isEmpty() ? -1 : rs.number(QStringLiteral("xykc"));
}

} // namespace

class BookingStatementsTest : public InitializedDbTest {
protected:
    Database& db() { return Database::shared(); }
};

TEST_F(BookingStatementsTest, TypedTextsAreValuesWhateverTheyHold)
{
    const QString partner = QStringLiteral("x'); delete from J_spb; --");
    db().exec(QStringLiteral("insert into J_spb(spdm,spmc,xykc,zxdj) values('A1','螺丝',1,1)"));
    booking::insertRow(db(), QStringLiteral("J_cgmxb"),
                       {{QStringLiteral("pzh"), QStringLiteral("CG1")},
                        {QStringLiteral("spdm"), QStringLiteral("A1")},
                        {QStringLiteral("ghs"), partner},
                        {QStringLiteral("dj"), 2.5},
                        {QStringLiteral("sl"), 4.0},
                        {QStringLiteral("cgrq"), QDate(2004, 4, 15)}});
    ResultSet rs(db());
    rs.open(QStringLiteral("select ghs,dj*sl as je,cgrq from J_cgmxb"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text(QStringLiteral("ghs")), partner);
    EXPECT_EQ(rs.number(QStringLiteral("je")), 10);
    EXPECT_EQ(rs.value(QStringLiteral("cgrq")).toDate(), QDate(2004, 4, 15));
    EXPECT_TRUE(booking::hasRow(db(), QStringLiteral("J_cgmxb"), QStringLiteral("CG1"), QStringLiteral("ghs"), partner));
    EXPECT_FALSE(booking::hasRow(db(), QStringLiteral("J_cgmxb"), QStringLiteral("CG1"), QStringLiteral("ghs"),
                                 QStringLiteral("x' or '1'='1")));
    EXPECT_EQ(booking::sumOf(db(), QStringLiteral("J_cgmxb"), QStringLiteral("dj*sl"), QStringLiteral("CG1")), 10);
    EXPECT_EQ(booking::sumOf(db(), QStringLiteral("J_cgmxb"), QStringLiteral("dj*sl"), QStringLiteral("none")), 0);
    EXPECT_EQ(stockOf(db(), QStringLiteral("A1")), 1);
}

TEST_F(BookingStatementsTest, ARefusedValueThrowsAndTheStatementServesAgain)
{
    db().exec(QStringLiteral("insert into J_cgb(pzh) values('CG1')"));
    EXPECT_THROW(booking::setTotal(db(), QStringLiteral("J_cgb"), QStringLiteral("yfk"), QStringLiteral("CG1"), 1e12),
                 DbError); // more digits than the column holds
    booking::setTotal(db(), QStringLiteral("J_cgb"), QStringLiteral("yfk"), QStringLiteral("CG1"), 12.345);
    booking::raiseTotal(db(), QStringLiteral("J_cgb"), QStringLiteral("yfk"), QStringLiteral("CG1"), 0.005);
    ResultSet rs(db());
    rs.open(QStringLiteral("select yfk from J_cgb"));
    EXPECT_EQ(rs.number(QStringLiteral("yfk")), 12.34); // each write kept to the cent, ties to even
    EXPECT_THROW(booking::insertRow(db(), QStringLiteral("J_nosuch"), {{QStringLiteral("a"), 1}}), DbError);
}

TEST_F(BookingStatementsTest, StatementsFollowTheConnectionToAnotherFile)
{
    db().exec(QStringLiteral("insert into J_spb(spdm,xykc) values('A1',5)"));
    booking::adjustStock(db(), QStringLiteral("A1"), 1);
    booking::setCash(db(), 100);
    EXPECT_EQ(booking::cash(db()), 100);

    // Another program file: the statements kept for the first must not write into it.
    const QString other = dir() + QStringLiteral("other.mdb");
    db().close(); // the latest commits are in the file itself only once it is closed
    ASSERT_TRUE(QFile::copy(myvar::databaseFile(), other));
    db().open(other);
    booking::adjustStock(db(), QStringLiteral("A1"), 10);
    booking::setCash(db(), 7);
    EXPECT_EQ(stockOf(db(), QStringLiteral("A1")), 16);
    db().close();
    db().open(myvar::databaseFile());
    EXPECT_EQ(stockOf(db(), QStringLiteral("A1")), 6);
    EXPECT_EQ(booking::cash(db()), 100);
    ASSERT_TRUE(booking::article(db(), QStringLiteral("A1")));
    EXPECT_EQ(booking::article(db(), QStringLiteral("A1"))->stock, 6);
    EXPECT_FALSE(booking::article(db(), QStringLiteral("A2")));
}

TEST_F(BookingStatementsTest, BoundDatesReadBackAsTheSameDay)
{
    db().exec(QStringLiteral("insert into J_spb(spdm,spmc,xykc,zxdj) values('A1','螺丝',1,1)"));
    const QDate days[] = {QDate(2026, 1, 2), QDate(1999, 12, 31), QDate(2004, 2, 29), QDate(2010, 10, 9)};
    int n = 0;
    for (const QDate& day : days) {
        const QString voucher = QStringLiteral("CG%1").arg(++n);
        booking::insertRow(db(), QStringLiteral("J_cgmxb"),
                           {{QStringLiteral("pzh"), voucher}, {QStringLiteral("spdm"), QStringLiteral("A1")},
                            {QStringLiteral("cgrq"), day}});
        ResultSet rs(db());
        rs.open(QStringLiteral("select cgrq from J_cgmxb where pzh='") + voucher + QStringLiteral("'"));
        EXPECT_EQ(rs.value(QStringLiteral("cgrq")).toDate(), day) << day.toString(Qt::ISODate).toStdString();
    }
}
