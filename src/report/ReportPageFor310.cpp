#include "ReportPageFor310.h"

#include "InformationPageFor310.h"
#include "ui_ReportPageFor310.h"

ReportPageFor310::ReportPageFor310(const ReportSnapshot& snapshot, int layoutIndex, Dialogs& dialogs, QWidget* parent)
    : ReportPage(snapshot, dialogs, parent), ui(std::make_unique<Ui::ReportPageFor310>()), m_layoutIndex(layoutIndex)
{
    ui->setupUi(this);
    finishSetup(ui->textBrowser);
}

ReportPageFor310::~ReportPageFor310() = default;

QDialog* ReportPageFor310::createInformationPage()
{
    return new InformationPageFor310(this);
}
