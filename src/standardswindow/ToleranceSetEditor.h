#pragma once
// The editor of a tolerance set: one row per limit (the quantity, low and
// high of a range or the delta-E limit, whether it decides the verdict or
// only informs) and the warning band. What it holds is read back through the
// set parser, so it refuses what the command line refuses, naming the item.

#include "ToleranceSet.h"

#include <QWidget>

class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

class ToleranceSetEditor final : public QWidget
{
    Q_OBJECT
public:
    explicit ToleranceSetEditor(QWidget* parent = nullptr);

    // Shows the set's limits and band (its id, name and version are kept).
    void setSet(const LibraryToleranceSet& set);
    // The set as edited; nothing, with error, when a row is not a limit.
    std::optional<LibraryToleranceSet> set(QString* error) const;
    void setReadOnly(bool readOnly);
    void retranslate();

    // The limits as the rows hold them, in the command line's LIST text.
    QString limitsText() const;

public Q_SLOTS:
    void addLimit();
    void removeLimit();

Q_SIGNALS:
    void edited();

private:
    void addRow(const ToleranceLimit& limit);

    QTableWidget* m_table = nullptr;
    QDoubleSpinBox* m_warn = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    LibraryToleranceSet m_set;
    bool m_readOnly = false;
};
