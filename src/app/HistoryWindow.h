#pragma once
// The history: the records of every station in the station database, or of
// this computer's journal (HistorySource): filters, the records found, their
// statistics, and a CSV export. The query runs on a thread of its own behind
// a progress dialog that can cancel it; a source that gives pages shows the
// first at once and "More rows" fetches the next. "Statistics" shows the
// statistics and control chart of the records found in the workspace's
// statistics window; the export writes CSV, a workbook or CGATS.

#include "HistorySource.h"

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
class QPushButton;
class ProgressDialog;
class QTableWidget;
class QTimer;

class HistoryWindow : public QDialog
{
    Q_OBJECT
public:
    // The query's progress and the export's questions go through dialogs,
    // which must outlive the window.
    HistoryWindow(std::unique_ptr<HistorySource> source, Dialogs& dialogs, QWidget* parent = nullptr);
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

    // A full page came back: more rows may follow.
    bool hasMore() const { return m_more; }
    // At most this many rows are held for the statistics, the export and the report.
    static constexpr int kMaxShownRows = 100000;

public Q_SLOTS:
    void query();
    // The next page of the same query.
    void fetchMore();
    // Every row of the same query still to come, up to kMaxShownRows, so
    // the statistics window, the export and the batch report take the whole
    // selection.
    void fetchAll();

Q_SIGNALS:
    // The query ended: found, cancelled, or failed with the server's message.
    void finished(bool ok, const QString& message);
    // The statistics of the whole selection arrived (after the rows).
    void statisticsShown();

private:
    void run(const HistoryFilter& f, qint64 offset, bool withStatistics, bool all = false);
    void showResult(bool ok, const QString& message, const QList<HistoryRow>& rows, bool append, bool more);
    void showStatisticsText(const HistoryStatistics& s);
    void exportClicked();
    QList<QStringList> exportRows() const;

    std::shared_ptr<const HistorySource> m_source;
    Dialogs& m_dialogs;
    HistoryFilter m_shown; // the filter of the rows shown
    bool m_more = false;
    int m_generation = 0; // the query whose statistics are awaited
    QPushButton* m_moreButton;
    QPushButton* m_allButton;
    QComboBox* m_session;
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
