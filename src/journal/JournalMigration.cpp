#include "JournalMigration.h"

#include "ComparisonColumns.h"
#include "JournalLog.h"
#include "RecordCodec.h"

#include <QBrush>
#include <QDataStream>
#include <QHash>
#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>


namespace JournalMigration {

namespace {

constexpr quint32 kRowMagic = 0x54575230; // "TWR0"
constexpr int kMaxColumns = 1000;
constexpr int kPassRole = Qt::UserRole + 1; // the verdict cell's data
constexpr int kDisplayRole = Qt::DisplayRole;

struct Cell
{
    QString text;
    QVariant pass;
};

bool readRow(const QByteArray& row, int& tableId, QList<Cell>& cells)
{
    // The rows hold colours (QBrush: QtGui must be loaded to read them, so a
    // brush is made here) and alignments (Qt::Alignment, known by name only
    // once registered; a window registers it, a process without one must).
    static const bool registered = (QVariant::fromValue(QBrush(Qt::red)).isValid(),
                                    qRegisterMetaType<Qt::Alignment>(), qRegisterMetaType<Qt::CheckState>(), true);
    Q_UNUSED(registered);
    QDataStream in(row);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    qint32 table = -1;
    qint32 columns = 0;
    in >> magic >> table >> columns;
    if (in.status() != QDataStream::Ok || magic != kRowMagic || columns < 0 || columns > kMaxColumns) {
        return false;
    }
    tableId = table;
    cells.resize(columns);
    for (int c = 0; c < columns; ++c) {
        bool present = false;
        in >> present;
        if (!present) {
            continue;
        }
        qint32 flags = 0;
        quint32 roles = 0;
        in >> flags >> roles;
        if (in.status() != QDataStream::Ok || roles > 1000) {
            return false;
        }
        for (quint32 i = 0; i < roles; ++i) {
            qint32 role = 0;
            QVariant value;
            in >> role >> value;
            // A cell holds no empty value: one that reads as empty was of a
            // type this process cannot read, and what follows it is lost.
            if (!value.isValid()) {
                return false;
            }
            if (role == kDisplayRole) {
                cells[c].text = value.toString();
            } else if (role == kPassRole) {
                cells[c].pass = value;
            }
        }
        if (in.status() != QDataStream::Ok) {
            return false;
        }
    }
    return true;
}

bool verdict(const Cell& cell)
{
    if (cell.pass.isValid()) {
        return cell.pass.toBool();
    }
    // Rows older than the verdict data: the shown word, in either language.
    const QString text = cell.text.trimmed();
    return text != QLatin1String("NG") && text != QStringLiteral("\u4E0D\u5408\u683C");
}

} // namespace

bool decodeTableRow(const QByteArray& payload, int layout, ComparisonRecord& record, int& counter)
{
    QDataStream envelope(payload);
    envelope.setVersion(QDataStream::Qt_6_4);
    qint32 sequence = 0;
    QByteArray row;
    envelope >> sequence >> row;
    int tableId = -1;
    QList<Cell> cells;
    if (envelope.status() != QDataStream::Ok || !readRow(row, tableId, cells) || (tableId != 0 && tableId != 1)) {
        return false;
    }
    const bool legacy = tableId == 1;
    const ComparisonColumns::Layout columns = legacy ? ComparisonColumns::Layout::Legacy
                                                     : ComparisonColumns::Layout::Current;
    cells.resize(ComparisonColumns::columnCount(columns));
    QStringList texts;
    for (const Cell& cell : std::as_const(cells)) {
        texts << cell.text;
    }
    record = ComparisonColumns::recordFromTexts(columns, texts,
                                                verdict(cells.at(ComparisonColumns::verdictColumn(columns))));
    record.id = QUuid::createUuid();
    record.version = 1;
    record.legacy = legacy;
    record.settings.layoutIndex = layout;
    counter = sequence;
    return true;
}

bool convertTableRows(QSqlDatabase& db, Outcome& outcome)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'rows'"))) {
        outcome.error = q.lastError().text();
        return false;
    }
    if (!q.next()) {
        return true; // a new journal
    }
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("SELECT r.id, r.session, r.payload, r.deleted, r.changed, COALESCE(s.layout, 0)"
                                  " FROM rows r LEFT JOIN sessions s ON s.id = r.session ORDER BY r.id"))) {
        outcome.error = rows.lastError().text();
        return false;
    }
    QSqlQuery insert(db);
    // A deleted row was never sent anywhere: its tombstone is acknowledged already.
    insert.prepare(QStringLiteral("INSERT INTO records (session, id, version, deleted, acked, data)"
                                  " VALUES (?, ?, 1, ?, ?, ?)"));
    QHash<qint64, int> counters;
    QHash<qint64, QDateTime> lastChanged;
    QList<qint64> unreadable;
    while (rows.next()) {
        const qint64 session = rows.value(1).toLongLong();
        const bool deleted = rows.value(3).toInt() != 0;
        ComparisonRecord record;
        int counter = 0;
        if (!decodeTableRow(rows.value(2).toByteArray(), rows.value(5).toInt(), record, counter)) {
            unreadable.append(rows.value(0).toLongLong());
            continue;
        }
        insert.bindValue(0, session);
        insert.bindValue(1, record.id.toRfc4122());
        insert.bindValue(2, deleted ? 1 : 0);
        insert.bindValue(3, deleted ? 1 : 0);
        insert.bindValue(4, RecordCodec::encode(record));
        if (!insert.exec()) {
            outcome.error = insert.lastError().text();
            return false;
        }
        ++outcome.converted;
        counters[session] = std::max(counters.value(session), counter);
        const QDateTime changed = QDateTime::fromString(rows.value(4).toString(), Qt::ISODateWithMs);
        if (changed.isValid() && (!lastChanged.contains(session) || lastChanged.value(session) < changed)) {
            lastChanged[session] = changed;
        }
    }
    if (rows.lastError().isValid()) {
        outcome.error = rows.lastError().text();
        return false;
    }
    rows.finish();
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE sessions SET counter = ? WHERE id = ?"));
    for (auto it = counters.cbegin(); it != counters.cend(); ++it) {
        update.bindValue(0, it.value());
        update.bindValue(1, it.key());
        if (!update.exec()) {
            outcome.error = update.lastError().text();
            return false;
        }
    }
    // Closed history is pruned by when it was closed: the last change of its rows.
    update.prepare(QStringLiteral("UPDATE sessions SET closed_at = ? WHERE id = ? AND closed = 1"));
    for (auto it = lastChanged.cbegin(); it != lastChanged.cend(); ++it) {
        update.bindValue(0, it.value().toMSecsSinceEpoch());
        update.bindValue(1, it.key());
        if (!update.exec()) {
            outcome.error = update.lastError().text();
            return false;
        }
    }
    outcome.kept = static_cast<int>(unreadable.size());
    if (unreadable.isEmpty()) {
        if (!q.exec(QStringLiteral("DROP TABLE rows"))) {
            outcome.error = q.lastError().text();
            return false;
        }
        outcome.dropped = true;
        return true;
    }
    // What could not be read stays where it was, for whoever wants to look.
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral("DELETE FROM rows WHERE id NOT IN (SELECT value FROM json_each(?))"));
    QStringList ids;
    for (const qint64 id : std::as_const(unreadable)) {
        ids << QString::number(id);
    }
    remove.addBindValue(QStringLiteral("[%1]").arg(ids.join(QLatin1Char(','))));
    if (!remove.exec()) {
        outcome.error = remove.lastError().text();
        return false;
    }
    qCWarning(lcJournal) << outcome.kept << "rows of the former journal cannot be read; they stay in its rows table";
    return true;
}

} // namespace JournalMigration
