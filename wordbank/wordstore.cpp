#include "wordstore.h"

TextColumn::TextColumn()
    : m_slots(new GbkText[WordStore::Capacity])
{
}

void WordStore::stepNext()
{
    if (count < 1)
        return;
    if (position < count)
        position = position + 1;
    else
        position = 1;
}

void WordStore::stepPrevious()
{
    if (count < 1)
        return;
    if (position < 2)
        position = count;
    else
        position = position - 1;
}

GbkText WordStore::currentFirst() const
{
    return hasCurrent() ? firstTexts[position] : GbkText();
}

GbkText WordStore::currentSecond() const
{
    if (!hasCurrent())
        return {};
    return secondText(position);
}

GbkText WordStore::currentMeaning() const
{
    return hasCurrent() ? meanings[position] : GbkText();
}

std::string WordStore::counterText() const
{
    return std::to_string(position) + "/" + std::to_string(count);
}
