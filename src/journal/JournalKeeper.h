#pragma once
// Keeps the records of the current work in the journal: a record appended to
// a watched list is committed at once (an import's records in one
// transaction), a rename or a re-judging writes just the records that changed
// (one transaction per change), a delete leaves a tombstone, and closing the
// work closes the session. Restoring puts a session's records back into the
// lists they came from. No widgets: the lists are the work, the tables views.

#include "RecordJournal.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUuid>

#include <functional>
#include <memory>

class ComparisonRecordList;

class JournalKeeper : public QObject
{
    Q_OBJECT

public:
    // The journal may be inactive (could not be opened): the keeper then does nothing.
    explicit JournalKeeper(std::unique_ptr<RecordJournal> journal, QObject* parent = nullptr);
    ~JournalKeeper() override;

    RecordJournal& journal() { return *m_journal; }

    // legacy: the list of the first-generation table (restored legacy records go there).
    void watch(ComparisonRecordList* list, bool legacy);
    void setSessionInfo(const QString& model, int layout);
    // The page's comparison counter ("Comp%1"), kept with the session as records are appended.
    void setCounter(std::function<int()> counter);

    // Appends made between these two go to the journal in one transaction.
    void beginBatch();
    void endBatch();
    // Clear, export: the records shown are done with. Records still in a
    // watched list at the next turn of the event loop (the other table's)
    // start the next session, so nothing on screen is left out of the work.
    // done: a list whose records were exported and may stay on screen; they
    // are done with all the same and start no session (new records do).
    void closeWork(const ComparisonRecordList* done = nullptr);

    // Restoring: the sessions left open, and one session's records put back
    // into the lists they were taken from. A second session restored joins the
    // first: the work on screen is one session again.
    struct Restored
    {
        int current = 0; // records put into the current layout's list
        int legacy = 0;  // into the legacy one
        int counter = 0; // the page's comparison counter kept with the session
    };
    QList<JournalSession> openSessions();
    Restored restore(const JournalSession& session);
    // The operator chose not to restore: the session stays as closed history.
    void keepAsHistory(const JournalSession& session);

Q_SIGNALS:
    // Records were written (appended, changed or deleted): whoever sends the
    // journal on (the station database's sync) may look now instead of at
    // its next idle poll.
    void journaled();

private:
    struct Watched
    {
        QPointer<ComparisonRecordList> list;
        bool legacy = false;
    };
    void appended(ComparisonRecordList* list, int first, int last);
    void aboutToRemove(ComparisonRecordList* list, int row);
    void changed(ComparisonRecordList* list, const QList<int>& rows);
    ComparisonRecordList* listFor(bool legacy) const;
    int counter() const { return m_counter ? m_counter() : -1; }
    void journalRemaining();

    std::unique_ptr<RecordJournal> m_journal;
    QList<Watched> m_lists;
    std::function<int()> m_counter;
    QList<ComparisonRecord> m_batch;
    bool m_inBatch = false;
    QSet<QUuid> m_sinceClose; // appended after closeWork, before journalRemaining
    QSet<QUuid> m_done;       // exported with closeWork: not carried into the next session
    bool m_remainingPending = false;
    bool m_quiet = false; // while the keeper itself fills the lists
};
