#pragma once
// Records of a shift for the statistics tests and pictures: a process in
// control for the first part, then drifting, judged by the one judging rule.

#include "ComparisonJudging.h"
#include "ComparisonRecord.h"

#include <QList>

#include <cmath>
#include <random>

namespace statisticscases {

inline double rounded(double value)
{
    return std::round(value * 100.0) / 100.0;
}

// Haze/T (display mode 0, no colour values) or Lab (mode 3, CIEDE2000 with threshold 1.0 on the
// colorimeter layout); two standards when twoStandards, the second from the
// middle on; the drift starts at 60 % of the rows.
inline QList<ComparisonRecord> driftingRecords(int displayMode, int count, bool twoStandards = false)
{
    std::mt19937 random(24);
    std::normal_distribution<double> noise(0.0, 1.0);
    ComparisonSettings settings;
    settings.displayMode = displayModeFromIndex(displayMode);
    settings.hazeTolerance = 0.5;
    settings.transmittanceTolerance = 0.8;
    settings.deltaEThreshold = 1.0;
    settings.layoutIndex = displayMode == 3 ? 1 : 0;
    settings.formulaCode = 6;
    settings.parameterThreshold = 1.0;
    const QDateTime start(QDate(2026, 12, 8), QTime(7, 30));
    QList<ComparisonRecord> records;
    for (int i = 0; i < count; ++i) {
        ComparisonRecord r;
        r.id = QUuid::createUuid();
        r.testName = QStringLiteral("Comp%1").arg(i + 1);
        r.time = start.addSecs(60 * i);
        r.sequence = i + 1;
        r.modelName = displayMode == 3 ? QStringLiteral("TX470") : QStringLiteral("TX310");
        r.serialNumber = QStringLiteral("A1024");
        const bool second = twoStandards && i >= count / 2;
        r.standard = {second ? 2.1 : 1.5, second ? 88.4 : 90.2, second ? 62.0 : 48.5, second ? -3.2 : 12.25,
                      second ? 20.1 : 8.4, 0, 0, 0, 0, 0, 0};
        const double drift = i > count * 6 / 10 ? (i - count * 6.0 / 10) / count : 0.0;
        r.sample = r.standard;
        r.sample[ComparisonRecord::Haze] = rounded(r.standard[0] + 0.15 * noise(random) + 1.2 * drift);
        r.sample[ComparisonRecord::Transmittance] = rounded(r.standard[1] + 0.25 * noise(random) - 1.5 * drift);
        r.sample[ComparisonRecord::LabL] = rounded(r.standard[2] + 0.25 * noise(random) + 0.5 * drift);
        r.sample[ComparisonRecord::LabA] = rounded(r.standard[3] + 0.35 * noise(random) + 2.5 * drift);
        r.sample[ComparisonRecord::LabB] = rounded(r.standard[4] + 0.3 * noise(random) - 1.0 * drift);
        for (ComparisonRecord::Values* v : {&r.standard, &r.sample}) {
            const double a = (*v)[ComparisonRecord::LabA];
            const double b = (*v)[ComparisonRecord::LabB];
            (*v)[ComparisonRecord::LchL] = (*v)[ComparisonRecord::LabL];
            (*v)[ComparisonRecord::LchC] = rounded(std::hypot(a, b));
            (*v)[ComparisonRecord::LchH] = rounded(std::fmod(std::atan2(b, a) * 180.0 / M_PI + 360.0, 360.0));
        }
        if (displayMode != 3) {
            // A haze meter measures no colour: those values stay unknown.
            for (int k = ComparisonRecord::LabL; k < ComparisonRecord::ValueCount; ++k) {
                r.standard[k] = r.sample[k] = ComparisonRecord::kUnknown;
            }
        }
        r.hazeDifference = rounded(r.sample[0] - r.standard[0]);
        r.transmittanceDifference = rounded(r.sample[1] - r.standard[1]);
        judgeRecord(r, settings);
        records << r;
    }
    return records;
}

} // namespace statisticscases
