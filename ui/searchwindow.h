#pragma once

#include <QWidget>

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

signals:
    void backRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void clearResults();
    void search();

    const BrowseModel &m_model;
    QLineEdit *m_searchBox;
    QPushButton *m_searchButton;
    QFrame *m_gridPanel;
    QTableView *m_resultGrid;
    SearchModel *m_results;
    std::vector<int32_t> m_found;
};
