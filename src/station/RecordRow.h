#pragma once
// A record as a row of the station database's records table: the batch the
// sync worker sends is a JSON array of these objects. Values never measured
// (NaN) become NULL, so the server's averages skip them.

#include "Outbox.h"

#include <QJsonObject>

// The standard a record's sample was compared with, as one text: its
// values as the instrument showed them ("Lab 52.1 -1.2 3.4", "Haze 1.23
// T 90.1"), so records of one standard measurement share it.
QString standardName(const ComparisonRecord& record);

QJsonObject recordRow(const OutboxEntry& entry);
QByteArray recordBatch(const QList<OutboxEntry>& entries);
// A row of the records table as the server gives it back (row_to_json):
// the record again; NULL and missing values are NaN.
ComparisonRecord recordFromRow(const QJsonObject& row);
