// The workspace opens the spectral dialog modally over its own link: a
// measurement reaches the page's current instrument, and "Export Excel"
// writes the table through the spreadsheet export.
#include "MeterPageFor310.h"
#include "PageFixture.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class SpectralOpenTest : public QObject, public PageFixture
{
    Q_OBJECT

private slots:
    void init() { setUpPage(); }
    void cleanup() { tearDownPage(); }
    void spectralButton_opensDialogOverThePageLink();
};

void SpectralOpenTest::spectralButton_opensDialogOverThePageLink()
{
    plug(QStringLiteral("TX420"));
    m_page->state().layoutIndex = 1;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("spectra.xlsx"));
    m_dialogs->answerSaveFile(path);
    m_dialogs->answerButton(DialogButton::No); // keep the records after the export
    m_dialogs->answerButton(DialogButton::Ok); // "Data stored to file Success"

    int recordsSeen = -1;
    int layoutSeen = -1;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<MeterPageFor310*>(QApplication::activeModalWidget());
        if (!dialog) {
            return; // the check below fails: nothing was opened
        }
        layoutSeen = dialog->context().layoutIndex;
        dialog->findChild<QPushButton*>(QStringLiteral("pushButton_spectralMeasurement"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("pushButton_exportExcel"))->click();
        recordsSeen = static_cast<int>(dialog->records().size());
        dialog->reject();
    });
    ui().pushButton_spectralTransmittance->click();

    QCOMPARE(layoutSeen, 1);
    QCOMPARE(recordsSeen, 1);
    QCOMPARE(m_access->link().lastRequest().left(6), hexBytes("AB 20 49 00 3E 00"));
    QVERIFY(QFile::exists(path));
    QVERIFY(m_dialogs->messages().contains(QStringLiteral("Storing data|Data stored to file Success")));
}

QTEST_MAIN(SpectralOpenTest)
#include "tst_spectral_open.moc"
