#include "StandardFiles.h"

#include "CsvColumns.h"
#include "CsvFormat.h"
#include "ExcelEngine.h"
#include "Exchange.h"
#include "StandardColorExchange.h"
#include "StandardColorSheet.h"
#include "StandardLibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cmath>

namespace StandardFiles {

namespace {

using R = ComparisonRecord;

QString tr(const char* text)
{
    return QCoreApplication::translate("StandardFiles", text);
}

const char* const kColumns[] = {"name", "code", "L", "a", "b", "haze", "t", "tolerance", "warn", "shared_set", "note"};
constexpr int kColumnCount = 11;
enum Column { Name, Code, L, A, B, Haze, T, Tolerance, Warn, SharedSet, Note };

QString spectralTitle(int band)
{
    return QStringLiteral("s%1").arg(400 + 10 * band);
}

QString unguarded(const QString& text)
{
    return text.startsWith(QLatin1Char('\'')) && formats::csv::needsGuard(text.mid(1)) ? text.mid(1) : text;
}

// An empty cell is unknown; anything else must be a strict number.
bool cellNumber(const QString& cell, double& value)
{
    if (cell.isEmpty()) {
        value = R::kUnknown;
        return true;
    }
    const QByteArray bytes = cell.toUtf8();
    return formats::parseNumber(bytes, value) && std::abs(value) <= formats::kLargestValue;
}

QString lineError(int line, const QString& message)
{
    return formats::lineError(line, message);
}

} // namespace

std::optional<Kind> kindOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv")) {
        return Kind::Csv;
    }
    if (suffix == QLatin1String("ti3") || suffix == QLatin1String("txt")) {
        return Kind::Cgats;
    }
    if (suffix == QLatin1String("cxf")) {
        return Kind::Cxf;
    }
    if (suffix == QLatin1String("xlsx")) {
        return Kind::Workbook;
    }
    return std::nullopt;
}

ReadResult readCsv(QByteArrayView bytes)
{
    ReadResult result;
    QList<QStringList> rows;
    const formats::ReadResult parsed = formats::parseCsv(bytes, rows);
    if (!parsed.ok) {
        result.error = parsed.error;
        return result;
    }
    if (rows.isEmpty()) {
        result.error = tr("The file is empty; its first row names the columns: %1.")
                           .arg(QStringLiteral("name,code,L,a,b,haze,t,tolerance,warn,shared_set,note"));
        return result;
    }
    const QStringList& header = rows.first();
    const bool spectral = header.size() == kColumnCount + kStandardSpectrumBands;
    bool headerOk = spectral || header.size() == kColumnCount;
    for (int i = 0; headerOk && i < header.size(); ++i) {
        const QString expected = i < kColumnCount ? QLatin1String(kColumns[i]) : spectralTitle(i - kColumnCount);
        headerOk = header[i].trimmed().compare(expected, Qt::CaseInsensitive) == 0;
    }
    if (!headerOk) {
        result.error = lineError(1, tr("the columns must be %1, optionally followed by s400 … s700")
                                        .arg(QStringLiteral("name,code,L,a,b,haze,t,tolerance,warn,shared_set,note")));
        return result;
    }
    QSet<QString> names;
    for (int r = 1; r < rows.size(); ++r) {
        const QStringList& row = rows[r];
        const int line = r + 1;
        const auto fail = [&](const QString& message) {
            result.standards.clear();
            result.error = lineError(line, message);
            return result;
        };
        if (row.size() == 1 && row.first().isEmpty()) {
            continue; // a blank line
        }
        if (row.size() != header.size()) {
            return fail(tr("%1 cells where the header has %2").arg(row.size()).arg(header.size()));
        }
        Imported imported;
        Standard& s = imported.standard;
        s.name = unguarded(row[Name]).trimmed();
        if (s.name.isEmpty()) {
            return fail(tr("the standard has no name"));
        }
        const QString nameKey = s.name.toCaseFolded();
        if (names.contains(nameKey)) {
            return fail(tr("\"%1\" is named twice").arg(s.name));
        }
        names.insert(nameKey);
        s.code = unguarded(row[Code]).trimmed();
        s.note = unguarded(row[Note]);
        double lab[3];
        for (int k = 0; k < 3; ++k) {
            if (!cellNumber(row[L + k], lab[k])) {
                return fail(tr("\"%1\" in column %2 is not a number").arg(formats::shownValue(row[L + k].toUtf8()),
                                                                           QLatin1String(kColumns[L + k])));
            }
        }
        const int labCount = int(std::isfinite(lab[0])) + int(std::isfinite(lab[1])) + int(std::isfinite(lab[2]));
        if (labCount != 0 && labCount != 3) {
            return fail(tr("L, a and b are given together or not at all"));
        }
        if (labCount == 3) {
            s.withLab(lab[0], lab[1], lab[2]);
        }
        for (const int column : {int(Haze), int(T)}) {
            double value = 0.0;
            if (!cellNumber(row[column], value)) {
                return fail(tr("\"%1\" in column %2 is not a number").arg(formats::shownValue(row[column].toUtf8()),
                                                                           QLatin1String(kColumns[column])));
            }
            s.values[column == Haze ? R::Haze : R::Transmittance] = value;
        }
        if (!s.hasLab() && !s.hasHaze() && !s.hasTransmittance()) {
            return fail(tr("\"%1\" has no values: give L, a and b, haze or t").arg(s.name));
        }
        if (spectral) {
            for (int band = 0; band < kStandardSpectrumBands; ++band) {
                double value = 0.0;
                const QString& cell = row[kColumnCount + band];
                if (cell.isEmpty() || !cellNumber(cell, value)) {
                    bool anyGiven = false;
                    for (int k = kColumnCount; k < row.size(); ++k) {
                        anyGiven = anyGiven || !row[k].isEmpty();
                    }
                    if (!anyGiven) {
                        s.spectrum.clear();
                        break;
                    }
                    return fail(tr("the spectrum needs a number in every column s400 … s700 (%1)")
                                    .arg(spectralTitle(band)));
                }
                s.spectrum.append(value);
            }
        }
        const ToleranceParse limits = parseToleranceLimits(row[Tolerance]);
        if (!limits.ok()) {
            return fail(limits.error);
        }
        LibraryToleranceSet set;
        set.limits = limits.limits;
        if (!row[Warn].trimmed().isEmpty()) {
            const std::optional<double> warn = parseWarnPercent(row[Warn]);
            if (!warn) {
                return fail(tr("the warning band \"%1\" is not a percentage from 0 up to 100")
                                .arg(formats::shownValue(row[Warn].toUtf8())));
            }
            set.warnPercent = *warn;
        }
        imported.sharedSetName = unguarded(row[SharedSet]).trimmed();
        if (!imported.sharedSetName.isEmpty() && (!set.limits.isEmpty() || set.warnPercent > 0.0)) {
            return fail(tr("a standard has its own tolerances or a shared set, not both"));
        }
        if (imported.sharedSetName.isEmpty()) {
            imported.ownSet = set;
        }
        s.origin.kind = StandardOrigin::Kind::File;
        result.standards.append(imported);
    }
    return result;
}

namespace {

ReadResult readExchange(const QString& path)
{
    ReadResult result;
    formats::ExchangeDocument document;
    const formats::ReadResult read = formats::readExchangeFile(path, document);
    if (!read.ok) {
        result.error = read.error;
        return result;
    }
    QSet<QString> names;
    for (const formats::ExchangeSample& sample : document.samples) {
        Imported imported;
        Standard& s = imported.standard;
        s.name = (sample.name.isEmpty() ? sample.id : sample.name).trimmed();
        if (names.contains(s.name.toCaseFolded())) {
            result.standards.clear();
            result.error = tr("\"%1\" is named twice in the file").arg(s.name);
            return result;
        }
        names.insert(s.name.toCaseFolded());
        if (sample.hasLab) {
            s.withLab(sample.l, sample.a, sample.b);
        }
        if (sample.hasSpectrum) {
            s.spectrum = QList<double>(sample.spectrum.begin(), sample.spectrum.end());
        }
        s.origin.kind = StandardOrigin::Kind::File;
        s.origin.path = path;
        result.standards.append(imported);
    }
    return result;
}

ReadResult readWorkbook(const QString& path)
{
    ReadResult result;
    QList<QVariantList> rows;
    QString error;
    if (!StandardColorSheet::readWorkbook(path, rows, &error)) {
        result.error = tr("The workbook %1 cannot be read: %2").arg(path, error);
        return result;
    }
    // Any model's workbook: the sheet is checked against the model it names.
    const QString model = rows.isEmpty() || rows.first().isEmpty() ? QString()
                                                                   : standardColorCellText(rows.first().first());
    StandardColorLibrary library;
    StandardColorSheetProblem problem;
    if (!StandardColorSheet::parse(rows, model, library, problem)) {
        result.error = problem.message;
        return result;
    }
    QSet<QString> names;
    for (int r = kStandardColorFirstDataRow; r < kStandardColorFirstDataRow + library.dataRows; ++r) {
        const QVariantList& row = rows[r - 1];
        const auto cell = [&row](int column) {
            return column <= row.size() ? standardColorCellText(row[column - 1]) : QString();
        };
        Imported imported;
        Standard& s = imported.standard;
        s.name = cell(1).trimmed();
        if (s.name.isEmpty() || names.contains(s.name.toCaseFolded())) {
            result.standards.clear();
            result.error = tr("Row %1: every standard of the library needs a name of its own.").arg(r);
            return result;
        }
        names.insert(s.name.toCaseFolded());
        // The sheet holds hundredths, as the instrument keeps them.
        s.withLab(standardColorValue(cell(2)) / 100.0, standardColorValue(cell(3)) / 100.0,
                  standardColorValue(cell(4)) / 100.0);
        s.origin.kind = StandardOrigin::Kind::File;
        s.origin.path = path;
        result.standards.append(imported);
    }
    return result;
}

formats::ExchangeDocument documentOf(const QList<Standard>& standards)
{
    formats::ExchangeDocument document;
    document.description = QStringLiteral("Tintwell standards");
    document.created = QDateTime::currentDateTime();
    bool allSpectra = true;
    for (const Standard& s : standards) {
        allSpectra = allSpectra && (!s.hasLab() || s.spectrum.size() == kStandardSpectrumBands);
    }
    int n = 0;
    for (const Standard& s : standards) {
        if (!s.hasLab()) {
            continue;
        }
        formats::ExchangeSample sample;
        sample.id = QStringLiteral("S%1").arg(++n);
        sample.name = s.name;
        sample.kind = formats::SampleKind::Standard;
        sample.hasLab = true;
        sample.l = s.values[R::LabL];
        sample.a = s.values[R::LabA];
        sample.b = s.values[R::LabB];
        if (allSpectra) {
            sample.hasSpectrum = true;
            std::copy(s.spectrum.begin(), s.spectrum.end(), sample.spectrum.begin());
        }
        document.samples.append(sample);
    }
    return document;
}

} // namespace

ReadResult readFile(const QString& path)
{
    ReadResult result;
    const std::optional<Kind> kind = kindOf(path);
    if (!kind) {
        result.error = tr("%1: standards are read from .csv, .ti3, .txt, .cxf or .xlsx files.").arg(path);
        return result;
    }
    if (*kind == Kind::Workbook) {
        return readWorkbook(path);
    }
    if (*kind != Kind::Csv) {
        return readExchange(path);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = tr("%1 cannot be read: %2").arg(path, file.errorString());
        return result;
    }
    result = readCsv(file.readAll());
    if (!result.ok()) {
        result.error = QStringLiteral("%1: %2").arg(path, result.error);
    }
    for (Imported& imported : result.standards) {
        imported.standard.origin.path = path;
    }
    return result;
}

bool writeCsv(const QList<Standard>& standards, const StandardLibrary& library, QIODevice& device, QString* error)
{
    formats::CsvWriter csv(device);
    bool spectral = false;
    for (const Standard& s : standards) {
        spectral = spectral || !s.spectrum.isEmpty();
    }
    for (const char* column : kColumns) {
        csv.plain(column);
    }
    for (int band = 0; spectral && band < kStandardSpectrumBands; ++band) {
        csv.plain(spectralTitle(band).toLatin1());
    }
    bool ok = csv.endRow();
    const auto number = [&csv](double value) {
        if (std::isfinite(value)) {
            csv.plain(QByteArray::number(value, 'g', 17 /* reads back as the same double */));
        } else {
            csv.empty();
        }
    };
    for (int i = 0; ok && i < standards.size(); ++i) {
        const Standard& s = standards[i];
        const LibraryToleranceSet set = library.setOf(s);
        csv.text(s.name);
        csv.text(s.code);
        for (const int v : {int(R::LabL), int(R::LabA), int(R::LabB), int(R::Haze), int(R::Transmittance)}) {
            number(s.values[std::size_t(v)]);
        }
        if (set.name.isEmpty()) {
            csv.text(formatToleranceLimits(set.limits));
            set.warnPercent > 0.0 ? number(set.warnPercent) : csv.empty();
            csv.empty();
        } else {
            csv.empty();
            csv.empty();
            csv.text(set.name);
        }
        csv.text(s.note);
        for (int band = 0; spectral && band < kStandardSpectrumBands; ++band) {
            band < s.spectrum.size() ? number(s.spectrum[band]) : csv.empty();
        }
        ok = csv.endRow();
    }
    ok = ok && csv.finish();
    if (!ok && error) {
        *error = csv.errorString();
    }
    return ok;
}

bool writeFile(const QList<Standard>& standards, const StandardLibrary& library, const QString& path,
               const QString& modelName, QString* error)
{
    const auto fail = [error](const QString& message) {
        if (error) {
            *error = message;
        }
        return false;
    };
    const std::optional<Kind> kind = kindOf(path);
    if (!kind) {
        return fail(tr("%1: standards are written to .csv, .ti3, .txt, .cxf or .xlsx files.").arg(path));
    }
    if (*kind == Kind::Csv) {
        return formats::saveFile(path, error,
                                 [&](QIODevice& device) { return writeCsv(standards, library, device, error); });
    }
    const formats::ExchangeDocument document = documentOf(standards);
    if (document.samples.isEmpty()) {
        return fail(tr("None of the standards has L*a*b* values to write to %1.").arg(path));
    }
    if (*kind != Kind::Workbook) {
        return formats::writeExchangeFile(document, path, error);
    }
    if (modelName.trimmed().isEmpty()) {
        return fail(tr("A standard-colour workbook is made for one instrument model; name it."));
    }
    QList<QVariantList> rows;
    QString why;
    if (!StandardColorExchange::rowsFromDocument(document, QStringLiteral("Library"), modelName.trimmed(), rows, &why)) {
        return fail(tr("%1 cannot be written: %2").arg(path, why));
    }
    ExcelEngine engine(path);
    if (!engine.openWorkbook(1, ExcelEngine::Start::FromTemplate) || !engine.writeRows(rows) || !engine.closeWorkbook()) {
        return fail(tr("%1 cannot be written: %2").arg(path, engine.errorString()));
    }
    return true;
}

namespace {

bool sameValues(const R::Values& a, const R::Values& b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i])))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool importInto(StandardLibrary& library, const QList<Imported>& standards, ImportCount& count, QString* error)
{
    count = ImportCount();
    const auto fail = [error](const QString& message) {
        if (error) {
            *error = message;
        }
        return false;
    };
    for (const Imported& imported : standards) {
        Standard s = imported.standard;
        std::optional<LibraryToleranceSet> ownSet = imported.ownSet;
        if (!imported.sharedSetName.isEmpty()) {
            const std::optional<LibraryToleranceSet> shared = library.findSharedSet(imported.sharedSetName);
            if (!shared) {
                return fail(tr("\"%1\": there is no shared tolerance set \"%2\".").arg(s.name, imported.sharedSetName));
            }
            s.toleranceSetId = shared->id;
            ownSet.reset();
        }
        const std::optional<Standard> was = library.findByName(s.name);
        if (!was) {
            if (!library.add(s, ownSet)) {
                return fail(QStringLiteral("\"%1\": %2").arg(s.name, library.errorText()));
            }
            ++count.added;
            continue;
        }
        // A file's spectrum or origin does not replace what the library knows
        // unless the file has one.
        if (s.spectrum.isEmpty()) {
            s.spectrum = was->spectrum;
        }
        s.id = was->id;
        if (imported.sharedSetName.isEmpty() && !ownSet) {
            s.toleranceSetId = was->toleranceSetId;
        }
        const LibraryToleranceSet current = library.setOf(*was);
        const bool setSame = ownSet ? (current.name.isEmpty() && current.sameLimits(*ownSet))
                                          || (current.id.isNull() && ownSet->isEmpty() && ownSet->warnPercent == 0.0)
                                    : s.toleranceSetId == was->toleranceSetId;
        if (setSame && s.name == was->name && s.code == was->code && s.note == was->note
            && sameValues(s.values, was->values) && s.spectrum == was->spectrum) {
            ++count.unchanged;
            continue;
        }
        if (setSame) {
            s.toleranceSetId = was->toleranceSetId;
        }
        if (sameValues(s.values, was->values)) {
            s.origin = was->origin; // the values still come from where they did
        }
        if (!library.edit(s, setSame ? std::nullopt : ownSet)) {
            return fail(QStringLiteral("\"%1\": %2").arg(s.name, library.errorText()));
        }
        ++count.edited;
    }
    return true;
}

} // namespace StandardFiles
