#pragma once
// The instrument's settings: display parameter, tolerances and the
// colour-difference parameter. Each is one request and one reply; the caller
// holds the receive worker's mutex. Results are ProtocolResult codes; a read
// that fails its data checksum may already have written its out-parameters.

#include <QtGlobal>

class Transport;

// The three tolerances as the instrument stores them.
struct ToleranceSet
{
    quint16 hazeTolerance = 0;          // haze tolerance x 100
    quint16 transmittanceTolerance = 0; // transmittance tolerance x 100
    quint16 deltaEThreshold = 0;        // colour-difference threshold x 10
};

// DisplayMode 0..6.
int readDisplayParameter(Transport& transport, int& value);
// value must fit one byte (else ValueDoesNotFit, nothing sent).
int setDisplayParameter(Transport& transport, int value);
// As stored: haze x 100, transmittance x 100, colour-difference threshold x 10.
int readTolerance(Transport& transport, int& haze, int& transmittance, int& deltaE);
// Each value must fit 16 bits unsigned (else ValueDoesNotFit, nothing sent).
int setTolerance(Transport& transport, int haze, int transmittance, int deltaE);
// The same exchanges with the stored values as one ToleranceSet.
int readTolerance(Transport& transport, ToleranceSet& tolerances);
int setTolerance(Transport& transport, const ToleranceSet& tolerances);
// formula: the instrument's formula code; threshold x 10.
int readDeltaEParameter(Transport& transport, int& formula, int& threshold);
// formula must fit one byte and threshold 16 bits unsigned.
int setDeltaEParameter(Transport& transport, int formula, int threshold);
