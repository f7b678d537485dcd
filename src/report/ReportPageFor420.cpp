#include "ReportPageFor420.h"

#include "InformationPageFor420.h"
#include "ui_ReportPageFor420.h"

ReportPageFor420::ReportPageFor420(const ReportSnapshot& snapshot, bool chineseUi, Dialogs& dialogs, QWidget* parent)
    : ReportPage(snapshot, dialogs, parent), ui(std::make_unique<Ui::ReportPageFor420>()), m_chinese(chineseUi)
{
    ui->setupUi(this);
    finishSetup(ui->textBrowser);
}

ReportPageFor420::~ReportPageFor420() = default;

QDialog* ReportPageFor420::createInformationPage()
{
    return new InformationPageFor420(this);
}
