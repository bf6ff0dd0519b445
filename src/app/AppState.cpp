#include "app/AppState.h"

#include <QCoreApplication>
#include <QDir>

namespace myvar {
QString operatorName;
QString operatorCode;
QString loadedPassword;
int loginFailures = 0;
int goodsPickMode = 0;
QStringList tableNames;

namespace {
QString g_programDir;
}

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
} // namespace myvar
