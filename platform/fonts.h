#pragma once

#include <QFont>
#include <QString>

namespace Fonts {
// Font faces as the windows name them; substitutes are installed for this platform.
inline const QString Mincho = QStringLiteral("MS Mincho");
inline const QString Songti = QStringLiteral("宋体");
inline const QString SansSerif = QStringLiteral("MS Sans Serif");

// Maps the faces above to the fonts that draw them. On Linux, the Debian fonts that stand in for
// them: IPAMincho (Japanese glyph forms), AR PL SungtiL GB (Simplified Chinese forms) and
// WenQuanYi Micro Hei for control texts. On Windows, its own faces where it has them, followed
// by those same free fonts, which the program brings in its fonts folder and registers here.
void installSubstitutes();

// A point size as a pixel height at the screen's resolution (22 points = 29 pixels at 96 dpi).
int pointsToPixels(int points);

// The face at a pixel height.
QFont fontPx(const QString &face, int pixels);

// The controls' default font: "MS Sans Serif", 8 points.
QFont controlFont();
} // namespace Fonts
