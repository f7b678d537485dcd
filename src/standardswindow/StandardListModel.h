#pragma once
// The library window's data without widgets: the standards the search finds,
// a standard's versions as texts, whether the library may be edited (and why
// not), and saving an edited standard with its tolerances (its own set, or
// a shared one by name) as the next version.

#include "Standard.h"

#include <QAbstractListModel>
#include <QCoreApplication>

class StandardLibrary;

class StandardListModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr int kIdRole = Qt::UserRole + 1;
    // At most this many standards are listed for a search.
    static constexpr int kListLimit = 500;

    explicit StandardListModel(StandardLibrary& library, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Lists the standards whose name or code holds text (all for none).
    void setFilter(const QString& text);
    QString filter() const { return m_filter; }
    // The search again (after an edit or an import); the same filter.
    void reload();
    const Standard& standardAt(int row) const { return m_shown.at(row); }
    // The row of the standard, or -1.
    int rowOf(const QUuid& id) const;

    // Edits are refused: a station's copy of the library, kept by the station database.
    bool isReadOnly() const;
    QString readOnlyReason() const;

    // Every version of the standard, the newest first: "v3  2026-12-09 08:12  L* 50.00 …".
    QStringList versionTexts(const QUuid& id) const;

    // Saves standard (a new one when its id is null, else its next
    // version) judged by set: a set with a name is saved as that shared
    // set (a new one or its next version), a set without one as the
    // standard's own. The stored standard, or nothing with error.
    std::optional<Standard> save(Standard standard, const LibraryToleranceSet& set, QString* error);
    // Takes the standard out of the library (its versions stay readable).
    bool remove(const QUuid& id, QString* error);

    StandardLibrary& library() const { return m_library; }

private:
    StandardLibrary& m_library;
    QString m_filter;
    QList<Standard> m_shown;
};
