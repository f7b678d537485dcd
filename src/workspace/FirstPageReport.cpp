#include "FirstPageReport.h"

#include "BatchReportDialog.h"
#include "Dialogs.h"

#include <QCoreApplication>

#include "ReportPageFor310.h"
#include "ReportPageFor420.h"
#include "ReportRows.h"

FirstPageReport::FirstPageReport(Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_information(loadTestInformation())
{
}

ReportPage* FirstPageReport::openCurrent(const ComparisonRecord& record, QWidget* page)
{
    if (record.testName.isEmpty()) {
        return nullptr;
    }
    m_snapshot = snapshotFromRecord(record, m_information);
    return show(new ReportPageFor310(m_snapshot, record.settings.layoutIndex, m_dialogs, page));
}

ReportPage* FirstPageReport::openLegacy(const ComparisonRecord& record, bool chineseUi, QWidget* page)
{
    if (record.testName.isEmpty()) {
        return nullptr;
    }
    m_snapshot = snapshotFromRecord(record, m_information);
    return show(new ReportPageFor420(m_snapshot, chineseUi, m_dialogs, page));
}

BatchReportDialog* FirstPageReport::openBatch(BatchReportInput input, QWidget* page)
{
    if (input.records.isEmpty()) {
        m_dialogs.information(page, QCoreApplication::translate("BatchReport", "Batch report"),
                              QCoreApplication::translate("BatchReport", "There are no rows to report."));
        return nullptr;
    }
    input.company = m_information.company;
    input.tester = m_information.tester;
    input.auditor = m_information.auditor;
    auto* dialog = new BatchReportDialog(input, m_dialogs, page);
    connect(dialog, &BatchReportDialog::testInformationChanged, this,
            [this](const TestInformation& information) { m_information = information; });
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

ReportPage* FirstPageReport::show(ReportPage* report)
{
    connect(report, &ReportPage::testInformationChanged, this, [this](const TestInformation& information) {
        m_information = information;
        m_snapshot.company = information.company;
        m_snapshot.tester = information.tester;
        m_snapshot.auditor = information.auditor;
    });
    if (m_statisticsSource) {
        report->setStatisticsSource(m_statisticsSource);
    }
    report->show();
    report->raise();
    report->activateWindow();
    return report;
}
