#pragma once
// CGATS text as the tests exchange it with argyll's tools: a .ti3 of
// spectral curves that spec2cie reads, spec2cie run on it, and one field of
// every set of a file another program wrote. Header-only, QtCore.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <array>

namespace cgatstext {

using Curve31 = std::array<double, 31>; // percent at 400 + 10 k nm

// SAMPLE_ID (1, 2, …), SAMPLE_NAME and SPEC_400 … SPEC_700; the path, or ""
// when it cannot be written.
inline QString writeCurves(const QString& path, const QList<QPair<QString, Curve31>>& curves)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return {};
    }
    QTextStream out(&file);
    out << "CTI3\n\nDESCRIPTOR \"curves\"\nORIGINATOR \"tintwell tests\"\nDEVICE_CLASS \"OUTPUT\"\n"
        << "SPECTRAL_BANDS \"31\"\nSPECTRAL_START_NM \"400.0\"\nSPECTRAL_END_NM \"700.0\"\nSPECTRAL_NORM \"100.0\"\n\n"
        << "NUMBER_OF_FIELDS 33\nBEGIN_DATA_FORMAT\nSAMPLE_ID SAMPLE_NAME";
    for (int k = 0; k < 31; ++k) {
        out << " SPEC_" << (400 + 10 * k);
    }
    out << "\nEND_DATA_FORMAT\n\nNUMBER_OF_SETS " << curves.size() << "\nBEGIN_DATA\n";
    for (int n = 0; n < curves.size(); ++n) {
        out << (n + 1) << " \"" << curves.at(n).first << '"';
        for (const double value : curves.at(n).second) {
            out << ' ' << QString::number(value, 'f', 6);
        }
        out << '\n';
    }
    out << "END_DATA\n";
    return path;
}

// spec2cie's path, or "" (the caller skips, saying why).
inline QString spec2cie()
{
    return QStandardPaths::findExecutable(QStringLiteral("spec2cie"));
}

// spec2cie -i illuminant -o observer (1931_2 or 1964_10) in out; its error
// output, empty when it succeeded.
inline QString runSpec2cie(const QString& illuminant, const QString& observer, const QString& in, const QString& out)
{
    QProcess process;
    process.start(spec2cie(), {QStringLiteral("-i"), illuminant, QStringLiteral("-o"), observer, in, out});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        return QStringLiteral("spec2cie did not finish");
    }
    const QString error = QString::fromUtf8(process.readAllStandardError());
    return process.exitCode() == 0 ? QString() : (error.isEmpty() ? QStringLiteral("spec2cie failed") : error);
}

// One field of every set of a CGATS text, as text: words split at blanks
// outside quotes, quotes removed ("" is a quote); the field list may span lines.
inline QStringList column(const QByteArray& text, const QByteArray& field)
{
    static const QRegularExpression word(QStringLiteral("\"((?:[^\"]|\"\")*)\"|([^\\s\"]+)"));
    const auto words = [](const QString& line) {
        QStringList out;
        for (const QRegularExpressionMatch& m : word.globalMatch(line)) {
            out << (m.capturedStart(2) >= 0 ? m.captured(2) : m.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\"")));
        }
        return out;
    };
    QStringList fields;
    QStringList values;
    int part = 0; // 1 in the field list, 2 in the data
    for (const QString& line : QString::fromUtf8(text).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("BEGIN_DATA")) || trimmed.startsWith(QLatin1String("END_DATA"))) {
            part = trimmed == QLatin1String("BEGIN_DATA_FORMAT") ? 1 : trimmed == QLatin1String("BEGIN_DATA") ? 2 : 0;
        } else if (part == 1) {
            fields += words(trimmed);
        } else if (part == 2 && !trimmed.isEmpty() && fields.contains(QString::fromLatin1(field))) {
            values << words(trimmed).value(fields.indexOf(QString::fromLatin1(field)));
        }
    }
    return values;
}

inline QList<double> numbers(const QByteArray& text, const QByteArray& field)
{
    QList<double> out;
    for (const QString& value : column(text, field)) {
        out << value.toDouble();
    }
    return out;
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace cgatstext
