// The fresh-database fixture: each test on its own empty file, program variables cleared.
#include "db/ProgramState.h"
#include "db/Database.h"
#include "support/FreshDbTest.h"

#include <QFileInfo>

class FreshDb : public FreshDbTest {};

TEST_F(FreshDb, OpensAnEmptyFileInItsOwnFolder)
{
    EXPECT_TRUE(Database::shared().isOpen());
    EXPECT_EQ(QFileInfo(Database::shared().fileName()).absolutePath(), QFileInfo(m_dir.path()).absoluteFilePath());
    EXPECT_TRUE(Database::shared().tableNames().isEmpty());
    EXPECT_TRUE(myvar::operatorName.isEmpty());
    Database::shared().exec(QStringLiteral("create table J_t (bh char(2))"));
    myvar::operatorName = QStringLiteral("张三"); // the next test must not see either
}

TEST_F(FreshDb, StartsClean)
{
    EXPECT_TRUE(Database::shared().tableNames().isEmpty());
    EXPECT_TRUE(myvar::operatorName.isEmpty());
}
