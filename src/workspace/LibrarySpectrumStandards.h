#pragma once
// "Take as standard…" of the spectral dialog into the library of standards:
// the curve's 31 values become the standard's spectrum and its L*a*b* under
// D65 and the 10° observer its values, measured by the instrument named
// here. The library refuses what it refuses for any new standard (a name it
// has, its read-only station copy) and says why.

#include "SpectrumStandards.h"

#include <QString>

class StandardLibrary;
struct Standard;

class LibrarySpectrumStandards : public SpectrumStandards
{
public:
    // library must outlive this; model and serial may be empty (not known).
    LibrarySpectrumStandards(StandardLibrary& library, QString model, QString serial);

    bool takeAsStandard(const Offer& offer, QWidget* parent, QString& error) override;

    // The standard an offer becomes (id and version are the library's).
    Standard standardOf(const Offer& offer) const;

private:
    StandardLibrary& m_library;
    QString m_model;
    QString m_serial;
};
