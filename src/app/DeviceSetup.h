#pragma once
#include <QString>
#include <QStringList>

#include <memory>

class DeviceNotifier;
#include "LinkFactory.h"

// What the command line chose: the real instrument or an emulated one, and
// the language the window starts in.
struct StartOptions
{
    bool simulate = false;
    QString model;           // emulated model (TX310 unless named)
    int softwareVersion = 0; // emulated version x 100; 0 keeps the model's own
    bool chinese = true;     // the start-up language: Chinese unless --lang en
    bool valid = true;
    QString error;
};

StartOptions parseStartOptions(const QStringList& arguments);

// The link factory and notification source for those options. The one place
// where the emulated instrument is chosen over the real one.
struct DeviceSetup
{
    std::unique_ptr<LinkFactory> factory;
    DeviceNotifier* notifier = nullptr; // handed to the main window, which owns it
};

DeviceSetup createDeviceSetup(const StartOptions& options);
