// The menu and dock icons that makeresources makes: each is a PNG that a standard
// decoder reads at its size, and the 16-pixel one is the window icon on a transparent background.

#include <QImage>
#include <QTest>

class TestAppIcons : public QObject
{
    Q_OBJECT

private slots:
    void decodesAtItsSize_data();
    void decodesAtItsSize();
    void smallestIsTheWindowIcon();

private:
    static QImage load(const QString &name);
};

QImage TestAppIcons::load(const QString &name)
{
    QImage image;
    if (!image.load(QStringLiteral(RESOURCES_DIR "/") + name))
        return {};
    return image.convertToFormat(QImage::Format_ARGB32);
}

void TestAppIcons::decodesAtItsSize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%d", size) << size;
}

void TestAppIcons::decodesAtItsSize()
{
    QFETCH(int, size);
    const QImage icon = load(QStringLiteral("appicon-%1.png").arg(size));
    QVERIFY2(!icon.isNull(), "the PNG does not decode");
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    // Transparent around the card, the card opaque: its frame navy, its face cyan.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 0);
    QCOMPARE(icon.pixel(size * 25 / 32, size / 2), qRgb(0, 255, 255)); // right of the lines
    int navy = 0;
    for (int y = 0; y < size; ++y)
        navy += icon.pixel(size / 4, y) == qRgb(0, 0, 128);
    QVERIFY(navy > 0);
}

void TestAppIcons::smallestIsTheWindowIcon()
{
    const QImage icon = load(QStringLiteral("appicon-16.png"));
    const QImage window = load(QStringLiteral("icon.bmp"));
    QVERIFY(!icon.isNull() && !window.isNull());
    QCOMPARE(icon.size(), window.size());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb expected = window.pixel(x, y) == qRgb(255, 255, 255) ? qRgba(0, 0, 0, 0) : window.pixel(x, y);
            if (icon.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2 differs").arg(x).arg(y)));
        }
    }
}

QTEST_APPLESS_MAIN(TestAppIcons)
#include "tst_appicons.moc"
