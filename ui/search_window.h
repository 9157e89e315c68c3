#pragma once

#include "searchmodel.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QWidget>

#include <array>
#include <vector>

// The search window: every word of the loaded bank whose texts contain the search text.
class TForm3 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm3(QWidget *parent = nullptr);

    QLineEdit *BOX;
    QPushButton *Button1;
    QFrame *Panel1;
    QTableView *GRD;
    SearchModel *Model;

    // The grid's pixel width of column c (0 when nothing shown in it needs room).
    int columnWidth(int c) const { return m_widths[c]; }

    void clearSearchGrid();

    void FormShow();
    void Button1Click();
    void FormActivate() {}

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void setColumnWidth(int c, int width);
    void returnToMain();

    std::array<int, 3> m_widths{};
    std::vector<int32_t> m_found;
};

extern TForm3 *Form3;
