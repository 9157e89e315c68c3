// The bare baseline for the start-up benchmark: one 681 x 217 window with one Japanese label.
// With --measure-font it measures its label's font before showing, as any program does
// that creates a text input before its first window appears: that first use of a font
// sets up the font database, which the plain baseline only does after its window is mapped.
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(681, 217);
    QLabel label(QStringLiteral("日本語の単語を覚えましょう"), &window);
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(29);
    label.setFont(font);
    label.setGeometry(20, 80, 640, 40);
    if (app.arguments().contains(QStringLiteral("--measure-font")))
        (void)QFontMetrics(label.font()).height();
    window.show();
    return app.exec();
}
