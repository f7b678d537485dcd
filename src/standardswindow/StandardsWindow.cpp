#include "StandardsWindow.h"

#include "Dialogs.h"
#include "FileFolders.h"
#include "StandardFiles.h"
#include "StandardLibrary.h"
#include "StandardListModel.h"
#include "StandardTexts.h"
#include "ToleranceSetEditor.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using V = ComparisonRecord;
// The value edits: L*, a*, b*, haze, T.
constexpr int kValueIndex[5] = {V::LabL, V::LabA, V::LabB, V::Haze, V::Transmittance};

QString valueText(double value)
{
    return std::isnan(value) ? QString() : QString::number(value, 'f', 2);
}

} // namespace

StandardsWindow::StandardsWindow(StandardLibrary& library, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_library(library), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("StandardsWindow"));
    m_model = new StandardListModel(library, this);
    build();
    retranslate();
    applyReadOnly();
    fillForm(std::nullopt);
    // Within a 1366 x 768 screen, and down to 1280 x 720.
    resize(1100, 660);
    if (const QScreen* screen = this->screen()) {
        resize(size().boundedTo(screen->availableSize() - QSize(40, 60)));
    }
}

void StandardsWindow::build()
{
    auto* outer = new QVBoxLayout(this);
    m_readOnly = new QLabel(this);
    m_readOnly->setObjectName(QStringLiteral("label_readOnly"));
    m_readOnly->setWordWrap(true);
    m_readOnly->setStyleSheet(QStringLiteral("background-color: rgb(255, 236, 179); padding: 4px;"));
    outer->addWidget(m_readOnly);

    auto* splitter = new QSplitter(this);
    outer->addWidget(splitter, 1);

    // The list and its search.
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_search = new QLineEdit(left);
    m_search->setObjectName(QStringLiteral("lineEdit_search"));
    m_search->setClearButtonEnabled(true);
    m_list = new QListView(left);
    m_list->setObjectName(QStringLiteral("listView_standards"));
    m_list->setModel(m_model);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    leftLayout->addWidget(m_search);
    leftLayout->addWidget(m_list, 1);
    auto* listButtons = new QHBoxLayout;
    m_new = new QPushButton(left);
    m_new->setObjectName(QStringLiteral("pushButton_new"));
    m_remove = new QPushButton(left);
    m_remove->setObjectName(QStringLiteral("pushButton_remove"));
    listButtons->addWidget(m_new);
    listButtons->addWidget(m_remove);
    leftLayout->addLayout(listButtons);

    // The chosen standard.
    auto* right = new QWidget(splitter);
    auto* form = new QFormLayout(right);
    form->setContentsMargins(0, 0, 0, 0);
    m_name = new QLineEdit(right);
    m_name->setObjectName(QStringLiteral("lineEdit_name"));
    m_code = new QLineEdit(right);
    m_code->setObjectName(QStringLiteral("lineEdit_code"));
    auto* valuesRow = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        m_valueLabels[i] = new QLabel(right);
        m_values[i] = new QLineEdit(right);
        m_values[i]->setObjectName(QStringLiteral("lineEdit_value%1").arg(i));
        m_valueLabels[i]->setBuddy(m_values[i]);
        valuesRow->addWidget(m_valueLabels[i]);
        valuesRow->addWidget(m_values[i], 1);
    }
    m_origin = new QLabel(right);
    m_origin->setObjectName(QStringLiteral("label_origin"));
    m_origin->setWordWrap(true);
    m_note = new QPlainTextEdit(right);
    m_note->setObjectName(QStringLiteral("plainTextEdit_note"));
    m_note->setTabChangesFocus(true);
    m_note->setMaximumHeight(50);
    m_versions = new QListWidget(right);
    m_versions->setObjectName(QStringLiteral("listWidget_versions"));
    m_versions->setMaximumHeight(80);
    auto* setRow = new QHBoxLayout;
    m_setChoice = new QComboBox(right);
    m_setChoice->setObjectName(QStringLiteral("comboBox_set"));
    m_setName = new QLineEdit(right);
    m_setName->setObjectName(QStringLiteral("lineEdit_setName"));
    setRow->addWidget(m_setChoice, 1);
    setRow->addWidget(m_setName, 1);
    m_editor = new ToleranceSetEditor(right);
    m_save = new QPushButton(right);
    m_save->setObjectName(QStringLiteral("pushButton_save"));

    for (int i = 0; i < 8; ++i) {
        m_formLabels[i] = new QLabel(right);
    }
    form->addRow(m_formLabels[0], m_name);
    form->addRow(m_formLabels[1], m_code);
    form->addRow(m_formLabels[2], valuesRow);
    form->addRow(m_formLabels[3], m_origin);
    form->addRow(m_formLabels[4], m_note);
    form->addRow(m_formLabels[5], m_versions);
    form->addRow(m_formLabels[6], setRow);
    form->addRow(m_formLabels[7], m_editor);
    form->addRow(QString(), m_save);
    m_formLabels[0]->setBuddy(m_name);
    m_formLabels[1]->setBuddy(m_code);
    m_formLabels[4]->setBuddy(m_note);
    m_formLabels[5]->setBuddy(m_versions);
    m_formLabels[6]->setBuddy(m_setChoice);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    // Room for names like "PET film clear 50  [6901234500017]".
    left->setMinimumWidth(260);
    splitter->setSizes({320, 780});

    // Files and the instrument.
    auto* bottom = new QHBoxLayout;
    m_import = new QPushButton(this);
    m_import->setObjectName(QStringLiteral("pushButton_import"));
    m_export = new QPushButton(this);
    m_export->setObjectName(QStringLiteral("pushButton_export"));
    m_writeButton = new QPushButton(this);
    m_writeButton->setObjectName(QStringLiteral("pushButton_writeToInstrument"));
    m_writeButton->setEnabled(false);
    bottom->addWidget(m_import);
    bottom->addWidget(m_export);
    bottom->addStretch(1);
    bottom->addWidget(m_writeButton);
    outer->addLayout(bottom);

    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QUuid keep = m_shown ? m_shown->id : QUuid();
        m_model->setFilter(text);
        if (!keep.isNull() && m_model->rowOf(keep) >= 0) {
            showStandard(keep);
        }
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, &StandardsWindow::currentChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        // A new model reset gives a new selection model's state: follow it again.
        connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &StandardsWindow::currentChanged, Qt::UniqueConnection);
    });
    connect(m_new, &QPushButton::clicked, this, &StandardsWindow::newStandard);
    connect(m_save, &QPushButton::clicked, this, &StandardsWindow::saveStandard);
    connect(m_remove, &QPushButton::clicked, this, &StandardsWindow::removeStandard);
    connect(m_import, &QPushButton::clicked, this, &StandardsWindow::importFile);
    connect(m_export, &QPushButton::clicked, this, &StandardsWindow::exportFile);
    connect(m_writeButton, &QPushButton::clicked, this, &StandardsWindow::writeToInstrument);
    connect(m_setChoice, &QComboBox::activated, this, &StandardsWindow::setChoiceChanged);
    connect(m_versions, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_shown && row >= 0) {
            m_versions->setToolTip(m_versions->item(row)->text());
        }
    });

    // Keyboard order: search, list, the form top to bottom, then the files.
    QWidget* order[] = {m_search, m_list, m_new, m_remove, m_name, m_code, m_values[0], m_values[1],
                        m_values[2], m_values[3], m_values[4], m_note, m_versions, m_setChoice, m_setName,
                        m_editor, m_save, m_import, m_export, m_writeButton};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void StandardsWindow::retranslate()
{
    setWindowTitle(tr("Library of standards"));
    m_readOnly->setText(m_model->readOnlyReason());
    m_search->setPlaceholderText(tr("Search by name or code"));
    m_search->setAccessibleName(tr("Search the standards by name or code"));
    m_list->setAccessibleName(tr("Standards"));
    m_new->setText(tr("New"));
    m_new->setAccessibleName(tr("New standard"));
    m_remove->setText(tr("Remove"));
    m_remove->setAccessibleName(tr("Remove the chosen standard"));
    const QString labels[8] = {tr("Name:"), tr("Code:"), tr("Values:"), tr("Origin:"),
                               tr("Note:"), tr("Versions:"), tr("Tolerances:"), tr("Limits:")};
    for (int i = 0; i < 8; ++i) {
        m_formLabels[i]->setText(labels[i]);
    }
    m_name->setAccessibleName(tr("Name of the standard"));
    m_code->setAccessibleName(tr("Code or barcode of the standard"));
    const QString valueNames[5] = {QStringLiteral("L*"), QStringLiteral("a*"), QStringLiteral("b*"),
                                   tr("Haze %"), tr("T %")};
    for (int i = 0; i < 5; ++i) {
        m_valueLabels[i]->setText(valueNames[i]);
        m_values[i]->setAccessibleName(tr("Standard's %1").arg(valueNames[i]));
        m_values[i]->setPlaceholderText(QStringLiteral("\u2014"));
    }
    m_note->setAccessibleName(tr("Note"));
    m_versions->setAccessibleName(tr("Versions of the standard, the newest first"));
    m_setChoice->setAccessibleName(tr("Tolerance set: its own or a shared one"));
    m_setName->setAccessibleName(tr("Name of the shared set"));
    m_setName->setPlaceholderText(tr("Shared set name (empty: its own)"));
    m_save->setText(tr("Save (new version)"));
    m_import->setText(tr("Import\u2026"));
    m_import->setAccessibleName(tr("Import standards from a file"));
    m_export->setText(tr("Export\u2026"));
    m_export->setAccessibleName(tr("Export the standards to a file"));
    m_writeButton->setText(tr("Write to instrument"));
    m_writeButton->setAccessibleName(tr("Write the chosen standards to the instrument's standard colours"));
    m_writeButton->setToolTip(tr("Sends the chosen standards to the instrument's standard-colour library"));
    m_editor->retranslate();
    fillSetChoice(m_shown ? m_shown->toleranceSetId : QUuid());
}

void StandardsWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void StandardsWindow::setWriteToInstrument(WriteToInstrument write)
{
    m_write = std::move(write);
    m_writeButton->setEnabled(bool(m_write));
}

void StandardsWindow::applyReadOnly()
{
    const bool readOnly = m_model->isReadOnly();
    m_readOnly->setVisible(readOnly);
    for (QWidget* w : {static_cast<QWidget*>(m_new), static_cast<QWidget*>(m_remove),
                       static_cast<QWidget*>(m_save), static_cast<QWidget*>(m_import)}) {
        w->setEnabled(!readOnly);
    }
    for (QLineEdit* edit : {m_name, m_code, m_setName}) {
        edit->setReadOnly(readOnly);
    }
    for (QLineEdit* edit : m_values) {
        edit->setReadOnly(readOnly);
    }
    m_note->setReadOnly(readOnly);
    m_setChoice->setEnabled(!readOnly);
    m_editor->setReadOnly(readOnly);
}

void StandardsWindow::reload()
{
    const QUuid keep = m_shown ? m_shown->id : QUuid();
    m_model->reload();
    applyReadOnly();
    m_readOnly->setText(m_model->readOnlyReason());
    if (!keep.isNull()) {
        showStandard(keep);
    }
}

void StandardsWindow::showStandard(const QUuid& id)
{
    const int row = m_model->rowOf(id);
    if (row >= 0) {
        m_list->setCurrentIndex(m_model->index(row));
    }
    fillForm(m_library.standard(id));
}

void StandardsWindow::currentChanged()
{
    const QModelIndex current = m_list->currentIndex();
    if (current.isValid()) {
        fillForm(m_model->standardAt(current.row()));
    }
}

void StandardsWindow::fillForm(const std::optional<Standard>& standard)
{
    m_shown = standard;
    const Standard shown = standard.value_or(Standard());
    m_name->setText(shown.name);
    m_code->setText(shown.code);
    for (int i = 0; i < 5; ++i) {
        m_values[i]->setText(valueText(shown.values[std::size_t(kValueIndex[i])]));
    }
    switch (shown.origin.kind) {
    case StandardOrigin::Kind::Measured:
        m_origin->setText(tr("Measured with the %1 %2 on %3")
                              .arg(shown.origin.model, shown.origin.serial,
                                   shown.origin.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"))));
        break;
    case StandardOrigin::Kind::File:
        m_origin->setText(tr("From the file %1").arg(shown.origin.path));
        break;
    case StandardOrigin::Kind::Typed:
        m_origin->setText(standard ? tr("Typed") : tr("A new standard"));
        break;
    }
    m_note->setPlainText(shown.note);
    m_versions->clear();
    if (standard) {
        m_versions->addItems(m_model->versionTexts(shown.id));
    }
    fillSetChoice(shown.toleranceSetId);
    m_remove->setEnabled(standard.has_value() && !m_model->isReadOnly());
}

void StandardsWindow::fillSetChoice(const QUuid& setId)
{
    m_setChoice->clear();
    m_setChoice->addItem(tr("Its own tolerances"), QUuid());
    const QList<LibraryToleranceSet> shared = m_library.sharedSets();
    for (const LibraryToleranceSet& set : shared) {
        m_setChoice->addItem(tr("Shared: %1").arg(set.name), set.id);
    }
    const std::optional<LibraryToleranceSet> set = m_library.toleranceSet(setId);
    const int index = set && !set->name.isEmpty() ? m_setChoice->findData(set->id) : 0;
    m_setChoice->setCurrentIndex(std::max(index, 0));
    m_setName->setText(set ? set->name : QString());
    m_editor->setSet(set.value_or(LibraryToleranceSet()));
}

void StandardsWindow::setChoiceChanged()
{
    const QUuid id = m_setChoice->currentData().toUuid();
    const std::optional<LibraryToleranceSet> set = m_library.toleranceSet(id);
    if (set) {
        m_setName->setText(set->name);
        m_editor->setSet(*set);
    } else {
        // Its own: what it had, or a new set starting from the limits shown.
        m_setName->clear();
        const std::optional<LibraryToleranceSet> own = m_shown ? m_library.toleranceSet(m_shown->toleranceSetId) : std::nullopt;
        if (own && own->name.isEmpty()) {
            m_editor->setSet(*own);
        }
    }
}

void StandardsWindow::newStandard()
{
    m_list->clearSelection();
    fillForm(std::nullopt);
    m_name->setFocus();
}

bool StandardsWindow::saveStandard()
{
    const QString title = tr("Library of standards");
    Standard standard = m_shown.value_or(Standard());
    standard.name = m_name->text().trimmed();
    standard.code = m_code->text().trimmed();
    standard.note = m_note->toPlainText();
    if (standard.name.isEmpty()) {
        m_dialogs.warning(this, title, tr("The standard needs a name."));
        return false;
    }
    double numbers[5];
    for (int i = 0; i < 5; ++i) {
        const QString text = m_values[i]->text().trimmed();
        bool ok = true;
        numbers[i] = text.isEmpty() ? ComparisonRecord::kUnknown : text.toDouble(&ok);
        if (!ok || std::isinf(numbers[i])) {
            m_dialogs.warning(this, title, tr("%1 is not a number: \"%2\".").arg(m_valueLabels[i]->text(), text.left(20)));
            return false;
        }
    }
    const int labGiven = int(!std::isnan(numbers[0])) + int(!std::isnan(numbers[1])) + int(!std::isnan(numbers[2]));
    if (labGiven != 0 && labGiven != 3) {
        m_dialogs.warning(this, title, tr("Give all three of L*, a* and b*, or none."));
        return false;
    }
    const ComparisonRecord::Values before = standard.values;
    standard.values = Standard::unknownValues();
    if (labGiven == 3) {
        standard.withLab(numbers[0], numbers[1], numbers[2]);
    }
    standard.values[ComparisonRecord::Haze] = numbers[3];
    standard.values[ComparisonRecord::Transmittance] = numbers[4];
    if (!m_shown) {
        standard.origin.kind = StandardOrigin::Kind::Typed;
    } else if (std::memcmp(before.data(), standard.values.data(), sizeof(before)) != 0) {
        // Values typed over: they no longer are what was measured or read.
        standard.origin = StandardOrigin();
    }
    QString error;
    std::optional<LibraryToleranceSet> set = m_editor->set(&error);
    if (!set) {
        m_dialogs.warning(this, title, error);
        return false;
    }
    set->name = m_setName->text().trimmed();
    const QUuid chosenShared = m_setChoice->currentData().toUuid();
    set->id = set->name.isEmpty() ? QUuid() : chosenShared;
    const std::optional<Standard> saved = m_model->save(standard, *set, &error);
    if (!saved) {
        m_dialogs.warning(this, title, tr("The standard was not saved: %1").arg(error));
        return false;
    }
    showStandard(saved->id);
    return true;
}

void StandardsWindow::removeStandard()
{
    if (!m_shown) {
        return;
    }
    const QString title = tr("Library of standards");
    if (!m_dialogs.question(this, title,
                            tr("Remove the standard \"%1\" from the library? Rows judged with it keep "
                               "their verdicts, and its versions stay readable.")
                                .arg(m_shown->name.left(60)))) {
        return;
    }
    QString error;
    if (!m_model->remove(m_shown->id, &error)) {
        m_dialogs.warning(this, title, tr("The standard was not removed: %1").arg(error));
        return;
    }
    fillForm(std::nullopt);
}

QList<Standard> StandardsWindow::chosenStandards() const
{
    QList<Standard> chosen;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows()) {
        chosen << m_model->standardAt(index.row());
    }
    if (chosen.isEmpty() && m_shown) {
        chosen << *m_shown;
    }
    return chosen;
}

void StandardsWindow::writeToInstrument()
{
    const QList<Standard> chosen = chosenStandards();
    if (chosen.isEmpty()) {
        m_dialogs.information(this, tr("Write to instrument"), tr("Choose the standards to write in the list first."));
        return;
    }
    if (m_write) {
        m_write(chosen, this);
    }
}

void StandardsWindow::setInstrumentModel(const QString& modelName)
{
    m_modelName = modelName;
}

void StandardsWindow::importFile()
{
    const QString title = tr("Import standards");
    const QString filter = tr("Standards (*.csv *.ti3 *.txt *.cxf *.xlsx)") + QStringLiteral(";;")
                           + tr("CSV (*.csv)") + QStringLiteral(";;") + tr("CGATS (*.ti3 *.txt)")
                           + QStringLiteral(";;") + tr("CxF3 (*.cxf)") + QStringLiteral(";;")
                           + tr("Standard-colour workbook (*.xlsx)");
    const QString path =
        m_dialogs.openFileName(this, title, FileFolders::startFolder(FileFolders::Kind::Standards), filter);
    if (path.isEmpty()) {
        return;
    }
    FileFolders::remember(FileFolders::Kind::Standards, path);
    const QString fileName = QFileInfo(path).fileName();
    const StandardFiles::ReadResult read = StandardFiles::readFile(path);
    if (!read.ok()) {
        m_dialogs.warning(this, title, tr("Nothing was imported from %1: %2").arg(fileName, read.error));
        return;
    }
    StandardFiles::ImportCount count;
    QString error;
    const bool imported = StandardFiles::importInto(m_library, read.standards, count, &error);
    m_model->reload();
    const QString counts = tr("%1 added, %2 changed, %3 unchanged.").arg(count.added).arg(count.edited).arg(count.unchanged);
    if (!imported) {
        // What was taken before the refusal stays, and is counted.
        m_dialogs.warning(this, title, tr("The import of %1 stopped: %2\n%3").arg(fileName, error, counts));
        return;
    }
    m_dialogs.information(this, title, tr("Imported from %1: %2").arg(fileName, counts));
}

void StandardsWindow::exportFile()
{
    const QString title = tr("Export standards");
    // The standards chosen in the list when several are, else the whole library.
    QList<Standard> standards = m_list->selectionModel()->selectedRows().size() > 1 ? chosenStandards()
                                                                                      : m_library.standards();
    if (standards.isEmpty()) {
        m_dialogs.information(this, title, tr("The library holds no standards to export."));
        return;
    }
    const QString filter = tr("CSV (*.csv)") + QStringLiteral(";;") + tr("CGATS (*.ti3)") + QStringLiteral(";;")
                           + tr("CxF3 (*.cxf)") + QStringLiteral(";;") + tr("Standard-colour workbook (*.xlsx)");
    const QString path = m_dialogs.saveFile(this, title, FileFolders::startFolder(FileFolders::Kind::Standards),
                                            filter, QStringLiteral("csv"));
    if (path.isEmpty()) {
        return;
    }
    FileFolders::remember(FileFolders::Kind::Standards, path);
    QString error;
    if (!StandardFiles::kindOf(path)) {
        m_dialogs.warning(this, title, tr("%1: choose a name ending in .csv, .ti3, .cxf or .xlsx.")
                                           .arg(QFileInfo(path).fileName()));
        return;
    }
    if (!StandardFiles::writeFile(standards, m_library, path, m_modelName, &error)) {
        m_dialogs.warning(this, title, tr("%1 was not written: %2").arg(QFileInfo(path).fileName(), error));
        return;
    }
    m_dialogs.information(this, title, tr("%1 standards written to %2.").arg(standards.size()).arg(path));
}
