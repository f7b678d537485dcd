#pragma once
// The report of one comparison row of the current layout.

#include "ReportHtml.h"
#include "ReportPage.h"

#include <memory>

namespace Ui {
class ReportPageFor310;
}

class ReportPageFor310 : public ReportPage
{
    Q_OBJECT
public:
    ReportPageFor310(const ReportSnapshot& snapshot, int layoutIndex, Dialogs& dialogs, QWidget* parent);
    ~ReportPageFor310() override;

    QString formulaText() const override { return snapshot().formulaText; }

protected:
    QString buildHtml(const QDateTime& builtAt) const override
    {
        return reportHtmlFor310(snapshot(), m_layoutIndex, builtAt);
    }
    QDialog* createInformationPage() override;

private:
    std::unique_ptr<Ui::ReportPageFor310> ui;
    int m_layoutIndex;
};
