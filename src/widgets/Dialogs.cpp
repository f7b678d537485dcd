#include "Dialogs.h"

#include <QtGlobal>

namespace {
Dialogs* g_dialogs = nullptr;
}

void Dialogs::information(QWidget* parent, const QString& title, const QString& text)
{
    message(parent, MessageIcon::Information, title, text, int(DialogButton::Ok));
}

void Dialogs::warning(QWidget* parent, const QString& title, const QString& text)
{
    message(parent, MessageIcon::Warning, title, text, int(DialogButton::Ok));
}

void Dialogs::critical(QWidget* parent, const QString& title, const QString& text)
{
    message(parent, MessageIcon::Critical, title, text, int(DialogButton::Ok));
}

bool Dialogs::question(QWidget* parent, const QString& title, const QString& text)
{
    const int buttons = int(DialogButton::Yes) | int(DialogButton::No);
    return message(parent, MessageIcon::Question, title, text, buttons) == DialogButton::Yes;
}

bool Dialogs::printSetup(QWidget*, QPrinter&)
{
    return false;
}

Dialogs& Dialogs::instance()
{
    if (!g_dialogs) {
        qFatal("No dialog implementation installed");
    }
    return *g_dialogs;
}

void Dialogs::install(Dialogs* dialogs)
{
    g_dialogs = dialogs;
}
