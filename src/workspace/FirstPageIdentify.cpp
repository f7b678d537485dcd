// Identification of the attached instrument, when the main window found it.

#include "FirstPageFor310.h"

#include "InstrumentPanel.h"

void FirstPageFor310::onDeviceConnected()
{
    m_panel->identifyDevice();
    m_panel->readSettingsAfterConnect();
}
