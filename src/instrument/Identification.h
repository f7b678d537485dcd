#pragma once
// Who is attached: the identification exchanges on connection, as a plain
// procedure over the transport. The page applies the outcome to its widgets
// and shows its boxes in order; the command line prints them.

#include "DisplayMode.h"
#include "InstrumentFeedback.h"
#include "WorkspaceRules.h"

#include <QList>
#include <QString>

class Transport;

// An information box the page shows after applying the outcome.
using IdentificationBox = InstrumentMessage;

struct IdentificationOutcome
{
    // How far identification came; each stage includes those before it.
    enum Stage { NotOpen, NoInformation, SerialRead, ModelKnown, VersionRead, Complete };
    Stage stage = NotOpen;
    quint32 serialNumber = 0;
    quint32 meterNumber = 0;
    std::optional<ModelEntry> model; // empty: not in the table (model "UnKnow")
    int softwareVersion = 0;
    bool firstGeneration = false;
    DisplayMode displayMode = DisplayMode::None; // None: not read, or refused for the layout
    QList<IdentificationBox> boxes;  // what to show, in order
};

// Runs the exchanges: key information (production information when refused),
// model lookup, software version and, for instruments of the current layout,
// the display parameter. layoutIndex is the layout in force, kept when the
// model table is empty. The caller holds the link lock.
IdentificationOutcome identifyInstrument(Transport& transport, const ModelTable& table, int layoutIndex);

// The boxes the production-information and software-version reads have always
// shown for their failures (in Chinese whatever the language; identification
// runs before the operator chose anything). Empty when there is none.
QString productionInformationFailureTip(int result);
QString softwareVersionFailureTip(int result);
