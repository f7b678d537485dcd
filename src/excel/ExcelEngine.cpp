#include "ExcelEngine.h"

#include "BlankWorkbook.h"
#include "CellReference.h"
#include "DataFiles.h"
#include "Dialogs.h"
#include "FileReplace.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryFile>

Q_LOGGING_CATEGORY(lcExcel, "tintwell.excel")

namespace {

constexpr auto kTemplateName = QLatin1String("template.xlsx");

QByteArray blankWorkbookBytes(QString* error)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/tintwell-blank-XXXXXX.xlsx"));
    if (!file.open()) {
        return {};
    }
    file.close();
    if (!writeXlsxArchive(file.fileName(), blankWorkbookParts(), {}, error) || !file.open()) {
        return {};
    }
    return file.readAll();
}

} // namespace

ExcelEngine::ExcelEngine(const QString& fileName) : m_fileName(fileName) {}

ExcelEngine::~ExcelEngine()
{
    if (m_open) {
        closeWorkbook();
    }
}

QString ExcelEngine::templatePath()
{
    const QString local = QDir::current().absoluteFilePath(kTemplateName);
    if (QFileInfo(local).isFile()) {
        return local;
    }
    if (QCoreApplication::instance()) {
        const QString shipped = dataFilePath(kTemplateName); // beside the executable, or installed
        if (QFileInfo(shipped).isFile()) {
            return shipped;
        }
    }
    return {};
}

bool ExcelEngine::isReplaceable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return isWritableFolder(info.absolutePath());
    }
    // The owner's write bit is asked for too: a process with every right
    // would otherwise replace a file its owner marked read-only.
    return info.isFile() && info.isWritable() && (info.permissions() & QFile::WriteOwner)
           && isWritableFolder(info.absolutePath());
}

bool ExcelEngine::fail(const QString& text)
{
    m_error = text;
    qCDebug(lcExcel) << m_fileName << text;
    return false;
}

bool ExcelEngine::loadBase(const QByteArray& bytes)
{
    QString error;
    QStringList strings;
    if (!m_archive.load(bytes, &error) || !findXlsxParts(m_archive, m_sheetNumber, m_parts, &error)
        || (!m_parts.sharedStringsPath.isEmpty()
            && !readSharedStrings(m_archive.entry(m_parts.sharedStringsPath), strings, &error))
        || !readSheetCells(m_archive.entry(m_parts.sheetPath), strings, m_sheet, &error)) {
        return fail(error);
    }
    if (!m_parts.stylesPath.isEmpty()) {
        m_styles.load(m_archive.entry(m_parts.stylesPath));
    }
    m_usedRows = m_sheet.rowCount;
    m_usedColumns = m_sheet.columnCount;
    return true;
}

bool ExcelEngine::openWorkbook(int sheetNumber, Start start)
{
    if (m_open) {
        closeWorkbook();
    }
    m_error.clear();
    m_archive = XlsxArchive();
    m_sheet = XlsxSheet();
    m_styles = CentredStyles();
    m_spool.clear();
    m_savedSheet.reset();
    m_dirty = false;
    m_usedRows = m_usedColumns = 0;
    m_sheetNumber = sheetNumber;
    if (m_fileName.isEmpty()) {
        return fail(QStringLiteral("no file name"));
    }
    const bool exists = QFileInfo::exists(m_fileName);
    if (!isReplaceable(m_fileName)) {
        return fail(QStringLiteral("the file cannot be written"));
    }
    QByteArray bytes;
    if (exists && start == Start::Existing) {
        QFile file(m_fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            return fail(file.errorString());
        }
        if (file.size() > XlsxLimits().maxArchiveBytes) {
            return fail(QStringLiteral("the file is too large"));
        }
        bytes = file.readAll();
    } else {
        const QString templateFile = templatePath();
        if (!templateFile.isEmpty()) {
            QFile file(templateFile);
            if (file.open(QIODevice::ReadOnly) && file.size() <= XlsxLimits().maxArchiveBytes) {
                bytes = file.readAll();
            }
        }
        if (bytes.isEmpty()) {
            bytes = blankWorkbookBytes(&m_error);
        }
        if (bytes.isEmpty()) {
            return fail(QStringLiteral("no workbook to start from: %1").arg(m_error));
        }
    }
    if (!loadBase(bytes)) {
        return false;
    }
    if (!exists) {
        // The target starts as a copy of the template, made only once the
        // copy reads as a workbook, so a failed open leaves no file behind;
        // nothing is lost, for there was no file.
        QFile target(m_fileName);
        if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly) || target.write(bytes) != bytes.size()
            || !target.flush()) {
            const QString why = target.errorString();
            if (target.isOpen()) {
                target.close();
                target.remove();
            }
            return fail(why);
        }
    }
    m_open = true;
    return true;
}

bool ExcelEngine::writeCell(int row, int column, const QVariant& value)
{
    if (!m_open || row < 1 || row > kMaxSheetRows || column < 1 || column > kMaxSheetColumns) {
        return false;
    }
    if (!m_spool.append(row, column, value)) {
        return fail(QStringLiteral("cannot keep the written cells"));
    }
    m_dirty = true;
    return true;
}

bool ExcelEngine::writeRows(const QList<QVariantList>& rows)
{
    if (!m_open || rows.isEmpty()) {
        return false;
    }
    for (int r = 0; r < rows.size(); ++r) {
        const QVariantList& row = rows.at(r);
        for (int c = 0; c < row.size(); ++c) {
            if (!writeCell(r + 1, c + 1, row.at(c))) {
                return false;
            }
        }
    }
    return true;
}

bool ExcelEngine::writeRows(const QList<QStringList>& rows)
{
    if (!m_open || rows.isEmpty()) {
        return false;
    }
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList& row = rows.at(r);
        for (int c = 0; c < row.size(); ++c) {
            if (!writeCell(r + 1, c + 1, row.at(c))) {
                return false;
            }
        }
    }
    return true;
}

bool ExcelEngine::writeTable(const QAbstractItemModel& table, const std::function<bool(int)>& progress,
                             bool withHeader)
{
    m_cancelled = false;
    m_rowsWritten = 0;
    if (!m_open) {
        return false;
    }
    const int columns = table.columnCount();
    if (withHeader) {
        for (int c = 0; c < columns; ++c) {
            const QVariant title = table.headerData(c, Qt::Horizontal, Qt::DisplayRole);
            // Qt's item models number a column without a header item 1, 2, ...:
            // such a column has no title.
            const bool numbering = title.typeId() == QMetaType::Int && title.toInt() == c + 1;
            if (title.isValid() && !numbering && !writeCell(1, c + 1, title.toString())) {
                return false;
            }
        }
    }
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const QVariant value = table.data(table.index(r, c), Qt::DisplayRole);
            if (value.isValid() && !writeCell(r + 2, c + 1, value)) {
                return false;
            }
        }
        m_rowsWritten = r + 1;
        if (progress && !progress(r + 1)) {
            m_cancelled = true;
            break;
        }
    }
    return saveWorkbook();
}

bool ExcelEngine::writeTableWidget(const QAbstractItemModel* table, ProgressDialog* progressDialog)
{
    if (!table) {
        return false;
    }
    if (!progressDialog) {
        return writeTable(*table, {});
    }
    return writeTable(*table, [progressDialog](int done) {
        progressDialog->setValue(done);
        return !progressDialog->wasCanceled();
    });
}

void ExcelEngine::readUsedRange(QList<QVariantList>& rows) const
{
    rows.append(m_sheet.denseRows());
}

bool ExcelEngine::saveWorkbook()
{
    if (!m_open) {
        return false;
    }
    if (!m_dirty) {
        return true; // nothing to write: the file stays exactly as it is
    }
    const QFileInfo target(m_fileName);
    if (!isReplaceable(m_fileName)) {
        return fail(QStringLiteral("the file cannot be replaced"));
    }
    // 1. The new sheet part, streamed into a temporary file.
    auto sheet = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/tintwell-sheet-XXXXXX.xml"));
    if (!sheet->open()) {
        return fail(QStringLiteral("no room for a temporary file"));
    }
    QBuffer archived;
    const QByteArray archivedSheet = m_archive.entry(m_parts.sheetPath);
    archived.setData(archivedSheet);
    QIODevice* base = &archived;
    if (m_savedSheet) {
        m_savedSheet->seek(0);
        base = m_savedSheet.get();
    } else {
        archived.open(QIODevice::ReadOnly);
    }
    const int rows = qMax(m_usedRows, m_spool.lastRow());
    const int columns = qMax(m_usedColumns, m_spool.lastColumn());
    const QString dimension = rows > 0 && columns > 0 ? QStringLiteral("A1:") + cellReference(rows, columns)
                                                      : QStringLiteral("A1");
    QString error;
    if (!m_spool.rewind() || !writeMergedSheet(*base, m_spool, m_styles, dimension, *sheet, &error)
        || !sheet->flush()) {
        return fail(error.isEmpty() ? QStringLiteral("the sheet cannot be written") : error);
    }
    // 2. The workbook, into a temporary file beside the target.
    QList<XlsxEntry> parts = m_archive.entries();
    for (XlsxEntry& part : parts) {
        if (part.name == m_parts.stylesPath && m_styles.isAvailable()) {
            part.data = m_styles.apply();
        } else if (part.name == m_parts.sheetPath) {
            part.data.clear();
        }
    }
    QTemporaryFile staging(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!staging.open()) {
        return fail(QStringLiteral("cannot create a file in %1").arg(target.absolutePath()));
    }
    staging.close();
    if (!writeXlsxArchive(staging.fileName(), parts, {{m_parts.sheetPath, sheet->fileName()}}, &error)) {
        return fail(error);
    }
    // 3. Replace the target in one step.
    QFile::setPermissions(staging.fileName(), target.exists() ? target.permissions()
                                                               : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // Synced before the rename: whatever follows a saved workbook (the table
    // cleared after an export) must never outlive the file.
    if (!replaceFileWith(staging.fileName(), m_fileName, &error)) {
        return fail(error);
    }
    staging.setAutoRemove(false); // renamed: it is the target now
    m_savedSheet = std::move(sheet);
    m_spool.clear();
    m_usedRows = rows;
    m_usedColumns = columns;
    m_dirty = false;
    return true;
}

bool ExcelEngine::closeWorkbook()
{
    if (!m_open) {
        return true;
    }
    const bool saved = saveWorkbook();
    m_open = false;
    m_spool.clear();
    m_savedSheet.reset();
    m_archive = XlsxArchive();
    m_sheet = XlsxSheet();
    return saved;
}
