#include "ToleranceSetEditor.h"

#include "StandardTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

enum Column { QuantityColumn, LowColumn, HighColumn, DecidesColumn, ColumnCount };

// Numbers as the parser reads them back: shortest form, a point.
QString numberText(double value)
{
    return QString::number(value, 'g', 10);
}

} // namespace

ToleranceSetEditor::ToleranceSetEditor(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("tableWidget_limits"));
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setMinimumHeight(110);
    m_add = new QPushButton(this);
    m_add->setObjectName(QStringLiteral("pushButton_addLimit"));
    m_remove = new QPushButton(this);
    m_remove->setObjectName(QStringLiteral("pushButton_removeLimit"));
    auto* warnLabel = new QLabel(this);
    warnLabel->setObjectName(QStringLiteral("label_warn"));
    m_warn = new QDoubleSpinBox(this);
    m_warn->setObjectName(QStringLiteral("doubleSpinBox_warn"));
    m_warn->setRange(0.0, 99.0);
    m_warn->setDecimals(0);
    m_warn->setSuffix(QStringLiteral(" %"));
    warnLabel->setBuddy(m_warn);
    layout->addWidget(m_table, 0, 0, 1, 4);
    layout->addWidget(m_add, 1, 0);
    layout->addWidget(m_remove, 1, 1);
    layout->addWidget(warnLabel, 1, 2, Qt::AlignRight);
    layout->addWidget(m_warn, 1, 3);
    connect(m_add, &QPushButton::clicked, this, &ToleranceSetEditor::addLimit);
    connect(m_remove, &QPushButton::clicked, this, &ToleranceSetEditor::removeLimit);
    connect(m_warn, &QDoubleSpinBox::valueChanged, this, &ToleranceSetEditor::edited);
    setTabOrder(m_table, m_add);
    setTabOrder(m_add, m_remove);
    setTabOrder(m_remove, m_warn);
    retranslate();
}

void ToleranceSetEditor::retranslate()
{
    m_table->setHorizontalHeaderLabels({tr("Difference"), tr("Low"), tr("High / \u2264"), tr("Decides")});
    m_table->setAccessibleName(tr("Limits of the tolerance set"));
    m_add->setText(tr("Add limit"));
    m_remove->setText(tr("Remove limit"));
    m_remove->setAccessibleName(tr("Remove the chosen limit"));
    auto* warnLabel = findChild<QLabel*>(QStringLiteral("label_warn"));
    warnLabel->setText(tr("Warning band:"));
    m_warn->setAccessibleName(tr("Warning band in percent of each limit"));
    m_warn->setToolTip(tr("A passing value beyond this share of a limit is flagged as a warning; 0: none"));
    m_warn->setSpecialValueText(tr("none"));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (auto* decides = qobject_cast<QCheckBox*>(m_table->cellWidget(row, DecidesColumn))) {
            decides->setText(tr("decides"));
            decides->setAccessibleName(tr("Limit %1 decides the verdict").arg(row + 1));
        }
    }
}

void ToleranceSetEditor::setSet(const LibraryToleranceSet& set)
{
    m_set = set;
    m_table->setRowCount(0);
    for (const ToleranceLimit& limit : set.limits) {
        // Limits on curves (under an illuminant, metamerism index) have no
        // row here; set() keeps them as they are.
        if (!limit.onCurves()) {
            addRow(limit);
        }
    }
    m_warn->setValue(set.warnPercent);
}

void ToleranceSetEditor::addRow(const ToleranceLimit& limit)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto* quantity = new QComboBox(m_table);
    for (int q = 0; q < kToleranceQuantityCount; ++q) {
        const auto each = static_cast<ToleranceQuantity>(q);
        quantity->addItem(StandardTexts::symbol(each), toleranceQuantityToken(each));
    }
    quantity->setCurrentIndex(static_cast<int>(limit.quantity));
    quantity->setAccessibleName(tr("Difference of limit %1").arg(row + 1));
    m_table->setCellWidget(row, QuantityColumn, quantity);
    auto* low = new QLineEdit(isDeltaEQuantity(limit.quantity) ? QString() : numberText(limit.low), m_table);
    low->setAccessibleName(tr("Low bound of limit %1").arg(row + 1));
    auto* high = new QLineEdit(numberText(limit.high), m_table);
    high->setAccessibleName(tr("High bound of limit %1").arg(row + 1));
    m_table->setCellWidget(row, LowColumn, low);
    m_table->setCellWidget(row, HighColumn, high);
    auto* decides = new QCheckBox(tr("decides"), m_table);
    decides->setChecked(limit.decides);
    decides->setAccessibleName(tr("Limit %1 decides the verdict").arg(row + 1));
    m_table->setCellWidget(row, DecidesColumn, decides);
    const auto lowForQuantity = [quantity, low] {
        const auto q = toleranceQuantityFromToken(quantity->currentData().toString());
        low->setEnabled(q && !isDeltaEQuantity(*q));
    };
    lowForQuantity();
    connect(quantity, &QComboBox::currentIndexChanged, this, lowForQuantity);
    for (QLineEdit* edit : {low, high}) {
        edit->setReadOnly(m_readOnly);
        connect(edit, &QLineEdit::textEdited, this, &ToleranceSetEditor::edited);
    }
    quantity->setEnabled(!m_readOnly);
    decides->setEnabled(!m_readOnly);
    connect(quantity, &QComboBox::currentIndexChanged, this, &ToleranceSetEditor::edited);
    connect(decides, &QCheckBox::toggled, this, &ToleranceSetEditor::edited);
}

void ToleranceSetEditor::addLimit()
{
    ToleranceLimit limit;
    limit.quantity = ToleranceQuantity::dE00;
    limit.high = 1.0;
    addRow(limit);
    m_table->setCurrentCell(m_table->rowCount() - 1, QuantityColumn);
    m_table->cellWidget(m_table->rowCount() - 1, QuantityColumn)->setFocus();
    Q_EMIT edited();
}

void ToleranceSetEditor::removeLimit()
{
    const int row = m_table->currentRow() >= 0 ? m_table->currentRow() : m_table->rowCount() - 1;
    if (row >= 0) {
        m_table->removeRow(row);
        Q_EMIT edited();
    }
}

QString ToleranceSetEditor::limitsText() const
{
    QStringList items;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const auto* quantity = static_cast<QComboBox*>(m_table->cellWidget(row, QuantityColumn));
        const auto* low = static_cast<QLineEdit*>(m_table->cellWidget(row, LowColumn));
        const auto* high = static_cast<QLineEdit*>(m_table->cellWidget(row, HighColumn));
        const auto* decides = static_cast<QCheckBox*>(m_table->cellWidget(row, DecidesColumn));
        const QString token = quantity->currentData().toString();
        const auto q = toleranceQuantityFromToken(token);
        QString item = q && isDeltaEQuantity(*q)
                           ? QStringLiteral("%1<=%2").arg(token, high->text().trimmed())
                           : QStringLiteral("%1=%2..%3").arg(token, low->text().trimmed(), high->text().trimmed());
        if (!decides->isChecked()) {
            item += QStringLiteral(":info");
        }
        items << item;
    }
    return items.join(QLatin1Char(','));
}

std::optional<LibraryToleranceSet> ToleranceSetEditor::set(QString* error) const
{
    const ToleranceParse parsed = parseToleranceLimits(limitsText());
    if (!parsed.ok()) {
        if (error) {
            *error = parsed.error;
        }
        return std::nullopt;
    }
    LibraryToleranceSet result = m_set;
    result.limits = parsed.limits;
    for (const ToleranceLimit& limit : m_set.limits) {
        if (limit.onCurves()) {
            result.limits.append(limit);
        }
    }
    result.warnPercent = m_warn->value();
    return result;
}

void ToleranceSetEditor::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_add->setEnabled(!readOnly);
    m_remove->setEnabled(!readOnly);
    m_warn->setReadOnly(readOnly);
    setSet(m_set);
}
