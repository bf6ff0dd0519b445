#include "db/ProgramState.h"

#include <QCoreApplication>
#include <QDir>
#include <QMetaObject>

namespace myvar {
QString operatorName;
QString operatorCode;
QString loadedPassword;
int loginFailures = 0;
int goodsPickMode = 0;
QStringList tableNames;

namespace {
QString g_programDir;
bool g_ending = false;
std::function<void()> g_endHook;
} // namespace

QString programDir()
{
    if (g_programDir.isEmpty())
        g_programDir = QCoreApplication::applicationDirPath();
    QString dir = QDir::toNativeSeparators(g_programDir);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

void setProgramDir(const QString& dir)
{
    g_programDir = dir;
}

QString databaseFile()
{
    return programDir() + QStringLiteral("sjk.mdb");
}

bool hasTable(const QString& name)
{
    return tableNames.contains(name, Qt::CaseInsensitive);
}

void endProgram()
{
    g_ending = true;
    if (g_endHook) {
        g_endHook();
        return;
    }
    // Leaves every event loop, the modal ones included, then the main one. Called as a
    // slot so this layer needs no widgets.
    QMetaObject::invokeMethod(QCoreApplication::instance(), "closeAllWindows", Qt::DirectConnection);
    QCoreApplication::exit(0);
}

bool programEnding()
{
    return g_ending;
}

void setEndProgramHook(std::function<void()> hook)
{
    g_endHook = std::move(hook);
}

void resetProgramEnding()
{
    g_ending = false;
}
} // namespace myvar
