#pragma once
// Records and spectra the format tests write, and running the real readers.

#include "CgatsText.h"
#include "Exchange.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>
#include <optional>

namespace testdata {

// A neutral standard (L* 100: a* = b* = 0 under any white point), Chinese
// and hostile names, negative values.
inline QList<ComparisonRecord> records()
{
    struct Row
    {
        const char* name;
        double standard[3];
        double sample[3];
    };
    const Row rows[] = {
        {"Comp1", {100.0, 0.0, 0.0}, {50.12, -3.45, 7.8}},
        {"样品一 红", {35.5, 60.01, -42.25}, {35.61, 59.5, -41.99}},
        {"=SUM(1+1)", {0.0, -0.01, 0.01}, {99.99, 127.5, -128.0}},
        {"a \"quoted\", b", {72.25, 1.0, 2.0}, {72.3, 1.25, 2.5}},
    };
    QList<ComparisonRecord> list;
    int n = 0;
    for (const Row& row : rows) {
        ComparisonRecord record;
        record.sequence = ++n;
        record.testName = QString::fromUtf8(row.name);
        record.time = QDateTime(QDate(2026, 12, 8), QTime(9, 30 + n));
        record.modelName = QStringLiteral("TX420");
        record.serialNumber = QStringLiteral("24200311");
        for (int i = 0; i < 3; ++i) {
            record.standard[ComparisonRecord::LabL + i] = row.standard[i];
            record.sample[ComparisonRecord::LabL + i] = row.sample[i];
        }
        record.standard[ComparisonRecord::Haze] = 1.25 * n;
        record.sample[ComparisonRecord::Haze] = 1.5 * n;
        record.standard[ComparisonRecord::Transmittance] = 90.0 + n;
        record.sample[ComparisonRecord::Transmittance] = 89.75 + n;
        record.standard[ComparisonRecord::LchH] = 123.4;
        record.sample[ComparisonRecord::X] = 0.3127;
        record.hazeDifference = 0.25 * n;
        record.transmittanceDifference = -0.25;
        record.deltaE = 1.23 * n;
        record.pass = n % 2 == 1;
        record.settings.hazeTolerance = 0.5;
        record.settings.deltaEThreshold = 1.5;
        record.settings.layoutIndex = 1;
        list.append(record);
    }
    return list;
}

// A flat 100 % spectrum, a ramp with two decimals, an unnamed one and a
// Chinese name.
inline QList<NamedSpectrum> spectra()
{
    QList<NamedSpectrum> list(4);
    for (int k = 0; k < kSpectralPointCount; ++k) {
        list[0].record.values[k] = 100.0;
        list[1].record.values[k] = 5.25 + 2.87 * k;
        list[2].record.values[k] = k % 2 ? 0.01 : 0.0;
        list[3].record.values[k] = 87.35 - k;
    }
    list[0].name = QStringLiteral("white");
    list[1].name = QStringLiteral("ramp \"one\"");
    list[3].name = QStringLiteral("绿色样品");
    return list;
}

using cgatstext::readAll;

inline void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// One field of every set of a CGATS text another program wrote.
using cgatstext::column;
inline QStringList cgatsColumn(const QByteArray& text, const QByteArray& field) { return column(text, field); }

// Every id, name, L*a*b* and spectrum of `read` as in `expected`; L*a*b*
// where a reader computed it (labAdded), and each kind and time (kinds).
inline void compareSamples(const formats::ExchangeDocument& read, const formats::ExchangeDocument& expected, bool labAdded, bool kinds)
{
    QCOMPARE(read.samples.size(), expected.samples.size());
    for (qsizetype i = 0; i < read.samples.size(); ++i) {
        const formats::ExchangeSample& got = read.samples.at(i);
        const formats::ExchangeSample& want = expected.samples.at(i);
        QCOMPARE(got.id, want.id);
        QCOMPARE(got.name, want.name);
        QCOMPARE(got.hasLab, want.hasLab || labAdded);
        QCOMPARE(got.hasSpectrum, want.hasSpectrum);
        if (want.hasLab) {
            QCOMPARE(got.l, want.l);
            QCOMPARE(got.a, want.a);
            QCOMPARE(got.b, want.b);
        }
        for (int k = 0; want.hasSpectrum && k < kSpectralPointCount; ++k) {
            QCOMPARE(got.spectrum[k], want.spectrum[k]);
        }
        if (kinds) {
            QCOMPARE(int(got.kind), int(want.kind));
            QCOMPARE(got.created, want.created.isValid() ? want.created : expected.created);
        }
    }
}

// The computed-colour cases: none (the older files), D65/10° (the default),
// A/2°, and F11/10° (which argyll's spec2cie has no table for).
inline void computedConditions_data()
{
    QTest::addColumn<int>("illuminant"); // -1: no computed colour
    QTest::addColumn<int>("observer");
    QTest::addColumn<QString>("argyll"); // spec2cie's name of the illuminant, or ""
    using colorimetry::Illuminant;
    using colorimetry::Observer;
    QTest::newRow("none") << -1 << 0 << QString();
    QTest::newRow("D65/10") << int(Illuminant::D65) << int(Observer::Cie1964TenDegree) << QStringLiteral("D65");
    QTest::newRow("A/2") << int(Illuminant::A) << int(Observer::Cie1931TwoDegree) << QStringLiteral("A");
    QTest::newRow("F11/10") << int(Illuminant::F11) << int(Observer::Cie1964TenDegree) << QString();
}

inline std::optional<colorimetry::ColourConditions> conditionsOf(int illuminant, int observer)
{
    if (illuminant < 0) {
        return std::nullopt;
    }
    return colorimetry::ColourConditions{colorimetry::Illuminant(illuminant), colorimetry::Observer(observer)};
}

// What a reader gave back: the conditions, and every sample's computed
// colour the engine's to the four decimals the files keep.
inline void compareComputed(const formats::ExchangeDocument& read, const std::optional<colorimetry::ColourConditions>& conditions)
{
    QCOMPARE(read.computedFor.has_value(), conditions.has_value());
    if (conditions) {
        QCOMPARE(int(read.computedFor->illuminant), int(conditions->illuminant));
        QCOMPARE(int(read.computedFor->observer), int(conditions->observer));
    }
    for (const formats::ExchangeSample& sample : read.samples) {
        QCOMPARE(sample.computed.has_value(), conditions.has_value());
        if (!conditions) {
            continue;
        }
        const formats::ComputedColour want = formats::computedColour(sample.spectrum, *conditions);
        const formats::ComputedColour& got = *sample.computed;
        const double values[][2] = {{got.xyz.x, want.xyz.x}, {got.xyz.y, want.xyz.y}, {got.xyz.z, want.xyz.z},
                                    {got.lab.l, want.lab.l}, {got.lab.a, want.lab.a}, {got.lab.b, want.lab.b}};
        for (const auto& pair : values) {
            QVERIFY2(std::abs(pair[0] - pair[1]) <= 5e-5, qPrintable(QStringLiteral("%1: read %2, engine %3")
                                                                    .arg(sample.id).arg(pair[0]).arg(pair[1])));
        }
    }
}

// The path of an installed tool, or "" (the caller skips, saying why).
inline QString tool(const char* name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

// Runs a tool to its end: its exit code (-1 when it did not finish normally).
inline int run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output) {
        *output = process.readAll();
    }
    return process.exitCode();
}

} // namespace testdata
