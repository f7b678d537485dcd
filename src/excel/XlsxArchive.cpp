#include "XlsxArchive.h"

#include <QFile>

#include <zip.h>

#include <memory>

namespace {

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

struct ZipCloser
{
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct ZipFileCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

} // namespace

bool XlsxArchive::load(const QByteArray& bytes, QString* error, const XlsxLimits& limits)
{
    m_entries.clear();
    if (bytes.size() < 22) { // shorter than a zip's end record
        setError(error, QStringLiteral("the file is empty or truncated, not a zip archive"));
        return false;
    }
    if (bytes.size() > limits.maxArchiveBytes) {
        setError(error, QStringLiteral("the file is larger than %1 MiB").arg(limits.maxArchiveBytes >> 20));
        return false;
    }
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &zerr);
    if (!source) {
        setError(error, QString::fromUtf8(zip_error_strerror(&zerr)));
        zip_error_fini(&zerr);
        return false;
    }
    std::unique_ptr<zip_t, ZipCloser> zip(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zerr));
    if (!zip) {
        zip_source_free(source);
        setError(error, QStringLiteral("not a valid zip archive (%1)").arg(QString::fromUtf8(zip_error_strerror(&zerr))));
        zip_error_fini(&zerr);
        return false;
    }
    zip_error_fini(&zerr);

    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    if (count < 0 || count > limits.maxEntries) {
        setError(error, QStringLiteral("the archive holds %1 entries, more than %2").arg(count).arg(limits.maxEntries));
        return false;
    }
    qint64 total = 0;
    QList<XlsxEntry> entries;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0) {
            setError(error, QStringLiteral("entry %1 of the archive cannot be read").arg(i));
            return false;
        }
        const QString name = QString::fromUtf8(st.name ? st.name : "");
        if (name.endsWith(u'/')) {
            continue; // a folder
        }
        const qint64 size = static_cast<qint64>(st.size);
        const qint64 packed = static_cast<qint64>(st.comp_size);
        if (size > limits.maxEntryBytes || total + size > limits.maxTotalBytes) {
            setError(error, QStringLiteral("the part %1 declares %2 bytes, more than allowed").arg(name).arg(size));
            return false;
        }
        if (size > (1 << 20) && size > packed * limits.maxInflateRatio) {
            setError(error, QStringLiteral("the part %1 inflates from %2 to %3 bytes (a zip bomb?)")
                                .arg(name).arg(packed).arg(size));
            return false;
        }
        std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(i), 0));
        if (!file) {
            setError(error, QStringLiteral("the part %1 cannot be opened (%2)")
                                .arg(name, QString::fromUtf8(zip_strerror(zip.get()))));
            return false;
        }
        QByteArray data;
        data.resize(size);
        qint64 got = 0;
        while (got < size) {
            const zip_int64_t n = zip_fread(file.get(), data.data() + got, static_cast<zip_uint64_t>(size - got));
            if (n <= 0) {
                break;
            }
            got += n;
        }
        if (got != size) {
            setError(error, QStringLiteral("the part %1 is damaged (%2 of %3 bytes readable)").arg(name).arg(got).arg(size));
            return false;
        }
        total += size;
        entries.append({name, data});
    }
    m_entries = std::move(entries);
    return true;
}

QByteArray XlsxArchive::entry(const QString& name) const
{
    const int i = indexOf(name);
    return i >= 0 ? m_entries.at(i).data : QByteArray();
}

int XlsxArchive::indexOf(const QString& name) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).name == name) {
            return i;
        }
    }
    return -1;
}

void XlsxArchive::setEntry(const QString& name, const QByteArray& data)
{
    const int i = indexOf(name);
    if (i >= 0) {
        m_entries[i].data = data;
    } else {
        m_entries.append({name, data});
    }
}

bool writeXlsxArchive(const QString& path, const QList<XlsxEntry>& parts,
                      const QList<XlsxFilePart>& fileParts, QString* error, int compressionLevel)
{
    int zerr = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &zerr);
    if (!zip) {
        zip_error_t e;
        zip_error_init_with_code(&e, zerr);
        setError(error, QString::fromUtf8(zip_error_strerror(&e)));
        zip_error_fini(&e);
        return false;
    }
    const auto fail = [&](const QString& what) {
        setError(error, what + QStringLiteral(" (") + QString::fromUtf8(zip_strerror(zip)) + u')');
        zip_discard(zip);
        return false;
    };
    for (const XlsxEntry& part : parts) {
        QString filePath;
        for (const XlsxFilePart& fp : fileParts) {
            if (fp.name == part.name) {
                filePath = fp.sourcePath;
            }
        }
        zip_source_t* source = filePath.isEmpty()
            ? zip_source_buffer(zip, part.data.constData(), static_cast<zip_uint64_t>(part.data.size()), 0)
            : zip_source_file(zip, QFile::encodeName(filePath).constData(), 0, -1);
        if (!source) {
            return fail(QStringLiteral("cannot add %1").arg(part.name));
        }
        const zip_int64_t index = zip_file_add(zip, part.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return fail(QStringLiteral("cannot add %1").arg(part.name));
        }
        zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                 static_cast<zip_uint32_t>(compressionLevel));
    }
    if (zip_close(zip) != 0) {
        return fail(QStringLiteral("cannot write %1").arg(path));
    }
    return true;
}
