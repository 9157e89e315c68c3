#include "levelbanks.h"

#include <algorithm>

size_t Bank::writeTexts(GbkText *first, GbkText *second, GbkText *meaning) const
{
    const uint32_t *b = m_bounds;
    size_t longest = 0;
    for (int32_t i = 0; i < m_count; ++i, b += 3) {
        first[i] = slice(b[0], b[1]);
        second[i] = slice(b[1], b[2]);
        meaning[i] = slice(b[2], b[3]);
        longest = std::max({longest, first[i].size(), second[i].size(), meaning[i].size()});
    }
    return longest;
}

void loadLevelBank(WordStore &store, WordLevel level, WordDisplay &display)
{
    const Bank words = bankWords(level);
    const int32_t n = words.size();
    store.longestText = words.writeTexts(&store.firstTexts[1], &store.secondTexts[1], &store.meanings[1]);
    display.showLevel();
    store.position = 1;
    store.count = n;
    display.showCurrentWord();
}
