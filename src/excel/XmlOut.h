#pragma once
// A small buffered XML writer for the parts the engine rewrites: it writes
// exactly what it is told (no namespace rewriting, no pending tags), escapes
// text and drops characters XML 1.0 cannot carry.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QXmlStreamReader>

class XmlOut
{
public:
    explicit XmlOut(QIODevice& device) : m_device(device) { m_buffer.reserve(kFlushAt + 4096); }
    ~XmlOut() { flush(); }

    void raw(const char* text) { m_buffer.append(text); maybeFlush(); }
    void raw(const QByteArray& text) { m_buffer.append(text); maybeFlush(); }
    void text(const QString& text) { appendEscaped(text, false); maybeFlush(); }
    // Text already in UTF-8, escaped the same way.
    void textUtf8(const QByteArray& text);
    void attribute(const QString& qualifiedName, const QString& value);
    // Opens <name (the caller adds attributes, then closeTag or closeEmpty).
    void openTag(const QString& qualifiedName) { m_buffer.append('<').append(qualifiedName.toUtf8()); }
    void closeTag() { m_buffer.append('>'); maybeFlush(); }
    void closeEmpty() { m_buffer.append("/>"); maybeFlush(); }
    void endTag(const QString& qualifiedName)
    {
        m_buffer.append("</").append(qualifiedName.toUtf8()).append('>');
        maybeFlush();
    }
    // Writes the reader's current token as it stands.
    void copyToken(const QXmlStreamReader& reader);

    bool flush();
    bool failed() const { return m_failed; }

private:
    static constexpr int kFlushAt = 1 << 16;
    void maybeFlush()
    {
        if (m_buffer.size() >= kFlushAt) {
            flush();
        }
    }
    void appendEscaped(QStringView text, bool inAttribute);

    QIODevice& m_device;
    QByteArray m_buffer;
    bool m_failed = false;
};
