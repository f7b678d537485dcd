#pragma once
// The records of every station in the station database: filters, the records
// found, their statistics, and a CSV export. The query runs on a thread of
// its own behind a progress dialog that can cancel it. "Statistics" shows the
// statistics and control chart of the records found in the workspace's
// statistics window; the export writes CSV, a workbook or CGATS.

#include "StationConfig.h"
#include "StationHistory.h"

#include <QDialog>
#include <QPointer>

#include <atomic>
#include <memory>

class BatchReportDialog;
class ComparisonRecordList;
class StatisticsWindow;
class QComboBox;
class Dialogs;
class QLabel;
class QLineEdit;
class ProgressDialog;
class QTableWidget;
class QTimer;

class HistoryWindow : public QDialog
{
    Q_OBJECT
public:
    // config: with the password. The query's progress and the export's
    // questions go through dialogs, which must outlive the window.
    HistoryWindow(StationConfig config, Dialogs& dialogs, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    HistoryFilter filter() const;
    const QList<HistoryRow>& rows() const { return m_rows; }
    QString statisticsText() const;
    bool exportCsv(const QString& path) const;
    bool exportWorkbook(const QString& path) const;
    // Records with L*a*b* only; false (and *error) when none has them.
    bool exportCgats(const QString& path, QString* error) const;
    // The records found, as the statistics window follows them.
    const ComparisonRecordList& records() const { return *m_records; }
    // Opens (or raises) the statistics window of the records found.
    StatisticsWindow* showStatistics();
    // The batch report of the rows selected, or of every row found when none is.
    BatchReportDialog* showBatchReport();

public Q_SLOTS:
    void query();

Q_SIGNALS:
    // The query ended: found, cancelled, or failed with the server's message.
    void finished(bool ok, const QString& message);

private:
    void showResult(bool ok, const QString& message, const QList<HistoryRow>& rows, const HistoryStatistics& s);
    void exportClicked();
    QList<QStringList> exportRows() const;

    StationConfig m_config;
    Dialogs& m_dialogs;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_stations;
    QLineEdit* m_model;
    QLineEdit* m_standard;
    QLineEdit* m_name;
    QComboBox* m_verdict;
    QTableWidget* m_table;
    QLabel* m_statistics;
    QList<HistoryRow> m_rows;
    ComparisonRecordList* m_records;
    QPointer<StatisticsWindow> m_statisticsWindow;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::unique_ptr<ProgressDialog> m_progress;
    std::unique_ptr<QTimer> m_poll;
};
