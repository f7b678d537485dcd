#include "CgatsFormat.h"

#include <cmath>

namespace formats {

namespace {

const char* const kLabFields[] = {"XYZ_X", "XYZ_Y", "XYZ_Z", "LAB_L", "LAB_A", "LAB_B", "D65LAB_L", "D65LAB_A", "D65LAB_B"};
const char* const kComputedFields[] = {"XYZ_X", "XYZ_Y", "XYZ_Z", "LAB_L", "LAB_A", "LAB_B"};

// A quoted CGATS string: a quote is doubled; a line break or other control
// character would end the line, so it is written as a space.
void appendQuoted(QByteArray& out, const QString& text)
{
    out.append('"');
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        if (c == '"') {
            out.append("\"\"");
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            out.append(' ');
        } else {
            out.append(c);
        }
    }
    out.append('"');
}

QString createdText(const QDateTime& created)
{
    return (created.isValid() ? created : QDateTime::currentDateTime()).toString(Qt::ISODate);
}

} // namespace

bool CgatsWriter::fail(const QString& error)
{
    m_error = error;
    return false;
}

bool CgatsWriter::flush(bool force)
{
    return flushBuffer(m_device, m_buffer, force, m_error);
}

bool CgatsWriter::begin(const QString& description, const QDateTime& created, bool transmittance, qsizetype count,
                        bool lab, bool spectrum, const std::optional<colorimetry::ColourConditions>& computed)
{
    m_computed = computed && spectrum && !lab;
    if (!lab && !spectrum && count > 0) {
        return fail(tr("The samples have neither L*a*b* values nor a spectrum."));
    }
    m_expected = count;
    m_written = 0;
    m_lab = lab;
    m_spectrum = spectrum;
    m_buffer.reserve(kWritePieceBytes + 4096);
    m_buffer.append("CTI3\n\nDESCRIPTOR ");
    appendQuoted(m_buffer, description);
    m_buffer.append("\nORIGINATOR \"Tintwell\"\nCREATED ");
    appendQuoted(m_buffer, createdText(created));
    m_buffer.append("\nDEVICE_CLASS \"OUTPUT\"\n");
    m_buffer.append("KEYWORD \"MEASUREMENT_MODE\"\nMEASUREMENT_MODE ");
    m_buffer.append(transmittance ? "\"TRANSMITTANCE\"\n" : "\"REFLECTANCE\"\n");
    if (lab) {
        m_buffer.append("KEYWORD \"D65LAB_L\"\nKEYWORD \"D65LAB_A\"\nKEYWORD \"D65LAB_B\"\n");
    }
    if (spectrum) {
        m_buffer.append("SPECTRAL_BANDS \"31\"\nSPECTRAL_START_NM \"400.0\"\nSPECTRAL_END_NM \"700.0\"\n"
                        "SPECTRAL_NORM \"100.0\"\n");
    }
    if (m_computed) {
        using namespace colorimetry;
        const XyzColor& white = TristimulusWeights::standard(computed->illuminant, computed->observer).white();
        m_buffer.append("KEYWORD \"ILLUMINANT\"\nILLUMINANT ");
        appendQuoted(m_buffer, illuminantName(computed->illuminant));
        m_buffer.append("\nKEYWORD \"OBSERVER\"\nOBSERVER ");
        m_buffer.append(computed->observer == Observer::Cie1931TwoDegree ? "\"2\"" : "\"10\"");
        m_buffer.append("\nKEYWORD \"ILLUMINANT_WHITE_POINT_XYZ\"\nILLUMINANT_WHITE_POINT_XYZ \"");
        appendFixed(m_buffer, white.x / 100.0, 6);
        m_buffer.append(' ');
        appendFixed(m_buffer, white.y / 100.0, 6);
        m_buffer.append(' ');
        appendFixed(m_buffer, white.z / 100.0, 6);
        m_buffer.append("\"\n");
    }
    const int fields = 2 + (lab ? 9 : 0) + (m_computed ? 6 : 0) + (spectrum ? kSpectralPointCount : 0);
    m_buffer.append("\nNUMBER_OF_FIELDS ").append(QByteArray::number(fields));
    m_buffer.append("\nBEGIN_DATA_FORMAT\nSAMPLE_ID SAMPLE_NAME");
    if (lab) {
        for (const char* field : kLabFields) {
            m_buffer.append(' ').append(field);
        }
    }
    if (m_computed) {
        for (const char* field : kComputedFields) {
            m_buffer.append(' ').append(field);
        }
    }
    if (spectrum) {
        for (int k = 0; k < kSpectralPointCount; ++k) {
            m_buffer.append(" SPEC_").append(QByteArray::number(kFirstWavelengthNm + kWavelengthStepNm * k));
        }
    }
    m_buffer.append("\nEND_DATA_FORMAT\n\nNUMBER_OF_SETS ").append(QByteArray::number(count));
    m_buffer.append("\nBEGIN_DATA\n");
    return flush(false);
}

bool CgatsWriter::add(const ExchangeSample& sample)
{
    if (m_written >= m_expected) {
        return fail(tr("More samples than announced (%1).").arg(m_expected));
    }
    if (m_lab && !sample.hasLab) {
        return fail(tr("Sample \"%1\" has no L*a*b* values.").arg(sample.id));
    }
    if (m_spectrum && !sample.hasSpectrum) {
        return fail(tr("Sample \"%1\" has no spectrum.").arg(sample.id));
    }
    if (m_computed && !sample.computed) {
        return fail(tr("Sample \"%1\" has no computed colour.").arg(sample.id));
    }
    appendQuoted(m_buffer, sample.id);
    m_buffer.append(' ');
    appendQuoted(m_buffer, sample.name);
    if (m_lab) {
        const Xyz xyz = d50XyzFromD65Lab(sample.l, sample.a, sample.b);
        double l50 = 0.0;
        double a50 = 0.0;
        double b50 = 0.0;
        d50LabFromXyz(xyz, l50, a50, b50);
        for (const double derived : {xyz.x, xyz.y, xyz.z, l50, a50, b50}) {
            m_buffer.append(' ');
            appendFixed(m_buffer, derived, 4);
        }
        for (const double measured : {sample.l, sample.a, sample.b}) {
            m_buffer.append(' ');
            appendNumber(m_buffer, measured, 6);
        }
    }
    if (m_computed) {
        const ComputedColour& c = *sample.computed;
        for (const double value : {c.xyz.x, c.xyz.y, c.xyz.z, c.lab.l, c.lab.a, c.lab.b}) {
            m_buffer.append(' ');
            appendFixed(m_buffer, value, 4);
        }
    }
    if (m_spectrum) {
        for (const double value : sample.spectrum) {
            m_buffer.append(' ');
            appendNumber(m_buffer, value, 6);
        }
    }
    m_buffer.append('\n');
    ++m_written;
    return flush(false);
}

bool CgatsWriter::finish()
{
    if (m_written != m_expected) {
        return fail(tr("%1 samples written, %2 announced.").arg(m_written).arg(m_expected));
    }
    m_buffer.append("END_DATA\n");
    return flush(true);
}

bool writeCgats(const ExchangeDocument& document, QIODevice& device, QString* error)
{
    const bool lab = !document.samples.isEmpty() && document.samples.first().hasLab;
    const bool spectrum = !document.samples.isEmpty() && document.samples.first().hasSpectrum;
    CgatsWriter writer(device);
    const bool begun = writer.begin(document.description, document.created, document.transmittance,
                                    document.samples.size(), lab || document.samples.isEmpty(), spectrum,
                                    document.samples.isEmpty() || !document.samples.first().computed
                                        ? std::nullopt
                                        : document.computedFor);
    return writeSamples(writer, begun, document, error);
}

bool writeCgatsFile(const ExchangeDocument& document, const QString& path, QString* error)
{
    return saveFile(path, error, [&](QIODevice& device) { return writeCgats(document, device, error); });
}

} // namespace formats
