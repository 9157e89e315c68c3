// The search: the substring test over the store's texts, and the window over the loaded bank.

#include "windowsfixture.h"
#include "wordtext.h"
#include "wordsearch.h"

#include <QClipboard>
#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QStringEncoder>

#include <cstdlib>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(WordLevel)

class TestSearchWindow : public QObject
{
    Q_OBJECT

private slots:
    void substring_data();
    void substring();
    void foldJapaneseInput_data();
    void foldJapaneseInput();
    void findsWhatTheTextsContain_data();
    void findsWhatTheTextsContain();
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
    void textsReadAgainstTheirCells();
    void newSearchStartsAtTheTopLeft_data();
    void newSearchStartsAtTheTopLeft();
    void japaneseInputFindsWhatTheBanksHold();
    void closingReturnsAndReopeningRestoresA();
    void reopeningSearchesTheBankLoadedNow();
    void gridInputChangesNothing_data();
    void gridInputChangesNothing();
    void openingFocusesTheBoxTextSelected_data();
    void openingFocusesTheBoxTextSelected();
    void escapeClosesLikeTheCloseBox_data();
    void escapeClosesLikeTheCloseBox();

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
    // A match is one of whole characters. The store holds UTF-16, and in memory (little-endian)
    // "上一" is 0A 4E 00 4E: the bytes of "N", 4E 00, stand across its two characters. A search
    // that compared bytes found "N" in level 4's 去年 ("去年，上一年") and 違う ("不一样").
    QTest::newRow("whole character") << QStringLiteral("あい") << QStringLiteral("い") << true;
    QTest::newRow("N across 上一") << QStringLiteral("去年，上一年") << QStringLiteral("N") << false;
    QTest::newRow("N across 不一") << QStringLiteral("不同，不一样") << QStringLiteral("N") << false;
    QTest::newRow("N as a character") << QStringLiteral("上一N") << QStringLiteral("N") << true;
    // "一丁七" is 00 4E 01 4E 03 4E; U+014E U+034E is 4E 01 4E 03, across all three.
    QTest::newRow("two units across three characters") << QStringLiteral("一丁七") << QString::fromUtf16(u"\u014E\u034E")
                                                       << false;
    // A character beyond the basic plane takes two code units: a half of it is no match.
    QTest::newRow("second half of a pair") << QString::fromUcs4(U"a\U00020B9F") << QString(QChar(0xDF9F)) << false;
    QTest::newRow("first half of a pair") << QString::fromUcs4(U"\U00020B9Fa") << QString(QChar(0xD842)) << false;
    QTest::newRow("whole pair") << QString::fromUcs4(U"a\U00020B9Fa") << QString::fromUcs4(U"\U00020B9F") << true;
    QTest::newRow("lone half as itself") << QString::fromUtf16(u"x\xDF9F") << QString(QChar(0xDF9F)) << true;
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

// The numbers of the words of a bank one of whose texts holds pattern, found the plain way.
static std::vector<int32_t> wordsContaining(WordLevel level, const QString &pattern)
{
    std::vector<int32_t> found;
    const Bank words = bankWords(level);
    for (int32_t i = 0; i < words.size(); ++i) {
        const BankEntry e = words[i];
        if (toQString(e.first).contains(pattern) || toQString(e.second).contains(pattern)
            || toQString(e.meaning).contains(pattern))
            found.push_back(i + 1);
    }
    return found;
}

void TestSearchWindow::findsWhatTheTextsContain_data()
{
    QTest::addColumn<WordLevel>("level");
    for (WordLevel level : AllLevels)
        QTest::newRow(bankInfo(level).name) << level;
}

// Over every bank, each printable ASCII character and a few others find exactly the words
// whose texts hold them: none of the false hits where a character's code units, read as
// bytes, happen to hold the pattern's.
void TestSearchWindow::findsWhatTheTextsContain()
{
    QFETCH(WordLevel, level);
    WordStore store;
    loadLevelBank(store, level);
    QStringList patterns{QStringLiteral("あ"), QStringLiteral("一"), QStringLiteral("，"), QStringLiteral("～")};
    for (char16_t c = 0x20; c < 0x7F; ++c)
        patterns.append(QChar(c));
    std::vector<int32_t> found;
    for (const QString &pattern : std::as_const(patterns)) {
        findWords(store, toWordText(pattern), found);
        QVERIFY2(found == wordsContaining(level, pattern),
                 qPrintable(QStringLiteral("\"%1\": %2 words found").arg(pattern).arg(found.size())));
    }
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
    // The text as typed, blanks and all: no text of the fixture holds a blank.
    QTest::newRow("trailing blank") << QStringLiteral("x ");
    QTest::newRow("leading blank") << QStringLiteral(" x");
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
    // Tab goes into the grid and out of it again, round to the box; Shift+Tab goes back.
    QCOMPARE(tabWalk(searchBox(), 3), (QList<QWidget *>{searchBox(), resultGrid(), runSearchButton(), searchBox()}));
    resultGrid()->setFocus();
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(searchBox()));
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

// The colour the text of a cell is drawn in, as the grid shows it: of the colours that
// differ from the cell's own (its most common), the one farthest from it.
static QColor inkOf(const QImage &cell)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            ++counts[cell.pixel(x, y)];
    QRgb background = counts.constBegin().key();
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    const auto distance = [background](QRgb c) {
        return std::abs(qRed(c) - qRed(background)) + std::abs(qGreen(c) - qGreen(background))
            + std::abs(qBlue(c) - qBlue(background));
    };
    QRgb ink = background;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        if (distance(it.key()) > distance(ink))
            ink = it.key();
    return QColor(ink);
}

static bool near(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 60;
}

// Results are drawn in the text colour on the grid, and a selected cell in the highlighted
// text colour on the highlight: white text on the light grid could hardly be read.
void TestSearchWindow::textsReadAgainstTheirCells()
{
    model().loadLevel(WordLevel::Level4);
    QVERIFY(openSearchWindow());
    search(QStringLiteral("青い"));
    QVERIFY(searchResults()->rowCount() >= 1);
    QTableView *grid = resultGrid();
    const QModelIndex selected = searchResults()->index(0, 0);
    const QModelIndex unselected = searchResults()->index(0, 2);
    grid->selectionModel()->select(selected, QItemSelectionModel::ClearAndSelect);
    QVERIFY(!grid->selectionModel()->isSelected(unselected));
    const QPalette palette = grid->palette();
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor highlightedText = palette.color(QPalette::Active, QPalette::HighlightedText);
    QVERIFY(!near(text, highlightedText)); // else the check below could not tell them apart

    const QColor plainInk = inkOf(grid->viewport()->grab(grid->visualRect(unselected)).toImage());
    QVERIFY2(near(plainInk, text), qPrintable(plainInk.name() + QStringLiteral(" for ") + text.name()));
#ifndef Q_OS_WIN
    // Windows' own style draws a selected cell's text in the plain text colour, whatever colour
    // the cell asks for (as seen under Wine).
    const QColor selectedInk = inkOf(grid->viewport()->grab(grid->visualRect(selected)).toImage());
    QVERIFY2(near(selectedInk, highlightedText), qPrintable(selectedInk.name() + QStringLiteral(" for ") + highlightedText.name()));
#endif
}

void TestSearchWindow::newSearchStartsAtTheTopLeft_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("next");
    // The same columns again, so that their widths leave the scroll where it was.
    QTest::newRow("same search again") << QStringLiteral("的") << QStringLiteral("的");
    QTest::newRow("another search") << QStringLiteral("的") << QStringLiteral("人");
}

// Scrolled down and right through the results of one search, the learner searches again: the
// new results start at their first row and with their first column whole, not cut off.
void TestSearchWindow::newSearchStartsAtTheTopLeft()
{
    QFETCH(QString, first);
    QFETCH(QString, next);
    model().loadLevel(WordLevel::Level1);
    QVERIFY(openSearchWindow());
    search(first);
    QScrollBar *down = resultGrid()->verticalScrollBar();
    QScrollBar *across = resultGrid()->horizontalScrollBar();
    QTRY_VERIFY(down->maximum() > 100);
    QTRY_VERIFY(across->maximum() > 0); // the meanings run past the grid's right edge
    down->setValue(down->maximum() / 2);
    across->setValue(across->maximum());
    QTRY_VERIFY(resultGrid()->rowAt(0) > 0);
    QTRY_VERIFY(resultGrid()->columnViewportPosition(0) < 0);
    search(next);
    QVERIFY(searchResults()->rowCount() > 100);
    QCoreApplication::processEvents(); // the view lays out the new rows and columns
    QCOMPARE(down->value(), 0);
    QCOMPARE(resultGrid()->rowAt(0), 0);
    QCOMPARE(across->value(), 0);
    QCOMPARE(resultGrid()->columnViewportPosition(0), 0);
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

// Opened over level 3, closed with the box untouched, and opened again over level 4 (where
// the main window always comes back to): the rows are level 4's words with "あ" (44 of them
// against level 3's 28), not the last search's.
void TestSearchWindow::reopeningSearchesTheBankLoadedNow()
{
    levelButton(WordLevel::Level3)->click();
    QVERIFY(openSearchWindow());
    const std::vector<int32_t> level3 = wordsContaining(WordLevel::Level3, QStringLiteral("あ"));
    const std::vector<int32_t> level4 = wordsContaining(WordLevel::Level4, QStringLiteral("あ"));
    QVERIFY(level3.size() != level4.size());
    QCOMPARE(searchResults()->results(), level3);
    QCOMPARE(searchResults()->rowCount(), int(level3.size()));
    searchWindow()->close();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731"));
    QCOMPARE(searchBox()->text(), QStringLiteral("あ")); // still "あ" while hidden
    searchButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(searchWindow()));
    QCOMPARE(searchBox()->text(), QStringLiteral("あ"));
    QCOMPARE(searchResults()->results(), level4);
    QCOMPARE(searchResults()->rowCount(), int(level4.size()));
    QCOMPARE(cell(int(level4.size()) - 1, 0), toQString(store().word(level4.back()).first));
}

enum class GridInput { Click, DoubleClick, RightClick, Key };
Q_DECLARE_METATYPE(GridInput)

void TestSearchWindow::gridInputChangesNothing_data()
{
    QTest::addColumn<GridInput>("input");
    QTest::addColumn<int>("key");
    QTest::newRow("click") << GridInput::Click << 0;
    QTest::newRow("double click") << GridInput::DoubleClick << 0;
    QTest::newRow("right click") << GridInput::RightClick << 0;
    QTest::newRow("Return") << GridInput::Key << int(Qt::Key_Return);
    QTest::newRow("Enter") << GridInput::Key << int(Qt::Key_Enter);
    QTest::newRow("Space") << GridInput::Key << int(Qt::Key_Space);
    QTest::newRow("F2") << GridInput::Key << int(Qt::Key_F2);
    QTest::newRow("Delete") << GridInput::Key << int(Qt::Key_Delete);
    QTest::newRow("a letter") << GridInput::Key << int(Qt::Key_A);
    QTest::newRow("Down") << GridInput::Key << int(Qt::Key_Down);
}

// The grid is for reading: whatever the learner does in it, the search window stays, the
// word and the bank stay, and so do the box and the rows.
void TestSearchWindow::gridInputChangesNothing()
{
    QFETCH(GridInput, input);
    QFETCH(int, key);
    levelButton(WordLevel::Level3)->click();
    nextButton()->click();
    nextButton()->click();
    const QString counter = counterLabel()->text();
    QCOMPARE(counter, QStringLiteral("3/554"));
    const BankEntry word = store().currentWord();
    QVERIFY(openSearchWindow());
    const std::vector<int32_t> rows = searchResults()->results();
    QVERIFY(rows.size() > 2);
    const QPoint second = resultGrid()->visualRect(searchResults()->index(1, 0)).center();
    switch (input) {
    case GridInput::Click:
        QTest::mouseClick(resultGrid()->viewport(), Qt::LeftButton, {}, second);
        break;
    case GridInput::DoubleClick:
        // As a mouse gives it: press, release, then the second press as a double click.
        QTest::mouseClick(resultGrid()->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(resultGrid()->viewport(), Qt::LeftButton, {}, second);
        break;
    case GridInput::RightClick:
        QTest::mouseClick(resultGrid()->viewport(), Qt::RightButton, {}, second);
        break;
    case GridInput::Key:
        QTest::mouseClick(resultGrid()->viewport(), Qt::LeftButton, {}, second);
        QTest::keyClick(resultGrid(), Qt::Key(key));
        break;
    }
    QTest::qWait(50); // anything queued by the input runs
    QVERIFY(searchWindow()->isVisible());
    QVERIFY(!mainWindow()->isVisible());
    QCOMPARE(QApplication::activeWindow(), searchWindow());
    QCOMPARE(searchBox()->text(), QStringLiteral("あ"));
    QCOMPARE(searchResults()->results(), rows);
    QCOMPARE(store().count(), 554);
    QCOMPARE(store().position(), 3);
    QVERIFY(store().currentWord().first == word.first);
    QCOMPARE(counterLabel()->text(), counter);
}

void TestSearchWindow::openingFocusesTheBoxTextSelected_data()
{
    QTest::addColumn<QString>("focusedBefore"); // when the window was last closed
    QTest::newRow("first opening") << QString();
    QTest::newRow("the search button") << QStringLiteral("searchButton");
    QTest::newRow("the grid") << QStringLiteral("resultGrid");
    QTest::newRow("the box, text typed") << QStringLiteral("searchBox");
}

// Every opening puts the focus in the box with its "あ" selected: what the learner types
// replaces it, and "查 询" then finds that.
void TestSearchWindow::openingFocusesTheBoxTextSelected()
{
    QFETCH(QString, focusedBefore);
    QVERIFY(openSearchWindow());
    if (!focusedBefore.isEmpty()) {
        QWidget *focused = control<QWidget>(searchWindow(), qPrintable(focusedBefore));
        focused->setFocus();
        QTest::keyClicks(focused, QStringLiteral("x"));
        if (focused == runSearchButton())
            QTest::mouseClick(runSearchButton(), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), focused);
        searchWindow()->close();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
        QVERIFY(openSearchWindow());
    }
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(searchBox()));
    QCOMPARE(searchBox()->text(), QStringLiteral("あ"));
    QCOMPARE(searchBox()->selectedText(), QStringLiteral("あ"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ok"));
    QCOMPARE(searchBox()->text(), QStringLiteral("ok"));
    runSearchButton()->click();
    QCOMPARE(searchResults()->results(), wordsContaining(WordLevel::Level4, QStringLiteral("ok")));
}

void TestSearchWindow::escapeClosesLikeTheCloseBox_data()
{
    QTest::addColumn<QString>("focused");
    QTest::newRow("in the box") << QStringLiteral("searchBox");
    QTest::newRow("in the grid") << QStringLiteral("resultGrid");
    QTest::newRow("on the button") << QStringLiteral("searchButton");
}

// Esc closes the search window wherever the focus is, as its close box does: back to the
// main window, which enters again at word 1 of level 4.
void TestSearchWindow::escapeClosesLikeTheCloseBox()
{
    QFETCH(QString, focused);
    levelButton(WordLevel::Level3)->click();
    nextButton()->click();
    QVERIFY(openSearchWindow());
    QWidget *widget = control<QWidget>(searchWindow(), qPrintable(focused));
    widget->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), widget);
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Escape);
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QVERIFY(!searchWindow()->isVisible());
    QCOMPARE(counterLabel()->text(), QStringLiteral("1/731"));
    QVERIFY(levelButton(WordLevel::Level4)->isChecked());
}

QTEST_MAIN(TestSearchWindow)
#include "tst_searchwindow.moc"
