#pragma once
// CxF3 colour exchange documents (cc:CxF in the CxF3-core namespace): file
// information, one Object per sample (ObjectType Standard or Target, Name,
// Id, CreationDate) with its CIELab values for D65 and the 10° observer and,
// for spectral samples, its reflectance or transmittance spectrum at 400 …
// 700 nm in 10 nm steps as factors (0 … 1); the measurement conditions they
// refer to (illuminant, observer, wavelength range) follow the objects.
// A spectrum's computed colour is given beside it as ColorCIEXYZ and
// ColorCIELab under their own TristimulusSpec (the illuminant, the observer
// and Method E308_Table5, the weights the colorimetry engine uses); the
// reader keeps it apart from measured L*a*b* by that Method.
//
// The reader is strict and names the element and line of every fault (a
// wrong namespace, missing bands, a comma as decimal mark, an undefined
// ColorSpecification reference, L*a*b* for another illuminant or observer); it
// refuses document type declarations and nesting deeper than 32 levels.

#include "Exchange.h"

#include <QIODevice>

namespace formats {

inline constexpr const char* kCxfNamespace = "http://colorexchangeformat.com/CxF3-core";

class CxfWriter
{
    Q_DECLARE_TR_FUNCTIONS(CxfWriter)
public:
    explicit CxfWriter(QIODevice& device) : m_device(device) {}
    // computed: the conditions of the samples' computed colour (written for
    // the samples that carry it).
    bool begin(const QString& description, const QDateTime& created, bool transmittance,
               const std::optional<colorimetry::ColourConditions>& computed = std::nullopt);
    bool add(const ExchangeSample& sample);
    bool finish();
    QString errorString() const { return m_error; }

private:
    bool flush(bool force);

    QIODevice& m_device;
    QByteArray m_buffer;
    QString m_error;
    QByteArray m_created;
    bool m_transmittance = false;
    bool m_usedLab = false;
    bool m_usedSpectrum = false;
    bool m_usedComputed = false;
    std::optional<colorimetry::ColourConditions> m_computed;
};

bool writeCxf(const ExchangeDocument& document, QIODevice& device, QString* error = nullptr);
bool writeCxfFile(const ExchangeDocument& document, const QString& path, QString* error = nullptr);

ReadResult readCxf(QByteArrayView bytes, ExchangeDocument& document);

} // namespace formats
