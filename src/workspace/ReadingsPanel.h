#pragma once
// Several readings per specimen on the workspace page: the settings (readings
// per standard and per sample, mean or median, the re-read rule, CGATS with
// every reading), kept in the user's settings and handed to the measuring
// session; what has been read of the specimen so far ("Reading 2 of 3") and
// "Discard last reading" in the buttons row.

#include "ComparisonRecord.h"

#include <QObject>
#include <QString>

class MeasurementSession;
struct FirstPageForm;
struct InstrumentState;

class ReadingsPanel final : public QObject
{
    Q_OBJECT
public:
    // form, session and state must outlive the panel.
    ReadingsPanel(FirstPageForm& form, MeasurementSession& session, const InstrumentState& state, QObject* parent);

    // The status line again in the language in force.
    void retranslate();

    // The status line after a reading: "Sample: reading 2 of 3", then the
    // readings' main value (haze, T, L* or Y as the mode shows them).
    static QString statusText(int target, int taken, int needed, const QList<double>& mainValues, int decimals);
    // A table row's tooltip: n of each side and the SD and range of every value the mode shows.
    static QString recordToolTip(const ComparisonRecord& record);
    // "Comp3 (n=3)" for a record read several times, else the name.
    static QString shownName(const ComparisonRecord& record, const QString& name);

private:
    void load();
    void settingsChanged();
    void showReading(int target, int taken, int needed, bool legacy);
    void showReRead(int target, double deltaE, double limit);

    FirstPageForm& ui;
    MeasurementSession& m_session;
    const InstrumentState& m_state;
    // What the status line says, to say it again in another language.
    struct Shown
    {
        int target = 0;
        int taken = 0;
        int needed = 0;
        bool legacy = false;
        bool reRead = false;
        double deltaE = 0.0;
        double limit = 0.0;
    } m_shown;
};
