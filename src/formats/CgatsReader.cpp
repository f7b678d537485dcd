#include "CgatsFormat.h"


#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace formats {

namespace {

constexpr int kMaxFields = 4096;

struct Token
{
    QByteArrayView text;
    bool quoted = false;
};

class CgatsReader
{
    Q_DECLARE_TR_FUNCTIONS(CgatsReader)
public:
    CgatsReader(QByteArrayView bytes, ExchangeDocument& header, const SampleSink& sink)
        : m_bytes(bytes), m_header(header), m_sink(sink)
    {
    }

    ReadResult run();

private:
    bool nextLine();
    bool tokenize();
    // Reads lines until one holds words. False when the file ends first
    // (failing with atEnd, translated then) or a line cannot be split.
    bool nextTokens(const char* atEnd);
    bool fail(const QString& message);
    bool failAt(int line, const QString& message);
    bool readFormat();
    bool startData();
    bool readSet();
    // ranged: the value is taken, so it must lie within kLargestValue;
    // fields only checked (the derived XYZ and D50 L*a*b*) need be numbers.
    bool number(int column, double& value, bool ranged = true);

    QByteArrayView m_bytes;
    ExchangeDocument& m_header;
    const SampleSink& m_sink;
    qsizetype m_position = 0;
    int m_line = 0;
    QByteArrayView m_text;
    std::vector<Token> m_tokens;
    std::vector<QByteArray> m_unquoted;
    QString m_error;

    std::vector<QByteArray> m_fields;
    qint64 m_declaredFields = -1;
    int m_declaredFieldsLine = 0;
    qint64 m_declaredSets = -1;
    int m_declaredSetsLine = 0;
    int m_formatLine = 0;
    double m_spectralNorm = 100.0;
    qint64 m_sets = 0;

    int m_idColumn = -1;
    int m_nameColumn = -1;
    int m_labColumns[3] = {-1, -1, -1};
    // XYZ_X, XYZ_Y, XYZ_Z, LAB_L, LAB_A, LAB_B: the computed colour of a
    // spectrum when the header names its illuminant and observer.
    int m_computedColumns[6] = {-1, -1, -1, -1, -1, -1};
    std::optional<colorimetry::Illuminant> m_illuminant;
    std::optional<colorimetry::Observer> m_observer;
    bool m_hasComputed = false;
    int m_spectrumColumns[kSpectralPointCount];
    bool m_hasSpectrum = false;
    // Fields that hold numbers by definition, checked even where unused.
    std::vector<int> m_numericColumns;
};

bool CgatsReader::fail(const QString& message)
{
    return failAt(m_line, message);
}

bool CgatsReader::failAt(int line, const QString& message)
{
    m_error = lineError(line, message);
    return false;
}

bool CgatsReader::nextLine()
{
    if (m_position >= m_bytes.size()) {
        return false;
    }
    qsizetype end = m_position;
    while (end < m_bytes.size() && m_bytes[end] != '\n') {
        ++end;
    }
    m_text = m_bytes.sliced(m_position, end - m_position);
    m_position = end + 1;
    ++m_line;
    return true;
}

// Splits the current line into tokens: words and quoted strings ("" is a
// quote inside one); '#' outside a string starts a comment.
bool CgatsReader::tokenize()
{
    m_tokens.clear();
    m_unquoted.clear();
    const char* p = m_text.data();
    const char* end = p + m_text.size();
    while (p < end) {
        const char c = *p;
        if (c == ' ' || c == '\t' || c == '\r') {
            ++p;
            continue;
        }
        if (c == '#') {
            break;
        }
        if (c == '"') {
            const char* start = ++p;
            bool doubled = false;
            for (;;) {
                if (p >= end) {
                    return fail(tr("a quoted string is not closed"));
                }
                if (*p == '"') {
                    if (p + 1 < end && p[1] == '"') {
                        doubled = true;
                        p += 2;
                        continue;
                    }
                    break;
                }
                ++p;
            }
            Token token{QByteArrayView(start, p - start), true};
            if (doubled) {
                m_unquoted.push_back(token.text.toByteArray().replace("\"\"", "\""));
                token.text = m_unquoted.back();
            }
            m_tokens.push_back(token);
            ++p;
            continue;
        }
        const char* start = p;
        while (p < end && *p != ' ' && *p != '\t' && *p != '\r' && *p != '"' && *p != '#') {
            ++p;
        }
        m_tokens.push_back(Token{QByteArrayView(start, p - start), false});
    }
    return true;
}

bool CgatsReader::readFormat()
{
    const int formatLine = m_line;
    m_formatLine = m_line;
    std::size_t first = 1;
    for (;;) {
        for (std::size_t i = first; i < m_tokens.size(); ++i) {
            if (m_tokens[i].text == "END_DATA_FORMAT" && !m_tokens[i].quoted) {
                return true;
            }
            if (m_fields.size() >= kMaxFields) {
                return fail(tr("more than %1 fields").arg(kMaxFields));
            }
            m_fields.push_back(m_tokens[i].text.toByteArray());
        }
        first = 0;
        if (!nextLine()) {
            return failAt(formatLine, tr("BEGIN_DATA_FORMAT has no END_DATA_FORMAT"));
        }
        if (!tokenize()) {
            return false;
        }
    }
}

bool CgatsReader::nextTokens(const char* atEnd)
{
    do {
        if (!nextLine()) {
            return fail(tr(atEnd));
        }
        if (!tokenize()) {
            return false;
        }
    } while (m_tokens.empty());
    return true;
}

bool CgatsReader::startData()
{
    if (m_fields.empty()) {
        return fail(tr("BEGIN_DATA comes before the field list (BEGIN_DATA_FORMAT)"));
    }
    if (m_declaredFields < 0) {
        return fail(tr("NUMBER_OF_FIELDS is missing"));
    }
    if (m_declaredFields != qint64(m_fields.size())) {
        return failAt(m_declaredFieldsLine, tr("NUMBER_OF_FIELDS says %1, the field list has %2")
                                                .arg(m_declaredFields)
                                                .arg(m_fields.size()));
    }
    if (m_declaredSets < 0) {
        return fail(tr("NUMBER_OF_SETS is missing"));
    }
    std::fill(std::begin(m_spectrumColumns), std::end(m_spectrumColumns), -1);
    int spectralFields = 0;
    int labFields = 0;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const QByteArray& field = m_fields[i];
        for (std::size_t j = 0; j < i; ++j) {
            if (m_fields[j] == field) {
                return failAt(m_formatLine, tr("field %1 is listed twice").arg(QString::fromUtf8(field)));
            }
        }
        const int column = int(i);
        if (field == "SAMPLE_ID") {
            m_idColumn = column;
        } else if (field == "SAMPLE_NAME") {
            m_nameColumn = column;
        } else if (field == "D65LAB_L" || field == "D65LAB_A" || field == "D65LAB_B") {
            m_labColumns[field.back() == 'L' ? 0 : field.back() == 'A' ? 1 : 2] = column;
            ++labFields;
        } else if (field.startsWith("XYZ_") || field.startsWith("LAB_")) {
            static const char* const computed[] = {"XYZ_X", "XYZ_Y", "XYZ_Z", "LAB_L", "LAB_A", "LAB_B"};
            for (int c = 0; c < 6; ++c) {
                if (field == computed[c]) {
                    m_computedColumns[c] = column;
                }
            }
            m_numericColumns.push_back(column);
        } else if (field.startsWith("SPEC_")) {
            bool ok = false;
            const int nm = field.mid(5).toInt(&ok);
            ++spectralFields;
            if (ok && nm >= kFirstWavelengthNm && (nm - kFirstWavelengthNm) % kWavelengthStepNm == 0
                && (nm - kFirstWavelengthNm) / kWavelengthStepNm < kSpectralPointCount) {
                m_spectrumColumns[(nm - kFirstWavelengthNm) / kWavelengthStepNm] = column;
            }
        }
    }
    if (m_idColumn < 0 && m_nameColumn < 0) {
        return failAt(m_formatLine, tr("neither SAMPLE_ID nor SAMPLE_NAME is among the fields"));
    }
    if (labFields > 0 && labFields < 3) {
        return failAt(m_formatLine, tr("D65LAB_L, D65LAB_A and D65LAB_B must come together"));
    }
    if (spectralFields > 0) {
        for (int k = 0; k < kSpectralPointCount; ++k) {
            if (m_spectrumColumns[k] < 0) {
                return failAt(m_formatLine, tr("SPEC_%1 is missing: a spectrum needs every band from 400 to 700 nm in 10 nm steps")
                                .arg(kFirstWavelengthNm + kWavelengthStepNm * k));
            }
        }
        m_hasSpectrum = true;
    }
    m_hasComputed = m_hasSpectrum && labFields == 0 && m_illuminant && m_observer
                    && std::all_of(std::begin(m_computedColumns), std::end(m_computedColumns),
                                   [](int column) { return column >= 0; });
    if (m_hasComputed) {
        m_header.computedFor = colorimetry::ColourConditions{*m_illuminant, *m_observer};
    }
    if (labFields == 0 && !m_hasSpectrum) {
        return failAt(m_formatLine, tr("no D65LAB_L/A/B fields and no spectrum (LAB_L/A/B hold values for the D50 white, not the "
                       "instrument's D65/10°)"));
    }
    return true;
}

bool CgatsReader::number(int column, double& value, bool ranged)
{
    const Token& token = m_tokens[std::size_t(column)];
    const QString field = QString::fromUtf8(m_fields[std::size_t(column)]);
    const QString text = shownValue(token.text);
    if (!token.quoted && parseNumber(token.text, value)) {
        if (ranged && std::fabs(value) > kLargestValue) {
            return fail(tr("%1 value \"%2\" is out of range").arg(field, text));
        }
        return true;
    }
    if (token.text.contains(',')) {
        return fail(tr("%1 value \"%2\" has a comma as its decimal mark; CGATS numbers use a point").arg(field, text));
    }
    return fail(tr("%1 value \"%2\" is not a number").arg(field, text));
}

bool CgatsReader::readSet()
{
    if (m_tokens.size() != m_fields.size()) {
        return fail(tr("%1 values, NUMBER_OF_FIELDS is %2").arg(m_tokens.size()).arg(m_fields.size()));
    }
    if (m_sets >= m_declaredSets) {
        return fail(tr("more sets than NUMBER_OF_SETS (%1)").arg(m_declaredSets));
    }
    ++m_sets;
    ExchangeSample sample;
    sample.kind = SampleKind::Standard;
    if (m_idColumn >= 0) {
        sample.id = QString::fromUtf8(m_tokens[std::size_t(m_idColumn)].text);
    }
    if (m_nameColumn >= 0) {
        sample.name = QString::fromUtf8(m_tokens[std::size_t(m_nameColumn)].text);
    }
    if (m_idColumn < 0) {
        sample.id = QString::number(m_sets);
    }
    for (const int column : m_numericColumns) {
        double unused = 0.0;
        if (!number(column, unused, false)) {
            return false;
        }
    }
    if (m_labColumns[0] >= 0) {
        if (!number(m_labColumns[0], sample.l) || !number(m_labColumns[1], sample.a)
            || !number(m_labColumns[2], sample.b)) {
            return false;
        }
        sample.hasLab = true;
    }
    if (m_hasSpectrum) {
        for (int k = 0; k < kSpectralPointCount; ++k) {
            double value = 0.0;
            if (!number(m_spectrumColumns[k], value)) {
                return false;
            }
            // Only a norm other than percent is scaled, so percent values stay exact.
            sample.spectrum[k] = m_spectralNorm == 100.0 ? value : value * 100.0 / m_spectralNorm;
            if (!(std::fabs(sample.spectrum[k]) <= kLargestValue)) {
                return fail(tr("SPEC_%1 is out of range for SPECTRAL_NORM").arg(kFirstWavelengthNm + kWavelengthStepNm * k));
            }
        }
        sample.hasSpectrum = true;
    }
    if (m_hasComputed) {
        double v[6];
        for (int c = 0; c < 6; ++c) {
            if (!number(m_computedColumns[c], v[c])) {
                return false;
            }
        }
        sample.computed = ComputedColour{{v[0], v[1], v[2]}, {v[3], v[4], v[5]}};
    }
    if (!m_sink(sample)) {
        return fail(tr("reading was stopped"));
    }
    return true;
}

ReadResult CgatsReader::run()
{
    ReadResult result;
    auto done = [&](bool ok) {
        result.ok = ok;
        result.error = ok ? QString() : m_error;
        return result;
    };
    // The identifier: the first word of the first line that holds one.
    bool identified = false;
    while (!identified) {
        if (!nextLine()) {
            return done(failAt(qMax(m_line, 1), tr("the file is empty")));
        }
        if (m_line == 1 && m_text.startsWith("\xEF\xBB\xBF")) {
            m_text = m_text.sliced(3);
        }
        if (!tokenize()) {
            return done(false);
        }
        if (!m_tokens.empty()) {
            if (m_tokens.front().quoted || m_tokens.size() != 1) {
                return done(fail(tr("a CGATS file starts with its file identifier (such as CTI3)")));
            }
            identified = true;
        }
    }
    for (;;) {
        if (!nextTokens(QT_TR_NOOP("the file ends before BEGIN_DATA"))) {
            return done(false);
        }
        const QByteArrayView keyword = m_tokens.front().text;
        const QByteArrayView value = m_tokens.size() > 1 ? m_tokens[1].text : QByteArrayView();
        if (keyword == "BEGIN_DATA_FORMAT") {
            if (!m_fields.empty()) {
                return done(fail(tr("a second BEGIN_DATA_FORMAT")));
            }
            if (!readFormat()) {
                return done(false);
            }
        } else if (keyword == "NUMBER_OF_FIELDS" || keyword == "NUMBER_OF_SETS") {
            bool ok = false;
            const qint64 count = QByteArray(value.data(), value.size()).toLongLong(&ok);
            if (!ok || count < 0) {
                return done(fail(tr("%1 needs a whole number").arg(QString::fromUtf8(keyword))));
            }
            if (keyword == "NUMBER_OF_FIELDS") {
                m_declaredFields = count;
                m_declaredFieldsLine = m_line;
            } else {
                m_declaredSets = count;
                m_declaredSetsLine = m_line;
            }
        } else if (keyword == "BEGIN_DATA") {
            break;
        } else if (keyword == "DESCRIPTOR") {
            m_header.description = QString::fromUtf8(value);
        } else if (keyword == "CREATED") {
            m_header.created = parseIsoTime(QString::fromUtf8(value));
        } else if (keyword == "ILLUMINANT") {
            m_illuminant = colorimetry::illuminantFromName(QString::fromUtf8(value));
        } else if (keyword == "OBSERVER") {
            if (value == "2" || value == "1931_2") {
                m_observer = colorimetry::Observer::Cie1931TwoDegree;
            } else if (value == "10" || value == "1964_10") {
                m_observer = colorimetry::Observer::Cie1964TenDegree;
            } else {
                m_observer.reset();
            }
        } else if (keyword == "MEASUREMENT_MODE") {
            m_header.transmittance = value == "TRANSMITTANCE";
        } else if (keyword == "SPECTRAL_NORM") {
            if (!parseNumber(value, m_spectralNorm) || m_spectralNorm <= 0.0) {
                return done(fail(tr("SPECTRAL_NORM needs a positive number")));
            }
        } else if (keyword == "END_DATA" || keyword == "END_DATA_FORMAT") {
            return done(fail(tr("%1 without its beginning").arg(QString::fromUtf8(keyword))));
        }
    }
    if (!startData()) {
        return done(false);
    }
    for (;;) {
        if (!nextTokens(QT_TR_NOOP("the file ends without END_DATA"))) {
            return done(false);
        }
        if (m_tokens.size() == 1 && !m_tokens.front().quoted && m_tokens.front().text == "END_DATA") {
            break;
        }
        if (!readSet()) {
            return done(false);
        }
    }
    if (m_sets != m_declaredSets) {
        return done(failAt(m_declaredSetsLine, tr("NUMBER_OF_SETS says %1, the data holds %2 (END_DATA on line %3)")
                                                   .arg(m_declaredSets)
                                                   .arg(m_sets)
                                                   .arg(m_line)));
    }
    return done(true);
}

} // namespace

ReadResult readCgats(QByteArrayView bytes, ExchangeDocument& header, const SampleSink& sink)
{
    return CgatsReader(bytes, header, sink).run();
}

ReadResult readCgats(QByteArrayView bytes, ExchangeDocument& document)
{
    document = ExchangeDocument{};
    QList<ExchangeSample> samples;
    const ReadResult result = readCgats(bytes, document, [&samples](const ExchangeSample& sample) {
        samples.append(sample);
        return true;
    });
    document.samples = result.ok ? samples : QList<ExchangeSample>();
    return result;
}

} // namespace formats
