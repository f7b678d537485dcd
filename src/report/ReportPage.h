#pragma once
// What the two report dialogs share: the snapshot of one comparison, the
// preview in the text browser, printing, saving as PDF, and the three
// test-information texts that the information dialog edits and that go back
// to the workspace for the next report.

#include "ReportSnapshot.h"
#include "ReportStatistics.h"
#include "TestInformation.h"

#include <QDateTime>
#include <QDialog>

#include <functional>
#include <optional>

class Dialogs;
class QCheckBox;
class QTextBrowser;

class ReportPage : public QDialog
{
    Q_OBJECT
public:
    const ReportSnapshot& snapshot() const { return m_snapshot; }
    // The device as the report names it.
    virtual QString deviceText() const { return m_snapshot.modelName; }
    virtual QString formulaText() const = 0;
    virtual QString thresholdText() const { return m_snapshot.deltaEThresholdText; }

    TestInformation testInformation() const;
    // The information dialog's "Ok": keep the texts, rebuild the preview and
    // hand the texts on to the workspace.
    void acceptTestInformation(const TestInformation& information);

    // Builds the HTML for the current fields and shows it.
    void refreshReport();
    // Hands company, tester and auditor to the workspace and remembers them
    // for the next start.
    void copyTestInformationToWorkspace();

    // The statistics page the report can carry after its first page: offered
    // with a "Statistics page" check box beside the buttons, off at first.
    // The source is asked once, when the box is first ticked.
    void setStatisticsSource(const std::function<ReportStatisticsPage()>& source);
    void setStatisticsPage(const ReportStatisticsPage& page);
    void setIncludesStatistics(bool include);
    bool includesStatistics() const;

    // The first page's HTML (the statistics page, when included, follows it).
    QString html() const { return m_html; }
    QTextBrowser* browser() const { return m_browser; }

Q_SIGNALS:
    void testInformationChanged(const TestInformation& information);

public Q_SLOTS:
    void on_Informationbtn_clicked();
    void on_PrintReportbtn_clicked();
    void on_SavePdfbtn_clicked();

protected:
    // Printing and saving ask through dialogs, which must outlive the report.
    ReportPage(const ReportSnapshot& snapshot, Dialogs& dialogs, QWidget* parent);
    // Called by the subclass once its form is set up.
    void finishSetup(QTextBrowser* browser);
    virtual QString buildHtml(const QDateTime& builtAt) const = 0;
    virtual QDialog* createInformationPage() = 0;

private:
    ReportSnapshot m_snapshot;
    Dialogs& m_dialogs;
    QTextBrowser* m_browser = nullptr;
    QString m_html;
    QDateTime m_builtAt;
    std::function<ReportStatisticsPage()> m_statisticsSource;
    std::optional<ReportStatisticsPage> m_statistics;
    QCheckBox* m_statisticsBox = nullptr;
};
