#pragma once

#include "wordstore.h"

#include <span>

// The built-in banks, in the order of the strip window's level list.
enum class WordLevel {
    Level1,
    Level2Extra, // the level-2 supplement: reading first, written form second
    Level2,
    Level3,
    Level4,
};

inline constexpr WordLevel AllLevels[] = {WordLevel::Level1, WordLevel::Level2Extra, WordLevel::Level2,
                                          WordLevel::Level3, WordLevel::Level4};

// One word of a bank; texts are GBK constants compiled into the program.
struct BankEntry {
    GbkText first;   // goes to JMLIST
    GbkText second;  // goes to HZLIST; empty only in the level-2 supplement
    GbkText meaning; // goes to CNLIST
};

// The words of a bank, word 1 first. Generated from wordbank/data by bankgen.
std::span<const BankEntry> BankWords(WordLevel level);

// What a bank load asks of the windows. The main and strip windows implement it,
// so the word bank never needs to know them.
class WordDisplay
{
public:
    virtual void SyncStripLevel() = 0; // put the strip's level marks on the checked level
    virtual void ShowCurrentWord() = 0; // redraw the main window's word lines and counter

protected:
    ~WordDisplay() = default;
};

// Writes the bank into slots 1..n of the store, then SyncStripLevel, WDPOS := 1,
// WDTOTAL := n, ShowCurrentWord. Slots above n are left as they are.
void LoadLevelBank(WordStore &store, WordLevel level, WordDisplay &display);
