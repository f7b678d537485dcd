#include "InstrumentText.h"

#include <QStringDecoder>

QString decodeInstrumentName(const QByteArray& field)
{
    const int end = field.indexOf('\0');
    const QByteArray bytes = end < 0 ? field : field.left(end);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    QStringDecoder gb18030("GB18030");
    if (gb18030.isValid()) {
        return gb18030(bytes);
    }
    return QString::fromLatin1(bytes);
}
