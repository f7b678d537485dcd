#include "StandardPickerPanel.h"

#include "Dialogs.h"
#include "FirstPageForm.h"
#include "InstrumentState.h"
#include "LinkAccess.h"
#include "MeasurementSession.h"
#include "SaveStandardDialog.h"
#include "StandardColorUpload.h"
#include "StandardLibrary.h"
#include "StandardPicker.h"
#include "StandardTexts.h"
#include "StandardsWindow.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QToolButton>

namespace {

constexpr int kIdRole = Qt::UserRole + 1;

// The limits the instrument's tolerances give, as a starting set for a
// standard kept from a scan: haze and T where the display mode judges them.
LibraryToleranceSet instrumentSet(const InstrumentState& state)
{
    LibraryToleranceSet set;
    const auto range = [&](ToleranceQuantity quantity, double tolerance) {
        if (tolerance >= 0.0) {
            ToleranceLimit limit;
            limit.quantity = quantity;
            limit.low = -tolerance;
            limit.high = tolerance;
            set.limits << limit;
        }
    };
    if (judgesHaze(state.displayMode)) {
        range(ToleranceQuantity::Haze, state.hazeTolerance);
    }
    if (judgesTransmittance(state.displayMode)) {
        range(ToleranceQuantity::T, state.transmittanceTolerance);
    }
    return set;
}

} // namespace

StandardPickerPanel::StandardPickerPanel(FirstPageForm& form, MeasurementSession& session, InstrumentState& state,
                                         LinkAccess& link, Dialogs& dialogs, QWidget* page)
    : QObject(page), ui(form), m_session(session), m_state(state), m_link(link), m_dialogs(dialogs), m_page(page)
{
    m_picker = new StandardPicker(session, state, this);

    // Under the scan buttons, across the live display.
    QGroupBox* group = ui.groupBox_newComparisonMeasurement;
    m_row = new QWidget(group);
    m_row->setObjectName(QStringLiteral("widget_standardPicker"));
    m_rowGrid = new QGridLayout(m_row);
    m_rowGrid->setContentsMargins(0, 0, 0, 0);
    m_label = new QLabel(m_row);
    m_edit = new QLineEdit(m_row);
    m_edit->setObjectName(QStringLiteral("lineEdit_libraryStandard"));
    m_label->setBuddy(m_edit);
    m_clear = new QToolButton(m_row);
    m_clear->setObjectName(QStringLiteral("toolButton_clearLibraryStandard"));
    m_clear->setText(QStringLiteral("\u2715"));
    m_clear->setFocusPolicy(Qt::StrongFocus);
    m_save = new QPushButton(m_row);
    m_save->setObjectName(QStringLiteral("pushButton_saveAsStandard"));
    m_open = new QPushButton(m_row);
    m_open->setObjectName(QStringLiteral("pushButton_standardsLibrary"));
    m_rowGrid->setColumnStretch(1, 1);
    arrangeRow(false);
    if (auto* grid = qobject_cast<QGridLayout*>(group->layout())) {
        grid->addWidget(m_row, 2, 0, 1, 3);
    }
    placeTabOrder(ui.pushButton_loadStandard, ui.pushButton_sampleMeasurement);

    m_suggestions = new QStandardItemModel(this);
    m_completer = new QCompleter(m_suggestions, this);
    // The library searches (prefix and substring); the list shows what it found.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_edit->setCompleter(m_completer);

    connect(m_edit, &QLineEdit::textEdited, this, &StandardPickerPanel::suggest);
    connect(m_edit, &QLineEdit::returnPressed, this, &StandardPickerPanel::submit);
    connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated), this, [this](const QModelIndex& index) {
        m_picker->choose(index.data(kIdRole).toUuid());
    });
    connect(m_clear, &QToolButton::clicked, this, [this] {
        m_picker->clearChoice();
        m_edit->clear();
    });
    connect(m_save, &QPushButton::clicked, this, &StandardPickerPanel::saveAsStandard);
    connect(m_open, &QPushButton::clicked, this, &StandardPickerPanel::openLibrary);
    connect(m_picker, &StandardPicker::choiceChanged, this, &StandardPickerPanel::showChoice);
    connect(&m_session, &MeasurementSession::standardShown, this, &StandardPickerPanel::applyEnabled);
    m_edit->installEventFilter(this);
    retranslate();
    applyEnabled();
}

StandardPickerPanel::~StandardPickerPanel()
{
    delete m_window; // a top-level window of its own
}

void StandardPickerPanel::setLibrary(StandardLibrary* library)
{
    m_picker->setLibrary(library);
    if (m_window) {
        delete m_window;
        m_window = nullptr;
    }
    applyEnabled();
}

void StandardPickerPanel::placeTabOrder(QWidget* before, QWidget* after)
{
    // Keyboard order: right after the standard's buttons.
    QWidget::setTabOrder(before, m_edit);
    QWidget::setTabOrder(m_edit, m_clear);
    QWidget::setTabOrder(m_clear, m_save);
    QWidget::setTabOrder(m_save, m_open);
    QWidget::setTabOrder(m_open, after);
}

void StandardPickerPanel::arrangeRow(bool twoLines)
{
    for (QWidget* w : {static_cast<QWidget*>(m_label), static_cast<QWidget*>(m_edit),
                       static_cast<QWidget*>(m_clear), static_cast<QWidget*>(m_save), static_cast<QWidget*>(m_open)}) {
        m_rowGrid->removeWidget(w);
    }
    m_rowGrid->addWidget(m_label, 0, 0);
    if (twoLines) {
        // The field and its clear button, then the two buttons.
        m_rowGrid->addWidget(m_edit, 0, 1, 1, 2);
        m_rowGrid->addWidget(m_clear, 0, 3);
        m_rowGrid->addWidget(m_save, 1, 0, 1, 2);
        m_rowGrid->addWidget(m_open, 1, 2, 1, 2);
    } else {
        m_rowGrid->addWidget(m_edit, 0, 1);
        m_rowGrid->addWidget(m_clear, 0, 2);
        m_rowGrid->addWidget(m_save, 0, 3);
        m_rowGrid->addWidget(m_open, 0, 4);
    }
}

void StandardPickerPanel::placeFor(bool firstGeneration)
{
    // The legacy live display has no height to spare (the window fits 1280 x
    // 720): there the picker stands in two lines in the settings column,
    // under the tolerances, which spans the live display's rows.
    auto* settings = ui.widget_settingsColumn ? qobject_cast<QVBoxLayout*>(ui.widget_settingsColumn->layout()) : nullptr;
    const bool legacy = firstGeneration && ui.groupBox_oldComparisonMeasurement && settings;
    QWidget* host = legacy ? ui.widget_settingsColumn : ui.groupBox_newComparisonMeasurement;
    if (m_row->parentWidget() == host) {
        return;
    }
    if (QLayout* old = m_row->parentWidget() ? m_row->parentWidget()->layout() : nullptr) {
        old->removeWidget(m_row);
    }
    m_row->setParent(host);
    arrangeRow(legacy);
    if (legacy) {
        settings->insertWidget(1, m_row);
        placeTabOrder(ui.loadstdBtn, ui.samplemeasurementBtn);
    } else if (auto* grid = qobject_cast<QGridLayout*>(host->layout())) {
        grid->addWidget(m_row, 2, 0, 1, 3);
        placeTabOrder(ui.pushButton_loadStandard, ui.pushButton_sampleMeasurement);
    }
    m_row->show();
}

void StandardPickerPanel::libraryReloaded()
{
    if (m_window) {
        m_window->reload();
    }
    applyEnabled();
}

void StandardPickerPanel::retranslate()
{
    m_label->setText(tr("Library standard:"));
    m_edit->setPlaceholderText(tr("Name or code (a scanner's barcode)"));
    m_edit->setAccessibleName(tr("Library standard: type a name or code, or scan its barcode"));
    m_clear->setToolTip(tr("Back to the instrument's tolerances"));
    m_clear->setAccessibleName(tr("Back to the instrument's tolerances"));
    m_save->setText(tr("Save as standard\u2026"));
    m_save->setAccessibleName(tr("Save the scanned standard in the library"));
    m_open->setText(tr("Library\u2026"));
    m_open->setAccessibleName(tr("Open the library of standards"));
    applyEnabled();
    showChoice();
}

bool StandardPickerPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    return QObject::eventFilter(watched, event);
}

void StandardPickerPanel::applyEnabled()
{
    const bool hasLibrary = m_picker->library() != nullptr;
    m_edit->setEnabled(hasLibrary);
    m_open->setEnabled(hasLibrary);
    m_clear->setEnabled(m_picker->chosen().has_value());
    m_save->setEnabled(m_picker->canSaveMeasured());
    // The station's copy only reads: said on the buttons that would write.
    const QString readOnly = m_picker->readOnlyReason();
    m_save->setToolTip(m_picker->canSaveMeasured() ? tr("Keeps the scanned standard in the library with its tolerances")
                       : !readOnly.isEmpty()       ? readOnly
                                                   : tr("Scan a standard first (a library standard is in the library already)"));
    m_edit->setToolTip(hasLibrary ? QString() : tr("No library of standards is open"));
    m_open->setToolTip(readOnly);
}

void StandardPickerPanel::suggest(const QString& text)
{
    m_suggestions->clear();
    for (const Standard& standard : m_picker->suggestions(text)) {
        auto* item = new QStandardItem(StandardPicker::suggestionText(standard));
        item->setData(standard.id, kIdRole);
        item->setToolTip(StandardTexts::values(standard));
        m_suggestions->appendRow(item);
    }
    if (m_suggestions->rowCount() > 0 && m_edit->hasFocus()) {
        m_completer->complete();
    }
}

void StandardPickerPanel::submit()
{
    if (m_completer->popup()) {
        m_completer->popup()->hide();
    }
    const StandardPicker::Outcome outcome = m_picker->submit(m_edit->text());
    if (outcome == StandardPicker::Outcome::Unknown || outcome == StandardPicker::Outcome::NoLibrary) {
        m_dialogs.information(m_page, tr("Library standard"), m_picker->message());
        m_edit->selectAll(); // the next scan replaces the text
    }
}

QLabel* StandardPickerPanel::inForceLabel(QGroupBox* group)
{
    // Under the panel's own fields, in whichever settings page the layout shows.
    const QString name = QStringLiteral("label_libraryTolerances");
    auto* label = group->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
    auto* grid = qobject_cast<QGridLayout*>(group->layout());
    if (!label && grid) {
        label = new QLabel(group);
        label->setObjectName(name);
        label->setWordWrap(true);
        label->setStyleSheet(QStringLiteral("background-color: rgb(255, 236, 179); color: black; padding: 3px;"));
        grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
    }
    return label;
}

void StandardPickerPanel::showChoice()
{
    const std::optional<Standard>& chosen = m_picker->chosen();
    QString text;
    if (chosen) {
        m_edit->setText(chosen->name);
        const LibraryToleranceSet& set = m_session.libraryStandard().tolerances;
        text = !hasValueLimits(set.limits)
                   ? tr("%1 (version %2) has no tolerances yet: the instrument's tolerances judge.")
                         .arg(chosen->name)
                         .arg(chosen->version)
                   : tr("In force: the library's tolerances of %1 (version %2): %3. The instrument's "
                        "tolerances are not changed.")
                         .arg(chosen->name)
                         .arg(chosen->version)
                         .arg(StandardTexts::set(set));
    } else if (!m_edit->hasFocus()) {
        m_edit->clear();
    }
    for (QGroupBox* group : {ui.groupBox_setTolerance, ui.groupBox_eParameter}) {
        if (QLabel* label = group && (chosen || group->findChild<QLabel*>(QStringLiteral("label_libraryTolerances")))
                                ? inForceLabel(group)
                                : nullptr) {
            label->setText(text);
            label->setAccessibleName(text);
            label->setVisible(chosen.has_value());
        }
    }
    applyEnabled();
}

void StandardPickerPanel::saveAsStandard()
{
    StandardLibrary* library = m_picker->library();
    if (!library || !m_picker->canSaveMeasured()) {
        return;
    }
    Standard shown;
    shown.values = m_session.standard().values;
    SaveStandardDialog dialog(library->sharedSets(), StandardTexts::values(shown), m_page);
    dialog.setOwnSet(instrumentSet(m_state));
    // The dialog stays until the library takes the standard or the operator cancels.
    while (dialog.exec() == QDialog::Accepted) {
        QString error;
        const std::optional<LibraryToleranceSet> set = dialog.tolerances(&error);
        if (set && m_picker->saveMeasured(dialog.name(), dialog.code(), dialog.note(), *set)) {
            if (m_window) {
                m_window->reload();
            }
            return;
        }
        dialog.showProblem(set ? m_picker->message() : error);
    }
}

StandardsWindow* StandardPickerPanel::openLibrary()
{
    StandardLibrary* library = m_picker->library();
    if (!library) {
        return nullptr;
    }
    if (!m_window) {
        m_window = new StandardsWindow(*library, m_dialogs);
        m_window->setWriteToInstrument([this](const QList<Standard>& standards, QWidget* window) {
            StandardColorUpload::runStandards(m_link, m_dialogs, window, m_state.modelName, standards);
        });
    } else {
        m_window->reload();
    }
    m_window->setInstrumentModel(m_state.modelName);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window;
}
