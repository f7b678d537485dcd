#pragma once
#include <QPalette>
#include <QString>
#include <QStringList>

class Dialogs;
class QApplication;
class QWidget;
class SingleInstance;

// The message a later copy sends to the running one.
inline const char* const kActivateMessage = "active!!!!!";

// When another copy runs: asks it to show itself, tells the user through
// dialogs, and returns true (the caller then exits with 0).
bool handOverToRunningInstance(SingleInstance& guard, Dialogs& dialogs);

// The palette built from the colour at characters 20 to 26 of a style sheet.
QPalette paletteFromStyleSheet(const QString& sheet);

// Style sheet ":/qss/psblue.css" with its palette, and the application font.
// A style sheet that does not open is skipped silently. Also the name of the
// desktop entry the windows belong to ("tintwell").
void applyLookAndFeel(QApplication& app);
// Shows the main window as the program starts: maximised, and its normal
// geometry (what leaving the maximised state restores) its default size
// within the screen's available area, so that a 1280 by 720 screen holds it.
void showMaximisedMainWindow(QWidget& window);
// The windows' icon. Reading the first picture loads Qt's image readers, so
// the start sets it once the window is up.
void applyWindowIcon(QApplication& app);

// What `--help` or `--version` asks for. handled is false when the command
// line asks for neither, and the program starts. Decided before the
// application object exists: no display, no window, no single-instance lock.
struct CommandLineInfo
{
    bool handled = false;
    QString text; // for standard output
    int exitCode = 0;
};
CommandLineInfo commandLineInfo(const QStringList& arguments);

// A start-up line the window cannot follow (an unknown option, an unknown
// model, a stray word): the message for standard error, in the language the
// line chose (Chinese unless --lang en), naming what was refused; empty when
// the line is good. The program then exits with status 2.
QString startOptionsRefusal(const QStringList& arguments);

// Where the translation catalogues are looked for, in order: the working
// directory, then the data folders (beside the executable, ../share/tintwell).
QStringList catalogueDirectories();

// Says in the log where the catalogues and the model table "meterno" were
// found, and warns about each one that was not. true when all were found.
bool reportDataFiles();
