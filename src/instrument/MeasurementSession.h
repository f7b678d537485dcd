#pragma once
// A measuring session without widgets: where the next result goes (standard
// or sample), whether a standard is taken, the live standard and sample as
// numbers (rounded as the live display shows them), the results the
// instrument pushes (their queue, and the pause with dashes before each is
// shown), and the judged comparison of every sample with the standard. The
// workspace page draws what it announces; a test or a program without a
// window drives it over any link just the same.

#include "ComparisonRecord.h"
#include "FrameScanner.h"
#include "InstrumentState.h"
#include "LinkAccess.h"
#include "MeasurementReading.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class MyThread;
class QTimer;
class ReceiveWorker;

class MeasurementSession : public QObject
{
    Q_OBJECT
public:
    // nextMeasurement: where the next result (scanned or pushed) goes.
    enum Target { Standard = 1, Sample = 2 };

    // Settings a comparison is judged against, asked for at every comparison
    // (the page adds the formula and threshold it shows).
    using SettingsSource = std::function<ComparisonSettings(bool legacy)>;

    // link and state must outlive the session; state is the one the page
    // keeps (display mode, model, settings read, the comparison sequence).
    MeasurementSession(LinkAccess& link, InstrumentState& state, QObject* parent = nullptr);
    ~MeasurementSession() override;
    void setSettingsSource(SettingsSource source) { m_settings = std::move(source); }

    int nextMeasurement() const { return m_nextMeasurement; }
    void setNextMeasurement(Target target) { m_nextMeasurement = target; }
    bool standardTaken() const { return m_standardTaken; }

    // The live values (NaN: not known), rounded as the display shows them.
    struct Side
    {
        ComparisonRecord::Values values{};
        ComparisonRecord::LegacyValues legacyValues{};
        // The instrument's colour of the measured side; none for a standard from a file.
        std::optional<std::array<int, 3>> rgb;
        bool taken = false;
    };
    const Side& standard() const { return m_standard; }
    const Side& sample() const { return m_sample; }
    // Several readings of each specimen: with n > 1 every result (scanned or
    // pushed) is one reading of the same specimen; after the n-th their mean
    // or median becomes the standard or the sample. reReadAbove > 0: when the
    // largest delta-E between two readings exceeds it, one more reading is
    // asked for (once per specimen).
    struct ReadingsPlan
    {
        int perStandard = 1;
        int perSample = 1;
        bool median = false;
        double reReadAbove = 0.0;
    };
    void setReadingsPlan(const ReadingsPlan& plan);
    const ReadingsPlan& readingsPlan() const { return m_plan; }
    // The readings taken so far of the specimen being read (none between specimens).
    struct PendingReadings
    {
        int target = 0;
        bool legacy = false;
        int needed = 1;
        bool reReadAsked = false;
        QList<ComparisonRecord::Values> values;
        QList<ComparisonRecord::LegacyValues> legacyValues;
        qsizetype count() const { return values.size(); }
    };
    const PendingReadings& pendingReadings() const { return m_pending; }
    // Throws the last reading of the specimen being read away; false when
    // there is none (before the first, or the specimen is finished).
    bool discardLastReading();

    // The last comparison judged (live display), until a new standard or a reset.
    const std::optional<ComparisonRecord>& liveRecord() const { return m_live; }

    // Measures once on the path and takes the result for target. false (and
    // measurementFailed) when the instrument gave none. Where pushed results
    // go is the caller's (the scan buttons set it first).
    bool measure(Target target, FetchPath path);
    // A reading as the standard (a new comparison starts) or as the sample
    // (compared with the standard, if one is taken).
    void takeStandard(const ColorReading& reading, bool legacy);
    void takeSample(const ColorReading& reading, bool legacy);
    // A standard of known L*a*b* from a colour file: no haze or transmittance,
    // no colour of the instrument's; the next result pushed is a sample.
    void takeStandardFromFile(const ColorReading& reading, bool legacy);
    // A standard of the library: its values (kUnknown where it has none) are
    // the live standard, and its set (library) judges every sample compared
    // with it; the next result pushed is a sample. A new scan, a file's
    // standard or a reset drops it.
    void takeLibraryStandard(const ComparisonRecord::Values& values, const LibraryJudgement& library, bool legacy);
    // The instrument's tolerances judge again; the standard's values stay.
    void dropLibraryStandard();
    // The library standard in force (not in use: the instrument's tolerances judge).
    const LibraryJudgement& libraryStandard() const { return m_library; }
    // The operator typed over one value of the shown standard (current
    // layout): a number, or NaN for an edit left empty or not a number.
    void setStandardValue(int index, double value);

    // Judges the live comparison again with the settings in force (after a
    // settings change); no new record is made. Nothing when no comparison is
    // shown or it cannot be made.
    std::optional<ComparisonRecord> judgeLiveAgain(bool legacy);

    // Results pushed by the instrument: bytes as the receive worker read them.
    // The frames are taken in the display mode in force, into the queue.
    void takePushed(const QByteArray& chunk);
    void takePushedFrames(const QByteArray& chunk, PushedFrameFormat format, bool legacy);
    // Shows every pushed result that has arrived, in order, without the pause.
    void showArrivedPushed();
    // The same when the worker stops; a partial frame left is dropped.
    void flushPushed();
    // How long a pushed result shows dashes before its values.
    int pushedDisplayPauseMs = 500;

    // The receive worker, on its own thread, handing its chunks to receiver
    // (the page's slot, which hands them back to takePushed).
    void startReceiving(const std::function<void(MyThread*)>& connect);
    void stopReceiving();
    MyThread* receiveWorker() const;

    // Back to the start of a comparison: no standard, a standard comes next.
    void reset();

Q_SIGNALS:
    // The column about to receive a result shows dashes (pushed results: for the pause).
    void preparing(int target, bool legacy);
    void standardShown(bool legacy);
    void sampleShown(bool legacy);
    // A judged comparison of the sample with the standard, stamped with the
    // time and the model; the caller numbers, names and keeps it.
    void compared(const ComparisonRecord& record);
    // No comparison was made: a value of the standard (or sample) is not known.
    void refused(int badStandardIndex, int badSampleIndex, bool legacy);
    // A measurement (fetched or pushed) gave no reading.
    void measurementFailed();
    // The library standard in force was taken or dropped.
    void libraryStandardChanged();
    // One reading of several of target's specimen was taken or discarded
    // ("Reading 2 of 3"); the side shows the average of those taken so far.
    void readingTaken(int target, int taken, int needed, bool legacy);
    // The readings are too far apart: deltaE between two of them exceeds
    // limit, so one more reading is needed.
    void reReadAsked(int target, double deltaE, double limit, bool legacy);

private:
    struct PushedResult
    {
        int target = Standard; // nextMeasurement when it arrived
        bool legacy = false;
        ColorReading reading;
    };
    void take(int target, const ColorReading& reading, bool legacy);
    void takeReading(int target, const ColorReading& reading, bool legacy);
    void showPending();
    void finishPending();
    void compare(bool legacy);
    void showNextPushed();
    void forgetLibraryStandard();

    LinkAccess& m_link;
    InstrumentState& m_state;
    SettingsSource m_settings;
    int m_nextMeasurement = Standard;
    bool m_standardTaken = false;
    Side m_standard;
    Side m_sample;
    std::optional<ComparisonRecord> m_live;
    LibraryJudgement m_library;         // the library standard in force, if in use
    ReadingsPlan m_plan;
    PendingReadings m_pending;
    ComparisonRecord::ReadingsSummary m_readings; // of the standard and sample shown
    QByteArray m_pushedData;            // pushed bytes that may still begin a frame
    QList<PushedResult> m_pushedQueue;  // pushed results waiting for their display
    QTimer* m_pushedTimer = nullptr;    // the dashes' pause of the first waiting result
    std::unique_ptr<ReceiveWorker> m_receiver;
};
