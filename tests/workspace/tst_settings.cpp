// The instrument settings panel's rules and exchanges against the emulated
// instrument: wire rounding, range checks and their boxes, hidden and empty
// fields, the colour-difference parameter of both generations, the parameter
// dialog, and judging stored rows again.
#include "DeltaE.h"
#include "DialogFeedback.h"
#include "EmulatedAccess.h"
#include "InstrumentGeneration.h"
#include "ScriptedDialogs.h"
#include "SettingsExchange.h"
#include "SettingsRules.h"
#include "setEParameterPageFor470.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace SettingsRules;

namespace {

ToleranceField field(const QString& text, bool visible = true, double lastRead = -1.0)
{
    return {text, visible, lastRead};
}

} // namespace

Q_DECLARE_METATYPE(SettingsRules::ToleranceField)

class tst_settings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Inputs checked in order; limits accepted, just beyond refused; an empty
    // visible field refused; a hidden one sent as last read, unchecked. Values
    // whose binary form lies just below them still reach the wire as typed.
    void toleranceChecks_data()
    {
        QTest::addColumn<ToleranceField>("haze"); QTest::addColumn<ToleranceField>("transmittance");
        QTest::addColumn<ToleranceField>("threshold"); QTest::addColumn<QString>("refusal");
        QTest::addColumn<QList<int>>("wire");
        const QList<int> none, limits{10000, 0, 1};
        const QString haze = "Haze Tolerance must between 0-100!", threshold = "Thresholds must between 0.1-50!";
        QTest::newRow("limits 100, 0, 0.1") << field("100") << field("0") << field("0.1") << QString() << limits;
        QTest::newRow("limit 50") << field("1.15") << field("2.01") << field("50") << QString() << QList<int>{115, 201, 500};
        QTest::newRow("rounding") << field("4.35") << field("0.29") << field("2.5") << QString() << QList<int>{435, 29, 25};
        QTest::newRow("haze 100.01") << field("100.01") << field("1") << field("1") << haze << none;
        QTest::newRow("haze below 0") << field("-0.01") << field("1") << field("1") << haze << none;
        QTest::newRow("transmittance 100.01") << field("1") << field("100.01") << field("1")
                                              << "Transmittance  Tolerance must between 0-100!" << none;
        QTest::newRow("threshold 0.09") << field("1") << field("1") << field("0.09") << threshold << none;
        QTest::newRow("threshold 50.1") << field("1") << field("1") << field("50.1") << threshold << none;
        QTest::newRow("both wrong: haze first") << field("101") << field("101") << field("0") << haze << none;
        QTest::newRow("empty visible haze") << field("") << field("1") << field("1") << "Please enter the haze tolerance!"
                                            << none;
        QTest::newRow("empty visible threshold") << field("1") << field("1") << field(" ")
                                                 << "Please enter the △E threshold!" << none;
        QTest::newRow("Lab mode: haze and T hidden, sent as read")
            << field("", false, 1.5) << field("", false, 2.25) << field("3.5") << QString() << QList<int>{150, 225, 35};
        QTest::newRow("Haze/T mode: hidden empty threshold sent as read")
            << field("1") << field("2") << field("", false, 0.05) << QString() << QList<int>{100, 200, 1};
    }
    void toleranceChecks()
    {
        QFETCH(ToleranceField, haze); QFETCH(ToleranceField, transmittance); QFETCH(ToleranceField, threshold);
        QFETCH(QString, refusal); QFETCH(QList<int>, wire);
        const ToleranceCheck check = checkTolerances(haze, transmittance, threshold);
        if (refusal.isEmpty()) {
            QVERIFY(check.write.has_value());
            QCOMPARE((QList<int>{check.write->haze, check.write->transmittance, check.write->deltaE}), wire);
            QCOMPARE(check.write->values.haze, wire.at(0) / 100.0);
        } else {
            QVERIFY(!check.write.has_value());
            QCOMPARE(check.refusal.title, QStringLiteral("information"));
            QCOMPARE(check.refusal.text, refusal);
        }
    }

    // Against the instrument: the values stored, a refusal sends nothing, and
    // hidden tolerances are read again and written back as the instrument holds them.
    void setTolerancesOnTheInstrument_data()
    {
        QTest::addColumn<ToleranceField>("haze"); QTest::addColumn<ToleranceField>("transmittance");
        QTest::addColumn<ToleranceField>("threshold"); QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("set") << field("1.15") << field("4.35") << field("0.1") << "Setup successfully!"
                             << QList<int>{115, 435, 1};
        QTest::newRow("refused: nothing sent")
            << field("1") << field("1") << field("60") << "Thresholds must between 0.1-50!" << QList<int>{250, 300, 20};
        QTest::newRow("Lab mode, never read: haze and T kept")
            << field("", false) << field("", false) << field("4.4") << "Setup successfully!" << QList<int>{250, 300, 44};
        // Read as 1.50 and 2.25 once; the keypad has set 2.50 and 3.00 since.
        QTest::newRow("Lab mode, changed on the keypad since the read: kept")
            << field("", false, 1.5) << field("", false, 2.25) << field("4.4") << "Setup successfully!"
            << QList<int>{250, 300, 44};
        QTest::newRow("Haze mode, changed on the keypad since the read: T and threshold kept")
            << field("1.2") << field("", false, 2.25) << field("", false, 1.0) << "Setup successfully!"
            << QList<int>{120, 300, 20};
    }
    void setTolerancesOnTheInstrument()
    {
        QFETCH(ToleranceField, haze); QFETCH(ToleranceField, transmittance); QFETCH(ToleranceField, threshold);
        QFETCH(QString, message); QFETCH(QList<int>, stored);
        ScriptedDialogs dialogs;
        DialogFeedback feedback(nullptr, dialogs);
        EmulatedAccess access;
        access.instrument().setTolerances(250, 300, 20);
        dialogs.answerButton(DialogButton::Ok);
        std::optional<Tolerances> announced;
        const std::optional<Tolerances> result = SettingsExchange(access, feedback, false).setTolerances(
            haze, transmittance, threshold, [&](const Tolerances& t) { announced = t; });
        QCOMPARE(dialogs.messages().last().section(QLatin1Char('|'), 1), message);
        const VirtualInstrument& in = access.instrument();
        QCOMPARE((QList<int>{in.hazeTolerance(), in.transmittanceTolerance(), in.deltaEThreshold()}), stored);
        QCOMPARE(result.has_value(), announced.has_value());
        if (result) {
            QCOMPARE(result->haze, stored.at(0) / 100.0);
            QCOMPARE(result->deltaE, stored.at(2) / 10.0);
        }
        QVERIFY(access.lockIsFree());
    }

    void readDeltaEParameterOfBothGenerations_data()
    {
        QTest::addColumn<QString>("model"); QTest::addColumn<int>("version"); QTest::addColumn<int>("code");
        QTest::addColumn<int>("storedCode"); QTest::addColumn<QString>("formula"); // empty: the field stays as it was
        QTest::newRow("first generation, code 6 read as 0") << "TX420" << 200 << 6 << 0 << "△E*ab";
        QTest::newRow("first generation, code 5 is delta-E*00") << "TX450" << 250 << 5 << 5 << "△E*00";
        QTest::newRow("current, code 5 is CMC(1.4:1)") << "TX470" << 0 << 5 << 5 << "△E*cmc(1.4:1)";
        QTest::newRow("current, code 6 is delta-E*00") << "TX430" << 400 << 6 << 6 << "△E*00";
        QTest::newRow("current, code 9 leaves the field") << "TX470" << 0 << 9 << 9 << QString();
    }
    void readDeltaEParameterOfBothGenerations()
    {
        QFETCH(QString, model); QFETCH(int, version); QFETCH(int, code); QFETCH(int, storedCode); QFETCH(QString, formula);
        ScriptedDialogs dialogs;
        DialogFeedback feedback(nullptr, dialogs);
        EmulatedAccess access(model, version);
        access.instrument().setDeltaEParameter(code, 23);
        const auto read = SettingsExchange(access, feedback, false)
                              .readDeltaEParameter(isFirstGenerationColorimeter(model, version));
        QVERIFY(read.has_value());
        QCOMPARE(read->formulaCode, storedCode);
        QCOMPARE(read->formulaText.value_or(QString()), formula);
        QCOMPARE(read->threshold, 2.3);
        QVERIFY(dialogs.shown.isEmpty()); // silent on success
    }

    // The parameter dialog: six formulas on a first-generation colorimeter,
    // the written code, both boxes in both languages.
    void parameterDialog_data()
    {
        QTest::addColumn<QString>("model"); QTest::addColumn<int>("version"); QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("threshold"); QTest::addColumn<bool>("chinese"); QTest::addColumn<bool>("refuse");
        QTest::addColumn<QString>("message"); // "title|text", empty when accepted
        QTest::addColumn<int>("code"); QTest::addColumn<int>("wire");
        QTest::newRow("first generation: delta-E*00 is code 5")
            << "TX420" << 200 << "formulaBtn_6" << "2.3" << false << false << QString() << 5 << 23;
        QTest::newRow("current: delta-E*00 is code 6")
            << "TX470" << 0 << "formulaBtn_6" << "50" << false << false << QString() << 6 << 500;
        QTest::newRow("current: CMC(1.4:1) is code 5")
            << "TX470" << 0 << "formulaBtn_5" << "0.1" << false << false << QString() << 5 << 1;
        QTest::newRow("range, English") << "TX470" << 0 << "formulaBtn_1" << "0.09" << false << false
                                        << QStringLiteral("information|Thresholds must between 0.1\u201450!") << -1 << -1;
        QTest::newRow("range, Chinese") << "TX470" << 0 << "formulaBtn_1" << "" << true << false
                                        << QStringLiteral("提示|阀值必须介于0.1-50之间！") << -1 << -1;
        QTest::newRow("refused, English") << "TX470" << 0 << "formulaBtn_1" << "2" << false << true
                                          << QStringLiteral("Error|Failed to write △E parameter information!") << -1 << -1;
        QTest::newRow("refused, Chinese") << "TX470" << 0 << "formulaBtn_1" << "2" << true << true
                                          << QStringLiteral("错误|写入△E参数信息失败！") << -1 << -1;
    }
    void parameterDialog()
    {
        QFETCH(QString, model); QFETCH(int, version); QFETCH(QString, button); QFETCH(QString, threshold);
        QFETCH(bool, chinese); QFETCH(bool, refuse); QFETCH(QString, message); QFETCH(int, code); QFETCH(int, wire);
        ScriptedDialogs dialogs;
        EmulatedAccess access(model, version);
        access.instrument().setDeltaEParameter(2, 77);
        if (refuse) {
            access.emulator().injectFault(EmulatorFault::ErrorReply);
        }
        if (!message.isEmpty()) {
            dialogs.expectMessage(message.section(QLatin1Char('|'), 0, 0), message.section(QLatin1Char('|'), 1));
        }
        setEParameterPageFor470 dialog(version, model, access, dialogs, chinese);
        QCOMPARE(dialog.findChild<QRadioButton*>(QStringLiteral("formulaBtn_5"))->isHidden(),
                 isFirstGenerationColorimeter(model, version));
        dialog.findChild<QRadioButton*>(button)->setChecked(true);
        dialog.findChild<QLineEdit*>(QStringLiteral("ThresholdsEdit"))->setText(threshold);
        dialog.findChild<QPushButton*>(QStringLiteral("Okbtn"))->click();
        QCOMPARE(dialog.result(), message.isEmpty() ? int(QDialog::Accepted) : int(QDialog::Rejected));
        if (message.isEmpty()) {
            QCOMPARE(access.instrument().deltaEFormula(), code);
            QCOMPARE(access.instrument().deltaEParameterThreshold(), wire);
        } else if (!refuse) {
            QCOMPARE(access.instrument().deltaEFormula(), 2); // nothing was sent
        }
        QVERIFY(!dialogs.hasUnusedAnswers());
    }

    // No mode chosen: the box, nothing written. (A mode written: tst_import_page.)
    void displayParameterWithoutAMode()
    {
        ScriptedDialogs dialogs;
        DialogFeedback feedback(nullptr, dialogs);
        EmulatedAccess access;
        access.instrument().setDisplayMode(3);
        dialogs.expectMessage(QStringLiteral("Error"), QStringLiteral("Failed to Setup  DisplayParam information!"));
        QVERIFY(!SettingsExchange(access, feedback, false).setDisplayParameter(DisplayMode::None));
        QCOMPARE(access.instrument().displayMode(), 3);
    }
};

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
