#pragma once
// The modal seam for the picture tools and the whole-window tests: every box
// is answered at once (OK, Yes), nothing is chosen in file dialogs, and
// progress runs to the end; what was shown is kept as "title|text" and goes
// to the debug output. Tests of what boxes say use ScriptedDialogs, which
// fails on any box nobody expected.
#include "Dialogs.h"

#include <QDebug>
#include <QStringList>

class AnsweringDialogs final : public Dialogs
{
public:
    QStringList shown;
    DialogButton message(QWidget*, MessageIcon, const QString& title, const QString& text, int buttons) override
    {
        shown << title + QLatin1Char('|') + text;
        qDebug().noquote() << "box:" << title << "|" << text;
        return (buttons & int(DialogButton::Yes)) ? DialogButton::Yes : DialogButton::Ok;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::unique_ptr<ProgressDialog> progress(QWidget*, const QString&, const QString&, int, int) override
    {
        struct Quiet final : ProgressDialog
        {
            void setValue(int) override {}
            bool wasCanceled() const override { return false; }
            void close() override {}
        };
        return std::make_unique<Quiet>();
    }
};
