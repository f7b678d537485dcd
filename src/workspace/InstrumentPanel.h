#pragma once
// The instrument side of the workspace page: identifying who is attached and
// the layout that serves it, the display mode, and the settings panel
// (reading and writing the tolerances, the colour-difference parameter and
// the display parameter, then judging the live comparison and every row
// again). The rules and exchanges live in the instrument library; this class
// moves texts between them and the page's widgets.

#include "DisplayMode.h"
#include "LinkAccess.h"
#include "WorkspaceRules.h"

#include <QObject>

class Dialogs;
class LiveDisplay;
class MeasurementSession;
class QButtonGroup;
class QWidget;
class RecordTables;
class StandardPickerPanel;
struct ComparisonSettings;
struct FirstPageForm;
struct ImportSettings;
struct InstrumentState;

class InstrumentPanel final : public QObject
{
    Q_OBJECT
public:
    // Everything given must outlive the panel; boxes open over page.
    InstrumentPanel(FirstPageForm& form, LinkAccess& link, Dialogs& dialogs, InstrumentState& state,
                    MeasurementSession& session, LiveDisplay& display, RecordTables& tables, QWidget* page);

    // The modal seam and the link access the page was given.
    Dialogs& dialogs() const { return m_dialogs; }
    LinkAccess& link() const { return m_link; }
    // The library standard picker beside "Scan Standard", and the library window.
    StandardPickerPanel& standards() const { return *m_standards; }
    bool isLinkOpen() const;

    // Where "meterno" is read from; default beside the executable. Reloads the table.
    void loadModelTable(const QString& path);
    const ModelTable& modelTable() const { return m_modelTable; }
    // The start-up language of a page built with its catalogue already in
    // force: the flag and the texts it chooses (no retranslation).
    void setChineseUi(bool chinese);
    void setSpectralButtonText();

    // Identification of the attached instrument; false when it stopped at a failure.
    bool identifyDevice();
    // The tolerance and delta-E parameter reads after identification, by layout.
    void readSettingsAfterConnect();

    // Shows and hides the display rows and table columns of the display mode.
    void applyDisplayMode();
    // "Load standard…" only in the modes a file standard can be judged in.
    void applyLoadStandardState();
    // A display-mode button was chosen: the tolerance inputs it asks for.
    void displayModeChosen(int id);

    // The settings panel's commands (1 / -1 as the reads have always answered).
    int readTolerance();
    void setTolerance();
    int readParameter();
    void setParameter();
    void setDisplayParameter();

    // The settings a new comparison is judged against (current or legacy layout).
    ComparisonSettings judgingSettings(bool legacy) const;
    // What a record import is judged against and stamped with.
    ImportSettings importSettings(bool legacy) const;
    // The live comparison and every row judged again, after a settings change.
    void judgeAgain();
    // The Clear operation of a layout without its question: display, session, rows.
    void clearWork(bool legacy);
    // The seven display-mode radio buttons, ids 0..6 as the display parameter.
    QButtonGroup* displayModeGroup() const { return m_displayModeGroup; }

private:
    void applyLayout(bool firstGeneration);
    bool applyDisplayParameter(DisplayMode displayMode);
    void setToleranceInputs(const ToleranceInputs& inputs);

    FirstPageForm& ui;
    LinkAccess& m_link;
    Dialogs& m_dialogs;
    InstrumentState& m_state;
    MeasurementSession& m_session;
    LiveDisplay& m_display;
    RecordTables& m_tables;
    QWidget* m_page;
    QButtonGroup* m_displayModeGroup = nullptr;
    ModelTable m_modelTable;
    StandardPickerPanel* m_standards = nullptr;
};
