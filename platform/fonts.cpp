#include "fonts.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace Fonts {

void installSubstitutes()
{
    QFont::insertSubstitutions(Mincho, {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho")});
    QFont::insertSubstitutions(Songti, {QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC")});
    // WenQuanYi Micro Hei draws the 11-pixel control texts as clearly as Noto Sans CJK SC
    // at a seventeenth of the installed size; Noto stays as a fallback where it is installed.
    QFont::insertSubstitutions(SansSerif, {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                           QStringLiteral("DejaVu Sans")});
}

int pointsToPixels(int points)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return int(std::lround(points * dpi / 72.0));
}

QFont fontPx(const QString &face, int pixels)
{
    QFont font(face);
    // Straight to the installed stand-ins: a family that is not installed sends the font
    // database looking for fallbacks before it tries the substitutes.
    const QStringList substitutes = QFont::substitutes(face);
    if (!substitutes.isEmpty())
        font.setFamilies(substitutes);
    font.setPixelSize(pixels);
    return font;
}

QFont controlFont()
{
    return fontPx(SansSerif, pointsToPixels(8));
}

} // namespace Fonts
