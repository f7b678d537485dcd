#pragma once
// What the exchange formats carry: samples with a name, an id, CIE L*a*b*
// for illuminant D65 and the 10° observer (as the instruments measure) and,
// for spectral records, 31 values at 400 … 700 nm in percent, with the
// colour computed from them for an illuminant and observer. The writers
// take a document of samples; the readers give one back, so what one writer
// wrote reads back to the same document.

#include "ComparisonRecord.h"
#include "CurveColour.h"
#include "SpectralRecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace formats {

enum class SampleKind { Standard, Target };

// The colour of a spectrum as the colorimetry engine computes it (ASTM E308
// Table 5 weights) for the document's computedFor conditions: XYZ with a
// perfect white at Y = 100, and L*a*b* against that illuminant's and
// observer's white. Files write it beside the spectrum, never in place of
// the instrument's own L*a*b*.
struct ComputedColour
{
    XyzColor xyz;
    LabColor lab;
};

struct ExchangeSample
{
    QString id;   // unique within a document
    QString name; // may be empty
    SampleKind kind = SampleKind::Target;
    QDateTime created; // invalid: the document's
    bool hasLab = false;
    double l = 0.0; // D65 / 10°
    double a = 0.0;
    double b = 0.0;
    bool hasSpectrum = false;
    std::array<double, kSpectralPointCount> spectrum{}; // percent, 400 + 10 k nm
    std::optional<ComputedColour> computed; // only with a spectrum
};

struct ExchangeDocument
{
    QString description;
    QDateTime created;
    // Measured in transmission (haze meters: layouts 0 and 3) or reflection.
    bool transmittance = false;
    // The conditions of the samples' computed colour; none when they carry none.
    std::optional<colorimetry::ColourConditions> computedFor;
    QList<ExchangeSample> samples;
};

// A reader's answer: ok, or the reason, naming the line or the element.
struct ReadResult
{
    bool ok = false;
    QString error;
};

// A colour exchange file read whole: CxF3 when its name ends in ".cxf" (in
// any case), CGATS otherwise (".ti3", ".txt").
ReadResult readExchangeFile(const QString& path, ExchangeDocument& document);

// And written whole: CxF3 for a ".cxf" name, CGATS otherwise.
bool writeExchangeFile(const ExchangeDocument& document, const QString& path, QString* error = nullptr);

// Samples are handed to a sink one at a time, so neither side holds a whole
// large file; a false answer stops the reading (reported as an error).
using SampleSink = std::function<bool(const ExchangeSample&)>;

// A comparison record as its two samples: the standard (id "S<n>") and the
// measured sample (id "T<n>"), n counting from 1, both named with the test
// name. A record whose L*a*b* was not measured (a haze meter's) gives none;
// legacy records give their L*a*b* likewise. The document is a
// transmittance one when the first record's layout (0 or 3) measures so.
// everyReading: a side read several times gives one sample per reading
// ("T3.1", "T3.2", … named "<name> (1/3)") instead of their mean.
bool standardSample(const ComparisonRecord& record, int n, ExchangeSample& sample);
bool targetSample(const ComparisonRecord& record, int n, ExchangeSample& sample);
ExchangeDocument documentFromRecords(const QList<ComparisonRecord>& records, const QDateTime& created,
                                     bool everyReading = false);

// Writes path whole or not at all: write fills a temporary file that
// replaces path only once write has succeeded. The file's own errors go to
// error; write reports its own.
bool saveFile(const QString& path, QString* error, const std::function<bool(QIODevice&)>& write);

// The writers gather their output and hand it to the device a piece at a
// time, so a large export is never held whole: flushBuffer passes buffer on
// once it holds kWritePieceBytes (force: at once) and empties it; false, with
// the device's reason in error, when the device takes less.
inline constexpr qsizetype kWritePieceBytes = 1 << 20;
bool flushBuffer(QIODevice& device, QByteArray& buffer, bool force, QString& error);

// A reader's fault at a line of its input: "line 12: …".
QString lineError(int line, const QString& message);
// A refused value as a fault message quotes it: its first 40 bytes at most.
QString shownValue(QByteArrayView text);

// Hands a document's samples to a writer whose begin() gave begun, then
// finishes it; the writer's error goes to error.
template <typename Writer>
bool writeSamples(Writer& writer, bool begun, const ExchangeDocument& document, QString* error)
{
    bool ok = begun;
    for (qsizetype i = 0; ok && i < document.samples.size(); ++i) {
        ok = writer.add(document.samples.at(i));
    }
    ok = ok && writer.finish();
    if (!ok && error) {
        *error = writer.errorString();
    }
    return ok;
}

// Spectral records as targets with ids "T1", "T2", …: layouts 0 and 3
// measure transmittance, 1 and 2 reflectance. Unnamed records are called
// "spec1", "spec2", … as the spectral table numbers them. Each sample gets
// its colour computed for colour (D65/10° unless given; none for nullopt).
bool transmittanceLayout(int layoutIndex);
ExchangeSample spectralSample(const NamedSpectrum& spectrum, int n);
ExchangeDocument documentFromSpectra(const QList<NamedSpectrum>& spectra, int layoutIndex, const QDateTime& created,
                                     const std::optional<colorimetry::ColourConditions>& colour =
                                         colorimetry::ColourConditions{});
ComputedColour computedColour(const std::array<double, kSpectralPointCount>& spectrum,
                              const colorimetry::ColourConditions& conditions);

// Colour arithmetic the files need: the D65/10° L*a*b* as XYZ and L*a*b* for
// the D50 white of colour-management tools (Bradford adaptation).
struct Xyz
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
Xyz d50XyzFromD65Lab(double l, double a, double b);
void d50LabFromD65Lab(double l, double a, double b, double& l50, double& a50, double& b50);
void d50LabFromXyz(const Xyz& xyz, double& l50, double& a50, double& b50);

// Numbers as every format prints them: C locale, always with a decimal
// point, never in exponent form: at most `decimals` decimals with trailing
// zeros dropped ("50.12", "100.0"); fixed keeps them all ("12.50").
void appendNumber(QByteArray& out, double value, int decimals);
void appendFixed(QByteArray& out, double value, int decimals);
// "yyyy/MM/dd  hh:mm" as the tables show a record's time, and the ISO form
// with the offset from UTC ("2026-12-08T16:00:00+08:00"); nothing for an
// invalid time. Made by hand: they are written for every record.
void appendTableTime(QByteArray& out, const QDateTime& time);
void appendIsoTime(QByteArray& out, const QDateTime& time);
// The two back (local time for the table's form); invalid when malformed.
QDateTime parseTableTime(QStringView text);
QDateTime parseIsoTime(QStringView text);
// The largest magnitude a reader takes for an L*a*b* value or a percentage:
// far beyond any colour, and small enough to be written back exactly.
inline constexpr double kLargestValue = 1e5;
// A strict decimal number: optional sign, digits, optional point and
// digits, optional exponent; no comma, no white space, no inf or nan.
bool parseNumber(QByteArrayView text, double& value);

} // namespace formats
