// 岚桥进销存: the main window shows the login, then the menu.
#include "db/ProgramState.h"
#include "app/MainWindow.h"
#include "widgets/ErrorHandler.h"

#include <QLocale>

int main(int argc, char** argv)
{
    JxcApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("岚桥进销存（单机版）Ver3.0"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    TForm1 mainWindow;
    mainWindow.show();
    // The login may already have ended the program (failed connection, "返回", third wrong password).
    if (myvar::programEnding())
        return 0;
    const int rc = app.exec();
    mainWindow.endOfRun();
    return rc;
}
