// The small platform layer: colour keys, the step timers' rules and check boxes.

#include "colorkey.h"
#include "mouseupcheckbox.h"
#include "steptimer.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void colorKeyRegion();
    void colorKeyOnAWindow();
    void enablingARunningTimerKeepsItsPeriod();
    void sameIntervalKeepsTheCount();
    void mouseUpComesAfterTheToggle();
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

void TestPlatform::enablingARunningTimerKeepsItsPeriod()
{
    QTimer *timer = makeStepTimer(400, this);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    setTimerRunning(timer, true);
    QTest::qWait(200);
    setTimerRunning(timer, true);
    QVERIFY(timer->remainingTime() <= 250); // not restarted
    setTimerRunning(timer, false);
    QVERIFY(!timer->isActive());
    delete timer;
}

void TestPlatform::sameIntervalKeepsTheCount()
{
    QTimer *timer = makeStepTimer(400, this);
    startIfStopped(timer);
    QTest::qWait(200);
    setIntervalKeepingCount(timer, 400);
    QVERIFY(timer->remainingTime() <= 250);
    setIntervalKeepingCount(timer, 800); // a new value restarts the count
    QVERIFY(timer->remainingTime() > 600);
    setTimerRunning(timer, false);
    setIntervalKeepingCount(timer, 968); // a stopped timer keeps it for later
    QCOMPARE(timer->interval(), 968);
    QVERIFY(!timer->isActive());
    delete timer;
}

void TestPlatform::mouseUpComesAfterTheToggle()
{
    MouseUpCheckBox box(QStringLiteral("x"));
    box.resize(80, 20);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QList<bool> seen;
    connect(&box, &MouseUpCheckBox::mouseUp, &box, [&] { seen.append(box.isChecked()); });
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 10));
    QTest::keyClick(&box, Qt::Key_Space); // the keyboard toggles without a mouse-up
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 10));
    QCOMPARE(seen, QList<bool>({true, true}));
    QVERIFY(box.isChecked());
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
