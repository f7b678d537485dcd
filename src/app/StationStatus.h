#pragma once
// The station database in the main window: a line that shows whether the
// records reach the server and how many wait, with the server's own message
// once (not a box per attempt), and the button that opens the "Station
// database" dialog. Without a configuration the line shows only the button
// and nothing is sent.

#include "SyncWorker.h"

#include <QWidget>

#include <memory>

class Dialogs;
class JournalOutbox;
class QLabel;
class QPushButton;
class StationSync;

class StationStatus : public QWidget
{
    Q_OBJECT
public:
    // Its boxes (and the history window's) go through dialogs, which must
    // outlive it.
    explicit StationStatus(Dialogs& dialogs, QWidget* parent = nullptr);
    ~StationStatus() override;

    // Starts sending with the saved configuration and the key store's
    // password; stops a previous sync first. Nothing when not configured.
    // A key store that cannot be read is no password: the server says
    // whether it wants one.
    void start();
    QString text() const;
    // The window's journal wrote records: send them now, not at the next idle poll.
    void recordsJournaled();
    // A station database is set up: the library of standards is the server's,
    // and the station's copy (StandardLibrary::defaultPath()) only reads.
    bool keepsLibraryCopy() const { return m_sync != nullptr; }

    // The line's text for a state (also for tests); refused: the records set
    // aside; unverified: the connection does not check who the server is.
    static QString describe(SyncWorker::State state, int waiting, const QString& message, int refused = 0,
                            bool unverified = false);

Q_SIGNALS:
    // The station's copy of the library of standards changed: whatever
    // shows it reads it again.
    void standardsCopied();
    // start() applied the saved configuration: keepsLibraryCopy() may differ.
    void configurationApplied();

protected:
    void changeEvent(QEvent* event) override;

private:
    void showState();
    void configure();

    void openHistory();

    Dialogs& m_dialogs;
    QLabel* m_label;
    QPushButton* m_button;
    QPushButton* m_history;
    std::unique_ptr<JournalOutbox> m_outbox;
    std::unique_ptr<StationSync> m_sync;
    bool m_unverified = false;
    // Why the key store gave no password (shown on hovering the line).
    QString m_keyStoreError;
};
