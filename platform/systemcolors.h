#pragma once

#include <QColor>

// The platform's classic system colours and the named colours the windows use.
namespace SystemColors {
inline QColor clGradientActiveCaption() { return QColor(166, 202, 240); }
inline QColor clActiveCaption() { return QColor(10, 36, 106); }
inline QColor clWindowText() { return QColor(0, 0, 0); }
inline QColor clSkyBlue() { return QColor(166, 202, 240); }
inline QColor clNavy() { return QColor(0, 0, 128); }
inline QColor clRed() { return QColor(255, 0, 0); }
} // namespace SystemColors
