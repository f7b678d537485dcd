#pragma once
// The one door to spreadsheet files (.xlsx). Open a workbook (a missing
// target starts as a copy of "template.xlsx"), write cells, blocks and
// tables (1-based rows and columns, every written cell centred), read the
// first worksheet's used range, save, close. What the writes do not touch
// stays as it was: styles, column widths, other sheets.
//
// Saving never endangers the file already there: the new workbook is
// written to a temporary file in the same folder and renamed over the
// target only when it is complete. Written cells wait in a temporary file,
// not in memory, so large exports take bounded memory.

#include "CellSpool.h"
#include "SheetMerge.h"
#include "XlsxArchive.h"
#include "XlsxReader.h"

#include <QBuffer>
#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

class ProgressDialog;
class QAbstractItemModel;
class QTemporaryFile;

class ExcelEngine : public QObject
{
    Q_OBJECT
public:
    // How openWorkbook treats a target that exists.
    enum class Start {
        Existing,     // open it and write into it
        FromTemplate, // start from the template; the target is replaced on save
    };

    explicit ExcelEngine(const QString& fileName);
    ~ExcelEngine() override; // closes an open workbook, saving its changes

    bool openWorkbook(int sheetNumber, Start start = Start::Existing);
    bool saveWorkbook();
    // Saves changes (if any), then forgets the workbook. False when saving failed.
    bool closeWorkbook();

    bool writeCell(int row, int column, const QVariant& value);
    // Every value of every row, the first row at A1; false for no rows.
    bool writeRows(const QList<QVariantList>& rows);
    bool writeRows(const QList<QStringList>& rows);
    // Row 1 the horizontal headers (when withHeader; a column the model only
    // numbers has none), then table row r at
    // sheet row r + 2; cells the table holds no data for stay untouched.
    // Progress after each row; a cancel stops after the current row. Saves.
    bool writeTable(const QAbstractItemModel& table, ProgressDialog* progress, bool withHeader = true);
    // The same for a table that may be missing (false then), with its header row.
    bool writeTableWidget(const QAbstractItemModel* table, ProgressDialog* progressDialog)
    {
        return table && writeTable(*table, progressDialog);
    }
    bool wasCancelled() const { return m_cancelled; }
    int rowsWritten() const { return m_rowsWritten; }

    // Rows 1 … usedRowCount(), every row as wide as the widest, as the sheet
    // was when opened or last saved.
    void readUsedRange(QList<QVariantList>& rows) const;
    int usedRowCount() const { return m_usedRows; }

    bool isOpen() const { return m_open; }
    QString fileName() const { return m_fileName; }
    QString errorString() const { return m_error; }

    // "template.xlsx" in the working directory, else beside the executable
    // (or in the installed data folder); empty when there is none.
    static QString templatePath();
    // True when path is missing, or is a file this process may replace.
    static bool isReplaceable(const QString& path);

private:
    bool fail(const QString& text);
    bool loadBase(const QByteArray& bytes);

    QString m_fileName;
    QString m_error;
    int m_sheetNumber = 0;
    int m_usedRows = 0;
    int m_usedColumns = 0;
    bool m_open = false;
    bool m_dirty = false;
    bool m_cancelled = false;
    int m_rowsWritten = 0;

    XlsxArchive m_archive;
    XlsxParts m_parts;
    XlsxSheet m_sheet;
    CentredStyles m_styles;
    CellSpool m_spool;
    // The sheet part as last saved, when it lives in a file rather than in m_archive.
    std::unique_ptr<QTemporaryFile> m_savedSheet;
};
