#include "ToleranceContour.h"

#include "ComparisonFormula.h"

#include <cmath>

std::optional<DeltaEFormula> recordFormula(const ComparisonRecord& record)
{
    return comparisonFormula(record.legacy, record.settings.layoutIndex, record.settings.formulaCode);
}

LabColor recordStandardLab(const ComparisonRecord& record)
{
    if (record.legacy) {
        return {record.legacyStandard[ComparisonRecord::LegacyL], record.legacyStandard[ComparisonRecord::LegacyA],
                record.legacyStandard[ComparisonRecord::LegacyB]};
    }
    return {record.standard[ComparisonRecord::LabL], record.standard[ComparisonRecord::LabA],
            record.standard[ComparisonRecord::LabB]};
}

std::vector<std::pair<double, double>> toleranceContour(DeltaEFormula formula, const LabColor& standard,
                                                        double threshold, int steps)
{
    std::vector<std::pair<double, double>> points;
    if (!(threshold >= 0.0) || steps < 3) {
        return points;
    }
    const double pi = 3.14159265358979323846;
    for (int k = 0; k <= steps; ++k) {
        const double angle = 2.0 * pi * (k % steps) / steps;
        const double ca = std::cos(angle);
        const double sa = std::sin(angle);
        const auto distance = [&](double r) {
            return deltaE(formula, standard, LabColor{standard.l, standard.a + r * ca, standard.b + r * sa});
        };
        double lo = 0.0;
        double hi = std::max(threshold, 1e-3);
        // Weighted formulas may need a longer step than the threshold itself.
        while (distance(hi) < threshold && hi < 1e4) {
            lo = hi;
            hi *= 2.0;
        }
        for (int i = 0; i < 40; ++i) {
            const double mid = 0.5 * (lo + hi);
            (distance(mid) < threshold ? lo : hi) = mid;
        }
        const double r = 0.5 * (lo + hi);
        points.emplace_back(r * ca, r * sa);
    }
    return points;
}
