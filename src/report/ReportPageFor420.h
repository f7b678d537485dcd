#pragma once
// The report of one comparison row of the legacy (colorimeter) layout; the
// Chinese UI gets the Chinese report.

#include "ReportHtml.h"
#include "ReportPage.h"

#include <memory>

namespace Ui {
class ReportPageFor420;
}

class ReportPageFor420 : public ReportPage
{
    Q_OBJECT
public:
    ReportPageFor420(const ReportSnapshot& snapshot, bool chineseUi, Dialogs& dialogs, QWidget* parent);
    ~ReportPageFor420() override;

    QString deviceText() const override { return legacyDeviceText(snapshot()); }
    QString formulaText() const override { return snapshot().formulaTextLegacy; }

protected:
    QString buildHtml(const QDateTime& builtAt) const override
    {
        return reportHtmlFor420(snapshot(), m_chinese, builtAt);
    }
    QDialog* createInformationPage() override;

private:
    std::unique_ptr<Ui::ReportPageFor420> ui;
    bool m_chinese;
};
