#include "wordtext.h"

QString levelObjectName(WordLevel level, const char *control)
{
    QString name = QLatin1String(bankInfo(level).name) + QLatin1String(control);
    name[0] = name[0].toLower();
    return name;
}

QString foldJapaneseInput(const QString &text)
{
    auto halfWidthKana = [](QChar c) { return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F; };
    QString folded;
    folded.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (!halfWidthKana(text[i])) {
            folded += text[i++];
            continue;
        }
        // A run of half-width katakana: compatibility composition turns "ｶﾞ" into "ガ".
        const qsizetype start = i;
        while (i < text.size() && halfWidthKana(text[i]))
            ++i;
        folded += text.mid(start, i - start).normalized(QString::NormalizationForm_KC);
    }
    folded.replace(QChar(0x30FB), QChar(0x00B7)); // ・ to ·
    folded.replace(QChar(0x301C), QChar(0xFF5E)); // 〜 to ～
    return folded;
}
