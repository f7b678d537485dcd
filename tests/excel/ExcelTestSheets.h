// Shared by the spreadsheet tests: reading a written workbook back, and
// building a standard-colour library sheet.
#pragma once

#include "Bytes.h"
#include "ExcelEngine.h"
#include "StandardColorLibrary.h"
#include "XlsxReader.h"

#include <QFile>
#include <QTest>

inline XlsxSheet readSheet(const QString& path, int sheetNumber = 1)
{
    QFile file(path);
    XlsxSheet sheet;
    QString error;
    if (!file.open(QIODevice::ReadOnly) || !readXlsxSheet(file.readAll(), sheetNumber, sheet, &error)) {
        qWarning() << "cannot read back" << path << error;
    }
    return sheet;
}

inline QList<QVariantList> readBack(const QString& path) { return readSheet(path).denseRows(); }

struct Card
{
    QString nameA;
    QString nameB;
    int rows = 0;
    int valueB = 0;
};

// A library sheet: model, count and its checksum, one row per card, then data
// rows from 50 (each "颜色i", 0.5, -0.05, 12.345 + i) up to usedRows.
inline QList<QVariantList> librarySheet(const QString& model, const QList<Card>& cards, int usedRows)
{
    QByteArray countBytes;
    putU16le(countBytes, static_cast<quint16>(cards.size()));
    QList<QVariantList> rows{{model}, {double(cards.size()), double(standardColorChecksum(countBytes))}};
    for (const Card& c : cards) {
        const quint16 sum = standardColorChecksum(standardColorRecord(c.nameA, c.nameB, c.rows, c.valueB));
        rows << QVariantList{c.nameA, c.nameB, double(c.rows), double(c.valueB), double(sum)};
    }
    rows.resize(std::max<qsizetype>(rows.size(), 49));
    for (int i = 0; rows.size() < usedRows; ++i) {
        rows << QVariantList{QStringLiteral("颜色%1").arg(i), 0.5, -0.05, 12.345 + i};
    }
    return rows;
}

inline void saveSheet(const QString& path, const QList<QVariantList>& rows)
{
    QFile::remove(path);
    ExcelEngine engine(path);
    QVERIFY(engine.openWorkbook(1, ExcelEngine::Start::FromTemplate));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            QVERIFY(engine.writeCell(r + 1, c + 1, rows[r][c]));
        }
    }
    QVERIFY(engine.closeWorkbook());
}
