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

Q_DECLARE_METATYPE(std::optional<colorimetry::ColourConditions>)

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
// A/2°, and F11/10° (which spec2cie has no table for); argyll: spec2cie's name.
inline void computedConditions_data()
{
    QTest::addColumn<std::optional<colorimetry::ColourConditions>>("conditions");
    QTest::addColumn<QString>("argyll");
    using namespace colorimetry;
    QTest::newRow("none") << std::optional<ColourConditions>() << QString();
    QTest::newRow("D65/10") << std::optional(ColourConditions{}) << QStringLiteral("D65");
    QTest::newRow("A/2") << std::optional(ColourConditions{Illuminant::A, Observer::Cie1931TwoDegree}) << QStringLiteral("A");
    QTest::newRow("F11/10") << std::optional(ColourConditions{Illuminant::F11, Observer::Cie1964TenDegree}) << QString();
}

// X, Y, Z, L*, a*, b* as the files write them, in that order.
inline std::array<double, 6> six(const formats::ComputedColour& c)
{
    return {c.xyz.x, c.xyz.y, c.xyz.z, c.lab.l, c.lab.a, c.lab.b};
}
inline const char* const kComputedFields[] = {"XYZ_X", "XYZ_Y", "XYZ_Z", "LAB_L", "LAB_A", "LAB_B"};

// What a reader gave back: the conditions, and every sample's computed
// colour the engine's to the four decimals the files keep.
inline void compareComputed(const formats::ExchangeDocument& read, const std::optional<colorimetry::ColourConditions>& conditions)
{
    QCOMPARE(read.computedFor.has_value(), conditions.has_value());
    QVERIFY(!conditions || (read.computedFor->illuminant == conditions->illuminant
                            && read.computedFor->observer == conditions->observer));
    for (const formats::ExchangeSample& sample : read.samples) {
        QCOMPARE(sample.computed.has_value(), conditions.has_value());
        for (int i = 0; conditions && i < 6; ++i) {
            const double want = six(formats::computedColour(sample.spectrum, *conditions))[i];
            QVERIFY2(std::abs(six(*sample.computed)[i] - want) <= 5e-5, qPrintable(sample.id));
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
