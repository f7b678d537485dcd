#include "setEParameterPageFor470.h"

#include "DeltaE.h"
#include "DialogFeedback.h"
#include "Dialogs.h"
#include "LinkAccess.h"
#include "SettingsExchange.h"
#include "SettingsRules.h"
#include "ui_setEParameterPageFor470.h"

#include <QButtonGroup>

setEParameterPageFor470::setEParameterPageFor470(int softwareVersion, const QString& modelName, LinkAccess& link,
                                                 Dialogs& dialogs, bool chineseUi, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::setEParameterPageFor470>()), m_softwareVersion(softwareVersion),
      m_modelName(modelName), m_link(link), m_dialogs(dialogs), m_chineseUi(chineseUi),
      m_formulaGroup(new QButtonGroup(this))
{
    ui->setupUi(this);
    const std::array<int, 7> ids =
        SettingsRules::formulaButtonIds(isFirstGenerationColorimeter(m_modelName, m_softwareVersion));
    QRadioButton* const buttons[7] = {ui->formulaBtn_0, ui->formulaBtn_1, ui->formulaBtn_2, ui->formulaBtn_3,
                                      ui->formulaBtn_4, ui->formulaBtn_5, ui->formulaBtn_6};
    for (int i = 0; i < 7; ++i) {
        if (ids[static_cast<std::size_t>(i)] < 0) {
            buttons[i]->hide();
        } else {
            m_formulaGroup->addButton(buttons[i], ids[static_cast<std::size_t>(i)]);
        }
    }
}

setEParameterPageFor470::~setEParameterPageFor470() = default;

int setEParameterPageFor470::selectedFormulaCode() const
{
    return m_formulaGroup->checkedId();
}

void setEParameterPageFor470::on_Okbtn_clicked()
{
    if (!m_link.transport().isLinkOpen()) {
        m_dialogs.information(this, tr("Error"), tr("Please connect the device first!"));
        return;
    }
    DialogFeedback feedback(this, m_dialogs);
    if (SettingsExchange::writeDeltaEParameter(m_link, feedback, m_chineseUi, selectedFormulaCode(),
                                               ui->ThresholdsEdit->text())) {
        accept();
    }
}

void setEParameterPageFor470::on_Cancelbtn_clicked()
{
    reject();
}
