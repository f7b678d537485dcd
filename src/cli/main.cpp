// tintwell-cli: the instrument from a script. No window, no display, no
// single-instance lock; never prompts.

#include "CliCommand.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>
#include <unistd.h>


int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The window's name: the journal and other data are found where the window keeps them.
    QCoreApplication::setApplicationName(QStringLiteral("tintwell"));
    // Standard error carries the run's own messages; the libraries' notes
    // stay quiet unless QT_LOGGING_RULES asks for them.
    QLoggingCategory::setFilterRules(QStringLiteral("*.info=false\n*.debug=false"));
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    CliEnvironment environment;
    environment.out = &out;
    environment.err = &err;
    environment.stdinIsTerminal = ::isatty(STDIN_FILENO) == 1;
    environment.stderrIsTerminal = ::isatty(STDERR_FILENO) == 1;
    environment.windowRunning = [] { return SingleInstance::heldByLiveProcess(); };
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    return runCli(arguments, environment);
}
