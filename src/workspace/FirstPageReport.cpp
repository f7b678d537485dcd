#include "FirstPageReport.h"

#include "ReportPageFor310.h"
#include "ReportPageFor420.h"
#include "ReportRows.h"

#include <QTableWidget>

FirstPageReport::FirstPageReport(Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_information(loadTestInformation())
{
}

int FirstPageReport::rowOfCellButton(const QTableWidget& table, const QWidget* button)
{
    if (!button) {
        return -1;
    }
    const auto holds = [&](int row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            if (table.cellWidget(row, column) == button) {
                return true;
            }
        }
        return false;
    };
    // A cell widget's geometry is in the table's viewport coordinates. The row
    // found there must hold the button: a button of no cell (or one not laid
    // out yet) must not name some other row.
    const int row = table.indexAt(button->frameGeometry().topLeft()).row();
    if (row >= 0 && holds(row)) {
        return row;
    }
    for (int candidate = 0; candidate < table.rowCount(); ++candidate) {
        if (holds(candidate)) {
            return candidate;
        }
    }
    return -1;
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
