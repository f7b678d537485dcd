#pragma once
// The zip container of an .xlsx workbook. Reading takes the file's bytes and
// refuses, with a message, anything that would take unbounded memory: too
// many entries, declared or actual sizes beyond the limits, and entries that
// inflate suspiciously far (a zip bomb). Writing goes to a path.

#include <QByteArray>
#include <QList>
#include <QString>

struct XlsxLimits
{
    qint64 maxArchiveBytes = 128LL * 1024 * 1024;
    qint64 maxEntryBytes = 256LL * 1024 * 1024;  // one part, inflated
    qint64 maxTotalBytes = 512LL * 1024 * 1024;  // all parts, inflated
    int maxEntries = 4096;
    // An entry larger than 1 MiB may inflate at most this many times its
    // compressed size; sheets of text reach 20-50, a bomb reaches 1000.
    qint64 maxInflateRatio = 200;
    int maxXmlDepth = 64;
    qint64 maxCells = 20'000'000;       // cells with a value
    qint64 maxDenseCells = 50'000'000;  // rows x columns handed back
    qint64 maxSharedStrings = 5'000'000;
};

struct XlsxEntry
{
    QString name;
    QByteArray data;
};

class XlsxArchive
{
public:
    // Replaces the contents with the entries of the zip in bytes. False, with
    // *error set, when the bytes are no zip or break a limit.
    bool load(const QByteArray& bytes, QString* error, const XlsxLimits& limits = {});

    bool contains(const QString& name) const { return indexOf(name) >= 0; }
    // The entry's bytes; empty when there is none.
    QByteArray entry(const QString& name) const;
    int indexOf(const QString& name) const;
    const QList<XlsxEntry>& entries() const { return m_entries; }
    void setEntry(const QString& name, const QByteArray& data);

private:
    QList<XlsxEntry> m_entries;
};

// Writes a zip at path: every entry of parts, in order, and where
// fileParts names an entry, that entry's bytes come from the file at the
// given path instead (so a large part never sits in memory). The file at
// path is created or truncated. Level 1 deflates fast and nearly as well as
// 9 on sheets of text. False, with *error set, on failure.
struct XlsxFilePart
{
    QString name;
    QString sourcePath;
};
bool writeXlsxArchive(const QString& path, const QList<XlsxEntry>& parts,
                      const QList<XlsxFilePart>& fileParts, QString* error, int compressionLevel = 1);
