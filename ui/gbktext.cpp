#include "gbktext.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString FromGbk(GbkText text)
{
    static QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
}

std::optional<QByteArray> ToGbk(const QString &text)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}
