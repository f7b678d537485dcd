#pragma once
// The batch report's window: its preview, "Save PDF" and "Print". A thin
// view over the document of src/batchreport; the PDF and the printer get
// every row, the preview the first rows of a long batch (a text view takes
// seconds to lay out a table of a thousand rows).

#include "BatchReport.h"

#include <QDialog>

class Dialogs;
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

    // Asks for a file and writes the PDF; false when cancelled or it failed (said in a box).
    bool savePdf();
    void print();

private:
    Dialogs& m_dialogs;
    BatchReportDocument m_document;
    QString m_previewHtml;
    QTextBrowser* m_browser = nullptr;
};
