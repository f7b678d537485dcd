#pragma once
// What the spreadsheet exports write, built from the tables as the pages show
// them: every cell as its text. Plain functions over item models, so a page,
// a test or a benchmark can hand in any table.

#include "DisplayMode.h"
#include <QAbstractTableModel>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// One exported column of the comparison table: its title (translated in
// context) and the table column it comes from.
struct ExportColumn
{
    const char* context;
    const char* title;
    int source;
};

// Display modes as the instrument numbers them.
// The columns of the current comparison export for a display mode: number,
// model, serial number, name, time, the mode's standard, sample, tolerance
// and difference columns, the verdict.
QList<ExportColumn> comparisonExportColumns(DisplayMode displayMode);
// The titles (translated) in row 0, then one row per table row.
QList<QStringList> comparisonExportRows(const QAbstractItemModel& table, DisplayMode displayMode);
// The legacy 19-column block: titles in English or Chinese, then the rows.
QList<QStringList> legacyExportRows(const QAbstractItemModel& table, bool chineseUi);
// Every row of the spectral table (its heading row first), 33 columns.
constexpr int kSpectralExportColumns = 33;
QList<QStringList> spectralExportRows(const QAbstractItemModel& table);

// "CompareM" or "MeterData" followed by the local time as yyyyMMddhhmm.
QString proposedExportName(const QString& prefix, const QDateTime& now);
// path with ".xlsx" appended when it has no extension.
QString withXlsxSuffix(const QString& path);

// The table an export writes, read from the page's table when asked (no
// copy, so a large table is not held twice): an optional title row, then
// each source row with its columns picked and reordered.
class ExportTableModel : public QAbstractTableModel
{
public:
    // sourceColumns[c] feeds column c; columns beyond them (up to
    // columnCount) hold nothing. missingAsEmpty: a cell the source has no
    // data for is written as empty text rather than left untouched.
    ExportTableModel(const QAbstractItemModel& source, QList<int> sourceColumns, QStringList titles, int columnCount,
                     bool missingAsEmpty);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_columnCount; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const QAbstractItemModel& m_source;
    QList<int> m_sourceColumns;
    QStringList m_titles;
    int m_columnCount;
    bool m_missingAsEmpty;
};

// The tables the three exports write.
constexpr int kComparisonExportTableColumns = 36;
std::unique_ptr<ExportTableModel> comparisonExportTable(const QAbstractItemModel& table, DisplayMode displayMode);
std::unique_ptr<ExportTableModel> spectralExportTable(const QAbstractItemModel& table);

// A table of texts: row r, column c is rows[r][c]; columns beyond a row's
// texts hold nothing (so nothing is written there).
class TextTableModel : public QAbstractTableModel
{
public:
    TextTableModel(QList<QStringList> rows, int columns) : m_rows(std::move(rows)), m_columns(columns) {}
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_columns; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<QStringList> m_rows;
    int m_columns;
};
