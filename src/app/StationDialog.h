#pragma once
// "Station database": where this station sends its records. "Test
// connection" connects on a thread of its own and says in the dialog what
// went wrong in words the user can act on, with libpq's own text below.

#include "StationConfig.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class StationDialog : public QDialog
{
    Q_OBJECT
public:
    explicit StationDialog(const StationConfig& config, QWidget* parent = nullptr);
    ~StationDialog() override;

    // What the fields say, with the password typed (empty: keep the stored one).
    StationConfig config() const;
    // The last test's outcome, then its detail on a line of its own.
    QString testResult() const;

Q_SIGNALS:
    void tested(bool ok, const QString& text);

private:
    void testConnection();
    void showTested(bool ok, const QString& text, const QString& detail);
    void showVerification();
    void growToContents();

    QLineEdit* m_host;
    QSpinBox* m_port;
    QLineEdit* m_database;
    QLineEdit* m_station;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QLineEdit* m_ca;
    QCheckBox* m_noVerify;
    QLabel* m_unverified;
    QPushButton* m_test;
    QLabel* m_result;
    QLabel* m_detail;
};
