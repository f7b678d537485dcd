// What the operator takes away from a comparison, byte for byte: the cells
// the spreadsheet exports write (both layouts, every display mode) and the
// report HTML, in English and in Chinese, for a fixed table of records. The
// expected files were written by the code that built rows as widget texts
// and read them back, before the records existed; the records must give the
// same bytes.
//
// TINTWELL_WRITE_GOLDEN=1 rewrites the files (only after a change of the
// outputs that is meant).

#include "ComparisonCases.h"
#include "ComparisonRecordList.h"
#include "ComparisonTableModel.h"
#include "ExportTables.h"
#include "ReportHtml.h"
#include "ReportRows.h"
#include "WorkStatistics.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <QTranslator>

namespace {

QString goldenPath(const QString& language)
{
    return QStringLiteral(TINTWELL_GOLDEN_DIR "/outputs_%1.txt").arg(language);
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
    ComparisonRecordList current;
    ComparisonRecordList legacy;
    current.append(comparisoncases::currentRecords());
    legacy.append(comparisoncases::legacyRecords());
    const ComparisonTableModel currentModel(current, ComparisonColumns::Layout::Current);
    const ComparisonTableModel legacyModel(legacy, ComparisonColumns::Layout::Legacy);

    QString out;
    for (int mode = -1; mode <= 6; ++mode) {
        out += section(QStringLiteral("export mode %1").arg(mode), comparisonExportRows(currentModel, displayModeFromIndex(mode)));
    }
    out += section(QStringLiteral("legacy export"), legacyExportRows(legacyModel, chinese));
    for (int row = 0; row < current.size(); ++row) {
        const ComparisonRecord& record = current.at(row);
        out += section(QStringLiteral("report %1").arg(row),
                       reportHtmlFor310(snapshotFromRecord(record, information), record.settings.layoutIndex,
                                        comparisoncases::builtAt()));
    }
    for (int row = 0; row < legacy.size(); ++row) {
        out += section(QStringLiteral("legacy report %1").arg(row),
                       reportHtmlFor420(snapshotFromRecord(legacy.at(row), information), chinese,
                                        comparisoncases::builtAt()));
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

    // The statistics name their differences in the language chosen; symbols stay symbols.
    void statisticsSymbols_inChinese_data()
    {
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("haze") << int(StatQuantity::Haze) << "ΔHaze" << "Δ雾度";
        QTest::newRow("transmittance") << int(StatQuantity::Transmittance) << "ΔT" << "Δ透过率";
        QTest::newRow("delta E") << int(StatQuantity::DeltaE) << "ΔE" << "ΔE";
    }

    void statisticsSymbols_inChinese()
    {
        QFETCH(int, quantity);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        QCOMPARE(quantitySymbol(StatQuantity(quantity)), english);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath()));
        QCoreApplication::installTranslator(&translator);
        const QString shown = quantitySymbol(StatQuantity(quantity));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(shown, chinese);
    }
};

QTEST_MAIN(tst_comparison_outputs)
#include "tst_comparison_outputs.moc"
