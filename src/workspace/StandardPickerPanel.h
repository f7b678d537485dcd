#pragma once
// The standard picker's widgets on the workspace page, under the live
// display's scan buttons: the search field (a name or a code; a barcode
// scanner types the code and Enter), its list, the button back to the
// instrument's tolerances, "Save as standard…" and the library window; and
// in the settings panel the library's tolerances in force. The work is the
// picker's (StandardPicker); this class moves texts between it and widgets.

#include "Standard.h"

#include <QObject>

class Dialogs;
class LinkAccess;
class MeasurementSession;
class QCompleter;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QToolButton;
class QWidget;
class StandardLibrary;
class StandardPicker;
class StandardsWindow;
struct FirstPageForm;
struct InstrumentState;

class StandardPickerPanel final : public QObject
{
    Q_OBJECT
public:
    // Everything given must outlive the panel; boxes open over page.
    StandardPickerPanel(FirstPageForm& form, MeasurementSession& session, InstrumentState& state, LinkAccess& link,
                        Dialogs& dialogs, QWidget* page);
    ~StandardPickerPanel() override;

    // The library searched and edited; none: the picker is off, saying why.
    void setLibrary(StandardLibrary* library);
    // The library's file was written by another connection (the station's
    // sync) and read again: the library window and the buttons follow; the
    // standard chosen stays the version it was.
    void libraryReloaded();
    StandardPicker& picker() { return *m_picker; }
    QLineEdit* searchEdit() const { return m_edit; }

    // Enter in the search field (a scanner's code, a typed name).
    void submit();
    // "Save as standard…": the dialog, then the library.
    void saveAsStandard();
    // The library window, opened once and raised after.
    StandardsWindow* openLibrary();
    void retranslate();
    // The picker's row where the layout shown has room: under the scan
    // buttons of the current layout; in the first-generation colorimeters'
    // legacy layout (once built), in the settings column.
    void placeFor(bool firstGeneration);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void suggest(const QString& text);
    void showChoice();
    void applyEnabled();
    void placeTabOrder(QWidget* before, QWidget* after);
    // The row's widgets in one line, or in two (the legacy layout's place).
    void arrangeRow(bool twoLines);
    QLabel* inForceLabel(QGroupBox* group);

    FirstPageForm& ui;
    MeasurementSession& m_session;
    InstrumentState& m_state;
    LinkAccess& m_link;
    Dialogs& m_dialogs;
    QWidget* m_page;
    StandardPicker* m_picker = nullptr;
    QWidget* m_row = nullptr;
    QGridLayout* m_rowGrid = nullptr;
    QLabel* m_label = nullptr;
    QLineEdit* m_edit = nullptr;
    QToolButton* m_clear = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_open = nullptr;
    QCompleter* m_completer = nullptr;
    QStandardItemModel* m_suggestions = nullptr;
    StandardsWindow* m_window = nullptr;
};
