// What the operator takes away from a comparison, byte for byte: the cells
// the spreadsheet exports write (both layouts, every display mode) and the
// report HTML, in English and in Chinese, for a fixed table of records. The
// expected files were written by the code that built rows as widget texts,
// before the records existed; the records must give the same bytes.
//
// TINTWELL_WRITE_GOLDEN=1 rewrites the files (only after a change of the
// outputs that is meant).

#include "ComparisonCases.h"
#include "ComparisonResult.h"
#include "ComparisonRows.h"
#include "ExportTables.h"
#include "Judgement.h"
#include "ReportHtml.h"
#include "ReportRows.h"

#include <QCoreApplication>
#include <QFile>
#include <QTableWidget>
#include <QTest>
#include <QTranslator>

namespace {

QString goldenPath(const QString& language)
{
    return QStringLiteral(TINTWELL_GOLDEN_DIR "/outputs_%1.txt").arg(language);
}

ComparisonResult resultOf(const ComparisonRecord& r)
{
    ComparisonResult result;
    result.sequence = r.sequence;
    result.testName = r.testName;
    result.dateTime = r.time.toString(QLatin1String(kComparisonTimeFormat));
    result.standard = r.standard;
    result.sample = r.sample;
    result.hazeDifference = r.hazeDifference;
    result.transmittanceDifference = r.transmittanceDifference;
    result.deltaE = r.deltaE;
    result.pass = r.pass;
    result.hazeToleranceText = QString::number(r.settings.hazeTolerance, 'f', 2);
    result.transmittanceToleranceText = QString::number(r.settings.transmittanceTolerance, 'f', 2);
    const double threshold =
        r.settings.layoutIndex == 1 ? r.settings.parameterThreshold : r.settings.deltaEThreshold;
    result.deltaEThresholdText = QString::number(threshold, 'f', 1);
    result.modelName = r.modelName;
    result.serialNumber = r.serialNumber;
    result.legacyStandard = r.legacyStandard;
    result.legacySample = r.legacySample;
    result.formulaText = r.settings.formulaText;
    result.thresholdText = r.settings.thresholdText;
    return result;
}

void fill(QTableWidget& table, const QList<ComparisonRecord>& records)
{
    for (const ComparisonRecord& record : records) {
        const ComparisonResult result = resultOf(record);
        const QStringList texts =
            record.legacy ? ComparisonRows::legacyRowTexts(result) : ComparisonRows::currentRowTexts(result);
        const int row = table.rowCount();
        table.setRowCount(row + 1);
        for (int c = 0; c < texts.size(); ++c) {
            table.setItem(row, c, new QTableWidgetItem(texts.at(c)));
        }
    }
}

QString section(const QString& name, const QList<QStringList>& rows)
{
    QString out = QStringLiteral("=== ") + name + QLatin1Char('\n');
    for (const QStringList& row : rows) {
        out += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

QString section(const QString& name, const QString& html)
{
    return QStringLiteral("=== ") + name + QLatin1Char('\n') + html + QLatin1Char('\n');
}

// Every output of the fixed table in the language installed now.
QString outputs(bool chinese)
{
    const TestInformation information{QStringLiteral("<ACME & Co>"), QStringLiteral("Li"), QStringLiteral("王")};
    const QList<ComparisonRecord> current = comparisoncases::currentRecords();
    const QList<ComparisonRecord> legacy = comparisoncases::legacyRecords();
    QTableWidget currentTable(0, ComparisonRows::kCurrentColumns);
    QTableWidget legacyTable(0, ComparisonRows::kLegacyColumns);
    fill(currentTable, current);
    fill(legacyTable, legacy);

    QString out;
    for (int mode = -1; mode <= 6; ++mode) {
        out += section(QStringLiteral("export mode %1").arg(mode), comparisonExportRows(*currentTable.model(), mode));
    }
    out += section(QStringLiteral("legacy export"), legacyExportRows(*legacyTable.model(), chinese));
    for (int row = 0; row < current.size(); ++row) {
        const ComparisonSettings& settings = current.at(row).settings;
        const ReportSnapshot snapshot =
            snapshotFromCurrentRow(rowTexts(currentTable, row), settings.formulaText,
                                   displayFlagsFor(settings.displayMode), information);
        out += section(QStringLiteral("report %1").arg(row),
                       reportHtmlFor310(snapshot, settings.layoutIndex, comparisoncases::builtAt()));
    }
    for (int row = 0; row < legacy.size(); ++row) {
        const ReportSnapshot snapshot = snapshotFromLegacyRow(rowTexts(legacyTable, row), information);
        out += section(QStringLiteral("legacy report %1").arg(row),
                       reportHtmlFor420(snapshot, chinese, comparisoncases::builtAt()));
    }
    return out;
}

} // namespace

class tst_comparison_outputs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameBytesAsTheWidgetRows_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QStringLiteral("en");
        QTest::newRow("Chinese") << QStringLiteral("zh");
    }

    void sameBytesAsTheWidgetRows()
    {
        QFETCH(QString, language);
        QTranslator translator;
        const bool chinese = language == QLatin1String("zh");
        if (chinese) {
            QVERIFY(translator.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath()));
            QCoreApplication::installTranslator(&translator);
        }
        const QString actual = outputs(chinese);
        QCoreApplication::removeTranslator(&translator);

        QFile file(goldenPath(language));
        if (qEnvironmentVariableIsSet("TINTWELL_WRITE_GOLDEN")) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(actual.toUtf8());
            file.close();
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QString expected = QString::fromUtf8(file.readAll());
        if (actual != expected) {
            // Name the first line that differs rather than two walls of text.
            const QStringList a = actual.split(QLatin1Char('\n'));
            const QStringList e = expected.split(QLatin1Char('\n'));
            for (int i = 0; i < std::max(a.size(), e.size()); ++i) {
                QCOMPARE(a.value(i), e.value(i));
            }
        }
        QCOMPARE(actual.size(), expected.size());
    }
};

QTEST_MAIN(tst_comparison_outputs)
#include "tst_comparison_outputs.moc"
