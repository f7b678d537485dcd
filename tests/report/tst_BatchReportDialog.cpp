// The batch report's window: a long batch's preview is cut, while "Save PDF"
// and "Print" hold every row; a failed save is said.

#include "BatchCases.h"
#include "BatchReportDialog.h"
#include "ScriptedDialogs.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int rowsIn(const QString& text)
{
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("\\bComp\\d+\\s+12-\\d\\d "))));
}

} // namespace

class tst_BatchReportDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void longBatch_previewCutPdfAndPrintWhole()
    {
        const int rows = BatchReportDialog::kPreviewRows + 150;
        BatchReportInput input;
        input.records = batchcases::colourBatch(rows);
        ScriptedDialogs dialogs;
        auto* dialog = new BatchReportDialog(input, dialogs);
        const QString preview = dialog->previewHtml();
        QVERIFY(preview.contains(QStringLiteral(">Comp%1<").arg(BatchReportDialog::kPreviewRows)));
        QVERIFY(!preview.contains(QStringLiteral(">Comp%1<").arg(BatchReportDialog::kPreviewRows + 1)));
        QVERIFY(preview.contains(QStringLiteral("first %1 of %2 rows").arg(BatchReportDialog::kPreviewRows).arg(rows)));

        // The people typed above the preview go into the report and are kept.
        const TestInformation people{QStringLiteral("Eastbank QC"), QStringLiteral("Ann Tester"),
                                     QStringLiteral("Bo Approver")};
        dialog->setTestInformation(people);
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("saved.pdf"));
        dialogs.answerSaveFile(saved);
        dialogs.answerButton(DialogButton::Ok); // "saved to"
        QVERIFY(dialog->savePdf());
        const QString text = pdfText(saved);
        QCOMPARE(rowsIn(text), rows);
        QVERIFY(text.contains(QStringLiteral("Ann Tester")) && text.contains(QStringLiteral("Bo Approver")));
        QVERIFY(dialog->previewHtml().contains(QStringLiteral("Eastbank QC")));
        QVERIFY(loadTestInformation() == people);

        const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
        dialogs.answerPrint(printed);
        dialog->print();
        const QString printedText = pdfText(printed);
        QCOMPARE(rowsIn(printedText), rows);
        QVERIFY(printedText.contains(QRegularExpression(QStringLiteral("Page 1 of \\d+"))));

        // A folder that cannot be written: said in a box, nothing claimed.
        dialogs.answerSaveFile(QStringLiteral("/nonexistent/folder/report.pdf"));
        dialogs.answerButton(DialogButton::Ok);
        QVERIFY(!dialog->savePdf());
        QVERIFY(dialogs.shown.last().text.contains(QStringLiteral("/nonexistent/folder")));
        QVERIFY(!dialogs.hasUnusedAnswers());
        delete dialog;
    }
};

QTEST_MAIN(tst_BatchReportDialog)
#include "tst_BatchReportDialog.moc"
