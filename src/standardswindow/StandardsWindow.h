#pragma once
// The library of standards in a window of its own: the list with its search,
// the chosen standard's values, note and versions, its tolerance set (its
// own or a shared one) in the set editor, import and export (CSV, CGATS,
// CxF3, the standard-colour workbook) and "Write to instrument". Every box
// and file dialog goes through the modal seam. A station's copy of the
// library is shown read-only, saying why.

#include "Standard.h"

#include <QWidget>

#include <functional>

class Dialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class StandardLibrary;
class StandardListModel;
class ToleranceSetEditor;

class StandardsWindow final : public QWidget
{
    Q_OBJECT
public:
    // library and dialogs must outlive the window.
    StandardsWindow(StandardLibrary& library, Dialogs& dialogs, QWidget* parent = nullptr);

    // Sends the chosen standards to the instrument's standard-colour area;
    // without it the button stays off.
    using WriteToInstrument = std::function<void(const QList<Standard>&, QWidget* window)>;
    void setWriteToInstrument(WriteToInstrument write);
    // The instrument a standard-colour workbook is exported for.
    void setInstrumentModel(const QString& modelName);

    StandardListModel& model() { return *m_model; }
    // The standard shown in the form (none: a new one is being typed).
    const std::optional<Standard>& shown() const { return m_shown; }
    // Shows the standard (also in the list, where the search finds it).
    void showStandard(const QUuid& id);
    // The library's contents again (after a change from elsewhere).
    void reload();

public Q_SLOTS:
    void newStandard();
    bool saveStandard();
    void removeStandard();
    void importFile();
    void exportFile();
    void writeToInstrument();

protected:
    void changeEvent(QEvent* event) override;

private:
    void build();
    void retranslate();
    void currentChanged();
    void fillForm(const std::optional<Standard>& standard);
    void fillSetChoice(const QUuid& setId);
    void setChoiceChanged();
    void applyReadOnly();
    QList<Standard> chosenStandards() const;

    StandardLibrary& m_library;
    Dialogs& m_dialogs;
    StandardListModel* m_model = nullptr;
    WriteToInstrument m_write;
    std::optional<Standard> m_shown;
    QString m_modelName;

    QLabel* m_readOnly = nullptr;
    QLineEdit* m_search = nullptr;
    QListView* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_values[5] = {};
    QLabel* m_valueLabels[5] = {};
    QLabel* m_origin = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QListWidget* m_versions = nullptr;
    QComboBox* m_setChoice = nullptr;
    QLineEdit* m_setName = nullptr;
    ToleranceSetEditor* m_editor = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_writeButton = nullptr;
    QLabel* m_formLabels[8] = {};
};
