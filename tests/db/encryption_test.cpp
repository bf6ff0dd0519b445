// The database file is unreadable without the program's key.
#include "db/Database.h"
#include "db/ResultSet.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

TEST(Encryption, OnlyTheRightKeyReadsTheFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sjk.mdb"));
    {
        Database db;
        db.open(file); // created when missing
        db.exec(QStringLiteral("create table J_czyb(czydm char(4),czymc char(10),czymm char(6))"));
        db.exec(QStringLiteral("insert into J_czyb(czydm,czymc,czymm) values(1001,'管理员',530162)"));
    }
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains(QStringLiteral("管理员").toUtf8()));

    // A plain reader without a key.
    sqlite3* plain = nullptr;
    ASSERT_EQ(sqlite3_open_v2(file.toUtf8().constData(), &plain, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_NE(sqlite3_exec(plain, "select count(*) from sqlite_master", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(plain);

    Database other;
    EXPECT_THROW(other.open(file, QStringLiteral("wrong")), DbError);
    EXPECT_FALSE(other.isOpen());

    Database right;
    right.open(file);
    ResultSet rs(right);
    rs.open(QStringLiteral("select czymc from J_czyb"));
    EXPECT_EQ(rs.text(QStringLiteral("czymc")), QStringLiteral("管理员"));
}

TEST(Encryption, DamagedFileIsRefused)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sjk.mdb"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, '\x5a'));
    f.close();
    Database db;
    EXPECT_THROW(db.open(file), DbError);
}
