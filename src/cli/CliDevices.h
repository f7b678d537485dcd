#pragma once
// The instruments a run can talk to: those hidapi enumerates and the emulated
// ones --simulate adds; --device serial:SN or path:P picks one, and several
// without --device are refused rather than one picked at random. An open
// instrument is identified as the window identifies it and its settings are
// read as the window reads them after connecting.

#include "ComparisonRecord.h"
#include "Identification.h"
#include "InstrumentFeedback.h"
#include "Judgement.h"
#include "LinkAccess.h"
#include "LinkTransport.h"
#include "WorkspaceRules.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class CLinker;
class InstrumentEmulator;
struct CliEnvironment;

struct CliDevice
{
    QString path;      // "/dev/hidraw3", or "simulated:1" for the first --simulate
    QString usbSerial; // what USB enumeration reports (empty for an emulated one)
    std::shared_ptr<InstrumentEmulator> emulator; // null for a real instrument
};

// Collects what the exchanges report; the command decides whether to say it
// (a failure's reasons) or not (a "Read successful!" box has no place in a script).
class CliFeedback final : public InstrumentFeedback
{
public:
    explicit CliFeedback(std::function<void(int, int)> progress = {}, std::function<void()> done = {})
        : m_progress(std::move(progress)), m_done(std::move(done))
    {
    }
    void inform(const InstrumentMessage& message) override { messages << message; }
    void progressStart(const QString&, const QString&, int maximum) override { m_maximum = maximum; }
    bool progressStep(int value) override
    {
        if (m_progress) {
            m_progress(value + 1, m_maximum);
        }
        return true;
    }
    void progressEnd() override
    {
        if (m_done) {
            m_done();
        }
    }
    QString texts() const;
    QList<InstrumentMessage> messages;

private:
    std::function<void(int, int)> m_progress;
    std::function<void()> m_done;
    int m_maximum = 0;
};

// An open instrument: its link without a receive worker (a run is one thread,
// so no lock is needed), who it is and the settings in force.
class CliInstrument final : public LinkAccess
{
public:
    CliInstrument(CliDevice device, std::unique_ptr<CLinker> link);
    ~CliInstrument() override;

    Transport& transport() override { return m_transport; }
    LinkMutex* linkMutex() override { return nullptr; }

    const CliDevice& device() const { return m_device; }
    // Identification as the window does it; false with the reasons in feedback.
    bool identify(const ModelTable& table, CliFeedback& feedback);
    // The settings the window reads after identification: the tolerances, or
    // the colour-difference parameter on the layouts that use it.
    bool readSettings(CliFeedback& feedback);

    IdentificationOutcome identity;
    QString modelName;      // "UnKnow" when the model table does not know it
    QString serialNumber;
    int layoutIndex = 0;
    int softwareVersion = 0;
    bool firstGeneration = false;
    DisplayMode displayMode = DisplayMode::None;
    Tolerances tolerances;  // the tolerance page's three values, or -1
    int formulaCode = 0;
    double parameterThreshold = -1.0;
    QString formulaText;    // as the settings panel shows it

    // The settings a comparison made now is judged against.
    ComparisonSettings comparisonSettings() const;

    // Waits up to waitMs for a result pushed by the measuring key, as the
    // receive worker would see it; false when none came in time.
    bool waitForPushedReading(int waitMs, struct ColorReading& reading);

private:
    CliDevice m_device;
    std::unique_ptr<CLinker> m_link;
    LinkTransport m_transport;
    QByteArray m_pushed; // bytes read while waiting for the measuring key
};

// What `devices` says of one instrument.
struct CliDeviceDescription
{
    enum State { Ready, HeldByWindow, CannotOpen, NotIdentified };
    State state = Ready;
    QString serialNumber; // the instrument's own, else the USB serial
    QString modelName;
    int softwareVersion = 0;
};

class CliDevices
{
public:
    explicit CliDevices(CliEnvironment& environment) : m_env(environment) {}

    // "--simulate MODEL[:VERSION]" once per emulated instrument; false with
    // the reason for a model or version the emulator does not know.
    bool addSimulated(const QString& modelText, QString& error);
    // Real instruments (hidapi) then the emulated ones.
    QList<CliDevice> attached() const;
    bool hasSimulated() const { return !m_simulated.isEmpty(); }

    // Opens one device; null when it does not open.
    std::unique_ptr<CliInstrument> open(const CliDevice& device) const;
    // Opens and identifies one device, unless the window holds it.
    CliDeviceDescription describe(const CliDevice& device, bool windowRunning) const;

private:
    CliEnvironment& m_env;
    QList<std::shared_ptr<InstrumentEmulator>> m_simulated;
};

// The model table "meterno" from the data folders.
const ModelTable& cliModelTable();
