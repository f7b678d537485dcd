#pragma once
// The reports of the comparison table's rows. The workspace keeps one of these:
// it fills the report snapshot from the row whose "Report" button was pressed,
// opens the report dialog over the page, and keeps the company, tester and
// auditor the operator last confirmed, so the next report starts with them
// (also after a restart: they come from the user's settings).

#include "ReportSnapshot.h"
#include "TestInformation.h"

#include <QObject>

#include <array>

class QTableWidget;
class QWidget;
class ReportPage;

class FirstPageReport : public QObject
{
    Q_OBJECT
public:
    explicit FirstPageReport(QObject* parent = nullptr);

    // The row of the table holding button as a cell widget, or -1.
    static int rowOfCellButton(const QTableWidget& table, const QWidget* button);

    // A report of a current-layout row (tableWidget_data), opened non-modally over
    // page; nullptr when the row has no test name.
    ReportPage* openCurrent(const QTableWidget& table, int row, const QString& formulaText,
                            const std::array<bool, 7>& displayFlags, int layoutIndex, QWidget* page);
    // A report of a legacy-layout row (tbData); chineseUi chooses the Chinese report.
    ReportPage* openLegacy(const QTableWidget& table, int row, bool chineseUi, QWidget* page);

    // The snapshot of the last report opened.
    const ReportSnapshot& snapshot() const { return m_snapshot; }
    const TestInformation& testInformation() const { return m_information; }

private:
    ReportPage* show(ReportPage* report);

    ReportSnapshot m_snapshot;
    TestInformation m_information;
};
