#pragma once
// The fields both test-information dialogs share: the header data of the
// report and the company, tester and auditor the operator edits.

#include "ReportPage.h"

#include <QLineEdit>

template <typename Form>
void fillInformationFields(Form& ui, const ReportPage& report)
{
    const ReportSnapshot& s = report.snapshot();
    const TestInformation information = report.testInformation();
    ui.DeviceEdit->setText(report.deviceText());
    ui.serialNoEdit->setText(s.serialNumber);
    ui.CompanyEdit->setText(information.company);
    ui.SampleNameEdit->setText(s.testName);
    ui.TestTimeEdit->setText(s.dateTime);
    ui.TesterEdit->setText(information.tester);
    ui.AuditorEdit->setText(information.auditor);
    ui.CompanyEdit->setFocus();
}

template <typename Form>
TestInformation editedInformation(const Form& ui)
{
    return {ui.CompanyEdit->text(), ui.TesterEdit->text(), ui.AuditorEdit->text()};
}
