#include "XmlOut.h"

void XmlOut::attribute(const QString& qualifiedName, const QString& value)
{
    m_buffer.append(' ').append(qualifiedName.toUtf8()).append("=\"");
    appendEscaped(value, true);
    m_buffer.append('"');
}

void XmlOut::appendEscaped(QStringView text, bool inAttribute)
{
    qsizetype plainFrom = 0;
    const auto flushPlain = [&](qsizetype upTo) {
        if (upTo > plainFrom) {
            m_buffer.append(text.mid(plainFrom, upTo - plainFrom).toUtf8());
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char* replacement = nullptr;
        switch (c) {
        case u'&': replacement = "&amp;"; break;
        case u'<': replacement = "&lt;"; break;
        case u'>': replacement = "&gt;"; break;
        case u'"': replacement = inAttribute ? "&quot;" : nullptr; break;
        case u'\n': replacement = inAttribute ? "&#10;" : nullptr; break;
        case u'\r': replacement = "&#13;"; break;
        case u'\t': replacement = inAttribute ? "&#9;" : nullptr; break;
        default:
            if (c < 0x20 || c == 0xFFFE || c == 0xFFFF) {
                replacement = ""; // not allowed in XML 1.0 at all
            }
            break;
        }
        if (replacement) {
            flushPlain(i);
            m_buffer.append(replacement);
            plainFrom = i + 1;
        }
    }
    flushPlain(text.size());
}

void XmlOut::textUtf8(const QByteArray& text)
{
    const char* data = text.constData();
    const qsizetype size = text.size();
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        const char* replacement = nullptr;
        qsizetype skip = 1;
        if (c == '&') {
            replacement = "&amp;";
        } else if (c == '<') {
            replacement = "&lt;";
        } else if (c == '>') {
            replacement = "&gt;";
        } else if (c == '\r') {
            replacement = "&#13;";
        } else if (c < 0x20 && c != '\n' && c != '\t') {
            replacement = ""; // not allowed in XML 1.0 at all
        } else if (c == 0xEF && i + 2 < size && static_cast<unsigned char>(data[i + 1]) == 0xBF
                   && static_cast<unsigned char>(data[i + 2]) >= 0xBE) {
            replacement = ""; // U+FFFE, U+FFFF
            skip = 3;
        }
        if (replacement) {
            m_buffer.append(data + plainFrom, i - plainFrom);
            m_buffer.append(replacement);
            i += skip - 1;
            plainFrom = i + 1;
        }
    }
    m_buffer.append(data + plainFrom, size - plainFrom);
    maybeFlush();
}

void XmlOut::copyToken(const QXmlStreamReader& reader)
{
    switch (reader.tokenType()) {
    case QXmlStreamReader::StartDocument:
        m_buffer.append("<?xml version=\"1.0\" encoding=\"UTF-8\"");
        if (reader.isStandaloneDocument()) {
            m_buffer.append(" standalone=\"yes\"");
        }
        m_buffer.append("?>\n");
        break;
    case QXmlStreamReader::StartElement:
        openTag(reader.qualifiedName().toString());
        for (const auto& ns : reader.namespaceDeclarations()) {
            attribute(ns.prefix().isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + ns.prefix().toString(),
                      ns.namespaceUri().toString());
        }
        for (const auto& a : reader.attributes()) {
            attribute(a.qualifiedName().toString(), a.value().toString());
        }
        closeTag();
        break;
    case QXmlStreamReader::EndElement:
        endTag(reader.qualifiedName().toString());
        break;
    case QXmlStreamReader::Characters:
        if (reader.isCDATA()) {
            m_buffer.append("<![CDATA[").append(reader.text().toUtf8()).append("]]>");
        } else {
            text(reader.text().toString());
        }
        break;
    case QXmlStreamReader::Comment:
        m_buffer.append("<!--").append(reader.text().toUtf8()).append("-->");
        break;
    case QXmlStreamReader::ProcessingInstruction:
        m_buffer.append("<?").append(reader.processingInstructionTarget().toUtf8());
        if (!reader.processingInstructionData().isEmpty()) {
            m_buffer.append(' ').append(reader.processingInstructionData().toUtf8());
        }
        m_buffer.append("?>");
        break;
    case QXmlStreamReader::EntityReference:
        m_buffer.append('&').append(reader.name().toUtf8()).append(';');
        break;
    default:
        break;
    }
    maybeFlush();
}

bool XmlOut::flush()
{
    if (!m_buffer.isEmpty()) {
        if (m_device.write(m_buffer) != m_buffer.size()) {
            m_failed = true;
        }
        m_buffer.clear();
    }
    return !m_failed;
}
