#pragma once
// "Save as standard…": the name, code and note of the scanned standard, and
// its tolerances: a set of its own (edited here) or a shared set of the
// library. The caller keeps it in the library.

#include "ToleranceSet.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class ToleranceSetEditor;

class SaveStandardDialog final : public QDialog
{
    Q_OBJECT
public:
    // sharedSets: the library's shared sets, offered instead of an own set;
    // values: the scanned standard's values as shown.
    SaveStandardDialog(const QList<LibraryToleranceSet>& sharedSets, const QString& values, QWidget* parent = nullptr);

    QString name() const;
    QString code() const;
    QString note() const;
    // The own set as edited, or the shared set chosen; nothing (and error)
    // when the own set's limits cannot be read.
    std::optional<LibraryToleranceSet> tolerances(QString* error) const;
    // A starting set for the own set (the instrument's tolerances as limits).
    void setOwnSet(const LibraryToleranceSet& set);
    // Shows why the library refused the standard; the dialog stays open.
    void showProblem(const QString& text);

    void accept() override;

private:
    void setChanged();

    QLineEdit* m_name = nullptr;
    QLineEdit* m_code = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QComboBox* m_setChoice = nullptr;
    ToleranceSetEditor* m_editor = nullptr;
    QLabel* m_problem = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QList<LibraryToleranceSet> m_shared;
    LibraryToleranceSet m_own;
};
