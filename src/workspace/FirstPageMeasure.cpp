// Measuring on the workspace page: the four scan buttons and their fetch
// paths, showing a standard and a sample, the live comparison in both
// layouts, and the results the instrument pushes through the receive worker.

#include "FirstPageFor310.h"

#include "ComparisonDisplay.h"
#include "ComparisonMath.h"
#include "ComparisonRecord.h"
#include "ComparisonRecordList.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "FrameScanner.h"
#include "Frames.h"
#include "VerdictStyle.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

using namespace ComparisonDisplay;

namespace {

Q_LOGGING_CATEGORY(lcMeasure, "tintwell.workspace.measure")

constexpr int kStandard = 1; // nextMeasurement of "Scan Standard"
constexpr int kSample = 2;   // nextMeasurement of "Scan Sample"
constexpr int kCurrentRows = 11;
constexpr int kCurrentDeltaERow = 12;
constexpr int kLegacyRows = 5;
constexpr int kLegacyDeltaERow = 6;

const QString kActiveButton = QStringLiteral("color: rgb(0, 0, 255); background-color: rgb(255, 255, 255);");
const QString kIdleButton = QStringLiteral("color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);");
const QString kGreySwatch = QStringLiteral("background-color: rgb(180, 180, 180);");
const QString kEmptyVerdict = QStringLiteral("QLabel{background-color: rgb(0, 255, 0);}");

template <std::size_t N>
QStringList toList(const std::array<QString, N>& texts)
{
    return QStringList(texts.begin(), texts.end());
}

template <std::size_t N>
std::array<QString, N> toArray(const QStringList& texts)
{
    std::array<QString, N> out;
    for (std::size_t i = 0; i < N && i < static_cast<std::size_t>(texts.size()); ++i) {
        out[i] = texts.at(static_cast<int>(i));
    }
    return out;
}

} // namespace

// ---- the receive worker -----------------------------------------------------

void FirstPageFor310::openThreadSlot()
{
    qCDebug(lcMeasure) << "openThreadSlot";
    if (!m_receiver) {
        m_receiver = std::make_unique<ReceiveWorker>(m_link);
    }
    m_receiver->start([this](MyThread* worker) {
        connect(worker, &MyThread::senddata, this, &FirstPageFor310::SaveData);
    });
}

void FirstPageFor310::closeThreadSlot()
{
    qCDebug(lcMeasure) << "closeThreadSlot";
    if (m_receiver) {
        m_receiver->stop();
    }
    // What the worker read before it stopped is still on its way: take it now
    // and show every waiting result, before the link and the workspace go.
    flushPushed();
}

MyThread* FirstPageFor310::receiveWorker() const
{
    return m_receiver ? m_receiver->worker() : nullptr;
}

// ---- the scan buttons -------------------------------------------------------

bool FirstPageFor310::startMeasurement(int target, bool legacy)
{
    if (!isLinkOpen()) {
        dialogs().information(this, tr("Error"), tr("Please connect the device first!"));
        return false;
    }
    // Results the instrument pushed before this click are shown (and judged)
    // first, against the standard they were taken for.
    showArrivedPushed();
    QTableWidget* display = legacy ? ui->tbColorDiff : ui->tableWidget_colorDiff;
    const int rows = legacy ? kLegacyRows : kCurrentRows;
    const int active = target == kStandard ? kStandardColumn : kSampleColumn;
    const int other = target == kStandard ? kSampleColumn : kStandardColumn;
    markActiveColumn(display, active);
    prepareColumn(target, legacy);
    setColumnColour(display, other, rows, Qt::black);
    QPushButton* standardButton = legacy ? ui->stdmeasurementBtn : ui->pushButton_standardMeasurement;
    QPushButton* sampleButton = legacy ? ui->samplemeasurementBtn : ui->pushButton_sampleMeasurement;
    standardButton->setStyleSheet(target == kStandard ? kActiveButton : kIdleButton);
    sampleButton->setStyleSheet(target == kSample ? kActiveButton : kIdleButton);
    QCoreApplication::processEvents(); // the dashes are painted before the wait
    m_state.nextMeasurement = target;
    return true;
}

void FirstPageFor310::prepareColumn(int target, bool legacy)
{
    QTableWidget* display = legacy ? ui->tbColorDiff : ui->tableWidget_colorDiff;
    const QStringList dashed = repeated(dashes(), legacy ? kLegacyRows : kCurrentRows);
    if (target == kStandard && !legacy) {
        setEdits(display, kStandardColumn, dashed, Qt::blue);
    } else {
        setItems(display, target == kStandard ? kStandardColumn : kSampleColumn, dashed, Qt::blue);
    }
}

void FirstPageFor310::on_pushButton_standardMeasurement_clicked()
{
    if (!startMeasurement(kStandard, false)) {
        return;
    }
    if (fetchPathFor(m_state.modelName, m_state.softwareVersion) == FetchPath::Block) {
        readstdmeasurement();
    } else {
        standardValueMeasurement();
    }
}

void FirstPageFor310::on_pushButton_sampleMeasurement_clicked()
{
    if (!startMeasurement(kSample, false)) {
        return;
    }
    if (fetchPathFor(m_state.modelName, m_state.softwareVersion) == FetchPath::Block) {
        readsamplemeasurement();
    } else {
        sampleValueMeasurement();
    }
}

void FirstPageFor310::on_stdmeasurementBtn_clicked()
{
    if (startMeasurement(kStandard, true)) {
        readstdmeasurement();
    }
}

void FirstPageFor310::on_samplemeasurementBtn_clicked()
{
    if (startMeasurement(kSample, true)) {
        readsamplemeasurement();
    }
}

void FirstPageFor310::standardValueMeasurement()
{
    measure(kStandard, FetchPath::Full);
}

void FirstPageFor310::sampleValueMeasurement()
{
    measure(kSample, FetchPath::Full);
}

void FirstPageFor310::readstdmeasurement()
{
    measure(kStandard, isFirstGeneration() ? FetchPath::Legacy : FetchPath::Block);
}

void FirstPageFor310::readsamplemeasurement()
{
    measure(kSample, isFirstGeneration() ? FetchPath::Legacy : FetchPath::Block);
}

void FirstPageFor310::readstdmeasurement_old()
{
    measure(kStandard, FetchPath::Legacy);
}

void FirstPageFor310::readsamplemeasurement_old()
{
    measure(kSample, FetchPath::Legacy);
}

void FirstPageFor310::measure(int target, FetchPath path)
{
    ColorReading reading;
    int result = ProtocolResult::SendFailed;
    {
        LinkLock lock(m_link);
        result = fetchMeasurement(m_link.transport(), path, m_state.displayMode(), reading);
    }
    if (result != ProtocolResult::Success) {
        qCDebug(lcMeasure) << "measurement failed:" << result;
        if (target == kStandard) {
            // The standard column shows dashes now: no sample is compared with them.
            m_state.standardTaken = false;
        }
        dialogs().information(this, tr("Error"), tr("Failed to read measurement data!"));
        return;
    }
    const bool legacy = path == FetchPath::Legacy;
    if (target == kStandard) {
        legacy ? showStandard_old(reading) : showStandard(reading);
        return;
    }
    legacy ? showSample_old(reading) : showSample(reading);
    if (m_state.standardTaken) {
        legacy ? compareSample_old() : compareSample();
    }
}

// ---- showing ------------------------------------------------------------------

void FirstPageFor310::showStandard(const ColorReading& reading)
{
    QTableWidget* display = ui->tableWidget_colorDiff;
    setEdits(display, kStandardColumn, toList(currentLayoutTexts(reading)), Qt::blue);
    ui->groupBox_standardMeasurement->setStyleSheet(swatchStyleSheet(reading.red, reading.green, reading.blue));
    m_state.standardTaken = true;
    // A new standard starts a new comparison.
    setItems(display, kSampleColumn, repeated(dashes(), kCurrentDeltaERow), Qt::black);
    display->item(kCurrentDeltaERow, kSampleColumn)->setText(QString());
    clearJudgement(false);
    ui->groupBox_sampleMeasurement->setStyleSheet(kGreySwatch);
    ui->pushButton_sampleMeasurement->setStyleSheet(kIdleButton);
}

void FirstPageFor310::showStandard_old(const ColorReading& reading)
{
    QTableWidget* display = ui->tbColorDiff;
    setItems(display, kStandardColumn, toList(legacyLayoutTexts(reading)), Qt::blue);
    ui->stdBtnGroubox->setStyleSheet(swatchStyleSheet(reading.red, reading.green, reading.blue));
    m_state.standardTaken = true;
    setItems(display, kSampleColumn, repeated(dashes(), kLegacyDeltaERow), Qt::black);
    display->item(kLegacyDeltaERow, kSampleColumn)->setText(QString());
    clearJudgement(true);
    ui->sampBtnGroubox->setStyleSheet(kGreySwatch);
    ui->samplemeasurementBtn->setStyleSheet(kIdleButton);
}

void FirstPageFor310::showSample(const ColorReading& reading)
{
    setItems(ui->tableWidget_colorDiff, kSampleColumn, toList(currentLayoutTexts(reading)), Qt::blue);
    ui->groupBox_sampleMeasurement->setStyleSheet(swatchStyleSheet(reading.red, reading.green, reading.blue));
}

void FirstPageFor310::showSample_old(const ColorReading& reading)
{
    setItems(ui->tbColorDiff, kSampleColumn, toList(legacyLayoutTexts(reading)), Qt::blue);
    ui->sampBtnGroubox->setStyleSheet(swatchStyleSheet(reading.red, reading.green, reading.blue));
}

// ---- comparing ----------------------------------------------------------------

// The differences, deviation words, delta-E and verdict back to "not judged".
void FirstPageFor310::clearJudgement(bool legacy)
{
    QTableWidget* display = legacy ? ui->tbColorDiff : ui->tableWidget_colorDiff;
    const int deltaERow = legacy ? kLegacyDeltaERow : kCurrentDeltaERow;
    for (int column = kDifferenceColumn; column <= kWordColumn; ++column) {
        setItems(display, column, repeated(dashes(), deltaERow), Qt::black);
    }
    // The word cells beside C*/h (and beside delta-E) stay blank.
    const int firstBlank = legacy ? 4 : 7;
    for (int row : {firstBlank, firstBlank + 1, deltaERow}) {
        display->item(row, kWordColumn)->setText(QString());
    }
    QLabel* verdict = legacy ? ui->resultlab : ui->label_result;
    verdict->setText(QString());
    verdict->setStyleSheet(kEmptyVerdict);
}

void FirstPageFor310::refuseComparison(QTableWidget* display, int badStandardIndex, int badSampleIndex)
{
    const int row = (badStandardIndex >= 0 ? badStandardIndex : badSampleIndex) + 1;
    const QString quantity = cellText(display, row, 0);
    qCDebug(lcMeasure) << "comparison refused at row" << row;
    if (badStandardIndex >= 0) {
        dialogs().information(this, tr("Error"),
                              tr("The standard's %1 is empty or not a number; nothing was compared.")
                                  .arg(quantity));
    } else {
        dialogs().information(this, tr("Error"),
                              tr("The sample's %1 is empty or not a number; nothing was compared.")
                                  .arg(quantity));
    }
}

CurrentComparisonInput FirstPageFor310::liveComparisonInput() const
{
    const QTableWidget* display = ui->tableWidget_colorDiff;
    CurrentComparisonInput input;
    input.standardTexts = toArray<ComparisonRecord::ValueCount>(columnTexts(display, kStandardColumn, kCurrentRows));
    input.sampleTexts = toArray<ComparisonRecord::ValueCount>(columnTexts(display, kSampleColumn, kCurrentRows));
    input.displayFlags = m_state.displayFlags;
    input.tolerances = m_state.tolerances();
    input.layoutIndex = m_state.layoutIndex;
    input.formulaCode = m_state.deltaEFormulaIndex;
    input.parameterThreshold = m_state.parameterThreshold;
    input.formulaText = ui->lineEdit_formula->text();
    return input;
}

LegacyComparisonInput FirstPageFor310::liveLegacyComparisonInput() const
{
    const QTableWidget* display = ui->tbColorDiff;
    LegacyComparisonInput input;
    input.standardTexts = toArray<ComparisonRecord::LegacyCount>(columnTexts(display, kStandardColumn, kLegacyRows));
    input.sampleTexts = toArray<ComparisonRecord::LegacyCount>(columnTexts(display, kSampleColumn, kLegacyRows));
    input.formulaCode = m_state.deltaEFormulaIndex;
    input.deltaEThreshold = m_state.deltaEThreshold;
    input.formulaText = ui->lineEdit_formula->text();
    input.thresholdText = ui->lineEdit_thresholds->text();
    return input;
}

ComparisonSettings FirstPageFor310::judgingSettings(bool legacy) const
{
    ComparisonSettings s;
    s.deltaEThreshold = m_state.deltaEThreshold;
    s.formulaCode = m_state.deltaEFormulaIndex;
    s.formulaText = ui->lineEdit_formula->text();
    if (legacy) {
        s.thresholdText = ui->lineEdit_thresholds->text();
        return s;
    }
    s.hazeTolerance = m_state.hazeTolerance;
    s.transmittanceTolerance = m_state.transmittanceTolerance;
    s.parameterThreshold = m_state.parameterThreshold;
    s.displayMode = m_state.displayMode();
    s.layoutIndex = m_state.layoutIndex;
    return s;
}

void FirstPageFor310::compareSample()
{
    QTableWidget* display = ui->tableWidget_colorDiff;
    const ComparisonOutcome outcome = compareCurrent(liveComparisonInput());
    if (outcome.refused) {
        // Nothing of an earlier comparison stays beside this sample.
        clearJudgement(false);
        refuseComparison(display, outcome.badStandardIndex, outcome.badSampleIndex);
        return;
    }
    for (int row = 1; row <= kCurrentRows; ++row) {
        setCellText(display, row, kDifferenceColumn, outcome.differenceTexts.at(row - 1));
    }
    for (int i = 0; i < 3; ++i) {
        setCellText(display, 3 + i, kWordColumn, outcome.words[static_cast<std::size_t>(i)]);
    }
    setCellText(display, kCurrentDeltaERow, kDifferenceColumn, outcome.deltaEText);
    setColumnColour(display, kWordColumn, kCurrentDeltaERow, Qt::black);
    m_state.deltaEThreshold = outcome.deltaEThreshold;

    ui->label_result->setText(verdictText(outcome.verdict));
    ui->label_result->setStyleSheet(verdictLabelStyle(outcome.verdict));
    addCompared(outcome.result, false);
}

void FirstPageFor310::compareSample_old()
{
    QTableWidget* display = ui->tbColorDiff;
    const ComparisonOutcome outcome = compareLegacy(liveLegacyComparisonInput());
    if (outcome.refused) {
        clearJudgement(true);
        refuseComparison(display, outcome.badStandardIndex, outcome.badSampleIndex);
        return;
    }
    for (int row = 1; row <= kLegacyRows; ++row) {
        setCellText(display, row, kDifferenceColumn, outcome.differenceTexts.at(row - 1));
    }
    for (int i = 0; i < 3; ++i) {
        setCellText(display, 1 + i, kWordColumn, outcome.words[static_cast<std::size_t>(i)]);
    }
    setCellText(display, kLegacyDeltaERow, kDifferenceColumn, outcome.deltaEText);
    setColumnColour(display, kWordColumn, kLegacyDeltaERow, Qt::black);

    ui->resultlab->setText(verdictText(outcome.verdict));
    ui->resultlab->setStyleSheet(verdictLabelStyle(outcome.verdict));
    addCompared(outcome.result, true);
}

void FirstPageFor310::addCompared(ComparisonRecord record, bool legacy)
{
    // NO and name follow the table the row joins, not the other one's rows.
    ComparisonRecordList& list = legacy ? *m_legacyRecords : *m_records;
    if (!joinsTable(legacy, record.settings.displayMode)) {
        return;
    }
    record.sequence = list.size() + 1;
    record.testName = QStringLiteral("Comp%1").arg(list.takeNameNumber());
    record.time = QDateTime::currentDateTime();
    record.modelName = m_state.modelName;
    record.serialNumber = ui->lineEdit_serialNo->text();
    addComparisonRows({record}, legacy);
}

// ---- results pushed by the instrument ------------------------------------------

void FirstPageFor310::SaveData(const QByteArray& chunk)
{
    if (isFirstGeneration()) {
        SaveData_old(chunk);
        return;
    }
    takePushedFrames(chunk, static_cast<int>(pushedFrameFormat(m_state.modelName, m_state.softwareVersion)), false);
}

void FirstPageFor310::SaveData_old(const QByteArray& chunk)
{
    takePushedFrames(chunk, static_cast<int>(PushedFrameFormat::Legacy), true);
}

void FirstPageFor310::takePushedFrames(const QByteArray& chunk, int format, bool legacy)
{
    pushedData.append(chunk);
    const PushedScan scan = scanPushedFrames(pushedData, static_cast<PushedFrameFormat>(format));
    // Done with before anything is shown: only what can still begin a frame waits.
    pushedData.remove(0, scan.consumed);
    bool dropped = false;
    for (const PushedFrame& frame : scan.frames) {
        PushedResult result;
        if (!readingFromPushedFrame(frame, m_state.displayMode(), result.reading)) {
            qCDebug(lcMeasure) << "pushed frame dropped: block" << frame.blockNumber << "in display mode"
                               << m_state.displayMode();
            dropped = true;
            continue;
        }
        if (m_state.nextMeasurement != kStandard && m_state.nextMeasurement != kSample) {
            continue;
        }
        result.target = m_state.nextMeasurement;
        result.legacy = legacy;
        m_pushedQueue.append(result);
    }
    showNextPushed();
    if (dropped) {
        // A measurement was taken and is not shown: said as a failed fetch is.
        dialogs().information(this, tr("Error"), tr("Failed to read measurement data!"));
    }
}

// Results are shown one after another: dashes first, the values after the
// pause. Results arriving meanwhile wait their turn, in the order they came.
void FirstPageFor310::showNextPushed()
{
    if (!m_pushedTimer) {
        m_pushedTimer = new QTimer(this);
        m_pushedTimer->setSingleShot(true);
        connect(m_pushedTimer, &QTimer::timeout, this, [this] {
            if (!m_pushedQueue.isEmpty()) {
                showPushed(m_pushedQueue.takeFirst());
            }
            showNextPushed();
        });
    }
    if (m_pushedTimer->isActive() || m_pushedQueue.isEmpty()) {
        return;
    }
    const PushedResult& next = m_pushedQueue.first();
    prepareColumn(next.target, next.legacy);
    m_pushedTimer->start(pushedDisplayPauseMs);
}

void FirstPageFor310::showPushed(const PushedResult& result)
{
    if (result.target == kStandard) {
        result.legacy ? showStandard_old(result.reading) : showStandard(result.reading);
        return;
    }
    result.legacy ? showSample_old(result.reading) : showSample(result.reading);
    if (m_state.standardTaken) {
        result.legacy ? compareSample_old() : compareSample();
    }
}

void FirstPageFor310::showArrivedPushed()
{
    // What the worker has read is still on its way as queued calls: take it.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (m_pushedTimer) {
        m_pushedTimer->stop();
    }
    while (!m_pushedQueue.isEmpty()) {
        showPushed(m_pushedQueue.takeFirst());
    }
}

void FirstPageFor310::flushPushed()
{
    showArrivedPushed();
    pushedData.clear();
}
