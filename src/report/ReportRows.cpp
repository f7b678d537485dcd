#include "ReportRows.h"

#include "ComparisonColumns.h"
#include "Judgement.h"

namespace {

void setInformation(ReportSnapshot& s, const TestInformation& information)
{
    s.company = information.company;
    s.tester = information.tester;
    s.auditor = information.auditor;
}

} // namespace

ReportSnapshot snapshotFromRecord(const ComparisonRecord& record, const TestInformation& information)
{
    using namespace ComparisonColumns;
    using V = ReportSnapshot;
    const Layout layout = layoutOf(record);
    const auto shown = [&](int column) { return shownNumber(layout, record, column).value_or(0.0); };
    ReportSnapshot s;
    s.testName = record.testName;
    s.dateTime = timeText(record.time);
    s.verdict = cellText(layout, record, verdictColumn(layout));
    s.verdictPass = record.pass;
    s.modelName = record.modelName;
    s.serialNumber = record.serialNumber;
    if (record.legacy) {
        const V::Value order[] = {V::LabL, V::LabA, V::LabB, V::LchC, V::LchH};
        for (int i = 0; i < 5; ++i) {
            s.standard[order[i]] = shown(kLegacyStandardFirst + i);
            s.sample[order[i]] = shown(kLegacySampleFirst + i);
        }
        s.deltaE = shown(13);
        s.formulaTextLegacy = record.settings.formulaText;
        s.deltaEThresholdText = record.settings.thresholdText;
    } else {
        for (int v = 0; v < V::ValueCount; ++v) {
            s.standard[v] = shown(kCurrentStandardFirst + v);
            s.sample[v] = shown(kCurrentSampleFirst + v);
        }
        s.hazeDifference = shown(25);
        s.transmittanceDifference = shown(26);
        s.deltaE = shown(27);
        s.hazeToleranceText = cellText(layout, record, 31);
        s.transmittanceToleranceText = cellText(layout, record, 32);
        s.deltaEThresholdText = cellText(layout, record, 33);
        s.formulaText = record.settings.formulaText;
        s.displayMode = record.settings.displayMode;
    }
    setInformation(s, information);
    return s;
}
