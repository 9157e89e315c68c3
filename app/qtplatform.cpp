#include "qtplatform.h"

#include <QByteArray>
#include <QtGlobal>

void chooseQtPlatform()
{
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) // unset, or set to nothing
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
#endif
}
