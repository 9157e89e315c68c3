// The search: the GBK substring test, and the window over the loaded bank.

#include "windowsfixture.h"
#include "wordtext.h"
#include "wordsearch.h"

#include <QClipboard>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QStringEncoder>

#include <string>
#include <vector>

class TestSearchWindow : public QObject
{
    Q_OBJECT

private slots:
    void substring_data();
    void substring();
    void foldJapaneseInput_data();
    void foldJapaneseInput();
    void initTestCase();
    void init();
    void cleanup();
    void openingSearchesForA();
    void nothingFoundLeavesOneEmptyRow_data();
    void nothingFoundLeavesOneEmptyRow();
    void fewerResultsShowFewerRows();
    void emptySecondTextAndColumnWidths();
    void enterInTheBoxStartsNoSearch();
    void tabOrder();
    void hugeAndOddInput();
    void longestTextIsStillFound();
    void copyFromTheEmptyGridArea();
    void cellsShowTheirWholeText();
    void newSearchStartsAtTheFirstRow();
    void japaneseInputFindsWhatTheBanksHold();
    void closingReturnsAndReopeningRestoresA();

private:
    void useFixture();
    void search(const QString &text);
    QString cell(int row, int column) const;
};

void TestSearchWindow::substring_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("found");
    // A match is one of whole characters. Where the GBK bytes of a character appear across
    // two others, that is no match: "あい" is A4 A2 A4 A4, and "ⅳ" is A2 A4.
    QTest::newRow("whole character") << QStringLiteral("あい") << QStringLiteral("い") << true;
    QTest::newRow("across a boundary") << QStringLiteral("あい") << QStringLiteral("ⅳ") << false;
    QTest::newRow("trail byte as ASCII") << QStringLiteral("丄") << QStringLiteral("A") << false; // 81 41
    QTest::newRow("ASCII after a character") << QStringLiteral("丄A") << QStringLiteral("A") << true;
    // "伆啊" is 81 B0 B0 A1: the bytes of "鞍", B0 B0, across its two characters.
    QTest::newRow("a trail byte that looks like a lead") << QStringLiteral("伆啊") << QStringLiteral("鞍") << false;
    QTest::newRow("repeated lead bytes") << QStringLiteral("鞍鞍") << QStringLiteral("鞍") << true;
    QTest::newRow("case sensitive") << QStringLiteral("IC") << QStringLiteral("ic") << false;
    QTest::newRow("same case") << QStringLiteral("xIC") << QStringLiteral("IC") << true;
    QTest::newRow("full-width and half-width apart") << QStringLiteral("ＩＣ") << QStringLiteral("IC") << false;
    QTest::newRow("empty pattern") << QStringLiteral("abc") << QString() << false;
    QTest::newRow("empty text") << QString() << QStringLiteral("a") << false;
    QTest::newRow("pattern longer than text") << QStringLiteral("ab") << QStringLiteral("abc") << false;
    QTest::newRow("whole text") << QStringLiteral("abc") << QStringLiteral("abc") << true;
    QTest::newRow("at the end") << QStringLiteral("あc") << QStringLiteral("c") << true;
}

void TestSearchWindow::substring()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, found);
    QCOMPARE(containsText(toWordText(text), toWordText(pattern)), found);
}

void TestSearchWindow::foldJapaneseInput_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("folded");
    QTest::newRow("katakana middle dot") << QStringLiteral("z・") << QStringLiteral("z·");
    QTest::newRow("wave dash") << QStringLiteral("〜岁") << QStringLiteral("～岁");
    QTest::newRow("half-width katakana") << QStringLiteral("ﾒｰﾄﾙ") << QStringLiteral("メートル");
    QTest::newRow("half-width voiced marks") << QStringLiteral("ｶﾞｯｺｳﾉﾊﾟﾝ") << QStringLiteral("ガッコウノパン");
    QTest::newRow("half-width punctuation") << QStringLiteral("｢ｱ､ｲ･ｳ｡｣") << QStringLiteral("「ア、イ·ウ。」");
    QTest::newRow("mixed with kanji") << QStringLiteral("ｶﾞ行") << QStringLiteral("ガ行");
    // Only those: full-width and half-width forms of anything else stay apart.
    QTest::newRow("full-width tilde") << QStringLiteral("～") << QStringLiteral("～");
    QTest::newRow("ASCII tilde") << QStringLiteral("~") << QStringLiteral("~");
    QTest::newRow("full-width Latin") << QStringLiteral("ＩＣ") << QStringLiteral("ＩＣ");
    QTest::newRow("kana and kanji") << QStringLiteral("あア会") << QStringLiteral("あア会");
    QTest::newRow("empty") << QString() << QString();
}

void TestSearchWindow::foldJapaneseInput()
{
    QFETCH(QString, typed);
    QFETCH(QString, folded);
    QCOMPARE(::foldJapaneseInput(typed), folded);
    QStringEncoder gbk("GBK"); // what the input method types has a GBK form once folded
    gbk.encode(::foldJapaneseInput(typed));
    QVERIFY(!gbk.hasError());
}

void TestSearchWindow::initTestCase()
{
    buildWindows();
    // As created: 16999 empty rows in three invisible columns, before any search.
    QCOMPARE(searchResults()->rowCount(), WordStore::Capacity);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(resultGrid()->columnWidth(c), 0);
    QCOMPARE(resultGrid()->verticalHeader()->defaultSectionSize(), 24);
    destroyWindows();
}

void TestSearchWindow::init()
{
    buildWindows();
    QVERIFY(enterMainWindow());
}

void TestSearchWindow::cleanup()
{
    destroyWindows();
}

QString TestSearchWindow::cell(int row, int column) const
{
    return searchResults()->index(row, column).data().toString();
}

// Opens the search window from the main window, as "查询" does.
static bool openSearchWindow()
{
    if (!searchWindow()->isVisible())
        searchButton()->click();
    return QTest::qWaitForWindowActive(searchWindow());
}

// A query longer than every text of the bank is not looked for; one as long as the longest
// text still is.
void TestSearchWindow::longestTextIsStillFound()
{
    QVERIFY(openSearchWindow());
    const WordStore &words = store();
    int32_t at = 1;
    for (int32_t k = 1; k <= words.count(); ++k)
        if (words.word(k).meaning.size() > words.word(at).meaning.size())
            at = k;
    QCOMPARE(qsizetype(words.word(at).meaning.size()), qsizetype(words.longestText()));
    const QString longest = toQString(words.word(at).meaning);
    search(longest);
    QVERIFY(searchResults()->rowCount() >= 1);
    QCOMPARE(cell(0, 2), longest);
    search(longest + u'x');
    QCOMPARE(cell(0, 2), QString());
}

void TestSearchWindow::search(const QString &text)
{
    searchBox()->setText(text);
    runSearchButton()->click();
}

void TestSearchWindow::openingSearchesForA()
{
    levelButton(WordLevel::Level3)->click();
    searchButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(searchWindow()));
    QVERIFY(!mainWindow()->isVisible());
    QCOMPARE(searchBox()->text(), QStringLiteral("あ"));
    // Every word with "あ" in one of its texts, in word order.
    QList<int> expected;
    const auto words = bankWords(WordLevel::Level3);
    for (int i = 0; i < int(words.size()); ++i) {
        const BankEntry &e = words[i];
        if (toQString(e.first).contains(u'あ') || toQString(e.second).contains(u'あ') || toQString(e.meaning).contains(u'あ'))
            expected.append(i + 1);
    }
    QVERIFY(expected.size() > 10);
    QCOMPARE(QList<int>(searchResults()->results().begin(), searchResults()->results().end()), expected);
    QCOMPARE(searchResults()->rowCount(), expected.size());
    QCOMPARE(cell(0, 0), toQString(words[expected[0] - 1].first));
    QCOMPARE(cell(0, 2), toQString(words[expected[0] - 1].meaning));
}

// A small bank of our own, so that widths and counts are known exactly.
static const Bank &fixtureBank()
{
    static const std::u16string words[][3] = {
        {u"x1", u"", u"内容"}, // empty second text
        {u"x2", u"y2", u"IC"},
        {u"x3", u"y3", u"ic"},
        {u"あいうえ", u"wx", u"m"}, // 4 double-byte characters
        {u"x5", u"y5", u"?"},
        {u"x6", u"y6", u"m6"}, {u"x7", u"y7", u"m7"}, {u"x8", u"y8", u"m8"}, {u"x9", u"y9", u"m9"}, {u"x10", u"y10", u"m10"},
        {u"z·", u"z", u"～"},
        {u"q", u"q", std::u16string(82, u'M')}, // 82 bytes in GBK
    };
    static std::u16string text;
    static std::vector<uint32_t> bounds;
    static size_t longest = 0;
    if (bounds.empty()) {
        for (const auto &word : words)
            for (const std::u16string &t : word) {
                bounds.push_back(uint32_t(text.size()));
                text += t;
                longest = std::max(longest, t.size());
            }
        bounds.push_back(uint32_t(text.size()));
    }
    static const Bank bank(text.data(), bounds.data(), int32_t(std::size(words)), int32_t(longest));
    return bank;
}

void TestSearchWindow::useFixture()
{
    QVERIFY(openSearchWindow());
    // Words of the test's own, loaded straight into the model's store.
    const_cast<WordStore &>(::store()).load(fixtureBank());
}

void TestSearchWindow::nothingFoundLeavesOneEmptyRow_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty box") << QString();
    QTest::newRow("no such text") << QStringLiteral("zzz");
    QTest::newRow("emoji has no GBK form") << QStringLiteral("😀");
    QTest::newRow("Extension B character") << QString::fromUcs4(U"\U00020000");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800));
    QTest::newRow("control characters") << QStringLiteral("\t\x01\n");
}

void TestSearchWindow::nothingFoundLeavesOneEmptyRow()
{
    QFETCH(QString, text);
    useFixture();
    search(QStringLiteral("x"));
    QCOMPARE(searchResults()->rowCount(), 10);
    search(text);
    QCOMPARE(searchResults()->rowCount(), 1);
    QVERIFY(cell(0, 0).isEmpty() && cell(0, 1).isEmpty() && cell(0, 2).isEmpty());
    for (int c = 0; c < 3; ++c)
        QCOMPARE(resultGrid()->columnWidth(c), 0);
}

void TestSearchWindow::fewerResultsShowFewerRows()
{
    useFixture();
    search(QStringLiteral("x"));
    QCOMPARE(searchResults()->rowCount(), 10);
    search(QStringLiteral("1"));            // x1 and x10 (whose y10 and m10 count once)
    QCOMPARE(searchResults()->rowCount(), 2);
    search(QStringLiteral("IC"));           // case-sensitive: not "ic"
    QCOMPARE(searchResults()->rowCount(), 1);
    QCOMPARE(cell(0, 0), QStringLiteral("x2"));
    search(QStringLiteral("?"));            // a literal "?" finds only itself
    QCOMPARE(searchResults()->rowCount(), 1);
    QCOMPARE(cell(0, 0), QStringLiteral("x5"));
}

void TestSearchWindow::emptySecondTextAndColumnWidths()
{
    useFixture();
    search(QStringLiteral("内容")); // GBK C4DA C8DD, the meaning of word 1
    QCOMPARE(searchResults()->rowCount(), 1);
    QCOMPARE(cell(0, 1), QStringLiteral("x1"));
    QCOMPARE(resultGrid()->columnWidth(0), 18);
    QCOMPARE(resultGrid()->columnWidth(1), 18);
    QCOMPARE(resultGrid()->columnWidth(2), 36);
    search(QStringLiteral("q"));
    QCOMPARE(resultGrid()->columnWidth(2), 738); // 82 bytes
    search(QStringLiteral("あい"));
    QCOMPARE(resultGrid()->columnWidth(0), 72);
    QCOMPARE(resultGrid()->columnWidth(1), 18);
    search(QStringLiteral("z")); // "z·": the middle dot, below U+0100, takes two bytes in GBK (A1 A4)
    QCOMPARE(searchResults()->rowCount(), 1);
    QCOMPARE(resultGrid()->columnWidth(0), 27);
    QCOMPARE(resultGrid()->columnWidth(1), 9);
    QCOMPARE(resultGrid()->columnWidth(2), 18);
}

void TestSearchWindow::enterInTheBoxStartsNoSearch()
{
    useFixture();
    search(QStringLiteral("x"));
    searchBox()->setText(QStringLiteral("IC"));
    QTest::keyClick(searchBox(), Qt::Key_Return);
    QCOMPARE(searchResults()->rowCount(), 10);
    QVERIFY(!runSearchButton()->isDefault());
    // Enter on the focused button presses it, as Space does.
    runSearchButton()->setFocus();
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
    QCOMPARE(searchResults()->rowCount(), 1);
    searchBox()->setText(QStringLiteral("x"));
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(searchResults()->rowCount(), 10);
}

void TestSearchWindow::tabOrder()
{
    QVERIFY(openSearchWindow());
    const QList<QWidget *> order{searchBox(), resultGrid(), runSearchButton()};
    QCOMPARE(tabChain(searchBox()), order);
    // Inside the grid Tab moves from cell to cell, so the walk starts on the button.
    QCOMPARE(tabWalk(runSearchButton(), 2), (QList<QWidget *>{runSearchButton(), searchBox(), resultGrid()}));
}

void TestSearchWindow::hugeAndOddInput()
{
    useFixture();
    search(QString(1 << 20, u'x')); // a pasted megabyte
    QCOMPARE(searchBox()->text().size(), 1 << 20);
    QCOMPARE(searchResults()->rowCount(), 1);
    QCOMPARE(resultGrid()->columnWidth(0), 0);
    search(QStringLiteral("x2"));
    QCOMPARE(searchResults()->rowCount(), 1);
}

void TestSearchWindow::copyFromTheEmptyGridArea()
{
    useFixture();
    search(QStringLiteral("x"));
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Ctrl+C on a cell copies its text.
    const QModelIndex tenth = searchResults()->index(9, 0);
    QTest::mouseClick(resultGrid()->viewport(), Qt::LeftButton, {}, resultGrid()->visualRect(tenth).center());
    QTest::keyClick(resultGrid(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("x10"));
    // Right of the columns there is no cell: Ctrl+C there copies nothing.
    clipboard->setText(QStringLiteral("before"));
    const QPoint empty(resultGrid()->viewport()->width() - 5, 5);
    QVERIFY(!resultGrid()->indexAt(empty).isValid());
    resultGrid()->setCurrentIndex({});
    QTest::mouseClick(resultGrid()->viewport(), Qt::LeftButton, {}, empty);
    QVERIFY(!resultGrid()->currentIndex().isValid());
    QTest::keyClick(resultGrid(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    QVERIFY(!searchResults()->data(QModelIndex(), Qt::DisplayRole).isValid());
    QVERIFY(!searchResults()->data(searchResults()->index(10, 0), Qt::DisplayRole).isValid()); // past the rows
}

// A cell drawn as the grid draws it, in a cell of the given width.
static QImage renderCell(const QModelIndex &index, int width)
{
    QTableView *grid = resultGrid();
    QStyleOptionViewItem option;
    option.initFrom(grid);
    option.widget = grid;
    option.font = grid->font();
    option.textElideMode = grid->textElideMode();
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.state |= QStyle::State_Enabled | QStyle::State_Active;
    option.rect = QRect(0, 0, width, grid->visualRect(index).height());
    QImage image(option.rect.size(), QImage::Format_RGB32);
    image.fill(grid->palette().color(QPalette::Base));
    QPainter painter(&image);
    grid->itemDelegateForIndex(index)->paint(&painter, option, index);
    return image;
}

void TestSearchWindow::cellsShowTheirWholeText()
{
    model().loadLevel(WordLevel::Level4);
    // "青い" showed as "…" and "あ…"; then every character of the bank as a query.
    QStringList queries{QStringLiteral("青い")};
    QSet<QChar> seen;
    const Bank bank = bankWords(WordLevel::Level4);
    for (int32_t i = 0; i < bank.size(); ++i) {
        const BankEntry e = bank[i];
        for (WordText t : {e.first, e.second, e.meaning})
            for (QChar c : toQString(t))
                if (!seen.contains(c)) {
                    seen.insert(c);
                    queries.append(c);
                }
    }
    QSet<QPair<QString, int>> checked;
    QStringList cut;
    for (const QString &query : queries) {
        search(query);
        for (int r = 0; r < searchResults()->rowCount(); ++r) {
            for (int c = 0; c < 3; ++c) {
                const QModelIndex index = searchResults()->index(r, c);
                const int width = resultGrid()->visualRect(index).width(); // the column less its grid line
                if (checked.contains({cell(r, c), width}))
                    continue;
                checked.insert({cell(r, c), width});
                // Drawn in its column, the text looks as it does with all the room it wants,
                // and with all that room it needs no more than its column.
                const QImage inColumn = renderCell(index, width);
                const QImage unbounded = renderCell(index, width + 200);
                QImage beyond(200, inColumn.height(), QImage::Format_RGB32);
                beyond.fill(resultGrid()->palette().color(QPalette::Base));
                if (inColumn != unbounded.copy(0, 0, width, inColumn.height())
                    || unbounded.copy(width, 0, 200, inColumn.height()) != beyond)
                    cut.append(QStringLiteral("%1 in %2 px").arg(cell(r, c)).arg(width));
            }
        }
    }
    QVERIFY(checked.size() > 1000);
    QCOMPARE(cut, QStringList());
}

void TestSearchWindow::newSearchStartsAtTheFirstRow()
{
    model().loadLevel(WordLevel::Level1);
    if (!searchWindow()->isVisible()) {
        searchButton()->click();
        QVERIFY(QTest::qWaitForWindowActive(searchWindow()));
    }
    search(QStringLiteral("あ"));
    QScrollBar *down = resultGrid()->verticalScrollBar();
    QTRY_VERIFY(down->maximum() > 100);
    down->setValue(down->maximum() / 2);
    QTRY_VERIFY(resultGrid()->rowAt(0) > 0);
    search(QStringLiteral("う"));
    QVERIFY(searchResults()->rowCount() > 100);
    QCoreApplication::processEvents(); // the view lays out the new rows
    QCOMPARE(down->value(), 0);
    QCOMPARE(resultGrid()->rowAt(0), 0);
    QCOMPARE(resultGrid()->columnAt(0), 0);
}

void TestSearchWindow::japaneseInputFindsWhatTheBanksHold()
{
    auto results = [] { return searchResults()->results(); };
    model().loadLevel(WordLevel::Level4);
    search(QStringLiteral("パン"));
    const auto bread = results();
    QVERIFY(!bread.empty());
    search(QStringLiteral("ﾊﾟﾝ"));
    QCOMPARE(results(), bread);
    search(QStringLiteral("～"));
    const auto tilde = results();
    QVERIFY(!tilde.empty());
    search(QStringLiteral("〜"));
    QCOMPARE(results(), tilde);

    useFixture();
    search(QStringLiteral("z・"));
    QCOMPARE(searchResults()->rowCount(), 1);
    QCOMPARE(cell(0, 0), QStringLiteral("z·"));
    search(QStringLiteral("ｚ")); // full-width Latin is not folded
    QVERIFY(results().empty());
    search(QStringLiteral("ｶ☃")); // a character that GBK lacks still finds nothing
    QVERIFY(results().empty());
}

void TestSearchWindow::closingReturnsAndReopeningRestoresA()
{
    levelButton(WordLevel::Level3)->click();
    nextButton()->click();
    QVERIFY(openSearchWindow());
    QVERIFY(!mainWindow()->isVisible());
    searchBox()->setText(QStringLiteral("typed"));
    searchWindow()->close();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QVERIFY(!searchWindow()->isVisible());
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731")); // back on level 4, word 1
    searchButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(searchWindow()));
    QCOMPARE(searchBox()->text(), QStringLiteral("あ"));
    QVERIFY(searchResults()->rowCount() > 1);
    QCOMPARE(cell(0, 0), QStringLiteral("ああ")); // level 4's first word, not level 3's
    QCOMPARE(searchResults()->results().front(), 1);
}

QTEST_MAIN(TestSearchWindow)
#include "tst_searchwindow.moc"
