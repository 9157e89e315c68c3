#pragma once

#include "banksizes.h"
#include "wordstore.h"

#include <cstdint>

// The built-in banks, in the order the windows list them.
enum class WordLevel {
    Level1,
    Level2Extra, // the level-2 supplement: reading first, written form second
    Level2,
    Level3,
    Level4,
};

// The number of words of a level's bank.
constexpr int32_t bankSize(WordLevel level)
{
    return bankSizes[int(level)];
}

inline constexpr WordLevel AllLevels[] = {WordLevel::Level1, WordLevel::Level2Extra, WordLevel::Level2,
                                          WordLevel::Level3, WordLevel::Level4};

// One word of a bank; texts are GBK constants compiled into the program.
struct BankEntry {
    GbkText first;   // goes to firstTexts
    GbkText second;  // goes to secondTexts; empty only in the level-2 supplement
    GbkText meaning; // goes to meanings
};

// A bank's words, word 1 first. The texts of all words stand back to back in one
// constant byte array, and each word holds where its three texts begin (the next
// begin ends a text): offsets rather than pointers, so the program carries no
// relocations for them and the data stays shared, read-only memory.
class Bank
{
public:
    constexpr Bank(const char *text, const uint32_t *bounds, int32_t count)
        : m_text(text), m_bounds(bounds), m_count(count)
    {
    }

    int32_t size() const { return m_count; }
    BankEntry operator[](int32_t i) const
    {
        const uint32_t *b = m_bounds + 3 * i;
        return {slice(b[0], b[1]), slice(b[1], b[2]), slice(b[2], b[3])};
    }

    // Writes every word's three texts into first[i], second[i], meaning[i]; returns the
    // length in bytes of the longest of them.
    size_t writeTexts(GbkText *first, GbkText *second, GbkText *meaning) const;

private:
    GbkText slice(uint32_t from, uint32_t to) const { return GbkText(m_text + from, to - from); }

    const char *m_text;
    const uint32_t *m_bounds; // 3 * count + 1 offsets
    int32_t m_count;
};

// The words of a bank. Generated from wordbank/data by bankgen.
Bank bankWords(WordLevel level);

// What a bank load tells whoever shows it, so the word bank never needs to know the windows.
class WordDisplay
{
public:
    virtual void showLevel() = 0;       // the bank is written; the cursor has not moved yet
    virtual void showCurrentWord() = 0; // the cursor is on word 1

protected:
    ~WordDisplay() = default;
};

// Writes the bank into slots 1..n of the store, then showLevel, position := 1,
// count := n, showCurrentWord. Slots above n are left as they are.
void loadLevelBank(WordStore &store, WordLevel level, WordDisplay &display);
