#include "StationConfig.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QSettings>

#include <qt6keychain/keychain.h>

namespace {
const QString kKeychainService = QStringLiteral("Tintwell station database");
}

QString StationConfig::sslMode() const
{
    if (usesUnixSocket()) {
        return QStringLiteral("disable");
    }
    return verifyServer ? QStringLiteral("verify-full") : QStringLiteral("require");
}

QString StationConfig::rootCertificate() const
{
    if (!caFile.isEmpty()) {
        return caFile;
    }
    // The system's bundle of trusted authorities, where the distributions
    // keep it (libpq before 16 knows no "system" of its own).
    for (const char* bundle : {"/etc/ssl/certs/ca-certificates.crt", "/etc/pki/tls/certs/ca-bundle.crt",
                               "/etc/ssl/ca-bundle.pem", "/etc/ssl/cert.pem"}) {
        if (QFileInfo::exists(QString::fromLatin1(bundle))) {
            return QString::fromLatin1(bundle);
        }
    }
    // libpq 16 and later find the system's store themselves; older ones
    // refuse, saying that no such file exists.
    return QStringLiteral("system");
}

QString StationConfig::serverName() const
{
    if (usesUnixSocket()) {
        return QStringLiteral("%1 (port %2)/%3").arg(host).arg(port).arg(database);
    }
    return QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(database);
}

std::vector<std::pair<QByteArray, QByteArray>> StationConfig::connectionParameters() const
{
    std::vector<std::pair<QByteArray, QByteArray>> p = {
        {"host", host.toUtf8()},
        {"port", QByteArray::number(port)},
        {"dbname", database.toUtf8()},
        {"user", user.toUtf8()},
        {"sslmode", sslMode().toUtf8()},
        {"connect_timeout", QByteArray::number(connectTimeoutSeconds)},
        {"application_name", "tintwell-station"},
        // A server that vanishes without closing the socket is noticed
        // within seconds instead of when the operating system gives up.
        {"keepalives", "1"},
        {"keepalives_idle", "5"},
        {"keepalives_interval", "2"},
        {"keepalives_count", "3"},
        {"tcp_user_timeout", "10000"},
        {"options", "-c statement_timeout=30000"},
    };
    if (!password.isEmpty()) {
        p.emplace_back("password", password.toUtf8());
    }
    if (!usesUnixSocket()) {
        if (verifyServer) {
            p.emplace_back("sslrootcert", rootCertificate().toUtf8());
        }
        // SCRAM bound to the TLS channel is the only login accepted: a
        // server (or whoever poses as one) that asks for the password in
        // clear text or as MD5, or lets the station in without proving that
        // it knows the password, is refused before the password leaves.
        p.emplace_back("channel_binding", "require");
    }
    return p;
}

StationConfig StationConfig::load(QSettings& settings)
{
    StationConfig c;
    settings.beginGroup(QStringLiteral("station"));
    c.host = settings.value(QStringLiteral("host")).toString();
    c.port = settings.value(QStringLiteral("port"), 5432).toInt();
    c.database = settings.value(QStringLiteral("database")).toString();
    c.station = settings.value(QStringLiteral("name")).toString();
    c.user = settings.value(QStringLiteral("user")).toString();
    c.caFile = settings.value(QStringLiteral("caFile")).toString();
    c.verifyServer = settings.value(QStringLiteral("verifyServer"), true).toBool();
    settings.endGroup();
    return c;
}

void StationConfig::save(QSettings& settings) const
{
    settings.beginGroup(QStringLiteral("station"));
    settings.setValue(QStringLiteral("host"), host);
    settings.setValue(QStringLiteral("port"), port);
    settings.setValue(QStringLiteral("database"), database);
    settings.setValue(QStringLiteral("name"), station);
    settings.setValue(QStringLiteral("user"), user);
    settings.setValue(QStringLiteral("caFile"), caFile);
    settings.setValue(QStringLiteral("verifyServer"), verifyServer);
    settings.remove(QStringLiteral("password"));
    settings.endGroup();
}

StationConfig StationConfig::loadSaved()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"), QStringLiteral("Tintwell"));
    return load(settings);
}

void StationConfig::saveAsSaved() const
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"), QStringLiteral("Tintwell"));
    save(settings);
}

QString passwordKey(const StationConfig& config)
{
    return QStringLiteral("%1@%2").arg(config.user, config.serverName());
}

bool KeychainPasswordStore::read(const QString& key, QString* password, QString* error)
{
    QKeychain::ReadPasswordJob job(kKeychainService);
    job.setAutoDelete(false);
    job.setKey(key);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    if (job.error() == QKeychain::EntryNotFound) {
        password->clear();
        return true;
    }
    if (job.error() != QKeychain::NoError) {
        *error = job.errorString();
        return false;
    }
    *password = job.textData();
    return true;
}

bool KeychainPasswordStore::write(const QString& key, const QString& password, QString* error)
{
    QKeychain::WritePasswordJob job(kKeychainService);
    job.setAutoDelete(false);
    job.setKey(key);
    job.setTextData(password);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    if (job.error() != QKeychain::NoError) {
        *error = job.errorString();
        return false;
    }
    return true;
}
