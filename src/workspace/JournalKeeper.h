#pragma once
// Keeps the comparison tables in the journal: a shown row is committed at
// once (an import's rows in one transaction), edits and deletes follow at the
// next turn of the event loop, and clearing the work closes the session.
// The tables stay plain QTableWidgets; the page tells the keeper only when a
// row is shown, when the work is closed and when a batch starts and ends.

#include "ComparisonJournal.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <memory>

class QTableWidget;

class JournalKeeper : public QObject
{
    Q_OBJECT

public:
    // The journal may be inactive (could not be opened): the keeper then does nothing.
    explicit JournalKeeper(std::unique_ptr<ComparisonJournal> journal, QObject* parent = nullptr);
    ~JournalKeeper() override;

    ComparisonJournal& journal() { return *m_journal; }

    // tableId 0: the current layout's table, 1: the legacy one.
    void watch(QTableWidget* table, int tableId);
    void setSessionInfo(const QString& model, int layout);

    // A new row is on screen: commit it now, or with the batch.
    void rowShown(QTableWidget* table, int row, int sequence);
    void beginBatch();
    void endBatch();
    // Clear, export, disconnect-then-clear: the shown rows are done with.
    void closeWork();
    // Commits pending edits and deletes now (also runs by itself).
    void flush();

    // Restoring: the sessions left open, and one session's rows put back into
    // the tables they were taken from. Returns the rows restored per table id
    // (first: current, second: legacy) and the last comparison sequence.
    struct Restored
    {
        QList<int> currentRows;
        QList<int> legacyRows;
        int sequence = 0;
    };
    QList<JournalSession> openSessions();
    Restored restore(const JournalSession& session);
    void keepAsHistory(const JournalSession& session);

    static constexpr int kJournalIdRole = Qt::UserRole + 77;

private:
    struct Watched
    {
        QPointer<QTableWidget> table;
        int id = 0;
    };
    QTableWidget* tableFor(int tableId) const;
    int tableIdOf(const QTableWidget* table) const;
    QByteArray payload(QTableWidget* table, int row) const;
    void markDirty(QTableWidget* table, int row);
    void scheduleFlush();

    std::unique_ptr<ComparisonJournal> m_journal;
    QList<Watched> m_tables;
    QList<std::pair<std::pair<QPointer<QTableWidget>, int>, int>> m_batchRows; // (table, row), sequence
    QHash<qint64, QPointer<QTableWidget>> m_dirty;
    QList<qint64> m_deleted;
    QHash<qint64, int> m_sequence;
    bool m_inBatch = false;
    bool m_flushScheduled = false;
    bool m_quiet = false; // while the keeper itself changes the tables
};
