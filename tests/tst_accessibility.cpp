// What a screen reader finds in the windows, read as it reads them, through Qt's accessibility
// interface: a name for every control, and the current word in the word lines.

#include "windowsfixture.h"

#include <QAccessible>

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyControlHasAName_data();
    void everyControlHasAName();
    void namesSayWhatTheButtonsDo_data();
    void namesSayWhatTheButtonsDo();
    void wordLinesReadTheCurrentWord();
};

namespace {

QString accessibleText(QObject *object, QAccessible::Text what)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(what) : QStringLiteral("(no accessible interface)");
}

} // namespace

void TestAccessibility::init()
{
    buildWindows();
}

void TestAccessibility::cleanup()
{
    destroyWindows();
}

void TestAccessibility::everyControlHasAName_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("start window") << QStringLiteral("start");
    QTest::newRow("main window") << QStringLiteral("main");
    QTest::newRow("settings window") << QStringLiteral("settings");
}

// Every control the keyboard reaches, and so a screen reader's learner.
void TestAccessibility::everyControlHasAName()
{
    QFETCH(QString, window);
    QWidget *shown = window == QLatin1String("start") ? static_cast<QWidget *>(startWindow())
                   : window == QLatin1String("main")  ? static_cast<QWidget *>(mainWindow())
                                                      : static_cast<QWidget *>(settingsWindow());
    const QList<QWidget *> controls = shown->findChildren<QWidget *>();
    int checked = 0;
    for (QWidget *control : controls) {
        if (!(control->focusPolicy() & Qt::ClickFocus))
            continue;
        const QString name = accessibleText(control, QAccessible::Name);
        QVERIFY2(std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.isLetter(); }),
                 qPrintable(QStringLiteral("%1: \"%2\"").arg(control->objectName(), name)));
        ++checked;
    }
    QVERIFY(checked >= 2);
}

void TestAccessibility::namesSayWhatTheButtonsDo_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    // Arrows and one-character captions, read aloud, say little.
    QTest::newRow("↑") << QStringLiteral("largerTextButton") << QStringLiteral("浏览字号增大");
    QTest::newRow("↓") << QStringLiteral("smallerTextButton") << QStringLiteral("浏览字号减小");
    QTest::newRow("← 上") << QStringLiteral("previousButton") << QStringLiteral("前一个单词");
    QTest::newRow("下  →") << QStringLiteral("nextButton") << QStringLiteral("后一个单词");
    QTest::newRow("小窗") << QStringLiteral("stripButton") << QStringLiteral("小型浏览窗口");
    // No caption at all.
    QTest::newRow("speed slider") << QStringLiteral("speedSlider") << QStringLiteral("自动浏览速度(秒)");
}

void TestAccessibility::namesSayWhatTheButtonsDo()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QWidget *found = mainWindow()->findChild<QWidget *>(control);
    if (!found)
        found = settingsWindow()->findChild<QWidget *>(control);
    QVERIFY(found);
    QCOMPARE(accessibleText(found, QAccessible::Name), name);
}

// Each line's text is its name, so that a screen reader reads the word as it changes; its
// description says which line it is.
void TestAccessibility::wordLinesReadTheCurrentWord()
{
    QVERIFY(enterMainWindow());
    const auto lines = [] {
        return QList<QStringList>{
            {accessibleText(firstLine(), QAccessible::Name), accessibleText(firstLine(), QAccessible::Description)},
            {accessibleText(secondLine(), QAccessible::Name), accessibleText(secondLine(), QAccessible::Description)},
            {accessibleText(meaningLine(), QAccessible::Name), accessibleText(meaningLine(), QAccessible::Description)}};
    };
    for (int step = 0; step < 2; ++step) {
        const BankEntry word = store().currentWord();
        QCOMPARE(lines(), (QList<QStringList>{{toQString(word.first), QStringLiteral("单词")},
                                              {toQString(word.shownSecond()), QStringLiteral("读音")},
                                              {toQString(word.meaning), QStringLiteral("词意")}}));
        nextButton()->click();
    }

    stripButton()->click();
    QVERIFY(!stripLine()->text().trimmed().isEmpty());
    QCOMPARE(accessibleText(stripLine(), QAccessible::Name), stripLine()->text());
    QCOMPARE(accessibleText(stripLine(), QAccessible::Description), QStringLiteral("当前单词"));
    stripBackAction()->trigger();
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
