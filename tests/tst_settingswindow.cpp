// The browse settings window, opened modally from the main window as the learner does.

#include "windowsfixture.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTranslator>

#include <algorithm>
#include <functional>
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

class TestSettingsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void initialState();
    void speedSetsBothTimers();
    void colourAppliesToAllLines();
    void checkBoxesApplyHoweverToggled_data();
    void checkBoxesApplyHoweverToggled();
    void openingTwiceDoesNothing();
    void eachBoxHidesItsOwnLines_data();
    void eachBoxHidesItsOwnLines();
    void colourKeyFollowsTheLines();
    void closeButtonActsAsAllSet();
    void minimiseButtonOnWindows_data();
    void minimiseButtonOnWindows();
    void enterPressesTheFocusedButton();
    void tabOrder();
    void controlsTakeClicksOverTheirWholePlace_data();
    void controlsTakeClicksOverTheirWholePlace();
    void mainWindowKeepsItsWord();
    void toolkitTextsInChinese();

private:
    // Opens the window from "设置", runs what the learner does there, then leaves it by
    // "一切设置好了" (or whatever `act` does to close it).
    void withSettings(const std::function<void()> &act, bool closeByButton = true);
    RecordingPrompts *m_prompts = nullptr;
};

void TestSettingsWindow::init()
{
    buildWindows();
    m_prompts = &recordingPrompts();
    QVERIFY(enterMainWindow());
}

void TestSettingsWindow::cleanup()
{
    destroyWindows();
}

void TestSettingsWindow::withSettings(const std::function<void()> &act, bool closeByButton)
{
    bool ran = false;
    QTimer::singleShot(0, settingsWindow(), [&] {
        // Not qWaitForWindowActive: Qt counts a dialog active while its parent, the main
        // window, still is.
        if (QTest::qWaitFor([] { return QApplication::activeWindow() == settingsWindow(); }))
            act();
        ran = !QTest::currentTestFailed();
        if ((closeByButton || !ran) && settingsWindow()->isVisible())
            doneButton()->click(); // a failed check must not leave the window waiting
    });
    settingsButton()->click(); // waits until the window closes
    QVERIFY(ran);
    QVERIFY(!settingsWindow()->isVisible());
    QVERIFY(mainWindow()->isVisible());
}

void TestSettingsWindow::initialState()
{
    QCOMPARE(speedSlider()->value(), 1);
    QCOMPARE(speedSlider()->minimum(), 1);
    QCOMPARE(speedSlider()->maximum(), 10);
    QCOMPARE(speedSlider()->pageStep(), 2);
    QVERIFY(speedSlider()->toolTip().isEmpty());
    QVERIFY(meaningVisibleBox()->isChecked() && japaneseVisibleBox()->isChecked());
    QCOMPARE(settingsWindow()->lastChosenColor(), QColor(Qt::black));
    QCOMPARE(autoBrowseTimer()->interval(), 2600);
    QCOMPARE(stepTimer()->interval(), 2600);
    QCOMPARE(settingsWindow()->size(), QSize(279, 97));
    QCOMPARE(settingsWindow()->windowTitle(), QStringLiteral("浏览设置"));
}

void TestSettingsWindow::speedSetsBothTimers()
{
    withSettings([] {
        speedSlider()->setFocus();
        QTest::keyClick(speedSlider(), Qt::Key_End);
        QCOMPARE(speedSlider()->value(), 10);
    });
    QCOMPARE(autoBrowseTimer()->interval(), 9680);
    QCOMPARE(stepTimer()->interval(), 9680);
    QCOMPARE(speedSlider()->toolTip(), QStringLiteral("10秒"));
    withSettings([] {
        QCOMPARE(speedSlider()->value(), 10); // as it was left
        QTest::keyClick(speedSlider(), Qt::Key_PageDown);
        QCOMPARE(speedSlider()->value(), 8);
        QTest::keyClick(speedSlider(), Qt::Key_Home);
    });
    QCOMPARE(autoBrowseTimer()->interval(), 968);
    QCOMPARE(stepTimer()->interval(), 968);
    QCOMPARE(speedSlider()->toolTip(), QStringLiteral("1秒"));
    // Qt's default coarse timers may fire up to 5% off (975 ms for 968, 2900 for 2904):
    // both step on the millisecond.
    QCOMPARE(autoBrowseTimer()->timerType(), Qt::PreciseTimer);
    QCOMPARE(stepTimer()->timerType(), Qt::PreciseTimer);
}

void TestSettingsWindow::colourAppliesToAllLines()
{
    auto colours = [] {
        return QList<QColor>{firstLine()->palette().color(QPalette::WindowText),
                             secondLine()->palette().color(QPalette::WindowText),
                             meaningLine()->palette().color(QPalette::WindowText)};
    };
    const QList<QColor> before = colours();
    QCOMPARE(before[2], QColor(0, 0, 128));
    m_prompts->nextColor.reset(); // the learner cancels
    withSettings([] { colorButton()->click(); });
    QCOMPARE(colours(), before);
    m_prompts->nextColor = QColor(200, 30, 30);
    withSettings([] { colorButton()->click(); });
    QCOMPARE(colours(), QList<QColor>(3, QColor(200, 30, 30)));
    m_prompts->nextColor = QColor(10, 36, 106); // the main window's key colour: the lines turn see-through
    withSettings([] { colorButton()->click(); });
    QVERIFY(!mainWindow()->mask().isEmpty());
    QVERIFY(mainWindow()->mask().contains(QPoint(4, 4)));
    m_prompts->nextColor = QColor(Qt::black);
    withSettings([] { colorButton()->click(); });
    QVERIFY(mainWindow()->mask().isEmpty());
    QCOMPARE(m_prompts->colorRequests,
             QList<QColor>({Qt::black, Qt::black, QColor(200, 30, 30), QColor(10, 36, 106)}));
}

void TestSettingsWindow::checkBoxesApplyHoweverToggled_data()
{
    QTest::addColumn<Toggle>("how");
    QTest::addColumn<bool>("meaningBox"); // else the Japanese box
    for (bool meaning : {true, false}) {
        const QString box = meaning ? QStringLiteral("meaning box, ") : QStringLiteral("Japanese box, ");
        for (Toggle how : {Toggle::Mouse, Toggle::Space, Toggle::Program}) {
            const char *name[] = {"mouse", "space", "setChecked"};
            QTest::newRow(qPrintable(box + QLatin1String(name[int(how)]))) << how << meaning;
        }
    }
}

// What a box shows is what the window does, whether the mouse, the space bar or the
// program toggled it.
void TestSettingsWindow::checkBoxesApplyHoweverToggled()
{
    QFETCH(Toggle, how);
    QFETCH(bool, meaningBox);
    auto box = [meaningBox] { return meaningBox ? meaningVisibleBox() : japaneseVisibleBox(); };
    const QList<QLabel *> lines = meaningBox ? QList<QLabel *>{meaningLine()} : QList<QLabel *>{firstLine(), secondLine()};
    auto linesShown = [&lines](bool shown) {
        return std::all_of(lines.cbegin(), lines.cend(),
                           [shown](QLabel *line) { return line->isVisibleTo(mainWindow()) == shown; });
    };
    withSettings([&] {
        toggle(box(), how);
        QVERIFY(!box()->isChecked());
        QVERIFY(linesShown(false));
        toggle(box(), how);
        QVERIFY(box()->isChecked());
        QVERIFY(linesShown(true));
        toggle(box(), how);
    });
    QVERIFY(linesShown(false));
    QVERIFY(counterLabel()->isVisible() && nextButton()->isVisible());
    nextButton()->click(); // a hidden line still receives its text
    QCOMPARE(counterLabel()->text(), QStringLiteral("2/731"));
    QVERIFY(!lines.first()->text().isEmpty());
    withSettings([&] {
        QVERIFY(!box()->isChecked()); // the box as it was left
        QTest::mouseRelease(box(), Qt::LeftButton, {}, QPoint(5, 8)); // toggles nothing
        QVERIFY(!box()->isChecked());
        QVERIFY(linesShown(false));
        toggle(box(), how);
    });
    QVERIFY(linesShown(true));
}

// A second request while the window is open (keys queued before it opened) changes nothing:
// the open window stays in front and modal.
void TestSettingsWindow::openingTwiceDoesNothing()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("Recursive")));
    withSettings([] {
        settingsButton()->click();
        QVERIFY(settingsWindow()->isVisible());
        QCOMPARE(QApplication::activeWindow(), settingsWindow());
        QCOMPARE(QApplication::activeModalWidget(), settingsWindow());
    });
}

void TestSettingsWindow::eachBoxHidesItsOwnLines_data()
{
    QTest::addColumn<bool>("meaningBox");
    QTest::addColumn<bool>("japaneseBox");
    QTest::newRow("meaning cleared") << false << true;
    QTest::newRow("Japanese cleared") << true << false; // for self-testing: no Japanese line left
    QTest::newRow("both cleared") << false << false;
    QTest::newRow("both checked") << true << true;
}

void TestSettingsWindow::eachBoxHidesItsOwnLines()
{
    QFETCH(bool, meaningBox);
    QFETCH(bool, japaneseBox);
    auto setBoxes = [this](bool meaning, bool japanese) {
        withSettings([=] {
            if (meaningVisibleBox()->isChecked() != meaning)
                QTest::mouseClick(meaningVisibleBox(), Qt::LeftButton, {}, QPoint(5, 8));
            if (japaneseVisibleBox()->isChecked() != japanese)
                QTest::mouseClick(japaneseVisibleBox(), Qt::LeftButton, {}, QPoint(5, 8));
        });
    };
    setBoxes(meaningBox, japaneseBox);
    QCOMPARE(firstLine()->isVisible(), japaneseBox);
    QCOMPARE(secondLine()->isVisible(), japaneseBox);
    QCOMPARE(meaningLine()->isVisible(), meaningBox);
    setBoxes(true, true);
    QVERIFY(firstLine()->isVisible() && secondLine()->isVisible() && meaningLine()->isVisible());
}

void TestSettingsWindow::colourKeyFollowsTheLines()
{
    // Lines in the main window's key colour are see-through, glyph by glyph: whatever changes
    // what the lines draw must leave the mask a fresh computation gives, not the old one.
    m_prompts->nextColor = QColor(10, 36, 106);
    withSettings([] { colorButton()->click(); });
    QRegion before = mainWindow()->mask();
    QVERIFY(!before.isEmpty());
    auto changedAndFresh = [&before](const char *what) {
        const QRegion shown = mainWindow()->mask();
        mainWindow()->updateColorKey();
        const bool fresh = mainWindow()->mask() == shown;
        const bool changed = shown != before;
        before = mainWindow()->mask();
        if (!fresh || !changed)
            qWarning("%s: the mask is %s", what, fresh ? "unchanged" : "stale");
        return fresh && changed;
    };
    nextButton()->click();
    QVERIFY(changedAndFresh("next word"));
    mainWindow()->advanceAutoBrowse();
    QVERIFY(changedAndFresh("timer tick"));
    previousWordAction()->trigger();
    QVERIFY(changedAndFresh("strip menu step"));
    largerTextButton()->click();
    QVERIFY(changedAndFresh("larger font"));
    smallerTextButton()->click();
    QVERIFY(changedAndFresh("smaller font"));
    withSettings([] { QTest::mouseClick(meaningVisibleBox(), Qt::LeftButton, {}, QPoint(5, 8)); });
    QVERIFY(changedAndFresh("meaning hidden"));
    withSettings([] { QTest::mouseClick(japaneseVisibleBox(), Qt::LeftButton, {}, QPoint(5, 8)); });
    QVERIFY(changedAndFresh("Japanese hidden")); // no key-coloured pixel is left: no mask
    QVERIFY(mainWindow()->mask().isEmpty());
    withSettings([] {
        QTest::mouseClick(meaningVisibleBox(), Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseClick(japaneseVisibleBox(), Qt::LeftButton, {}, QPoint(5, 8));
    });
    QVERIFY(changedAndFresh("all lines shown again"));
    m_prompts->nextColor = QColor(Qt::black);
    withSettings([] { colorButton()->click(); });
    QVERIFY(mainWindow()->mask().isEmpty());
}

void TestSettingsWindow::closeButtonActsAsAllSet()
{
    withSettings([] { settingsWindow()->close(); }, false);
    withSettings([] { QTest::keyClick(settingsWindow(), Qt::Key_Escape); }, false);
}

// On Windows the title bar's buttons follow the window's style, which Qt sets from its flags:
// the modal windows have no minimise button; the main window, for contrast, has one.
void TestSettingsWindow::minimiseButtonOnWindows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("minimiseButton");
    QTest::newRow("settings window") << QStringLiteral("settings") << false;
    QTest::newRow("message box") << QStringLiteral("message") << false;
    QTest::newRow("colour dialog") << QStringLiteral("colours") << false;
    QTest::newRow("main window") << QStringLiteral("main") << true;
}

void TestSettingsWindow::minimiseButtonOnWindows()
{
#ifndef Q_OS_WIN
    QSKIP("Windows' window styles; on X11 tst_windowmanager checks the window manager's buttons");
#else
    QFETCH(QString, window);
    QFETCH(bool, minimiseButton);
    // The prompts as QtPrompts makes them, over the window that asks.
    QMessageBox message(QMessageBox::NoIcon, QStringLiteral("Tessarine 2005"), QStringLiteral("x"), QMessageBox::Ok,
                        mainWindow());
    QColorDialog colours(mainWindow());
    QWidget *shown = window == QLatin1String("settings") ? static_cast<QWidget *>(settingsWindow())
                   : window == QLatin1String("message")  ? static_cast<QWidget *>(&message)
                   : window == QLatin1String("colours")  ? static_cast<QWidget *>(&colours)
                                                         : static_cast<QWidget *>(mainWindow());
    const LONG_PTR style = GetWindowLongPtrW(reinterpret_cast<HWND>(shown->winId()), GWL_STYLE);
    QVERIFY(style & WS_SYSMENU); // a title bar with its close button
    QCOMPARE(bool(style & WS_MINIMIZEBOX), minimiseButton);
#endif
}

void TestSettingsWindow::enterPressesTheFocusedButton()
{
    auto pressEnter = [](Qt::Key key) {
        QTest::keyClick(static_cast<QWidget *>(nullptr), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    };
    m_prompts->colorRequests.clear();
    m_prompts->nextColor.reset();
    withSettings([&] {
        colorButton()->setFocus();
        pressEnter(Qt::Key_Return);
        QCOMPARE(m_prompts->colorRequests.size(), 1);
        pressEnter(Qt::Key_Enter);
        QCOMPARE(m_prompts->colorRequests.size(), 2);
        // No button is the window's default: Enter elsewhere presses nothing.
        for (QWidget *control : {static_cast<QWidget *>(speedSlider()), static_cast<QWidget *>(meaningVisibleBox())}) {
            control->setFocus();
            pressEnter(Qt::Key_Return);
        }
        QCOMPARE(m_prompts->colorRequests.size(), 2);
        QVERIFY(settingsWindow()->isVisible());
        doneButton()->setFocus();
        pressEnter(Qt::Key_Enter); // "一切设置好了"
    }, false);
}

void TestSettingsWindow::tabOrder()
{
    const QList<QWidget *> order{speedSlider(), colorButton(), meaningVisibleBox(), japaneseVisibleBox(), doneButton()};
    QCOMPARE(tabChain(speedSlider()), order);
    withSettings([&order] { QCOMPARE(tabWalk(speedSlider(), 5), order + QList<QWidget *>{speedSlider()}); });
}

void TestSettingsWindow::controlsTakeClicksOverTheirWholePlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("point"); // in the window
    // Where the learner sees each control. The speed label's place reaches 5 pixels into the
    // slider's: the slider takes the clicks there (the label is only text).
    const std::pair<const char *, QRect> places[] = {
        {"colorButton", {8, 64, 129, 25}},
        {"meaningVisibleBox", {8, 40, 121, 17}},
        {"japaneseVisibleBox", {144, 40, 129, 17}},
        {"doneButton", {144, 64, 129, 25}},
    };
    for (const auto &[name, place] : places) {
        const int middle = place.top() + place.height() / 2;
        QTest::addRow("%s, left column", name) << QString::fromLatin1(name) << QPoint(place.left(), middle);
        QTest::addRow("%s, right column", name) << QString::fromLatin1(name) << QPoint(place.right(), middle);
    }
    // The slider (104, 0, 177 x 33) is cut off 2 pixels short of its right edge: its last
    // shown column, at the top, the middle and the bottom, a page up from position 1; and
    // the columns under the label's place.
    for (int y : {0, 16, 32})
        QTest::addRow("speedSlider, right column, y %d", y) << QStringLiteral("speedSlider") << QPoint(278, y);
    QTest::addRow("speedSlider, under the label") << QStringLiteral("speedSlider") << QPoint(107, 12);
}

// A click anywhere in a control's place, here in its first and last columns, reaches the
// control, through the window as the learner's mouse does: a box toggles, a button presses,
// the slider moves a page towards the click.
void TestSettingsWindow::controlsTakeClicksOverTheirWholePlace()
{
    QFETCH(QString, name);
    QFETCH(QPoint, point);
    if (name == u"speedSlider") {
        withSettings([&] {
            QCOMPARE(settingsWindow()->childAt(point), speedSlider());
            if (point.x() < 110) { // at the left end, by the handle at position 1: from the top
                speedSlider()->setValue(10);
                QTest::mouseClick(settingsWindow()->windowHandle(), Qt::LeftButton, {}, point);
                QCOMPARE(speedSlider()->value(), 8);
            } else {
                QTest::mouseClick(settingsWindow()->windowHandle(), Qt::LeftButton, {}, point);
                QCOMPARE(speedSlider()->value(), 3);
            }
            QCOMPARE(autoBrowseTimer()->interval(), speedSlider()->value() * 968);
        });
        return;
    }
    auto *button = control<QAbstractButton>(settingsWindow(), qPrintable(name));
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    const bool wasChecked = button->isChecked();
    withSettings([&] {
        QTest::mouseClick(settingsWindow()->windowHandle(), Qt::LeftButton, {}, point);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(button->isChecked(), button->isCheckable() && !wasChecked);
    }, button != doneButton());
}

void TestSettingsWindow::mainWindowKeepsItsWord()
{
    for (int i = 0; i < 4; ++i)
        nextButton()->click();
    const QString counter = counterLabel()->text();
    QVERIFY(counter != QStringLiteral("1/731"));
    withSettings([] {});
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QCOMPARE(counterLabel()->text(), counter);
}

// A text of Qt's in Chinese: Han characters, and no Latin letters but a mnemonic's ("复制(&C)").
static bool isChinese(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\(&[A-Za-z]\\)"))).remove(u'&');
    const bool han = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
    const bool latin = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter() && c.unicode() < 0x250; });
    return han && !latin;
}

// Qt's own dialogs and menus speak Simplified Chinese like the rest, whatever the locale:
// checked for being Chinese, not for Qt's wording, which a Qt release may change.
void TestSettingsWindow::toolkitTextsInChinese()
{
    QStringList english;
    const auto expectChinese = [&english](const QString &text) {
        if (!isChinese(text))
            english.append(text);
    };
    QColorDialog colours;
    expectChinese(colours.windowTitle());
    int chineseLabels = 0;
    for (const QLabel *label : colours.findChildren<QLabel *>())
        chineseLabels += isChinese(label->text());
    QVERIFY2(chineseLabels >= 6, "the colour dialog's labels are not in Chinese"); // hue, red, basic colours...
    const QDialogButtonBox *buttons = colours.findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    expectChinese(buttons->button(QDialogButtonBox::Ok)->text());
    expectChinese(buttons->button(QDialogButtonBox::Cancel)->text());

    QMessageBox message(QMessageBox::NoIcon, QStringLiteral("Tessarine 2005"), QString(), QMessageBox::Ok);
    expectChinese(message.button(QMessageBox::Ok)->text());

    std::unique_ptr<QMenu> menu(searchBox()->createStandardContextMenu());
    int entries = 0;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator()) {
            expectChinese(action->text().section(u'\t', 0, 0));
            ++entries;
        }
    QVERIFY(entries >= 5); // undo, redo, cut, copy, paste, delete, select all
    QVERIFY2(english.isEmpty(), qPrintable(english.join(u'|')));

    // And Simplified Chinese, not Traditional: each text as the simplified catalogue gives
    // Qt's source text, whatever its wording in this Qt release.
    QTranslator simplified;
    QVERIFY(simplified.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    const auto expectSimplified = [&simplified](const QString &shown, const char *context, const char *source) {
        const QString wanted = simplified.translate(context, source);
        QVERIFY2(!wanted.isEmpty(), source);
        QCOMPARE(shown, wanted);
    };
    expectSimplified(colours.windowTitle(), "QColorDialog", "Select Color");
    expectSimplified(buttons->button(QDialogButtonBox::Ok)->text(), "QPlatformTheme", "OK");
    expectSimplified(buttons->button(QDialogButtonBox::Cancel)->text(), "QPlatformTheme", "Cancel");
    expectSimplified(message.button(QMessageBox::Ok)->text(), "QPlatformTheme", "OK");
}

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
