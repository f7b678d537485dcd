#include "StandardPicker.h"

#include "InstrumentState.h"
#include "MeasurementSession.h"
#include "StandardLibrary.h"

#include <QDateTime>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcPicker, "tintwell.workspace.standards")

} // namespace

StandardPicker::StandardPicker(MeasurementSession& session, InstrumentState& state, QObject* parent)
    : QObject(parent), m_session(session), m_state(state)
{
    // A scan, a file's standard or Clear drops the library standard.
    connect(&m_session, &MeasurementSession::libraryStandardChanged, this, &StandardPicker::sessionChanged);
}

void StandardPicker::setLibrary(StandardLibrary* library)
{
    m_library = library;
    clearChoice();
}

QList<Standard> StandardPicker::suggestions(const QString& text, int limit) const
{
    return m_library ? m_library->search(text.trimmed(), limit) : QList<Standard>();
}

QString StandardPicker::suggestionText(const Standard& standard)
{
    return standard.code.isEmpty() ? standard.name : QStringLiteral("%1  [%2]").arg(standard.name, standard.code);
}

StandardPicker::Outcome StandardPicker::submit(const QString& text)
{
    m_message.clear();
    const QString wanted = text.trimmed();
    if (wanted.isEmpty()) {
        clearChoice();
        return Outcome::Cleared;
    }
    if (!m_library) {
        m_message = tr("No library of standards is open.");
        return Outcome::NoLibrary;
    }
    // A scanner's code first: a code may look like the start of a name.
    std::optional<Standard> found = m_library->findByCode(wanted);
    if (!found) {
        found = m_library->findByName(wanted);
    }
    if (!found) {
        // The text the completer shows for a standard picked from its list: "name  [code]".
        const qsizetype open = wanted.lastIndexOf(QStringLiteral("  ["));
        if (open > 0 && wanted.endsWith(QLatin1Char(']'))) {
            const std::optional<Standard> byCode = m_library->findByCode(wanted.mid(open + 3).chopped(1));
            if (byCode && suggestionText(*byCode).compare(wanted, Qt::CaseInsensitive) == 0) {
                found = byCode;
            }
        }
    }
    if (!found) {
        const QList<Standard> matches = m_library->search(wanted, 2);
        if (matches.size() == 1) {
            found = matches.first();
        } else if (matches.isEmpty()) {
            m_message = tr("No standard has the name or code \"%1\".").arg(wanted.left(60));
        } else {
            m_message = tr("Several standards match \"%1\": choose one from the list.").arg(wanted.left(60));
        }
    }
    if (!found) {
        qCDebug(lcPicker) << "nothing chosen for" << wanted;
        return Outcome::Unknown;
    }
    apply(*found);
    return Outcome::Chosen;
}

bool StandardPicker::choose(const QUuid& id)
{
    const std::optional<Standard> found = m_library ? m_library->standard(id) : std::nullopt;
    if (!found) {
        return false;
    }
    apply(*found);
    return true;
}

void StandardPicker::apply(const Standard& standard)
{
    // Set before the session announces it, so the change is not taken for a drop.
    m_chosen = standard;
    m_session.takeLibraryStandard(standard.values, m_library->judgementFor(standard), m_state.isFirstGeneration());
    qCDebug(lcPicker) << "standard in force:" << standard.name << "version" << standard.version;
    Q_EMIT choiceChanged();
}

void StandardPicker::clearChoice()
{
    const bool had = m_chosen.has_value();
    m_chosen.reset();
    m_session.dropLibraryStandard();
    if (had) {
        Q_EMIT choiceChanged();
    }
}

void StandardPicker::sessionChanged()
{
    const LibraryJudgement& inForce = m_session.libraryStandard();
    if (m_chosen && (!inForce.inUse() || inForce.standardId != m_chosen->id)) {
        m_chosen.reset();
        Q_EMIT choiceChanged();
    }
}

bool StandardPicker::canSaveMeasured() const
{
    return m_library && !m_library->isReadOnly() && m_session.standardTaken()
           && !m_session.libraryStandard().inUse();
}

QString StandardPicker::readOnlyReason() const
{
    return m_library && m_library->isReadOnly()
               ? tr("This station works from its copy of the station database's library, which only reads: "
                    "a manager adds and edits standards there.")
               : QString();
}

std::optional<Standard> StandardPicker::saveMeasured(const QString& name, const QString& code, const QString& note,
                                                     const LibraryToleranceSet& tolerances)
{
    m_message.clear();
    if (!canSaveMeasured()) {
        m_message = tr("No scanned standard to keep.");
        return std::nullopt;
    }
    Standard standard;
    standard.name = name.trimmed();
    standard.code = code.trimmed();
    standard.note = note;
    standard.values = m_session.standard().values;
    if (m_session.standard().rgb) {
        standard.origin.kind = StandardOrigin::Kind::Measured;
        standard.origin.model = m_state.modelName;
        standard.origin.serial = m_state.serialNumberText;
        standard.origin.time = QDateTime::currentDateTimeUtc();
    } else {
        standard.origin.kind = StandardOrigin::Kind::File;
    }
    std::optional<LibraryToleranceSet> ownSet;
    if (!tolerances.name.isEmpty() && !tolerances.id.isNull()) {
        standard.toleranceSetId = tolerances.id; // a shared set
    } else {
        ownSet = tolerances;
    }
    const std::optional<Standard> saved = m_library->add(standard, ownSet);
    if (!saved) {
        m_message = m_library->errorText();
        return std::nullopt;
    }
    apply(*saved);
    return saved;
}
