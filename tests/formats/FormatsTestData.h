#pragma once
// Records and spectra the format tests write, and running the real readers.

#include "Exchange.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

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

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// One field of every set of a CGATS text another program wrote, as text:
// words split at blanks outside quotes, quotes removed ("" is a quote).
inline QStringList cgatsColumn(const QByteArray& text, const QByteArray& field)
{
    auto words = [](const QByteArray& line) {
        QStringList out;
        QByteArray word;
        bool quoted = false;
        bool any = false;
        for (qsizetype i = 0; i <= line.size(); ++i) {
            const char c = i < line.size() ? line.at(i) : ' ';
            if (quoted) {
                if (c == '"' && i + 1 < line.size() && line.at(i + 1) == '"') {
                    word.append('"');
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    word.append(c);
                }
            } else if (c == '"') {
                quoted = any = true;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                if (any || !word.isEmpty()) {
                    out << QString::fromUtf8(word);
                }
                word.clear();
                any = false;
            } else {
                word.append(c);
            }
        }
        return out;
    };
    const QList<QByteArray> lines = text.split('\n');
    qsizetype index = -1;
    QStringList values;
    bool data = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).startsWith("BEGIN_DATA_FORMAT") && i + 1 < lines.size()) {
            index = words(lines.at(i + 1)).indexOf(QString::fromLatin1(field));
        } else if (lines.at(i).startsWith("END_DATA")) {
            data = false;
        } else if (data && index >= 0) {
            values << words(lines.at(i)).value(index);
        } else if (lines.at(i).startsWith("BEGIN_DATA")) {
            data = true;
        }
    }
    return values;
}

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
