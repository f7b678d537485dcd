#pragma once
// Who is attached: key information, production information, software version.
// Each command is one request and one reply over the transport; the caller
// holds the receive worker's mutex and has checked isLinkOpen(). Results are
// the ProtocolResult codes; out-parameters mean nothing after a failure.

#include <QDate>

#include <cstdint>

class Transport;

struct KeyInformation
{
    quint8 marker = 0;
    QDate productionDate;
    quint32 serialNumber = 0;
    quint32 meterNumber = 0; // looked up in the model table
    quint16 word1 = 0;
    quint16 word2 = 0;
};

struct ProductionInformation
{
    quint8 marker = 0;
    QDate productionDate;
    quint32 serialNumber = 0;
    quint32 meterNumber = 0;
    quint16 word1 = 0;
    quint8 byte1 = 0;
    quint8 byte2 = 0;
};

// Refused (-5) when the model does not offer key information (0xA0 04);
// the caller then asks for the production information.
int readKeyInformation(Transport& transport, KeyInformation& info);
// Refused (-5) when the instrument answers 0xC7 08.
int readProductionInformation(Transport& transport, ProductionInformation& info);
// version x 100 (312 is 3.12).
int readSoftwareVersion(Transport& transport, int& version);
