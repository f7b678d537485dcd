#include "StandardListModel.h"

#include "StandardLibrary.h"
#include "StandardTexts.h"

StandardListModel::StandardListModel(StandardLibrary& library, QObject* parent)
    : QAbstractListModel(parent), m_library(library)
{
    reload();
}

int StandardListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant StandardListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size()) {
        return {};
    }
    const Standard& standard = m_shown.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return standard.code.isEmpty() ? standard.name : QStringLiteral("%1  [%2]").arg(standard.name, standard.code);
    case Qt::ToolTipRole:
        return StandardTexts::values(standard);
    case kIdRole:
        return standard.id;
    default:
        return {};
    }
}

void StandardListModel::setFilter(const QString& text)
{
    m_filter = text.trimmed();
    reload();
}

void StandardListModel::reload()
{
    beginResetModel();
    m_shown = m_library.search(m_filter, kListLimit);
    endResetModel();
}

int StandardListModel::rowOf(const QUuid& id) const
{
    for (int row = 0; row < m_shown.size(); ++row) {
        if (m_shown.at(row).id == id) {
            return row;
        }
    }
    return -1;
}

bool StandardListModel::isReadOnly() const
{
    return m_library.isReadOnly();
}

QString StandardListModel::readOnlyReason() const
{
    return isReadOnly() ? tr("This is the station's copy of the library in the station database: standards and "
                             "tolerances are read here and changed by a manager.")
                        : QString();
}

QStringList StandardListModel::versionTexts(const QUuid& id) const
{
    QStringList texts;
    const QList<Standard> versions = m_library.versions(id);
    for (auto it = versions.crbegin(); it != versions.crend(); ++it) {
        texts << tr("v%1  %2  %3")
                     .arg(it->version)
                     .arg(it->modified.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm")),
                          StandardTexts::values(*it));
    }
    return texts;
}

std::optional<Standard> StandardListModel::save(Standard standard, const LibraryToleranceSet& set, QString* error)
{
    const auto failed = [&] {
        if (error) {
            *error = m_library.errorText();
        }
        return std::nullopt;
    };
    std::optional<LibraryToleranceSet> ownSet;
    if (!set.name.trimmed().isEmpty()) {
        LibraryToleranceSet shared = set;
        shared.name = set.name.trimmed();
        // Saved only when changed: every standard sharing it gets the new version.
        const std::optional<LibraryToleranceSet> current = shared.id.isNull() ? std::nullopt : m_library.toleranceSet(shared.id);
        if (!current || !current->sameLimits(shared) || current->name != shared.name) {
            const std::optional<LibraryToleranceSet> saved = m_library.saveSharedSet(shared);
            if (!saved) {
                return failed();
            }
            shared = *saved;
        }
        standard.toleranceSetId = shared.id;
    } else if (!set.isEmpty() || set.warnPercent > 0.0 || !standard.toleranceSetId.isNull()) {
        ownSet = set;
        ownSet->id = QUuid();
        if (const std::optional<LibraryToleranceSet> current = m_library.toleranceSet(standard.toleranceSetId)) {
            if (current->name.isEmpty()) {
                ownSet->id = current->id; // the next version of its own set
            }
        }
    }
    const std::optional<Standard> saved =
        standard.id.isNull() ? m_library.add(standard, ownSet) : m_library.edit(standard, ownSet);
    if (!saved) {
        return failed();
    }
    reload();
    return saved;
}

bool StandardListModel::remove(const QUuid& id, QString* error)
{
    if (!m_library.remove(id)) {
        if (error) {
            *error = m_library.errorText();
        }
        return false;
    }
    reload();
    return true;
}
