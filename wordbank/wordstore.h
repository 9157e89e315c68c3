#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// A word text: GBK bytes (code page 936). The store never converts, compares or trims
// texts; it refers to the bank constants and hands them out unchanged.
using GbkText = std::string_view;

// One column of word texts, slots numbered 1 to WordStore::Capacity (there is no slot 0).
class TextColumn
{
public:
    TextColumn();

    GbkText operator[](int32_t k) const { return m_slots[k - 1]; }
    GbkText &operator[](int32_t k) { return m_slots[k - 1]; }

private:
    std::unique_ptr<GbkText[]> m_slots;
};

// The words of the loaded bank and the cursor on the current word.
class WordStore
{
public:
    static constexpr int32_t Capacity = 16999;

    TextColumn firstTexts; // first text of each word (top line)
    TextColumn secondTexts; // second text; empty means "show the first text"
    TextColumn meanings; // Chinese meaning
    int32_t position = 0; // current word, 1..count; 0 until the first load
    int32_t count = 0;    // words of the loaded bank; 0 until the first load
    size_t longestText = 0; // bytes of the longest text of words 1..count, as the load finds it

    // Both steps wrap around. On an empty store they change nothing.
    void stepNext();
    void stepPrevious();

    // Word k's second text as shown: its own, or the first text when it has none.
    GbkText secondText(int32_t k) const { return secondTexts[k].empty() ? firstTexts[k] : secondTexts[k]; }

    // The current word's texts; empty texts while nothing is loaded.
    GbkText currentFirst() const;
    GbkText currentSecond() const; // the second text, or the first when the second is empty
    GbkText currentMeaning() const;

    // "position/count" in plain decimal, "0/0" on a new store.
    std::string counterText() const;

private:
    bool hasCurrent() const { return count >= 1 && position >= 1 && position <= count; }
};
