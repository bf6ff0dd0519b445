#pragma once
// Program-wide variables: who is logged in and what the goods list picks for.
#include <QString>
#include <QStringList>

#include <functional>

namespace myvar {
extern QString operatorName;  // name of the logged-in operator; empty when the login was skipped
extern QString operatorCode;  // code as typed at the login; part of every voucher number
extern QString loadedPassword; // password of the operator found for the typed code
extern int loginFailures;      // wrong passwords typed since start-up
extern int goodsPickMode;      // which line dialog the goods list picks for; 0 = plain list
extern QStringList tableNames; // user tables of the database, compared without regard to case

// The program's directory (the executable's), with a final separator; tests may point it elsewhere.
QString programDir();
void setProgramDir(const QString& dir);
// programDir() + "sjk.mdb"
QString databaseFile();
bool hasTable(const QString& name);

// Ends the program: "返回" at the login, a third wrong password, a failed connection,
// "退出系统". The screen that asks closes itself; programEnding() tells the start-up
// sequence to stop. Tests replace what actually ends the run.
void endProgram();
bool programEnding();
void setEndProgramHook(std::function<void()> hook); // empty: quit the application
void resetProgramEnding();
} // namespace myvar
