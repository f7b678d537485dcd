#pragma once
// The modal dialog in which the operator chooses the colour-difference
// formula and threshold of a colorimeter and writes them. It holds the link
// lock for its write alone (not while the operator fills it in, nor across
// its boxes); its boxes go through the modal seam it is given.

#include <QDialog>

#include <memory>

class Dialogs;
class LinkAccess;
class QButtonGroup;

namespace Ui {
class setEParameterPageFor470;
}

class setEParameterPageFor470 : public QDialog
{
    Q_OBJECT
public:
    // softwareVersion in hundredths; a first-generation colorimeter offers six
    // formulas and numbers "△E*00" 5.
    setEParameterPageFor470(int softwareVersion, const QString& modelName, LinkAccess& link, Dialogs& dialogs,
                            bool chineseUi, QWidget* parent = nullptr);
    ~setEParameterPageFor470() override;

    // The formula code of the selected button.
    int selectedFormulaCode() const;

public Q_SLOTS:
    void on_Okbtn_clicked();
    void on_Cancelbtn_clicked();

private:
    std::unique_ptr<Ui::setEParameterPageFor470> ui;
    int m_softwareVersion;
    QString m_modelName;
    LinkAccess& m_link;
    Dialogs& m_dialogs;
    bool m_chineseUi;
    QButtonGroup* m_formulaGroup;
};
