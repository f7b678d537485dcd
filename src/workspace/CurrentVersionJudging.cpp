#include "CurrentVersionJudging.h"

#include "ComparisonJudging.h"
#include "StandardLibrary.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString text(const char* source, int n = -1)
{
    return QCoreApplication::translate("CurrentVersionJudging", source, nullptr, n);
}

// PASS, PASS with a warning and NG are three verdicts.
int verdictOf(const ComparisonRecord& record)
{
    return record.pass ? (record.library.warning ? 1 : 0) : 2;
}

} // namespace

CurrentVersionOutcome judgeWithCurrentVersions(const QList<ComparisonRecord>& records, const QList<int>& rows,
                                               const ComparisonSettings& settings, const StandardLibrary& library)
{
    CurrentVersionOutcome outcome;
    QList<int> chosen = rows;
    if (chosen.isEmpty()) {
        for (int row = 0; row < records.size(); ++row) {
            chosen << row;
        }
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    for (const int row : chosen) {
        if (row < 0 || row >= records.size() || !records.at(row).library.inUse()) {
            continue;
        }
        ++outcome.libraryRows;
        ComparisonRecord record = records.at(row);
        bool changed = false;
        if (!judgeWithCurrentVersion(record, settings, library, &changed)) {
            ++outcome.gone;
            continue;
        }
        if (!changed) {
            continue;
        }
        const ComparisonRecord& before = records.at(row);
        outcome.verdictChanged += verdictOf(before) != verdictOf(record) ? 1 : 0;
        const qint64 from = before.library.standardVersion;
        const qint64 to = record.library.standardVersion;
        if (from != to) {
            auto move = std::find_if(outcome.moves.begin(), outcome.moves.end(), [&](const auto& m) {
                return m.standardName == record.library.standardName && m.from == from && m.to == to;
            });
            if (move == outcome.moves.end()) {
                outcome.moves.append({record.library.standardName, from, to, 0});
                move = outcome.moves.end() - 1;
            }
            ++move->rows;
        }
        outcome.changedRows << row;
        outcome.records << record;
    }
    return outcome;
}

QString CurrentVersionOutcome::message() const
{
    if (libraryRows == 0) {
        return text("None of these rows was judged against a library standard: nothing was judged again.");
    }
    QStringList lines;
    lines << text("%n row(s) judged again with the current standards.", libraryRows - gone);
    lines << text("%n row(s) changed verdict.", verdictChanged);
    for (const Move& move : moves) {
        lines << text("%1: version %2 \u2192 %3 (%n row(s)).", move.rows)
                     .arg(move.standardName)
                     .arg(move.from)
                     .arg(move.to);
    }
    if (changedRows.isEmpty() && libraryRows > gone) {
        lines << text("Every row was already judged with the current version.");
    }
    if (gone > 0) {
        lines << text("%n row(s) kept as they were: their standard is no longer in the library.", gone);
    }
    return lines.join(QLatin1Char('\n'));
}
