#pragma once

#include "prompts.h"

#include <QDialog>

class BrowseModel;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

// Browse settings, shown modally over the main window: the speed of both step timers, the
// colour of the word lines and which lines are visible. It changes them on the model.
class SettingsWindow : public QDialog
{
    Q_OBJECT

public:
    SettingsWindow(BrowseModel &model, UserPrompts &prompts, QWidget *parent = nullptr);

    // The colour the colour chooser opens on: the one chosen last, black at first.
    QColor lastChosenColor() const { return m_colorChooser.color; }

private:
    void setSpeed(int position);
    void chooseLineColor();

    BrowseModel &m_model;
    ColorChooser m_colorChooser;
    QLabel *m_speedLabel;
    QSlider *m_speedSlider;
    QPushButton *m_colorButton;
    QCheckBox *m_meaningVisibleBox;
    QCheckBox *m_japaneseVisibleBox;
    QPushButton *m_doneButton;
};
