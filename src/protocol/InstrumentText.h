#pragma once
// Names the instrument stores (records, spectral curves, standard colours) are
// fixed-width byte fields padded with zeros. Instruments of the home market
// write GB18030; newer firmware and the PC side write UTF-8.

#include <QByteArray>
#include <QString>

// The text of a name field: the bytes up to the first zero, as UTF-8 when they
// are valid UTF-8, otherwise as GB18030.
QString decodeInstrumentName(const QByteArray& field);
