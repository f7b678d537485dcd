#include "StationStatus.h"

#include "Dialogs.h"
#include "HistoryWindow.h"
#include "JournalHistory.h"
#include "StationHistory.h"
#include "JournalOutbox.h"
#include "RecordJournal.h"
#include "StationDialog.h"
#include "StandardLibrary.h"
#include "StationSync.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

StationStatus::StationStatus(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
    , m_label(new QLabel(this))
    , m_button(new QPushButton(this))
    , m_history(new QPushButton(this))
{
    setObjectName(QStringLiteral("stationStatus"));
    m_label->setObjectName(QStringLiteral("stationStatusLabel"));
    m_button->setObjectName(QStringLiteral("btnStationDatabase"));
    m_button->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_history);
    layout->addWidget(m_button);
    m_history->setObjectName(QStringLiteral("btnStationHistory"));
    m_history->setFocusPolicy(Qt::NoFocus);
    connect(m_button, &QPushButton::clicked, this, &StationStatus::configure);
    connect(m_history, &QPushButton::clicked, this, &StationStatus::openHistory);
    showState();
}

StationStatus::~StationStatus()
{
    m_sync.reset(); // before the outbox it reads
}

void StationStatus::start()
{
    m_sync.reset();
    m_outbox.reset();
    StationConfig config = StationConfig::loadSaved();
    if (!config.isConfigured()) {
        showState();
        Q_EMIT configurationApplied();
        return;
    }
    m_keyStoreError.clear();
    KeychainPasswordStore store;
    if (!store.read(passwordKey(config), &config.password, &m_keyStoreError)) {
        config.password.clear();
    }
    m_unverified = !config.verifyServer && !config.usesUnixSocket();
    m_outbox = std::make_unique<JournalOutbox>(RecordJournal::defaultPath());
    SyncOptions options;
    options.programVersion = QCoreApplication::applicationVersion();
    options.standardsPath = StandardLibrary::defaultPath();
    m_sync = std::make_unique<StationSync>(config, m_outbox.get(), options);
    connect(m_sync.get(), &StationSync::standardsCopied, this, &StationStatus::standardsCopied);
    connect(m_sync.get(), &StationSync::standardsProblemChanged, this, &StationStatus::showState);
    connect(m_sync.get(), &StationSync::standardsKept, this, [this](const QString& path, int count) {
        m_dialogs.information(this, tr("Station database"),
                              tr("This station's library held %n standard(s) the station database does not have. "
                                 "The station now works from the station database's library; they were saved to "
                                 "%1, for a manager to import (\"tintwell-cli standards import\").",
                                 nullptr, count)
                                  .arg(QDir::toNativeSeparators(path)));
    });
    connect(m_sync.get(), &StationSync::stateChanged, this, &StationStatus::showState);
    connect(m_sync.get(), &StationSync::waitingChanged, this, &StationStatus::showState);
    connect(m_sync.get(), &StationSync::refusedChanged, this, &StationStatus::showState);
    showState();
    Q_EMIT configurationApplied();
}

void StationStatus::recordsJournaled()
{
    if (m_sync) {
        m_sync->journaled();
    }
}

QString StationStatus::text() const
{
    return m_label->text();
}

QString StationStatus::describe(SyncWorker::State state, int waiting, const QString& message, int refused,
                                bool unverified)
{
    QString line;
    switch (state) {
    case SyncWorker::State::Connecting:
        line = tr("Station database: connecting");
        break;
    case SyncWorker::State::Online:
        line = waiting > 0 ? tr("Station database: sending") : tr("Station database: all records sent");
        break;
    case SyncWorker::State::Offline:
        line = tr("Station database: offline, trying again");
        break;
    case SyncWorker::State::Refused:
        line = tr("Station database: not sending");
        break;
    }
    if (waiting > 0) {
        line += tr(" (%n waiting)", nullptr, waiting);
    }
    if (refused > 0) {
        line += tr(" (%n set aside)", nullptr, refused);
    }
    if (unverified) {
        line += tr(", the server not verified");
    }
    if (!message.isEmpty()) {
        line += QStringLiteral(" - ") + message;
    }
    return line;
}

void StationStatus::showState()
{
    m_button->setText(tr("Station database..."));
    m_history->setText(tr("History..."));
    m_history->setVisible(true); // the station's history, or this computer's journal
    if (!m_sync) {
        m_label->clear();
        return;
    }
    // The server's message, once, in the line; its full text on hovering.
    m_label->setText(describe(m_sync->state(), std::max(0, m_sync->waiting()),
                              m_sync->message().section(QLatin1Char('\n'), 0, 0), std::max(0, m_sync->refused()),
                              m_unverified));
    QString tip = m_sync->message();
    if (!m_sync->standardsProblem().isEmpty()) {
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + m_sync->standardsProblem();
    }
    if (!m_keyStoreError.isEmpty()) {
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n"))
               + tr("The key store could not be read, so no password was given: %1").arg(m_keyStoreError);
    }
    m_label->setToolTip(tip);
}

void StationStatus::configure()
{
    StationDialog dialog(StationConfig::loadSaved(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const StationConfig config = dialog.config();
    QString error;
    KeychainPasswordStore store;
    if (!config.password.isEmpty() && !store.write(passwordKey(config), config.password, &error)) {
        m_dialogs.warning(this, tr("Station database"),
                          tr("The password was not stored: the key store refused: %1").arg(error));
        return;
    }
    config.saveAsSaved();
    start();
}

void StationStatus::openHistory()
{
    StationConfig config = StationConfig::loadSaved();
    if (!config.isConfigured()) {
        // No station database: the history of this computer, from its journal.
        auto* window = new HistoryWindow(std::make_unique<JournalHistory>(RecordJournal::defaultPath()), m_dialogs, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        return;
    }
    QString error;
    if (!KeychainPasswordStore().read(passwordKey(config), &config.password, &error)) {
        m_dialogs.warning(this, tr("Station database"),
                          tr("Station database: the password could not be read from the key store: %1").arg(error));
        return;
    }
    auto* window = new HistoryWindow(std::make_unique<StationHistorySource>(config), m_dialogs, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void StationStatus::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        showState();
    }
    QWidget::changeEvent(event);
}
