// The start and main windows driven as a learner drives them (offscreen).

#include "formsfixture.h"
#include "fonts.h"
#include "gbktext.h"

#include <QScreen>
#include <QSignalSpy>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void guardsBeforeAnyBank();
    void startUp();
    void firstEnterShowsLevel4();
    void stepsWrapBothWays();
    void reclickingTheSelectedLevelDoesNothing();
    void levelChangeWhileAutoBrowsing();
    void fontSizeLimits();
    void pointsRoundToPixels_data();
    void pointsRoundToPixels();
    void tabOrder();
    void emptySecondTextShownTwice();
    void panelsAreSkyBlue();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void closeButtonActsAsBack();
    void backWithAutoBrowseAndEnterAgain();
    void comingBackFromAnotherApplicationIsNoActivation();
    void exitEndsTheRunWithTimersRunning();

private:
    RecordingPrompts *m_prompts = nullptr;
};

void TestMainWindow::initTestCase()
{
    m_prompts = &setUpForms();
}

void TestMainWindow::guardsBeforeAnyBank()
{
    QCOMPARE(Form1->Store.count, 0);
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("0/0"));
    Form1->BTNNEXTClick();
    Form1->BTNPREVClick();
    Form1->Button1Click();
    Form1->Button2Click();
    // The auto-browse box is cleared before its message.
    Form1->ATBROWSE->setChecked(true);
    QVERIFY(!Form1->Timer1->isActive());
    Form1->ATBROWSEMouseUp();
    QVERIFY(!Form1->ATBROWSE->isChecked());
    QCOMPARE(m_prompts->messages, QStringList({QStringLiteral("请选择词库后再进行操作。"),
                                               QStringLiteral("请选择词库后再进行操作。"),
                                               QStringLiteral("请选择词库后再进行小窗口浏览。"),
                                               QStringLiteral("请选择词库后再进行查询。"),
                                               QStringLiteral("请选择词库后再进行操作。")}));
    QCOMPARE(Form1->Store.position, 0);
    QVERIFY(!Form1->isVisible() && !Form2->isVisible() && !Form3->isVisible());
    m_prompts->messages.clear();
}

void TestMainWindow::startUp()
{
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Velkaro 2005"));
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Tessarine 2005 （ Corvanel系列 2 ）"));
    Form4->show();
    QVERIFY(QTest::qWaitForWindowActive(Form4));
    QVERIFY(Form4->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(Form4->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(Form4->size(), QSize(681, 217));
    QCOMPARE(QApplication::focusWidget(), Form4->Button1);
    for (QWidget *hidden : {static_cast<QWidget *>(Form1), static_cast<QWidget *>(Form2),
                            static_cast<QWidget *>(Form3), static_cast<QWidget *>(Form5)})
        QVERIFY(!hidden->isVisible());
}

void TestMainWindow::firstEnterShowsLevel4()
{
    const QPoint startPlace = Form4->pos();
    QVERIFY(enterMainWindow());
    QVERIFY(!Form4->isVisible());
    QVERIFY(Form1->OPBGJ4->isChecked());
    QCOMPARE(Form1->Store.position, 1);
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("1/731"));
    const BankEntry first = bankWords(WordLevel::Level4)[0];
    QCOMPARE(Form1->JPJM->text(), fromGbk(first.first));
    QCOMPARE(Form1->JPHZ->text(), fromGbk(first.second));
    QCOMPARE(Form1->CNMEAN->text(), fromGbk(first.meaning));
    QCOMPARE(Form1->size(), QSize(776, 304));
    // "返回" shows the start window where it was.
    Form1->BTNEXIT->click();
    QVERIFY(QTest::qWaitForWindowActive(Form4));
    QVERIFY(!Form1->isVisible());
    QCOMPARE(Form4->pos(), startPlace);
}

void TestMainWindow::stepsWrapBothWays()
{
    QVERIFY(enterMainWindow());
    Form1->BTNPREV->click();
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("731/731"));
    const BankEntry last = bankWords(WordLevel::Level4)[730];
    QCOMPARE(Form1->JPJM->text(), fromGbk(last.first));
    // The buttons keep the hidden strip's line current.
    QCOMPARE(Form2->ll->toolTip(), QStringLiteral("731/731"));
    Form1->BTNNEXT->click();
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("1/731"));
    Form1->BTNPREV->click();
    Form1->Timer1Timer(); // a tick on the last word goes to the first
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("1/731"));
    QCOMPARE(Form2->ll->toolTip(), QStringLiteral("731/731")); // the tick redraws the main window only
}

void TestMainWindow::reclickingTheSelectedLevelDoesNothing()
{
    QVERIFY(enterMainWindow());
    for (int i = 0; i < 4; ++i)
        Form1->BTNNEXT->click();
    Form1->OPBGJ4->click();
    QCOMPARE(Form1->Store.position, 5);
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("5/731"));
}

void TestMainWindow::levelChangeWhileAutoBrowsing()
{
    QVERIFY(enterMainWindow());
    QTest::mouseClick(Form1->ATBROWSE, Qt::LeftButton);
    QVERIFY(Form1->ATBROWSE->isChecked());
    QVERIFY(Form1->Timer1->isActive());
    QCOMPARE(Form1->Timer1->interval(), 2600);
    Form1->Timer1Timer();
    Form1->OPBGJ3->click();
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("1/554"));
    QVERIFY(Form1->Timer1->isActive());
    QVERIFY(Form2->N31->isChecked() && !Form2->N41->isChecked());
    Form1->Timer1Timer();
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("2/554"));
    QTest::mouseClick(Form1->ATBROWSE, Qt::LeftButton);
    QVERIFY(!Form1->Timer1->isActive());
    QVERIFY(m_prompts->messages.isEmpty());
}

void TestMainWindow::fontSizeLimits()
{
    auto sizes = [] {
        return QList<int>{Form1->JPJM->font().pixelSize(), Form1->JPHZ->font().pixelSize(),
                          Form1->CNMEAN->font().pixelSize()};
    };
    QCOMPARE(Form1->fontPoints(), 22);
    QCOMPARE(Form1->JPJM->font().pixelSize(), Fonts::pointsToPixels(22));
    if (QGuiApplication::primaryScreen()->logicalDotsPerInchY() == 96)
        QCOMPARE(Fonts::pointsToPixels(22), 29);
    for (int expected = 24; expected <= 44; expected += 2) {
        Form1->BTNFU->click();
        QCOMPARE(Form1->fontPoints(), expected);
    }
    Form1->BTNFU->click();
    QCOMPARE(Form1->fontPoints(), 44);
    QCOMPARE(sizes(), QList<int>(3, Fonts::pointsToPixels(44)));
    QCOMPARE(sizes(), QList<int>(3, 59)); // at 96 dpi
    while (Form1->fontPoints() > 22)
        Form1->BTNFD->click();
    for (int expected : {20, 18, 16, 14}) {
        Form1->BTNFD->click();
        QCOMPARE(Form1->fontPoints(), expected);
    }
    Form1->BTNFD->click();
    QCOMPARE(Form1->fontPoints(), 14);
    QCOMPARE(sizes(), QList<int>(3, Fonts::pointsToPixels(14)));
    QCOMPARE(sizes(), QList<int>(3, 19)); // at 96 dpi
    while (Form1->fontPoints() < 22)
        Form1->BTNFU->click();
}

void TestMainWindow::pointsRoundToPixels_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixels");
    // At 96 dpi a point is 4/3 pixels, rounded to the nearest pixel.
    QTest::newRow("controls, 8 pt") << 8 << 11;      // 10.67
    QTest::newRow("smallest line, 14 pt") << 14 << 19; // 18.67
    QTest::newRow("start size, 22 pt") << 22 << 29;  // 29.33
    QTest::newRow("27 pt") << 27 << 36;              // exactly 36
    QTest::newRow("largest line, 44 pt") << 44 << 59; // 58.67
}

void TestMainWindow::pointsRoundToPixels()
{
    QFETCH(int, points);
    QFETCH(int, pixels);
    QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 96.0); // the offscreen screen
    QCOMPARE(Fonts::pointsToPixels(points), pixels);
    if (points == 8)
        QCOMPARE(Form1->font().pixelSize(), pixels);
}

void TestMainWindow::tabOrder()
{
    QVERIFY(enterMainWindow());
    const QList<QWidget *> order{Form1->ATBROWSE, Form1->BTNEXIT, Form1->OPBGJ4, Form1->OPBGJ3, Form1->OPBGJ2,
                                 Form1->OPBGJ1, Form1->BTNFU, Form1->BTNFD, Form1->BTNPREV, Form1->BTNNEXT,
                                 Form1->OPBJD1, Form1->Button1, Form1->Button2, Form1->Button3};
    QCOMPARE(tabChain(Form1->ATBROWSE), order);
    // Walked with the Tab key: the five radio buttons form one group, which Tab stops at
    // once, on OPBGJ4 (checked after every entry).
    QList<QWidget *> expected;
    for (QWidget *control : order)
        if (!qobject_cast<QRadioButton *>(control) || control == Form1->OPBGJ4)
            expected.append(control);
    expected.append(Form1->ATBROWSE); // and round again
    QCOMPARE(tabWalk(Form1->ATBROWSE, int(expected.size()) - 1), expected);
}

void TestMainWindow::emptySecondTextShownTwice()
{
    QVERIFY(enterMainWindow());
    Form1->OPBGJ1->click();
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("1/4205"));
    while (!Form1->Store.secondTexts[Form1->Store.position].empty())
        Form1->BTNNEXT->click();
    QVERIFY(!Form1->JPJM->text().isEmpty());
    QCOMPARE(Form1->JPHZ->text(), Form1->JPJM->text());
}

void TestMainWindow::panelsAreSkyBlue()
{
    QVERIFY(enterMainWindow());
    // On the rendered pixels: every pixel of the lower group box that no control covers,
    // inside its frame and below the word panel, and the panel's empty top row.
    const QImage shot = Form1->grab().toImage();
    const QRect box = Form1->GPB->geometry();
    QRegion empty(QRect(box.left() + 2, Form1->Panel1->geometry().bottom() + 1, box.width() - 4,
                        box.bottom() - 2 - Form1->Panel1->geometry().bottom()));
    for (const QWidget *control : Form1->GPB->findChildren<QWidget *>())
        empty -= control->geometry().translated(box.topLeft());
    QVERIFY(empty.rectCount() > 10);
    const QColor skyBlue(166, 202, 240);
    int pixels = 0;
    QList<QPoint> other;
    for (const QRect &r : empty) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                ++pixels;
                if (shot.pixelColor(x, y) != skyBlue && other.size() < 5)
                    other.append(QPoint(x, y));
            }
    }
    QVERIFY(pixels > 5000);
    if (!other.isEmpty())
        qWarning() << "not sky blue:" << other.first() << shot.pixelColor(other.first());
    QCOMPARE(other, QList<QPoint>());
    QCOMPARE(shot.pixelColor(Form1->Panel1->geometry().center().x(), Form1->Panel1->geometry().top() + 4), skyBlue);
}

void TestMainWindow::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    const std::pair<const char *, int> keys[] = {{"Return", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}};
    for (const char *button : {"BTNNEXT", "BTNPREV", "BTNFU", "BTNFD", "BTNEXIT"})
        for (const auto &[name, key] : keys)
            QTest::addRow("%s, %s", button, name)
                << QString::fromLatin1(button) << key
                << Qt::KeyboardModifiers(key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

void TestMainWindow::enterPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QVERIFY(enterMainWindow());
    const QHash<QString, QPushButton *> buttons{{QStringLiteral("BTNNEXT"), Form1->BTNNEXT},
                                                {QStringLiteral("BTNPREV"), Form1->BTNPREV},
                                                {QStringLiteral("BTNFU"), Form1->BTNFU},
                                                {QStringLiteral("BTNFD"), Form1->BTNFD},
                                                {QStringLiteral("BTNEXIT"), Form1->BTNEXIT}};
    QPushButton *pushButton = buttons.value(button);
    QVERIFY(pushButton);
    pushButton->setFocus();
    QCOMPARE(QApplication::focusWidget(), pushButton);
    QSignalSpy clicks(pushButton, &QPushButton::clicked);
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key(key), modifiers); // to the focused control
    QCOMPARE(clicks.size(), 1);
    // Enter on a control that is no button presses nothing.
    Form1->ATBROWSE->setFocus();
    QSignalSpy anyClick(Form1->Button3, &QPushButton::clicked);
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key(key), modifiers);
    QVERIFY(anyClick.isEmpty());
    while (Form1->fontPoints() > 22)
        Form1->BTNFD->click();
    while (Form1->fontPoints() < 22)
        Form1->BTNFU->click();
}

void TestMainWindow::closeButtonActsAsBack()
{
    QVERIFY(enterMainWindow());
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    Form1->close();
    QVERIFY(QTest::qWaitForWindowActive(Form4));
    QVERIFY(!Form1->isVisible());
    QVERIFY(quitting.isEmpty());
    // The window was only hidden: its state is still there.
    QCOMPARE(Form1->Store.count, 731);
}

void TestMainWindow::backWithAutoBrowseAndEnterAgain()
{
    QVERIFY(enterMainWindow());
    Form1->OPBJD1->click();
    QTest::mouseClick(Form1->ATBROWSE, Qt::LeftButton);
    Form1->BTNEXIT->click();
    QVERIFY(QTest::qWaitForWindowActive(Form4));
    QVERIFY(Form1->Timer1->isActive()); // it keeps stepping while hidden
    QVERIFY(enterMainWindow());
    QVERIFY(Form1->OPBGJ4->isChecked());
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("1/731"));
    QVERIFY(Form1->ATBROWSE->isChecked());
    QVERIFY(Form1->Timer1->isActive());
    QTest::mouseClick(Form1->ATBROWSE, Qt::LeftButton);
}

void TestMainWindow::comingBackFromAnotherApplicationIsNoActivation()
{
    QVERIFY(enterMainWindow());
    Form1->BTNNEXT->click();
    QApplication::setActiveWindow(nullptr); // another application takes the focus
    QTRY_VERIFY(!Form1->isActiveWindow());
    QApplication::setActiveWindow(Form1);   // and the learner comes back
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QCOMPARE(Form1->Store.position, 2);
}

void TestMainWindow::exitEndsTheRunWithTimersRunning()
{
    QVERIFY(enterMainWindow());
    setTimerRunning(Form1->Timer1, true);
    Form1->BTNEXIT->click();
    QVERIFY(QTest::qWaitForWindowActive(Form4));
    QTimer::singleShot(0, Form4->Button3, &QPushButton::click);
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    QCOMPARE(qApp->exec(), 0);
    QCOMPARE(quitting.size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
