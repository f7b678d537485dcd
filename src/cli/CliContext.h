#pragma once
// One run of the command line: its arguments, where it writes, and the
// instrument it talks to. Results go to standard output, messages and
// progress to standard error.

#include "CliCommand.h"
#include "CliDevices.h"

#include <QDateTime>
#include <QJsonObject>

class CliContext
{
public:
    CliContext(CliEnvironment& environment, const CliSubcommand& command, CliArguments arguments);

    const CliSubcommand& command() const { return m_command; }
    const CliArguments& args() const { return m_args; }
    bool json() const { return m_args.has(QStringLiteral("json")); }
    // Messages and table titles in Chinese (--lang zh, or a Chinese locale).
    bool chinese() const { return m_chinese; }
    void setChinese(bool chinese) { m_chinese = chinese; }
    CliEnvironment& environment() { return m_env; }

    // A line of results on standard output.
    void print(const QString& line);
    // One JSON object on one line, with "schema": 1.
    void printJson(QJsonObject object);
    // Raw bytes on standard output (a whole export).
    void write(const QByteArray& bytes);
    // A message on standard error.
    void message(const QString& text);
    // A usage message and ExitUsage.
    int usage(const QString& text);
    // The value of --name as a date (yyyy-MM-dd, from the day's start) or a
    // date and time; left as it is when not given. False with the usage
    // refusal said when it is no date.
    bool dateOption(const QString& name, QDateTime& value);
    // Progress of a long transfer on standard error, drawn only on a terminal.
    void progress(int value, int maximum);
    void progressDone();

    // The instruments --simulate and enumeration give, and the one chosen.
    CliDevices& devices() { return m_devices; }
    // Opens and identifies the instrument this run names (or the only one).
    // Null with the exit status in status and the reason already said.
    std::unique_ptr<CliInstrument> openInstrument(int& status);

private:
    CliEnvironment& m_env;
    const CliSubcommand& m_command;
    CliArguments m_args;
    CliDevices m_devices;
    bool m_progressShown = false;
    bool m_chinese = false;
};
