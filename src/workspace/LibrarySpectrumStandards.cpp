#include "LibrarySpectrumStandards.h"

#include "StandardLibrary.h"

#include <QCoreApplication>
#include <QDateTime>

#include <utility>

LibrarySpectrumStandards::LibrarySpectrumStandards(StandardLibrary& library, QString model, QString serial)
    : m_library(library), m_model(std::move(model)), m_serial(std::move(serial))
{
}

Standard LibrarySpectrumStandards::standardOf(const Offer& offer) const
{
    Standard standard;
    standard.name = offer.name.trimmed();
    standard.withLab(offer.labD65TenDegree.l, offer.labD65TenDegree.a, offer.labD65TenDegree.b);
    standard.spectrum.reserve(int(offer.spectrum.size()));
    for (const double value : offer.spectrum) {
        standard.spectrum.append(value);
    }
    standard.origin.kind = StandardOrigin::Kind::Measured;
    standard.origin.model = m_model;
    standard.origin.serial = m_serial;
    standard.origin.time = QDateTime::currentDateTimeUtc();
    if (offer.transmittance) {
        standard.note = QCoreApplication::translate("LibrarySpectrumStandards", "Transmittance curve");
    }
    return standard;
}

bool LibrarySpectrumStandards::takeAsStandard(const Offer& offer, QWidget*, QString& error)
{
    error.clear();
    if (m_library.isReadOnly()) {
        // The station fills this copy; a standard made here would be lost at
        // the next sync.
        error = QCoreApplication::translate("LibrarySpectrumStandards",
                                            "the library is the station's copy and can only be read; "
                                            "add standards at the station");
        return false;
    }
    if (offer.name.trimmed().isEmpty()) {
        error = QCoreApplication::translate("LibrarySpectrumStandards", "the curve has no name");
        return false;
    }
    if (!m_library.add(standardOf(offer))) {
        error = m_library.errorText();
        if (error.isEmpty()) {
            error = QCoreApplication::translate("LibrarySpectrumStandards", "the library did not take the standard");
        }
        return false;
    }
    return true;
}
