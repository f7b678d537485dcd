#pragma once
// The standard picker of the workspace without widgets: what the operator
// types beside "Scan Standard" (a name or a code; a barcode scanner types the
// code and Enter) finds a standard of the library; the one chosen becomes the
// live standard and its tolerance set judges every sample compared with it.
// Clearing the choice gives the judging back to the instrument's tolerances.
// "Save as standard…" keeps the scanned standard in the library.

#include "Standard.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class MeasurementSession;
class StandardLibrary;
struct InstrumentState;

class StandardPicker final : public QObject
{
    Q_OBJECT
public:
    // session and state must outlive the picker.
    StandardPicker(MeasurementSession& session, InstrumentState& state, QObject* parent = nullptr);

    // The library the picker searches; none (nullptr) until the window has one.
    void setLibrary(StandardLibrary* library);
    StandardLibrary* library() const { return m_library; }

    // The standards offered as the operator types (names and codes).
    QList<Standard> suggestions(const QString& text, int limit = 20) const;
    // The text a suggestion shows: "name  [code]".
    static QString suggestionText(const Standard& standard);

    enum class Outcome { Chosen, Cleared, Unknown, NoLibrary };
    // Enter in the picker: an exact code (a scanner's), else an exact name,
    // else the one standard the text finds is chosen. An empty text clears
    // the choice. Otherwise nothing changes and message() says why.
    Outcome submit(const QString& text);
    // Chooses the standard of that id (a pick from the list); false when the
    // library has none of it.
    bool choose(const QUuid& id);
    // The instrument's tolerances judge again.
    void clearChoice();

    // The standard in force (the version chosen), if any.
    const std::optional<Standard>& chosen() const { return m_chosen; }
    // Why the last submit chose nothing, in the language in force.
    QString message() const { return m_message; }

    // "Save as standard…" is possible: a scanned standard is shown and the
    // library takes writes.
    bool canSaveMeasured() const;
    // Why the library takes no writes here (the station's copy of the station
    // database's library); empty when it does or there is none.
    QString readOnlyReason() const;
    // The scanned standard's values kept as a new standard (origin: the
    // instrument, its serial number, now) with tolerances; chosen at once.
    // Nothing, with message(), when the library refuses.
    std::optional<Standard> saveMeasured(const QString& name, const QString& code, const QString& note,
                                         const LibraryToleranceSet& tolerances);

Q_SIGNALS:
    // The standard in force changed (chosen, cleared, or dropped by a scan).
    void choiceChanged();

private:
    void apply(const Standard& standard);
    void sessionChanged();

    MeasurementSession& m_session;
    InstrumentState& m_state;
    StandardLibrary* m_library = nullptr;
    std::optional<Standard> m_chosen;
    QString m_message;
};
