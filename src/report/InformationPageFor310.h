#pragma once
// Test information of a current-layout report: shows the header data and lets
// the operator edit company, tester and auditor.

#include <QDialog>

#include <memory>

class ReportPage;

namespace Ui {
class InformationPageFor310;
}

class InformationPageFor310 : public QDialog
{
    Q_OBJECT
public:
    // A child of its report, filled from the report's fields.
    explicit InformationPageFor310(ReportPage* report);
    ~InformationPageFor310() override;

public Q_SLOTS:
    void on_Okbtn_clicked();
    void on_Cancelbtn_clicked();

private:
    std::unique_ptr<Ui::InformationPageFor310> ui;
    ReportPage* m_report;
};
