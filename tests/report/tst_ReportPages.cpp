// The report dialogs: the information dialog's Ok and Cancel, printing through
// the print dialog, and the saved PDF read back with poppler's pdftotext.
#include "ReportCases.h"
#include "InformationPageFor310.h"
#include "InformationPageFor420.h"
#include "ReportPageFor310.h"
#include "ReportPageFor420.h"
#include "ScriptedDialogs.h"
#include "StatisticsCases.h"
#include "ReportStatistics.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>

#include <unistd.h>

using namespace reportcases;

namespace {

// kind 0: current layout; 1: legacy English; 2: legacy Chinese.
ReportPage* openReport(int kind, const ReportSnapshot& s, Dialogs& dialogs)
{
    ReportPage* page = kind == 0 ? static_cast<ReportPage*>(new ReportPageFor310(s, 1, dialogs, nullptr))
                                 : new ReportPageFor420(s, kind == 2, dialogs, nullptr);
    page->show();
    return page;
}

QDialog* openInformation(ReportPage* page)
{
    page->findChild<QPushButton*>(QStringLiteral("Informationbtn"))->click();
    const auto pages = page->findChildren<QDialog*>();
    return pages.isEmpty() ? nullptr : pages.last();
}

QLineEdit* edit(QDialog* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QLatin1String(name));
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class tst_ReportPages : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    QPointer<ReportPage> m_page;
    QTranslator m_chinese;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("settings")));
        QVERIFY(m_chinese.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath()));
    }

    void init()
    {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        saveTestInformation({QStringLiteral("Old Co"), QStringLiteral("Old tester"), QStringLiteral("Old auditor")});
    }

    void cleanup()
    {
        delete m_page;
        QCoreApplication::removeTranslator(&m_chinese);
        QVERIFY(!m_dialogs->hasUnusedAnswers());
        m_dialogs.reset();
        QCOMPARE(visibleTopLevelWindows(), QStringList());
    }

    void informationOk_updatesPreviewWorkspaceAndSettings_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("current layout") << 0;
        QTest::newRow("legacy layout") << 1;
    }

    void informationOk_updatesPreviewWorkspaceAndSettings()
    {
        QFETCH(int, kind);
        m_page = openReport(kind, labComparison(), *m_dialogs);
        QSignalSpy toWorkspace(m_page.data(), &ReportPage::testInformationChanged);
        QDialog* info = openInformation(m_page);
        QVERIFY(info && info->isVisible());
        QCOMPARE(edit(info, "TesterEdit")->text(), QStringLiteral("Li"));
        for (const char* readOnly : {"DeviceEdit", "serialNoEdit", "SampleNameEdit", "TestTimeEdit"}) {
            QVERIFY2(edit(info, readOnly)->isReadOnly(), readOnly);
        }
        if (kind == 1) {
            QCOMPARE(edit(info, "DeviceEdit")->text(), QStringLiteral("TX310 Colorimeter"));
            QCOMPARE(edit(info, "FormulaEdit")->text(), QStringLiteral("△E*00"));
            QVERIFY(edit(info, "ThresholdsEdit")->isReadOnly());
        }

        const TestInformation typed{QStringLiteral("<b>R&D</b>"), QStringLiteral("Zhang"), QStringLiteral("Zhao")};
        edit(info, "CompanyEdit")->setText(typed.company);
        edit(info, "TesterEdit")->setText(typed.tester);
        edit(info, "AuditorEdit")->setText(typed.auditor);
        info->findChild<QPushButton*>(QStringLiteral("Okbtn"))->click();

        QVERIFY(!info->isVisible());
        const QString preview = m_page->browser()->toPlainText();
        QVERIFY2(preview.contains(QStringLiteral("Zhang")) && preview.contains(typed.company), qPrintable(preview));
        QVERIFY(!preview.contains(QStringLiteral("Li")));
        // Assistive technology reads the same preview.
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(m_page->browser());
        QVERIFY(shown && shown->textInterface());
        const auto lines = [](QString text) { // frame marks and line separators as breaks
            for (QChar mark : {QChar(0xFDD0), QChar(0xFDD1), QChar(0x2028)}) {
                text.replace(mark, QLatin1Char('\n'));
            }
            QStringList out;
            for (const QString& line : text.split(QLatin1Char('\n'))) {
                if (!line.trimmed().isEmpty()) {
                    out << line.trimmed();
                }
            }
            return out;
        };
        QCOMPARE(lines(shown->textInterface()->text(0, shown->textInterface()->characterCount())), lines(preview));
        QCOMPARE(shown->text(QAccessible::Name), QStringLiteral("Report preview"));
        QCOMPARE(toWorkspace.count(), 1);
        QCOMPARE(toWorkspace.at(0).at(0).value<TestInformation>(), typed);
        QCOMPARE(loadTestInformation(), typed);
    }

    void informationCancel_changesNothing()
    {
        m_page = openReport(0, labComparison(), *m_dialogs);
        QSignalSpy toWorkspace(m_page.data(), &ReportPage::testInformationChanged);
        const QString before = m_page->html();
        QDialog* info = openInformation(m_page);
        edit(info, "TesterEdit")->setText(QStringLiteral("Zhang"));
        info->findChild<QPushButton*>(QStringLiteral("Cancelbtn"))->click();

        QVERIFY(!info->isVisible());
        QCOMPARE(m_page->html(), before);
        QCOMPARE(m_page->testInformation().tester, QStringLiteral("Li"));
        QCOMPARE(toWorkspace.count(), 0);
        QCOMPARE(loadTestInformation().tester, QStringLiteral("Old tester"));
        // A later information dialog starts again from the report's values.
        QCOMPARE(edit(openInformation(m_page), "TesterEdit")->text(), QStringLiteral("Li"));
    }

    void print_onlyWhenAccepted_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }

    void print_onlyWhenAccepted()
    {
        QFETCH(bool, accept);
        const QString path = m_dir.filePath(QStringLiteral("printed.pdf"));
        QFile::remove(path);
        m_page = openReport(0, labComparison(), *m_dialogs);
        m_dialogs->answerPrint(accept ? path : QString());
        m_page->findChild<QPushButton*>(QStringLiteral("PrintReportbtn"))->click();
        QCOMPARE(QFileInfo(path).size() > 0, accept);
    }

    void savePdf_oneA4PageWithValuesAndVerdict_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("current layout, English") << 0
            << QStringList{"Test Report", "L*", "50.12", "51.00", "0.88", "PASS", "<b>R&D</b>", "Li", "Wang"};
        QTest::newRow("legacy layout, Chinese") << 2
            << QStringList{"测试报告", "测试数据(Test Data)", "标准色", "50.123", "0.877", "合格", "<b>R&D</b>",
                           "审核人(Auditor):"};
    }

    void savePdf_oneA4PageWithValuesAndVerdict()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, expected);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        if (kind == 2) {
            QCoreApplication::installTranslator(&m_chinese);
        }
        ReportSnapshot s = labComparison();
        s.testName = QStringLiteral("<b>R&D</b>");
        if (kind == 2) {
            s.verdict = QStringLiteral("合格");
        }
        m_page = openReport(kind, s, *m_dialogs);
        const QString path = m_dir.filePath(QStringLiteral("report%1").arg(kind));
        m_dialogs->answerSaveFile(path);
        m_page->findChild<QPushButton*>(QStringLiteral("SavePdfbtn"))->click();

        const QString pdf = path + QStringLiteral(".pdf");
        const QString info = run(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
        const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        for (const QString& part : expected) {
            QVERIFY2(text.contains(part), qPrintable(part + QStringLiteral(" missing in:\n") + text));
        }
    }

    // The statistics page, when chosen, follows the first page on a sheet of
    // its own with the control chart and the a*b* plane; the first page
    // reads exactly as without it.
    void savePdf_statisticsPage_followsTheFirstPage()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty()) {
            QSKIP("pdfimages (poppler-utils) is not installed");
        }
        WorkStatistics work(shownQuantities(DisplayMode::Lab, false));
        work.rebuild(statisticscases::driftingRecords(3, 40));
        m_page = openReport(0, labComparison(), *m_dialogs);
        const QString firstPage = m_page->html();
        m_page->setStatisticsPage(reportStatisticsPage(work, ChartChoice()));
        QCOMPARE(m_page->browser()->toPlainText().contains(QStringLiteral("Cpk")), false); // off at first
        auto* box = m_page->findChild<QCheckBox*>(QStringLiteral("checkBox_statistics"));
        QVERIFY(box && box->isVisible());
        QString texts[2];
        for (int with = 0; with < 2; ++with) {
            box->setChecked(with == 1);
            const QString path = m_dir.filePath(QStringLiteral("statistics%1").arg(with));
            m_dialogs->answerSaveFile(path);
            m_page->findChild<QPushButton*>(QStringLiteral("SavePdfbtn"))->click();
            const QString pdf = path + QStringLiteral(".pdf");
            const QString info = run(QStringLiteral("pdfinfo"), {pdf});
            QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(with + 1))), qPrintable(info));
            texts[with] = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("1"),
                                                            QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
            if (with == 1) {
                const QString second = run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"), pdf,
                                                                         QStringLiteral("-")});
                QVERIFY2(second.contains(QStringLiteral("Cpk")) && second.contains(QStringLiteral("ΔE")), qPrintable(second));
                const QString images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
                QCOMPARE(images.count(QRegularExpression(QStringLiteral("\\n\\s+2\\s+\\d+\\s+image"))), 2);
            }
        }
        QCOMPARE(texts[1], texts[0]);
        // The first page's HTML as before, but for the time it was built at.
        const QRegularExpression builtAt(QStringLiteral("Report_\\d{14}"));
        QCOMPARE(QString(m_page->html()).remove(builtAt), QString(firstPage).remove(builtAt));
    }

    // A name typed without ".pdf" is checked for replacing with the suffix;
    // the report is written beside the earlier file and renamed over it, so
    // another link to the earlier file keeps the earlier contents.
    void savePdf_replacesOnlyWhenAskedAndInOneStep()
    {
        const QString folder = m_dir.filePath(QStringLiteral("replace"));
        QVERIFY(QDir().mkpath(folder));
        const QString typed = folder + QStringLiteral("/report");
        const QString pdf = typed + QStringLiteral(".pdf");
        QFile earlier(pdf);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier report");
        earlier.close();
        const QString link = folder + QStringLiteral("/link");
        // A hard link: it keeps whatever file the name pointed to.
        QCOMPARE(::link(QFile::encodeName(pdf).constData(), QFile::encodeName(link).constData()), 0);
        m_page = openReport(0, labComparison(), *m_dialogs);
        m_dialogs->answerSaveFile(typed);
        m_dialogs->answerButton(DialogButton::Yes);
        m_page->findChild<QPushButton*>(QStringLiteral("SavePdfbtn"))->click();
        QCOMPARE(m_dialogs->messages(),
                 QStringList{QStringLiteral("Replace file|%1 already exists.\nDo you want to replace it?").arg(pdf)});
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QVERIFY(earlier.readAll().startsWith("%PDF"));
        QFile other(link);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("earlier report"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void savePdf_readOnlyFolder_saysSo()
    {
        const QString folder = m_dir.filePath(QStringLiteral("read-only"));
        QVERIFY(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        m_page = openReport(0, labComparison(), *m_dialogs);
        m_dialogs->answerSaveFile(folder + QStringLiteral("/report.pdf"));
        m_dialogs->expectMessage(QStringLiteral("Error"),
                                 QStringLiteral("Can't create a file in the folder %1: the folder is read-only. "
                                                "Please choose another folder.").arg(folder));
        m_page->findChild<QPushButton*>(QStringLiteral("SavePdfbtn"))->click();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void savePdf_unwritableFile_warns()
    {
        m_page = openReport(0, labComparison(), *m_dialogs);
        const QString path = m_dir.filePath(QStringLiteral("no/such/folder/report.pdf"));
        m_dialogs->answerSaveFile(path);
        m_dialogs->expectMessage(QStringLiteral("Error"),
                                 QStringLiteral("The report could not be saved to %1.").arg(path));
        m_page->findChild<QPushButton*>(QStringLiteral("SavePdfbtn"))->click();
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(tst_ReportPages)
#include "tst_ReportPages.moc"
