#include "StandardColorLibrary.h"

#include "Bytes.h"
#include "FrameChecksum.h"

namespace {

bool appendName(QByteArray& record, const QString& name)
{
    const QByteArray utf8 = name.toUtf8();
    if (utf8.size() > kStandardColorNameBytes) {
        return false;
    }
    record.append(utf8);
    record.append(kStandardColorNameBytes - utf8.size(), '\0');
    return true;
}

} // namespace

QByteArray standardColorRecord(const QString& nameA, const QString& nameB, int valueA, int valueB, bool* fits)
{
    QByteArray record;
    record.reserve(kStandardColorRecordBytes);
    const bool ok = valueA >= 0 && valueA <= 0xFFFF && valueB >= 0 && valueB <= 0xFFFF
                    && appendName(record, nameA) && appendName(record, nameB);
    if (fits) {
        *fits = ok;
    }
    if (!ok) {
        return QByteArray();
    }
    putU16le(record, static_cast<quint16>(valueA));
    putU16le(record, static_cast<quint16>(valueB));
    return record;
}

quint16 standardColorChecksum(const QByteArray& values)
{
    return frameChecksum(values);
}
