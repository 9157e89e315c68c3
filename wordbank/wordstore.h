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

    TextColumn JMLIST; // first text of each word (top line)
    TextColumn HZLIST; // second text; empty means "show the first text"
    TextColumn CNLIST; // Chinese meaning
    int32_t WDPOS = 0;   // current word, 1..WDTOTAL; 0 until the first load
    int32_t WDTOTAL = 0; // words of the loaded bank; 0 until the first load

    // Both steps wrap around. On an empty store they change nothing.
    void StepNext();
    void StepPrev();

    // The current word's texts; empty texts while nothing is loaded.
    GbkText CurrentJm() const;
    GbkText CurrentHz() const; // the second text, or the first when the second is empty
    GbkText CurrentCn() const;

    // "WDPOS/WDTOTAL" in plain decimal, "0/0" on a new store.
    std::string CounterText() const;

private:
    bool hasCurrent() const { return WDTOTAL >= 1 && WDPOS >= 1 && WDPOS <= WDTOTAL; }
};
