#pragma once

#include "wordstore.h"

#include <vector>

// True when the bytes of pattern appear in text starting at a character boundary of
// text (a GBK lead byte 0x81..0xFE and the byte after it are one character). Case-
// sensitive, no folding. An empty pattern occurs nowhere, and nothing occurs in an
// empty text.
bool gbkContains(GbkText text, GbkText pattern);

// The numbers of the words 1..count (read once) whose first text, else second text,
// else meaning contains pattern, in word order. results is cleared first; its capacity
// is kept, so a search allocates nothing once it has run on the largest bank.
void findWords(const WordStore &store, GbkText pattern, std::vector<int32_t> &results);
