// The instrument settings panel of the workspace page: each command hands
// over to the instrument panel, which reads and writes the settings and
// judges the live comparison and every row again after a change.

#include "FirstPageFor310.h"

#include "InstrumentPanel.h"

int FirstPageFor310::on_pushButton_readTolerance_clicked()
{
    return m_panel->readTolerance();
}

void FirstPageFor310::on_pushButton_setTolerance_clicked()
{
    m_panel->setTolerance();
}

int FirstPageFor310::on_pushButton_readParameter_clicked()
{
    return m_panel->readParameter();
}

void FirstPageFor310::on_pushButton_setParameter_clicked()
{
    m_panel->setParameter();
}

void FirstPageFor310::on_pushButton_setDisplayParameter_clicked()
{
    m_panel->setDisplayParameter();
}
