#include "search_window.h"

#include "activation.h"
#include "colors.h"
#include "controls.h"
#include "fonts.h"
#include "gbktext.h"
#include "main_window.h"
#include "searchcells.h"
#include "windowplacement.h"
#include "wordsearch.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollBar>

#include <limits>

TForm3 *Form3 = nullptr;

TForm3::TForm3(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("在当前词库中查找单词"));
    setFixedSize(801, 257);
    setFont(Fonts::controlFont());
    setBackground(this, Colors::windowBackground);

    BOX = new QLineEdit(this);
    BOX->setGeometry(8, 8, 713, 25);
    BOX->setToolTip(QStringLiteral("请输入要查找的单词"));
    BOX->setMaxLength(std::numeric_limits<int>::max());

    Button1 = makeButton(this, QStringLiteral("查 询"), {718, 6, 74, 28}); // Enter in the box presses nothing

    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 32, 785, 217);
    setBackground(Panel1, Colors::panelBackground);

    Model = new SearchModel(Form1->Store, this);
    GRD = new QTableView(Panel1);
    GRD->setGeometry(1, 1, 783, 215);
    // Header sizes first: the model brings 16999 rows, and each would otherwise be sized.
    for (QHeaderView *header : {GRD->horizontalHeader(), GRD->verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(0);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    GRD->verticalHeader()->setDefaultSectionSize(24);
    GRD->setModel(Model);
    GRD->setItemDelegate(new SearchCellDelegate(GRD)); // whole texts in 9 px a byte
    GRD->setFont(Fonts::fontPx(Fonts::Mincho, 16));
    GRD->setShowGrid(true);
    GRD->setWordWrap(false);
    GRD->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    GRD->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    GRD->setSelectionMode(QAbstractItemView::ContiguousSelection);
    GRD->setSelectionBehavior(QAbstractItemView::SelectItems);
    GRD->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setBackground(GRD->viewport(), Colors::windowBackground);
    QPalette palette = GRD->palette();
    palette.setColor(QPalette::Base, Colors::windowBackground);
    palette.setColor(QPalette::Text, Colors::wordText);
    GRD->setPalette(palette);
    for (int c = 0; c < 3; ++c)
        setColumnWidth(c, 0);

    setTabOrder(BOX, GRD);
    setTabOrder(GRD, Button1);

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    Activation::instance().watch(this, [this] { FormActivate(); });
}

void TForm3::setColumnWidth(int c, int width)
{
    m_widths[c] = width;
    GRD->setColumnWidth(c, width);
}

void TForm3::clearSearchGrid()
{
    Model->clear();
    for (int c = 0; c < 3; ++c)
        setColumnWidth(c, 0);
}

void TForm3::Button1Click()
{
    clearSearchGrid();
    // A new result set starts at its first row and column, not where the last was scrolled to.
    GRD->scrollToTop();
    GRD->horizontalScrollBar()->setValue(0);
    const std::optional<QByteArray> text = toGbk(foldJapaneseInput(BOX->text()));
    if (!text)
        return; // a character without a GBK form occurs in no word
    const WordStore &store = Form1->Store;
    findWords(store, GbkText(text->constData(), size_t(text->size())), m_found);
    if (m_found.empty())
        return;

    // Each column is as wide as 9 pixels a byte of its longest text.
    size_t longest[3] = {0, 0, 0};
    for (int32_t i : m_found) {
        const GbkText second = store.secondText(i);
        longest[0] = std::max(longest[0], store.firstTexts[i].size());
        longest[1] = std::max(longest[1], second.size());
        longest[2] = std::max(longest[2], store.meanings[i].size());
    }
    Model->setResults(m_found);
    for (int c = 0; c < 3; ++c)
        setColumnWidth(c, int(9 * longest[c]));
}

void TForm3::FormShow()
{
    BOX->setText(QStringLiteral("あ"));
    Button1Click();
}

void TForm3::returnToMain()
{
    hide();
    showWindow(Form1);
}

void TForm3::closeEvent(QCloseEvent *event)
{
    returnToMain();
    event->accept();
}

void TForm3::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        centreOnScreen(this);
        FormShow();
    }
    QWidget::showEvent(event);
}
