#pragma once
// Where the spectral dialog's "Take as standard…" hands a curve: the library
// of standards, behind this seam, so the dialog knows no database and a test
// takes the offer itself. The dialog is given one (or none: no such action).

#include "Colorimetry.h" // LabColor
#include "SpectralRecord.h"

#include <QString>

#include <array>

class QWidget;

class SpectrumStandards
{
public:
    struct Offer
    {
        QString name; // the curve's name as the table shows it
        std::array<double, kSpectralPointCount> spectrum{}; // percent, 400 + 10 k nm
        LabColor labD65TenDegree; // computed from the spectrum
        bool transmittance = false;
    };

    virtual ~SpectrumStandards() = default;
    // True once the library holds the standard. False with error empty when
    // the operator cancelled (the library may ask about the standard itself,
    // with parent as its window), otherwise with the reason.
    virtual bool takeAsStandard(const Offer& offer, QWidget* parent, QString& error) = 0;
};
