// The workspace page's clears: the Clear buttons of both layouts (the rows go,
// after a question where there are rows to lose) and the clear at an unplug
// (the instrument's fields and the live display go, the rows stay).

#include "FirstPageFor310.h"

#include "ComparisonRecordList.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "InstrumentPanel.h"
#include "LiveDisplay.h"
#include "MeasurementSession.h"
#include "RecordTables.h"

#include <QLineEdit>

void FirstPageFor310::on_pushButton_clear_clicked()
{
    if (m_tables->showsLegacyTable()) {
        on_ClearBtn_clicked();
        return;
    }
    if (!m_tables->records().isEmpty()) {
        const DialogButton answer = m_dialogs.message(
            this, MessageIcon::Question, tr("Tip"),
            tr("Clearing data will clear all comparison records. Are you sure you want to clear it?"),
            static_cast<int>(DialogButton::Yes) | static_cast<int>(DialogButton::No));
        if (answer != DialogButton::Yes) {
            return;
        }
    }
    m_panel->clearWork(false);
}

void FirstPageFor310::on_ClearBtn_clicked()
{
    m_panel->clearWork(true);
}

void FirstPageFor310::clear()
{
    if (m_state.isFirstGeneration()) {
        clear_old();
        return;
    }
    ui->lineEdit_serialNo->clear();
    ui->lineEdit_firmwareVersion->clear();
    m_display->reset(false);
    m_state.hazeTolerance = m_state.transmittanceTolerance = m_state.deltaEThreshold = -1.0;
    m_session->reset(); // with no standard, the next pushed result is one
    ui->lineEdit_hazeTolerance->clear();
    ui->lineEdit_tTolerance->clear();
    ui->lineEdit_eThresholds->clear();
}

void FirstPageFor310::clear_old()
{
    ui->lineEdit_serialNo->clear();
    ui->lineEdit_firmwareVersion->clear();
    m_display->reset(true);
    m_state.deltaEThreshold = -1.0;
    m_session->reset();
}
