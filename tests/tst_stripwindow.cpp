// The strip window: its line, its menu, its timer, and how it follows the main window.

#include "formsfixture.h"
#include "gbktext.h"

class TestStripWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void openingPlacesItAndStartsTheTimer();
    void lineWithTwoTexts();
    void lineWithEmptySecondText();
    void wrapsByMenuAndTimer();
    void firstTickAfterOpeningShowsWord2();
    void choosingTheCheckedLevelReloads();
    void choosingAnotherLevel();
    void marksFollowLoadsStartedElsewhere();
    void menuStepKeepsTheTimersPeriod();
    void returnStopsTheTimer();
    void withAutoBrowseTheStripShowsEverySecondWord();
    void menuEntries();
};

static QString expectedLine(WordLevel level, int word)
{
    const BankEntry e = bankWords(level)[word - 1];
    QString text = u' ' + fromGbk(e.first) + QStringLiteral("   ");
    if (!e.second.empty())
        text += fromGbk(e.second) + QStringLiteral("   ");
    return text + fromGbk(e.meaning) + QStringLiteral("   ");
}

static bool openStrip()
{
    Form1->Button1->click();
    return QTest::qWaitForWindowActive(Form2);
}

void TestStripWindow::initTestCase()
{
    setUpForms();
    QVERIFY(Form2->ll->text().isEmpty());
    QVERIFY(Form2->ll->toolTip().isEmpty());
    QCOMPARE(Form2->ComboBox1->currentIndex(), -1);
    QVERIFY(!Form2->Timer1->isActive());
    QCOMPARE(Form2->Timer1->interval(), 2600);
    QVERIFY(!Form2->N11->isChecked() && !Form2->N41->isChecked());
}

void TestStripWindow::init()
{
    QVERIFY(enterMainWindow()); // level 4, word 1
}

void TestStripWindow::cleanup()
{
    if (Form2->isVisible())
        Form2->N4->trigger();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    Form1->BTNEXIT->click();
    QVERIFY(QTest::qWaitForWindowActive(Form4));
}

void TestStripWindow::openingPlacesItAndStartsTheTimer()
{
    QVERIFY(openStrip());
    QVERIFY(!Form1->isVisible());
    QCOMPARE(Form2->pos(), QPoint(33, 0));
    QVERIFY(Form2->Timer1->isActive());
    QVERIFY(Form2->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(Form2->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(Form2->size(), QSize(910, 28));
    QVERIFY(!Form2->ComboBox1->isVisible());
    // Only the bar shows: the red surround is masked away, rounded ends included.
    const QRegion mask = Form2->mask();
    QVERIFY(!mask.contains(QPoint(0, 14)));
    QVERIFY(mask.contains(QPoint(500, 14)));
    QVERIFY(!mask.contains(QPoint(176, 1)));
}

void TestStripWindow::lineWithTwoTexts()
{
    Form1->BTNNEXT->click();
    QCOMPARE(Form2->ll->text(), QStringLiteral(" 会う   あう   会面，见面   "));
    QCOMPARE(Form2->ll->toolTip(), QStringLiteral("2/731"));
}

void TestStripWindow::lineWithEmptySecondText()
{
    Form1->OPBGJ1->click();
    while (Form1->Store.position != 87)
        Form1->BTNNEXT->click();
    QCOMPARE(Form2->ll->text(), QStringLiteral(" おい   喂，嘿   "));
    QCOMPARE(Form2->ll->toolTip(), QStringLiteral("87/4205"));
}

void TestStripWindow::wrapsByMenuAndTimer()
{
    QVERIFY(openStrip());
    Form2->N1->trigger();
    QCOMPARE(Form2->ll->toolTip(), QStringLiteral("731/731"));
    QCOMPARE(Form2->ll->text(), expectedLine(WordLevel::Level4, 731));
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("731/731")); // the hidden main window follows
    Form2->N2->trigger();
    QCOMPARE(Form2->ll->toolTip(), QStringLiteral("1/731"));
    Form2->N1->trigger();
    Form2->Timer1Timer();
    QCOMPARE(Form2->ll->toolTip(), QStringLiteral("1/731"));
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("1/731"));
}

void TestStripWindow::firstTickAfterOpeningShowsWord2()
{
    Form1->OPBGJ3->click();
    const QString before = Form2->ll->text();
    QVERIFY(openStrip());
    QCOMPARE(Form2->ll->text(), before); // showing does not rebuild the line
    Form2->Timer1Timer();
    QCOMPARE(Form2->ll->text(), expectedLine(WordLevel::Level3, 2));
    QCOMPARE(Form2->ll->toolTip(), QStringLiteral("2/554"));
}

void TestStripWindow::choosingTheCheckedLevelReloads()
{
    QVERIFY(openStrip());
    for (int i = 0; i < 5; ++i)
        Form2->N2->trigger();
    const QString line = Form2->ll->text();
    Form2->N41->trigger();
    QCOMPARE(Form1->Store.position, 1);
    QCOMPARE(Form1->wdcount->text(), QStringLiteral("1/731"));
    QCOMPARE(Form2->ll->text(), line); // the line keeps the old word until the next step
    QCOMPARE(Form2->ll->toolTip(), QStringLiteral("6/731"));
    QVERIFY(Form2->N41->isChecked());
}

void TestStripWindow::choosingAnotherLevel()
{
    QVERIFY(openStrip());
    for (int i = 0; i < 3; ++i)
        Form2->N2->trigger();
    Form2->N31->trigger();
    QVERIFY(Form1->OPBGJ3->isChecked());
    QCOMPARE(Form1->Store.count, 554);
    QCOMPARE(Form1->Store.position, 1);
    QCOMPARE(Form2->ComboBox1->currentIndex(), 3);
    QCOMPARE(Form2->ComboBox1->currentText(), QStringLiteral("日语 3 级词"));
    int marked = 0;
    for (QAction *entry : {Form2->N11, Form2->N21, Form2->N22, Form2->N31, Form2->N41})
        marked += entry->isChecked();
    QCOMPARE(marked, 1);
    QVERIFY(Form2->N31->isChecked());
}

void TestStripWindow::marksFollowLoadsStartedElsewhere()
{
    Form1->OPBGJ2->click(); // the strip is hidden
    QVERIFY(Form2->N22->isChecked());
    QVERIFY(!Form2->N41->isChecked());
    QCOMPARE(Form2->ComboBox1->currentIndex(), 2);
    Form1->OPBJD1->click();
    QVERIFY(Form2->N11->isChecked() && !Form2->N22->isChecked());
}

void TestStripWindow::menuStepKeepsTheTimersPeriod()
{
    QVERIFY(openStrip());
    setIntervalKeepingCount(Form2->Timer1, 500);
    QTest::qWait(250);
    Form2->N2->trigger();
    Form2->N1->trigger();
    QVERIFY(Form2->Timer1->remainingTime() <= 300);
    setIntervalKeepingCount(Form2->Timer1, 2600);
}

void TestStripWindow::returnStopsTheTimer()
{
    QVERIFY(openStrip());
    Form2->Timer1Timer();
    const QString line = Form2->ll->text();
    Form2->close(); // a close request returns like "返      回"
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QVERIFY(!Form2->isVisible());
    QVERIFY(!Form2->Timer1->isActive());
    QCOMPARE(Form2->ll->text(), line);
    Form1->OPBGJ3->click();
    QVERIFY(openStrip()); // reopened: the old line until the first tick
    QCOMPARE(Form2->ll->text(), line);
    Form2->N4->trigger();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QVERIFY(!Form2->Timer1->isActive());
}

void TestStripWindow::withAutoBrowseTheStripShowsEverySecondWord()
{
    QTest::mouseClick(Form1->ATBROWSE, Qt::LeftButton);
    QVERIFY(openStrip());
    QVERIFY(Form1->Timer1->isActive() && Form2->Timer1->isActive());
    // Both timers run at one interval, so their ticks alternate.
    QStringList hints;
    for (int i = 0; i < 3; ++i) {
        Form1->Timer1Timer();
        Form2->Timer1Timer();
        hints.append(Form2->ll->toolTip());
    }
    QCOMPARE(hints, QStringList({"3/731", "5/731", "7/731"}));
    Form2->N4->trigger();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QTest::mouseClick(Form1->ATBROWSE, Qt::LeftButton);
    QVERIFY(!Form1->Timer1->isActive());
}

void TestStripWindow::menuEntries()
{
    QStringList captions;
    for (QAction *entry : Form2->PopupMenu1->actions())
        captions.append(entry->isSeparator() ? QStringLiteral("-") : entry->text());
    QCOMPARE(captions, QStringList({"上一个单词", "下一个单词", "-", "日语 1 级词", "日语 2 级补充词", "日语 2 级词",
                                    "日语 3 级词", "日语 4 级词", "-", "返      回"}));
    QVERIFY(!Form2->N1->isCheckable() && !Form2->N4->isCheckable());
}

QTEST_MAIN(TestStripWindow)
#include "tst_stripwindow.moc"
