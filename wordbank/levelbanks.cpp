#include "levelbanks.h"

void Bank::WriteTexts(GbkText *first, GbkText *second, GbkText *meaning) const
{
    const uint32_t *b = m_bounds;
    for (int32_t i = 0; i < m_count; ++i, b += 3) {
        first[i] = slice(b[0], b[1]);
        second[i] = slice(b[1], b[2]);
        meaning[i] = slice(b[2], b[3]);
    }
}

void LoadLevelBank(WordStore &store, WordLevel level, WordDisplay &display)
{
    const Bank words = BankWords(level);
    const int32_t n = words.size();
    words.WriteTexts(&store.JMLIST[1], &store.HZLIST[1], &store.CNLIST[1]);
    display.SyncStripLevel();
    store.WDPOS = 1;
    store.WDTOTAL = n;
    display.ShowCurrentWord();
}
