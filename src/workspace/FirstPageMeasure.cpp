// Measuring on the workspace page: the scan buttons and their fetch paths,
// and the results the instrument pushes through the receive worker. Each
// hands over to the measuring session, which takes the result and judges the
// comparison; the live display draws what the session announces.

#include "FirstPageFor310.h"

#include "InstrumentPanel.h"
#include "LiveDisplay.h"
#include "MeasurementSession.h"
#include "MyThread.h"

// ---- the receive worker -----------------------------------------------------

void FirstPageFor310::openThreadSlot()
{
    m_session->startReceiving([this](MyThread* worker) {
        connect(worker, &MyThread::senddata, this, &FirstPageFor310::SaveData);
    });
}

void FirstPageFor310::closeThreadSlot()
{
    m_session->stopReceiving();
    // What the worker read before it stopped is still on its way: take it now
    // and show every waiting result, before the link and the workspace go.
    m_display->showArrivedPushed();
    m_session->flushPushed();
}

// ---- the scan buttons -------------------------------------------------------

void FirstPageFor310::on_pushButton_standardMeasurement_clicked()
{
    if (!m_display->startMeasurement(MeasurementSession::Standard, false, m_panel->isLinkOpen())) {
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
    if (!m_display->startMeasurement(MeasurementSession::Sample, false, m_panel->isLinkOpen())) {
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
    if (m_display->startMeasurement(MeasurementSession::Standard, true, m_panel->isLinkOpen())) {
        readstdmeasurement();
    }
}

void FirstPageFor310::on_samplemeasurementBtn_clicked()
{
    if (m_display->startMeasurement(MeasurementSession::Sample, true, m_panel->isLinkOpen())) {
        readsamplemeasurement();
    }
}

void FirstPageFor310::standardValueMeasurement()
{
    m_session->measure(MeasurementSession::Standard, FetchPath::Full);
}

void FirstPageFor310::sampleValueMeasurement()
{
    m_display->commitEdits();
    m_session->measure(MeasurementSession::Sample, FetchPath::Full);
}

// A first-generation colorimeter goes on to the legacy reading.
void FirstPageFor310::readstdmeasurement()
{
    if (m_state.isFirstGeneration()) {
        readstdmeasurement_old();
        return;
    }
    m_session->measure(MeasurementSession::Standard, FetchPath::Block);
}

void FirstPageFor310::readsamplemeasurement()
{
    m_display->commitEdits();
    if (m_state.isFirstGeneration()) {
        readsamplemeasurement_old();
        return;
    }
    m_session->measure(MeasurementSession::Sample, FetchPath::Block);
}

void FirstPageFor310::readstdmeasurement_old()
{
    m_session->measure(MeasurementSession::Standard, FetchPath::Legacy);
}

void FirstPageFor310::readsamplemeasurement_old()
{
    m_session->measure(MeasurementSession::Sample, FetchPath::Legacy);
}

// ---- results pushed by the instrument ------------------------------------------

void FirstPageFor310::SaveData(const QByteArray& chunk)
{
    m_display->commitEdits();
    m_session->takePushed(chunk);
}

void FirstPageFor310::SaveData_old(const QByteArray& chunk)
{
    m_session->takePushedFrames(chunk, PushedFrameFormat::Legacy, true);
}
