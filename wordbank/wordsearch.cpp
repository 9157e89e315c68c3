#include "wordsearch.h"

#include <algorithm>

bool containsText(WordText text, WordText pattern)
{
    return !pattern.empty() && text.find(pattern) != WordText::npos;
}

void findWords(const WordStore &store, WordText pattern, std::vector<int32_t> &results)
{
    results.clear();
    if (pattern.empty())
        return;
    const int32_t n = store.count();
    for (int32_t i = 1; i <= n; ++i) {
        const BankEntry word = store.word(i);
        if (containsText(word.first, pattern) || containsText(word.second, pattern)
            || containsText(word.meaning, pattern))
            results.push_back(i);
    }
}

size_t gbkLength(WordText text)
{
    return 2 * text.size() - size_t(std::count_if(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }));
}
