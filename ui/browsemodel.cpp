#include "browsemodel.h"

BrowseModel::BrowseModel(QObject *parent)
    : QObject(parent)
{
}

void BrowseModel::loadLevel(WordLevel level)
{
    m_level = level;
    loadLevelBank(m_store, level);
    emit levelChanged(level);
    emit wordChanged(WordChange::NewBank);
}

void BrowseModel::stepNext(WordChange change)
{
    m_store.stepNext();
    emit wordChanged(change);
}

void BrowseModel::stepPrevious()
{
    m_store.stepPrevious();
    emit wordChanged(WordChange::Step);
}

void BrowseModel::setStepInterval(int ms)
{
    if (ms == m_stepIntervalMs)
        return;
    m_stepIntervalMs = ms;
    emit stepIntervalChanged(ms);
}

void BrowseModel::setLineColor(const QColor &color)
{
    m_lineColor = color;
    emit lineColorChanged(color);
}

void BrowseModel::setMeaningVisible(bool visible)
{
    if (visible == m_meaningVisible)
        return;
    m_meaningVisible = visible;
    emit lineVisibilityChanged();
}

void BrowseModel::setJapaneseVisible(bool visible)
{
    if (visible == m_japaneseVisible)
        return;
    m_japaneseVisible = visible;
    emit lineVisibilityChanged();
}

void BrowseModel::enlargeText()
{
    if (m_textPoints + textPointsStep <= largestTextPoints)
        setTextPoints(m_textPoints + textPointsStep);
}

void BrowseModel::shrinkText()
{
    if (m_textPoints - textPointsStep >= smallestTextPoints)
        setTextPoints(m_textPoints - textPointsStep);
}

void BrowseModel::setTextPoints(int points)
{
    m_textPoints = points;
    emit textSizeChanged(points);
}
