#include "LiveDisplay.h"

#include "Colorimetry.h"
#include "Comparison.h"
#include "ComparisonColumns.h"
#include "ComparisonDisplay.h"
#include "ComparisonJudging.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "Judgement.h"
#include "MeasurementSession.h"
#include "VerdictStyle.h"
#include "WorkspaceRules.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTableWidget>

#include <cmath>

using namespace ComparisonDisplay;

namespace {

Q_LOGGING_CATEGORY(lcLive, "tintwell.workspace.live")

using R = ComparisonRecord;
using ComparisonColumns::Layout;

constexpr int kCurrentRows = 11;
constexpr int kCurrentDeltaERow = 12;
constexpr int kLegacyRows = 5;
constexpr int kLegacyDeltaERow = 6;
constexpr const char* kWatched = "tintwell.standardEdit";

const QString kActiveButton = QStringLiteral("color: rgb(0, 0, 255); background-color: rgb(255, 255, 255);");
const QString kIdleButton = QStringLiteral("color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);");
const QString kGreySwatch = QStringLiteral("background-color: rgb(180, 180, 180);");
const QString kEmptyVerdict = QStringLiteral("QLabel{background-color: rgb(0, 255, 0);}");

QString page(const char* text)
{
    return QCoreApplication::translate("FirstPageFor310", text);
}

QString colorimeter(const char* text)
{
    return QCoreApplication::translate("Colorimeter", text);
}

// The texts of one side's values as the display shows them.
QStringList valueTexts(const MeasurementSession::Side& side, bool legacy)
{
    QStringList texts;
    if (legacy) {
        for (int i = 0; i < R::LegacyCount; ++i) {
            texts << ComparisonColumns::liveValueText(Layout::Legacy, i, side.legacyValues[std::size_t(i)]);
        }
        return texts;
    }
    for (int i = 0; i < R::ValueCount; ++i) {
        texts << ComparisonColumns::liveValueText(Layout::Current, i, side.values[std::size_t(i)]);
    }
    return texts;
}

QString swatchOf(const MeasurementSession::Side& side)
{
    return side.rgb ? swatchStyleSheet((*side.rgb)[0], (*side.rgb)[1], (*side.rgb)[2]) : kGreySwatch;
}

// A difference as the display shows it: general format, "%" after haze and
// transmittance, dashes where a value is not known.
QString differenceText(double difference, bool percent)
{
    if (std::isnan(difference)) {
        return ComparisonColumns::kUnknownText;
    }
    return percent ? formatDifference(difference) + QLatin1Char('%') : formatDifference(difference);
}

} // namespace

LiveDisplay::LiveDisplay(FirstPageForm& form, MeasurementSession& session, Dialogs& dialogs, QWidget* page)
    : QObject(page), ui(form), m_session(session), m_dialogs(dialogs), m_page(page)
{
}

QTableWidget* LiveDisplay::display(bool legacy) const
{
    return legacy ? ui.tbColorDiff : ui.tableWidget_colorDiff;
}

void LiveDisplay::setUpCurrent(const QList<int>& editRows)
{
    QTableWidget* current = ui.tableWidget_colorDiff;
    const char* const rowNames[kCurrentRows] = {"Haze", "Transmittance", "L*", "a*", "b*", "L*",
                                                "C*",   "h",             "Y",  "x",  "y"};
    for (int row = 1; row <= kCurrentRows; ++row) {
        current->setItem(row, 0, centredItem(page(rowNames[row - 1])));
    }
    current->setItem(kCurrentDeltaERow, 0, centredItem(colorimeter("\u25B3E")));
    current->setItem(0, 1, centredItem(page("Standard"), Qt::blue));
    current->setItem(0, 2, centredItem(page("Sample")));
    current->setItem(0, 3, centredItem(colorimeter("\u25B3")));
    const QStringList dashed = repeated(dashes(), kCurrentDeltaERow);
    for (int column = kSampleColumn; column <= kWordColumn; ++column) {
        setItems(current, column, dashed, Qt::black);
    }
    for (const auto& cell : {std::pair{7, 4}, {8, 4}, {12, 2}, {12, 4}}) {
        current->item(cell.first, cell.second)->setText(QString());
    }
    completeStandardEdits(editRows);
}

void LiveDisplay::setUpLegacy()
{
    QTableWidget* legacy = ui.tbColorDiff;
    const char* const legacyNames[kLegacyRows] = {"L*", "a*", "b*", "C*", "h"};
    for (int row = 1; row <= kLegacyRows; ++row) {
        legacy->setItem(row, 0, centredItem(page(legacyNames[row - 1])));
    }
    legacy->setItem(kLegacyDeltaERow, 0, centredItem(colorimeter("\u25B3E")));
    legacy->setItem(0, 1, centredItem(page("Standard"), Qt::blue));
    legacy->setItem(0, 2, centredItem(page("Sample")));
    legacy->setItem(0, 3, centredItem(colorimeter("\u25B3")));
    for (int row = 1; row <= kLegacyDeltaERow; ++row) {
        for (int column = 1; column <= 4; ++column) {
            legacy->setItem(row, column, centredItem(dashes(), column == 1 ? Qt::blue : Qt::black));
        }
    }
    for (const auto& cell : {std::pair{4, 4}, {5, 4}, {6, 1}, {6, 2}, {6, 4}}) {
        legacy->item(cell.first, cell.second)->setText(QString());
    }
}

void LiveDisplay::completeStandardEdits(const QList<int>& rows)
{
    QTableWidget* current = ui.tableWidget_colorDiff;
    for (int row : rows) {
        if (!current->cellWidget(row, kStandardColumn)) {
            setEdit(current, row, kStandardColumn, row == kCurrentDeltaERow ? QString() : dashes(), Qt::blue);
        }
    }
    // Keyboard order: row after row, wherever an edit was made.
    QWidget* previous = nullptr;
    for (int row = 1; row <= kCurrentDeltaERow; ++row) {
        QWidget* edit = current->cellWidget(row, kStandardColumn);
        if (previous && edit) {
            QWidget::setTabOrder(previous, edit);
        }
        previous = edit ? edit : previous;
    }
    watchEdits();
}

// Every edit of the standard column tells when the operator finished typing.
void LiveDisplay::watchEdits()
{
    QTableWidget* current = ui.tableWidget_colorDiff;
    for (int row = 1; row <= kCurrentRows; ++row) {
        auto* edit = qobject_cast<QLineEdit*>(current->cellWidget(row, kStandardColumn));
        if (edit && !edit->property(kWatched).toBool()) {
            edit->setProperty(kWatched, true);
            connect(edit, &QLineEdit::editingFinished, this, &LiveDisplay::commitEdits);
        }
    }
}

void LiveDisplay::commitEdits()
{
    QTableWidget* current = ui.tableWidget_colorDiff;
    for (int row = 1; row <= kCurrentRows; ++row) {
        auto* edit = qobject_cast<QLineEdit*>(current->cellWidget(row, kStandardColumn));
        if (!edit || !edit->isModified()) {
            continue;
        }
        // The one text read back: what the operator typed over the standard.
        const std::optional<double> value = displayedNumber(edit->text());
        qCDebug(lcLive) << "standard row" << row << "typed:" << edit->text();
        m_session.setStandardValue(row - 1, value.value_or(R::kUnknown));
        edit->setModified(false);
    }
}

bool LiveDisplay::startMeasurement(int target, bool legacy, bool linkOpen)
{
    if (!linkOpen) {
        m_dialogs.information(m_page, page("Error"), page("Please connect the device first!"));
        return false;
    }
    showArrivedPushed();
    begin(target, legacy);
    QCoreApplication::processEvents(); // the dashes are painted before the wait
    m_session.setNextMeasurement(static_cast<MeasurementSession::Target>(target));
    return true;
}

void LiveDisplay::showArrivedPushed()
{
    // What the worker has read is still on its way to the page as queued calls: take it.
    QCoreApplication::sendPostedEvents(m_page, QEvent::MetaCall);
    commitEdits();
    m_session.showArrivedPushed();
}

void LiveDisplay::reset(bool legacy)
{
    if (legacy) {
        setUpLegacy();
        ui.sampBtnGroubox->setStyleSheet(QStringLiteral(" background-color: rgb(180, 180, 180);"));
        ui.stdBtnGroubox->setStyleSheet(kGreySwatch);
        ui.samplemeasurementBtn->setStyleSheet(kIdleButton);
        ui.stdmeasurementBtn->setStyleSheet(kActiveButton);
        ui.resultlab->clear();
        ui.resultlab->setStyleSheet(kEmptyVerdict);
        return;
    }
    QTableWidget* current = ui.tableWidget_colorDiff;
    // The standard's edits are reused.
    setEdits(current, kStandardColumn, repeated(dashes(), kCurrentDeltaERow), Qt::blue);
    static_cast<QLineEdit*>(current->cellWidget(kCurrentDeltaERow, kStandardColumn))->clear();
    watchEdits();
    const QStringList dashed = repeated(dashes(), kCurrentDeltaERow);
    for (int column = kSampleColumn; column <= kWordColumn; ++column) {
        setItems(current, column, dashed, Qt::black);
    }
    for (const auto& cell : {std::pair{7, 4}, {8, 4}, {12, 2}, {12, 4}}) {
        current->item(cell.first, cell.second)->setText(QString());
    }
    ui.groupBox_sampleMeasurement->setStyleSheet(QStringLiteral(" background-color: rgb(180, 180, 180);"));
    ui.groupBox_standardMeasurement->setStyleSheet(kGreySwatch);
    ui.pushButton_sampleMeasurement->setStyleSheet(kIdleButton);
    ui.pushButton_standardMeasurement->setStyleSheet(kActiveButton);
    ui.label_result->clear();
    ui.label_result->setStyleSheet(kEmptyVerdict);
}

void LiveDisplay::begin(int target, bool legacy)
{
    QTableWidget* shown = display(legacy);
    const bool standard = target == MeasurementSession::Standard;
    markActiveColumn(shown, standard ? kStandardColumn : kSampleColumn);
    prepare(target, legacy);
    setColumnColour(shown, standard ? kSampleColumn : kStandardColumn, legacy ? kLegacyRows : kCurrentRows, Qt::black);
    QPushButton* standardButton = legacy ? ui.stdmeasurementBtn : ui.pushButton_standardMeasurement;
    QPushButton* sampleButton = legacy ? ui.samplemeasurementBtn : ui.pushButton_sampleMeasurement;
    standardButton->setStyleSheet(standard ? kActiveButton : kIdleButton);
    sampleButton->setStyleSheet(standard ? kIdleButton : kActiveButton);
}

void LiveDisplay::prepare(int target, bool legacy)
{
    QTableWidget* shown = display(legacy);
    const QStringList dashed = repeated(dashes(), legacy ? kLegacyRows : kCurrentRows);
    if (target == MeasurementSession::Standard && !legacy) {
        setEdits(shown, kStandardColumn, dashed, Qt::blue);
        watchEdits();
    } else {
        setItems(shown, target == MeasurementSession::Standard ? kStandardColumn : kSampleColumn, dashed, Qt::blue);
    }
}

void LiveDisplay::showStandard(bool legacy)
{
    QTableWidget* shown = display(legacy);
    const MeasurementSession::Side& standard = m_session.standard();
    const int deltaERow = legacy ? kLegacyDeltaERow : kCurrentDeltaERow;
    if (legacy) {
        setItems(shown, kStandardColumn, valueTexts(standard, true), Qt::blue);
        ui.stdBtnGroubox->setStyleSheet(swatchOf(standard));
    } else {
        setEdits(shown, kStandardColumn, valueTexts(standard, false), Qt::blue);
        watchEdits();
        ui.groupBox_standardMeasurement->setStyleSheet(swatchOf(standard));
    }
    // A new standard starts a new comparison.
    setItems(shown, kSampleColumn, repeated(dashes(), deltaERow), Qt::black);
    shown->item(deltaERow, kSampleColumn)->setText(QString());
    clearJudgement(legacy);
    (legacy ? ui.sampBtnGroubox : ui.groupBox_sampleMeasurement)->setStyleSheet(kGreySwatch);
    (legacy ? ui.samplemeasurementBtn : ui.pushButton_sampleMeasurement)->setStyleSheet(kIdleButton);
}

void LiveDisplay::showSample(bool legacy)
{
    const MeasurementSession::Side& sample = m_session.sample();
    if (!sample.taken) {
        // The average of the readings so far: no comparison is shown beside it yet.
        clearJudgement(legacy);
    }
    setItems(display(legacy), kSampleColumn, valueTexts(sample, legacy), Qt::blue);
    (legacy ? ui.sampBtnGroubox : ui.groupBox_sampleMeasurement)->setStyleSheet(swatchOf(sample));
}

// The differences, deviation words, delta-E and verdict back to "not judged".
void LiveDisplay::clearJudgement(bool legacy)
{
    QTableWidget* shown = display(legacy);
    const int deltaERow = legacy ? kLegacyDeltaERow : kCurrentDeltaERow;
    for (int column = kDifferenceColumn; column <= kWordColumn; ++column) {
        setItems(shown, column, repeated(dashes(), deltaERow), Qt::black);
    }
    // The word cells beside C*/h (and beside delta-E) stay blank.
    const int firstBlank = legacy ? 4 : 7;
    for (int row : {firstBlank, firstBlank + 1, deltaERow}) {
        shown->item(row, kWordColumn)->setText(QString());
    }
    QLabel* verdict = legacy ? ui.resultlab : ui.label_result;
    verdict->setText(QString());
    verdict->setStyleSheet(kEmptyVerdict);
}

void LiveDisplay::showVerdict(bool legacy, bool pass, bool warning)
{
    QLabel* verdict = legacy ? ui.resultlab : ui.label_result;
    const Verdict v = pass ? Verdict::Pass : Verdict::Ng;
    verdict->setText(verdictText(v));
    verdict->setStyleSheet(verdictLabelStyle(v, warning));
}

void LiveDisplay::showWords(const ComparisonRecord& record)
{
    QTableWidget* shown = display(record.legacy);
    const int firstRow = record.legacy ? 1 : 3;
    std::array<double, 3> d{};
    if (record.legacy) {
        const R::LegacyValues all = legacyValueDifferences(record);
        d = {all[R::LegacyL], all[R::LegacyA], all[R::LegacyB]};
    } else {
        const R::Values all = valueDifferences(record);
        d = {all[R::LabL], all[R::LabA], all[R::LabB]};
    }
    const DeviationAxis axes[3] = {DeviationAxis::L, DeviationAxis::A, DeviationAxis::B};
    for (int i = 0; i < 3; ++i) {
        setCellText(shown, firstRow + i, kWordColumn, deviationWord(axes[i], d[std::size_t(i)]));
    }
}

void LiveDisplay::showComparison(const ComparisonRecord& record)
{
    QTableWidget* shown = display(record.legacy);
    if (record.legacy) {
        const R::LegacyValues d = legacyValueDifferences(record);
        for (int i = 0; i < R::LegacyCount; ++i) {
            setCellText(shown, i + 1, kDifferenceColumn, differenceText(d[std::size_t(i)], false));
        }
    } else {
        const R::Values d = valueDifferences(record);
        for (int i = 0; i < R::ValueCount; ++i) {
            const bool percent = i == R::Haze || i == R::Transmittance;
            setCellText(shown, i + 1, kDifferenceColumn, differenceText(d[std::size_t(i)], percent));
        }
    }
    showWords(record);
    const int deltaERow = record.legacy ? kLegacyDeltaERow : kCurrentDeltaERow;
    setCellText(shown, deltaERow, kDifferenceColumn, formatDeltaE(record.deltaE));
    setColumnColour(shown, kWordColumn, deltaERow, Qt::black);
    showVerdict(record.legacy, record.pass, record.library.warning);
}

void LiveDisplay::showJudgedAgain(const ComparisonRecord& record)
{
    setCellText(display(record.legacy), record.legacy ? kLegacyDeltaERow : kCurrentDeltaERow, kDifferenceColumn,
                formatDeltaE(record.deltaE));
    showVerdict(record.legacy, record.pass, record.library.warning);
}

void LiveDisplay::refuse(int badStandardIndex, int badSampleIndex, bool legacy)
{
    // Nothing of an earlier comparison stays beside this sample.
    clearJudgement(legacy);
    const int row = (badStandardIndex >= 0 ? badStandardIndex : badSampleIndex) + 1;
    const QString quantity = cellText(display(legacy), row, 0);
    const char* const text = badStandardIndex >= 0
                                 ? QT_TRANSLATE_NOOP("FirstPageFor310",
                                                     "The standard's %1 is empty or not a number; nothing was compared.")
                                 : QT_TRANSLATE_NOOP("FirstPageFor310",
                                                     "The sample's %1 is empty or not a number; nothing was compared.");
    m_dialogs.information(m_page, page("Error"), page(text).arg(quantity));
}

bool LiveDisplay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_page && event->type() == QEvent::LanguageChange) {
        Q_EMIT languageChanged();
    }
    return QObject::eventFilter(watched, event);
}

void LiveDisplay::applyDisplayMode(DisplayMode mode)
{
    QTableWidget* current = ui.tableWidget_colorDiff;
    const DisplayModeView view = displayModeView(mode);
    for (int row = 1; row <= kCurrentDeltaERow; ++row) {
        current->setRowHidden(row, !view.displayRows.contains(row));
    }
    // The headings and the rows shown must stay readable; the hidden rows
    // need no room (the window then fits a smaller screen).
    current->setMinimumHeight(FirstPageForm::kDisplayRowHeight * (1 + static_cast<int>(view.displayRows.size())));
}

void LiveDisplay::retranslate()
{
    QTableWidget* current = ui.tableWidget_colorDiff;
    current->item(0, 1)->setText(page("Standard"));
    current->item(0, 2)->setText(page("Sample"));
    current->item(1, 0)->setText(page("Haze"));
    current->item(2, 0)->setText(page("Transmittance"));
    if (QTableWidget* legacy = ui.tbColorDiff) { // once the legacy layout is built
        legacy->item(0, 1)->setText(page("Standard"));
        legacy->item(0, 2)->setText(page("Sample"));
    }
    // The words and the verdict of the comparison shown, from its numbers.
    if (const std::optional<ComparisonRecord>& live = m_session.liveRecord()) {
        showWords(*live);
        showVerdict(live->legacy, live->pass, live->library.warning);
    }
}
