// The instrument settings panel of the workspace page: reading and writing
// the tolerances, the colour-difference parameter and the display parameter,
// the settings read after identification, and judging the live comparison
// and every row again after a change. The rules and the exchanges live in
// SettingsRules and SettingsExchange; this file moves texts between them and
// the widgets.

#include "FirstPageFor310.h"

#include "ComparisonDisplay.h"
#include "ComparisonMath.h"
#include "ComparisonRecordList.h"
#include "DeltaE.h"
#include "Dialogs.h"
#include "DialogFeedback.h"
#include "FirstPageForm.h"
#include "SettingsExchange.h"
#include "SettingsRules.h"
#include "VerdictStyle.h"
#include "setEParameterPageFor470.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace {

using ComparisonDisplay::cellText;

bool holdsValue(const QString& text)
{
    const QString t = text.trimmed();
    return !t.isEmpty() && t != ComparisonDisplay::dashes();
}

} // namespace

void FirstPageFor310::readSettingsAfterConnect()
{
    if (!isLinkOpen()) {
        return; // the instrument went away during identification
    }
    // A layout index the model table should not hold (4 or more) reads nothing.
    if (m_state.layoutIndex == 1 || m_state.layoutIndex == 2) {
        on_pushButton_readParameter_clicked();
    } else if (m_state.layoutIndex == 0 || m_state.layoutIndex == 3) {
        on_pushButton_readTolerance_clicked();
    }
}

int FirstPageFor310::on_pushButton_readTolerance_clicked()
{
    DialogFeedback feedback(this, dialogs());
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return -1;
    }
    const auto read = exchange.readTolerances([this](const Tolerances& t) {
        m_state.hazeTolerance = t.haze;
        m_state.transmittanceTolerance = t.transmittance;
        m_state.deltaEThreshold = t.deltaE;
        ui->lineEdit_hazeTolerance->setText(QString::number(t.haze, 'f', 2));
        ui->lineEdit_tTolerance->setText(QString::number(t.transmittance, 'f', 2));
        ui->lineEdit_eThresholds->setText(QString::number(t.deltaE, 'f', 1));
    });
    return read ? 1 : -1;
}

void FirstPageFor310::on_pushButton_setTolerance_clicked()
{
    DialogFeedback feedback(this, dialogs());
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return;
    }
    // What the display mode hides goes back to the instrument as it holds it now.
    const auto field = [](const QLineEdit* edit, double lastRead) {
        return SettingsRules::ToleranceField{edit->text(), !edit->isHidden(), lastRead};
    };
    exchange.setTolerances(field(ui->lineEdit_hazeTolerance, m_state.hazeTolerance),
                           field(ui->lineEdit_tTolerance, m_state.transmittanceTolerance),
                           field(ui->lineEdit_eThresholds, m_state.deltaEThreshold), [this](const Tolerances& t) {
                               m_state.hazeTolerance = t.haze;
                               m_state.transmittanceTolerance = t.transmittance;
                               m_state.deltaEThreshold = t.deltaE;
                               judgeAgain();
                           });
}

int FirstPageFor310::on_pushButton_readParameter_clicked()
{
    DialogFeedback feedback(this, dialogs());
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return -1;
    }
    const auto read = exchange.readDeltaEParameter(isFirstGeneration());
    if (!read) {
        return -1;
    }
    if (read->formulaText) {
        ui->lineEdit_formula->setText(*read->formulaText);
    }
    m_state.deltaEFormulaIndex = read->formulaCode;
    m_state.parameterThreshold = m_state.deltaEThreshold = read->threshold;
    ui->lineEdit_thresholds->setText(QString::number(read->threshold, 'f', 1));
    return 1;
}

void FirstPageFor310::on_pushButton_setParameter_clicked()
{
    DialogFeedback feedback(this, dialogs());
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return;
    }
    if (m_state.layoutIndex == 2) {
        if (!exchange.setDeltaEThreshold(ui->lineEdit_thresholds->text())) {
            return;
        }
    } else {
        // The dialog takes the link lock for its write alone: no lock is held
        // while the operator fills it in.
        setEParameterPageFor470 dialog(m_state.softwareVersion, m_state.modelName, m_link, dialogs(),
                                       m_state.chineseUi, this);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    on_pushButton_readParameter_clicked();
    judgeAgain();
}

void FirstPageFor310::on_pushButton_setDisplayParameter_clicked()
{
    DialogFeedback feedback(this, dialogs());
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return;
    }
    if (!m_records->isEmpty()) {
        const DialogButton answer = dialogs().message(
            this, MessageIcon::Warning, tr("Warn"),
            tr("The comparison measurement record list data will be cleared. Do you want to continue saving "
               "the parameter settings?"),
            int(DialogButton::Yes) | int(DialogButton::No));
        if (answer != DialogButton::Yes) {
            return;
        }
    }
    const int id = displayModeGroup->checkedId();
    if (!exchange.setDisplayParameter(id)) {
        return;
    }
    m_state.displayFlags = displayFlagsFor(id);
    // The operator already agreed to lose the rows: no second question.
    clearComparisonTable();
    applyDisplayMode();
}

void FirstPageFor310::clearComparisonTable()
{
    resetColorDiff();
    resetMeasurementStyles();
    resetComparisonWork();
    m_records->clear();
}

void FirstPageFor310::judgeAgain()
{
    if (isFirstGeneration()) {
        judgeLiveAgain_old();
        judgeRowsAgain_old();
    } else {
        judgeLiveAgain();
        judgeRowsAgain();
    }
}

void FirstPageFor310::judgeLiveAgain()
{
    QTableWidget* display = ui->tableWidget_colorDiff;
    // A comparison is shown when the sample's haze or L* sits beside the standard's.
    const bool shown = (holdsValue(cellText(display, 1, 2)) && holdsValue(cellText(display, 1, 1)))
                       || (holdsValue(cellText(display, 3, 2)) && holdsValue(cellText(display, 3, 1)));
    if (!shown) {
        return;
    }
    if (m_state.layoutIndex == 1) {
        m_state.deltaEThreshold = m_state.parameterThreshold;
    }
    const ComparisonOutcome outcome = compareCurrent(liveComparisonInput());
    if (outcome.refused) {
        return;
    }
    ComparisonDisplay::setCellText(display, 12, 3, outcome.deltaEText);
    ui->label_result->setText(verdictText(outcome.verdict));
    ui->label_result->setStyleSheet(verdictLabelStyle(outcome.verdict));
}

void FirstPageFor310::judgeLiveAgain_old()
{
    QTableWidget* display = ui->tbColorDiff;
    if (!holdsValue(cellText(display, 1, 1)) || !holdsValue(cellText(display, 1, 2))) {
        return;
    }
    const ComparisonOutcome outcome = compareLegacy(liveLegacyComparisonInput());
    if (outcome.refused) {
        return;
    }
    ComparisonDisplay::setCellText(display, 6, 3, outcome.deltaEText);
    ui->resultlab->setText(verdictText(outcome.verdict));
    ui->resultlab->setStyleSheet(verdictLabelStyle(outcome.verdict));
}

void FirstPageFor310::judgeRowsAgain()
{
    // The one judging rule over every record; the table follows the changed ones.
    m_records->judgeAgain(judgingSettings(false));
}

void FirstPageFor310::judgeRowsAgain_old()
{
    m_legacyRecords->judgeAgain(judgingSettings(true));
}
