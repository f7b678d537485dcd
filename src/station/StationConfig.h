#pragma once
// Where a station sends its records: the PostgreSQL server, the database, the
// station's name and the role it logs in as. The password is never part of
// the stored settings: it lives in the desktop's key store (PasswordStore).

#include <QString>

#include <utility>
#include <vector>

class QSettings;

struct StationConfig
{
    // A host name, an address, or a folder holding the server's Unix socket.
    QString host;
    int port = 5432;
    QString database;
    QString station;   // the name the station is known by on the server
    QString user;      // its login role
    QString password;  // from the key store; never written to settings
    // The certificate authority that signed the server's certificate; empty:
    // the system's trusted authorities. Either way a TCP connection checks
    // the certificate and the host name (verify-full) ...
    QString caFile;
    // ... unless the user asked for a connection that does not ("Do not
    // verify the server"): still encrypted, but anyone in between can pose
    // as the server.
    bool verifyServer = true;
    int connectTimeoutSeconds = 5;

    // Enough is filled in to try a connection.
    bool isConfigured() const { return !host.isEmpty() && !database.isEmpty() && !user.isEmpty(); }
    bool usesUnixSocket() const { return host.startsWith(QLatin1Char('/')); }
    QString sslMode() const;
    // The trusted authorities' file given to libpq when the server is verified.
    QString rootCertificate() const;
    // "host:port/database" as messages name the server.
    QString serverName() const;
    // libpq's keyword/value pairs (no quoting: each value is passed as it is).
    std::vector<std::pair<QByteArray, QByteArray>> connectionParameters() const;

    // The settings group "station" (everything but the password).
    static StationConfig load(QSettings& settings);
    void save(QSettings& settings) const;
    // The same in Tintwell's own settings file, as the window and the
    // command line share it.
    static StationConfig loadSaved();
    void saveAsSaved() const;
};

// The desktop's key store, behind a seam so tests and the command line can
// keep passwords elsewhere. Calls block until the store has answered.
class PasswordStore
{
public:
    virtual ~PasswordStore() = default;
    // false with *error set when the store cannot be read; an empty password
    // with true when none is stored.
    virtual bool read(const QString& key, QString* password, QString* error) = 0;
    virtual bool write(const QString& key, const QString& password, QString* error) = 0;
};

// The key the password of a configuration is stored under.
QString passwordKey(const StationConfig& config);

// The desktop key store (Secret Service / KWallet through qtkeychain).
class KeychainPasswordStore : public PasswordStore
{
public:
    bool read(const QString& key, QString* password, QString* error) override;
    bool write(const QString& key, const QString& password, QString* error) override;
};
