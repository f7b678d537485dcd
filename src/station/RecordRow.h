#pragma once
// A record as a row of the station database's records table: the batch the
// sync worker sends is a JSON array of these objects. Values never measured
// (NaN) become NULL, so the server's averages skip them.

#include "HistorySource.h" // standardName
#include "Outbox.h"

#include <QJsonObject>


QJsonObject recordRow(const OutboxEntry& entry);
QByteArray recordBatch(const QList<OutboxEntry>& entries);
// A row of the records table as the server gives it back (row_to_json):
// the record again; NULL and missing values are NaN.
ComparisonRecord recordFromRow(const QJsonObject& row);
