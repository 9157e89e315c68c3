#include "fonts.h"

#include <QGuiApplication>
#include <QScreen>
#ifdef Q_OS_WIN
#include <QDir>
#include <QFontDatabase>
#endif

#include <cmath>

namespace Fonts {

#ifdef Q_OS_WIN
namespace {

// The free fonts the program brings in the fonts folder beside it, for this run of the program.
void addBundledFonts()
{
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    const QFileInfoList files = folder.entryInfoList({QStringLiteral("*.ttf"), QStringLiteral("*.ttc")}, QDir::Files);
    for (const QFileInfo &file : files)
        QFontDatabase::addApplicationFont(file.filePath());
}

// The families of the list that this Windows has or the program brought, in the list's order.
QStringList present(const QStringList &families)
{
    QStringList found;
    for (const QString &family : families)
        if (QFontDatabase::hasFamily(family))
            found.append(family);
    return found;
}

} // namespace

// Windows' own faces where it has them ("MS Mincho" comes with its Japanese fonts, SimSun with
// its Chinese ones), the bundled free ones after them for what Windows lacks: a text takes each
// character from the first face of its list that has it, so the Japanese lines only ever come
// from faces with Japanese glyph forms and the meaning only from faces with Simplified Chinese
// ones. The control texts take Latin letters from MS Sans Serif and Chinese from SimSun, as a
// Chinese Windows draws them.
void installSubstitutes()
{
    addBundledFonts();
    QFont::insertSubstitutions(Mincho, present({QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho")}));
    QFont::insertSubstitutions(Songti, present({QStringLiteral("SimSun"), QStringLiteral("AR PL SungtiL GB")}));
    QFont::insertSubstitutions(SansSerif, present({QStringLiteral("MS Sans Serif"), QStringLiteral("SimSun"),
                                                   QStringLiteral("WenQuanYi Micro Hei")}));
}
#else
void installSubstitutes()
{
    QFont::insertSubstitutions(Mincho, {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho")});
    QFont::insertSubstitutions(Songti, {QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC")});
    // WenQuanYi Micro Hei draws the 11-pixel control texts as clearly as Noto Sans CJK SC
    // at a seventeenth of the installed size; Noto stays as a fallback where it is installed.
    QFont::insertSubstitutions(SansSerif, {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                           QStringLiteral("DejaVu Sans")});
}
#endif

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
