#include "searchwindow.h"

#include "browsemodel.h"
#include "colors.h"
#include "controls.h"
#include "fonts.h"
#include "searchcells.h"
#include "searchmodel.h"
#include "wordtext.h"
#include "wordsearch.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include <limits>

namespace {

constexpr struct {
    QSize window{801, 257};
    QRect searchBox{8, 8, 713, 25};
    QRect searchButton{718, 6, 74, 28};
    QRect gridPanel{8, 32, 785, 217};
    QRect resultGrid{1, 1, 783, 215}; // in the panel
} rects;

} // namespace

SearchWindow::SearchWindow(const BrowseModel &model, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_model(model)
{
    setObjectName(QStringLiteral("searchWindow"));
    setWindowTitle(QStringLiteral("在当前词库中查找单词"));
    setFixedSize(rects.window);
    setFont(Fonts::controlFont());
    setBackground(this, Colors::windowBackground);

    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName(QStringLiteral("searchBox"));
    m_searchBox->setGeometry(rects.searchBox);
    m_searchBox->setToolTip(QStringLiteral("请输入要查找的单词"));
    m_searchBox->setMaxLength(std::numeric_limits<int>::max());

    m_searchButton = makeButton(this, QStringLiteral("查 询"), rects.searchButton); // Enter in the box presses nothing
    m_searchButton->setObjectName(QStringLiteral("searchButton"));

    m_gridPanel = new QFrame(this);
    m_gridPanel->setObjectName(QStringLiteral("gridPanel"));
    m_gridPanel->setGeometry(rects.gridPanel);
    setBackground(m_gridPanel, Colors::panelBackground);

    m_results = new SearchModel(m_model.store(), this);
    m_results->setObjectName(QStringLiteral("searchResults"));
    m_resultGrid = new QTableView(m_gridPanel);
    m_resultGrid->setObjectName(QStringLiteral("resultGrid"));
    m_resultGrid->setGeometry(rects.resultGrid);
    // Header sizes first: the model brings 16999 rows, and each would otherwise be sized.
    for (QHeaderView *header : {m_resultGrid->horizontalHeader(), m_resultGrid->verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(0);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    m_resultGrid->verticalHeader()->setDefaultSectionSize(24);
    m_resultGrid->setModel(m_results);
    m_resultGrid->setItemDelegate(new SearchCellDelegate(m_resultGrid)); // whole texts in 9 px a byte
    m_resultGrid->setFont(Fonts::fontPx(Fonts::Mincho, 16));
    m_resultGrid->setShowGrid(true);
    m_resultGrid->setWordWrap(false);
    m_resultGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_resultGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_resultGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_resultGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_resultGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setBackground(m_resultGrid->viewport(), Colors::windowBackground);
    QPalette palette = m_resultGrid->palette();
    palette.setColor(QPalette::Base, Colors::windowBackground);
    palette.setColor(QPalette::Text, Colors::wordText);
    m_resultGrid->setPalette(palette);
    for (int c = 0; c < 3; ++c)
        m_resultGrid->setColumnWidth(c, 0);

    setTabOrder(m_searchBox, m_resultGrid);
    setTabOrder(m_resultGrid, m_searchButton);

    connect(m_searchButton, &QPushButton::clicked, this, &SearchWindow::search);
}

void SearchWindow::clearResults()
{
    m_results->clear();
    for (int c = 0; c < 3; ++c)
        m_resultGrid->setColumnWidth(c, 0);
}

void SearchWindow::search()
{
    clearResults();
    // A new result set starts at its first row and column, not where the last was scrolled to.
    m_resultGrid->scrollToTop();
    m_resultGrid->horizontalScrollBar()->setValue(0);
    // A query longer than the longest text of the bank finds nothing: folding joins at most
    // two characters into one, so a pasted page is not even folded. (A character with no GBK
    // form finds nothing either: every text of the banks has one.)
    const WordStore &store = m_model.store();
    const QString query = m_searchBox->text();
    if (query.size() > 2 * qsizetype(store.longestText()))
        return;
    const QString folded = foldJapaneseInput(query);
    if (folded.size() > qsizetype(store.longestText()))
        return;
    findWords(store, toWordText(folded), m_found);
    if (m_found.empty())
        return;

    // Each column is as wide as 9 pixels for each byte its longest text takes in GBK.
    size_t longest[3] = {0, 0, 0};
    for (int32_t i : m_found) {
        const BankEntry word = store.word(i);
        longest[0] = std::max(longest[0], gbkLength(word.first));
        longest[1] = std::max(longest[1], gbkLength(word.shownSecond()));
        longest[2] = std::max(longest[2], gbkLength(word.meaning));
    }
    m_results->setResults(m_found);
    for (int c = 0; c < 3; ++c)
        m_resultGrid->setColumnWidth(c, int(9 * longest[c]));
}

void SearchWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit backRequested();
}

void SearchWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        // Every opening starts with the words that contain "あ".
        m_searchBox->setText(QStringLiteral("あ"));
        search();
    }
    QWidget::showEvent(event);
}
