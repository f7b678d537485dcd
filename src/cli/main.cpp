// tintwell-cli: the instrument from a script. No window, no display, no
// single-instance lock; never prompts.

#include "CliCommand.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// The report draws its pages with fonts, which need a GUI application; on a
// platform without a display (a server, a script's shell) it is the offscreen one.
bool drawsPages(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "report") == 0) {
            return true;
        }
    }
    return false;
}

} // namespace


int main(int argc, char* argv[])
{
    std::unique_ptr<QCoreApplication> application;
    if (drawsPages(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
            && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        // Only the program's name: a GUI application takes options of its own
        // from the command line (-session, -display, …), which are ours here.
        static int guiArgc = 1;
        static char* guiArgv[] = {argv[0], nullptr};
        application = std::make_unique<QGuiApplication>(guiArgc, guiArgv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
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
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return runCli(arguments, environment);
}
