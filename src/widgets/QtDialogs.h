#pragma once
#include "Dialogs.h"

// The production seam: real Qt dialogs.
class QtDialogs final : public Dialogs
{
public:
    DialogButton message(QWidget* parent, MessageIcon icon, const QString& title,
                         const QString& text, int buttons) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString saveFileNameWithSuffix(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter, const QString& suffix) override;
    std::unique_ptr<ProgressDialog> progress(QWidget* parent, const QString& label,
                                             const QString& cancelText, int minimum,
                                             int maximum) override;
    bool printSetup(QWidget* parent, QPrinter& printer) override;
};
