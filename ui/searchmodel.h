#pragma once

#include "wordstore.h"

#include <QAbstractTableModel>

#include <vector>

// The search grid's cells: result rows read the store's texts directly, by word number,
// so nothing is copied. Column 1 shows the first text where the second is empty.
class SearchModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    SearchModel(const WordStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // One empty row (the grid's cleared state).
    void clear();
    // The words found, as numbers into the store; the grid then shows exactly these rows.
    void setResults(const std::vector<int32_t> &words);

    const std::vector<int32_t> &results() const { return m_words; }

private:
    const WordStore &m_store;
    std::vector<int32_t> m_words;
    int m_emptyRows;
};
