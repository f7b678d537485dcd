#include "InformationPageFor420.h"

#include "ReportPage.h"
#include "ui_InformationPageFor420.h"

InformationPageFor420::InformationPageFor420(ReportPage* report)
    : QDialog(report), ui(std::make_unique<Ui::InformationPageFor420>()), m_report(report)
{
    ui->setupUi(this);
    const ReportSnapshot& s = report->snapshot();
    const TestInformation information = report->testInformation();
    ui->DeviceEdit->setText(report->deviceText());
    ui->serialNoEdit->setText(s.serialNumber);
    ui->CompanyEdit->setText(information.company);
    ui->SampleNameEdit->setText(s.testName);
    ui->FormulaEdit->setText(report->formulaText());
    ui->ThresholdsEdit->setText(report->thresholdText());
    ui->TestTimeEdit->setText(s.dateTime);
    ui->TesterEdit->setText(information.tester);
    ui->AuditorEdit->setText(information.auditor);
    ui->CompanyEdit->setFocus();
}

InformationPageFor420::~InformationPageFor420() = default;

void InformationPageFor420::on_Okbtn_clicked()
{
    m_report->acceptTestInformation(
        {ui->CompanyEdit->text(), ui->TesterEdit->text(), ui->AuditorEdit->text()});
    close();
}

void InformationPageFor420::on_Cancelbtn_clicked()
{
    close();
}
