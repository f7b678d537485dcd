// The spectral dialog against the emulated instrument: measurement, import, the table,
// every failure message, and an unplug and replug while the dialog is open.
#include "EmulatedAccess.h"
#include "MeterPageFor310.h"
#include "ScriptedDialogs.h"
#include "SpectralCases.h"
#include "SpectralChart.h"
#include "SpectrumStandards.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTranslator>
#include <QTableView>
#include <QLayout>
#include <QLineEdit>
#include <QMutex>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cmath>
#include <memory>

using namespace spectralcases;

namespace {

const char* const kButtons[] = {"pushButton_spectralHistory", "pushButton_spectralMeasurement",
                                "pushButton_clearData", "pushButton_exportExcel"};

QStringList names(const MeterPageFor310& page)
{
    QStringList out;
    for (int i = 0; i < page.records().size(); ++i) {
        out << page.recordName(i);
    }
    return out;
}

} // namespace

class SpectralPageTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dialogs = std::make_unique<ScriptedDialogs>(); }
    void cleanup()
    {
        m_page.reset();
        m_access.reset();
        QVERIFY(!m_dialogs->hasUnusedAnswers());
        m_dialogs.reset();
    }

    void measurement_decodesSignedValuesAndNamesSpecN()
    {
        open();
        SpectralRecord curve = smooth(1, 80);
        curve.values[0] = -0.01;
        curve.values[1] = 100;
        curve.values[2] = 87.35;
        curve.values[30] = 327.67;
        m_access->link().instrument().queueSpectrum(asList(curve));
        click("pushButton_spectralMeasurement");
        click("pushButton_spectralMeasurement");

        QCOMPARE(m_access->link().lastRequest().left(6), hexBytes("AB 20 49 00 3E 00"));
        QCOMPARE(m_page->records().at(0).values, curve.values);
        QVERIFY(m_page->records().at(0).shown);
        const QTableWidget* t = m_page->table();
        const QStringList row{"1", "spec1", "-0.01", "100", "87.35"};
        for (int column = 0; column < row.size(); ++column) {
            QCOMPARE(t->item(1, column)->text(), row.at(column));
        }
        QCOMPARE(names(*m_page), (QStringList{"spec1", "spec2"}));
        QCOMPARE(spectralScale(m_page->records()), 240); // not rescaled by a wrapped -0.01
        checkIdle(2);
    }

    void history_readsBlocksAndAppendsRecords_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("layout");
        QTest::addColumn<quint32>("base");
        QTest::newRow("TX310 layout 0") << "TX310" << 0 << quint32(0x20000);
        QTest::newRow("TX420 layout 1") << "TX420" << 1 << quint32(0x140000);
        QTest::newRow("TX460 layout 2") << "TX460" << 2 << quint32(0x140000);
        QTest::newRow("TX470 layout 3") << "TX470" << 3 << quint32(0x20000);
    }
    void history_readsBlocksAndAppendsRecords()
    {
        QFETCH(QString, model);
        QFETCH(int, layout);
        QFETCH(quint32, base);
        open(model, layout);
        const SpectralRecord negative = peak(-0.01, 10, 95.5);
        const QList<QList<double>> curves{asList(smooth(0, 90)), asList(negative), asList(smooth(2, 70)),
                                          asList(flat(40)), asList(flat(12.34))};
        // 16 bytes without a zero, an empty name, GB18030 and UTF-8.
        const QList<QByteArray> stored{"ABCDEFGHIJKLMNOP", "", QByteArray::fromHex("c2ccc9ab"), "滤光片", "Curve 5"};
        m_access->link().instrument().storeSpectralRecords(curves, stored);
        const int before = received();

        click("pushButton_spectralHistory");

        const QList<QByteArray> frames = m_access->link().emulator.receivedFrames().mid(before);
        QCOMPARE(frames.size(), 4); // count, two value blocks, one name block
        const quint32 address[] = {base, base + 256, base + 0x1900};
        const int length[] = {256, 64, 80};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(getU32le(frames.at(i + 1), 2), address[i]);
            QCOMPARE(int(getU16le(frames.at(i + 1), 6)), length[i]);
        }
        QCOMPARE(m_dialogs->shown.first().title, QStringLiteral("Storing data,please wait..."));
        QCOMPARE(m_dialogs->shown.first().text, QStringLiteral("cancel [0..3]"));
        QCOMPARE(m_dialogs->progressValues, (QList<int>{0, 1, 2}));
        QCOMPARE(names(*m_page), (QStringList{"ABCDEFGHIJKLMNOP", "spec1", QStringLiteral("绿色"),
                                              QStringLiteral("滤光片"), "Curve 5"}));
        QCOMPARE(m_page->records().at(1).values, negative.values);
        QCOMPARE(m_page->table()->item(2, 2)->text(), QStringLiteral("-0.01"));
        QCOMPARE(m_page->records().at(4).values, flat(12.34).values);
        checkIdle(5);
    }

    void refusedOrFailed_data()
    {
        QTest::addColumn<QString>("button"); // measure or history
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("frames"); // frames asked; -1 not checked
        QTest::addColumn<QString>("text"); // the Error message (Info for "empty"); "" none
        const QString noData = "Failed to read data information!", block = "Reading spectral recording data failed!";
        QTest::newRow("byte 1 foreign, byte 4 echoes") << "measure" << "reply 21 3E" << 1 << -1 << "";
        QTest::newRow("byte 4 foreign, byte 1 echoes") << "measure" << "reply 20 3F" << 1 << -1 << "";
        QTest::newRow("both foreign") << "measure" << "reply 21 3F" << 0 << -1 << noData;
        QTest::newRow("no reply") << "measure" << "no reply" << 0 << -1 << noData;
        QTest::newRow("1001st measurement") << "measure" << "full" << 1000 << 0
            << "Measurement exceeds the maximum quantity, please save the excel file before measuring!";
        QTest::newRow("no link") << "history" << "unplugged" << 0 << -1 << "Please connect the device first!";
        QTest::newRow("count checksum") << "history" << "checksum" << 0 << -1
                                        << "Spectral history data error, unable to export!";
        QTest::newRow("count refused") << "history" << "refused" << 0 << -1
                                       << "Failed to read the number of spectral records!";
        QTest::newRow("nothing stored") << "history" << "empty" << 0 << -1 << "No spectral history!";
        QTest::newRow("value block") << "history" << "send 2" << 0 << -1 << block;
        QTest::newRow("last value block") << "history" << "send 3" << 0 << -1 << block;
        QTest::newRow("name block") << "history" << "send 4" << 0 << -1 << "Failed to read spectral record name data!";
        QTest::newRow("unplugged at the last value block") << "history" << "unplug 3" << 0 << -1 << block;
        QTest::newRow("cancelled: count and first block only") << "history" << "cancel" << 0 << 2 << "";
    }
    void refusedOrFailed()
    {
        QFETCH(QString, button);
        QFETCH(QString, fault);
        QFETCH(int, records);
        QFETCH(int, frames);
        QFETCH(QString, text);
        open();
        EmulatedLink& link = m_access->link();
        if (fault.startsWith("reply")) {
            const QByteArray reply = link.replyFor(hexBytes("AB 20 49 00 3E 00"));
            link.answerNextWith(withByte(withByte(reply, 1, quint8(fault.section(' ', 1, 1).toInt(nullptr, 16))), 4,
                                         quint8(fault.section(' ', 2, 2).toInt(nullptr, 16))));
        } else if (fault == "no reply") {
            link.answerNextWith(QByteArray());
        } else if (fault == "full") {
            for (int i = 0; i < MeterPageFor310::kMaxMeasuredRecords - 1; ++i) {
                m_page->appendRecord(flat(i % 50), QString());
            }
            click("pushButton_spectralMeasurement"); // the 1000th is still measured
            QCOMPARE(m_page->records().size(), 1000);
        } else if (fault == "unplugged") {
            m_access->unplug();
        } else if (fault == "checksum") {
            link.emulator.injectFault(EmulatorFault::BadBlockChecksum);
        } else if (fault == "refused") {
            link.emulator.injectFault(EmulatorFault::ErrorReply);
        } else if (fault == "empty") {
            link.instrument().storeSpectralRecords({}, {});
        } else if (fault.startsWith("unplug ")) {
            link.emulator.unplugAtRequest(fault.section(' ', 1).toInt());
        } else if (fault == "cancel") {
            m_dialogs->cancelProgressAt(0);
        } else {
            link.emulator.refuseRequest(fault.section(' ', 1).toInt());
        }
        if (!text.isEmpty()) {
            m_dialogs->expectMessage(fault == "empty" ? "Info" : "Error", text);
        }
        const int before = received();
        click(button == "measure" ? "pushButton_spectralMeasurement" : "pushButton_spectralHistory");
        if (frames >= 0) {
            QCOMPARE(received() - before, frames);
        }
        checkIdle(records);
    }

    void history_withRecords_asksFirst_data()
    {
        QTest::addColumn<bool>("saveFirst");
        QTest::addColumn<bool>("exported");
        QTest::addColumn<bool>("clearConfirmed");
        QTest::addColumn<int>("records");
        QTest::newRow("no, clear confirmed") << false << false << true << 5;
        QTest::newRow("yes, export written") << true << true << false << 7;
        QTest::newRow("yes, export failed: stops") << true << false << false << 2;
    }
    void history_withRecords_asksFirst()
    {
        QFETCH(bool, saveFirst);
        QFETCH(bool, exported);
        QFETCH(bool, clearConfirmed);
        QFETCH(int, records);
        open();
        m_page->appendRecord(flat(10), QString());
        m_page->appendRecord(flat(20), QString());
        int exports = 0, exportedRecords = 0;
        bool disabledDuringExport = false;
        m_page->setExportHandler([&](MeterPageFor310& page) {
            ++exports;
            exportedRecords = static_cast<int>(page.records().size());
            disabledDuringExport = !buttonsEnabled();
            return exported;
        });
        m_dialogs->answerButton(saveFirst ? DialogButton::Yes : DialogButton::No);
        if (!saveFirst) {
            m_dialogs->answerButton(clearConfirmed ? DialogButton::Yes : DialogButton::No);
        }
        click("pushButton_spectralHistory");
        QCOMPARE(m_dialogs->shown.first().title, QStringLiteral("Colorimeter"));
        QCOMPARE(m_dialogs->shown.first().text, QStringLiteral("Data import willempty the list, to save data first?"));
        QCOMPARE(exports, saveFirst ? 1 : 0);
        QCOMPARE(exportedRecords, saveFirst ? 2 : 0);
        QCOMPARE(disabledDuringExport, saveFirst);
        checkIdle(records);
    }

    void clear_keepsUnnamedNumbering()
    {
        open();
        for (int i = 0; i < 3; ++i) {
            click("pushButton_spectralMeasurement");
        }
        m_dialogs->answerButton(DialogButton::No);
        click("pushButton_clearData");
        QCOMPARE(m_page->records().size(), 3);
        m_dialogs->answerButton(DialogButton::Yes);
        click("pushButton_clearData");
        QCOMPARE(m_dialogs->shown.last().title, QStringLiteral("Tip"));
        checkIdle(0);
        click("pushButton_spectralMeasurement");
        QCOMPARE(names(*m_page), QStringList{"spec4"});
        QCOMPARE(m_page->table()->item(1, 0)->text(), QStringLiteral("1"));
    }

    void checkBoxes_showAndHideCurves()
    {
        open();
        for (int i = 0; i < 3; ++i) {
            m_page->appendRecord(flat(10 * (i + 1)), QString());
        }
        auto box = [this](int row) {
            return qobject_cast<QCheckBox*>(m_page->table()->cellWidget(row, MeterPageFor310::kColumnCurve));
        };
        auto shownRows = [&] { // per row: box checked, record shown
            QList<bool> out;
            for (int row = 0; row <= 3; ++row) {
                out << box(row)->isChecked() << (row == 0 || m_page->records().at(row - 1).shown);
            }
            return out;
        };
        box(2)->click(); // one record hidden: the heading box is unchecked too
        QCOMPARE(shownRows(), (QList<bool>{false, true, true, true, false, false, true, true}));
        box(0)->click(); // heading checked: every curve shown
        QCOMPARE(shownRows(), QList<bool>(8, true));
        box(0)->click();
        QCOMPARE(shownRows(), (QList<bool>{false, true, false, false, false, false, false, false}));
    }

    void delete_recoloursFollowingCurves()
    {
        open();
        m_page->appendRecord(flat(10), QStringLiteral("a"));
        m_page->appendRecord(flat(20), QStringLiteral("b"));
        m_page->appendRecord(flat(30), QStringLiteral("c"));
        qobject_cast<QPushButton*>(m_page->table()->cellWidget(1, MeterPageFor310::kColumnOperation))->click();
        QCOMPARE(names(*m_page), (QStringList{"b", "c"}));
        QCOMPARE(m_page->table()->item(1, 0)->text(), QStringLiteral("2")); // not renumbered
        m_page->resize(1200, 800);
        m_page->layout()->activate();
        const SpectralChartGeometry chart = spectralChartGeometry(QRectF(m_page->chartArea()), m_page->records(), 0);
        QCOMPARE(chart.curves.size(), 2);
        QCOMPARE(chart.curves.at(0).colour, QColor(Qt::black));
        QCOMPARE(chart.curves.at(0).points.first().y(), chart.yAt(20));
        QCOMPARE(chart.curves.at(1).colour, QColor(1, 100, 200));

        // The dialog paints that chart over its chart area.
        const QImage image = m_page->grab().toImage();
        const QPoint p(qRound(chart.xAt(12) + 4), qRound(chart.yAt(30)));
        bool found = false;
        for (int dy = -2; dy <= 2 && !found; ++dy) {
            found = image.pixelColor(p + QPoint(0, dy)) == QColor(1, 100, 200);
        }
        QVERIFY(found);
    }

    void nameCell_editableOnDoubleClick()
    {
        open();
        m_page->appendRecord(flat(10), QString());
        m_page->show();
        auto editor = [this] { return m_page->table()->viewport()->findChild<QLineEdit*>(); };
        m_page->slot_cellDoubleClicked(0, 1); // heading
        m_page->slot_cellDoubleClicked(1, 5); // a value
        QVERIFY(!editor() || !editor()->isVisible());
        m_page->slot_cellDoubleClicked(1, 1);
        QVERIFY(editor() && editor()->isVisible());
        QCOMPARE(editor()->text(), QStringLiteral("spec1"));
    }

    // The unplugged link's "no link" message is in refusedOrFailed.
    void unplugAndReplug_followsTheCurrentLink()
    {
        open();
        click("pushButton_spectralMeasurement");
        m_access->unplug();
        m_dialogs->expectMessage("Error", "Failed to read data information!");
        click("pushButton_spectralMeasurement");

        // Replugged: a new link, whose frames must be sent and received under
        // the same lock.
        m_access->replug(QStringLiteral("TX310"));
        const QList<double> curve = asList(smooth(3, 60));
        m_access->link().instrument().queueSpectrum(curve);
        click("pushButton_spectralMeasurement");
        QCOMPARE(asList(m_page->records().at(1)), curve);
        QCOMPARE(received(), 1);
        // Keep the list, do not clear it: appended (the other answers are in history_withRecords_asksFirst).
        m_dialogs->answerButton(DialogButton::No);
        m_dialogs->answerButton(DialogButton::No);
        click("pushButton_spectralHistory");
        checkIdle(2 + 5);
    }

    // The colour views show every measured curve and follow a change of
    // illuminant; two curves are compared under D65, A and F11; a delete
    // drops the comparison of the deleted curve.
    void measurement_colourViewsShowTheCurves()
    {
        open();
        m_access->link().instrument().queueSpectrum(asList(flat(100)));
        click("pushButton_spectralMeasurement");
        m_access->link().instrument().queueSpectrum(asList(smooth(3, 60)));
        click("pushButton_spectralMeasurement");
        const QAbstractItemModel* colour = m_page->colourTable()->model();
        QCOMPARE(colour->rowCount(), 2);
        const auto cell = [](const QAbstractItemModel* m, int row, int column) {
            return m->data(m->index(row, column)).toString();
        };
        QCOMPARE(cell(colour, 0, 0), QStringLiteral("spec1"));
        QCOMPARE((QStringList{cell(colour, 0, 1), cell(colour, 0, 2), cell(colour, 0, 3)}),
                 (QStringList{"100.00", "0.00", "0.00"}));
        const QString bUnderD65 = cell(colour, 1, 3);
        QVERIFY(bUnderD65.toDouble() > 1.0);
        m_page->findChild<QComboBox*>("comboBox_illuminant")->setCurrentText("A");
        QVERIFY(cell(colour, 1, 3).toDouble() > bUnderD65.toDouble() + 1.0); // warmer light, yellower
        QCOMPARE(cell(colour, 0, 1), QStringLiteral("100.00"));

        const QAbstractItemModel* compare = m_page->comparisonTable()->model();
        QCOMPARE(compare->rowCount(), 3);
        QCOMPARE(cell(compare, 0, 0), QStringLiteral("D65 (reference)"));
        QCOMPARE(cell(compare, 1, 0), QStringLiteral("A"));
        QCOMPARE(cell(compare, 2, 0), QStringLiteral("F11"));
        QCOMPARE(cell(compare, 0, 9), QStringLiteral("NG")); // white against a coloured curve

        qobject_cast<QPushButton*>(m_page->table()->cellWidget(1, MeterPageFor310::kColumnOperation))->click();
        QCOMPARE(colour->rowCount(), 1);
        QCOMPARE(compare->rowCount(), 0); // the standard is gone
        checkIdle(1);
    }

    // Switching the language retranslates the colour views: the tabs, the
    // tables' headings, the reference illuminant's name, the verdict and
    // the button (back to English as well).
    void languageSwitch_retranslatesColourViews_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("texts");
        QTest::newRow("中文") << true << "颜色|比较|光源|观察者|名称|白度|D65（参考）|结果：不合格|设为标准…";
        QTest::newRow("English") << false << "Colour|Compare|Illuminant|Observer|Name|WI|D65 (reference)|Result: NG|Take as standard…";
    }
    void languageSwitch_retranslatesColourViews()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, texts);
        open();
        m_page->appendRecord(flat(100), QStringLiteral("white"));
        m_page->appendRecord(smooth(3, 60), QStringLiteral("warm"));
        m_page->findChild<QComboBox*>("comboBox_standard")->setCurrentIndex(0);
        m_page->findChild<QComboBox*>("comboBox_sample")->setCurrentIndex(1);
        QTranslator catalogue;
        QVERIFY(catalogue.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath()));
        for (bool install : {true, chinese}) { // English: to Chinese and back
            install ? QCoreApplication::installTranslator(&catalogue) : QCoreApplication::removeTranslator(&catalogue);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        }
        const auto* tabs = m_page->findChild<QTabWidget*>("tabWidget_colour");
        const QAbstractItemModel* colour = m_page->colourTable()->model();
        const QAbstractItemModel* compare = m_page->comparisonTable()->model();
        const QStringList shown{tabs->tabText(0), tabs->tabText(1), m_page->findChild<QLabel*>("label_illuminant")->text(),
                                m_page->findChild<QLabel*>("label_observer")->text(),
                                colour->headerData(0, Qt::Horizontal).toString(),
                                colour->headerData(4, Qt::Horizontal).toString(), compare->data(compare->index(0, 0)).toString(),
                                m_page->findChild<QLabel*>("label_verdict")->text(),
                                m_page->findChild<QPushButton*>("pushButton_takeStandard")->text()};
        QCoreApplication::removeTranslator(&catalogue);
        QCOMPARE(shown.join(u'|'), texts);
    }

    // "Take as standard…" hands the chosen curve, with its L*a*b* under
    // D65/10° whatever the view shows, to the standards it was given, and
    // says what came of it; without a curve chosen it is disabled, without
    // standards hidden.
    void takeAsStandard_handsTheCurveOver_data()
    {
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("box"); // title: text; "" none
        QTest::newRow("taken") << true << "" << "Take as standard: \"warm\" is now a standard of the library.";
        QTest::newRow("refused") << false << "read-only" << "Error: \"warm\" was not taken as a standard: read-only";
        QTest::newRow("cancelled") << false << "" << "";
    }
    void takeAsStandard_handsTheCurveOver()
    {
        QFETCH(bool, taken);
        QFETCH(QString, error);
        QFETCH(QString, box);
        struct Standards : SpectrumStandards
        {
            bool answer = false;
            QString reason;
            QList<Offer> offers;
            bool takeAsStandard(const Offer& offer, QWidget*, QString& why) override
            {
                offers << offer;
                why = reason;
                return answer;
            }
        } standards;
        standards.answer = taken;
        standards.reason = error;
        open();
        auto* button = m_page->findChild<QPushButton*>("pushButton_takeStandard");
        QVERIFY(button->isHidden());
        m_page->setSpectrumStandards(&standards);
        m_page->appendRecord(flat(100), QStringLiteral("white"));
        const SpectralRecord warm = smooth(3, 60);
        m_page->appendRecord(warm, QStringLiteral("warm"));
        m_page->findChild<QComboBox*>("comboBox_illuminant")->setCurrentText("A");
        QVERIFY(!button->isHidden() && !button->isEnabled());
        m_page->colourTable()->setCurrentIndex(m_page->colourTable()->model()->index(1, 0));
        if (!box.isEmpty()) {
            m_dialogs->expectMessage(box.section(QStringLiteral(": "), 0, 0), box.section(QStringLiteral(": "), 1));
        }
        button->click();
        QCOMPARE(standards.offers.size(), 1);
        const SpectrumStandards::Offer& offer = standards.offers.first();
        QCOMPARE(offer.name, QStringLiteral("warm"));
        QCOMPARE(offer.spectrum, warm.values);
        QVERIFY(offer.transmittance); // layout 0, a haze meter
        const LabColor lab = colorimetry::curveColour(warm.values, {}).lab;
        QCOMPARE(offer.labD65TenDegree.b, lab.b);
        QVERIFY(std::abs(lab.b - m_page->colour().colour(1).lab.b) > 1.0); // not the view's A
    }

private:
    void open(const QString& model = QStringLiteral("TX310"), int layout = 0)
    {
        m_access = std::make_unique<EmulatedAccess>(model);
        m_unguardedFrames = 0;
        m_page = std::make_unique<MeterPageFor310>(*m_access, *m_dialogs, MeterPageFor310::Context{layout, model, false});
        m_access->onFrame = [this] { // a frame outside the lock, or with the buttons enabled
            m_unguardedFrames += m_access->lockIsFree() || buttonsEnabled();
        };
    }
    void click(const char* button) { m_page->findChild<QPushButton*>(QLatin1String(button))->click(); }
    bool buttonsEnabled() const
    {
        bool any = false;
        for (const char* name : kButtons) {
            any |= m_page->findChild<QPushButton*>(QLatin1String(name))->isEnabled();
        }
        return any;
    }
    int received() const { return static_cast<int>(m_access->link().emulator.receivedFrames().size()); }
    // After every exchange: nothing added or kept open, buttons back, every frame under the lock.
    void checkIdle(int records)
    {
        QCOMPARE(m_page->records().size(), records);
        QCOMPARE(m_page->table()->rowCount(), records + 1);
        QCOMPARE(m_dialogs->openProgressDialogs, 0);
        QVERIFY(buttonsEnabled());
        QCOMPARE(m_unguardedFrames, 0);
    }

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<EmulatedAccess> m_access;
    std::unique_ptr<MeterPageFor310> m_page;
    int m_unguardedFrames = 0;
};

QTEST_MAIN(SpectralPageTest)
#include "tst_spectral_page.moc"
