// The menu and dock icons that makeresources makes: each is a PNG that a standard
// decoder reads at its size, and the 16-pixel one is the window icon on a transparent background.
// The Windows program's icon file holds the same pictures at Windows' sizes.

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

class TestAppIcons : public QObject
{
    Q_OBJECT

private slots:
    void decodesAtItsSize_data();
    void decodesAtItsSize();
    void smallestIsTheWindowIcon();
    void windowsIconHoldsTheMenuIcons();

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

void TestAppIcons::windowsIconHoldsTheMenuIcons()
{
    const QList<int> sizes = {16, 24, 32, 48, 64, 128, 256};
    QFile file(QStringLiteral(WINDOWS_ICON));
    QVERIFY2(file.open(QIODevice::ReadOnly), "the build made no icon file");
    const QByteArray data = file.readAll();
    // Little-endian numbers; a byte past the end of the file reads as 0.
    auto byte = [&data](qsizetype at) { return at >= 0 && at < data.size() ? quint32(quint8(data[at])) : 0u; };
    auto u16 = [&byte](qsizetype at) { return byte(at) | byte(at + 1) << 8; };
    auto u32 = [&u16](qsizetype at) { return u16(at) | u16(at + 2) << 16; };
    // As Windows reads it: an icon (type 1) of 32-bit images, a bitmap header before each image
    // but the largest, which is a PNG; the images lie inside the file.
    QVERIFY(data.size() >= 6 + 16 * sizes.size());
    QCOMPARE(u16(2), 1u);
    QCOMPARE(u16(4), quint32(sizes.size()));
    for (int i = 0; i < sizes.size(); ++i) {
        const qsizetype entry = 6 + 16 * i;
        QCOMPARE(int(quint8(data[entry])), sizes[i] % 256);
        QCOMPARE(u16(entry + 6), 32u);
        const quint32 length = u32(entry + 8), offset = u32(entry + 12);
        QVERIFY(offset + length <= quint32(data.size()));
        if (sizes[i] == 256)
            QVERIFY(data.mid(offset, 8) == "\x89PNG\r\n\x1a\n");
        else
            QCOMPARE(u32(offset), 40u);
    }

    // Its pictures are the menu icons, pixel for pixel, transparency included. Compared as Qt's
    // icon reader delivers them, with the colours multiplied by the opacity: turned back, a
    // half-transparent pixel's colour can be 1 off what the file holds.
    if (!QImageReader::supportedImageFormats().contains("ico"))
        QSKIP("this Qt reads no icon files (Qt for Windows is built without them); the Windows "
              "tests compare the icon in velkaro.exe with this file");
    QImageReader reader(QStringLiteral(WINDOWS_ICON), "ico");
    QCOMPARE(reader.imageCount(), sizes.size());
    for (int i = 0; i < sizes.size(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage expected = load(QStringLiteral("appicon-%1.png").arg(sizes[i]))
                                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(image.size(), expected.size());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != expected.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("%1 pixels: pixel %2, %3 is %4, not %5").arg(sizes[i]).arg(x).arg(y)
                                         .arg(image.pixel(x, y), 8, 16).arg(expected.pixel(x, y), 8, 16)));
    }
}

QTEST_APPLESS_MAIN(TestAppIcons)
#include "tst_appicons.moc"
