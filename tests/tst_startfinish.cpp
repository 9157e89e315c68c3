// The program from start to finish, as main() runs it (runProgram, with Qt's own message box and
// colour dialog), driven from inside by a learner's clicks and keys: the start window shows,
// 进入 brings the main window at word 1 of 731, "下 →" steps, the search finds 青い, the strip
// opens at the top of the screen, 返回 and 退出 end the run. Under Wine it runs on Qt's windows
// platform, in real Windows windows (scripts/windows.sh --test).
//
// Then runProgram runs a second time, and its event loop is ended from outside with code 3 once
// the start window shows: the program must return what its event loop returned.
//
// Its exit code is the test's result: 0 only when every step held, 退出 ended the first run with
// exit code 0 and the second run returned 3; 1 otherwise.

#include "appwindows.h"
#include "qtplatform.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// The shown top-level window with that object name, if any.
QWidget *topLevel(const char *name)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (window->objectName() == QLatin1String(name))
            return window;
    return nullptr;
}

bool isOnScreen(const char *name)
{
    QWidget *window = topLevel(name);
    return window && window->isVisible() && window->windowHandle() && window->windowHandle()->isExposed();
}

template <class T>
T *control(const char *window, const char *name)
{
    QWidget *top = topLevel(window);
    return top ? top->findChild<T *>(QLatin1String(name)) : nullptr;
}

// The learner's run. Each step waits for what a learner would see before going on; the first
// that does not come ends the run.
class Learner : public QObject
{
public:
    bool passed() const { return m_passed; }

    void run()
    {
        m_passed = steps();
        if (!m_passed)
            QCoreApplication::exit(1); // runProgram returns; main reports the failure
    }

private:
    bool fail(const QString &what)
    {
        qWarning("FAIL: %s", qPrintable(what));
        return false;
    }

    bool waitShown(const char *window)
    {
        return QTest::qWaitFor([&] { return isOnScreen(window); }, 10000) || fail(QStringLiteral("%1 not shown").arg(window));
    }

    bool waitHidden(const char *window)
    {
        return QTest::qWaitFor([&] { return !isOnScreen(window); }, 10000) || fail(QStringLiteral("%1 still shown").arg(window));
    }

    bool click(const char *window, const char *button)
    {
        auto *pushButton = control<QPushButton>(window, button);
        if (!pushButton)
            return fail(QStringLiteral("%1 has no %2").arg(window, button));
        QTest::mouseClick(pushButton, Qt::LeftButton);
        return true;
    }

    bool counterIs(const QString &expected)
    {
        auto *counter = control<QLabel>("mainWindow", "counterLabel");
        return (counter && QTest::qWaitFor([&] { return counter->text() == expected; }, 5000))
            || fail(QStringLiteral("counter shows %1, not %2").arg(counter ? counter->text() : QString(), expected));
    }

    QString writtenForm() const
    {
        auto *line = control<QLabel>("mainWindow", "firstLine");
        return line ? line->text() : QString();
    }

    bool searchFinds(const QString &query)
    {
        auto *box = control<QLineEdit>("searchWindow", "searchBox");
        auto *grid = control<QTableView>("searchWindow", "resultGrid");
        if (!box || !grid)
            return fail(QStringLiteral("the search window has no search box or grid"));
        // As a Japanese input method types it: the composed text committed into the box.
        box->setFocus();
        box->selectAll();
        QInputMethodEvent typed;
        typed.setCommitString(query);
        QApplication::sendEvent(box, &typed);
        if (box->text() != query)
            return fail(QStringLiteral("typed %1, the box shows %2").arg(query, box->text()));
        if (!click("searchWindow", "searchButton"))
            return false;
        const auto found = [&] {
            const QAbstractItemModel *results = grid->model();
            for (int row = 0; row < results->rowCount(); ++row)
                for (int column = 0; column < results->columnCount(); ++column)
                    if (results->index(row, column).data().toString() == query)
                        return true;
            return false;
        };
        return QTest::qWaitFor(found, 5000) || fail(QStringLiteral("the search did not find %1").arg(query));
    }

    bool steps()
    {
        if (!waitShown("startWindow") || !click("startWindow", "enterButton") || !waitShown("mainWindow")
            || !waitHidden("startWindow") || !counterIs(QStringLiteral("1/731")))
            return false;
        const QString first = writtenForm();
        if (first.isEmpty())
            return fail(QStringLiteral("the first word's written form is blank"));

        if (!click("mainWindow", "nextButton") || !counterIs(QStringLiteral("2/731")))
            return false;
        if (writtenForm().isEmpty() || writtenForm() == first)
            return fail(QStringLiteral("the second word's written form is blank or the first's"));

        if (!click("mainWindow", "searchButton") || !waitShown("searchWindow") || !searchFinds(QStringLiteral("青い")))
            return false;
        topLevel("searchWindow")->close();
        if (!waitHidden("searchWindow") || !waitShown("mainWindow"))
            return false;

        if (!click("mainWindow", "stripButton") || !waitShown("stripWindow"))
            return false;
        QWidget *strip = topLevel("stripWindow");
        const QRect screen = strip->screen()->geometry();
        if (!QTest::qWaitFor([&] { return strip->frameGeometry().top() == screen.top(); }, 5000))
            return fail(QStringLiteral("the strip is at y %1, the screen's top at %2").arg(strip->frameGeometry().top()).arg(screen.top()));
        auto *menu = strip->findChild<QMenu *>(QStringLiteral("menu"));
        QAction *back = strip->findChild<QAction *>(QStringLiteral("backAction"));
        if (!menu || !back)
            return fail(QStringLiteral("the strip has no menu with a way back"));
        back->trigger();
        if (!waitHidden("stripWindow") || !waitShown("mainWindow"))
            return false;

        return click("mainWindow", "backButton") && waitShown("startWindow") && click("startWindow", "quitButton");
    }

    bool m_passed = false;
};

} // namespace

int main(int argc, char *argv[])
{
    chooseQtPlatform();
    QApplication app(argc, argv);
    Learner learner;
    QTimer::singleShot(0, &learner, &Learner::run);
    // Should 退出 not end the run, this does, and the run counts as failed.
    bool timedOut = false;
    QTimer::singleShot(90000, &app, [&timedOut] {
        qWarning("FAIL: the program was still running after 90 s");
        timedOut = true;
        QCoreApplication::exit(1);
    });
    const int programExit = runProgram(app);
    if (!learner.passed() || timedOut) {
        qWarning("the run failed");
        return 1;
    }
    if (programExit != 0) {
        qWarning("FAIL: 退出 ended the run, and the program returned %d", programExit);
        return 1;
    }

    // The event loop ended with another code than 退出's: the program returns that code.
    QTimer::singleShot(0, &app, [] {
        const bool shown = QTest::qWaitFor([] { return isOnScreen("startWindow"); }, 10000);
        QCoreApplication::exit(shown ? 3 : 1);
    });
    const int endedWith3 = runProgram(app);
    if (endedWith3 != 3) {
        qWarning("FAIL: the event loop ended with 3 (1: no start window), the program returned %d", endedWith3);
        return 1;
    }
    qInfo("the run went from start to finish and returned 0; a run whose event loop ended with 3 returned 3");
    return 0;
}
