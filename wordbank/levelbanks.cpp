#include "levelbanks.h"

void loadLevelBank(WordStore &store, WordLevel level)
{
    store.load(bankWords(level));
}
