#pragma once
// Every command once, as a row for the tables that treat all of them alike:
// its reply length and the two bytes of its identity test.

#include "Bytes.h"
#include "IdentificationCommands.h"
#include "MeasurementCommands.h"
#include "RecordCommands.h"
#include "SettingsCommands.h"
#include "Transport.h"

#include <QList>
#include <QString>

#include <functional>

struct CommandCase
{
    const char* name;
    QString model;   // a model that holds what the command reads
    int replyLen;
    int identityA;   // -1: no identity test
    int identityB;
    std::function<int(Transport&)> run;
};

inline quint16 countChecksum(int count)
{
    QByteArray values;
    putU16le(values, static_cast<quint16>(count));
    return standardColorChecksum(values);
}

inline quint16 recordChecksum(const QString& a, const QString& b, int va, int vb)
{
    return standardColorChecksum(standardColorRecord(a, b, va, vb));
}

// The legacy measurement waits 1500 ms by design; withSlow adds it.
inline QList<CommandCase> commandCases(bool withSlow = false)
{
    const QString film = QStringLiteral("TX310");
    const QString colorimeter = QStringLiteral("TX420");
    QList<CommandCase> cases = {
        {"readKeyInformation", film, 26, 2, 6,
         [](Transport& t) { KeyInformation k; return readKeyInformation(t, k); }},
        {"readProductionInformation", film, 30, 2, 6,
         [](Transport& t) { ProductionInformation p; return readProductionInformation(t, p); }},
        {"readSoftwareVersion", film, 10, 1, 4,
         [](Transport& t) { int v = 0; return readSoftwareVersion(t, v); }},
        {"readDisplayParameter", film, 13, 2, 6,
         [](Transport& t) { int v = 0; return readDisplayParameter(t, v); }},
        {"setDisplayParameter", film, 10, 2, 6, [](Transport& t) { return setDisplayParameter(t, 2); }},
        {"readTolerance", film, 18, 2, 6,
         [](Transport& t) { int a = 0, b = 0, c = 0; return readTolerance(t, a, b, c); }},
        {"setTolerance", film, 10, 2, 6, [](Transport& t) { return setTolerance(t, 1250, 8000, 15); }},
        {"readDeltaEParameter", colorimeter, 15, 2, 6,
         [](Transport& t) { int f = 0, th = 0; return readDeltaEParameter(t, f, th); }},
        {"setDeltaEParameter", colorimeter, 10, 2, 6, [](Transport& t) { return setDeltaEParameter(t, 6, 12); }},
        {"takeMeasurement", film, 64, 2, 6,
         [](Transport& t) { MeasurementValues v; return takeMeasurement(t, v); }},
        {"readMeasurementBlock", colorimeter, 34, 2, 6,
         [](Transport& t) { MeasurementBlock b; return readMeasurementBlock(t, 4, b); }},
        {"readComparisonRecordCount", colorimeter, 14, 2, 6,
         [](Transport& t) { int n = 0; return readComparisonRecordCount(t, n, 3, 1); }},
        {"readColorDifferenceRecordInfo", colorimeter, 20, 2, 6,
         [](Transport& t) { int n = 0; return readColorDifferenceRecordInfo(t, n); }},
        {"readSpectralRecordInfo", film, 18, 1, 6,
         [](Transport& t) { int n = 0; return readSpectralRecordInfo(t, n, 0); }},
        {"readBlock", film, 266, -1, -1,
         [](Transport& t) { QByteArray out; return readBlock(t, 0x400000, out, 256); }},
        {"writeStandardColorCount", colorimeter, 10, 2, 6,
         [](Transport& t) { return writeStandardColorCount(t, 3, countChecksum(3)); }},
        {"writeStandardColorRecord", colorimeter, 10, 2, 6,
         [](Transport& t) {
             return writeStandardColorRecord(t, 0x2000, QStringLiteral("Red"), QStringLiteral("红"), 5, 7,
                                             recordChecksum(QStringLiteral("Red"), QStringLiteral("红"), 5, 7));
         }},
    };
    if (withSlow) {
        cases.append({"readMeasurementLegacy", colorimeter, 64, 2, 6,
                      [](Transport& t) { MeasurementValues v; return readMeasurementLegacy(t, v); }});
    }
    return cases;
}
