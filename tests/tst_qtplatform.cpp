// The choice of Qt platform plugin from the environment: xcb on a Wayland session with
// XWayland, unless the user has chosen.

#include "qtplatform.h"

#include <QTest>

class TestQtPlatform : public QObject
{
    Q_OBJECT

private slots:
    void shouldForceXcb_data();
    void shouldForceXcb();
    void choosesFromTheProcessEnvironment_data() { shouldForceXcb_data(); }
    void choosesFromTheProcessEnvironment();

private:
    void setEnvironment(const DisplayEnvironment &env);
};

void TestQtPlatform::shouldForceXcb_data()
{
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("sessionType");
    QTest::addColumn<QByteArray>("x11Display");
    QTest::addColumn<QByteArray>("qpaPlatform");
    QTest::addColumn<bool>("forceXcb");

    // Wayland sessions with XWayland.
    QTest::newRow("wayland socket and X display") << QByteArray("wayland-0") << QByteArray("wayland")
                                                  << QByteArray(":0") << QByteArray() << true;
    QTest::newRow("socket only, no session type") << QByteArray("wayland-0") << QByteArray()
                                                  << QByteArray(":1") << QByteArray() << true;
    QTest::newRow("session type only") << QByteArray() << QByteArray("wayland") << QByteArray(":0")
                                       << QByteArray() << true;
    QTest::newRow("empty platform counts as unset") << QByteArray("wayland-0") << QByteArray("wayland")
                                                    << QByteArray(":0") << QByteArray("") << true;
    // The user has chosen: leave it.
    QTest::newRow("chose wayland") << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray(":0")
                                   << QByteArray("wayland") << false;
    QTest::newRow("chose xcb") << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray(":0")
                               << QByteArray("xcb") << false;
    QTest::newRow("chose offscreen") << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray(":0")
                                     << QByteArray("offscreen") << false;
    // Wayland without XWayland: Wayland is all there is.
    QTest::newRow("no X display") << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray()
                                  << QByteArray() << false;
    // Not Wayland.
    QTest::newRow("X11 session") << QByteArray() << QByteArray("x11") << QByteArray(":0") << QByteArray()
                                 << false;
    QTest::newRow("X display only (xvfb-run)") << QByteArray() << QByteArray() << QByteArray(":99")
                                               << QByteArray() << false;
    QTest::newRow("text console") << QByteArray() << QByteArray("tty") << QByteArray() << QByteArray()
                                  << false;
    QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray() << QByteArray() << false;
}

void TestQtPlatform::shouldForceXcb()
{
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, sessionType);
    QFETCH(QByteArray, x11Display);
    QFETCH(QByteArray, qpaPlatform);
    QFETCH(bool, forceXcb);
    QCOMPARE(::shouldForceXcb({waylandDisplay, sessionType, x11Display, qpaPlatform}), forceXcb);
}

void TestQtPlatform::setEnvironment(const DisplayEnvironment &env)
{
    const std::pair<const char *, QByteArray> vars[] = {{"WAYLAND_DISPLAY", env.waylandDisplay},
                                                        {"XDG_SESSION_TYPE", env.sessionType},
                                                        {"DISPLAY", env.x11Display},
                                                        {"QT_QPA_PLATFORM", env.qpaPlatform}};
    for (const auto &[name, value] : vars) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}

// The same cases through the process environment: each variable is read for what it is,
// and the choice is left in QT_QPA_PLATFORM for the application to find.
void TestQtPlatform::choosesFromTheProcessEnvironment()
{
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, sessionType);
    QFETCH(QByteArray, x11Display);
    QFETCH(QByteArray, qpaPlatform);
    QFETCH(bool, forceXcb);
#ifdef Q_OS_WIN
    // Under Wine the Linux desktop's variables reach the program, but Qt for Windows has no
    // xcb platform to start on: they must change nothing.
    forceXcb = false;
    // Nor does Windows keep a variable set to "": setting it removes it.
    if (qpaPlatform.isEmpty())
        qpaPlatform = QByteArray();
#endif
    auto read = [](const char *name) { return qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray(); };
    const DisplayEnvironment saved{read("WAYLAND_DISPLAY"), read("XDG_SESSION_TYPE"), read("DISPLAY"),
                                   read("QT_QPA_PLATFORM")};
    setEnvironment({waylandDisplay, sessionType, x11Display, qpaPlatform});
    chooseQtPlatform();
    const QByteArray chosen = read("QT_QPA_PLATFORM");
    setEnvironment(saved);
    QCOMPARE(chosen, forceXcb ? QByteArray("xcb") : qpaPlatform);
    QCOMPARE(chosen.isNull(), !forceXcb && qpaPlatform.isNull()); // left unset unless chosen
}

QTEST_APPLESS_MAIN(TestQtPlatform)
#include "tst_qtplatform.moc"
