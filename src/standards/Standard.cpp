#include "Standard.h"

#include "Colorimetry.h"

#include <cmath>

namespace {
using R = ComparisonRecord;
}

QString standardOriginToken(StandardOrigin::Kind kind)
{
    switch (kind) {
    case StandardOrigin::Kind::Measured: return QStringLiteral("measured");
    case StandardOrigin::Kind::File: return QStringLiteral("file");
    case StandardOrigin::Kind::Typed: break;
    }
    return QStringLiteral("typed");
}

std::optional<StandardOrigin::Kind> standardOriginFromToken(const QString& token)
{
    for (const StandardOrigin::Kind kind :
         {StandardOrigin::Kind::Typed, StandardOrigin::Kind::Measured, StandardOrigin::Kind::File}) {
        if (token.compare(standardOriginToken(kind), Qt::CaseInsensitive) == 0) {
            return kind;
        }
    }
    return std::nullopt;
}

ComparisonRecord::Values Standard::unknownValues()
{
    ComparisonRecord::Values values;
    values.fill(R::kUnknown);
    return values;
}

bool Standard::hasLab() const
{
    return std::isfinite(values[R::LabL]) && std::isfinite(values[R::LabA]) && std::isfinite(values[R::LabB]);
}

bool Standard::hasHaze() const
{
    return std::isfinite(values[R::Haze]);
}

bool Standard::hasTransmittance() const
{
    return std::isfinite(values[R::Transmittance]);
}

void Standard::withLab(double l, double a, double b)
{
    values[R::LabL] = l;
    values[R::LabA] = a;
    values[R::LabB] = b;
    values[R::LchL] = l;
    values[R::LchC] = chroma(a, b);
    values[R::LchH] = hueAngle(a, b);
    const XyzColor xyz = labToXyz({l, a, b});
    const double sum = xyz.x + xyz.y + xyz.z;
    values[R::Y] = xyz.y;
    values[R::X] = sum > 0.0 ? xyz.x / sum : R::kUnknown;
    values[R::SmallY] = sum > 0.0 ? xyz.y / sum : R::kUnknown;
}

LibraryJudgement libraryJudgementFor(const Standard& standard, const LibraryToleranceSet& set)
{
    LibraryJudgement library;
    library.standardId = standard.id;
    library.standardName = standard.name;
    library.standardCode = standard.code;
    library.standardVersion = standard.version;
    library.tolerances = set;
    return library;
}
