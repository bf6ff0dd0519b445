// The database file's layout: 4 KB cipher pages, a write-ahead log that is gone once the
// program has closed the file, and files of the earlier 1 KB layout converted when opened.
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/Schema.h"
#include "db/SqlText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A keyed connection of the given page size made without the program's code; null when
// the file does not read that way.
sqlite3* rawOpen(const QString& file, int pageSize)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const QString setup = QStringLiteral("PRAGMA key = %1; PRAGMA cipher_page_size = %2;")
                              .arg(quoted(Database::fileKey()))
                              .arg(pageSize);
    if (sqlite3_exec(db, setup.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK
        || sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    Database::registerFunctions(db);
    return db;
}

bool readsWithPages(const QString& file, int pageSize)
{
    sqlite3* db = rawOpen(file, pageSize);
    sqlite3_close(db);
    return db != nullptr;
}

QString text(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    QString out;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return out;
}

// Every row of every table and the schema, as text: equal dumps mean nothing was lost.
QString dump(Database& db)
{
    QStringList out;
    ResultSet schema(db);
    schema.open(QStringLiteral("select type, name, sql from sqlite_master order by type, name"));
    for (int r = 0; r < schema.recordCount(); ++r)
        out << schema.valueAt(r, 0).toString() + QLatin1Char(' ') + schema.valueAt(r, 1).toString() + QLatin1Char(' ')
                   + schema.valueAt(r, 2).toString();
    for (const QString& table : db.tableNames()) {
        ResultSet rs(db);
        rs.open(QStringLiteral("select * from %1").arg(table));
        for (int r = 0; r < rs.recordCount(); ++r) {
            QStringList cells{table};
            for (int c = 0; c < rs.fieldCount(); ++c)
                cells << displayText(rs.valueAt(r, c));
            out << cells.join(QLatin1Char('|'));
        }
    }
    return out.join(QLatin1Char('\n'));
}

QStringList sidecars(const QString& file)
{
    QStringList found;
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        if (QFileInfo::exists(file + QLatin1String(suffix)))
            found << QLatin1String(suffix);
    return found;
}

class FileLayout : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // A file of the program's tables and some rows, written as the earlier versions wrote
    // it: 1 KB pages, rollback journal. Returns the dump of its content.
    QString writeOldLayoutFile()
    {
        const QString made = dir.filePath(QStringLiteral("made.mdb"));
        {
            Database db;
            db.open(made);
            schema::createAllTables(db);
            db.exec(QStringLiteral("insert into J_spb(spdm,spmc,zxdj,xykc) values('S00001','螺丝刀',12.5,3)"));
            db.exec(QStringLiteral("insert into J_spb(spdm,spmc,zxdj,xykc) values('S00002','扳手',0.35,100)"));
            db.exec(QStringLiteral("insert into J_cgb(pzh,ghs,cgrq,yfk) values('CG10012612_001','供货商001','2026/12/1',37.5)"));
            db.exec(QStringLiteral("insert into J_cgmxb(pzh,spdm,dj,sl,cgrq) values('CG10012612_001','S00001',12.5,3,'2026/12/1')"));
            db.exec(QStringLiteral("PRAGMA user_version = 7"));
            db.close();
        }
        sqlite3* made4k = rawOpen(made, 4096);
        EXPECT_NE(made4k, nullptr);
        const QString attach = QStringLiteral("ATTACH DATABASE %1 AS old KEY %2; PRAGMA old.cipher_page_size = 1024;"
                                              " PRAGMA old.journal_mode = DELETE; SELECT sqlcipher_export('old');"
                                              " PRAGMA old.user_version = 7; DETACH DATABASE old;")
                                   .arg(quoted(file), quoted(Database::fileKey()));
        EXPECT_EQ(sqlite3_exec(made4k, attach.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(made4k);
        sqlite3_close(made4k);
        EXPECT_TRUE(readsWithPages(file, 1024));
        EXPECT_FALSE(readsWithPages(file, 4096));
        Database db;
        db.open(made);
        return dump(db);
    }

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sjk.mdb"));
};

TEST_F(FileLayout, NewFileHasLargePagesAndLeavesNoLogWhenClosed)
{
    {
        Database db;
        db.open(file);
        db.exec(QStringLiteral("create table J_zjb(je numeric(10,2) default 0)"));
        db.exec(QStringLiteral("insert into J_zjb(je) values(5000)"));
        EXPECT_EQ(text(db.handle(), "PRAGMA journal_mode"), QStringLiteral("wal"));
        EXPECT_EQ(text(db.handle(), "PRAGMA synchronous"), QStringLiteral("2")); // FULL
        db.close();
    }
    EXPECT_EQ(sidecars(file), QStringList());
    EXPECT_EQ(QFileInfo(file).size() % 4096, 0);
    EXPECT_FALSE(readsWithPages(file, 1024));
    // What was committed is in the file itself.
    sqlite3* raw = rawOpen(file, 4096);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(text(raw, "select je from J_zjb"), QStringLiteral("5000"));
    sqlite3_close(raw);
}

TEST_F(FileLayout, OldLayoutFileIsConvertedOnceKeepingEveryRow)
{
    const QString before = writeOldLayoutFile();
    ASSERT_FALSE(before.isEmpty());
    {
        Database db;
        db.open(file);
        EXPECT_EQ(dump(db), before);
        EXPECT_EQ(text(db.handle(), "PRAGMA user_version"), QStringLiteral("7"));
        // The column rules came along with the tables.
        EXPECT_THROW(db.exec(QStringLiteral("insert into J_spb(spdm) values('S000001')")), DbError);
        db.exec(QStringLiteral("insert into J_spb(spdm,spmc) values('S00003','钳子')"));
        db.close();
    }
    EXPECT_TRUE(readsWithPages(file, 4096));
    EXPECT_TRUE(readsWithPages(file + QStringLiteral(".bak"), 1024)); // the old file, as it was
    EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral(".convert")));
    EXPECT_EQ(sidecars(file), QStringList());

    // Opened again, the file is already in the new layout: the kept old file stays as it is.
    const QDateTime keptAt = QFileInfo(file + QStringLiteral(".bak")).lastModified();
    Database again;
    again.open(file);
    ResultSet rs(again);
    rs.open(QStringLiteral("select spmc from J_spb where spdm='S00003'"));
    EXPECT_EQ(rs.text(QStringLiteral("spmc")), QStringLiteral("钳子"));
    EXPECT_EQ(QFileInfo(file + QStringLiteral(".bak")).lastModified(), keptAt);
}

TEST_F(FileLayout, OldLayoutFileWithAnotherKeyIsRefusedUntouched)
{
    writeOldLayoutFile();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    Database db;
    EXPECT_THROW(db.open(file, QStringLiteral("wrong")), DbError);
    EXPECT_FALSE(db.isOpen());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
    EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral(".bak")));
    EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral(".convert")));
}

} // namespace
