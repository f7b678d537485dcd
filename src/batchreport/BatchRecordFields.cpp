#include "BatchRecordFields.h"

#include "WorkStatistics.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>

namespace {

const char* const kContext = "BatchReport";

QString limitText(StatQuantity quantity, const ToleranceLimits& limits)
{
    const QString symbol = quantitySymbol(quantity);
    if (limits.twoSided() && std::abs(limits.lower + limits.upper) < 1e-12) {
        return QStringLiteral("%1 ±%2").arg(symbol, QString::number(limits.upper, 'f', 2));
    }
    if (limits.twoSided()) {
        return QStringLiteral("%1 %2..%3").arg(symbol, QString::number(limits.lower, 'f', 2),
                                               QString::number(limits.upper, 'f', 2));
    }
    if (!std::isnan(limits.upper)) {
        return QStringLiteral("%1 ≤ %2").arg(symbol, QString::number(limits.upper, 'f', 2));
    }
    return QStringLiteral("%1 ≥ %2").arg(symbol, QString::number(limits.lower, 'f', 2));
}

bool beyond(double value, const ToleranceLimits& limits)
{
    if (std::isnan(value)) {
        return true; // what was not compared never passes
    }
    return (!std::isnan(limits.upper) && value > limits.upper) || (!std::isnan(limits.lower) && value < limits.lower);
}

} // namespace

BatchStandardFields batchStandardFields(const ComparisonRecord& record, const QString& fallbackName)
{
    const LibraryJudgement& library = record.library;
    if (!library.inUse()) {
        // A standard scanned or typed: known by its values and by the first
        // row compared with it.
        return {fallbackName, QString(), QString()};
    }
    const QString origin = library.standardCode.isEmpty()
                               ? QCoreApplication::translate(kContext, "standards library")
                               : QCoreApplication::translate(kContext, "standards library, code %1").arg(library.standardCode);
    return {library.standardName.isEmpty() ? fallbackName : library.standardName,
            QString::number(library.standardVersion), origin};
}

BatchJudgementFields batchJudgementFields(const ComparisonRecord& record)
{
    BatchJudgementFields fields;
    const LibraryJudgement& library = record.library;
    if (library.inUse()) {
        // The set the record was judged against, as the command line writes it.
        const LibraryToleranceSet& set = library.tolerances;
        const QString name = set.name.isEmpty() ? QCoreApplication::translate(kContext, "the standard's own")
                                                : set.name;
        fields.tolerances = QCoreApplication::translate(kContext, "%1, version %2: %3")
                                .arg(name)
                                .arg(set.version)
                                .arg(formatToleranceLimits(set.limits));
        if (set.warnPercent > 0) {
            fields.tolerances += QCoreApplication::translate(kContext, ", warning beyond %1 %").arg(set.warnPercent);
        }
        fields.instrumentTolerances = false;
        fields.warning = library.warning;
        fields.decidedBy = library.decidedBy;
        for (const ToleranceLimit& limit : set.limits) {
            if (toleranceQuantityToken(limit.quantity).compare(library.decidedBy, Qt::CaseInsensitive) == 0) {
                fields.decidedBy = formatToleranceLimits({limit});
                break;
            }
        }
        return fields;
    }
    QStringList limits;
    QStringList decided;
    for (const StatQuantity quantity : shownQuantities(record.settings.displayMode, record.legacy)) {
        const ToleranceLimits l = quantityLimits(record.settings, quantity, record.legacy);
        if (!l.known()) {
            continue;
        }
        const QString text = limitText(quantity, l);
        limits << text;
        if (!record.pass && beyond(quantityValue(record, quantity), l)) {
            decided << text;
        }
    }
    // The formula only where a colour difference is judged.
    const bool judgesDeltaE = shownQuantities(record.settings.displayMode, record.legacy).contains(StatQuantity::DeltaE);
    const QString formula = judgesDeltaE ? record.settings.formulaText.trimmed() : QString();
    fields.tolerances = limits.isEmpty() ? QCoreApplication::translate(kContext, "not read from the instrument")
                                         : limits.join(QStringLiteral("  "));
    if (!formula.isEmpty()) {
        fields.tolerances += QStringLiteral(" (%1)").arg(formula);
    }
    fields.decidedBy = decided.join(QStringLiteral(", "));
    return fields;
}

BatchReadings batchReadings(const ComparisonRecord&)
{
    return {}; // one reading per specimen
}

QString batchHazeProcedure(const ComparisonRecord&)
{
    return QString(); // the instruments do not report it
}
