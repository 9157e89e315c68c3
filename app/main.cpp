#include "qtplatform.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ChooseQtPlatform();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(APP_ID)); // matches windows to the menu entry
    return RunProgram(app);
}
