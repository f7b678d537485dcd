// Identification of the attached instrument and the layout it is served by.

#include "FirstPageFor310.h"

#include "Dialogs.h"
#include "FirstPageForm.h"
#include "Identification.h"
#include "JournalKeeper.h"

#include <QGridLayout>
#include <QLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

void FirstPageFor310::onDeviceConnected()
{
    identifyDevice();
    readSettingsAfterConnect();
}

bool FirstPageFor310::identifyDevice()
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
        ui->lineEdit_serialNo->setText(m_state.serialNumberText);
        m_state.modelName = tr("UnKnow");
    }
    if (outcome.stage >= Stage::ModelKnown && outcome.model) {
        m_state.modelName = outcome.model->model;
        m_state.layoutIndex = outcome.model->layoutIndex;
        ui->stackedWidget->setCurrentWidget(layoutUsesParameterPage(m_state.layoutIndex) ? ui->page_eParameter
                                                                                : ui->page_tolerance);
    }
    if (outcome.stage >= Stage::VersionRead) {
        m_state.softwareVersion = outcome.softwareVersion;
        ui->lineEdit_firmwareVersion->setText(QString::number(m_state.softwareVersion / 100.0, 'f', 2));
        applyLayout(outcome.firstGeneration);
    } else if (outcome.stage >= Stage::SerialRead) {
        // Another instrument answered but its version is unknown: the last
        // one's version must not choose the generation, fetch path or frames.
        m_state.softwareVersion = 0;
        ui->lineEdit_firmwareVersion->clear();
    }
    // Haze/T/Lab is offered once the instrument said which mode it shows.
    const bool displayRead = outcome.displayMode >= 0 && applyDisplayParameter(outcome.displayMode);
    ui->radioButton(6)->setVisible(displayRead
                                   && layoutWidgetsFor(m_state.layoutIndex, m_state.modelName, m_state.softwareVersion).radioShown[6]);
    if (m_journal && outcome.stage >= Stage::ModelKnown) {
        m_journal->setSessionInfo(m_state.modelName, m_state.layoutIndex);
    }
    for (const IdentificationBox& box : outcome.boxes) {
        dialogs().information(this, box.title, box.text);
    }
    return outcome.stage == Stage::Complete;
}

void FirstPageFor310::applyLayout(bool firstGeneration)
{
    const LayoutWidgets shown = layoutWidgetsFor(m_state.layoutIndex, m_state.modelName, m_state.softwareVersion);
    for (int mode = 0; mode < 7; ++mode) {
        ui->radioButton(mode)->setVisible(shown.radioShown[mode]);
    }
    ui->pushButton_setDisplayParameter->setVisible(shown.setDisplayParameterShown);
    ui->label_formula->setVisible(shown.formulaShown);
    ui->lineEdit_formula->setVisible(shown.formulaShown);
    ui->pushButton_spectralTransmittance->setVisible(shown.spectralShown);
    ui->pushButton_writeStandardColor->setVisible(shown.writeStandardColorShown);
    ui->pushButton_loadStandard->setVisible(shown.loadStandardShown);
    setSpectralButtonText();

    // Each page shown below activates every layout up to the window with the
    // minimum of that moment (parts of both layouts shown), and a window grows
    // to it for good: the window's layout waits until the switch is done.
    QLayout* windowLayout = window() != this ? window()->layout() : nullptr;
    const bool windowLayoutEnabled = windowLayout && windowLayout->isEnabled();
    if (windowLayoutEnabled) {
        windowLayout->setEnabled(false);
    }
    QGridLayout* grid = ui->gridLayout_firstPageFor310;
    grid->removeWidget(ui->stackedWidget);
    if (firstGeneration) {
        ui->groupBox_setDisplayParameter->hide();
        ui->stackedWidget_comparisonMeasurement->setCurrentWidget(ui->page_oldComparisonMeasurement);
        ui->stackedWidget_data->setCurrentWidget(ui->page_oldData);
        // Over the rows of the device information and the display's top,
        // where the display parameter is in the current layout, so the page
        // is no higher than that one.
        grid->addWidget(ui->stackedWidget, 0, 4, 2, 1);
    } else {
        ui->groupBox_setDisplayParameter->show();
        ui->stackedWidget_comparisonMeasurement->setCurrentWidget(ui->page_newComparisonMeasurement);
        ui->stackedWidget_data->setCurrentWidget(ui->page_newData);
        grid->addWidget(ui->stackedWidget, 2, 4, 3, 1);
    }
    if (windowLayoutEnabled) {
        windowLayout->setEnabled(true);
        windowLayout->invalidate();
    }
}

bool FirstPageFor310::applyDisplayParameter(int displayMode)
{
    if (!layoutAcceptsDisplayMode(m_state.layoutIndex, displayMode)) {
        return false;
    }
    m_state.displayFlags = displayFlagsFor(displayMode);
    ui->radioButton(displayMode)->setChecked(true);
    onButtonClicked(displayMode);
    applyDisplayMode();
    return true;
}
