#pragma once
// Standards from the open exchange formats for "Write stdcolor": a CGATS
// (.ti3, .txt) or CxF3 (.cxf) file becomes the rows of a standard-colour
// sheet for the connected model, so the upload checks and sends it exactly
// as it does a workbook. The file's samples make one card named after the
// file, each sample a data row of its name and L*, a*, b* (D65/10°).

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVariant>

namespace formats {
struct ExchangeDocument;
}

class StandardColorExchange
{
    Q_DECLARE_TR_FUNCTIONS(StandardColorExchange)
public:
    // True for the suffixes the readers take (.ti3, .txt, .cxf).
    static bool isExchangeFile(const QString& path);
    // The file read by its strict reader and turned into sheet rows; false,
    // with the reason (the line or element, or the sample), when it is
    // refused or a sample does not fit the library.
    static bool readRows(const QString& path, const QString& modelName, QList<QVariantList>& rows, QString* error);
    // The rows for standards already read; cardName is cut to what a card
    // name holds.
    static bool rowsFromDocument(const formats::ExchangeDocument& document, const QString& cardName,
                                 const QString& modelName, QList<QVariantList>& rows, QString* error);
};
