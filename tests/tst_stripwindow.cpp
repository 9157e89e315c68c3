// The strip window: its line, its menu, its timer, and how it follows the main window.

#include "controls.h"
#include "windowsfixture.h"
#include "wordtext.h"

#include <QComboBox>
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

class TestStripWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void openingPlacesItAndStartsTheTimer();
    void outlineIsTheBarBitmaps();
    void lineWithTwoTexts();
    void lineWithEmptySecondText();
    void wrapsByMenuAndTimer();
    void firstTickAfterOpeningShowsWord2();
    void choosingTheCheckedLevelReloads();
    void choosingAnotherLevel();
    void marksFollowLoadsStartedElsewhere();
    void menuStepKeepsTheTimersPeriod();
    void returnStopsTheTimer();
    void stepsOnItsOwnTimer();
    void withAutoBrowseTheStripShowsEverySecondWord();
    void levelMenu_data();
    void levelMenuLoadsEachBank_data() { levelMenu_data(); }
    void levelMenuLoadsEachBank();
    void levelMenuFollowsTheMainWindow_data() { levelMenu_data(); }
    void levelMenuFollowsTheMainWindow();
    void levelMarkIsACheckMark();
    void menuEntries();
};

static QString expectedLine(WordLevel level, int word)
{
    const BankEntry e = bankWords(level)[word - 1];
    QString text = u' ' + toQString(e.first) + QStringLiteral("   ");
    if (!e.second.empty())
        text += toQString(e.second) + QStringLiteral("   ");
    return text + toQString(e.meaning) + QStringLiteral("   ");
}

static bool openStrip()
{
    stripButton()->click();
    return QTest::qWaitForWindowActive(stripWindow());
}

void TestStripWindow::initTestCase()
{
    buildWindows();
    QVERIFY(stripLine()->text().isEmpty());
    QVERIFY(stripLine()->toolTip().isEmpty());
    QVERIFY(!model().level()); // no level chosen yet
    QVERIFY(!stepTimer()->isActive());
    QCOMPARE(stepTimer()->interval(), 2600);
    QVERIFY(!levelAction(WordLevel::Level1)->isChecked() && !levelAction(WordLevel::Level4)->isChecked());
    destroyWindows();
}

void TestStripWindow::init()
{
    buildWindows();
    QVERIFY(enterMainWindow()); // level 4, word 1
}

void TestStripWindow::cleanup()
{
    if (stripWindow()->isVisible())
        stripBackAction()->trigger();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    backButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(startWindow()));
    destroyWindows();
}

void TestStripWindow::openingPlacesItAndStartsTheTimer()
{
    QVERIFY(openStrip());
    QVERIFY(!mainWindow()->isVisible());
    QCOMPARE(stripWindow()->pos(), QPoint(33, 0));
    QVERIFY(stepTimer()->isActive());
    QVERIFY(stripWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(stripWindow()->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(stripWindow()->size(), QSize(910, 28));
    QVERIFY(stripWindow()->findChildren<QComboBox *>().isEmpty()); // no hidden list behind the menu
    // Only the bar shows: the red surround is masked away, rounded ends included.
    const QRegion mask = stripWindow()->mask();
    QVERIFY(!mask.contains(QPoint(0, 14)));
    QVERIFY(mask.contains(QPoint(500, 14)));
    QVERIFY(!mask.contains(QPoint(176, 1)));
#ifdef Q_OS_WIN
    // What Windows makes of it: a topmost window, shaped by a region with the same holes.
    const auto window = reinterpret_cast<HWND>(stripWindow()->winId());
    QVERIFY(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const auto freeRegion = qScopeGuard([region] { DeleteObject(region); });
    QCOMPARE(GetWindowRgn(window, region), COMPLEXREGION);
    QVERIFY(!PtInRegion(region, 0, 14));
    QVERIFY(PtInRegion(region, 500, 14));
    QVERIFY(!PtInRegion(region, 176, 1));
#endif
}

// The strip's whole outline, pixel for pixel: the bar bitmap (732 x 62) stretched into the
// bar's place (708 x 30 at 173, -2, its top two rows above the window) without blending,
// each pixel of the place taking the bitmap pixel under its centre, all but its red surround;
// and the word line on it. A smoothly scaled bar is a row taller along the top edge and
// blunter at the ends.
void TestStripWindow::outlineIsTheBarBitmaps()
{
    const QImage bar = readBitmap(QStringLiteral(":/bar.bmp")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(bar.size(), QSize(732, 62));
    const QRect place(173, -2, 708, 30);
    const QRect wordLine(185, 5, 685, 16);
    const QRegion shape = stripWindow()->mask();
    int shown = 0;
    QList<QPoint> wrong;
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 910; ++x) {
            const QPoint p(x, y);
            bool expected = wordLine.contains(p);
            if (place.contains(p)) {
                const int bx = int((x - place.left() + 0.5) * bar.width() / place.width());
                const int by = int((y - place.top() + 0.5) * bar.height() / place.height());
                expected = expected || bar.pixel(bx, by) != qRgb(255, 0, 0);
            }
            shown += expected;
            if (shape.contains(p) != expected)
                wrong.append(p);
        }
    }
    QVERIFY(shown > 700 * 21); // about 23 rows of bar, less the rounded ends
    if (!wrong.isEmpty())
        qWarning() << wrong.size() << "pixels differ from the bitmap's outline, the first at" << wrong.first()
                   << (shape.contains(wrong.first()) ? "shown" : "hidden");
    QCOMPARE(wrong.size(), 0);
}

void TestStripWindow::lineWithTwoTexts()
{
    nextButton()->click();
    QCOMPARE(stripLine()->text(), QStringLiteral(" 会う   あう   会面，见面   "));
    QCOMPARE(stripLine()->toolTip(), QStringLiteral("2/731"));
}

void TestStripWindow::lineWithEmptySecondText()
{
    levelButton(WordLevel::Level2Extra)->click();
    while (store().position() != 87)
        nextButton()->click();
    QCOMPARE(stripLine()->text(), QStringLiteral(" おい   喂，嘿   "));
    QCOMPARE(stripLine()->toolTip(), QStringLiteral("87/4205"));
}

void TestStripWindow::wrapsByMenuAndTimer()
{
    QVERIFY(openStrip());
    previousWordAction()->trigger();
    QCOMPARE(stripLine()->toolTip(), QStringLiteral("731/731"));
    QCOMPARE(stripLine()->text(), expectedLine(WordLevel::Level4, 731));
    QCOMPARE(counterLabel()->text(), QStringLiteral("731/731")); // the hidden main window follows
    nextWordAction()->trigger();
    QCOMPARE(stripLine()->toolTip(), QStringLiteral("1/731"));
    previousWordAction()->trigger();
    stripWindow()->advance();
    QCOMPARE(stripLine()->toolTip(), QStringLiteral("1/731"));
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731"));
}

void TestStripWindow::firstTickAfterOpeningShowsWord2()
{
    levelButton(WordLevel::Level3)->click();
    const QString before = stripLine()->text();
    QVERIFY(openStrip());
    QCOMPARE(stripLine()->text(), before); // showing does not rebuild the line
    stripWindow()->advance();
    QCOMPARE(stripLine()->text(), expectedLine(WordLevel::Level3, 2));
    QCOMPARE(stripLine()->toolTip(), QStringLiteral("2/554"));
}

void TestStripWindow::choosingTheCheckedLevelReloads()
{
    QVERIFY(openStrip());
    for (int i = 0; i < 5; ++i)
        nextWordAction()->trigger();
    const QString line = stripLine()->text();
    levelAction(WordLevel::Level4)->trigger();
    QCOMPARE(store().position(), 1);
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731"));
    QCOMPARE(stripLine()->text(), line); // the line keeps the old word until the next step
    QCOMPARE(stripLine()->toolTip(), QStringLiteral("6/731"));
    QVERIFY(levelAction(WordLevel::Level4)->isChecked());
}

void TestStripWindow::choosingAnotherLevel()
{
    QVERIFY(openStrip());
    for (int i = 0; i < 3; ++i)
        nextWordAction()->trigger();
    levelAction(WordLevel::Level3)->trigger();
    QVERIFY(levelButton(WordLevel::Level3)->isChecked());
    QCOMPARE(store().count(), 554);
    QCOMPARE(store().position(), 1);
    QVERIFY(model().level() == WordLevel::Level3);
    QCOMPARE(levelAction(WordLevel::Level3)->text(), QStringLiteral("日语 3 级词"));
    int marked = 0;
    for (WordLevel level : AllLevels)
        marked += levelAction(level)->isChecked();
    QCOMPARE(marked, 1);
    QVERIFY(levelAction(WordLevel::Level3)->isChecked());
}

void TestStripWindow::marksFollowLoadsStartedElsewhere()
{
    levelButton(WordLevel::Level2)->click(); // the strip is hidden
    QVERIFY(levelAction(WordLevel::Level2)->isChecked());
    QVERIFY(!levelAction(WordLevel::Level4)->isChecked());
    QVERIFY(model().level() == WordLevel::Level2);
    levelButton(WordLevel::Level1)->click();
    QVERIFY(levelAction(WordLevel::Level1)->isChecked() && !levelAction(WordLevel::Level2)->isChecked());
}

void TestStripWindow::menuStepKeepsTheTimersPeriod()
{
    QVERIFY(openStrip());
    // A 20 s period against a wait of 1 s: kept, at most 19 s are left; restarted, nearly 20.
    setIntervalKeepingCount(stepTimer(), 20000);
    QTest::qWait(1000);
    nextWordAction()->trigger();
    previousWordAction()->trigger();
    QVERIFY(stepTimer()->remainingTime() <= 19300);
    setIntervalKeepingCount(stepTimer(), 2600);
}

void TestStripWindow::returnStopsTheTimer()
{
    QVERIFY(openStrip());
    stripWindow()->advance();
    const QString line = stripLine()->text();
    stripWindow()->close(); // a close request returns like "返      回"
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QVERIFY(!stripWindow()->isVisible());
    QVERIFY(!stepTimer()->isActive());
    QCOMPARE(stripLine()->text(), line);
    levelButton(WordLevel::Level3)->click();
    QVERIFY(openStrip()); // reopened: the old line until the first tick
    QCOMPARE(stripLine()->text(), line);
    stripBackAction()->trigger();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QVERIFY(!stepTimer()->isActive());
}

// The real step timer, at a short interval set as the settings window sets it: the strip's
// line moves on by itself, word by word, and the hidden main window follows.
void TestStripWindow::stepsOnItsOwnTimer()
{
    model().setStepInterval(30);
    QStringList seen; // the strip's line at each step
    QObject watching; // the watch ends with the test, however it ends
    connect(&model(), &BrowseModel::wordChanged, &watching, [&seen] {
        if (seen.isEmpty() || seen.last() != stripLine()->toolTip())
            seen.append(stripLine()->toolTip());
        QCOMPARE(counterLabel()->text(), stripLine()->toolTip());
        QCOMPARE(stripLine()->text(), expectedLine(WordLevel::Level4, wordNumber(stripLine()->toolTip())));
    });
    QVERIFY(openStrip());
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 4, 10000);
    QCOMPARE(seen.mid(0, 4), QStringList({"2/731", "3/731", "4/731", "5/731"}));
    QObject::disconnect(&model(), nullptr, &watching, nullptr);
    stripBackAction()->trigger();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    const QString stopped = stripLine()->toolTip();
    QTest::qWait(300); // ten intervals
    QCOMPARE(stripLine()->toolTip(), stopped);
}

// Both real timers at one interval: their ticks alternate, the main window's moving the
// word without redrawing the strip, so the strip shows every second word.
void TestStripWindow::withAutoBrowseTheStripShowsEverySecondWord()
{
    model().setStepInterval(30);
    QTest::mouseClick(autoBrowseBox(), Qt::LeftButton);
    QVERIFY(autoBrowseTimer()->isActive());
    int lastCounter = 0, lastStrip = 0, stepsOfTwo = 0;
    bool singleSteps = true;
    QObject watching; // the watch ends with the test, however it ends
    connect(&model(), &BrowseModel::wordChanged, &watching, [&] {
        const int counter = wordNumber(counterLabel()->text());
        singleSteps = singleSteps && (lastCounter == 0 || counter == lastCounter + 1);
        lastCounter = counter;
        const int strip = wordNumber(stripLine()->toolTip());
        if (strip == lastStrip || !stripWindow()->isVisible())
            return;
        // A stall of the whole program can make one timer miss a tick; the two fall back
        // into step right after.
        stepsOfTwo = (lastStrip != 0 && strip == lastStrip + 2) ? stepsOfTwo + 1 : 0;
        lastStrip = strip;
    });
    QVERIFY(openStrip());
    QTRY_VERIFY_WITH_TIMEOUT(stepsOfTwo >= 3, 10000);
    QVERIFY(singleSteps); // every tick is one step of the one cursor
    QObject::disconnect(&model(), nullptr, &watching, nullptr);
    stripBackAction()->trigger();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QTest::mouseClick(autoBrowseBox(), Qt::LeftButton);
    QVERIFY(!autoBrowseTimer()->isActive());
}

void TestStripWindow::levelMenu_data()
{
    QTest::addColumn<WordLevel>("level");
    QTest::addColumn<QString>("counter");
    for (WordLevel level : AllLevels) // every bank of the table: "日语 1 级词", 1/8775, ...
        QTest::newRow(bankInfo(level).name) << level << QStringLiteral("1/%1").arg(bankSize(level));
}

// Exactly the one entry of the loaded level is marked.
static QList<WordLevel> markedLevels()
{
    QList<WordLevel> marked;
    for (WordLevel level : AllLevels)
        if (levelAction(level)->isChecked())
            marked.append(level);
    return marked;
}

// Each entry of the menu loads its own bank, and the main window shows which.
void TestStripWindow::levelMenuLoadsEachBank()
{
    QFETCH(WordLevel, level);
    QFETCH(QString, counter);
    QVERIFY(openStrip());
    nextWordAction()->trigger();
    nextWordAction()->trigger();
    levelAction(level)->trigger();
    QCOMPARE(counterLabel()->text(), counter);
    QVERIFY(levelButton(level)->isChecked());
    QCOMPARE(markedLevels(), QList<WordLevel>{level});
    nextWordAction()->trigger(); // the strip steps through the chosen bank
    QCOMPARE(stripLine()->toolTip(), QString(counter).replace(0, 1, u'2'));
    QCOMPARE(stripLine()->text(), expectedLine(level, 2));
    levelAction(level)->trigger(); // the marked entry again: reloads, stays marked
    QCOMPARE(counterLabel()->text(), counter);
    QCOMPARE(markedLevels(), QList<WordLevel>{level});
}

// Whichever way a bank is loaded, the menu marks that one entry.
void TestStripWindow::levelMenuFollowsTheMainWindow()
{
    QFETCH(WordLevel, level);
    QFETCH(QString, counter);
    QCOMPARE(markedLevels(), QList<WordLevel>{WordLevel::Level4}); // entered on level 4
    levelButton(level)->click();
    QCOMPARE(counterLabel()->text(), counter);
    QCOMPARE(markedLevels(), QList<WordLevel>{level});
    QVERIFY(openStrip());
    stripBackAction()->trigger(); // back on level 4
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QCOMPARE(markedLevels(), QList<WordLevel>{WordLevel::Level4});
}

// The menu marks the loaded level with a check mark, as a menu of independent entries
// draws it, not with the round dot of a set of exclusive choices.
void TestStripWindow::levelMarkIsACheckMark()
{
    levelButton(WordLevel::Level3)->click();
    QMenu plain;
    plain.setFont(stripMenu()->font());
    for (QAction *entry : stripMenu()->actions()) {
        if (entry->isSeparator()) {
            plain.addSeparator();
            continue;
        }
        QAction *copy = plain.addAction(entry->text());
        copy->setCheckable(entry->isCheckable());
        copy->setChecked(entry->isChecked());
    }
    auto picture = [](QMenu *menu) {
        menu->resize(menu->sizeHint());
        return menu->grab().toImage();
    };
    const QImage strip = picture(stripMenu());
    QVERIFY(!strip.isNull());
    QCOMPARE(strip, picture(&plain));
}

void TestStripWindow::menuEntries()
{
    QStringList captions;
    for (QAction *entry : stripMenu()->actions())
        captions.append(entry->isSeparator() ? QStringLiteral("-") : entry->text());
    QCOMPARE(captions, QStringList({"上一个单词", "下一个单词", "-", "日语 1 级词", "日语 2 级补充词", "日语 2 级词",
                                    "日语 3 级词", "日语 4 级词", "-", "返      回"}));
    QVERIFY(!previousWordAction()->isCheckable() && !stripBackAction()->isCheckable());
}

QTEST_MAIN(TestStripWindow)
#include "tst_stripwindow.moc"
