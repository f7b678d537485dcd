#pragma once
// Test information of a legacy-layout report: shows the header data with the
// formula and threshold, and lets the operator edit company, tester and auditor.

#include <QDialog>

#include <memory>

class ReportPage;

namespace Ui {
class InformationPageFor420;
}

class InformationPageFor420 : public QDialog
{
    Q_OBJECT
public:
    // A child of its report, filled from the report's fields.
    explicit InformationPageFor420(ReportPage* report);
    ~InformationPageFor420() override;

public Q_SLOTS:
    void on_Okbtn_clicked();
    void on_Cancelbtn_clicked();

private:
    std::unique_ptr<Ui::InformationPageFor420> ui;
    ReportPage* m_report;
};
