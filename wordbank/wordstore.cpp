#include "wordstore.h"

TextColumn::TextColumn()
    : m_slots(new GbkText[WordStore::Capacity])
{
}

void WordStore::StepNext()
{
    if (WDTOTAL < 1)
        return;
    if (WDPOS < WDTOTAL)
        WDPOS = WDPOS + 1;
    else
        WDPOS = 1;
}

void WordStore::StepPrev()
{
    if (WDTOTAL < 1)
        return;
    if (WDPOS < 2)
        WDPOS = WDTOTAL;
    else
        WDPOS = WDPOS - 1;
}

GbkText WordStore::CurrentJm() const
{
    return hasCurrent() ? JMLIST[WDPOS] : GbkText();
}

GbkText WordStore::CurrentHz() const
{
    if (!hasCurrent())
        return {};
    const GbkText second = HZLIST[WDPOS];
    return second.empty() ? JMLIST[WDPOS] : second;
}

GbkText WordStore::CurrentCn() const
{
    return hasCurrent() ? CNLIST[WDPOS] : GbkText();
}

std::string WordStore::CounterText() const
{
    return std::to_string(WDPOS) + "/" + std::to_string(WDTOTAL);
}
