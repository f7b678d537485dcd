#pragma once
// The batch report's window: its preview, "Save PDF" and "Print". A thin
// view over the document of src/batchreport; the PDF and the printer get
// every row, the preview the first rows of a long batch (a text view takes
// seconds to lay out a table of a thousand rows).

#include "BatchReport.h"
#include "TestInformation.h"

#include <QDialog>

class Dialogs;
class QLineEdit;
class QTextBrowser;

class BatchReportDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kPreviewRows = 300;

    // dialogs must outlive the window.
    BatchReportDialog(const BatchReportInput& input, Dialogs& dialogs, QWidget* parent = nullptr);

    const BatchReportDocument& document() const { return m_document; }
    // The preview's text (what the browser shows).
    QString previewHtml() const { return m_previewHtml; }

    // Company, tester and auditor as the fields above the preview hold them.
    void setTestInformation(const TestInformation& information);
    // Takes the fields into the report (and the user's settings) when they
    // changed; saving and printing do it first.
    void applyTestInformation();

    // Asks for a file and writes the PDF; false when cancelled or it failed (said in a box).
    bool savePdf();
    void print();

Q_SIGNALS:
    void testInformationChanged(const TestInformation& information);

private:
    void rebuild();

    Dialogs& m_dialogs;
    BatchReportInput m_input;
    BatchReportDocument m_document;
    QString m_previewHtml;
    QTextBrowser* m_browser = nullptr;
    QLineEdit* m_company = nullptr;
    QLineEdit* m_tester = nullptr;
    QLineEdit* m_auditor = nullptr;
};
