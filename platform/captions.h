#pragma once

#include <QString>

// The names the windows carry in their title bars, shared by several of them.
namespace Captions {
// The start and main windows.
inline const QString window = QStringLiteral("Tessarine 2005 （ Corvanel系列 2 ）");
// The strip, and the title of every message box.
inline const QString program = QStringLiteral("Tessarine 2005");
} // namespace Captions
