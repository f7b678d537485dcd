#include "InformationPageFor310.h"

#include "InformationFields.h"
#include "ReportPage.h"
#include "ui_InformationPageFor310.h"

InformationPageFor310::InformationPageFor310(ReportPage* report)
    : QDialog(report), ui(std::make_unique<Ui::InformationPageFor310>()), m_report(report)
{
    ui->setupUi(this);
    fillInformationFields(*ui, *report);
}

InformationPageFor310::~InformationPageFor310() = default;

void InformationPageFor310::on_Okbtn_clicked()
{
    m_report->acceptTestInformation(editedInformation(*ui));
    close();
}

void InformationPageFor310::on_Cancelbtn_clicked()
{
    close();
}
