#pragma once
// Copies the comparison records an instrument stored from its own keypad into
// rows for the comparison table. It reads the record count, then the record
// data and the names in pages of at most 256 bytes with the link lock held
// from the count to the last page, reports progress, and judges each
// record with the tolerances and the formula rule of a live comparison.
//
// All or nothing: every page is read before the first row is made, so a page
// that fails, or a cancel of the progress, leaves no rows at all. The caller
// (the workspace page, the command line) appends the rows and adds the counts;
// its InstrumentFeedback shows the messages and the progress.

#include "ComparisonRecord.h"
#include "InstrumentFeedback.h"
#include "Judgement.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

class LinkAccess;

// What an import needs to know of the page at the moment it runs.
struct ImportSettings
{
    // What every record is judged against, as a live comparison is
    // (InstrumentState::judgingSettings); the current procedure reads the
    // records of its display mode and the count cell of its layout.
    ComparisonSettings judging;
    QString modelName;
    QString serialNumber;  // the text of the serial-number field
    int totalCountBefore = 0; // the first row's NO is this + 1
    QDateTime importTime;  // stamped on every row; now when not set
};

struct ImportResult
{
    enum class Outcome {
        Imported,  // rows holds every stored record
        NoRecords, // the instrument holds none
        Cancelled, // the operator cancelled; rows is empty
        Failed,    // a read failed; rows is empty
        Skipped,   // not connected, or the operator kept the list (export not done)
    };
    Outcome outcome = Outcome::Failed;
    QList<ComparisonRecord> rows;
    int passed = 0;
    int failed = 0;
};

class RecordImport
{
    Q_DECLARE_TR_FUNCTIONS(RecordImport)
public:
    // What the procedure asks of the page before it reads anything.
    struct PageHooks
    {
        std::function<int()> rowCount;        // rows already in the table
        std::function<bool()> askToSaveRows;  // the question "save data first?"; unset: no
        std::function<bool()> exportRows;     // exported (and cleared) or not; unset: not exported
        std::function<void()> clearRows;      // the Clear operation with its own question
        std::function<bool()> readParameter;  // legacy: read the delta-E parameter; false stops
        std::function<ImportSettings()> settings; // the page's state after the steps above
    };

    RecordImport(LinkAccess& link, InstrumentFeedback& feedback);

    // The whole procedure: the connection test, the question that offers to
    // export or clear the rows first, then the transfer.
    ImportResult run(bool legacy, const PageHooks& hooks);

    // The transfer alone (the link must be open).
    ImportResult importCurrent(const ImportSettings& settings);
    ImportResult importLegacy(const ImportSettings& settings);

    // The question the page asks through askToSaveRows.
    static InstrumentMessage saveRowsQuestion();

    // The question before an import while rows are in the table. false: the
    // export failed (or was declined), do not import.
    bool offerToSaveRows(const PageHooks& hooks);

private:
    struct Layout
    {
        quint32 dataArea = 0;
        quint32 nameArea = 0;
        int dataSize = 0;
        int nameSize = 0;
        QString countErrorText;    // a data checksum error in the count
        QString dataPageErrorText; // a data page failed
    };
    struct Pages
    {
        ImportResult::Outcome outcome = ImportResult::Outcome::Failed;
        int count = 0;
        QByteArray data;
        QByteArray names;
    };
    // Count and pages under the link lock; reports the failure messages.
    Pages transfer(const Layout& layout, const std::function<int(int&)>& readCount);
    void error(const QString& text);

    LinkAccess& m_link;
    InstrumentFeedback& m_feedback;
};
