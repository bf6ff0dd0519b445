#pragma once
// Screens of the application core on an initialized database, with "end the program"
// recorded instead of done.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/ResultSet.h"

// Records endProgram() for the test's lifetime.
struct EndRecorder {
    bool ended = false;
    EndRecorder()
    {
        myvar::resetProgramEnding();
        myvar::setEndProgramHook([this] { ended = true; });
    }
    ~EndRecorder()
    {
        myvar::setEndProgramHook({});
        myvar::resetProgramEnding();
    }
};

class AppTest : public InitializedDbTest {
protected:
    EndRecorder m_end;
};

class EmptyDbAppTest : public FreshDbTest {
protected:
    EndRecorder m_end;
};

inline int rowCount(const QString& sql)
{
    ResultSet rs;
    rs.open(sql);
    return rs.recordCount();
}

inline void execSql(const QString& sql)
{
    Database::shared().exec(sql);
}

