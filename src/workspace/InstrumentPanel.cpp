#include "InstrumentPanel.h"

#include "StandardPickerPanel.h"

#include "ComparisonRecordList.h"
#include "DataFiles.h"
#include "Dialogs.h"
#include "DialogFeedback.h"
#include "FirstPageForm.h"
#include "Identification.h"
#include "InstrumentState.h"
#include "JournalKeeper.h"
#include "LiveDisplay.h"
#include "MeasurementSession.h"
#include "RecordImport.h"
#include "RecordTables.h"
#include "SettingsExchange.h"
#include "SettingsRules.h"
#include "setEParameterPageFor470.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

namespace {

QString page(const char* text)
{
    return QCoreApplication::translate("FirstPageFor310", text);
}

} // namespace

InstrumentPanel::InstrumentPanel(FirstPageForm& form, LinkAccess& link, Dialogs& dialogs, InstrumentState& state,
                                 MeasurementSession& session, LiveDisplay& display, RecordTables& tables,
                                 QWidget* page)
    : QObject(page), ui(form), m_link(link), m_dialogs(dialogs), m_state(state), m_session(session),
      m_display(display), m_tables(tables), m_page(page)
{
    m_standards = new StandardPickerPanel(form, session, state, link, dialogs, page);
    m_displayModeGroup = new QButtonGroup(this);
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        m_displayModeGroup->addButton(ui.radioButton(mode), mode);
    }
    connect(m_displayModeGroup, &QButtonGroup::idClicked, this, &InstrumentPanel::displayModeChosen);
    // Beside the executable, or in ../share/tintwell of an installed copy.
    m_modelTable = ::loadModelTable(dataFilePath(QStringLiteral("meterno")));
}

bool InstrumentPanel::isLinkOpen() const
{
    return m_link.transport().isLinkOpen();
}

void InstrumentPanel::loadModelTable(const QString& path)
{
    m_modelTable = ::loadModelTable(path);
}

void InstrumentPanel::setChineseUi(bool chinese)
{
    m_state.chineseUi = chinese;
    setSpectralButtonText();
}

void InstrumentPanel::setSpectralButtonText()
{
    const bool reflectance = layoutUsesParameterPage(m_state.layoutIndex);
    QString text;
    if (m_state.chineseUi) {
        text = reflectance ? QStringLiteral("光谱反射率") : QStringLiteral("光谱透过率");
    } else {
        text = reflectance ? QStringLiteral("Spectral reflectance") : QStringLiteral("Spectral transmittance");
    }
    ui.pushButton_spectralTransmittance->setText(text);
}

// ---- identification and layout ------------------------------------------------

bool InstrumentPanel::identifyDevice()
{
    if (!isLinkOpen()) {
        return false;
    }
    IdentificationOutcome outcome;
    {
        LinkLock lock(m_link);
        outcome = identifyInstrument(m_link.transport(), m_modelTable, m_state.layoutIndex);
    }
    using Stage = IdentificationOutcome::Stage;
    if (outcome.stage >= Stage::SerialRead) {
        m_state.serialNumberText = QString::number(outcome.serialNumber);
        ui.lineEdit_serialNo->setText(m_state.serialNumberText);
        m_state.modelName = page("UnKnow");
    }
    if (outcome.stage >= Stage::ModelKnown && outcome.model) {
        m_state.modelName = outcome.model->model;
        m_state.layoutIndex = outcome.model->layoutIndex;
        ui.stackedWidget->setCurrentWidget(layoutUsesParameterPage(m_state.layoutIndex) ? ui.page_eParameter
                                                                                         : ui.page_tolerance);
    }
    if (outcome.stage >= Stage::VersionRead) {
        m_state.softwareVersion = outcome.softwareVersion;
        ui.lineEdit_firmwareVersion->setText(QString::number(m_state.softwareVersion / 100.0, 'f', 2));
        applyLayout(outcome.firstGeneration);
    } else if (outcome.stage >= Stage::SerialRead) {
        // Another instrument answered but its version is unknown: the last
        // one's version must not choose the generation, fetch path or frames.
        m_state.softwareVersion = 0;
        ui.lineEdit_firmwareVersion->clear();
    }
    // Haze/T/Lab is offered once the instrument said which mode it shows.
    const bool displayRead = outcome.displayMode != DisplayMode::None && applyDisplayParameter(outcome.displayMode);
    const int hazeTLab = displayModeIndex(DisplayMode::HazeTLab);
    ui.radioButton(hazeTLab)->setVisible(
        displayRead && layoutWidgetsFor(m_state.layoutIndex, m_state.modelName, m_state.softwareVersion).radioShown[hazeTLab]);
    if (m_tables.journal() && outcome.stage >= Stage::ModelKnown) {
        m_tables.journal()->setSessionInfo(m_state.modelName, m_state.layoutIndex);
    }
    for (const IdentificationBox& box : outcome.boxes) {
        m_dialogs.information(m_page, box.title, box.text);
    }
    return outcome.stage == Stage::Complete;
}

void InstrumentPanel::applyLayout(bool firstGeneration)
{
    const LayoutWidgets shown = layoutWidgetsFor(m_state.layoutIndex, m_state.modelName, m_state.softwareVersion);
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        ui.radioButton(mode)->setVisible(shown.radioShown[std::size_t(mode)]);
    }
    ui.pushButton_setDisplayParameter->setVisible(shown.setDisplayParameterShown);
    ui.label_formula->setVisible(shown.formulaShown);
    ui.lineEdit_formula->setVisible(shown.formulaShown);
    ui.pushButton_spectralTransmittance->setVisible(shown.spectralShown);
    ui.pushButton_writeStandardColor->setVisible(shown.writeStandardColorShown);
    ui.pushButton_loadStandard->setVisible(shown.loadStandardShown);
    setSpectralButtonText();

    // Each page shown below activates every layout up to the window with the
    // minimum of that moment (parts of both layouts shown), and a window grows
    // to it for good: the window's layout waits until the switch is done.
    QWidget* window = m_page->window();
    QLayout* windowLayout = window != m_page ? window->layout() : nullptr;
    const bool windowLayoutEnabled = windowLayout && windowLayout->isEnabled();
    if (windowLayoutEnabled) {
        windowLayout->setEnabled(false);
    }
    QGridLayout* grid = ui.gridLayout_firstPageFor310;
    grid->removeWidget(ui.widget_settingsColumn);
    if (firstGeneration) {
        ui.groupBox_setDisplayParameter->hide();
        ui.stackedWidget_comparisonMeasurement->setCurrentWidget(ui.page_oldComparisonMeasurement);
        ui.stackedWidget_data->setCurrentWidget(ui.page_oldData);
        // Over the rows of the device information and the display, where the
        // display parameter is in the current layout, so the page is no
        // higher than that one.
        grid->addWidget(ui.widget_settingsColumn, 0, 4, 5, 1);
    } else {
        ui.groupBox_setDisplayParameter->show();
        ui.stackedWidget_comparisonMeasurement->setCurrentWidget(ui.page_newComparisonMeasurement);
        ui.stackedWidget_data->setCurrentWidget(ui.page_newData);
        grid->addWidget(ui.widget_settingsColumn, 2, 4, 3, 1);
    }
    m_standards->placeFor(firstGeneration);
    if (windowLayoutEnabled) {
        windowLayout->setEnabled(true);
        windowLayout->invalidate();
    }
}

bool InstrumentPanel::applyDisplayParameter(DisplayMode displayMode)
{
    if (!layoutAcceptsDisplayMode(m_state.layoutIndex, displayMode)) {
        return false;
    }
    m_state.displayMode = displayMode;
    ui.radioButton(displayModeIndex(displayMode))->setChecked(true);
    displayModeChosen(displayModeIndex(displayMode));
    applyDisplayMode();
    return true;
}

void InstrumentPanel::applyDisplayMode()
{
    m_display.applyDisplayMode(m_state.displayMode);
    m_tables.applyDisplayMode();
    applyLoadStandardState();
}

void InstrumentPanel::applyLoadStandardState()
{
    // A file standard has no haze or transmittance: every sample would be
    // refused in the modes that judge them.
    const bool judged = judgesByDeltaEAlone(m_state.displayMode);
    QPushButton* load = ui.pushButton_loadStandard;
    load->setEnabled(judged);
    load->setToolTip(judged ? FirstPageForm::tr("Load the standard from a CGATS (.ti3, .txt) or CxF3 (.cxf) file")
                            : page("A standard from a file has no haze or transmittance: it can be judged only in "
                                   "the Lab, LCh and Yxy modes."));
}

void InstrumentPanel::displayModeChosen(int id)
{
    if (const auto inputs = toleranceInputsFor(displayModeFromIndex(id))) {
        setToleranceInputs(*inputs);
    }
}

void InstrumentPanel::setToleranceInputs(const ToleranceInputs& inputs)
{
    for (QWidget* w : {static_cast<QWidget*>(ui.label_hazeTolerance), static_cast<QWidget*>(ui.lineEdit_hazeTolerance),
                       static_cast<QWidget*>(ui.label_hazeTolerancePercentage)}) {
        w->setVisible(inputs.haze);
    }
    for (QWidget* w : {static_cast<QWidget*>(ui.label_tTolerance), static_cast<QWidget*>(ui.lineEdit_tTolerance),
                       static_cast<QWidget*>(ui.label_tTolerancePercentage)}) {
        w->setVisible(inputs.transmittance);
    }
    ui.label_eThresholds->setVisible(inputs.deltaE);
    ui.lineEdit_eThresholds->setVisible(inputs.deltaE);
}

// ---- the settings panel -----------------------------------------------------------

void InstrumentPanel::readSettingsAfterConnect()
{
    if (!isLinkOpen()) {
        return; // the instrument went away during identification
    }
    // A layout index the model table should not hold (4 or more) reads nothing.
    if (m_state.layoutIndex == 1 || m_state.layoutIndex == 2) {
        readParameter();
    } else if (m_state.layoutIndex == 0 || m_state.layoutIndex == 3) {
        readTolerance();
    }
}

int InstrumentPanel::readTolerance()
{
    DialogFeedback feedback(m_page, m_dialogs);
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return -1;
    }
    const auto read = exchange.readTolerances([this](const Tolerances& t) {
        m_state.hazeTolerance = t.haze;
        m_state.transmittanceTolerance = t.transmittance;
        m_state.deltaEThreshold = t.deltaE;
        ui.lineEdit_hazeTolerance->setText(QString::number(t.haze, 'f', 2));
        ui.lineEdit_tTolerance->setText(QString::number(t.transmittance, 'f', 2));
        ui.lineEdit_eThresholds->setText(QString::number(t.deltaE, 'f', 1));
    });
    return read ? 1 : -1;
}

void InstrumentPanel::setTolerance()
{
    DialogFeedback feedback(m_page, m_dialogs);
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return;
    }
    // What the display mode hides goes back to the instrument as it holds it now.
    const auto field = [](const QLineEdit* edit, double lastRead) {
        return SettingsRules::ToleranceField{edit->text(), !edit->isHidden(), lastRead};
    };
    exchange.setTolerances(field(ui.lineEdit_hazeTolerance, m_state.hazeTolerance),
                           field(ui.lineEdit_tTolerance, m_state.transmittanceTolerance),
                           field(ui.lineEdit_eThresholds, m_state.deltaEThreshold), [this](const Tolerances& t) {
                               m_state.hazeTolerance = t.haze;
                               m_state.transmittanceTolerance = t.transmittance;
                               m_state.deltaEThreshold = t.deltaE;
                               judgeAgain();
                           });
}

int InstrumentPanel::readParameter()
{
    DialogFeedback feedback(m_page, m_dialogs);
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return -1;
    }
    const auto read = exchange.readDeltaEParameter(m_state.isFirstGeneration());
    if (!read) {
        return -1;
    }
    if (read->formulaText) {
        ui.lineEdit_formula->setText(*read->formulaText);
    }
    m_state.deltaEFormulaIndex = read->formulaCode;
    m_state.parameterThreshold = m_state.deltaEThreshold = read->threshold;
    ui.lineEdit_thresholds->setText(QString::number(read->threshold, 'f', 1));
    return 1;
}

void InstrumentPanel::setParameter()
{
    DialogFeedback feedback(m_page, m_dialogs);
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return;
    }
    if (m_state.layoutIndex == 2) {
        if (!exchange.setDeltaEThreshold(ui.lineEdit_thresholds->text())) {
            return;
        }
    } else {
        // The dialog takes the link lock for its write alone: no lock is held
        // while the operator fills it in.
        setEParameterPageFor470 dialog(m_state.softwareVersion, m_state.modelName, m_link, m_dialogs,
                                       m_state.chineseUi, m_page);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    readParameter();
    judgeAgain();
}

void InstrumentPanel::setDisplayParameter()
{
    DialogFeedback feedback(m_page, m_dialogs);
    SettingsExchange exchange(m_link, feedback, m_state.chineseUi);
    if (!exchange.requireConnection()) {
        return;
    }
    if (!m_tables.records().isEmpty()) {
        const DialogButton answer = m_dialogs.message(
            m_page, MessageIcon::Warning, page("Warn"),
            page("The comparison measurement record list data will be cleared. Do you want to continue saving "
                 "the parameter settings?"),
            int(DialogButton::Yes) | int(DialogButton::No));
        if (answer != DialogButton::Yes) {
            return;
        }
    }
    const DisplayMode mode = displayModeFromIndex(m_displayModeGroup->checkedId());
    if (!exchange.setDisplayParameter(mode)) {
        return;
    }
    m_state.displayMode = mode;
    // The operator already agreed to lose the rows: no second question.
    clearWork(false);
    applyDisplayMode();
}

// ---- judging --------------------------------------------------------------------

ComparisonSettings InstrumentPanel::judgingSettings(bool legacy) const
{
    return m_state.judgingSettings(legacy, ui.lineEdit_formula->text(), ui.lineEdit_thresholds->text());
}

ImportSettings InstrumentPanel::importSettings(bool legacy) const
{
    ImportSettings settings;
    settings.judging = judgingSettings(legacy);
    settings.modelName = m_state.modelName;
    settings.serialNumber = ui.lineEdit_serialNo->text();
    settings.totalCountBefore = m_tables.totalCount();
    return settings;
}

void InstrumentPanel::judgeAgain()
{
    const bool legacy = m_state.isFirstGeneration();
    if (const std::optional<ComparisonRecord> live = m_session.judgeLiveAgain(legacy)) {
        m_display.showJudgedAgain(*live);
    }
    m_tables.judgeRowsAgain(judgingSettings(legacy), legacy);
}

void InstrumentPanel::clearWork(bool legacy)
{
    m_display.reset(legacy);
    m_session.reset();
    m_tables.clearRows(legacy);
}
