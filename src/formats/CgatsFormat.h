#pragma once
// CGATS text files in the measurement-file form colour-management tools read
// (".ti3": identifier CTI3). One table: SAMPLE_ID, SAMPLE_NAME, then for
// samples with L*a*b* the D50 XYZ_X/Y/Z and LAB_L/A/B a profiling tool
// expects for its own white point and the measured D65/10° values as
// D65LAB_L/A/B, then SPEC_400 … SPEC_700 in percent for spectral samples.
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
    bool begin(const QString& description, const QDateTime& created, bool transmittance, qsizetype count,
               bool lab, bool spectrum);
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
};

bool writeCgats(const ExchangeDocument& document, QIODevice& device, QString* error = nullptr);
bool writeCgatsFile(const ExchangeDocument& document, const QString& path, QString* error = nullptr);

// Reads the first table; header fields go to document (its samples stay
// empty), the samples to sink.
ReadResult readCgats(QByteArrayView bytes, ExchangeDocument& header, const SampleSink& sink);
ReadResult readCgats(QByteArrayView bytes, ExchangeDocument& document);

} // namespace formats
