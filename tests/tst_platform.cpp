// The small platform layer: colour keys, the step timers' rules and window placement.

#include "colorkey.h"
#include "steptimer.h"
#include "windowplacement.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void colorKeyRegion();
    void colorKeyRegionAtFractionalScale_data();
    void colorKeyRegionAtFractionalScale();
    void colorKeyOnAWindow();
    void enablingARunningTimerKeepsItsPeriod();
    void sameIntervalKeepsTheCount();
    void framePlacement_data();
    void framePlacement();
};

void TestPlatform::colorKeyRegion()
{
    // A 6 x 4 bar: red surround with cut corners, blue inside, one almost-red pixel.
    const QRgb r = qRgb(255, 0, 0), b = qRgb(166, 202, 240), n = qRgb(254, 0, 0);
    const QRgb pixels[4][6] = {{r, r, r, r, r, r}, {r, r, b, b, r, r}, {r, b, b, b, n, r}, {r, r, r, r, r, r}};
    QImage image(6, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, pixels[y][x]);
    const QRegion visible = ::colorKeyRegion(image, r);
    QRegion expected;
    expected += QRect(2, 1, 2, 1);
    expected += QRect(1, 2, 4, 1); // the almost-red pixel stays: only the exact key is see-through
    QCOMPARE(visible, expected);
    // No key pixel: everything stays; all key: nothing does.
    QCOMPARE(::colorKeyRegion(image, qRgb(1, 2, 3)), QRegion(image.rect()));
    QImage red(3, 3, QImage::Format_RGB32);
    red.fill(r);
    QVERIFY(::colorKeyRegion(red, r).isEmpty());
}

void TestPlatform::colorKeyRegionAtFractionalScale_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::newRow("125%") << 1.25;
    QTest::newRow("150%") << 1.5;
    QTest::newRow("200%") << 2.0;
    QTest::newRow("175%") << 1.75;
}

// A window picture at a fractional device pixel ratio: a light-blue bar with round ends on a
// red surround. The visible region is in logical pixels, which Qt scales to device pixels; it
// must show no red device pixel, and lose none of the bar but next to the red.
void TestPlatform::colorKeyRegionAtFractionalScale()
{
    QFETCH(qreal, scale);
    const QRgb red = qRgb(255, 0, 0), skyBlue = qRgb(166, 202, 240);
    const QSize logical(101, 21);
    QImage picture(logical * scale, QImage::Format_RGB32);
    picture.setDevicePixelRatio(scale);
    picture.fill(red);
    {
        QPainter painter(&picture);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(skyBlue));
        painter.drawRoundedRect(QRectF(13.3, -2, 70, 25), 12, 12);
    }
    const QRegion visible = ::colorKeyRegion(picture, red);
    QVERIFY(!visible.isEmpty());
    QVERIFY(QRect(QPoint(), logical).contains(visible.boundingRect()));
    const QRegion shown = QTransform::fromScale(scale, scale).map(visible); // as Qt scales a mask
    int redShown = 0, barLost = 0, bar = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool isRed = picture.pixel(x, y) == red;
            if (isRed) {
                redShown += shown.contains(QPoint(x, y));
                continue;
            }
            ++bar;
            // Inside the bar, two device pixels away from any red.
            bool nearRed = false;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    nearRed = nearRed || (picture.valid(x + dx, y + dy) && picture.pixel(x + dx, y + dy) == red);
            barLost += !nearRed && !shown.contains(QPoint(x, y));
        }
    }
    QVERIFY(bar > 1000);
    QCOMPARE(redShown, 0);
    QCOMPARE(barLost, 0);
}

void TestPlatform::colorKeyOnAWindow()
{
    QWidget window;
    window.setFixedSize(40, 20);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::red);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    auto *inner = new QWidget(&window);
    inner->setGeometry(10, 5, 20, 10);
    palette.setColor(QPalette::Window, QColor(166, 202, 240));
    inner->setPalette(palette);
    inner->setAutoFillBackground(true);
    applyColorKey(&window, Qt::red);
    QCOMPARE(window.mask(), QRegion(10, 5, 20, 10));
    applyColorKey(&window, QColor(1, 2, 3)); // nothing of that colour: no mask
    QVERIFY(window.mask().isEmpty());
}

// Periods of 20 s and more, against waits of 1 s: a timer that kept its count has at most
// 19 s left, one restarted nearly 20, and a loaded machine only makes the wait longer.
void TestPlatform::enablingARunningTimerKeepsItsPeriod()
{
    QTimer *timer = makeStepTimer(20000, this);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    setTimerRunning(timer, true);
    QTest::qWait(1000);
    setTimerRunning(timer, true);
    QVERIFY(timer->remainingTime() <= 19300); // not restarted
    setTimerRunning(timer, false);
    QVERIFY(!timer->isActive());
    delete timer;
}

void TestPlatform::sameIntervalKeepsTheCount()
{
    QTimer *timer = makeStepTimer(20000, this);
    startIfStopped(timer);
    QTest::qWait(1000);
    setIntervalKeepingCount(timer, 20000);
    QVERIFY(timer->remainingTime() <= 19300);
    setIntervalKeepingCount(timer, 40000); // a new value restarts the count
    QVERIFY(timer->remainingTime() > 30000);
    setTimerRunning(timer, false);
    setIntervalKeepingCount(timer, 968); // a stopped timer keeps it for later
    QCOMPARE(timer->interval(), 968);
    QVERIFY(!timer->isActive());
    delete timer;
}

void TestPlatform::framePlacement_data()
{
    QTest::addColumn<QRect>("available"); // the screen less panels
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("expected"); // the frame's top-left corner
    QTest::newRow("fits: centred") << QRect(0, 0, 1280, 800) << QSize(778, 330) << QPoint(251, 235);
    QTest::newRow("fits exactly") << QRect(0, 0, 640, 480) << QSize(640, 480) << QPoint(0, 0);
    QTest::newRow("panel at the top") << QRect(0, 30, 1280, 770) << QSize(400, 300) << QPoint(440, 265);
    QTest::newRow("second screen") << QRect(1280, 0, 1024, 768) << QSize(284, 123) << QPoint(1650, 322);
    // Larger than the area: at its top-left corner, so that every control can be reached.
    QTest::newRow("too wide") << QRect(0, 0, 640, 480) << QSize(778, 330) << QPoint(0, 0);
    QTest::newRow("too tall") << QRect(0, 0, 1024, 300) << QSize(778, 330) << QPoint(0, 0);
    QTest::newRow("too wide, panel at the top") << QRect(0, 24, 640, 456) << QSize(681, 217) << QPoint(0, 24);
    QTest::newRow("too large, second screen") << QRect(640, 0, 640, 480) << QSize(803, 283) << QPoint(640, 0);
}

void TestPlatform::framePlacement()
{
    QFETCH(QRect, available);
    QFETCH(QSize, frame);
    QFETCH(QPoint, expected);
    QCOMPARE(framePosition(frame, available), expected);
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
