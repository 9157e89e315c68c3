#pragma once

#include "wordstore.h"

#include <cstddef>
#include <vector>

// True when pattern occurs in text, character for character: a match starts and ends on a
// character boundary, never inside a surrogate pair. Case-sensitive, no folding. An
// empty pattern occurs nowhere, and nothing occurs in an empty text.
bool containsText(WordText text, WordText pattern);

// The numbers of the words 1..count whose first text, else second text, else meaning contains
// pattern, in word order. results is cleared first; its capacity is kept, so a search
// allocates nothing once it has run on the largest bank.
void findWords(const WordStore &store, WordText pattern, std::vector<int32_t> &results);

// The bytes a text takes in GBK: one for each ASCII character, two for any other.
size_t gbkLength(WordText text);
