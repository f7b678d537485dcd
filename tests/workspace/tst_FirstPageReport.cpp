// Reports opened from comparison records: the row of a Report button, a record
// without test name, and company/tester/auditor carried to the next report and
// across a restart.
#include "ComparisonColumns.h"
#include "FirstPageReport.h"
#include "ReportPage.h"
#include "ScriptedDialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

QStringList currentRow(const QString& name)
{
    return {"1", name, "2026/12/06  23:05", "12.50%", "88.25%", "50.12", "1.50", "-2.25", "50.12", "2.70",
            "303.7", "18.40", "0.3123", "0.3300", "13.00%", "87.50%", "51.00", "1.25", "-2.00", "51.00",
            "2.40", "301.9", "19.10", "0.3120", "0.3305", "0.50%", "-0.75%", "0.90", "PASS", "", "",
            "±1.00%", "±2.00%", "1.0", "TX310", "SN7"};
}

ComparisonRecord labRecord(const QString& name)
{
    ComparisonRecord r = ComparisonColumns::recordFromTexts(ComparisonColumns::Layout::Current, currentRow(name), true);
    r.settings.displayMode = DisplayMode::Lab;
    r.settings.formulaText = QStringLiteral("△E*ab");
    return r;
}

void confirmInformation(ReportPage* report, const QString& tester)
{
    report->findChild<QPushButton*>(QStringLiteral("Informationbtn"))->click();
    QDialog* info = report->findChildren<QDialog*>().last();
    info->findChild<QLineEdit*>(QStringLiteral("TesterEdit"))->setText(tester);
    info->findChild<QPushButton*>(QStringLiteral("Okbtn"))->click();
}

} // namespace

class tst_FirstPageReport : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    QWidget m_page;

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        m_page.show();
    }

    void cleanup()
    {
        for (ReportPage* report : m_page.findChildren<ReportPage*>()) {
            delete report;
        }
    }

    void rowWithoutTestName_opensNoReport()
    {
        FirstPageReport reports(m_dialogs);
        QCOMPARE(reports.openCurrent(labRecord(QString()), &m_page), nullptr);
        QVERIFY(m_page.findChildren<ReportPage*>().isEmpty());
    }

    void testInformation_carriesToNextReportAndRestart()
    {
        saveTestInformation({QStringLiteral("Saved Co"), QStringLiteral("Saved tester"), QString()});
        auto reports = std::make_unique<FirstPageReport>(m_dialogs);
        ReportPage* first = reports->openCurrent(labRecord(QStringLiteral("Comp1")), &m_page);
        QVERIFY(first && first->isVisible());
        QVERIFY(first->browser()->toPlainText().contains(QStringLiteral("Saved tester")));
        QCOMPARE(reports->snapshot().testName, QStringLiteral("Comp1"));

        confirmInformation(first, QStringLiteral("Zhang"));
        ReportPage* second = reports->openCurrent(labRecord(QStringLiteral("Comp2")), &m_page);
        QCOMPARE(second->testInformation().tester, QStringLiteral("Zhang"));
        QCOMPARE(second->testInformation().company, QStringLiteral("Saved Co"));
        QCOMPARE(second->snapshot().testName, QStringLiteral("Comp2"));

        reports = std::make_unique<FirstPageReport>(m_dialogs); // the next start
        QCOMPARE(reports->testInformation().tester, QStringLiteral("Zhang"));
    }

    void legacyRow_opensTheLegacyReport()
    {
        const ComparisonRecord legacy = ComparisonColumns::recordFromTexts(
            ComparisonColumns::Layout::Legacy,
            {"1", "Comp9", "2026/12/06  23:05", "50.12", "1.50", "-2.25", "2.70", "303.7", "51.00", "1.25", "-2.00",
             "2.40", "301.9", "0.90", "PASS", "", "", "△E*00", "1.0", "TX420", "SN9"},
            true);
        FirstPageReport reports(m_dialogs);
        ReportPage* report = reports.openLegacy(legacy, true, &m_page);
        QVERIFY(report);
        const QString text = report->browser()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("TX420 Colorimeter")) && text.contains(QStringLiteral("样品色")),
                 qPrintable(text));
    }
};

QTEST_MAIN(tst_FirstPageReport)
#include "tst_FirstPageReport.moc"
