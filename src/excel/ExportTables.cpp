#include "ExportTables.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

constexpr const char* kPage = "FirstPageFor310";
constexpr const char* kColorimeter = "Colorimeter";

QString cellText(const QAbstractItemModel& table, int row, int column)
{
    return table.data(table.index(row, column), Qt::DisplayRole).toString();
}

struct LegacyColumn
{
    const char* english;
    const char* chinese;
    int source;
};

// The legacy table: 0 number, 1 name, 2 time, 3-7 standard L a b C h,
// 8-12 sample L a b C h, 13 colour difference, 14 verdict, 17 formula,
// 18 threshold, 19 model, 20 serial number.
const LegacyColumn kLegacyColumns[] = {
    {"NO", "序号", 0},
    {"Model", "型号", 19},
    {"SN", "序列号", 20},
    {"Name", "名称", 1},
    {"Time", "时间", 2},
    {"Standard L*", "标准色L*", 3},
    {"Standard a*", "标准色a*", 4},
    {"Standard b*", "标准色b*", 5},
    {"Standard C*", "标准色C*", 6},
    {"Standard h", "标准色h", 7},
    {"Sample L*", "样品色L*", 8},
    {"Sample a*", "样品色a*", 9},
    {"Sample b*", "样品色b*", 10},
    {"Sample C*", "样品色C*", 11},
    {"Sample h", "样品色h", 12},
    {"\u25B3E Formula", "\u25B3E公式", 17},
    {"\u25B3E Thresholds", "\u25B3E阀值", 18},
    {"\u25B3E", "\u25B3E", 13},
    {"Result", "是否合格", 14},
};

} // namespace

QList<ExportColumn> comparisonExportColumns(DisplayMode displayMode)
{
    // Titles marked for translation where they are used (QT_TRANSLATE_NOOP).
    const ExportColumn stdHaze{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Haze"), 3};
    const ExportColumn stdT{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Transmittance"), 4};
    const ExportColumn smpHaze{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Haze"), 14};
    const ExportColumn smpT{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Transmittance"), 15};
    const ExportColumn hazeTol{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Haze Tolerance"), 31};
    const ExportColumn dHaze{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "\u25B3Haze"), 25};
    const ExportColumn tTol{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Transmittance Tolerance"), 32};
    const ExportColumn dT{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "\u25B3Transmittance"), 26};
    const ExportColumn eTol{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "△E Thresholds"), 33};
    const ExportColumn dE{kColorimeter, QT_TRANSLATE_NOOP("Colorimeter", "△E"), 27};
    const QList<ExportColumn> lab{{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard L*"), 5},
                                  {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard a*"), 6},
                                  {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard b*"), 7}};
    const QList<ExportColumn> sampleLab{{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample L*"), 16},
                                        {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample a*"), 17},
                                        {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample b*"), 18}};

    QList<ExportColumn> columns{{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "NO"), 0},
                                {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Model"), 34},
                                {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "SN"), 35},
                                {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Name"), 1},
                                {kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Time"), 2}};
    switch (displayMode) {
    case DisplayMode::HazeT:
        columns << stdHaze << stdT << smpHaze << smpT << hazeTol << dHaze << tTol << dT;
        break;
    case DisplayMode::Haze:
        columns << stdHaze << smpHaze << hazeTol << dHaze;
        break;
    case DisplayMode::Transmittance:
        columns << stdT << smpT << tTol << dT;
        break;
    case DisplayMode::Lab:
        columns << lab << sampleLab << eTol << dE;
        break;
    case DisplayMode::LCh:
        columns << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard L*"), 8}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard C*"), 9}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard h"), 10}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample L*"), 19}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample C*"), 20}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample h"), 21} << eTol << dE;
        break;
    case DisplayMode::Yxy:
        columns << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Y"), 11}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard x"), 12}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Standard y"), 13}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Y"), 22}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample x"), 23}
                << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Sample y"), 24} << eTol << dE;
        break;
    case DisplayMode::HazeTLab:
        columns << stdHaze << stdT << lab << smpHaze << smpT << sampleLab << hazeTol << dHaze << tTol << dT << eTol << dE;
        break;
    default:
        break;
    }
    columns << ExportColumn{kPage, QT_TRANSLATE_NOOP("FirstPageFor310", "Result"), 28};
    return columns;
}

namespace {

QList<QStringList> rowsOf(const QAbstractItemModel& model)
{
    QList<QStringList> rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model.columnCount(); ++c) {
            const QVariant v = model.data(model.index(r, c));
            if (!v.isValid()) {
                break;
            }
            row << v.toString();
        }
        rows << row;
    }
    return rows;
}

} // namespace

std::unique_ptr<ExportTableModel> comparisonExportTable(const QAbstractItemModel& table, DisplayMode displayMode)
{
    QList<int> sources;
    QStringList titles;
    for (const ExportColumn& c : comparisonExportColumns(displayMode)) {
        sources << c.source;
        titles << QCoreApplication::translate(c.context, c.title);
    }
    return std::make_unique<ExportTableModel>(table, sources, titles, kComparisonExportTableColumns, false);
}

std::unique_ptr<ExportTableModel> spectralExportTable(const QAbstractItemModel& table)
{
    QList<int> sources;
    for (int c = 0; c < kSpectralExportColumns; ++c) {
        sources << c;
    }
    return std::make_unique<ExportTableModel>(table, sources, QStringList(), kSpectralExportColumns, true);
}

QList<QStringList> comparisonExportRows(const QAbstractItemModel& table, DisplayMode displayMode)
{
    return rowsOf(*comparisonExportTable(table, displayMode));
}

QList<QStringList> legacyExportRows(const QAbstractItemModel& table, bool chineseUi)
{
    QList<QStringList> rows;
    QStringList titles;
    for (const LegacyColumn& c : kLegacyColumns) {
        titles << QString::fromUtf8(chineseUi ? c.chinese : c.english);
    }
    rows << titles;
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList row;
        for (const LegacyColumn& c : kLegacyColumns) {
            row << cellText(table, r, c.source);
        }
        rows << row;
    }
    return rows;
}

QList<QStringList> spectralExportRows(const QAbstractItemModel& table)
{
    return rowsOf(*spectralExportTable(table));
}

QString proposedExportName(const QString& prefix, const QDateTime& now)
{
    return prefix + now.toString(QStringLiteral("yyyyMMddhhmm"));
}

QString withXlsxSuffix(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".xlsx") : path;
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size()) {
        return {};
    }
    const QStringList& row = m_rows.at(index.row());
    return index.column() < row.size() ? QVariant(row.at(index.column())) : QVariant();
}

ExportTableModel::ExportTableModel(const QAbstractItemModel& source, QList<int> sourceColumns, QStringList titles,
                                   int columnCount, bool missingAsEmpty)
    : m_source(source), m_sourceColumns(std::move(sourceColumns)), m_titles(std::move(titles)),
      m_columnCount(columnCount), m_missingAsEmpty(missingAsEmpty)
{
}

int ExportTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_source.rowCount() + (m_titles.isEmpty() ? 0 : 1);
}

QVariant ExportTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.column() >= m_sourceColumns.size()) {
        return {};
    }
    int row = index.row();
    if (!m_titles.isEmpty()) {
        if (row == 0) {
            return m_titles.value(index.column());
        }
        --row;
    }
    const QVariant value = m_source.data(m_source.index(row, m_sourceColumns.at(index.column())), Qt::DisplayRole);
    if (!value.isValid()) {
        return m_missingAsEmpty ? QVariant(QString()) : QVariant();
    }
    return value.toString(); // every exported cell is text, as the table shows it
}
