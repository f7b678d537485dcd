#include "BatchReport.h"

#include "BatchRecordFields.h"
#include "ComparisonColumns.h"
#include "RunningStatistics.h"
#include "StatisticsTable.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

#include <cmath>

namespace {

const char* const kContext = "BatchReport";
using R = ComparisonRecord;

QString tr(const char* text)
{
    return QCoreApplication::translate(kContext, text);
}

bool isColour(StatQuantity q)
{
    return q != StatQuantity::Haze && q != StatQuantity::Transmittance;
}

// The value of a record a difference is taken of: its index in the current
// layout's or the legacy layout's values, and its heading; -1 for ΔE.
struct ValueColumn
{
    int index = -1;
    int legacyIndex = -1;
    QString heading;
};

ValueColumn valueColumn(StatQuantity q, DisplayMode mode)
{
    switch (q) {
    case StatQuantity::Haze: return {R::Haze, -1, tr("Haze")};
    case StatQuantity::Transmittance: return {R::Transmittance, -1, tr("T")};
    case StatQuantity::L: return {mode == DisplayMode::LCh ? R::LchL : R::LabL, R::LegacyL, QStringLiteral("L*")};
    case StatQuantity::A: return {R::LabA, R::LegacyA, QStringLiteral("a*")};
    case StatQuantity::B: return {R::LabB, R::LegacyB, QStringLiteral("b*")};
    case StatQuantity::C: return {R::LchC, R::LegacyC, QStringLiteral("C*")};
    case StatQuantity::H: return {R::LchH, R::LegacyH, QStringLiteral("h")};
    case StatQuantity::Y: return {R::Y, -1, QStringLiteral("Y")};
    case StatQuantity::X: return {R::X, -1, QStringLiteral("x")};
    case StatQuantity::SmallY: return {R::SmallY, -1, QStringLiteral("y")};
    case StatQuantity::DeltaE: break;
    }
    return {};
}

QString number(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QString(ComparisonColumns::kUnknownText);
}

// A value of the sample (standard = false) or the standard of a record.
QString valueText(const ComparisonRecord& record, const ValueColumn& column, bool standard)
{
    if (record.legacy) {
        if (column.legacyIndex < 0) {
            return QString(ComparisonColumns::kUnknownText);
        }
        const auto& values = standard ? record.legacyStandard : record.legacySample;
        return number(values[column.legacyIndex], ComparisonColumns::legacyValueDecimals(column.legacyIndex));
    }
    const auto& values = standard ? record.standard : record.sample;
    return number(values[column.index], ComparisonColumns::valueDecimals(column.index));
}

QString timeRange(const QList<ComparisonRecord>& records)
{
    QDateTime first;
    QDateTime last;
    for (const ComparisonRecord& r : records) {
        if (!r.time.isValid()) {
            continue;
        }
        if (!first.isValid() || r.time < first) {
            first = r.time;
        }
        if (!last.isValid() || r.time > last) {
            last = r.time;
        }
    }
    if (!first.isValid()) {
        return QString();
    }
    const QString format = QStringLiteral("yyyy-MM-dd hh:mm");
    if (first.toString(format) == last.toString(format)) {
        return first.toString(format);
    }
    return QStringLiteral("%1 – %2").arg(first.toString(format), last.toString(format));
}

// The distinct non-empty texts, in order of first appearance.
QString distinct(const QList<ComparisonRecord>& records, QString ComparisonRecord::*field)
{
    QStringList seen;
    for (const ComparisonRecord& r : records) {
        const QString text = (r.*field).trimmed();
        if (!text.isEmpty() && !seen.contains(text)) {
            seen << text;
            if (seen.size() == 5) {
                seen << QStringLiteral("…");
                break;
            }
        }
    }
    return seen.join(QStringLiteral(", "));
}

QString orBlank(const QString& text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("—") : text;
}

BatchBlock heading(const QString& text)
{
    BatchBlock b;
    b.kind = BatchBlock::Heading;
    b.text = text;
    return b;
}

BatchBlock note(const QString& text)
{
    BatchBlock b;
    b.kind = BatchBlock::Text;
    b.text = text;
    return b;
}

bool anyReadings(const QList<ComparisonRecord>& records)
{
    for (const ComparisonRecord& r : records) {
        if (batchReadings(r).n > 1) {
            return true;
        }
    }
    return false;
}

} // namespace

int hazeFlags(double haze)
{
    if (!std::isfinite(haze)) {
        return HazeInRange;
    }
    int flags = HazeInRange;
    if (haze > 30.0) {
        flags |= HazeBeyondHazemeter;
    }
    if (haze >= 40.0) {
        flags |= HazeOutsideIso;
    }
    return flags;
}

QString hazeFlagText(int flags)
{
    QStringList marks;
    if (flags & HazeBeyondHazemeter) {
        marks << QStringLiteral("A");
    }
    if (flags & HazeOutsideIso) {
        marks << QStringLiteral("B");
    }
    return marks.join(QLatin1Char(' '));
}

QString batchPageText(const BatchReportDocument& document, int page, int pages)
{
    return document.pageFormat.arg(page).arg(pages);
}

BatchReportDocument buildBatchReport(const BatchReportInput& input, const QDateTime& builtAt)
{
    const QList<ComparisonRecord>& records = input.records;
    BatchReportDocument doc;
    doc.rowCount = static_cast<int>(records.size());
    doc.title = tr("Batch report");
    doc.pageFormat = tr("Page %1 of %2");
    doc.footer = tr("Tintwell batch report, %1").arg(builtAt.toString(QStringLiteral("yyyy-MM-dd hh:mm")));

    const QList<StatQuantity> quantities = shownQuantities(records);
    doc.work = std::make_shared<WorkStatistics>(quantities);
    doc.work->rebuild(records);
    doc.choice = defaultChartChoice(*doc.work);
    const DisplayMode mode = records.isEmpty() ? DisplayMode::None : records.back().settings.displayMode;
    const bool colour = std::any_of(quantities.cbegin(), quantities.cend(), isColour);
    const bool haze = quantities.contains(StatQuantity::Haze);
    const bool transmittance = quantities.contains(StatQuantity::Transmittance);
    QList<ValueColumn> values;
    for (const StatQuantity q : quantities) {
        if (q != StatQuantity::DeltaE) {
            values << valueColumn(q, mode);
        }
    }
    const auto& groups = doc.work->groups();

    BatchBlock title;
    title.kind = BatchBlock::Title;
    title.text = doc.title;
    doc.blocks << title;

    BatchBlock header;
    header.kind = BatchBlock::Fields;
    header.fields = {
        {tr("Company"), orBlank(input.company)},
        {tr("Tester"), orBlank(input.tester)},
        {tr("Auditor"), orBlank(input.auditor)},
        {tr("Date and time"), orBlank(timeRange(records))},
        {tr("Instrument model"), orBlank(distinct(records, &ComparisonRecord::modelName))},
        {tr("Serial number"), orBlank(distinct(records, &ComparisonRecord::serialNumber))},
        {tr("Firmware"), orBlank(input.firmware)},
        {tr("Rows"), input.scope.isEmpty() ? QString::number(records.size())
                                           : QStringLiteral("%1 (%2)").arg(records.size()).arg(input.scope)},
    };
    doc.blocks << header;

    // The standards: one line each, in order of first use.
    doc.blocks << heading(groups.size() > 1 ? tr("Standards") : tr("Standard"));
    BatchBlock standards;
    standards.kind = BatchBlock::Table;
    standards.table.headings << tr("Standard") << tr("Version") << tr("Origin");
    for (const ValueColumn& v : values) {
        standards.table.headings << v.heading;
    }
    standards.table.headings << tr("Tolerances");
    standards.table.leftColumns = 3;
    std::vector<int> firstRowOfGroup(groups.size(), -1);
    for (int row = 0; row < records.size(); ++row) {
        const int g = doc.work->groupOfRow(row);
        if (g >= 0 && firstRowOfGroup[g] < 0) {
            firstRowOfGroup[g] = row;
        }
    }
    for (size_t g = 0; g < groups.size(); ++g) {
        if (firstRowOfGroup[g] < 0) {
            continue;
        }
        const ComparisonRecord& first = records.at(firstRowOfGroup[g]);
        const BatchStandardFields fields =
            batchStandardFields(first, statisticsGroupName(groups[g], static_cast<int>(g)));
        QStringList row{fields.name, orBlank(fields.version), orBlank(fields.origin)};
        for (const ValueColumn& v : values) {
            QString text = valueText(first, v, true);
            if (v.index == R::Haze && !first.legacy && hazeFlags(first.standard[R::Haze]) != HazeInRange) {
                text += QLatin1Char(' ') + hazeFlagText(hazeFlags(first.standard[R::Haze]));
            }
            row << text;
        }
        // The settings of the group's newest record are in force for it.
        const BatchJudgementFields judging = batchJudgementFields(records.at(groups[g].rows.back()));
        row << (judging.instrumentTolerances ? tr("instrument: %1").arg(judging.tolerances) : judging.tolerances);
        standards.table.rows << row;
        standards.table.ng.push_back(0);
    }
    doc.blocks << standards;

    if (haze || transmittance) {
        doc.blocks << heading(tr("Haze test"));
        int readings = 0;
        std::vector<double> hazeValues;
        std::vector<double> tValues;
        int flagged = 0;
        for (const ComparisonRecord& r : records) {
            readings += batchReadings(r).n;
            if (r.legacy) {
                continue;
            }
            if (std::isfinite(r.sample[R::Haze])) {
                hazeValues.push_back(r.sample[R::Haze]);
                flagged += hazeFlags(r.sample[R::Haze]) != HazeInRange ? 1 : 0;
            }
            if (std::isfinite(r.sample[R::Transmittance])) {
                tValues.push_back(r.sample[R::Transmittance]);
            }
        }
        const auto meanSd = [](const std::vector<double>& v) {
            if (v.empty()) {
                return statisticsDash();
            }
            RunningStatistics s;
            s.assign(v);
            return QStringLiteral("%1 ± %2 %").arg(statisticText(s.mean(), 2), statisticText(s.standardDeviation(), 2));
        };
        const QString procedure = records.isEmpty() ? QString() : batchHazeProcedure(records.front());
        BatchBlock figures;
        figures.kind = BatchBlock::Fields;
        figures.fields = {
            {tr("Specimens"), QString::number(records.size())},
            {tr("Readings"), QString::number(readings)},
            {tr("Haze, mean ± SD"), meanSd(hazeValues)},
            {tr("Transmittance, mean ± SD"), meanSd(tValues)},
            {tr("Procedure followed"), procedure.isEmpty() ? QStringLiteral("______________________________") : procedure},
        };
        doc.blocks << figures;
        doc.blocks << note(tr("A: haze above 30 %, beyond the hazemeter procedure of ASTM D1003 (its procedure for "
                              "diffusing materials applies). B: haze of 40 % or more, outside the scope of ISO 14782. "
                              "Values flagged: %1.")
                               .arg(flagged));
    }

    // Every specimen.
    doc.blocks << heading(tr("Specimens"));
    const bool readingColumns = anyReadings(records);
    BatchBlock specimens;
    specimens.kind = BatchBlock::Table;
    BatchTable& t = specimens.table;
    t.headings << tr("No.") << tr("Name") << tr("Time");
    if (groups.size() > 1) {
        t.headings << tr("Std.");
    }
    t.leftColumns = static_cast<int>(t.headings.size());
    for (const ValueColumn& v : values) {
        t.headings << v.heading;
    }
    for (const StatQuantity q : quantities) {
        t.headings << quantitySymbol(q);
    }
    t.headings << tr("Verdict");
    t.verdictColumn = static_cast<int>(t.headings.size()) - 1;
    t.headings << tr("Warning") << tr("Decided by");
    if (haze) {
        t.headings << tr("Flag");
    }
    if (readingColumns) {
        t.headings << tr("n") << tr("Spread");
    }
    t.rows.reserve(records.size());
    t.ng.reserve(records.size());
    const QString pass = tr("PASS");
    const QString ng = tr("NG");
    const QString warning = tr("warning");
    const QString timeFormat = QStringLiteral("MM-dd hh:mm:ss");
    for (int row = 0; row < records.size(); ++row) {
        const ComparisonRecord& r = records.at(row);
        QStringList cells;
        cells.reserve(t.headings.size());
        cells << QString::number(row + 1) << r.testName << r.time.toString(timeFormat);
        if (groups.size() > 1) {
            cells << QString::number(doc.work->groupOfRow(row) + 1);
        }
        for (const ValueColumn& v : values) {
            cells << valueText(r, v, false);
        }
        for (const StatQuantity q : quantities) {
            cells << number(quantityValue(r, q), 2);
        }
        const BatchJudgementFields judging = batchJudgementFields(r);
        cells << (r.pass ? pass : ng) << (judging.warning ? warning : QString()) << judging.decidedBy;
        if (haze) {
            cells << (r.legacy ? QString() : hazeFlagText(hazeFlags(r.sample[R::Haze])));
        }
        if (readingColumns) {
            const BatchReadings readings = batchReadings(r);
            cells << QString::number(readings.n) << readings.spread;
        }
        t.rows << cells;
        t.ng.push_back(r.pass ? 0 : 1);
    }
    doc.blocks << specimens;

    // The statistics, as the statistics window gives them.
    doc.blocks << heading(tr("Statistics of the batch"));
    const StatisticsGroup& all = doc.work->overall();
    doc.blocks << note(tr("Specimens: %1    PASS: %2    NG: %3    Pass rate: %4")
                           .arg(all.records)
                           .arg(all.passed)
                           .arg(all.failed())
                           .arg(all.records ? QStringLiteral("%1 %").arg(statisticText(100.0 * all.passRate(), 1))
                                            : statisticsDash()));
    BatchBlock stats;
    stats.kind = BatchBlock::Table;
    QList<int> columns{StatStandard, StatQuantityColumn, StatN, StatPassRate, StatMean, StatSd,
                       StatMin,      StatMax,            StatCp, StatCpk};
    if (groups.size() < 2) {
        columns.removeFirst();
    }
    const QStringList titles = statisticsColumnTitles();
    for (const int c : columns) {
        stats.table.headings << titles.at(c);
    }
    stats.table.leftColumns = groups.size() < 2 ? 1 : 2;
    for (const QStringList& row : statisticsTableRows(*doc.work)) {
        QStringList cells;
        for (const int c : columns) {
            cells << row.at(c);
        }
        stats.table.rows << cells;
        stats.table.ng.push_back(0);
    }
    doc.blocks << stats;

    if (colour && !records.isEmpty()) {
        doc.blocks << heading(tr("Charts of %1").arg(quantitySymbol(doc.choice.quantity)));
        BatchBlock charts;
        charts.kind = BatchBlock::Charts;
        doc.blocks << charts;
    }

    BatchBlock signatures;
    signatures.kind = BatchBlock::Signatures;
    signatures.fields = {{tr("Tester"), input.tester}, {tr("Approved by"), input.auditor}};
    doc.blocks << signatures;
    return doc;
}
