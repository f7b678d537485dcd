#include "StandardColorExchange.h"

#include "Bytes.h"
#include "Exchange.h"
#include "StandardColorLibrary.h"
#include "StandardColorSheet.h"

#include <QFileInfo>

namespace {

// Whole characters of text that fit in bytes of UTF-8.
QString fitted(const QString& text, int bytes)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString next = out + text.mid(i, length);
        if (next.toUtf8().size() > bytes) {
            break;
        }
        out = next;
        i += length - 1;
    }
    return out;
}

} // namespace

bool StandardColorExchange::isExchangeFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("ti3") || suffix == QLatin1String("txt") || suffix == QLatin1String("cxf");
}

bool StandardColorExchange::readRows(const QString& path, const QString& modelName, QList<QVariantList>& rows,
                                     QString* error)
{
    formats::ExchangeDocument document;
    const formats::ReadResult result = formats::readExchangeFile(path, document);
    if (!result.ok) {
        if (error) {
            *error = result.error;
        }
        return false;
    }
    return rowsFromDocument(document, QFileInfo(path).completeBaseName(), modelName, rows, error);
}

bool StandardColorExchange::rowsFromDocument(const formats::ExchangeDocument& document, const QString& cardName,
                                             const QString& modelName, QList<QVariantList>& rows, QString* error)
{
    auto fail = [error](const QString& message) {
        if (error) {
            *error = message;
        }
        return false;
    };
    rows.clear();
    if (document.samples.isEmpty()) {
        return fail(tr("the file holds no standards"));
    }
    if (document.samples.size() > 0xFFFF) {
        return fail(tr("the file holds %1 standards; a library takes at most 65535").arg(document.samples.size()));
    }
    for (const formats::ExchangeSample& sample : document.samples) {
        if (!sample.hasLab) {
            return fail(tr("standard \"%1\" has no L*a*b* values for D65/10°").arg(sample.name.left(40)));
        }
        if (sample.name.toUtf8().size() > kStandardColorDataNameBytes) {
            return fail(tr("the name of standard \"%1\" takes more than %2 bytes")
                            .arg(sample.name.left(40))
                            .arg(kStandardColorDataNameBytes));
        }
        for (const double value : {sample.l, sample.a, sample.b}) {
            // Hundredths in 16 bits, as the library keeps them.
            if (!(value >= -327.68 && value < 655.36)) {
                return fail(tr("standard \"%1\" has a value (%2) the library cannot hold")
                                .arg(sample.name.left(40))
                                .arg(value));
            }
        }
    }
    const QString nameA = fitted(cardName.simplified(), kStandardColorNameBytes);
    const int count = 1;
    QByteArray countBytes;
    putU16le(countBytes, static_cast<quint16>(count));
    const int dataRows = int(document.samples.size());
    rows.append(QVariantList{modelName});
    rows.append(QVariantList{count, standardColorChecksum(countBytes)});
    rows.append(QVariantList{nameA, QString(), dataRows, 0,
                             standardColorChecksum(standardColorRecord(nameA, QString(), dataRows, 0))});
    while (rows.size() < kStandardColorFirstDataRow - 1) {
        rows.append(QVariantList{});
    }
    for (const formats::ExchangeSample& sample : document.samples) {
        rows.append(QVariantList{sample.name, sample.l, sample.a, sample.b});
    }
    return true;
}
