#include "BatchReportDialog.h"

#include "Dialogs.h"
#include "FileFolders.h"
#include "WindowFit.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const char* const kContext = "BatchReport";

QString tr(const char* text)
{
    return QCoreApplication::translate(kContext, text);
}

// The document with its long tables cut to the preview's rows, and a line
// that says so.
BatchReportDocument previewOf(const BatchReportDocument& document)
{
    BatchReportDocument preview = document;
    for (int i = 0; i < preview.blocks.size(); ++i) {
        BatchTable& table = preview.blocks[i].table;
        if (preview.blocks[i].kind != BatchBlock::Table || table.rows.size() <= BatchReportDialog::kPreviewRows) {
            continue;
        }
        const auto total = table.rows.size();
        table.rows = table.rows.mid(0, BatchReportDialog::kPreviewRows);
        table.ng.resize(BatchReportDialog::kPreviewRows);
        BatchBlock note;
        note.kind = BatchBlock::Text;
        note.text = tr("The preview shows the first %1 of %2 rows; the PDF and the print hold them all.")
                        .arg(BatchReportDialog::kPreviewRows)
                        .arg(total);
        preview.blocks.insert(i + 1, note);
    }
    return preview;
}

} // namespace

BatchReportDialog::BatchReportDialog(const BatchReportInput& input, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_input(input)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Batch report preview"));
    auto* layout = new QVBoxLayout(this);

    // The header's people, as the information dialogs keep them.
    auto* fields = new QHBoxLayout;
    const auto field = [&](const char* label, const QString& value) {
        auto* edit = new QLineEdit(value, this);
        auto* caption = new QLabel(tr(label), this);
        caption->setBuddy(edit);
        edit->setAccessibleName(tr(label));
        fields->addWidget(caption);
        fields->addWidget(edit, 1);
        return edit;
    };
    m_company = field("Company", input.company);
    m_tester = field("Tester", input.tester);
    m_auditor = field("Auditor", input.auditor);
    auto* apply = new QPushButton(tr("Apply"), this);
    apply->setAccessibleName(tr("Apply"));
    fields->addWidget(apply);
    connect(apply, &QPushButton::clicked, this, &BatchReportDialog::applyTestInformation);
    layout->addLayout(fields);

    m_browser = new QTextBrowser(this);
    m_browser->setReadOnly(true);
    m_browser->setTextInteractionFlags(m_browser->textInteractionFlags() | Qt::TextSelectableByKeyboard);
    m_browser->setAccessibleName(tr("Batch report preview"));
    layout->addWidget(m_browser);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(tr("Save PDF"), QDialogButtonBox::ActionRole);
    QPushButton* printButton = buttons->addButton(tr("Print"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    save->setAccessibleName(tr("Save PDF"));
    printButton->setAccessibleName(tr("Print"));
    close->setAccessibleName(tr("Close"));
    connect(save, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(printButton, &QPushButton::clicked, this, &BatchReportDialog::print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    rebuild();
    fitWindowToScreen(this, QSize(860, 900), parent);
}

void BatchReportDialog::rebuild()
{
    m_document = buildBatchReport(m_input, QDateTime::currentDateTime());
    const BatchReportDocument preview = previewOf(m_document);
    m_browser->clear();
    addBatchReportImages(*m_browser->document(), preview);
    m_previewHtml = batchReportHtml(preview);
    m_browser->setHtml(m_previewHtml);
}

void BatchReportDialog::setTestInformation(const TestInformation& information)
{
    m_company->setText(information.company);
    m_tester->setText(information.tester);
    m_auditor->setText(information.auditor);
}

void BatchReportDialog::applyTestInformation()
{
    const TestInformation information{m_company->text(), m_tester->text(), m_auditor->text()};
    if (information == TestInformation{m_input.company, m_input.tester, m_input.auditor}) {
        return;
    }
    m_input.company = information.company;
    m_input.tester = information.tester;
    m_input.auditor = information.auditor;
    saveTestInformation(information); // the next report starts with them
    Q_EMIT testInformationChanged(information);
    rebuild();
}

bool BatchReportDialog::savePdf()
{
    applyTestInformation();
    const QString name = QDateTime::currentDateTime().toString(QStringLiteral("'BatchReport_'yyyyMMddhhmmss"));
    const QString suggested = FileFolders::startPath(FileFolders::Kind::Reports, name + QStringLiteral(".pdf"));
    const QString path =
        m_dialogs.saveFile(this, tr("Save the batch report"), suggested, tr("PDF files (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty()) {
        return false;
    }
    FileFolders::remember(FileFolders::Kind::Reports, path);
    QString error;
    if (!writeBatchReportPdf(m_document, path, &error)) {
        m_dialogs.warning(this, tr("Batch report"), error);
        return false;
    }
    m_dialogs.information(this, tr("Batch report"),
                          tr("The report was saved to %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

void BatchReportDialog::print()
{
    applyTestInformation();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 12),
                                      QPageLayout::Millimeter));
    printer.setDocName(m_document.title);
    if (m_dialogs.printSetup(this, printer)) {
        paintBatchReport(m_document, printer);
    }
}
