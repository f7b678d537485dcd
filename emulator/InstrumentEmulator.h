#pragma once
// The emulated instrument: a virtual device behind the HID backend interface.
// It receives output reports and answers with input reports exactly as the
// instrument does, from its own queue (never from inside the caller's write),
// pushes results as the measuring key does, and can inject faults.
//
// Contract used by the link, protocol and application code; the emulator work
// fills in the implementation and may add to it.

#include "EmulatorModel.h"
#include "HidBackend.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class VirtualInstrument; // the instrument's memory and command handling
class EmulatedHidBackend; // the byte pipe createBackend() hands out

// One injected misbehaviour, applied to the next `count` frames the instrument
// sends (replies and pushed results). ErrorReply applies to replies only,
// BadBlockChecksum only to replies that carry a data-block checksum.
enum class EmulatorFault {
    Silence,          // no reply at all
    NoiseBefore,      // a few bytes that are not 0xAB before the reply
    SplitReply,       // the reply spread over several reports of 5 bytes
    MergeWithNext,    // this reply is held back and sent in one report with the next one
    BadFrameChecksum, // last two bytes of the reply corrupted
    BadBlockChecksum, // data-block checksum inside the reply corrupted
    ErrorReply,       // the function's error form (byte 1) with an error code (byte 2)
};

class InstrumentEmulator
{
public:
    // model: "TX310", "TX420", "TX430", "TX450", "TX460", "TX470" (TX310 when unknown);
    // softwareVersion overrides the model's default (version x 100) when > 0.
    explicit InstrumentEmulator(const QString& model = QStringLiteral("TX310"), int softwareVersion = 0);
    ~InstrumentEmulator();

    // A byte pipe attached to this instrument; open() succeeds while plugged in.
    std::unique_ptr<HidBackend> createBackend();

    void plug();
    void unplug(); // open pipes then fail and report the device gone
    bool isPlugged() const;

    // One input report per millisecond in each direction, as a full-speed
    // interrupt endpoint allows. Off by default (answers at once).
    void setPaced(bool paced);

    void injectFault(EmulatorFault fault, int count = 1);
    // Faults that wait for a request to come: n = 1 is the next request frame
    // the computer starts to send, n = 2 the one after, and so on.
    // The reply to the n-th request gets fault.
    void injectFaultAtRequest(int n, EmulatorFault fault);
    // The output report that begins the n-th request is refused: the write fails.
    void refuseRequest(int n);
    // The instrument is unplugged as the n-th request begins; it is not answered.
    void unplugAtRequest(int n);
    void clearFaults(); // every fault, waiting ones included

    // The operator pressed the measuring key: a full-record frame (or a block
    // frame for the current display mode when blockFrames; Haze/T/Lab sends
    // the Haze/T block) is pushed unasked. Nothing happens while unplugged.
    void pressMeasureKey(bool blockFrames = false);
    // Raw bytes delivered as input reports of at most 62 data bytes each.
    void queueRawInput(const QByteArray& bytes);

    // What the instrument received, one entry per request frame whose frame
    // checksum was right, checksum included (a measurement request with its
    // two extra bytes).
    QList<QByteArray> receivedFrames() const;
    // The instrument's state (settings, identity, records, library). Not
    // locked: use it from the thread that sends the requests, or while idle.
    VirtualInstrument& instrument();

    // The model as configured (name, meter number, version, layout ...).
    EmulatorModel model() const;
    // Called with the new state after plug() and unplug(), on the caller's thread.
    void setPlugListener(std::function<void(bool plugged)> listener);
    // Request frames dropped for a wrong frame checksum (never answered).
    int rejectedFrameCount() const;
    // Reports moved so far: output reports received, input reports delivered.
    int outputReportCount() const;
    int inputReportCount() const;

private:
    friend class EmulatedHidBackend;
    struct Impl;
    std::shared_ptr<Impl> d;
};
