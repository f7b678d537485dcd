#pragma once
// The one seam for everything modal: message boxes, questions, file dialogs
// and progress dialogs. There is no process-wide instance: the program makes
// one QtDialogs and the main window hands it to everything it builds; tests
// hand in a scripted double that records what was shown.
// This header needs QtCore only, so layers below the screens can use it.

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

enum class MessageIcon { NoIcon, Information, Warning, Critical, Question };

enum class DialogButton { None = 0, Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };

// A window-modal progress dialog that lives as long as its handle.
class ProgressDialog
{
public:
    virtual ~ProgressDialog() = default;
    virtual void setValue(int value) = 0;
    virtual bool wasCanceled() const = 0;
    virtual void close() = 0;
};

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A modal box. buttons is an OR of DialogButton values; returns the button pressed.
    virtual DialogButton message(QWidget* parent, MessageIcon icon, const QString& title,
                                 const QString& text, int buttons) = 0;
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // The save dialog for files of one type; suffix without its dot ("xlsx").
    // A dialog that can add the suffix to a name typed without one (so the
    // name it checks for replacing is the name written) does; the default
    // shows saveFileName.
    virtual QString saveFileNameWithSuffix(QWidget* parent, const QString& caption, const QString& dir,
                                           const QString& filter, const QString& suffix);
    virtual std::unique_ptr<ProgressDialog> progress(QWidget* parent, const QString& label,
                                                     const QString& cancelText, int minimum,
                                                     int maximum) = 0;
    // The print dialog for printer; true when the operator chose to print.
    // The default declines, so a seam that never prints need not offer it.
    virtual bool printSetup(QWidget* parent, QPrinter& printer);

    // Conveniences for the boxes the application uses.
    void information(QWidget* parent, const QString& title, const QString& text);
    void warning(QWidget* parent, const QString& title, const QString& text);
    void critical(QWidget* parent, const QString& title, const QString& text);
    bool question(QWidget* parent, const QString& title, const QString& text);
    // The file to save to: a name without a suffix gets suffix, and when a
    // file of the suffixed name exists that the dialog did not check, the
    // operator is asked whether to replace it. Empty when the operator
    // cancelled or declined.
    QString saveFile(QWidget* parent, const QString& caption, const QString& dir, const QString& filter,
                     const QString& suffix);
};
