// The browse settings window, opened modally from the main window as the learner does.

#include "formsfixture.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>

#include <functional>

class TestSettingsWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void initialState();
    void speedSetsBothTimers();
    void colourAppliesToAllLines();
    void checkBoxesActOnMouseRelease();
    void eachBoxHidesItsOwnLines_data();
    void eachBoxHidesItsOwnLines();
    void colourKeyFollowsTheLines();
    void closeButtonActsAsAllSet();
    void cannotBeMinimised();
    void enterPressesTheFocusedButton();
    void tabOrder();
    void mainWindowKeepsItsWord();
    void toolkitTextsInChinese();

private:
    // Opens the window from "设置", runs what the learner does there, then leaves it by
    // "一切设置好了" (or whatever `act` does to close it).
    void withSettings(const std::function<void()> &act, bool closeByButton = true);
    RecordingPrompts *m_prompts = nullptr;
};

void TestSettingsWindow::initTestCase()
{
    m_prompts = &setUpForms();
    QVERIFY(enterMainWindow());
}

void TestSettingsWindow::withSettings(const std::function<void()> &act, bool closeByButton)
{
    bool ran = false;
    QTimer::singleShot(0, Form5, [&] {
        if (QTest::qWaitForWindowActive(Form5))
            act();
        ran = !QTest::currentTestFailed();
        if ((closeByButton || !ran) && Form5->isVisible())
            Form5->Button2->click(); // a failed check must not leave the window waiting
    });
    Form1->Button3->click(); // waits until the window closes
    QVERIFY(ran);
    QVERIFY(!Form5->isVisible());
    QVERIFY(Form1->isVisible());
}

void TestSettingsWindow::initialState()
{
    QCOMPARE(Form5->TBAR->value(), 1);
    QCOMPARE(Form5->TBAR->minimum(), 1);
    QCOMPARE(Form5->TBAR->maximum(), 10);
    QCOMPARE(Form5->TBAR->pageStep(), 2);
    QVERIFY(Form5->TBAR->toolTip().isEmpty());
    QVERIFY(Form5->CheckBox1->isChecked() && Form5->CheckBox2->isChecked());
    QCOMPARE(Form5->CLDLG.color, QColor(Qt::black));
    QCOMPARE(Form1->Timer1->interval(), 2600);
    QCOMPARE(Form2->Timer1->interval(), 2600);
    QCOMPARE(Form5->size(), QSize(279, 97));
    QCOMPARE(Form5->windowTitle(), QStringLiteral("浏览设置"));
}

void TestSettingsWindow::speedSetsBothTimers()
{
    withSettings([] {
        Form5->TBAR->setFocus();
        QTest::keyClick(Form5->TBAR, Qt::Key_End);
        QCOMPARE(Form5->TBAR->value(), 10);
    });
    QCOMPARE(Form1->Timer1->interval(), 9680);
    QCOMPARE(Form2->Timer1->interval(), 9680);
    QCOMPARE(Form5->TBAR->toolTip(), QStringLiteral("10秒"));
    withSettings([] {
        QCOMPARE(Form5->TBAR->value(), 10); // as it was left
        QTest::keyClick(Form5->TBAR, Qt::Key_PageDown);
        QCOMPARE(Form5->TBAR->value(), 8);
        QTest::keyClick(Form5->TBAR, Qt::Key_Home);
    });
    QCOMPARE(Form1->Timer1->interval(), 968);
    QCOMPARE(Form2->Timer1->interval(), 968);
    QCOMPARE(Form5->TBAR->toolTip(), QStringLiteral("1秒"));
    // Qt's default coarse timers may fire up to 5% off (975 ms for 968, 2900 for 2904):
    // both step on the millisecond.
    QCOMPARE(Form1->Timer1->timerType(), Qt::PreciseTimer);
    QCOMPARE(Form2->Timer1->timerType(), Qt::PreciseTimer);
}

void TestSettingsWindow::colourAppliesToAllLines()
{
    auto colours = [] {
        return QList<QColor>{Form1->JPJM->palette().color(QPalette::WindowText),
                             Form1->JPHZ->palette().color(QPalette::WindowText),
                             Form1->CNMEAN->palette().color(QPalette::WindowText)};
    };
    const QList<QColor> before = colours();
    QCOMPARE(before[2], QColor(0, 0, 128));
    m_prompts->nextColor.reset(); // the learner cancels
    withSettings([] { Form5->Button1->click(); });
    QCOMPARE(colours(), before);
    m_prompts->nextColor = QColor(200, 30, 30);
    withSettings([] { Form5->Button1->click(); });
    QCOMPARE(colours(), QList<QColor>(3, QColor(200, 30, 30)));
    m_prompts->nextColor = QColor(10, 36, 106); // the main window's key colour: the lines turn see-through
    withSettings([] { Form5->Button1->click(); });
    QVERIFY(!Form1->mask().isEmpty());
    QVERIFY(Form1->mask().contains(QPoint(4, 4)));
    m_prompts->nextColor = QColor(Qt::black);
    withSettings([] { Form5->Button1->click(); });
    QVERIFY(Form1->mask().isEmpty());
    QCOMPARE(m_prompts->colorRequests,
             QList<QColor>({Qt::black, Qt::black, QColor(200, 30, 30), QColor(10, 36, 106)}));
}

void TestSettingsWindow::checkBoxesActOnMouseRelease()
{
    withSettings([] {
        QTest::mouseClick(Form5->CheckBox1, Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseClick(Form5->CheckBox2, Qt::LeftButton, {}, QPoint(5, 8));
    });
    QVERIFY(!Form1->JPJM->isVisible() && !Form1->JPHZ->isVisible() && !Form1->CNMEAN->isVisible());
    QVERIFY(Form1->wdcount->isVisible() && Form1->BTNNEXT->isVisible());
    Form1->BTNNEXT->click(); // a hidden line still receives its text
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("2/731"));
    QVERIFY(!Form1->JPJM->text().isEmpty());

    withSettings([] {
        Form5->CheckBox1->setFocus();
        QTest::keyClick(Form5->CheckBox1, Qt::Key_Space); // toggled, but no mouse release
        QVERIFY(Form5->CheckBox1->isChecked());
        QVERIFY(!Form1->CNMEAN->isVisibleTo(Form1));
    });
    withSettings([] {
        QVERIFY(Form5->CheckBox1->isChecked()); // the box as it was left
        QTest::mouseRelease(Form5->CheckBox1, Qt::LeftButton, {}, QPoint(5, 8)); // toggles nothing
        QVERIFY(Form1->CNMEAN->isVisibleTo(Form1));
        QTest::mouseClick(Form5->CheckBox2, Qt::LeftButton, {}, QPoint(5, 8));
    });
    QVERIFY(Form1->JPJM->isVisible() && Form1->JPHZ->isVisible() && Form1->CNMEAN->isVisible());
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
            if (Form5->CheckBox1->isChecked() != meaning)
                QTest::mouseClick(Form5->CheckBox1, Qt::LeftButton, {}, QPoint(5, 8));
            if (Form5->CheckBox2->isChecked() != japanese)
                QTest::mouseClick(Form5->CheckBox2, Qt::LeftButton, {}, QPoint(5, 8));
        });
    };
    setBoxes(meaningBox, japaneseBox);
    QCOMPARE(Form1->JPJM->isVisible(), japaneseBox);
    QCOMPARE(Form1->JPHZ->isVisible(), japaneseBox);
    QCOMPARE(Form1->CNMEAN->isVisible(), meaningBox);
    setBoxes(true, true);
    QVERIFY(Form1->JPJM->isVisible() && Form1->JPHZ->isVisible() && Form1->CNMEAN->isVisible());
}

void TestSettingsWindow::colourKeyFollowsTheLines()
{
    // Lines in the main window's key colour are see-through, glyph by glyph: whatever changes
    // what the lines draw must leave the mask a fresh computation gives, not the old one.
    m_prompts->nextColor = QColor(10, 36, 106);
    withSettings([] { Form5->Button1->click(); });
    QRegion before = Form1->mask();
    QVERIFY(!before.isEmpty());
    auto changedAndFresh = [&before](const char *what) {
        const QRegion shown = Form1->mask();
        Form1->updateColorKey();
        const bool fresh = Form1->mask() == shown;
        const bool changed = shown != before;
        before = Form1->mask();
        if (!fresh || !changed)
            qWarning("%s: the mask is %s", what, fresh ? "unchanged" : "stale");
        return fresh && changed;
    };
    Form1->BTNNEXT->click();
    QVERIFY(changedAndFresh("next word"));
    Form1->Timer1Timer();
    QVERIFY(changedAndFresh("timer tick"));
    Form2->N1Click();
    QVERIFY(changedAndFresh("strip menu step"));
    Form1->BTNFU->click();
    QVERIFY(changedAndFresh("larger font"));
    Form1->BTNFD->click();
    QVERIFY(changedAndFresh("smaller font"));
    withSettings([] { QTest::mouseClick(Form5->CheckBox1, Qt::LeftButton, {}, QPoint(5, 8)); });
    QVERIFY(changedAndFresh("meaning hidden"));
    withSettings([] { QTest::mouseClick(Form5->CheckBox2, Qt::LeftButton, {}, QPoint(5, 8)); });
    QVERIFY(changedAndFresh("Japanese hidden")); // no key-coloured pixel is left: no mask
    QVERIFY(Form1->mask().isEmpty());
    withSettings([] {
        QTest::mouseClick(Form5->CheckBox1, Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseClick(Form5->CheckBox2, Qt::LeftButton, {}, QPoint(5, 8));
    });
    QVERIFY(changedAndFresh("all lines shown again"));
    m_prompts->nextColor = QColor(Qt::black);
    withSettings([] { Form5->Button1->click(); });
    QVERIFY(Form1->mask().isEmpty());
}

void TestSettingsWindow::closeButtonActsAsAllSet()
{
    withSettings([] { Form5->close(); }, false);
    withSettings([] { QTest::keyClick(Form5, Qt::Key_Escape); }, false);
}

void TestSettingsWindow::cannotBeMinimised()
{
    // Minimised, the modal window would leave the main window waiting for it, out of reach.
    withSettings([] {
        Form5->showMinimized();
        QTRY_VERIFY(!Form5->isMinimized());
        QVERIFY(Form5->isVisible());
    });
}

void TestSettingsWindow::enterPressesTheFocusedButton()
{
    auto pressEnter = [](Qt::Key key) {
        QTest::keyClick(static_cast<QWidget *>(nullptr), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    };
    m_prompts->colorRequests.clear();
    m_prompts->nextColor.reset();
    withSettings([&] {
        Form5->Button1->setFocus();
        pressEnter(Qt::Key_Return);
        QCOMPARE(m_prompts->colorRequests.size(), 1);
        pressEnter(Qt::Key_Enter);
        QCOMPARE(m_prompts->colorRequests.size(), 2);
        // No button is the window's default: Enter elsewhere presses nothing.
        for (QWidget *control : {static_cast<QWidget *>(Form5->TBAR), static_cast<QWidget *>(Form5->CheckBox1)}) {
            control->setFocus();
            pressEnter(Qt::Key_Return);
        }
        QCOMPARE(m_prompts->colorRequests.size(), 2);
        QVERIFY(Form5->isVisible());
        Form5->Button2->setFocus();
        pressEnter(Qt::Key_Enter); // "一切设置好了"
    }, false);
}

void TestSettingsWindow::tabOrder()
{
    const QList<QWidget *> order{Form5->TBAR, Form5->Button1, Form5->CheckBox1, Form5->CheckBox2, Form5->Button2};
    QCOMPARE(tabChain(Form5->TBAR), order);
    withSettings([&order] { QCOMPARE(tabWalk(Form5->TBAR, 5), order + QList<QWidget *>{Form5->TBAR}); });
}

void TestSettingsWindow::mainWindowKeepsItsWord()
{
    for (int i = 0; i < 4; ++i)
        Form1->BTNNEXT->click();
    const QString counter = Form1->wdcount->text();
    QVERIFY(counter != QStringLiteral("1/731"));
    withSettings([] {});
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QCOMPARE(Form1->wdcount->text(), counter);
}

void TestSettingsWindow::toolkitTextsInChinese()
{
    // Qt's own dialogs and menus speak Simplified Chinese like the rest, whatever the locale.
    QColorDialog colours;
    QCOMPARE(colours.windowTitle(), QStringLiteral("选择颜色"));
    QStringList labels;
    for (const QLabel *label : colours.findChildren<QLabel *>())
        labels.append(label->text());
    QVERIFY2(labels.contains(QStringLiteral("基本颜色(&B)")), qPrintable(labels.join(u'|')));
    const QDialogButtonBox *buttons = colours.findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));

    QMessageBox message(QMessageBox::NoIcon, QStringLiteral("Tessarine 2005"), QString(), QMessageBox::Ok);
    QCOMPARE(message.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));

    std::unique_ptr<QMenu> menu(Form3->BOX->createStandardContextMenu());
    QStringList entries;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            entries.append(action->text().section(u'\t', 0, 0));
    QCOMPARE(entries, QStringList({QStringLiteral("撤消(&U)"), QStringLiteral("重做(&R)"), QStringLiteral("剪切(&T)"),
                                   QStringLiteral("复制(&C)"), QStringLiteral("粘贴(&P)"), QStringLiteral("删除"),
                                   QStringLiteral("全选")}));
}

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
