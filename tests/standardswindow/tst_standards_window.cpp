// The library window and the texts of limits: a limit's and a set's text,
// the verdict tooltip of a row judged by the instrument, the set editor read
// back through the parser, saving typed standards as versions, a station's
// read-only copy, import and export through the modal seam, "Write to
// instrument" with the chosen standards, and the "Save as standard" dialog.

#include "ComparisonJudging.h"
#include "SaveStandardDialog.h"
#include "ScriptedDialogs.h"
#include "StandardFiles.h"
#include "StandardLibrary.h"
#include "StandardListModel.h"
#include "StandardTexts.h"
#include "StandardsWindow.h"
#include "ToleranceSetEditor.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

ToleranceLimit limitOf(ToleranceQuantity q, double low, double high, bool decides = true)
{
    ToleranceLimit limit;
    limit.quantity = q;
    limit.low = low;
    limit.high = high;
    limit.decides = decides;
    return limit;
}

} // namespace

Q_DECLARE_METATYPE(ToleranceLimit)

class tst_standards_window : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<StandardLibrary> m_library;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    int m_files = 0;

    Standard add(const QString& name, double l)
    {
        Standard s;
        s.name = name;
        s.withLab(l, 1, 2);
        LibraryToleranceSet set;
        set.limits << limitOf(ToleranceQuantity::dE00, 0, 1.0);
        return *m_library->add(s, set);
    }
    template <typename T>
    static T* child(QWidget& w, const char* name)
    {
        T* found = w.findChild<T*>(QLatin1String(name));
        if (!found) {
            qFatal("no %s", name);
        }
        return found;
    }

private Q_SLOTS:
    void init()
    {
        m_library = std::make_unique<StandardLibrary>(m_dir.filePath(QStringLiteral("lib%1.sqlite").arg(++m_files)));
        QVERIFY(m_library->open());
        m_dialogs = std::make_unique<ScriptedDialogs>();
    }
    void cleanup()
    {
        QVERIFY2(!m_dialogs->hasUnusedAnswers(), "a scripted answer was not used");
        m_library.reset();
    }

    void limitText_data()
    {
        QTest::addColumn<ToleranceLimit>("limit");
        QTest::addColumn<QString>("text");
        QTest::newRow("delta E") << limitOf(ToleranceQuantity::dE00, 0, 1) << QStringLiteral("ΔE*00 ≤ 1.00");
        QTest::newRow("CMC") << limitOf(ToleranceQuantity::dEcmc21, 0, 1.2) << QStringLiteral("ΔE CMC 2:1 ≤ 1.20");
        QTest::newRow("symmetric") << limitOf(ToleranceQuantity::dL, -0.8, 0.8) << QStringLiteral("ΔL* ±0.80");
        QTest::newRow("asymmetric") << limitOf(ToleranceQuantity::db, -0.3, 0.6)
                                    << QStringLiteral("Δb* −0.30 … +0.60");
        QTest::newRow("one-sided") << limitOf(ToleranceQuantity::da, 0, 0.5) << QStringLiteral("Δa* 0.00 … +0.50");
        QTest::newRow("informs, percent") << limitOf(ToleranceQuantity::Haze, -0.5, 0.5, false)
                                          << QStringLiteral("ΔHaze ±0.50 % (informs)");
    }
    void limitText()
    {
        QFETCH(ToleranceLimit, limit);
        QFETCH(QString, text);
        QCOMPARE(StandardTexts::limit(limit), text);
    }

    void setText_namesTheBand()
    {
        LibraryToleranceSet set;
        QCOMPARE(StandardTexts::set(set), QStringLiteral("no limits"));
        set.limits << limitOf(ToleranceQuantity::dE00, 0, 1) << limitOf(ToleranceQuantity::T, -1, 1);
        set.warnPercent = 80;
        QCOMPARE(StandardTexts::set(set), QStringLiteral("ΔE*00 ≤ 1.00; ΔT ±1.00 %; warning beyond 80 % of a limit"));
    }

    // A row judged by the instrument: the tooltip names the tolerance exceeded.
    void instrumentToolTip_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("haze");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("deltaE");
        QTest::addColumn<QString>("first");
        const int hazeT = int(DisplayMode::HazeT);
        QTest::newRow("pass") << hazeT << 0.2 << 0.3 << 0.0 << "PASS: within the instrument's tolerances.";
        QTest::newRow("haze") << hazeT << 0.7 << 0.3 << 0.0 << "NG: ΔHaze beyond ±0.50 %.";
        QTest::newRow("both") << hazeT << -0.7 << -1.5 << 0.0 << "NG: ΔHaze beyond ±0.50 %, ΔT beyond ±1.00 %.";
        QTest::newRow("delta E") << int(DisplayMode::Lab) << 5.0 << 5.0 << 1.5 << "NG: ΔE beyond 1.00.";
        QTest::newRow("library standard without limits") << -1 << 0.7 << 0.3 << 0.0 << "NG: ΔHaze beyond ±0.50 %.";
    }
    void instrumentToolTip()
    {
        QFETCH(int, mode);
        QFETCH(double, haze);
        QFETCH(double, t);
        QFETCH(double, deltaE);
        QFETCH(QString, first);
        ComparisonRecord record;
        if (mode < 0) {
            // A library standard whose set has no limits yet: the instrument's tolerances judge.
            mode = int(DisplayMode::HazeT);
            record.library.standardId = QUuid::createUuid();
            record.library.standardName = QStringLiteral("Film");
        }
        record.hazeDifference = haze;
        record.transmittanceDifference = t;
        record.deltaE = deltaE;
        record.settings.displayMode = static_cast<DisplayMode>(mode);
        record.settings.hazeTolerance = 0.5;
        record.settings.transmittanceTolerance = 1.0;
        record.settings.deltaEThreshold = 1.0;
        record.pass = verdictOf(record, record.settings) == Verdict::Pass;
        QCOMPARE(StandardTexts::verdictToolTip(record).section(QLatin1Char('\n'), 0, 0), first);
        QCOMPARE(StandardTexts::verdictToolTip(record).contains(QStringLiteral("Film")), record.library.inUse());
    }

    // The editor's rows read back through the parser: what it shows comes
    // back, a row that is not a limit is refused with the parser's reason.
    void setEditor_roundTripAndRefusal()
    {
        ToleranceSetEditor editor;
        LibraryToleranceSet set;
        set.limits << limitOf(ToleranceQuantity::dE00, 0, 1.25) << limitOf(ToleranceQuantity::db, -0.3, 0.6, false);
        // A limit on curves has no row but is kept as it is.
        set.limits << parseToleranceLimits(QStringLiteral("dE00@F11<=2")).limits;
        set.warnPercent = 80;
        editor.setSet(set);
        QString error;
        std::optional<LibraryToleranceSet> back = editor.set(&error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->limits, set.limits);
        QCOMPARE(back->warnPercent, 80.0);

        auto* table = editor.findChild<QTableWidget*>(QStringLiteral("tableWidget_limits"));
        QCOMPARE(table->rowCount(), 2);
        static_cast<QLineEdit*>(table->cellWidget(1, 1))->setText(QStringLiteral("0.9")); // low above high
        QVERIFY(!editor.set(&error));
        QVERIFY(!error.isEmpty());
        editor.removeLimit(); // the current row, else the last
        QVERIFY(editor.set(&error));
        QCOMPARE(editor.set(&error)->limits.size(), 2);
        QCOMPARE(editor.set(&error)->limits.last().illuminant, QStringLiteral("F11"));
    }

    // Typed values and a set become version 1; an edit version 2, both listed.
    void window_savesTypedStandardAsVersions()
    {
        StandardsWindow window(*m_library, *m_dialogs);
        child<QPushButton>(window, "pushButton_new")->click();
        child<QLineEdit>(window, "lineEdit_name")->setText(QStringLiteral("Cap red"));
        child<QLineEdit>(window, "lineEdit_code")->setText(QStringLiteral("RD1"));
        const char* values[] = {"41.3", "55.2", "28.1", "", ""};
        for (int i = 0; i < 5; ++i) {
            child<QLineEdit>(window, qPrintable(QStringLiteral("lineEdit_value%1").arg(i)))->setText(QLatin1String(values[i]));
        }
        window.findChild<ToleranceSetEditor*>()->addLimit(); // dE00 <= 1
        QVERIFY(window.saveStandard());
        const std::optional<Standard> saved = m_library->findByCode(QStringLiteral("RD1"));
        QVERIFY(saved);
        QCOMPARE(saved->version, 1);
        QCOMPARE(saved->values[ComparisonRecord::LabA], 55.2);
        QVERIFY(!saved->hasHaze());
        QCOMPARE(m_library->setOf(*saved).limits.size(), 1);

        child<QLineEdit>(window, "lineEdit_value0")->setText(QStringLiteral("41.5"));
        QVERIFY(window.saveStandard());
        QCOMPARE(m_library->findByCode(QStringLiteral("RD1"))->version, 2);
        QCOMPARE(child<QListWidget>(window, "listWidget_versions")->count(), 2);

        // Part of L*a*b* is not a colour: refused, saying so, nothing written.
        child<QLineEdit>(window, "lineEdit_value1")->clear();
        m_dialogs->expectMessage(QStringLiteral("Library of standards"),
                                 QStringLiteral("Give all three of L*, a* and b*, or none."));
        QVERIFY(!window.saveStandard());
        QCOMPARE(m_library->findByCode(QStringLiteral("RD1"))->version, 2);
    }

    // A station's copy: the reason shown, nothing editable.
    void window_readOnlyCopy()
    {
        add(QStringLiteral("Blue"), 30);
        m_library->setReadOnly(true);
        StandardsWindow window(*m_library, *m_dialogs);
        window.showStandard(m_library->findByName(QStringLiteral("Blue"))->id);
        QVERIFY(!child<QLabel>(window, "label_readOnly")->isHidden());
        QVERIFY(child<QLabel>(window, "label_readOnly")->text().contains(QStringLiteral("station")));
        QVERIFY(!child<QPushButton>(window, "pushButton_save")->isEnabled());
        QVERIFY(!child<QPushButton>(window, "pushButton_import")->isEnabled());
        QVERIFY(child<QLineEdit>(window, "lineEdit_name")->isReadOnly());
        QVERIFY(child<QPushButton>(window, "pushButton_export")->isEnabled()); // reading is allowed
    }

    // Import and export through the seam: the counts said, the file written.
    void window_importAndExport()
    {
        add(QStringLiteral("Blue"), 30);
        const QString csv = m_dir.filePath(QStringLiteral("in.csv"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("name,code,L,a,b,haze,t,tolerance,warn,shared_set,note\n"
                   "Green,G1,60,-20,10,,,dE00<=1.5,80,,\n"
                   "Blue,,30,1,2,,,dE00<=1,0,,\n");
        file.close();
        StandardsWindow window(*m_library, *m_dialogs);
        m_dialogs->answerOpenFile(csv);
        m_dialogs->expectMessage(QStringLiteral("Import standards"),
                                 QStringLiteral("Imported from in.csv: 1 added, 0 changed, 1 unchanged."));
        window.importFile();
        QCOMPARE(window.model().rowCount(), 2);

        const QString out = m_dir.filePath(QStringLiteral("out.csv"));
        m_dialogs->answerSaveFile(out);
        m_dialogs->expectMessage(QStringLiteral("Export standards"),
                                 QStringLiteral("2 standards written to %1.").arg(out));
        window.exportFile();
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const StandardFiles::ReadResult back = StandardFiles::readCsv(written.readAll());
        QVERIFY2(back.ok(), qPrintable(back.error));
        QCOMPARE(back.standards.size(), 2);
    }

    // "Write to instrument" hands over the standards chosen in the list.
    void window_writesChosenStandards()
    {
        add(QStringLiteral("A"), 30);
        add(QStringLiteral("B"), 40);
        add(QStringLiteral("C"), 50);
        StandardsWindow window(*m_library, *m_dialogs);
        auto* write = child<QPushButton>(window, "pushButton_writeToInstrument");
        QVERIFY(!write->isEnabled()); // nothing to send through yet
        QStringList sent;
        window.setWriteToInstrument([&](const QList<Standard>& standards, QWidget*) {
            for (const Standard& s : standards) {
                sent << s.name;
            }
        });
        auto* list = child<QListView>(window, "listView_standards");
        list->selectionModel()->select(window.model().index(0), QItemSelectionModel::Select);
        list->selectionModel()->select(window.model().index(2), QItemSelectionModel::Select);
        write->click();
        QCOMPARE(sent, (QStringList{"A", "C"}));
    }

    // The dialog keeps the operator until the standard has a name and a set that reads.
    void saveDialog_refusesWithoutName()
    {
        LibraryToleranceSet shared;
        shared.id = QUuid::createUuid();
        shared.name = QStringLiteral("Film");
        SaveStandardDialog dialog({shared}, QStringLiteral("L* 50.00"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!child<QLabel>(dialog, "label_problem")->isHidden());
        child<QLineEdit>(dialog, "lineEdit_name")->setText(QStringLiteral("Film 50"));
        child<QComboBox>(dialog, "comboBox_set")->setCurrentIndex(1);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QString error;
        QCOMPARE(dialog.tolerances(&error)->id, shared.id);
    }
};

QTEST_MAIN(tst_standards_window)
#include "tst_standards_window.moc"
