#pragma once
// CGATS text files in the measurement-file form colour-management tools read
// (".ti3": identifier CTI3). One table: SAMPLE_ID, SAMPLE_NAME, then for
// samples with L*a*b* the D50 XYZ_X/Y/Z and LAB_L/A/B a profiling tool
// expects for its own white point and the measured D65/10° values as
// D65LAB_L/A/B, then SPEC_400 … SPEC_700 in percent for spectral samples.
// Spectral samples without measured L*a*b* carry their computed colour
// instead: XYZ_X/Y/Z under the illuminant and observer the header names
// (ILLUMINANT "D65", OBSERVER "10", and the white as
// ILLUMINANT_WHITE_POINT_XYZ with Y = 1) and LAB_L/A/B against that white.
//
// The reader is strict: it names the line of every fault (counts that do not
// match, a missing END_DATA, a comma as decimal mark, missing bands) and
// refuses L*a*b* that is not declared D65/10° (LAB_L/A/B alone are D50).

#include "Exchange.h"

#include <QIODevice>

namespace formats {

// Writes a document to a device or a file as it goes: begin() with the
// number of samples, add() each, finish(). Every sample must have what the
// first one has (L*a*b*, spectrum).
class CgatsWriter
{
    Q_DECLARE_TR_FUNCTIONS(CgatsWriter)
public:
    explicit CgatsWriter(QIODevice& device) : m_device(device) {}
    // computed: the conditions of the samples' computed colour, written
    // only for spectra without L*a*b*; every sample must then carry it.
    bool begin(const QString& description, const QDateTime& created, bool transmittance, qsizetype count,
               bool lab, bool spectrum, const std::optional<colorimetry::ColourConditions>& computed = std::nullopt);
    bool add(const ExchangeSample& sample);
    bool finish();
    QString errorString() const { return m_error; }

private:
    bool flush(bool force);
    bool fail(const QString& error);

    QIODevice& m_device;
    QByteArray m_buffer;
    QString m_error;
    qsizetype m_expected = 0;
    qsizetype m_written = 0;
    bool m_lab = false;
    bool m_spectrum = false;
    bool m_computed = false;
};

bool writeCgats(const ExchangeDocument& document, QIODevice& device, QString* error = nullptr);
bool writeCgatsFile(const ExchangeDocument& document, const QString& path, QString* error = nullptr);

// Reads the first table; header fields go to document (its samples stay
// empty), the samples to sink. The computed colour is read back where the
// header names an illuminant and observer and the spectra have no measured
// L*a*b*; elsewhere XYZ_ and LAB_ fields are only checked to be numbers.
ReadResult readCgats(QByteArrayView bytes, ExchangeDocument& header, const SampleSink& sink);
ReadResult readCgats(QByteArrayView bytes, ExchangeDocument& document);

} // namespace formats
