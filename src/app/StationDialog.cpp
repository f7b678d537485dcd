#include "StationDialog.h"

#include "PgConnection.h"
#include "StationSchema.h"

#include <QCheckBox>
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

namespace {
// Wide enough to read its placeholder whole.
void fitPlaceholder(QLineEdit* edit)
{
    const int text = edit->fontMetrics().horizontalAdvance(edit->placeholderText());
    edit->setMinimumWidth(text + 2 * edit->fontMetrics().averageCharWidth() + 12);
}
} // namespace

StationDialog::StationDialog(const StationConfig& config, QWidget* parent)
    : QDialog(parent)
    , m_host(new QLineEdit(config.host, this))
    , m_port(new QSpinBox(this))
    , m_database(new QLineEdit(config.database, this))
    , m_station(new QLineEdit(config.station, this))
    , m_user(new QLineEdit(config.user, this))
    , m_password(new QLineEdit(this))
    , m_ca(new QLineEdit(config.caFile, this))
    , m_noVerify(new QCheckBox(tr("Do not verify the server"), this))
    , m_unverified(new QLabel(this))
    , m_test(new QPushButton(tr("Test connection"), this))
    , m_result(new QLabel(this))
    , m_detail(new QLabel(this))
{
    setObjectName(QStringLiteral("StationDialog"));
    setWindowTitle(tr("Station database"));
    m_host->setObjectName(QStringLiteral("stationHost"));
    m_host->setPlaceholderText(tr("host name or address"));
    m_port->setRange(1, 65535);
    m_port->setValue(config.port);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setPlaceholderText(tr("kept in the key store; empty: unchanged"));
    m_ca->setObjectName(QStringLiteral("stationCaFile"));
    m_ca->setPlaceholderText(tr("CA certificate file; empty: the system's trusted authorities"));
    for (QLineEdit* edit : {m_host, m_password, m_ca}) {
        fitPlaceholder(edit);
    }
    m_noVerify->setObjectName(QStringLiteral("stationNoVerify"));
    m_noVerify->setChecked(!config.verifyServer);
    m_unverified->setObjectName(QStringLiteral("stationUnverified"));
    m_unverified->setWordWrap(true);
    m_unverified->setStyleSheet(QStringLiteral("color: #B00020;"));
    m_unverified->setText(tr("The server is not verified: whoever answers at this address receives the records "
                             "and can pose as the station database."));
    m_result->setWordWrap(true);
    m_result->setObjectName(QStringLiteral("testResult"));
    m_detail->setWordWrap(true);
    m_detail->setObjectName(QStringLiteral("testDetail"));
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_detail->setTextFormat(Qt::PlainText);
    m_detail->setStyleSheet(QStringLiteral("color: #505A66;"));
    m_result->setTextFormat(Qt::PlainText);
    m_test->setObjectName(QStringLiteral("btnTestConnection"));
    auto* form = new QFormLayout;
    form->addRow(tr("Server"), m_host);
    form->addRow(tr("Port"), m_port);
    form->addRow(tr("Database"), m_database);
    form->addRow(tr("Station name"), m_station);
    form->addRow(tr("User"), m_user);
    form->addRow(tr("Password"), m_password);
    form->addRow(tr("Certificate authority"), m_ca);
    form->addRow(QString(), m_noVerify);
    form->addRow(QString(), m_unverified);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_test);
    layout->addWidget(m_result);
    layout->addWidget(m_detail);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_test, &QPushButton::clicked, this, &StationDialog::testConnection);
    connect(m_noVerify, &QCheckBox::toggled, this, &StationDialog::showVerification);
    connect(m_host, &QLineEdit::textChanged, this, &StationDialog::showVerification);
    showVerification();
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
    c.verifyServer = !m_noVerify->isChecked();
    return c;
}

QString StationDialog::testResult() const
{
    return m_detail->text().isEmpty() ? m_result->text() : m_result->text() + QLatin1Char('\n') + m_detail->text();
}

void StationDialog::showVerification()
{
    // A socket on this computer has no certificate to check.
    m_unverified->setVisible(m_noVerify->isChecked() && !config().usesUnixSocket());
    growToContents();
}

void StationDialog::growToContents()
{
    // Wrapped texts that got longer (or appeared) want more height: left at
    // its size, the window's layout would squeeze the fields to make room.
    layout()->activate();
    if (const int needed = heightForWidth(width()); needed > height()) {
        resize(width(), needed);
    }
}

void StationDialog::testConnection()
{
    StationConfig c = config();
    if (!c.isConfigured()) {
        // An empty server would have libpq try a socket of its own choice.
        showTested(false, tr("Give the server, the database and the user to test the connection."), QString());
        return;
    }
    QString keyStoreError;
    if (c.password.isEmpty() && !KeychainPasswordStore().read(passwordKey(c), &c.password, &keyStoreError)) {
        c.password.clear();
    }
    m_test->setEnabled(false);
    m_result->setText(tr("Connecting to %1 ...").arg(c.serverName()));
    m_detail->clear();
    // Connecting may take the connection's whole time-out: never on this thread.
    QPointer<StationDialog> self(this);
    std::thread([c, keyStoreError, self]() {
        PgConnection connection(c);
        bool ok = false;
        QString text;
        QString detail;
        if (!connection.open()) {
            text = describeConnectFailure(connection.failure(), c);
            detail = connection.errorText();
            if (connection.failure() == PgFailure::NoPassword && !keyStoreError.isEmpty()) {
                detail = tr("The key store could not be read: %1").arg(keyStoreError) + QLatin1Char('\n') + detail;
            }
        } else {
            QString error;
            const int version = StationSchema::serverVersion(connection, &error);
            const QString refusal = version < 0 ? error : StationSchema::writeRefusal(connection, version);
            ok = refusal.isEmpty();
            text = ok ? tr("Connected to %1: schema version %2.").arg(c.serverName()).arg(version) : refusal;
        }
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, ok, text, detail]() {
            if (self) {
                self->showTested(ok, text, detail);
            }
        }, Qt::QueuedConnection);
    }).detach();
}

void StationDialog::showTested(bool ok, const QString& text, const QString& detail)
{
    m_test->setEnabled(true);
    m_result->setText(text);
    // libpq indents its hint with a tab, which a label shows as a gap.
    m_detail->setText(QString(detail).replace(QLatin1Char('\t'), QString()));
    growToContents();
    Q_EMIT tested(ok, testResult());
}
