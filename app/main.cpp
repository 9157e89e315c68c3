#include "qtplatform.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ChooseQtPlatform();
    QApplication app(argc, argv);
    return RunProgram(app);
}
