#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class BrowseModel;
class QFrame;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchModel;

// The search window: every word of the loaded bank whose texts contain the search text.
class SearchWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SearchWindow(const BrowseModel &model, QWidget *parent = nullptr);

    // The grid's pixel width of column c (0 when nothing shown in it needs room).
    int columnWidth(int c) const { return m_widths[c]; }

signals:
    void backRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void clearResults();
    void search();
    void setColumnWidth(int c, int width);

    const BrowseModel &m_model;
    QLineEdit *m_searchBox;
    QPushButton *m_searchButton;
    QFrame *m_gridPanel;
    QTableView *m_resultGrid;
    SearchModel *m_results;
    std::array<int, 3> m_widths{};
    std::vector<int32_t> m_found;
};
