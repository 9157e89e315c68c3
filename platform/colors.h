#pragma once

#include <QColor>

// The colours the windows are drawn in, named for what they are for.
namespace Colors {
inline const QColor windowBackground{166, 202, 240}; // every window's own background
inline const QColor panelBackground{166, 202, 240};  // the light-blue panels and the strip's line
inline const QColor wordText{0, 0, 0};                // word texts and other plain texts
inline const QColor meaningText{0, 0, 128};           // the meaning line, navy
// Pixels of a key colour are see-through. The strip's bar bitmap marks what surrounds the bar
// in the strip key; the main window's word lines become see-through where the learner colours
// them in the main key.
inline const QColor stripKey{255, 0, 0};
inline const QColor mainWindowKey{10, 36, 106};
} // namespace Colors
