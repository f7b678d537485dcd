#pragma once
// "Write stdcolor": replaces the instrument's standard-colour library with
// the contents of "StdColor.xlsx", or with the standards of a CGATS (.ti3,
// .txt) or CxF3 (.cxf) file of any name: the screen's command around the
// sheet readers (src/excel) and the transfer (src/instrument). The file is
// opened for reading only and never written; the whole library is checked
// before the first byte is sent.

#include "Standard.h"
#include "StandardColorTransfer.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVariantList>

class Dialogs;
class LinkAccess;
class QWidget;

class StandardColorUpload
{
    Q_DECLARE_TR_FUNCTIONS(StandardColorUpload)
public:
    // The whole command: the file dialog, the checks, the transfer and its
    // messages (through dialogs), holding the link lock throughout.
    static StandardColorUploadResult run(LinkAccess& link, Dialogs& dialogs, QWidget* parent,
                                         const QString& modelName);
    // "Write to instrument" of the library window: the standards' L*a*b*
    // as one card named "Library", checked and sent as a file's are.
    static StandardColorUploadResult runStandards(LinkAccess& link, Dialogs& dialogs, QWidget* parent,
                                                  const QString& modelName, const QList<Standard>& standards);

private:
    // The sheet rows checked against the model and sent, with the messages.
    static StandardColorUploadResult send(LinkAccess& link, Dialogs& dialogs, QWidget* parent,
                                          const QString& modelName, const QList<QVariantList>& rows);
};
