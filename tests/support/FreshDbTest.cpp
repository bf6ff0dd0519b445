#include "support/FreshDbTest.h"

#include "db/ProgramState.h"
#include "db/Database.h"

void resetProgramVariables()
{
    myvar::operatorName.clear();
    myvar::operatorCode.clear();
    myvar::loadedPassword.clear();
    myvar::loginFailures = 0;
    myvar::goodsPickMode = 0;
    myvar::tableNames.clear();
}

void FreshDbTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    resetProgramVariables();
    myvar::setProgramDir(m_dir.path());
    Database::shared().close();
    Database::shared().open(myvar::databaseFile());
}

void FreshDbTest::TearDown()
{
    Database::shared().close();
    resetProgramVariables();
}

QString FreshDbTest::dir() const
{
    return myvar::programDir();
}
