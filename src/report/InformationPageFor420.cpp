#include "InformationPageFor420.h"

#include "InformationFields.h"
#include "ReportPage.h"
#include "ui_InformationPageFor420.h"

InformationPageFor420::InformationPageFor420(ReportPage* report)
    : QDialog(report), ui(std::make_unique<Ui::InformationPageFor420>()), m_report(report)
{
    ui->setupUi(this);
    fillInformationFields(*ui, *report);
    ui->FormulaEdit->setText(report->formulaText());
    ui->ThresholdsEdit->setText(report->thresholdText());
}

InformationPageFor420::~InformationPageFor420() = default;

void InformationPageFor420::on_Okbtn_clicked()
{
    m_report->acceptTestInformation(editedInformation(*ui));
    close();
}

void InformationPageFor420::on_Cancelbtn_clicked()
{
    close();
}
