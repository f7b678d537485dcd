#include "FirstPageFor310.h"
#include "StartupTrace.h"

#include "ComparisonRecord.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "InstrumentPanel.h"
#include "LiveDisplay.h"
#include "MeasurementSession.h"
#include "ReadingsPanel.h"
#include "RecordTables.h"
#include "WorkspaceRules.h"

#include <QDoubleValidator>
#include <QLabel>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

#include <numeric>

namespace {

// The live display's last row: delta-E (its standard cell stays empty).
constexpr int kDeltaERow = 12;

} // namespace

FirstPageFor310::FirstPageFor310(LinkAccess& link, Dialogs& dialogs, QWidget* parent, HiddenParts hiddenParts)
    : QWidget(parent), ui(std::make_shared<FirstPageForm>()), m_link(link), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FirstPageFor310"));
    startupTrace::mark("page: begin");
    ui->setupUi(this);
    startupTrace::mark("page: form");
    ui->label_eThresholds->hide();
    ui->lineEdit_eThresholds->hide();

    m_session = new MeasurementSession(m_link, m_state, this);
    m_display = new LiveDisplay(*ui, *m_session, m_dialogs, this);
    m_tables = new RecordTables(*ui, m_dialogs, m_state, this);
    m_panel = new InstrumentPanel(*ui, m_link, m_dialogs, m_state, *m_session, *m_display, *m_tables, this);
    m_session->setSettingsSource([this](bool legacy) { return m_panel->judgingSettings(legacy); });
    auto* readings = new ReadingsPanel(*ui, *m_session, m_state, this); // several readings per specimen

    // Only the rows the display mode shows get their standard's edit now; the
    // others come with the hidden parts.
    m_display->setUpCurrent(displayModeView(m_state.displayMode).displayRows);
    startupTrace::mark("page: displays");
    m_tables->setUpCurrent();
    startupTrace::mark("page: tables");
    m_panel->applyDisplayMode();
    startupTrace::mark("page: display mode");

    // The display draws what the session announces; a judged comparison becomes a row.
    connect(m_session, &MeasurementSession::preparing, m_display, &LiveDisplay::prepare);
    connect(m_session, &MeasurementSession::standardShown, m_display, &LiveDisplay::showStandard);
    connect(m_session, &MeasurementSession::sampleShown, m_display, &LiveDisplay::showSample);
    connect(m_session, &MeasurementSession::refused, m_display, &LiveDisplay::refuse);
    connect(m_session, &MeasurementSession::compared, this, [this](const ComparisonRecord& record) {
        m_display->showComparison(record);
        m_tables->addCompared(record);
    });
    connect(m_session, &MeasurementSession::measurementFailed, this,
            [this] { m_dialogs.information(this, tr("Error"), tr("Failed to read measurement data!")); });
    // The rows' buttons and double clicks come in through the page's slots.
    connect(m_tables, &RecordTables::rowButtonClicked, this, [this](bool legacy, bool report) {
        if (report) {
            legacy ? on_ReportBtn_clicked_old() : on_ReportBtn_clicked();
        } else {
            legacy ? on_DeleteBtn_clicked_old() : on_DeleteBtn_clicked();
        }
    });
    connect(m_tables, &RecordTables::cellDoubleClicked, this, [this](bool legacy, int row, int column) {
        legacy ? doubleClickedSlot_old(row, column) : doubleClickedSlot(row, column);
    });
    // A new catalogue in force: the page's texts again.
    connect(m_display, &LiveDisplay::languageChanged, this, &FirstPageFor310::languageChange);
    connect(m_display, &LiveDisplay::languageChanged, readings, &ReadingsPanel::retranslate);
    installEventFilter(m_display);

    auto* toleranceValidator = new QDoubleValidator(0, 100, 2, this);
    toleranceValidator->setNotation(QDoubleValidator::StandardNotation);
    ui->lineEdit_hazeTolerance->setValidator(toleranceValidator);
    ui->lineEdit_tTolerance->setValidator(toleranceValidator);
    auto* thresholdValidator = new QDoubleValidator(0, 50, 1, this);
    thresholdValidator->setNotation(QDoubleValidator::StandardNotation);
    ui->lineEdit_eThresholds->setValidator(thresholdValidator);
    m_panel->setSpectralButtonText();
    QMetaObject::connectSlotsByName(this);
    if (hiddenParts == HiddenParts::Now) {
        buildHiddenParts();
    }
}

void FirstPageFor310::buildHiddenParts()
{
    // By hand: the page's slots are connected by name before these exist.
    if (!ui->tbData) {
        ui->setupLegacyUi();
        m_display->setUpLegacy();
        m_tables->setUpLegacy();
        connect(ui->stdmeasurementBtn, &QPushButton::clicked, this, &FirstPageFor310::on_stdmeasurementBtn_clicked);
        connect(ui->loadstdBtn, &QPushButton::clicked, this, &FirstPageFor310::on_loadstdBtn_clicked);
        connect(ui->samplemeasurementBtn, &QPushButton::clicked, this,
                &FirstPageFor310::on_samplemeasurementBtn_clicked);
    }
    if (!ui->page_eParameter) {
        ui->setupParameterUi();
        connect(ui->pushButton_setParameter, &QPushButton::clicked, this,
                &FirstPageFor310::on_pushButton_setParameter_clicked);
        connect(ui->pushButton_readParameter, &QPushButton::clicked, this,
                &FirstPageFor310::on_pushButton_readParameter_clicked);
    }
    QList<int> everyRow(kDeltaERow);
    std::iota(everyRow.begin(), everyRow.end(), 1);
    m_display->completeStandardEdits(everyRow);
}

void FirstPageFor310::onButtonClicked(int id)
{
    m_panel->displayModeChosen(id);
}

void FirstPageFor310::languageChange()
{
    const QString serial = ui->lineEdit_serialNo->text();
    const QString version = ui->lineEdit_firmwareVersion->text();
    retranslate();
    ui->lineEdit_serialNo->setText(serial);
    ui->lineEdit_firmwareVersion->setText(version);
    // The live displays' fixed items, words and verdict, from the numbers shown.
    m_display->retranslate();
}

void FirstPageFor310::retranslate()
{
    ui->retranslateUi();
    m_tables->retranslate();
    m_panel->setSpectralButtonText();
    m_panel->applyLoadStandardState(); // its tooltip says why when it is off
}
