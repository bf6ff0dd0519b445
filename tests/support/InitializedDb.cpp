#include "support/InitializedDb.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/Schema.h"

#include <QFile>

namespace {

// Initializing writes some hundred statements, each synced to disk; doing it once per
// test run and copying the file keeps the tests quick.
QString initializedTemplate()
{
    static QTemporaryDir dir;
    static QString file;
    if (file.isEmpty()) {
        const QString name = dir.filePath(QStringLiteral("template.mdb"));
        Database db;
        db.open(name);
        schema::createAllTables(db);
        db.close();
        file = name;
    }
    return file;
}

} // namespace

void InitializedDbTest::SetUp()
{
    FreshDbTest::SetUp();
    if (HasFatalFailure())
        return;
    Database& db = Database::shared();
    db.close();
    QFile::remove(myvar::databaseFile());
    ASSERT_TRUE(QFile::copy(initializedTemplate(), myvar::databaseFile()));
    QFile::setPermissions(myvar::databaseFile(), QFile::ReadOwner | QFile::WriteOwner);
    db.open(myvar::databaseFile());
    myvar::operatorCode = QStringLiteral("1001");
    myvar::operatorName = QStringLiteral("管理员");
    myvar::tableNames = db.tableNames();
}
