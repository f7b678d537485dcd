#include "SaveStandardDialog.h"

#include "ToleranceSetEditor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

SaveStandardDialog::SaveStandardDialog(const QList<LibraryToleranceSet>& sharedSets, const QString& values, QWidget* parent)
    : QDialog(parent), m_shared(sharedSets)
{
    setObjectName(QStringLiteral("SaveStandardDialog"));
    setWindowTitle(tr("Save as standard"));
    auto* form = new QFormLayout(this);
    auto* valuesLabel = new QLabel(values, this);
    valuesLabel->setAccessibleName(tr("Values of the standard"));
    form->addRow(tr("Values:"), valuesLabel);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("lineEdit_name"));
    m_name->setAccessibleName(tr("Name of the standard"));
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("lineEdit_code"));
    m_code->setAccessibleName(tr("Code or barcode of the standard"));
    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("plainTextEdit_note"));
    m_note->setAccessibleName(tr("Note"));
    m_note->setTabChangesFocus(true);
    m_note->setMaximumHeight(60);
    m_setChoice = new QComboBox(this);
    m_setChoice->setObjectName(QStringLiteral("comboBox_set"));
    m_setChoice->setAccessibleName(tr("Tolerance set"));
    m_setChoice->addItem(tr("Its own tolerances"));
    for (const LibraryToleranceSet& set : m_shared) {
        m_setChoice->addItem(tr("Shared: %1").arg(set.name));
    }
    m_editor = new ToleranceSetEditor(this);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("label_problem"));
    m_problem->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    form->addRow(tr("Name:"), m_name);
    form->addRow(tr("Code:"), m_code);
    form->addRow(tr("Note:"), m_note);
    form->addRow(tr("Tolerances:"), m_setChoice);
    form->addRow(m_editor);
    form->addRow(m_problem);
    form->addRow(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &SaveStandardDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &SaveStandardDialog::reject);
    connect(m_setChoice, &QComboBox::currentIndexChanged, this, &SaveStandardDialog::setChanged);
    m_editor->setSet(m_own);
    resize(560, 460);
}

void SaveStandardDialog::setOwnSet(const LibraryToleranceSet& set)
{
    m_own = set;
    if (m_setChoice->currentIndex() == 0) {
        m_editor->setSet(set);
    }
}

void SaveStandardDialog::setChanged()
{
    const int index = m_setChoice->currentIndex();
    if (index <= 0) {
        m_editor->setReadOnly(false);
        m_editor->setSet(m_own);
    } else {
        // A shared set is edited in the library window, where every standard using it is seen.
        m_editor->setSet(m_shared.at(index - 1));
        m_editor->setReadOnly(true);
    }
}

QString SaveStandardDialog::name() const
{
    return m_name->text().trimmed();
}

QString SaveStandardDialog::code() const
{
    return m_code->text().trimmed();
}

QString SaveStandardDialog::note() const
{
    return m_note->toPlainText();
}

std::optional<LibraryToleranceSet> SaveStandardDialog::tolerances(QString* error) const
{
    const int index = m_setChoice->currentIndex();
    if (index > 0) {
        return m_shared.at(index - 1);
    }
    return m_editor->set(error);
}

void SaveStandardDialog::showProblem(const QString& text)
{
    m_problem->setText(text);
    m_problem->setVisible(!text.isEmpty());
}

void SaveStandardDialog::accept()
{
    if (name().isEmpty()) {
        showProblem(tr("The standard needs a name."));
        m_name->setFocus();
        return;
    }
    QString error;
    if (!tolerances(&error)) {
        showProblem(error);
        return;
    }
    QDialog::accept();
}
