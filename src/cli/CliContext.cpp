#include "CliContext.h"

#include <QIODevice>
#include <QJsonDocument>

CliContext::CliContext(CliEnvironment& environment, const CliSubcommand& command, CliArguments arguments)
    : m_env(environment), m_command(command), m_args(std::move(arguments)), m_devices(environment)
{
}

void CliContext::print(const QString& line)
{
    m_env.out->write((line + QLatin1Char('\n')).toUtf8());
}

void CliContext::printJson(QJsonObject object)
{
    object.insert(QStringLiteral("schema"), 1);
    m_env.out->write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void CliContext::write(const QByteArray& bytes)
{
    m_env.out->write(bytes);
}

void CliContext::message(const QString& text)
{
    progressDone();
    if (!text.isEmpty()) {
        m_env.err->write((text + QLatin1Char('\n')).toUtf8());
    }
}

int CliContext::usage(const QString& text)
{
    message(text);
    message(Cli::tr("Try \"tintwell-cli --help\"."));
    return ExitUsage;
}

bool CliContext::dateOption(const QString& name, QDateTime& value)
{
    if (!m_args.has(name)) {
        return true;
    }
    const QString text = m_args.value(name);
    value = QDateTime::fromString(text, Qt::ISODate);
    if (!value.isValid()) {
        usage(Cli::tr("--%1 takes a date (yyyy-MM-dd or yyyy-MM-ddThh:mm), not \"%2\".").arg(name, text));
        return false;
    }
    return true;
}

void CliContext::progress(int value, int maximum)
{
    if (!m_env.stderrIsTerminal || maximum <= 0) {
        return;
    }
    constexpr int kWidth = 30;
    const int done = qBound(0, value * kWidth / maximum, kWidth);
    const QString bar = QStringLiteral("\r[%1%2] %3/%4")
                            .arg(QString(done, QLatin1Char('#')), QString(kWidth - done, QLatin1Char(' ')))
                            .arg(value)
                            .arg(maximum);
    m_env.err->write(bar.toUtf8());
    m_progressShown = true;
}

void CliContext::progressDone()
{
    if (m_progressShown) {
        m_env.err->write("\n");
        m_progressShown = false;
    }
}

std::unique_ptr<CliInstrument> CliContext::openInstrument(int& status)
{
    const QList<CliDevice> all = m_devices.attached();
    const QString wanted = m_args.value(QStringLiteral("device"));
    QList<CliDevice> candidates;
    QString serial;
    if (wanted.isEmpty()) {
        if (all.isEmpty()) {
            message(Cli::tr("No instrument is attached."));
            status = ExitNoInstrument;
            return nullptr;
        }
        if (all.size() > 1) {
            message(Cli::tr("Several instruments are attached; name one with --device:"));
            const bool windowRunning = m_env.windowRunning && m_env.windowRunning();
            for (const CliDevice& d : all) {
                const CliDeviceDescription what = m_devices.describe(d, windowRunning);
                message(QStringLiteral("  --device path:%1    --device serial:%2    %3")
                            .arg(d.path, what.serialNumber, what.modelName));
            }
            status = ExitUsage;
            return nullptr;
        }
        candidates = all;
    } else if (wanted.startsWith(QLatin1String("path:"))) {
        const QString path = wanted.mid(5);
        for (const CliDevice& d : all) {
            if (d.path == path) {
                candidates << d;
            }
        }
        if (candidates.isEmpty()) {
            message(Cli::tr("No instrument is attached at %1.").arg(path));
            status = ExitNoInstrument;
            return nullptr;
        }
    } else if (wanted.startsWith(QLatin1String("serial:")) && wanted.size() > 7) {
        serial = wanted.mid(7);
        candidates = all;
    } else {
        status = usage(Cli::tr("--device takes serial:SERIAL or path:PATH."));
        return nullptr;
    }

    for (const CliDevice& device : candidates) {
        if (!device.emulator && m_env.windowRunning && m_env.windowRunning()) {
            // Two programs polling one link take each other's replies.
            message(Cli::tr("The Tintwell window is running and holds the instrument; close the window first."));
            status = ExitNoInstrument;
            return nullptr;
        }
        std::unique_ptr<CliInstrument> instrument = m_devices.open(device);
        if (!instrument) {
            if (serial.isEmpty()) {
                message(Cli::tr("The instrument at %1 cannot be opened (is the udev rule installed?).").arg(device.path));
                status = ExitNoInstrument;
                return nullptr;
            }
            continue;
        }
        CliFeedback feedback;
        const bool identified = instrument->identify(cliModelTable(), feedback);
        if (!serial.isEmpty() && instrument->serialNumber != serial && device.usbSerial != serial) {
            continue;
        }
        if (!identified || !instrument->readSettings(feedback)) {
            message(feedback.texts());
            message(Cli::tr("The instrument did not answer as expected."));
            status = ExitRefused;
            return nullptr;
        }
        return instrument;
    }
    message(Cli::tr("No instrument with serial number %1 is attached.").arg(serial));
    status = ExitNoInstrument;
    return nullptr;
}
