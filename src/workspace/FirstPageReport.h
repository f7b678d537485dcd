#pragma once
// The reports of the comparison table's rows. The workspace keeps one of these:
// it fills the report snapshot from the record whose "Report" button was pressed,
// opens the report dialog over the page, and keeps the company, tester and
// auditor the operator last confirmed, so the next report starts with them
// (also after a restart: they come from the user's settings).

#include "ComparisonRecord.h"
#include "ReportSnapshot.h"
#include "ReportStatistics.h"
#include "TestInformation.h"

#include <QObject>

#include <functional>

class BatchReportDialog;
class Dialogs;
class QWidget;
class ReportPage;
struct BatchReportInput;

class FirstPageReport : public QObject
{
    Q_OBJECT
public:
    // The reports print and save through dialogs, which must outlive them.
    explicit FirstPageReport(Dialogs& dialogs, QObject* parent = nullptr);

    // A report of a current-layout record, opened non-modally over page, with
    // the display mode, layout and formula it was judged under; nullptr when
    // the record has no test name.
    ReportPage* openCurrent(const ComparisonRecord& record, QWidget* page);
    // A report of a legacy-layout record; chineseUi chooses the Chinese report.
    ReportPage* openLegacy(const ComparisonRecord& record, bool chineseUi, QWidget* page);

    // The batch report of records, opened non-modally over page, with the
    // company, tester and auditor last confirmed; nullptr without records
    // (said in a box).
    BatchReportDialog* openBatch(BatchReportInput input, QWidget* page);

    // What a report's statistics page is made from when the operator asks
    // for one (the work of the shown table); none: no statistics page offered.
    void setStatisticsSource(const std::function<ReportStatisticsPage()>& source) { m_statisticsSource = source; }

    // The snapshot of the last report opened.
    const ReportSnapshot& snapshot() const { return m_snapshot; }
    const TestInformation& testInformation() const { return m_information; }

private:
    ReportPage* show(ReportPage* report);

    Dialogs& m_dialogs;
    ReportSnapshot m_snapshot;
    TestInformation m_information;
    std::function<ReportStatisticsPage()> m_statisticsSource;
};
