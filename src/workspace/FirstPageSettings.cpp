// The instrument settings panel of the workspace page: reading and writing
// the tolerances, the colour-difference parameter and the display parameter,
// the settings read after identification, and judging the live comparison
// and every row again after a change. The rules and the exchanges live in
// SettingsRules and SettingsExchange; this file moves texts between them and
// the widgets.

#include "FirstPageFor310.h"

#include "ComparisonRows.h"
#include "DeltaE.h"
#include "Dialogs.h"
#include "DialogFeedback.h"
#include "FirstPageForm.h"
#include "JournalKeeper.h"
#include "SettingsExchange.h"
#include "SettingsRules.h"
#include "setEParameterPageFor470.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace {

// Columns of the current comparison table that a new judgement reads and writes.
namespace Current {
constexpr int kStandardL = 5;
constexpr int kSampleL = 16;
constexpr int kHazeDifference = 25;
constexpr int kTransmittanceDifference = 26;
constexpr int kDeltaE = 27;
constexpr int kHazeTolerance = 31;
constexpr int kTransmittanceTolerance = 32;
constexpr int kDeltaEThreshold = 33;
} // namespace Current
namespace Legacy {
constexpr int kStandardL = 3;
constexpr int kSampleL = 8;
constexpr int kDeltaE = 13;
constexpr int kFormula = 17;
constexpr int kThreshold = 18;
} // namespace Legacy

QString cellText(const QTableWidget* table, int row, int column)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(table->cellWidget(row, column))) {
        return edit->text();
    }
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

// Writes text into a cell, keeping the item (and the journal's view of it).
QTableWidgetItem* setCellText(QTableWidget* table, int row, int column, const QString& text)
{
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, item);
    }
    item->setText(text);
    return item;
}

bool holdsValue(const QString& text)
{
    const QString t = text.trimmed();
    return !t.isEmpty() && t != QLatin1String("-----");
}

std::array<QString, 3> labTexts(const QTableWidget* table, int row, int firstColumn)
{
    return {cellText(table, row, firstColumn), cellText(table, row, firstColumn + 1),
            cellText(table, row, firstColumn + 2)};
}

// The same three values read down a column of a live display.
std::array<QString, 3> labDown(const QTableWidget* table, int firstRow, int column)
{
    return {cellText(table, firstRow, column), cellText(table, firstRow + 1, column),
            cellText(table, firstRow + 2, column)};
}

void showVerdictCell(QTableWidgetItem* item, Verdict verdict)
{
    item->setText(verdictText(verdict));
    item->setData(ComparisonRows::kPassRole, verdict == Verdict::Pass);
    item->setBackground(QColor(verdictCellColor(verdict)));
    item->setTextAlignment(Qt::AlignCenter);
}

} // namespace

void FirstPageFor310::readSettingsAfterConnect()
{
    if (!isLinkOpen()) {
        return; // the instrument went away during identification
    }
    // A layout index the model table should not hold (4 or more) reads nothing.
    if (layoutIndex == 1 || layoutIndex == 2) {
        on_pushButton_readParameter_clicked();
    } else if (layoutIndex == 0 || layoutIndex == 3) {
        on_pushButton_readTolerance_clicked();
    }
}

int FirstPageFor310::on_pushButton_readTolerance_clicked()
{
    DialogFeedback feedback(this);
    SettingsExchange exchange(*this, feedback, chineseUi);
    if (!exchange.requireConnection()) {
        return -1;
    }
    const auto read = exchange.readTolerances([this](const Tolerances& t) {
        hazeTolerance = t.haze;
        transmittanceTolerance = t.transmittance;
        deltaEThreshold = t.deltaE;
        ui->lineEdit_hazeTolerance->setText(QString::number(t.haze, 'f', 2));
        ui->lineEdit_tTolerance->setText(QString::number(t.transmittance, 'f', 2));
        ui->lineEdit_eThresholds->setText(QString::number(t.deltaE, 'f', 1));
    });
    return read ? 1 : -1;
}

void FirstPageFor310::on_pushButton_setTolerance_clicked()
{
    DialogFeedback feedback(this);
    SettingsExchange exchange(*this, feedback, chineseUi);
    if (!exchange.requireConnection()) {
        return;
    }
    // What the display mode hides goes back to the instrument as it holds it now.
    const auto field = [](const QLineEdit* edit, double lastRead) {
        return SettingsRules::ToleranceField{edit->text(), !edit->isHidden(), lastRead};
    };
    exchange.setTolerances(field(ui->lineEdit_hazeTolerance, hazeTolerance),
                           field(ui->lineEdit_tTolerance, transmittanceTolerance),
                           field(ui->lineEdit_eThresholds, deltaEThreshold), [this](const Tolerances& t) {
                               hazeTolerance = t.haze;
                               transmittanceTolerance = t.transmittance;
                               deltaEThreshold = t.deltaE;
                               judgeAgain();
                           });
}

int FirstPageFor310::on_pushButton_readParameter_clicked()
{
    DialogFeedback feedback(this);
    SettingsExchange exchange(*this, feedback, chineseUi);
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
    deltaEFormulaIndex = read->formulaCode;
    parameterThreshold = deltaEThreshold = read->threshold;
    ui->lineEdit_thresholds->setText(QString::number(read->threshold, 'f', 1));
    return 1;
}

void FirstPageFor310::on_pushButton_setParameter_clicked()
{
    DialogFeedback feedback(this);
    SettingsExchange exchange(*this, feedback, chineseUi);
    if (!exchange.requireConnection()) {
        return;
    }
    if (layoutIndex == 2) {
        if (!exchange.setDeltaEThreshold(ui->lineEdit_thresholds->text())) {
            return;
        }
    } else {
        // The dialog writes inside this locked section and takes no lock itself.
        LinkLock lock(*this);
        setEParameterPageFor470 dialog(softwareVersion, modelName, *this, chineseUi, this);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    on_pushButton_readParameter_clicked();
    judgeAgain();
}

void FirstPageFor310::on_pushButton_setDisplayParameter_clicked()
{
    DialogFeedback feedback(this);
    SettingsExchange exchange(*this, feedback, chineseUi);
    if (!exchange.requireConnection()) {
        return;
    }
    if (ui->tableWidget_data->rowCount() > 0) {
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
    displayFlags = displayFlagsFor(id);
    // The operator already agreed to lose the rows: no second question.
    clearComparisonTable();
    applyDisplayMode();
}

void FirstPageFor310::clearComparisonTable()
{
    resetColorDiff();
    resetMeasurementStyles();
    resetComparisonWork();
    ui->tableWidget_data->setRowCount(0);
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

Tolerances FirstPageFor310::tolerancesInForce() const
{
    return {hazeTolerance, transmittanceTolerance, deltaEThreshold};
}

void FirstPageFor310::judgeLiveAgain()
{
    QTableWidget* display = ui->tableWidget_colorDiff;
    // A comparison is shown when the sample's haze or L* sits beside the standard's.
    const bool shown = (holdsValue(cellText(display, 1, 1)) && holdsValue(cellText(display, 1, 2)))
                       || (holdsValue(cellText(display, 3, 1)) && holdsValue(cellText(display, 3, 2)));
    if (!shown) {
        return;
    }
    if (layoutIndex == 1) {
        deltaEThreshold = parameterThreshold;
    }
    SettingsRules::StoredRow live;
    live.hazeDifference = QString::number(SettingsRules::storedNumber(cellText(display, 1, 2))
                                          - SettingsRules::storedNumber(cellText(display, 1, 1)));
    live.transmittanceDifference = QString::number(SettingsRules::storedNumber(cellText(display, 2, 2))
                                                   - SettingsRules::storedNumber(cellText(display, 2, 1)));
    live.standardLab = labDown(display, 3, 1);
    live.sampleLab = labDown(display, 3, 2);
    const SettingsRules::Judged judged = SettingsRules::judgeStoredRow(live, displayFlags, layoutIndex,
                                                                       deltaEFormulaIndex, tolerancesInForce());
    QTableWidgetItem* deltaE = setCellText(display, 12, 3, formatDeltaE(judged.deltaE));
    deltaE->setForeground(QColor(Qt::black));
    deltaE->setTextAlignment(Qt::AlignCenter);
    ui->label_result->setText(verdictText(judged.verdict));
    ui->label_result->setStyleSheet(verdictLabelStyle(judged.verdict));
}

void FirstPageFor310::judgeLiveAgain_old()
{
    QTableWidget* display = ui->tbColorDiff;
    if (!holdsValue(cellText(display, 1, 1)) || !holdsValue(cellText(display, 1, 2))) {
        return;
    }
    const SettingsRules::Judged judged = SettingsRules::judgeStoredLegacyRow(
        labDown(display, 1, 1), labDown(display, 1, 2), deltaEFormulaIndex, deltaEThreshold);
    setCellText(display, 6, 3, formatDeltaE(judged.deltaE));
    ui->resultlab->setText(verdictText(judged.verdict));
    ui->resultlab->setStyleSheet(verdictLabelStyle(judged.verdict));
}

void FirstPageFor310::judgeRowsAgain()
{
    QTableWidget* table = ui->tableWidget_data;
    const Tolerances tolerances = tolerancesInForce();
    // The tolerance columns in the format of a new row.
    const QString hazeText = QStringLiteral("\u00B1%1%").arg(tolerances.haze, 0, 'f', 2);
    const QString transmittanceText = QStringLiteral("\u00B1%1%").arg(tolerances.transmittance, 0, 'f', 2);
    const QString thresholdText = formatThreshold(tolerances.deltaE);
    unqualifiedCount = qualifiedCount = totalCount = 0;
    table->setUpdatesEnabled(false);
    for (int row = 0; row < table->rowCount(); ++row) {
        SettingsRules::StoredRow stored;
        stored.hazeDifference = cellText(table, row, Current::kHazeDifference);
        stored.transmittanceDifference = cellText(table, row, Current::kTransmittanceDifference);
        stored.standardLab = labTexts(table, row, Current::kStandardL);
        stored.sampleLab = labTexts(table, row, Current::kSampleL);
        const SettingsRules::Judged judged =
            SettingsRules::judgeStoredRow(stored, displayFlags, layoutIndex, deltaEFormulaIndex, tolerances);
        setCellText(table, row, Current::kDeltaE, QString::number(judged.deltaE, 'f', 2));
        showVerdictCell(setCellText(table, row, ComparisonRows::kCurrentVerdictColumn, QString()), judged.verdict);
        setCellText(table, row, Current::kHazeTolerance, hazeText);
        setCellText(table, row, Current::kTransmittanceTolerance, transmittanceText);
        setCellText(table, row, Current::kDeltaEThreshold, thresholdText);
        (judged.verdict == Verdict::Pass ? qualifiedCount : unqualifiedCount) += 1;
        ++totalCount;
    }
    table->setUpdatesEnabled(true);
    showCounters();
}

void FirstPageFor310::judgeRowsAgain_old()
{
    QTableWidget* table = ui->tbData;
    unqualifiedCount = qualifiedCount = totalCount = 0;
    table->setUpdatesEnabled(false);
    for (int row = 0; row < table->rowCount(); ++row) {
        const SettingsRules::Judged judged = SettingsRules::judgeStoredLegacyRow(
            labTexts(table, row, Legacy::kStandardL), labTexts(table, row, Legacy::kSampleL), deltaEFormulaIndex,
            deltaEThreshold);
        setCellText(table, row, Legacy::kDeltaE, QString::number(judged.deltaE, 'f', 2));
        showVerdictCell(setCellText(table, row, ComparisonRows::kLegacyVerdictColumn, QString()), judged.verdict);
        setCellText(table, row, Legacy::kFormula, ui->lineEdit_formula->text());
        setCellText(table, row, Legacy::kThreshold, ui->lineEdit_thresholds->text());
        (judged.verdict == Verdict::Pass ? qualifiedCount : unqualifiedCount) += 1;
        ++totalCount;
    }
    table->setUpdatesEnabled(true);
    showCounters();
}
