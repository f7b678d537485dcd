#pragma once
// Identity and factory defaults of one emulated instrument model.

#include <QDate>
#include <QString>
#include <QStringList>

struct EmulatorModel
{
    QString name;                 // "TX310" ...
    quint32 meterNumber = 0;      // what identification reports; the "meterno" table maps it
    quint32 serialNumber = 0;
    int softwareVersion = 0;      // version x 100
    int layoutIndex = 0;          // workspace layout the model table assigns
    bool offersKeyInformation = true; // false: key information refused with 0xA0 04
    int displayMode = 0;          // display parameter at power-up
    QDate productionDate;

    // First-generation colorimeter: TX420/TX450 below 300, TX430/TX460 below 400.
    bool isFirstGeneration() const;
    // Results pushed by the measuring key come as block frames (older TX310 and TX470).
    bool pushesBlockFrames() const;
    // Only the layout-1 colorimeters hold a standard-colour library.
    bool hasStandardColorLibrary() const { return layoutIndex == 1; }
    // Layouts 0 and 3 measure transmittance (films); 1 and 2 reflectance (plaques).
    bool measuresTransmittance() const { return layoutIndex == 0 || layoutIndex == 3; }
};

// The six models by name; isKnownEmulatorModel tells whether a name is one of them.
QStringList emulatorModelNames();
bool isKnownEmulatorModel(const QString& name);
// The defaults of a model (TX310 when the name is unknown); softwareVersion > 0
// replaces the default version, which also chooses the generation.
EmulatorModel emulatorModel(const QString& name, int softwareVersion = 0);
