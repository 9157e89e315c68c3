#pragma once

#include "wordstore.h"

#include <QByteArray>
#include <QString>

#include <optional>

// GBK word texts to Qt's text, for display.
QString fromGbk(GbkText text);

// The learner's text as GBK bytes; nothing when a character has no GBK form (such a
// text can occur in no word, so it must not be turned into '?' that matches others).
std::optional<QByteArray> toGbk(const QString &text);

// What a Japanese input method types where GBK has no character, folded to the characters
// the banks use: "・" to "·", "〜" to "～", half-width katakana (with their sound marks and
// punctuation) to full-width. Everything else is left as typed.
QString foldJapaneseInput(const QString &text);
