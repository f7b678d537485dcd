#include "CxfFormat.h"

#include <QHash>
#include <QXmlStreamReader>

#include <cmath>
#include <vector>

namespace formats {

namespace {

constexpr int kMaxDepth = 32;

enum class Element {
    Other,
    CxF,
    FileInformation,
    Object,
    CreationDate,
    Description,
    ColorCIELab,
    ColorCIEXYZ,
    X,
    Y,
    Z,
    Method,
    L,
    A,
    B,
    Spectrum,
    ColorSpecification,
    Illuminant,
    Observer,
    MeasurementType,
    WavelengthRange,
};

Element elementOf(QStringView name)
{
    static const std::pair<const char*, Element> names[] = {
        {"CxF", Element::CxF},
        {"FileInformation", Element::FileInformation},
        {"Object", Element::Object},
        {"CreationDate", Element::CreationDate},
        {"Description", Element::Description},
        {"ColorCIELab", Element::ColorCIELab},
        {"ColorCIEXYZ", Element::ColorCIEXYZ},
        {"X", Element::X},
        {"Y", Element::Y},
        {"Z", Element::Z},
        {"Method", Element::Method},
        {"L", Element::L},
        {"A", Element::A},
        {"B", Element::B},
        {"ReflectanceSpectrum", Element::Spectrum},
        {"TransmittanceSpectrum", Element::Spectrum},
        {"ColorSpecification", Element::ColorSpecification},
        {"Illuminant", Element::Illuminant},
        {"Observer", Element::Observer},
        {"MeasurementType", Element::MeasurementType},
        {"WavelengthRange", Element::WavelengthRange},
    };
    for (const auto& [text, element] : names) {
        if (name == QLatin1String(text)) {
            return element;
        }
    }
    return Element::Other;
}

struct LabValues
{
    QString conditionsId; // the Id of the ColorSpecification it refers to
    double values[3] = {0.0, 0.0, 0.0};
    bool seen[3] = {false, false, false};
    qint64 line = 0;
};

struct SpectrumValues
{
    QString conditionsId;
    bool transmittance = false;
    int startWl = -1; // -1: from its conditions
    std::vector<double> values;
    qint64 line = 0;
};

struct PendingObject
{
    ExchangeSample sample;
    qint64 line = 0;
    std::vector<LabValues> labs;
    std::vector<LabValues> xyzs; // X, Y, Z in values[0..2]
    std::vector<SpectrumValues> spectra;
};

// A ColorSpecification element: the conditions values refer to.
struct Conditions
{
    QString illuminant;
    QString observer;
    QString measurementType;
    QString method; // E308_Table5 or E308_Table6: colour computed from a spectrum
    int startWl = -1;
    int increment = -1;
};

class CxfReader
{
    Q_DECLARE_TR_FUNCTIONS(CxfReader)
public:
    CxfReader(QByteArrayView bytes, ExchangeDocument& document) : m_xml(bytes.toByteArray()), m_document(document) {}
    ReadResult run();

private:
    bool fail(const QString& message);
    bool failAt(qint64 line, const QString& message);
    bool element(Element kind);
    bool text(QString& out);
    bool number(const QString& elementName, QStringView text, double& value, qint64 line);
    bool resolve(PendingObject& object);
    static bool isComputed(const Conditions& conditions);
    // The object's computed colour: lab and the ColorCIEXYZ under the same
    // conditions, when the engine knows them.
    bool readComputed(PendingObject& object, const LabValues& lab);

    QXmlStreamReader m_xml;
    ExchangeDocument& m_document;
    QString m_error;
    std::vector<Element> m_stack;
    std::vector<PendingObject> m_objects;
    QHash<QString, Conditions> m_conditions;
    Conditions* m_openConditions = nullptr; // the ColorSpecification being read
    bool m_transmittance = false;
};

bool CxfReader::fail(const QString& message)
{
    return failAt(m_xml.lineNumber(), message);
}

bool CxfReader::failAt(qint64 line, const QString& message)
{
    m_error = lineError(int(line), message);
    return false;
}

bool CxfReader::text(QString& out)
{
    out = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    m_stack.pop_back(); // readElementText consumed the end element
    if (m_xml.hasError()) {
        return fail(m_xml.errorString());
    }
    return true;
}

bool CxfReader::number(const QString& elementName, QStringView text, double& value, qint64 line)
{
    const QByteArray latin = text.trimmed().toLatin1();
    const QString shown = text.trimmed().left(40).toString();
    if (parseNumber(latin, value)) {
        if (std::fabs(value) > kLargestValue) {
            return failAt(line, tr("%1 value \"%2\" is out of range").arg(elementName, shown));
        }
        return true;
    }
    if (latin.contains(',')) {
        return failAt(line, tr("%1 value \"%2\" has a comma as its decimal mark; CxF numbers use a point")
                                .arg(elementName, shown));
    }
    return failAt(line, tr("%1 value \"%2\" is not a number").arg(elementName, shown));
}

bool CxfReader::element(Element kind)
{
    const Element parent = m_stack.size() >= 2 ? m_stack[m_stack.size() - 2] : Element::Other;
    const QXmlStreamAttributes attributes = m_xml.attributes();
    PendingObject* object = m_objects.empty() ? nullptr : &m_objects.back();
    const bool inObject = std::find(m_stack.begin(), m_stack.end(), Element::Object) != m_stack.end();
    switch (kind) {
    case Element::Object: {
        if (!attributes.hasAttribute(QStringLiteral("Id"))) {
            return fail(tr("Object without Id"));
        }
        PendingObject pending;
        pending.line = m_xml.lineNumber();
        pending.sample.id = attributes.value(QStringLiteral("Id")).toString();
        pending.sample.name = attributes.value(QStringLiteral("Name")).toString();
        pending.sample.kind = attributes.value(QStringLiteral("ObjectType")) == QLatin1String("Standard")
                                  ? SampleKind::Standard
                                  : SampleKind::Target;
        m_objects.push_back(std::move(pending));
        return true;
    }
    case Element::CreationDate: {
        QString value;
        if (!text(value)) {
            return false;
        }
        const QDateTime when = parseIsoTime(QStringView(value).trimmed());
        if (!when.isValid()) {
            return fail(tr("CreationDate \"%1\" is no date and time").arg(value.left(40)));
        }
        if (parent == Element::Object && object) {
            object->sample.created = when;
        } else if (parent == Element::FileInformation) {
            m_document.created = when;
        }
        return true;
    }
    case Element::Description:
        if (parent == Element::FileInformation) {
            return text(m_document.description);
        }
        return true;
    case Element::ColorCIELab:
        if (inObject && object) {
            LabValues lab;
            lab.conditionsId = attributes.value(QStringLiteral("ColorSpecification")).toString();
            lab.line = m_xml.lineNumber();
            object->labs.push_back(lab);
        }
        return true;
    case Element::ColorCIEXYZ:
        if (inObject && object) {
            LabValues xyz;
            xyz.conditionsId = attributes.value(QStringLiteral("ColorSpecification")).toString();
            xyz.line = m_xml.lineNumber();
            object->xyzs.push_back(xyz);
        }
        return true;
    case Element::X:
    case Element::Y:
    case Element::Z:
    case Element::L:
    case Element::A:
    case Element::B: {
        const bool isXyz = kind == Element::X || kind == Element::Y || kind == Element::Z;
        if (parent != (isXyz ? Element::ColorCIEXYZ : Element::ColorCIELab) || !inObject || !object
            || (isXyz ? object->xyzs : object->labs).empty()) {
            return true;
        }
        const qint64 line = m_xml.lineNumber();
        const QString name = m_xml.name().toString();
        QString value;
        if (!text(value)) {
            return false;
        }
        const int index = kind == Element::L || kind == Element::X ? 0 : kind == Element::A || kind == Element::Y ? 1 : 2;
        LabValues& lab = (isXyz ? object->xyzs : object->labs).back();
        lab.seen[index] = true;
        return number(name, value, lab.values[index], line);
    }
    case Element::Spectrum: {
        if (!inObject || !object) {
            return true;
        }
        SpectrumValues spectrum;
        spectrum.line = m_xml.lineNumber();
        spectrum.transmittance = m_xml.name() == QLatin1String("TransmittanceSpectrum");
        spectrum.conditionsId = attributes.value(QStringLiteral("ColorSpecification")).toString();
        if (attributes.hasAttribute(QStringLiteral("StartWL"))) {
            bool ok = false;
            spectrum.startWl = attributes.value(QStringLiteral("StartWL")).toInt(&ok);
            if (!ok || spectrum.startWl < 0) {
                return fail(tr("StartWL needs a whole number of nanometres"));
            }
        }
        const QString name = m_xml.name().toString();
        QString value;
        if (!text(value)) {
            return false;
        }
        const QStringView all(value);
        qsizetype i = 0;
        while (i < all.size()) {
            while (i < all.size() && all[i].isSpace()) {
                ++i;
            }
            const qsizetype start = i;
            while (i < all.size() && !all[i].isSpace()) {
                ++i;
            }
            if (i == start) {
                break;
            }
            double factor = 0.0;
            if (!number(name, all.sliced(start, i - start), factor, spectrum.line)) {
                return false;
            }
            if (spectrum.values.size() >= 4096) {
                return failAt(spectrum.line, tr("%1 holds more than 4096 values").arg(name));
            }
            spectrum.values.push_back(factor);
        }
        object->spectra.push_back(std::move(spectrum));
        return true;
    }
    case Element::ColorSpecification:
        if (!inObject) {
            const QString id = attributes.value(QStringLiteral("Id")).toString();
            m_openConditions = &m_conditions[id];
        }
        return true;
    case Element::Illuminant:
    case Element::Observer:
    case Element::Method:
    case Element::MeasurementType: {
        if (inObject || !m_openConditions
            || std::find(m_stack.begin(), m_stack.end(), Element::ColorSpecification) == m_stack.end()) {
            return true;
        }
        QString value;
        if (!text(value)) {
            return false;
        }
        (kind == Element::Illuminant ? m_openConditions->illuminant
         : kind == Element::Observer ? m_openConditions->observer
         : kind == Element::Method   ? m_openConditions->method
                                     : m_openConditions->measurementType) = value.trimmed();
        return true;
    }
    case Element::WavelengthRange:
        if (!inObject && m_openConditions) {
            bool startOk = false;
            bool incrementOk = false;
            m_openConditions->startWl = attributes.value(QStringLiteral("StartWL")).toInt(&startOk);
            m_openConditions->increment = attributes.value(QStringLiteral("Increment")).toInt(&incrementOk);
            if (!startOk || !incrementOk) {
                return fail(tr("WavelengthRange needs whole numbers for StartWL and Increment"));
            }
        }
        return true;
    default:
        return true;
    }
}

bool CxfReader::isComputed(const Conditions& conditions)
{
    return conditions.method.startsWith(QLatin1String("E308_"));
}

bool CxfReader::readComputed(PendingObject& object, const LabValues& lab)
{
    const Conditions& conditions = m_conditions[lab.conditionsId];
    const std::optional<colorimetry::Illuminant> illuminant = colorimetry::illuminantFromName(conditions.illuminant);
    std::optional<colorimetry::Observer> observer;
    if (conditions.observer == QLatin1String("2_Degree")) {
        observer = colorimetry::Observer::Cie1931TwoDegree;
    } else if (conditions.observer == QLatin1String("10_Degree")) {
        observer = colorimetry::Observer::Cie1964TenDegree;
    }
    // Conditions the engine does not know, or other than the first object's,
    // leave the computed colour out: the spectrum is what was measured.
    if (!illuminant || !observer) {
        return true;
    }
    if (m_document.computedFor
        && (m_document.computedFor->illuminant != *illuminant || m_document.computedFor->observer != *observer)) {
        return true;
    }
    for (const LabValues& xyz : object.xyzs) {
        if (xyz.conditionsId != lab.conditionsId) {
            continue;
        }
        if (!xyz.seen[0] || !xyz.seen[1] || !xyz.seen[2]) {
            return failAt(xyz.line, tr("Object \"%1\": ColorCIEXYZ needs X, Y and Z").arg(object.sample.id.left(40)));
        }
        object.sample.computed = ComputedColour{{xyz.values[0], xyz.values[1], xyz.values[2]},
                                                {lab.values[0], lab.values[1], lab.values[2]}};
        m_document.computedFor = colorimetry::ColourConditions{*illuminant, *observer};
        return true;
    }
    return true;
}

bool CxfReader::resolve(PendingObject& object)
{
    ExchangeSample& sample = object.sample;
    const QString who = tr("Object \"%1\"").arg(sample.id.left(40));
    QString labProblem;
    const LabValues* computedLab = nullptr;
    for (const LabValues& lab : object.labs) {
        if (sample.hasLab) {
            // The measured L*a*b* is taken; after it only the computed colour is looked for.
            const auto conditions = m_conditions.constFind(lab.conditionsId);
            if (!computedLab && !object.spectra.empty() && conditions != m_conditions.cend() && isComputed(*conditions)
                && lab.seen[0] && lab.seen[1] && lab.seen[2]) {
                computedLab = &lab;
            }
            continue;
        }
        if (!lab.seen[0] || !lab.seen[1] || !lab.seen[2]) {
            return failAt(lab.line, tr("%1: ColorCIELab needs L, A and B").arg(who));
        }
        const auto conditions = m_conditions.constFind(lab.conditionsId);
        if (conditions == m_conditions.cend()) {
            return failAt(lab.line, tr("%1: ColorSpecification \"%2\" is not defined").arg(who, lab.conditionsId.left(40)));
        }
        // Computed from the object's spectrum, not measured.
        if (isComputed(*conditions) && !object.spectra.empty()) {
            computedLab = computedLab ? computedLab : &lab;
            continue;
        }
        if (conditions->illuminant != QLatin1String("D65") || conditions->observer != QLatin1String("10_Degree")) {
            labProblem = tr("%1: its ColorCIELab is for %2/%3; standards need D65/10_Degree")
                             .arg(who, conditions->illuminant.left(20), conditions->observer.left(20));
            continue;
        }
        sample.hasLab = true;
        sample.l = lab.values[0];
        sample.a = lab.values[1];
        sample.b = lab.values[2];
        if (conditions->measurementType.contains(QLatin1String("Transmittance"))) {
            m_transmittance = true;
        }
    }
    if (!object.spectra.empty()) {
        const SpectrumValues& spectrum = object.spectra.front();
        const auto conditions = m_conditions.constFind(spectrum.conditionsId);
        if (conditions == m_conditions.cend()) {
            return failAt(spectrum.line,
                          tr("%1: ColorSpecification \"%2\" is not defined").arg(who, spectrum.conditionsId.left(40)));
        }
        const int start = spectrum.startWl >= 0 ? spectrum.startWl : conditions->startWl;
        const int increment = conditions->increment > 0 ? conditions->increment : kWavelengthStepNm;
        if (start < 0) {
            return failAt(spectrum.line, tr("%1: the spectrum has no StartWL").arg(who));
        }
        if (kWavelengthStepNm % increment != 0 || start > kFirstWavelengthNm
            || (kFirstWavelengthNm - start) % increment != 0) {
            return failAt(spectrum.line, tr("%1: the spectrum (from %2 nm in %3 nm steps) has no band at 400 nm, 410 "
                                            "nm, … 700 nm")
                                             .arg(who)
                                             .arg(start)
                                             .arg(increment));
        }
        for (int k = 0; k < kSpectralPointCount; ++k) {
            const std::size_t index = std::size_t((kFirstWavelengthNm + kWavelengthStepNm * k - start) / increment);
            if (index >= spectrum.values.size()) {
                return failAt(spectrum.line, tr("%1: the spectrum is missing bands from %2 nm on")
                                                 .arg(who)
                                                 .arg(kFirstWavelengthNm + kWavelengthStepNm * k));
            }
            // Factors back to percent, to the millionth, so a percentage
            // written with up to six decimals reads back exactly.
            sample.spectrum[k] = std::round(spectrum.values[index] * 100.0 * 1e6) / 1e6;
        }
        sample.hasSpectrum = true;
        if (spectrum.transmittance) {
            m_transmittance = true;
        }
    }
    if (computedLab && sample.hasSpectrum && !readComputed(object, *computedLab)) {
        return false;
    }
    if (!sample.hasLab && !sample.hasSpectrum) {
        return failAt(object.line, labProblem.isEmpty()
                                       ? tr("%1 has neither ColorCIELab nor a spectrum").arg(who)
                                       : labProblem);
    }
    return true;
}

ReadResult CxfReader::run()
{
    m_document = ExchangeDocument{};
    ReadResult result;
    auto done = [&](bool ok) {
        result.ok = ok;
        result.error = ok ? QString() : m_error;
        if (!ok) {
            m_document.samples.clear();
        }
        return result;
    };
    bool rootSeen = false;
    while (!m_xml.atEnd()) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            return done(fail(tr("document type declarations are not accepted")));
        }
        if (token == QXmlStreamReader::EndElement) {
            if (!m_stack.empty() && m_stack.back() == Element::ColorSpecification) {
                m_openConditions = nullptr;
            }
            if (!m_stack.empty()) {
                m_stack.pop_back();
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        if (m_stack.size() >= std::size_t(kMaxDepth)) {
            return done(fail(tr("elements are nested deeper than %1 levels").arg(kMaxDepth)));
        }
        const bool ours = m_xml.namespaceUri() == QLatin1String(kCxfNamespace);
        const Element kind = ours ? elementOf(m_xml.name()) : Element::Other;
        if (!rootSeen) {
            rootSeen = true;
            if (kind != Element::CxF) {
                return done(fail(tr("the root element is {%1}%2, not CxF in the namespace %3")
                                     .arg(m_xml.namespaceUri().left(80).toString(), m_xml.name().left(40).toString(),
                                          QLatin1String(kCxfNamespace))));
            }
        }
        m_stack.push_back(kind);
        if (!element(kind)) {
            return done(false);
        }
    }
    if (m_xml.hasError()) {
        return done(fail(m_xml.errorString()));
    }
    if (!rootSeen) {
        return done(failAt(1, tr("the file holds no XML element")));
    }
    for (PendingObject& object : m_objects) {
        if (!resolve(object)) {
            return done(false);
        }
        m_document.samples.append(object.sample);
    }
    m_document.transmittance = m_transmittance;
    return done(true);
}

} // namespace

ReadResult readCxf(QByteArrayView bytes, ExchangeDocument& document)
{
    return CxfReader(bytes, document).run();
}

} // namespace formats
