#include "levelbanks.h"

void LoadLevelBank(WordStore &store, WordLevel level, WordDisplay &display)
{
    const std::span<const BankEntry> words = BankWords(level);
    const auto n = static_cast<int32_t>(words.size());
    for (int32_t k = 1; k <= n; ++k) {
        const BankEntry &word = words[k - 1];
        store.JMLIST[k] = word.first;
        store.HZLIST[k] = word.second;
        store.CNLIST[k] = word.meaning;
    }
    display.SyncStripLevel();
    store.WDPOS = 1;
    store.WDTOTAL = n;
    display.ShowCurrentWord();
}
