#include "HistorySource.h"

#include <cmath>

namespace {
QString shown(double v)
{
    return std::isfinite(v) ? QString::number(v, 'f', 2) : QStringLiteral("-");
}
} // namespace

QString standardName(const ComparisonRecord& r)
{
    if (r.library.inUse()) {
        return r.library.standardName;
    }
    if (r.legacy) {
        return QStringLiteral("Lab %1 %2 %3")
            .arg(shown(r.legacyStandard[ComparisonRecord::LegacyL]), shown(r.legacyStandard[ComparisonRecord::LegacyA]),
                 shown(r.legacyStandard[ComparisonRecord::LegacyB]));
    }
    QStringList parts;
    const auto& s = r.standard;
    if (std::isfinite(s[ComparisonRecord::Haze]) || std::isfinite(s[ComparisonRecord::Transmittance])) {
        parts << QStringLiteral("Haze %1 T %2").arg(shown(s[ComparisonRecord::Haze]), shown(s[ComparisonRecord::Transmittance]));
    }
    if (std::isfinite(s[ComparisonRecord::LabL])) {
        parts << QStringLiteral("Lab %1 %2 %3")
                     .arg(shown(s[ComparisonRecord::LabL]), shown(s[ComparisonRecord::LabA]), shown(s[ComparisonRecord::LabB]));
    }
    return parts.join(QLatin1Char(' '));
}

