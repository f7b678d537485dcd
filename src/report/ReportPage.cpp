#include "ReportPage.h"

#include "Dialogs.h"
#include "FileFolders.h"
#include "FileReplace.h"
#include "ReportHtml.h"
#include "ReportLog.h"
#include "ReportPdf.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <QTextBrowser>

ReportPage::ReportPage(const ReportSnapshot& snapshot, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_snapshot(snapshot), m_dialogs(dialogs)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void ReportPage::finishSetup(QTextBrowser* browser)
{
    m_browser = browser;
    // Read aloud and walked through by assistive technology and the keyboard.
    m_browser->setReadOnly(true);
    m_browser->setTextInteractionFlags(m_browser->textInteractionFlags() | Qt::TextSelectableByKeyboard);
    m_browser->setAccessibleName(tr("Report preview"));
    QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (shown) {
        resize(700, shown->availableGeometry().height() - 39);
    }
    refreshReport();
}

TestInformation ReportPage::testInformation() const
{
    return {m_snapshot.company, m_snapshot.tester, m_snapshot.auditor};
}

void ReportPage::acceptTestInformation(const TestInformation& information)
{
    m_snapshot.company = information.company;
    m_snapshot.tester = information.tester;
    m_snapshot.auditor = information.auditor;
    refreshReport();
    copyTestInformationToWorkspace();
}

void ReportPage::refreshReport()
{
    m_builtAt = QDateTime::currentDateTime();
    m_html = buildHtml(m_builtAt);
    m_browser->clear();
    if (includesStatistics()) {
        if (!m_statistics) {
            m_statistics = m_statisticsSource();
        }
        m_browser->setHtml(withStatisticsPage(m_html, *m_statistics));
        // After the HTML: setting it starts the document afresh.
        addStatisticsImages(*m_browser->document(), *m_statistics);
        m_browser->document()->markContentsDirty(0, m_browser->document()->characterCount());
    } else {
        m_browser->setHtml(m_html);
    }
}

void ReportPage::setStatisticsPage(const ReportStatisticsPage& page)
{
    setStatisticsSource([page] { return page; });
}

void ReportPage::setStatisticsSource(const std::function<ReportStatisticsPage()>& source)
{
    m_statisticsSource = source;
    m_statistics.reset();
    if (!m_statisticsBox) {
        m_statisticsBox = new QCheckBox(tr("Statistics page"), this);
        m_statisticsBox->setObjectName(QStringLiteral("checkBox_statistics"));
        // Over the spacer left of the buttons.
        if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
            grid->addWidget(m_statisticsBox, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
        }
        m_statisticsBox->setVisible(true);
        connect(m_statisticsBox, &QCheckBox::toggled, this, &ReportPage::refreshReport);
    }
    if (m_statisticsBox->isChecked()) {
        refreshReport();
    }
}

void ReportPage::setIncludesStatistics(bool include)
{
    if (m_statisticsBox) {
        m_statisticsBox->setChecked(include);
    }
}

bool ReportPage::includesStatistics() const
{
    return m_statisticsSource && m_statisticsBox && m_statisticsBox->isChecked();
}

void ReportPage::copyTestInformationToWorkspace()
{
    const TestInformation information = testInformation();
    saveTestInformation(information);
    Q_EMIT testInformationChanged(information);
}

void ReportPage::on_Informationbtn_clicked()
{
    QDialog* page = createInformationPage();
    page->show();
    page->raise();
    page->activateWindow();
}

void ReportPage::on_PrintReportbtn_clicked()
{
    QPrinter printer;
    if (m_dialogs.printSetup(this, printer)) {
        m_browser->document()->print(&printer);
    }
}

void ReportPage::on_SavePdfbtn_clicked()
{
    const QString title = reportTitle(m_builtAt);
    const QString suggested = FileFolders::startPath(FileFolders::Kind::Reports, title + QStringLiteral(".pdf"));
    // ".pdf" is added before the question about replacing a file, never after it.
    const QString path =
        m_dialogs.saveFile(this, tr("Save PDF"), suggested, tr("PDF files (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty()) {
        return;
    }
    FileFolders::remember(FileFolders::Kind::Reports, path);
    const QFileInfo info(path);
    if (!info.exists() && info.absoluteDir().exists() && !isWritableFolder(info.absolutePath())) {
        m_dialogs.warning(this, tr("Error"),
                          tr("Can't create a file in the folder %1: the folder is read-only. Please choose another folder.")
                              .arg(QDir::toNativeSeparators(info.absolutePath())));
        return;
    }
    if (!writeReportPdf(*m_browser->document(), path, title)) {
        m_dialogs.warning(this, tr("Error"),
                          tr("The report could not be saved to %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    qCDebug(lcReport) << "report saved to" << path;
}
