#include "kanaorder.h"

#include <QHash>

namespace {

const QString gojuon = QStringLiteral(
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわゐゑをん");

// Voiced, semi-voiced and small kana to their plain forms.
const QHash<QChar, QChar> &plainForms()
{
    static const QHash<QChar, QChar> forms = [] {
        QHash<QChar, QChar> f;
        const QString from = QStringLiteral("がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょゎゕゖゔ");
        const QString to = QStringLiteral("かきくけこさしすせそたちつてとはひふへほはひふへほあいうえおつやゆよわかけう");
        for (qsizetype i = 0; i < from.size(); ++i)
            f.insert(from[i], to[i]);
        return f;
    }();
    return forms;
}

// The vowel that the long-vowel mark repeats after a plain kana.
QChar vowelOf(QChar plain)
{
    static const QString rows[] = {
        QStringLiteral("あかさたなはまやらわ"), QStringLiteral("いきしちにひみりゐ"),
        QStringLiteral("うくすつぬふむゆる"), QStringLiteral("えけせてねへめれゑ"),
        QStringLiteral("おこそとのほもよろを")};
    static const QString vowels = QStringLiteral("あいうえお");
    for (int v = 0; v < 5; ++v)
        if (rows[v].contains(plain))
            return vowels[v];
    return plain;
}

} // namespace

QString toHiragana(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QChar(0x30A1) && c <= QChar(0x30F6))
            c = QChar(c.unicode() - 0x60);
    return out;
}

bool isKana(const QString &text)
{
    for (QChar c : text) {
        const bool hira = c >= QChar(0x3041) && c <= QChar(0x3093);
        const bool kata = c >= QChar(0x30A1) && c <= QChar(0x30F6);
        if (!hira && !kata && c != QChar(0x30FC))
            return false;
    }
    return !text.isEmpty();
}

QList<int> kanaSortKey(const QString &reading)
{
    QList<int> key;
    QChar previous;
    for (QChar c : toHiragana(reading)) {
        if (c == QChar(0x30FC))
            c = previous.isNull() ? QChar(u'あ') : vowelOf(previous);
        const QChar plain = plainForms().value(c, c);
        previous = plain;
        const qsizetype at = gojuon.indexOf(plain);
        key.append(at >= 0 ? int(at) : 1000 + plain.unicode());
    }
    return key;
}
