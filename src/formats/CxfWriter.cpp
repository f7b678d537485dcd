#include "CxfFormat.h"

#include <cmath>

namespace formats {

namespace {

constexpr const char* kLabConditions = "Tintwell_D65_10";
constexpr const char* kSpectrumConditions = "Tintwell_Spectrum";
constexpr const char* kComputedConditions = "Tintwell_Computed";

// Text for element content or an attribute value: markup characters as
// entities; tab, line feed and carriage return as character references so
// an attribute keeps them; other control characters, which XML 1.0 cannot
// carry, as spaces.
void appendEscaped(QByteArray& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '"': out.append("&quot;"); break;
        case '\t': out.append("&#9;"); break;
        case '\n': out.append("&#10;"); break;
        case '\r': out.append("&#13;"); break;
        default:
            out.append(static_cast<unsigned char>(c) < 0x20 ? ' ' : c);
            break;
        }
    }
}

QByteArray dateText(const QDateTime& when)
{
    QByteArray text;
    appendIsoTime(text, when.isValid() ? when : QDateTime::currentDateTime());
    return text;
}

// The measured values' conditions are the instrument's D65/10°, method unknown.
void appendConditions(QByteArray& out, const char* id, const char* type, const char* geometry, bool range,
                      const std::optional<colorimetry::ColourConditions>& computed = std::nullopt)
{
    out.append("   <cc:ColorSpecification Id=\"").append(id).append("\">\n");
    if (computed) {
        out.append("    <cc:TristimulusSpec>\n     <cc:Illuminant>");
        out.append(colorimetry::illuminantName(computed->illuminant).toLatin1());
        out.append("</cc:Illuminant>\n     <cc:Observer>");
        out.append(computed->observer == colorimetry::Observer::Cie1931TwoDegree ? "2_Degree" : "10_Degree");
        out.append("</cc:Observer>\n     <cc:Method>E308_Table5</cc:Method>\n    </cc:TristimulusSpec>\n");
    } else {
        out.append("    <cc:TristimulusSpec>\n     <cc:Illuminant>D65</cc:Illuminant>\n"
                   "     <cc:Observer>10_Degree</cc:Observer>\n     <cc:Method>unknown</cc:Method>\n"
                   "    </cc:TristimulusSpec>\n");
    }
    out.append("    <cc:MeasurementSpec>\n     <cc:MeasurementType>").append(type).append("</cc:MeasurementType>\n");
    out.append("     <cc:GeometryChoice>\n      <cc:SphereGeometry>").append(geometry);
    out.append("</cc:SphereGeometry>\n     </cc:GeometryChoice>\n");
    if (range) {
        out.append("     <cc:WavelengthRange StartWL=\"400\" Increment=\"10\"/>\n");
    }
    out.append("    </cc:MeasurementSpec>\n   </cc:ColorSpecification>\n");
}

} // namespace

bool CxfWriter::flush(bool force)
{
    return flushBuffer(m_device, m_buffer, force, m_error);
}

bool CxfWriter::begin(const QString& description, const QDateTime& created, bool transmittance,
                      const std::optional<colorimetry::ColourConditions>& computed)
{
    m_transmittance = transmittance;
    m_computed = computed;
    m_created = dateText(created);
    m_buffer.reserve(kWritePieceBytes + 8192);
    m_buffer.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cc:CxF xmlns:cc=\"").append(kCxfNamespace);
    m_buffer.append("\">\n <cc:FileInformation>\n  <cc:Creator>Tintwell</cc:Creator>\n  <cc:CreationDate>");
    m_buffer.append(m_created).append("</cc:CreationDate>\n  <cc:Description>");
    appendEscaped(m_buffer, description);
    m_buffer.append("</cc:Description>\n </cc:FileInformation>\n <cc:Resources>\n  <cc:ObjectCollection>\n");
    return flush(false);
}

bool CxfWriter::add(const ExchangeSample& sample)
{
    if (!sample.hasLab && !sample.hasSpectrum) {
        m_error = tr("Sample \"%1\" has neither L*a*b* values nor a spectrum.").arg(sample.id);
        return false;
    }
    m_buffer.append("   <cc:Object ObjectType=\"");
    m_buffer.append(sample.kind == SampleKind::Standard ? "Standard" : "Target");
    m_buffer.append("\" Name=\"");
    appendEscaped(m_buffer, sample.name);
    m_buffer.append("\" Id=\"");
    appendEscaped(m_buffer, sample.id);
    m_buffer.append("\">\n    <cc:CreationDate>");
    if (sample.created.isValid()) {
        appendIsoTime(m_buffer, sample.created);
    } else {
        m_buffer.append(m_created);
    }
    m_buffer.append("</cc:CreationDate>\n    <cc:ColorValues>\n");
    if (sample.hasLab) {
        m_usedLab = true;
        m_buffer.append("     <cc:ColorCIELab ColorSpecification=\"").append(kLabConditions).append("\">\n      <cc:L>");
        appendNumber(m_buffer, sample.l, 6);
        m_buffer.append("</cc:L>\n      <cc:A>");
        appendNumber(m_buffer, sample.a, 6);
        m_buffer.append("</cc:A>\n      <cc:B>");
        appendNumber(m_buffer, sample.b, 6);
        m_buffer.append("</cc:B>\n     </cc:ColorCIELab>\n");
    }
    if (sample.hasSpectrum) {
        m_usedSpectrum = true;
        const char* element = m_transmittance ? "cc:TransmittanceSpectrum" : "cc:ReflectanceSpectrum";
        m_buffer.append("     <").append(element).append(" ColorSpecification=\"").append(kSpectrumConditions);
        m_buffer.append("\" StartWL=\"400\">");
        for (int k = 0; k < kSpectralPointCount; ++k) {
            if (k) {
                m_buffer.append(' ');
            }
            appendNumber(m_buffer, sample.spectrum[k] / 100.0, 8);
        }
        m_buffer.append("</").append(element).append(">\n");
        if (m_computed && sample.computed) {
            m_usedComputed = true;
            const ComputedColour& c = *sample.computed;
            m_buffer.append("     <cc:ColorCIEXYZ ColorSpecification=\"").append(kComputedConditions).append("\">\n");
            const std::pair<const char*, double> values[] = {{"X", c.xyz.x}, {"Y", c.xyz.y}, {"Z", c.xyz.z},
                                                             {"L", c.lab.l}, {"A", c.lab.a}, {"B", c.lab.b}};
            for (int i = 0; i < 6; ++i) {
                if (i == 3) {
                    m_buffer.append("     </cc:ColorCIEXYZ>\n     <cc:ColorCIELab ColorSpecification=\"");
                    m_buffer.append(kComputedConditions).append("\">\n");
                }
                m_buffer.append("      <cc:").append(values[i].first).append('>');
                appendFixed(m_buffer, values[i].second, 4);
                m_buffer.append("</cc:").append(values[i].first).append(">\n");
            }
            m_buffer.append("     </cc:ColorCIELab>\n");
        }
    }
    m_buffer.append("    </cc:ColorValues>\n   </cc:Object>\n");
    return flush(false);
}

bool CxfWriter::finish()
{
    m_buffer.append("  </cc:ObjectCollection>\n  <cc:ColorSpecificationCollection>\n");
    // A sphere instrument measuring transmittance against a diffuse white
    // reports "Diffuse"; in reflection the colorimeters include the specular part.
    const char* geometry = m_transmittance ? "Diffuse" : "Specular_Included";
    if (m_usedLab || !m_usedSpectrum) {
        appendConditions(m_buffer, kLabConditions,
                            m_transmittance ? "Colorimetric_Transmittance" : "Colorimetric_Reflectance", geometry, false);
    }
    if (m_usedSpectrum) {
        appendConditions(m_buffer, kSpectrumConditions,
                            m_transmittance ? "Spectrum_Transmittance" : "Spectrum_Reflectance", geometry, true);
    }
    if (m_usedComputed) {
        appendConditions(m_buffer, kComputedConditions,
                         m_transmittance ? "Colorimetric_Transmittance" : "Colorimetric_Reflectance", geometry, false,
                         m_computed);
    }
    m_buffer.append("  </cc:ColorSpecificationCollection>\n </cc:Resources>\n</cc:CxF>\n");
    return flush(true);
}

bool writeCxf(const ExchangeDocument& document, QIODevice& device, QString* error)
{
    CxfWriter writer(device);
    const bool begun =
        writer.begin(document.description, document.created, document.transmittance, document.computedFor);
    return writeSamples(writer, begun, document, error);
}

bool writeCxfFile(const ExchangeDocument& document, const QString& path, QString* error)
{
    return saveFile(path, error, [&](QIODevice& device) { return writeCxf(document, device, error); });
}

} // namespace formats
