#include "StationDialog.h"

#include "PgConnection.h"
#include "StationSchema.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <thread>

StationDialog::StationDialog(const StationConfig& config, QWidget* parent)
    : QDialog(parent)
    , m_host(new QLineEdit(config.host, this))
    , m_port(new QSpinBox(this))
    , m_database(new QLineEdit(config.database, this))
    , m_station(new QLineEdit(config.station, this))
    , m_user(new QLineEdit(config.user, this))
    , m_password(new QLineEdit(this))
    , m_ca(new QLineEdit(config.caFile, this))
    , m_test(new QPushButton(tr("Test connection"), this))
    , m_result(new QLabel(this))
{
    setObjectName(QStringLiteral("StationDialog"));
    setWindowTitle(tr("Station database"));
    m_port->setRange(1, 65535);
    m_port->setValue(config.port);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setPlaceholderText(tr("kept in the key store; empty: unchanged"));
    m_ca->setPlaceholderText(tr("CA certificate file: the server's name is checked"));
    m_result->setWordWrap(true);
    m_result->setObjectName(QStringLiteral("testResult"));
    m_test->setObjectName(QStringLiteral("btnTestConnection"));
    auto* form = new QFormLayout;
    form->addRow(tr("Server"), m_host);
    form->addRow(tr("Port"), m_port);
    form->addRow(tr("Database"), m_database);
    form->addRow(tr("Station name"), m_station);
    form->addRow(tr("User"), m_user);
    form->addRow(tr("Password"), m_password);
    form->addRow(tr("Certificate authority"), m_ca);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_test);
    layout->addWidget(m_result);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_test, &QPushButton::clicked, this, &StationDialog::testConnection);
}

StationDialog::~StationDialog() = default;

StationConfig StationDialog::config() const
{
    StationConfig c;
    c.host = m_host->text().trimmed();
    c.port = m_port->value();
    c.database = m_database->text().trimmed();
    c.station = m_station->text().trimmed();
    c.user = m_user->text().trimmed();
    c.password = m_password->text();
    c.caFile = m_ca->text().trimmed();
    return c;
}

QString StationDialog::testResult() const
{
    return m_result->text();
}

void StationDialog::testConnection()
{
    StationConfig c = config();
    if (c.password.isEmpty()) {
        QString error;
        KeychainPasswordStore().read(passwordKey(c), &c.password, &error);
    }
    m_test->setEnabled(false);
    m_result->setText(tr("Connecting to %1 ...").arg(c.serverName()));
    // Connecting may take the connection's whole time-out: never on this thread.
    QPointer<StationDialog> self(this);
    std::thread([c, self]() {
        PgConnection connection(c);
        bool ok = false;
        QString text;
        if (!connection.open()) {
            text = tr("The station database %1 cannot be reached: %2").arg(c.serverName(), connection.errorText());
        } else {
            QString error;
            const int version = StationSchema::serverVersion(connection, &error);
            const QString refusal = version < 0 ? error : StationSchema::writeRefusal(connection, version);
            ok = refusal.isEmpty();
            text = ok ? tr("Connected to %1: schema version %2.").arg(c.serverName()).arg(version) : refusal;
        }
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, ok, text]() {
            if (self) {
                self->showTested(ok, text);
            }
        }, Qt::QueuedConnection);
    }).detach();
}

void StationDialog::showTested(bool ok, const QString& text)
{
    m_test->setEnabled(true);
    m_result->setText(text);
    Q_EMIT tested(ok, text);
}
