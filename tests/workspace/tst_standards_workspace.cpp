// The library of standards in the workspace: the picker (a scanner's code
// and Enter, names, the list), the chosen standard's values and set in force,
// the rows it judges (id, version, warning, the limit that decided), the
// verdict cell's colour and tooltip, the counters and statistics with
// warnings, "Save as standard…", and the library window's model.

#include "PageFixture.h"

#include "ComparisonRecordList.h"
#include "RecordTables.h"
#include "StandardLibrary.h"
#include "StandardListModel.h"
#include "StandardPicker.h"
#include "StandardPickerPanel.h"
#include "StatisticsTable.h"
#include "VerdictStyle.h"
#include "WorkStatistics.h"

#include <QBrush>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

LibraryToleranceSet setOf(const QString& list, double warn)
{
    LibraryToleranceSet set;
    const ToleranceParse parsed = parseToleranceLimits(list);
    set.limits = parsed.limits;
    set.warnPercent = warn;
    return set;
}

ColorReading labReading(double l, double a, double b)
{
    ColorReading r;
    r.lab = {l, a, b};
    r.lchL = l;
    r.chroma = chroma(a, b);
    r.hue = displayHue(a, b);
    return r;
}

} // namespace

class tst_standards_workspace : public QObject, public PageFixture
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<StandardLibrary> m_library;
    int m_libraries = 0;

    StandardPickerPanel& panel() { return m_page->panel().standards(); }
    StandardPicker& picker() { return panel().picker(); }

    Standard add(const QString& name, const QString& code, double l, double a, double b, const QString& limits,
                 double warn = 0.0)
    {
        Standard s;
        s.name = name;
        s.code = code;
        s.withLab(l, a, b);
        const std::optional<Standard> added = m_library->add(s, setOf(limits, warn));
        if (!added) {
            qFatal("standard not added: %s", qPrintable(m_library->errorText()));
        }
        return *added;
    }

private Q_SLOTS:
    void init()
    {
        setUpPage();
        m_page->state().displayMode = DisplayMode::Lab;
        m_library = std::make_unique<StandardLibrary>(m_dir.filePath(QStringLiteral("s%1.sqlite").arg(++m_libraries)));
        QVERIFY2(m_library->open(), qPrintable(m_library->errorText()));
        add(QStringLiteral("Red 12"), QStringLiteral("4006381333931"), 40, 50, 20, QStringLiteral("dE00<=1.0"), 80);
        add(QStringLiteral("Red 120"), QStringLiteral("RD120"), 41, 51, 21, QStringLiteral("dEab<=2"));
        add(QStringLiteral("Blue"), QString(), 30, 10, -40, QStringLiteral("db=-0.3..0.6,dL=-0.8..0.8:info"), 50);
        panel().setLibrary(m_library.get());
    }
    void cleanup()
    {
        tearDownPage();
        m_library.reset();
    }

    // Enter in the picker: a scanner's code, a name in any case, the list's
    // text, the one standard a text finds; what finds none or several says so.
    void submit_choosesOrSaysWhy_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("message");
        const int chosen = int(StandardPicker::Outcome::Chosen);
        const int unknown = int(StandardPicker::Outcome::Unknown);
        QTest::newRow("barcode") << "4006381333931" << chosen << "Red 12" << "";
        QTest::newRow("code, spaces around") << " RD120 " << chosen << "Red 120" << "";
        QTest::newRow("name, other case") << "red 12" << chosen << "Red 12" << "";
        QTest::newRow("list text") << "Red 12  [4006381333931]" << chosen << "Red 12" << "";
        QTest::newRow("one match") << "blu" << chosen << "Blue" << "";
        QTest::newRow("several") << "Red" << unknown << "" << "Several standards match";
        QTest::newRow("unknown code") << "4006381333932" << unknown << "" << "No standard has the name or code";
        QTest::newRow("code part is not a code") << "400638133393" << chosen << "Red 12" << "";
        QTest::newRow("empty clears") << "" << int(StandardPicker::Outcome::Cleared) << "" << "";
    }
    void submit_choosesOrSaysWhy()
    {
        QFETCH(QString, typed);
        QFETCH(int, outcome);
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        QCOMPARE(int(picker().submit(typed)), outcome);
        QCOMPARE(picker().chosen() ? picker().chosen()->name : QString(), chosen);
        QVERIFY2(message.isEmpty() ? picker().message().isEmpty() : picker().message().startsWith(message),
                 qPrintable(picker().message()));
        QCOMPARE(m_page->session().libraryStandard().inUse(), !chosen.isEmpty());
    }

    // A barcode scanner types into the field and presses Enter; an unknown
    // code says so in a box and leaves the instrument's tolerances in force.
    void scannerTypesCodeAndEnter_selects()
    {
        QLineEdit* edit = panel().searchEdit();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("RD120"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(picker().chosen());
        QCOMPARE(picker().chosen()->name, QStringLiteral("Red 120"));
        QCOMPARE(edit->text(), QStringLiteral("Red 120"));

        m_dialogs->expectMessage(QStringLiteral("Library standard"),
                                 QStringLiteral("No standard has the name or code \"XX9\"."));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("XX9"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(picker().chosen()->name, QStringLiteral("Red 120")); // unchanged
    }

    // The chosen standard is the live standard, its set judges: the row keeps
    // the standard's id and version, the set, the warning and the limit.
    void chosenStandard_judgesRows_data()
    {
        QTest::addColumn<QString>("standard");
        QTest::addColumn<double>("sampleL");
        QTest::addColumn<bool>("pass");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QString>("decidedBy");
        // Red 12: dE00 <= 1.0 with a band at 80 %; Blue: db decides, dL informs.
        QTest::newRow("within the band") << "Red 12" << 40.5 << true << false << "";
        QTest::newRow("in the warning band") << "Red 12" << 41.0 << true << true << "dE00";
        QTest::newRow("beyond") << "Red 12" << 42.0 << false << false << "dE00";
        QTest::newRow("informing limit exceeded") << "Blue" << 31.0 << true << true << "dL";
    }
    void chosenStandard_judgesRows()
    {
        QFETCH(QString, standard);
        QFETCH(double, sampleL);
        QFETCH(bool, pass);
        QFETCH(bool, warning);
        QFETCH(QString, decidedBy);
        QCOMPARE(picker().submit(standard), StandardPicker::Outcome::Chosen);
        const Standard chosen = *picker().chosen();
        QCOMPARE(m_page->session().standard().values[ComparisonRecord::LabL], chosen.values[ComparisonRecord::LabL]);
        QVERIFY(!findLabel("label_libraryTolerances")->isHidden());
        const double instrumentThreshold = m_page->state().deltaEThreshold;

        const ColorReading sample = labReading(sampleL, chosen.values[ComparisonRecord::LabA],
                                               chosen.values[ComparisonRecord::LabB]);
        m_page->session().takeSample(sample, false);
        QCOMPARE(m_page->tables().records().size(), 1);
        const ComparisonRecord& row = m_page->tables().records().at(0);
        QCOMPARE(row.library.standardId, chosen.id);
        QCOMPARE(row.library.standardVersion, chosen.version);
        QCOMPARE(row.library.tolerances.limits, m_library->setOf(chosen).limits);
        QCOMPARE(row.pass, pass);
        QCOMPARE(row.library.warning, warning);
        QCOMPARE(row.library.decidedBy, decidedBy);
        QCOMPARE(m_page->state().deltaEThreshold, instrumentThreshold); // the instrument's are not changed
        QCOMPARE(ui().lineEdit_warningNum->text(), QString::number(int(warning)));

        // Verdict cell: amber for a warning, the limit named in the tooltip.
        const QAbstractItemModel* model = table()->model();
        const QModelIndex verdict = model->index(0, ComparisonColumns::verdictColumn(ComparisonColumns::Layout::Current));
        QCOMPARE(verdict.data(Qt::BackgroundRole).value<QBrush>().color(),
                 verdictCellColor(pass ? Verdict::Pass : Verdict::Ng, warning));
        const QString tip = verdict.data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(chosen.name), qPrintable(tip));
        if (!decidedBy.isEmpty()) {
            QVERIFY2(tip.contains(decidedBy == "dL" ? QStringLiteral("\u0394L*") : QStringLiteral("\u0394E*00")),
                     qPrintable(tip));
        }
    }

    // A new scan, the back button and Clear give the judging back to the
    // instrument; the next row carries no library standard.
    void scanOrClear_dropsTheChoice()
    {
        QVERIFY(picker().submit(QStringLiteral("Blue")) == StandardPicker::Outcome::Chosen);
        QSignalSpy changed(&picker(), &StandardPicker::choiceChanged);
        m_page->session().takeStandard(labReading(50, 0, 0), false);
        QVERIFY(!picker().chosen());
        QCOMPARE(changed.count(), 1);
        QVERIFY(findLabel("label_libraryTolerances")->isHidden());
        m_page->session().takeSample(labReading(50, 0, 0), false);
        QVERIFY(!m_page->tables().records().at(0).library.inUse());

        QVERIFY(picker().submit(QStringLiteral("Blue")) == StandardPicker::Outcome::Chosen);
        m_page->findChild<QToolButton*>(QStringLiteral("toolButton_clearLibraryStandard"))->click();
        QVERIFY(!m_page->session().libraryStandard().inUse());
    }

    // "Save as standard…": the scanned values, the instrument as origin, the
    // set given; chosen at once. A name the library has is refused.
    void saveMeasured_keepsTheScan()
    {
        QVERIFY(!picker().canSaveMeasured()); // nothing scanned
        m_page->state().modelName = QStringLiteral("TX460");
        ColorReading scanned = labReading(61.23, -3.5, 12.25);
        scanned.red = 10;
        m_page->session().takeStandard(scanned, false);
        QVERIFY(picker().canSaveMeasured());
        const std::optional<Standard> saved = picker().saveMeasured(
            QStringLiteral("Green 7"), QStringLiteral("G7"), QStringLiteral("batch 3"), setOf("dE00<=1.5", 0));
        QVERIFY2(saved, qPrintable(picker().message()));
        QCOMPARE(saved->origin.kind, StandardOrigin::Kind::Measured);
        QCOMPARE(saved->origin.model, QStringLiteral("TX460"));
        QCOMPARE(m_library->findByCode(QStringLiteral("G7"))->values[ComparisonRecord::LabB], 12.25);
        QCOMPARE(picker().chosen()->id, saved->id);

        m_page->session().takeStandard(scanned, false);
        QVERIFY(!picker().saveMeasured(QStringLiteral("green 7"), QString(), QString(), LibraryToleranceSet()));
        QVERIFY(!picker().message().isEmpty());
    }

    // Statistics: one group per library standard, named by it, with its warnings.
    void statistics_countWarningsPerStandard()
    {
        const QString rows[][2] = {{"Red 12", "41.0"}, {"Red 12", "41.05"}, {"Red 12", "40.1"}, {"Blue", "30.2"}};
        for (const auto& row : rows) {
            QVERIFY(picker().submit(row[0]) == StandardPicker::Outcome::Chosen);
            const Standard s = *picker().chosen();
            m_page->session().takeSample(
                labReading(row[1].toDouble(), s.values[ComparisonRecord::LabA], s.values[ComparisonRecord::LabB]),
                false);
        }
        QCOMPARE(ui().lineEdit_warningNum->text(), QStringLiteral("2"));
        WorkStatistics work(shownQuantities(DisplayMode::Lab, false));
        work.rebuild(m_page->tables().records().records());
        QCOMPARE(work.groups().size(), std::size_t(2));
        QCOMPARE(work.groups()[0].warnings, 2);
        QCOMPARE(work.groups()[1].warnings, 0);
        QVERIFY(statisticsGroupName(work.groups()[0], 0).startsWith(QStringLiteral("Red 12 v1")));
        QCOMPARE(statisticsRow(work.overall(), -1, StatQuantity::DeltaE).at(StatWarnings), QStringLiteral("2"));
    }

    // The library window's model: the search, the versions newest first, a
    // shared set, and a station's copy that refuses edits, saying why.
    void libraryModel_searchVersionsReadOnly()
    {
        StandardListModel model(*m_library);
        QCOMPARE(model.rowCount(), 3);
        model.setFilter(QStringLiteral("red"));
        QCOMPARE(model.rowCount(), 2);
        model.setFilter(QStringLiteral("RD1"));
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.data(model.index(0)).toString(), QStringLiteral("Red 120  [RD120]"));

        Standard edited = model.standardAt(0);
        edited.note = QStringLiteral("new batch");
        LibraryToleranceSet shared = setOf(QStringLiteral("dE00<=0.8"), 75);
        shared.name = QStringLiteral("Automotive");
        QString error;
        const std::optional<Standard> saved = model.save(edited, shared, &error);
        QVERIFY2(saved, qPrintable(error));
        QCOMPARE(saved->version, edited.version + 1);
        QCOMPARE(m_library->setOf(*saved).name, QStringLiteral("Automotive"));
        const QStringList versions = model.versionTexts(saved->id);
        QCOMPARE(versions.size(), 2);
        QVERIFY(versions.first().startsWith(QStringLiteral("v2")));

        QVERIFY(model.readOnlyReason().isEmpty());
        m_library->setReadOnly(true);
        QVERIFY(model.isReadOnly());
        QVERIFY(!model.readOnlyReason().isEmpty());
        QVERIFY(!model.save(*saved, LibraryToleranceSet(), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(m_library->standard(saved->id)->version, saved->version);
    }

    // A row judged at v1 keeps v1 and its verdict when the standard is
    // edited; "Judge again with the current standards" gives it the current
    // version's verdict and version, and the message says what changed.
    void judgeWithCurrentStandards_data()
    {
        QTest::addColumn<double>("sampleL");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("pass");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("message");
        // Red 12 v1: L* 40, dE00 <= 1.0, band at 80 %.
        QTest::newRow("tighter limit: PASS to NG") << 40.5 << "limit" << false << false << 2
                                                   << "1 row(s) changed verdict.\nRed 12: version 1 \u2192 2 (1 row(s)).";
        QTest::newRow("standard moved: warning to PASS") << 41.0 << "values" << true << false << 2
                                                         << "1 row(s) changed verdict.\nRed 12: version 1 \u2192 2";
        QTest::newRow("note only: same verdict, new version") << 42.0 << "note" << false << false << 2
                                                              << "0 row(s) changed verdict.\nRed 12: version 1 \u2192 2";
        QTest::newRow("unchanged: already current") << 40.5 << "" << true << false << 1
                                                    << "Every row was already judged with the current version.";
        QTest::newRow("removed: row kept") << 41.0 << "remove" << true << true << 1
                                           << "no longer in the library";
    }
    void judgeWithCurrentStandards()
    {
        QFETCH(double, sampleL);
        QFETCH(QString, edit);
        QFETCH(bool, pass);
        QFETCH(bool, warning);
        QFETCH(int, version);
        QFETCH(QString, message);
        RecordTables& tables = m_page->tables();
        tables.setStandards(m_library.get());
        QCOMPARE(picker().submit(QStringLiteral("Red 12")), StandardPicker::Outcome::Chosen);
        Standard standard = *picker().chosen();
        m_page->session().takeSample(labReading(sampleL, 50, 20), false);
        picker().clearChoice();
        m_page->session().takeSample(labReading(30, 10, -40), false); // compared with no library standard
        const ComparisonRecord before = tables.records().at(0);
        QCOMPARE(before.library.standardVersion, qint64(1));

        if (edit == QLatin1String("limit")) {
            QVERIFY(m_library->edit(standard, setOf(QStringLiteral("dE00<=0.3"), 0)));
        } else if (edit == QLatin1String("values")) {
            standard.withLab(40.8, 50, 20);
            QVERIFY(m_library->edit(standard));
        } else if (edit == QLatin1String("note")) {
            standard.note = QStringLiteral("new batch");
            QVERIFY(m_library->edit(standard));
        } else if (edit == QLatin1String("remove")) {
            QVERIFY(m_library->remove(standard.id));
        }
        // Without the command the row keeps the version it was judged with.
        tables.judgeRowsAgain(m_page->state().judgingSettings(false, QString(), QString()), false);
        QCOMPARE(tables.records().at(0).library.standardVersion, qint64(1));
        QCOMPARE(tables.records().at(0).pass, before.pass);

        m_dialogs->answerButton(DialogButton::Ok);
        tables.judgeWithCurrentStandards(false);
        const ComparisonRecord& after = tables.records().at(0);
        QCOMPARE(after.pass, pass);
        QCOMPARE(after.library.warning, warning);
        QCOMPARE(after.library.standardVersion, qint64(version));
        QCOMPARE(after.id, before.id);
        QCOMPARE(after.version, before.version + (version == 2 ? 1 : 0));
        QVERIFY(!tables.records().at(1).library.inUse());
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY2(m_dialogs->messages().first().contains(message), qPrintable(m_dialogs->messages().first()));
    }

    // The station's copy only reads: the picker says why it saves nothing.
    void readOnlyCopy_pickerSaysWhy()
    {
        QVERIFY(picker().readOnlyReason().isEmpty());
        m_library->setReadOnly(true);
        panel().setLibrary(m_library.get());
        m_page->session().takeStandard(labReading(61, -3, 12), false);
        QVERIFY(!picker().canSaveMeasured());
        QVERIFY(!picker().readOnlyReason().isEmpty());
        auto* save = m_page->findChild<QPushButton*>(QStringLiteral("pushButton_saveAsStandard"));
        QVERIFY(save);
        QVERIFY(!save->isEnabled());
        QCOMPARE(save->toolTip(), picker().readOnlyReason());
    }

    // A first-generation colorimeter: the picker moves into the legacy
    // layout (its settings column), its standard judges the legacy rows, and back.
    void firstGeneration_pickerInLegacyLayout()
    {
        plug(QStringLiteral("TX430"), 350);
        QVERIFY(m_page->panel().identifyDevice());
        QVERIFY(m_page->state().isFirstGeneration());
        auto* row = m_page->findChild<QWidget*>(QStringLiteral("widget_standardPicker"));
        QCOMPARE(row->parentWidget(), ui().widget_settingsColumn);
        QVERIFY(row->isVisibleTo(m_page.get()));

        QCOMPARE(picker().submit(QStringLiteral("Red 12")), StandardPicker::Outcome::Chosen);
        m_page->session().takeSample(labReading(42.0, 50, 20), true);
        QCOMPARE(m_page->tables().legacyRecords().size(), 1);
        const ComparisonRecord& legacyRow = m_page->tables().legacyRecords().at(0);
        QVERIFY(legacyRow.legacy);
        QCOMPARE(legacyRow.library.standardName, QStringLiteral("Red 12"));
        QVERIFY(!legacyRow.pass);
        QCOMPARE(legacyRow.library.decidedBy, QStringLiteral("dE00"));

        plug(QStringLiteral("TX420"), 320);
        QVERIFY(m_page->panel().identifyDevice());
        QCOMPARE(row->parentWidget(), ui().groupBox_newComparisonMeasurement);
    }

private:
    QLabel* findLabel(const char* name) { return m_page->findChild<QLabel*>(QLatin1String(name)); }
};

QTEST_MAIN(tst_standards_workspace)
#include "tst_standards_workspace.moc"
