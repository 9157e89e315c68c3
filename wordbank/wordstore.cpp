#include "wordstore.h"

void WordStore::load(const Bank &bank)
{
    m_bank = bank;
    m_position = bank.size() > 0 ? 1 : 0;
}

void WordStore::stepNext()
{
    if (count() < 1)
        return;
    m_position = m_position < count() ? m_position + 1 : 1;
}

void WordStore::stepPrevious()
{
    if (count() < 1)
        return;
    m_position = m_position > 1 ? m_position - 1 : count();
}

std::string WordStore::counterText() const
{
    return std::to_string(m_position) + "/" + std::to_string(count());
}
