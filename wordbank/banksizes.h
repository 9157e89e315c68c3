#pragma once

#include <cstdint>

// The number of words of each bank, in the order of WordLevel: the one table of them. The
// build reads it too (wordbank/CMakeLists.txt) and hands each count to bankgen, which fails
// when a word list holds a different number of words.
inline constexpr int32_t bankSizes[] = {8775, 4205, 2331, 554, 731};
