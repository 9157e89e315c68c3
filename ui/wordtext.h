#pragma once

#include "levelbanks.h"
#include "wordstore.h"

#include <QString>
#include <QStringView>

// A word text as Qt's text.
inline QString toQString(WordText text)
{
    return QStringView(text).toString();
}

// The object name of a level's control in the windows: "level2ExtraButton" for the button
// of WordLevel::Level2Extra, "level4Action" for the menu entry of WordLevel::Level4.
QString levelObjectName(WordLevel level, const char *control);

// The learner's text as a word text, viewing the string's own characters (no copy).
inline WordText toWordText(const QString &text)
{
    return WordText(reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size()));
}

// What a Japanese input method types where GBK has no character, folded to the characters
// the banks use: "・" to "·", "〜" to "～", half-width katakana (with their sound marks and
// punctuation) to full-width. Everything else is left as typed.
QString foldJapaneseInput(const QString &text);
