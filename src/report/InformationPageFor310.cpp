#include "InformationPageFor310.h"

#include "ReportPage.h"
#include "ui_InformationPageFor310.h"

InformationPageFor310::InformationPageFor310(ReportPage* report)
    : QDialog(report), ui(std::make_unique<Ui::InformationPageFor310>()), m_report(report)
{
    ui->setupUi(this);
    const ReportSnapshot& s = report->snapshot();
    const TestInformation information = report->testInformation();
    ui->DeviceEdit->setText(report->deviceText());
    ui->serialNoEdit->setText(s.serialNumber);
    ui->CompanyEdit->setText(information.company);
    ui->SampleNameEdit->setText(s.testName);
    ui->TestTimeEdit->setText(s.dateTime);
    ui->TesterEdit->setText(information.tester);
    ui->AuditorEdit->setText(information.auditor);
    ui->CompanyEdit->setFocus();
}

InformationPageFor310::~InformationPageFor310() = default;

void InformationPageFor310::on_Okbtn_clicked()
{
    m_report->acceptTestInformation(
        {ui->CompanyEdit->text(), ui->TesterEdit->text(), ui->AuditorEdit->text()});
    close();
}

void InformationPageFor310::on_Cancelbtn_clicked()
{
    close();
}
