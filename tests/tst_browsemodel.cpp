// The model the windows share: what it tells its observers, and in which order.

#include "browsemodel.h"

#include <QSignalSpy>
#include <QTest>

class TestBrowseModel : public QObject
{
    Q_OBJECT

private slots:
    void startsEmpty();
    void loadTellsOnceComplete();
    void stepsSayWhatMoved();
    void settingsSignalOnlyChanges();
    void textSizeStaysWithinItsLimits();
};

void TestBrowseModel::startsEmpty()
{
    BrowseModel model;
    QVERIFY(!model.hasBank());
    QVERIFY(!model.level());
    QCOMPARE(model.store().counterText(), std::string("0/0"));
    QCOMPARE(model.stepIntervalMs(), 2600);
    QCOMPARE(model.textPoints(), 22);
    QVERIFY(!model.lineColor());
    QVERIFY(model.meaningVisible() && model.japaneseVisible());
}

// Observers hear of a load once it is complete: the level, then the word, already on word 1.
void TestBrowseModel::loadTellsOnceComplete()
{
    BrowseModel model;
    QStringList seen;
    auto changeName = [](BrowseModel::WordChange change) {
        switch (change) {
        case BrowseModel::WordChange::NewBank: return "new bank";
        case BrowseModel::WordChange::AutoBrowseStep: return "auto-browse step";
        case BrowseModel::WordChange::Step: return "step";
        }
        return "";
    };
    connect(&model, &BrowseModel::levelChanged, this, [&](WordLevel level) {
        seen.append(QStringLiteral("level %1 at %2 of %3")
                        .arg(int(level))
                        .arg(QString::fromStdString(model.store().counterText()))
                        .arg(model.level() == level ? "it" : "another"));
    });
    connect(&model, &BrowseModel::wordChanged, this, [&](BrowseModel::WordChange change) {
        seen.append(QStringLiteral("word %1, %2").arg(QString::fromStdString(model.store().counterText()), changeName(change)));
    });
    model.loadLevel(WordLevel::Level4);
    model.stepNext();
    model.loadLevel(WordLevel::Level3);
    model.stepNext(BrowseModel::WordChange::AutoBrowseStep);
    QCOMPARE(seen, QStringList({QStringLiteral("level 4 at 1/731 of it"), QStringLiteral("word 1/731, new bank"),
                                QStringLiteral("word 2/731, step"), QStringLiteral("level 3 at 1/554 of it"),
                                QStringLiteral("word 1/554, new bank"), QStringLiteral("word 2/554, auto-browse step")}));
    QVERIFY(model.level() == WordLevel::Level3);
}

void TestBrowseModel::stepsSayWhatMoved()
{
    BrowseModel model;
    model.loadLevel(WordLevel::Level4);
    QSignalSpy words(&model, &BrowseModel::wordChanged);
    model.stepPrevious();
    QCOMPARE(model.store().position(), 731);
    model.stepNext(BrowseModel::WordChange::AutoBrowseStep);
    QCOMPARE(model.store().position(), 1);
    model.stepNext();
    QCOMPARE(words.size(), 3);
    QCOMPARE(words[0][0].value<BrowseModel::WordChange>(), BrowseModel::WordChange::Step);
    QCOMPARE(words[1][0].value<BrowseModel::WordChange>(), BrowseModel::WordChange::AutoBrowseStep);
    QCOMPARE(words[2][0].value<BrowseModel::WordChange>(), BrowseModel::WordChange::Step);
}

void TestBrowseModel::settingsSignalOnlyChanges()
{
    BrowseModel model;
    QSignalSpy intervals(&model, &BrowseModel::stepIntervalChanged);
    QSignalSpy visibility(&model, &BrowseModel::lineVisibilityChanged);
    QSignalSpy colors(&model, &BrowseModel::lineColorChanged);
    model.setStepInterval(2600); // what it has: no signal, so no timer restarts its count
    model.setStepInterval(3 * BrowseModel::msPerSpeedStep);
    QCOMPARE(intervals.size(), 1);
    QCOMPARE(intervals[0][0].toInt(), 2904);
    model.setMeaningVisible(true);
    model.setJapaneseVisible(false);
    model.setJapaneseVisible(false);
    QCOMPARE(visibility.size(), 1);
    QVERIFY(model.meaningVisible() && !model.japaneseVisible());
    model.setLineColor(Qt::black); // the learner chose a colour, even the one shown
    QCOMPARE(colors.size(), 1);
    QCOMPARE(model.lineColor(), std::optional<QColor>(Qt::black));
}

void TestBrowseModel::textSizeStaysWithinItsLimits()
{
    BrowseModel model;
    QSignalSpy sizes(&model, &BrowseModel::textSizeChanged);
    for (int i = 0; i < 20; ++i)
        model.enlargeText();
    QCOMPARE(model.textPoints(), BrowseModel::largestTextPoints);
    QCOMPARE(sizes.size(), 11); // 24, 26, ..., 44
    for (int i = 0; i < 20; ++i)
        model.shrinkText();
    QCOMPARE(model.textPoints(), BrowseModel::smallestTextPoints);
    QCOMPARE(sizes.size(), 11 + 15); // 42 down to 14
}

QTEST_MAIN(TestBrowseModel)
#include "tst_browsemodel.moc"
