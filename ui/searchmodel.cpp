#include "searchmodel.h"

#include "gbktext.h"

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
    const int32_t i = m_words[index.row()];
    switch (index.column()) {
    case 0: return fromGbk(m_store.firstTexts[i]);
    case 1: return fromGbk(m_store.secondText(i));
    case 2: return fromGbk(m_store.meanings[i]);
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
