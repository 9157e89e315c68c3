// The start and main windows driven as a learner drives them (offscreen).

#include "windowsfixture.h"
#include "fonts.h"
#include "wordtext.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QScreen>
#include <QSignalSpy>
#include <QTextLayout>

#include <algorithm>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void bitmapsLoadNoImagePlugin();
    void startWindowAloneUntilItsFirstPaint();
    void enterBeforeTheFirstPaint();
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
    void levelButtonsReadInOrder();
    void wordLinesDrawInTheirFaces_data();
    void wordLinesDrawInTheirFaces();
    void controlsTakeClicksOverTheirWholePlace_data();
    void controlsTakeClicksOverTheirWholePlace();
    void emptySecondTextShownTwice();
    void panelsAreSkyBlue();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void closeButtonActsAsBack();
    void backWithAutoBrowseAndEnterAgain();
    void comingBackFromAnotherApplicationIsNoActivation();
    void exitEndsTheRunWithTimersRunning();
    void autoBrowseWithoutBankUnticksItself_data();
    void autoBrowseWithoutBankUnticksItself();
    void autoBrowseStepsOnItsTimer_data();
    void autoBrowseStepsOnItsTimer();
    void returningLandsOnLevel4Word1_data();
    void returningLandsOnLevel4Word1();

private:
    RecordingPrompts *m_prompts = nullptr;
};

void TestMainWindow::init()
{
    buildWindows();
    m_prompts = &recordingPrompts();
}

// Runs first: by now the windows are built and have read their bitmaps, Qt's own BMP
// reader alone, without loading the image-format plugins to probe the data. (The Windows
// build of Qt has no image-format plugins, and only Linux lists a process's files in /proc.)
void TestMainWindow::bitmapsLoadNoImagePlugin()
{
    QVERIFY(!mainWindow()->windowIcon().isNull());
#ifdef Q_OS_LINUX
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY2(!maps.readAll().contains("/imageformats/"), "an image-format plugin is loaded");
#endif
}

// At start-up the start window is created and shown alone; the model and the other windows
// follow its first paint.
void TestMainWindow::startWindowAloneUntilItsFirstPaint()
{
    destroyWindows();
    AppWindows windows(recordingPrompts());
    windows.createRemainingWindowsAfterFirstPaint();
    QVERIFY(!windows.mainWindow());
    windows.startWindow()->show();
    QVERIFY(QTest::qWaitForWindowExposed(windows.startWindow()));
    QTRY_VERIFY(windows.mainWindow());
    QVERIFY(windows.settingsWindow() && windows.stripWindow() && windows.searchWindow());
    QVERIFY(!windows.mainWindow()->isVisible());
    QVERIFY(!windows.model().level());
}

// A learner quicker than the first paint still enters the main window on level 4, word 1.
void TestMainWindow::enterBeforeTheFirstPaint()
{
    destroyWindows();
    AppWindows windows(recordingPrompts());
    windows.createRemainingWindowsAfterFirstPaint();
    control<QPushButton>(windows.startWindow(), "enterButton")->click();
    QVERIFY(windows.mainWindow());
    QVERIFY(QTest::qWaitForWindowActive(windows.mainWindow()));
    QCOMPARE(windows.model().level(), WordLevel::Level4);
    QCOMPARE(windows.model().store().counterText(), "1/731");
}

void TestMainWindow::cleanup()
{
    destroyWindows();
}

void TestMainWindow::guardsBeforeAnyBank()
{
    QCOMPARE(store().count(), 0);
    QCOMPARE(counterLabel()->text(), QStringLiteral("0/0"));
    nextButton()->click();
    previousButton()->click();
    stripButton()->click();
    searchButton()->click();
    // The auto-browse box is cleared before its message.
    autoBrowseBox()->setChecked(true);
    QVERIFY(!autoBrowseTimer()->isActive());
    QVERIFY(!autoBrowseBox()->isChecked());
    QCOMPARE(m_prompts->messages, QStringList({QStringLiteral("请选择词库后再进行操作。"),
                                               QStringLiteral("请选择词库后再进行操作。"),
                                               QStringLiteral("请选择词库后再进行小窗口浏览。"),
                                               QStringLiteral("请选择词库后再进行查询。"),
                                               QStringLiteral("请选择词库后再进行操作。")}));
    QCOMPARE(store().position(), 0);
    QVERIFY(!mainWindow()->isVisible() && !stripWindow()->isVisible() && !searchWindow()->isVisible());
}

void TestMainWindow::startUp()
{
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Velkaro 2005"));
    QCOMPARE(mainWindow()->windowTitle(), QStringLiteral("Tessarine 2005 （ Corvanel系列 2 ）"));
    startWindow()->show();
    QVERIFY(QTest::qWaitForWindowActive(startWindow()));
    QVERIFY(startWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(startWindow()->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(startWindow()->size(), QSize(681, 217));
    QCOMPARE(control<QLabel>(startWindow(), "bankSizesLabel")->text(),
             QStringLiteral("1 级： 8 千多词      2 级： 2 千多词      2 级(补充)： 4 千多词       "
                            "3 级： 5 百多词      4 级： 7 百多词"));
    QCOMPARE(QApplication::focusWidget(), enterButton());
    for (QWidget *hidden : {static_cast<QWidget *>(mainWindow()), static_cast<QWidget *>(stripWindow()),
                            static_cast<QWidget *>(searchWindow()), static_cast<QWidget *>(settingsWindow())})
        QVERIFY(!hidden->isVisible());
}

void TestMainWindow::firstEnterShowsLevel4()
{
    currentWindows()->openStartWindow();
    QVERIFY(QTest::qWaitForWindowActive(startWindow()));
    const QPoint startPlace = startWindow()->pos();
    QVERIFY(enterMainWindow());
    QVERIFY(!startWindow()->isVisible());
    QVERIFY(levelButton(WordLevel::Level4)->isChecked());
    QCOMPARE(store().position(), 1);
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731"));
    const BankEntry first = bankWords(WordLevel::Level4)[0];
    QCOMPARE(firstLine()->text(), toQString(first.first));
    QCOMPARE(secondLine()->text(), toQString(first.second));
    QCOMPARE(meaningLine()->text(), toQString(first.meaning));
    QCOMPARE(mainWindow()->size(), QSize(776, 304));
    // "返回" shows the start window where it was.
    backButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(startWindow()));
    QVERIFY(!mainWindow()->isVisible());
    QCOMPARE(startWindow()->pos(), startPlace);
}

void TestMainWindow::stepsWrapBothWays()
{
    QVERIFY(enterMainWindow());
    previousButton()->click();
    QCOMPARE(counterLabel()->text(), QStringLiteral("731/731"));
    const BankEntry last = bankWords(WordLevel::Level4)[730];
    QCOMPARE(firstLine()->text(), toQString(last.first));
    // The buttons keep the hidden strip's line current.
    QCOMPARE(stripLine()->toolTip(), QStringLiteral("731/731"));
    nextButton()->click();
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731"));
    previousButton()->click();
    mainWindow()->advanceAutoBrowse(); // a tick on the last word goes to the first
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731"));
    QCOMPARE(stripLine()->toolTip(), QStringLiteral("731/731")); // the tick redraws the main window only
}

void TestMainWindow::reclickingTheSelectedLevelDoesNothing()
{
    QVERIFY(enterMainWindow());
    for (int i = 0; i < 4; ++i)
        nextButton()->click();
    levelButton(WordLevel::Level4)->click();
    QCOMPARE(store().position(), 5);
    QCOMPARE(counterLabel()->text(), QStringLiteral("5/731"));
}

void TestMainWindow::levelChangeWhileAutoBrowsing()
{
    QVERIFY(enterMainWindow());
    QTest::mouseClick(autoBrowseBox(), Qt::LeftButton);
    QVERIFY(autoBrowseBox()->isChecked());
    QVERIFY(autoBrowseTimer()->isActive());
    QCOMPARE(autoBrowseTimer()->interval(), 2600);
    mainWindow()->advanceAutoBrowse();
    levelButton(WordLevel::Level3)->click();
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/554"));
    QVERIFY(autoBrowseTimer()->isActive());
    QVERIFY(levelAction(WordLevel::Level3)->isChecked() && !levelAction(WordLevel::Level4)->isChecked());
    mainWindow()->advanceAutoBrowse();
    QCOMPARE(counterLabel()->text(), QStringLiteral("2/554"));
    QTest::mouseClick(autoBrowseBox(), Qt::LeftButton);
    QVERIFY(!autoBrowseTimer()->isActive());
    QVERIFY(m_prompts->messages.isEmpty());
}

void TestMainWindow::fontSizeLimits()
{
    auto sizes = [] {
        return QList<int>{firstLine()->font().pixelSize(), secondLine()->font().pixelSize(),
                          meaningLine()->font().pixelSize()};
    };
    QCOMPARE(model().textPoints(), 22);
    QCOMPARE(firstLine()->font().pixelSize(), Fonts::pointsToPixels(22));
    if (QGuiApplication::primaryScreen()->logicalDotsPerInchY() == 96)
        QCOMPARE(Fonts::pointsToPixels(22), 29);
    for (int expected = 24; expected <= 44; expected += 2) {
        largerTextButton()->click();
        QCOMPARE(model().textPoints(), expected);
    }
    largerTextButton()->click();
    QCOMPARE(model().textPoints(), 44);
    QCOMPARE(sizes(), QList<int>(3, Fonts::pointsToPixels(44)));
    QCOMPARE(sizes(), QList<int>(3, 59)); // at 96 dpi
    while (model().textPoints() > 22)
        smallerTextButton()->click();
    for (int expected : {20, 18, 16, 14}) {
        smallerTextButton()->click();
        QCOMPARE(model().textPoints(), expected);
    }
    smallerTextButton()->click();
    QCOMPARE(model().textPoints(), 14);
    QCOMPARE(sizes(), QList<int>(3, Fonts::pointsToPixels(14)));
    QCOMPARE(sizes(), QList<int>(3, 19)); // at 96 dpi
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
        QCOMPARE(mainWindow()->font().pixelSize(), pixels);
}

void TestMainWindow::tabOrder()
{
    QVERIFY(enterMainWindow());
    const QList<QWidget *> order{autoBrowseBox(), backButton(), levelButton(WordLevel::Level4), levelButton(WordLevel::Level3), levelButton(WordLevel::Level2),
                                 levelButton(WordLevel::Level2Extra), largerTextButton(), smallerTextButton(), previousButton(), nextButton(),
                                 levelButton(WordLevel::Level1), stripButton(), searchButton(), settingsButton()};
    // The five radio buttons form one group, which Tab stops at once, on the level-4 button
    // (checked after every entry).
    QList<QWidget *> expected;
    for (QWidget *control : order)
        if (!qobject_cast<QRadioButton *>(control) || control == levelButton(WordLevel::Level4))
            expected.append(control);
    QCOMPARE(tabChain(autoBrowseBox()), expected);
    // Walked with the Tab key.
    expected.append(autoBrowseBox()); // and round again
    QCOMPARE(tabWalk(autoBrowseBox(), int(expected.size()) - 1), expected);
}

// The level buttons as the learner reads them, row by row from the top and left to right in
// each row: their captions in the order of the levels, each loading the bank it names.
void TestMainWindow::levelButtonsReadInOrder()
{
    const std::pair<const char *, const char *> expected[] = {
        {"国际日语能力考试 1 级单词", "1/8775"}, {"日语能力考试 2 级补充单词", "1/4205"},
        {"国际日语能力考试 2 级单词", "1/2331"}, {"国际日语能力考试 3 级单词", "1/554"},
        {"国际日语能力考试 4 级单词", "1/731"}};
    QVERIFY(enterMainWindow());
    QList<QRadioButton *> buttons = controlBox()->findChildren<QRadioButton *>();
    std::sort(buttons.begin(), buttons.end(), [](const QRadioButton *a, const QRadioButton *b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    QStringList captions, wanted;
    for (const QRadioButton *button : std::as_const(buttons))
        captions.append(button->text());
    for (const auto &[caption, counter] : expected)
        wanted.append(QString::fromUtf8(caption));
    QCOMPARE(captions, wanted);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        QTest::mouseClick(buttons[i], Qt::LeftButton);
        QVERIFY(buttons[i]->isChecked());
        QCOMPARE(counterLabel()->text(), QString::fromUtf8(expected[i].second));
    }
}

void TestMainWindow::wordLinesDrawInTheirFaces_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("meaning"); // else the Japanese texts
    // Japanese glyph forms for the Japanese texts, Simplified Chinese ones for the meaning.
    QTest::newRow("written form") << QStringLiteral("firstLine") << QStringLiteral("IPAMincho") << false;
    QTest::newRow("reading") << QStringLiteral("secondLine") << QStringLiteral("IPAMincho") << false;
    QTest::newRow("meaning") << QStringLiteral("meaningLine") << QStringLiteral("AR PL SungtiL GB") << true;
}

// The face each word line really draws with, character by character, for every character
// the banks can put there and the line's first word, with other Song and Mincho faces
// installed beside ours (Debian's fonts-noto-cjk, which the test command installs): a
// wrong order of the stand-ins, or a face without a character, sends glyphs to another face.
void TestMainWindow::wordLinesDrawInTheirFaces()
{
#ifdef Q_OS_WIN
    QSKIP("the Linux stand-ins; on Windows the lines draw with Windows' faces or the bundled ones");
#else
    QFETCH(QString, line);
    QFETCH(QString, face);
    QFETCH(bool, meaning);
    for (const char *other : {"Noto Serif CJK SC", "Noto Serif CJK JP", "Noto Sans CJK SC"})
        QVERIFY2(QFontDatabase::hasFamily(QLatin1String(other)),
                 qPrintable(QStringLiteral("%1 is missing: install fonts-noto-cjk").arg(QLatin1String(other))));
    QVERIFY(enterMainWindow());
    const QLabel *label = control<QLabel>(mainWindow(), qPrintable(line));
    QCOMPARE(QFontInfo(label->font()).family(), face);

    QSet<QChar> characters;
    const auto addCharacters = [&characters](WordText text) {
        for (char16_t c : text)
            characters.insert(QChar(c));
    };
    for (WordLevel level : AllLevels) {
        const Bank words = bankWords(level);
        for (int32_t i = 0; i < words.size(); ++i) {
            if (meaning) {
                addCharacters(words[i].meaning);
            } else {
                addCharacters(words[i].first);
                addCharacters(words[i].second);
            }
        }
    }
    QString all;
    for (QChar c : std::as_const(characters))
        all.append(c);
    QVERIFY(all.size() > (meaning ? 2000 : 1500));

    for (const QString &text : {label->text(), all}) {
        QTextLayout layout(text, label->font());
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine())
            row.setLineWidth(1e7);
        layout.endLayout();
        QMap<QString, int> glyphsByFace; // as the font database names them, in lower case
        for (const QGlyphRun &run : layout.glyphRuns())
            glyphsByFace[run.rawFont().familyName().toLower()] += int(run.glyphIndexes().size());
        if (glyphsByFace.size() != 1)
            qWarning() << "glyphs by face:" << glyphsByFace;
        QCOMPARE(glyphsByFace.keys(), QStringList{face.toLower()});
    }
#endif
}

void TestMainWindow::controlsTakeClicksOverTheirWholePlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("point"); // in the control box
    // Where the learner sees each control in the control box. The counter's place overlaps
    // the right column of "← 上" and the left column of "下  →": the buttons take the clicks
    // there (the counter is only text).
    const std::pair<const char *, QRect> places[] = {
        {"autoBrowseBox", {8, 16, 73, 17}},      {"backButton", {712, 38, 44, 23}},
        {"level4Button", {472, 40, 185, 17}},    {"level3Button", {280, 40, 185, 17}},
        {"level2Button", {88, 40, 185, 17}},     {"level2ExtraButton", {280, 16, 185, 17}},
        {"largerTextButton", {48, 39, 33, 18}},  {"smallerTextButton", {9, 39, 33, 18}},
        {"previousButton", {472, 14, 49, 19}},   {"nextButton", {608, 14, 47, 19}},
        {"level1Button", {88, 16, 185, 17}},     {"stripButton", {712, 13, 44, 23}},
        {"searchButton", {665, 13, 44, 23}},     {"settingsButton", {665, 38, 44, 23}},
    };
    for (const auto &[name, place] : places) {
        const int middle = place.top() + place.height() / 2;
        QTest::addRow("%s, left column", name) << QString::fromLatin1(name) << QPoint(place.left(), middle);
        QTest::addRow("%s, right column", name) << QString::fromLatin1(name) << QPoint(place.right(), middle);
    }
}

// A click anywhere in a control's place, here in its first and last columns, reaches the
// control, through the window as the learner's mouse does.
void TestMainWindow::controlsTakeClicksOverTheirWholePlace()
{
    QFETCH(QString, name);
    QFETCH(QPoint, point);
    QVERIFY(enterMainWindow());
    auto *button = control<QAbstractButton>(mainWindow(), qPrintable(name));
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    // "设置" opens its modal window: closed again as soon as it runs.
    QTimer::singleShot(0, settingsWindow(), [] {
        if (settingsWindow()->isVisible())
            settingsWindow()->close();
    });
    QTest::mouseClick(mainWindow()->windowHandle(), Qt::LeftButton, {}, controlBox()->mapTo(mainWindow(), point));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(button->isChecked(), button->isCheckable()); // the box ticked, the level chosen
}

void TestMainWindow::emptySecondTextShownTwice()
{
    QVERIFY(enterMainWindow());
    levelButton(WordLevel::Level2Extra)->click();
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/4205"));
    while (!store().currentWord().second.empty())
        nextButton()->click();
    QVERIFY(!firstLine()->text().isEmpty());
    QCOMPARE(secondLine()->text(), firstLine()->text());
}

void TestMainWindow::panelsAreSkyBlue()
{
    QVERIFY(enterMainWindow());
    // On the rendered pixels: every pixel of the lower group box that no control covers,
    // inside its frame and below the word panel, and the panel's empty top row.
    const QImage shot = mainWindow()->grab().toImage();
    const QRect box = controlBox()->geometry();
    QRegion empty(QRect(box.left() + 2, wordPanel()->geometry().bottom() + 1, box.width() - 4,
                        box.bottom() - 2 - wordPanel()->geometry().bottom()));
    for (const QWidget *control : controlBox()->findChildren<QWidget *>())
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
    QCOMPARE(shot.pixelColor(wordPanel()->geometry().center().x(), wordPanel()->geometry().top() + 4), skyBlue);
}

void TestMainWindow::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    const std::pair<const char *, int> keys[] = {{"Return", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}};
    for (const char *button : {"nextButton", "previousButton", "largerTextButton", "smallerTextButton", "backButton"})
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
    QPushButton *pushButton = mainWindow()->findChild<QPushButton *>(button);
    QVERIFY(pushButton);
    pushButton->setFocus();
    QCOMPARE(QApplication::focusWidget(), pushButton);
    QSignalSpy clicks(pushButton, &QPushButton::clicked);
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key(key), modifiers); // to the focused control
    QCOMPARE(clicks.size(), 1);
    // Enter on a control that is no button presses nothing.
    autoBrowseBox()->setFocus();
    QSignalSpy anyClick(settingsButton(), &QPushButton::clicked);
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key(key), modifiers);
    QVERIFY(anyClick.isEmpty());
}

void TestMainWindow::closeButtonActsAsBack()
{
    QVERIFY(enterMainWindow());
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    mainWindow()->close();
    QVERIFY(QTest::qWaitForWindowActive(startWindow()));
    QVERIFY(!mainWindow()->isVisible());
    QVERIFY(quitting.isEmpty());
    // The window was only hidden: its state is still there.
    QCOMPARE(store().count(), 731);
}

void TestMainWindow::backWithAutoBrowseAndEnterAgain()
{
    QVERIFY(enterMainWindow());
    levelButton(WordLevel::Level1)->click();
    QTest::mouseClick(autoBrowseBox(), Qt::LeftButton);
    backButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(startWindow()));
    QVERIFY(autoBrowseTimer()->isActive()); // it keeps stepping while hidden
    QVERIFY(enterMainWindow());
    QVERIFY(levelButton(WordLevel::Level4)->isChecked());
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731"));
    QVERIFY(autoBrowseBox()->isChecked());
    QVERIFY(autoBrowseTimer()->isActive());
}

void TestMainWindow::comingBackFromAnotherApplicationIsNoActivation()
{
    QVERIFY(enterMainWindow());
    nextButton()->click();
    // Another window takes the focus, as another application's would.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(!mainWindow()->isActiveWindow());
    mainWindow()->activateWindow();   // and the learner comes back
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QCOMPARE(store().position(), 2);
}

void TestMainWindow::exitEndsTheRunWithTimersRunning()
{
    QVERIFY(enterMainWindow());
    setTimerRunning(autoBrowseTimer(), true);
    backButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(startWindow()));
    QTimer::singleShot(0, quitButton(), &QPushButton::click);
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    QCOMPARE(qApp->exec(), 0);
    QCOMPARE(quitting.size(), 1);
}

void TestMainWindow::autoBrowseWithoutBankUnticksItself_data()
{
    addToggleRows();
}

// With no bank chosen, the box cannot stay ticked, however it was ticked: it clears itself
// and says why.
void TestMainWindow::autoBrowseWithoutBankUnticksItself()
{
    QFETCH(Toggle, how);
    mainWindow()->show(); // shown without entering: no bank yet
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow()));
    QCOMPARE(counterLabel()->text(), QStringLiteral("0/0"));
    toggle(autoBrowseBox(), how);
    QVERIFY(!autoBrowseBox()->isChecked());
    QVERIFY(!autoBrowseTimer()->isActive());
    QCOMPARE(m_prompts->messages, QStringList{QStringLiteral("请选择词库后再进行操作。")});
    QCOMPARE(counterLabel()->text(), QStringLiteral("0/0"));
}

void TestMainWindow::autoBrowseStepsOnItsTimer_data()
{
    addToggleRows();
}

// The real timer, at a short interval set as the settings window sets it: ticked, the
// counter moves on by itself; unticked, it stays.
void TestMainWindow::autoBrowseStepsOnItsTimer()
{
    QFETCH(Toggle, how);
    QVERIFY(enterMainWindow());
    model().setStepInterval(30);
    const QString stripHint = stripLine()->toolTip();
    toggle(autoBrowseBox(), how);
    QVERIFY(autoBrowseBox()->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(wordNumber(counterLabel()->text()) >= 4, 10000);
    const int shown = wordNumber(counterLabel()->text());
    QCOMPARE(firstLine()->text(), toQString(bankWords(WordLevel::Level4)[shown - 1].first));
    QCOMPARE(stripLine()->toolTip(), stripHint); // its ticks redraw the main window only
    toggle(autoBrowseBox(), how);
    QVERIFY(!autoBrowseBox()->isChecked());
    const QString stopped = counterLabel()->text();
    QTest::qWait(300); // ten intervals
    QCOMPARE(counterLabel()->text(), stopped);
    QVERIFY(m_prompts->messages.isEmpty());
}

void TestMainWindow::returningLandsOnLevel4Word1_data()
{
    QTest::addColumn<QString>("from");
    QTest::newRow("search window closed") << QStringLiteral("search close");
    QTest::newRow("strip's 返回") << QStringLiteral("strip back");
    QTest::newRow("strip closed") << QStringLiteral("strip close");
}

// From another level and word, the way back from the search window and the strip lands
// on the main window, shown and active, at word 1 of level 4.
void TestMainWindow::returningLandsOnLevel4Word1()
{
    QFETCH(QString, from);
    QVERIFY(enterMainWindow());
    levelButton(WordLevel::Level3)->click();
    for (int i = 0; i < 4; ++i)
        nextButton()->click();
    QCOMPARE(counterLabel()->text(), QStringLiteral("5/554"));
    QWidget *other = from.startsWith(u"search") ? static_cast<QWidget *>(searchWindow()) : stripWindow();
    (from.startsWith(u"search") ? searchButton() : stripButton())->click();
    QVERIFY(QTest::qWaitForWindowActive(other));
    QVERIFY(!mainWindow()->isVisible());
    if (from == u"strip back")
        stripBackAction()->trigger();
    else
        other->close();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QVERIFY(mainWindow()->isVisible());
    QVERIFY(!other->isVisible());
    QVERIFY(!startWindow()->isVisible());
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731"));
    QVERIFY(levelButton(WordLevel::Level4)->isChecked());
    QCOMPARE(firstLine()->text(), toQString(bankWords(WordLevel::Level4)[0].first));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
