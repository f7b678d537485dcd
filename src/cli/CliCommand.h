#pragma once
// The command line's parts: exit statuses, the options a run was given, the
// streams it writes to, and the table of subcommands. A subcommand is one
// entry of the table (CliCommands.cpp): its words, the options it takes, a
// line of help, and the function that runs it.

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QMultiHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class InstrumentEmulator;
class QIODevice;

// What a script decides from: documented in --help and in the manual page.
enum CliExit {
    ExitOk = 0,           // every comparison PASS, or the operation succeeded
    ExitNg = 1,           // at least one comparison NG
    ExitUsage = 2,        // the command line is wrong
    ExitNoInstrument = 3, // no instrument, the one named is absent, or the window holds it
    ExitRefused = 4,      // the instrument refused or did not answer in time
    ExitFile = 5,         // a file could not be read or written
};

// What the process around a run provides. main() fills it from the real
// process; tests and the benchmark hand in their own streams and emulators.
struct CliEnvironment
{
    QIODevice* out = nullptr; // results
    QIODevice* err = nullptr; // messages and progress
    bool stdinIsTerminal = false;
    bool stderrIsTerminal = false;
    // The emulated instrument for one --simulate (model, version x 100; 0: the model's own).
    std::function<std::shared_ptr<InstrumentEmulator>(const QString& model, int softwareVersion)> makeEmulator;
    // Whether the window runs (and so holds every real instrument).
    std::function<bool()> windowRunning;
    // The journal the window keeps; empty: its usual place.
    QString journalPath;
    // The library of standards; empty: beside journalPath when that is given,
    // else its usual place.
    QString standardsPath;
};

// One option a subcommand accepts.
struct CliOption
{
    const char* name;   // without the dashes: "count"
    bool takesValue;
    const char* valueName; // for help: "N"; null without a value
    const char* help;
};

class CliContext;

struct CliSubcommand
{
    QStringList words;        // {"settings", "get"}
    const char* synopsis;     // after the words: "[--mode MODE]"
    const char* summary;      // one line for --help
    QList<CliOption> options; // besides the global ones
    int positionals = 0;      // operands after the words (stdcolor upload FILE: 1)
    std::function<int(CliContext&)> run;
};

// The subcommands in the order --help lists them.
const QList<CliSubcommand>& cliSubcommands();

// The options of one run after parsing.
class CliArguments
{
public:
    bool has(const QString& name) const { return m_values.contains(name); }
    QString value(const QString& name) const { return m_values.value(name); }
    QStringList values(const QString& name) const; // in command-line order
    QStringList positionals;

    void add(const QString& name, const QString& value) { m_values.insert(name, value); m_order << name; }
    QStringList given() const { return m_order; }

private:
    QMultiHash<QString, QString> m_values;
    QStringList m_order;
};

// Translations of the command line's own texts.
class Cli
{
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

// Runs one command line (arguments without the program name). Never prompts.
int runCli(const QStringList& arguments, CliEnvironment& environment);
