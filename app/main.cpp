#include "qtplatform.h"
#include "appwindows.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    chooseQtPlatform();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(APP_ID)); // matches windows to the menu entry
    return runProgram(app);
}
