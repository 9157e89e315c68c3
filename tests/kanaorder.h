#pragma once

#include <QList>
#include <QString>

// Sort key of a kana reading in the order of the Japanese syllabary: voiced and
// semi-voiced kana sort with their plain forms, small kana as large, katakana as
// hiragana, and the long-vowel mark as the vowel it lengthens.
QList<int> kanaSortKey(const QString &reading);

// Katakana to hiragana; everything else unchanged.
QString toHiragana(const QString &text);

// Hiragana, katakana and the long-vowel mark only.
bool isKana(const QString &text);
