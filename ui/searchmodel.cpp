#include "searchmodel.h"

#include "wordtext.h"

SearchModel::SearchModel(const WordStore &store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
    , m_emptyRows(WordStore::Capacity)
{
    m_words.reserve(WordStore::Capacity);
}

int SearchModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_words.empty() ? m_emptyRows : int(m_words.size());
}

int SearchModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant SearchModel::data(const QModelIndex &index, int role) const
{
    // An invalid index (a view asking about the empty area beside the columns) and the
    // empty rows of a grid without results have no text.
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= int(m_words.size()))
        return {};
    const BankEntry word = m_store.word(m_words[index.row()]);
    switch (index.column()) {
    case 0: return toQString(word.first);
    case 1: return toQString(word.shownSecond());
    case 2: return toQString(word.meaning);
    }
    return {};
}

void SearchModel::clear()
{
    beginResetModel();
    m_words.clear();
    m_emptyRows = 1;
    endResetModel();
}

void SearchModel::setResults(const std::vector<int32_t> &words)
{
    beginResetModel();
    m_words.assign(words.begin(), words.end());
    m_emptyRows = 1;
    endResetModel();
}
