#include "wordsearch.h"

#include <cstring>

bool gbkContains(GbkText text, GbkText pattern)
{
    const size_t n = text.size(), m = pattern.size();
    if (m == 0 || m > n)
        return false;
    const char first = pattern[0];
    const size_t last = n - m; // the last start that leaves room for the pattern
    for (size_t i = 0; i <= last;) {
        if (text[i] == first && std::memcmp(text.data() + i, pattern.data(), m) == 0)
            return true;
        const auto byte = static_cast<unsigned char>(text[i]);
        i += (byte >= 0x81 && byte <= 0xFE) ? 2 : 1;
    }
    return false;
}

void findWords(const WordStore &store, GbkText pattern, std::vector<int32_t> &results)
{
    results.clear();
    const int32_t n = store.count;
    if (pattern.empty())
        return;
    for (int32_t i = 1; i <= n; ++i) {
        if (gbkContains(store.firstTexts[i], pattern) || gbkContains(store.secondTexts[i], pattern)
            || gbkContains(store.meanings[i], pattern))
            results.push_back(i);
    }
}
