#include "wordsearch.h"

#include <algorithm>

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

} // namespace

bool containsText(WordText text, WordText pattern)
{
    // A plain loop: for these short texts it is some three times faster than
    // u16string_view::find, whose every call goes through char_traits.
    const size_t n = text.size(), m = pattern.size();
    if (m == 0 || m > n)
        return false;
    const char16_t first = pattern[0];
    const char16_t *t = text.data();
    // A match takes whole characters: it neither starts on the second half of a surrogate
    // pair nor ends on the first half of one. Only a pattern that begins or ends with a half
    // can do either, so only such a pattern pays for the checks.
    const bool cutsAtStart = isLowSurrogate(first), cutsAtEnd = isHighSurrogate(pattern[m - 1]);
    for (size_t i = 0, last = n - m; i <= last; ++i)
        if (t[i] == first && std::equal(pattern.begin() + 1, pattern.end(), t + i + 1)
            && !(cutsAtStart && i > 0 && isHighSurrogate(t[i - 1]))
            && !(cutsAtEnd && i + m < n && isLowSurrogate(t[i + m])))
            return true;
    return false;
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
