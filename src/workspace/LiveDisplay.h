#pragma once
// The live comparison displays of the workspace page (tableWidget_colorDiff
// of the current layout, tbColorDiff of the legacy one), drawn from the
// measuring session's numbers: the standard and the sample, the differences,
// deviation words, delta-E and the verdict, the swatches and the scan
// buttons' styles. What the operator types over a shown standard is read
// once, when the edit is finished (or when a comparison is about to be
// made), and handed to the session as a number; no other text is read back.

#include "ComparisonRecord.h"
#include "DisplayMode.h"

#include <QList>
#include <QObject>

class Dialogs;
class MeasurementSession;
class QTableWidget;
class QWidget;
struct FirstPageForm;

class LiveDisplay final : public QObject
{
    Q_OBJECT
public:
    // form, session and dialogs must outlive the display; boxes open over page.
    LiveDisplay(FirstPageForm& form, MeasurementSession& session, Dialogs& dialogs, QWidget* page);

    // The current display's fixed items, headings and dashes, and the
    // standard's edits of these rows.
    void setUpCurrent(const QList<int>& editRows);
    // The legacy display, once its widgets are built.
    void setUpLegacy();
    // Gives these rows of the standard column their line edit ("-----", the
    // delta-E row empty), keeping the edits it already has, in keyboard order.
    void completeStandardEdits(const QList<int>& rows);

    // Everything back to dashes, and the measurement buttons' styles.
    void reset(bool legacy);
    // A scan is about to fill target's column: its header and button marked,
    // its cells dashes.
    void begin(int target, bool legacy);
    // The column that receives target's result shows dashes.
    void prepare(int target, bool legacy);
    void showStandard(bool legacy);
    void showSample(bool legacy);
    // The judged comparison: differences, words, delta-E and verdict.
    void showComparison(const ComparisonRecord& record);
    // The live comparison judged again: its delta-E and verdict.
    void showJudgedAgain(const ComparisonRecord& record);
    // No comparison: nothing of an earlier one stays, and a box says which value is missing.
    void refuse(int badStandardIndex, int badSampleIndex, bool legacy);

    // The rows the display mode shows.
    void applyDisplayMode(DisplayMode mode);
    // The fixed texts, words and verdict again, in the language in force.
    void retranslate();

    // The page's LanguageChange event (the display watches the page for it).
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Hands the operator's finished edits of the standard to the session.
    void commitEdits();

    // A scan for target begins: false (and a box) without an instrument.
    // Results pushed before are shown and judged first, against the standard
    // they were taken for; then the column shows dashes until the result.
    bool startMeasurement(int target, bool legacy, bool linkOpen);
    // Every pushed result that has arrived (also still queued to the page) is
    // shown and judged now, without the pause.
    void showArrivedPushed();

Q_SIGNALS:
    // The page was told a new catalogue is in force.
    void languageChanged();

private:
    QTableWidget* display(bool legacy) const;
    void clearJudgement(bool legacy);
    void showVerdict(bool legacy, bool pass, bool warning = false);
    void showWords(const ComparisonRecord& record);
    void watchEdits();

    FirstPageForm& ui;
    MeasurementSession& m_session;
    Dialogs& m_dialogs;
    QWidget* m_page;
};
