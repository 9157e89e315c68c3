#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A word text, in UTF-16. Every text of the banks also has a GBK form (code page 936), which
// the build checks; the search measures texts by it.
using WordText = std::u16string_view;

// One word: its three texts, in the order the windows show them.
struct BankEntry {
    WordText first;   // the top line
    WordText second;  // the middle line; empty only in the level-2 supplement
    WordText meaning; // the Chinese meaning

    // The second text as shown: its own, or the first text when it has none.
    WordText shownSecond() const { return second.empty() ? first : second; }
};

// A bank's words, word 1 first. The texts of all words stand back to back in one constant
// array, and each word holds where its three texts begin (the next begin ends a text):
// offsets rather than pointers, so the data stays shared, read-only memory.
class Bank
{
public:
    constexpr Bank() = default;
    constexpr Bank(const char16_t *text, const uint32_t *bounds, int32_t count, int32_t longestText)
        : m_text(text), m_bounds(bounds), m_count(count), m_longestText(longestText)
    {
    }

    constexpr int32_t size() const { return m_count; }
    // Word i + 1 (i from 0 to size() - 1).
    BankEntry operator[](int32_t i) const
    {
        const uint32_t *b = m_bounds + 3 * i;
        return {slice(b[0], b[1]), slice(b[1], b[2]), slice(b[2], b[3])};
    }
    // The length in UTF-16 units of the longest of all its texts.
    constexpr int32_t longestText() const { return m_longestText; }

private:
    WordText slice(uint32_t from, uint32_t to) const { return WordText(m_text + from, to - from); }

    const char16_t *m_text = nullptr;
    const uint32_t *m_bounds = nullptr; // 3 * count + 1 offsets
    int32_t m_count = 0;
    int32_t m_longestText = 0;
};

// The loaded bank and the cursor on its current word. It refers to the bank's constants and
// hands their texts out unchanged.
class WordStore
{
public:
    // The most words a bank may hold (the banks are checked against it when they are built).
    static constexpr int32_t Capacity = 16999;

    // The bank's words, the cursor on word 1.
    void load(const Bank &bank);

    int32_t position() const { return m_position; } // 1..count; 0 until the first load
    int32_t count() const { return m_bank.size(); } // 0 until the first load
    int32_t longestText() const { return m_bank.longestText(); }

    // Word k, 1..count; empty texts for any other k.
    BankEntry word(int32_t k) const { return k >= 1 && k <= m_bank.size() ? m_bank[k - 1] : BankEntry(); }
    BankEntry currentWord() const { return word(m_position); }

    // Both steps wrap around. On an empty store they change nothing.
    void stepNext();
    void stepPrevious();

    // "position/count" in plain decimal, "0/0" on a new store.
    std::string counterText() const;

private:
    Bank m_bank;
    int32_t m_position = 0;
};
