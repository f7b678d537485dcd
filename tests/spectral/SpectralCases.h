#pragma once
// Curves for the spectral tests, the screenshots and the benchmark.

#include "SpectralData.h"

#include <QList>

#include <cmath>

namespace spectralcases {

inline SpectralRecord flat(double value, bool shown = true)
{
    SpectralRecord r;
    r.values.fill(value);
    r.shown = shown;
    return r;
}

// A flat curve with one peak at index k.
inline SpectralRecord peak(double base, int k, double top, bool shown = true)
{
    SpectralRecord r = flat(base, shown);
    r.values[static_cast<size_t>(k)] = top;
    return r;
}

// A smooth curve that differs with i: a rising edge and a bump.
inline SpectralRecord smooth(int i, double level)
{
    SpectralRecord r;
    for (int k = 0; k < kSpectralPointCount; ++k) {
        const double edge = 1.0 / (1.0 + std::exp(-(k - 8.0 - 0.7 * i) / 2.5));
        const double bump = 6.0 * std::exp(-std::pow((k - 20.0 + i) / 4.0, 2.0));
        r.values[static_cast<size_t>(k)] = std::round((level * (0.35 + 0.6 * edge) + bump) * 100.0) / 100.0;
    }
    return r;
}

inline QList<double> asList(const SpectralRecord& r)
{
    return QList<double>(r.values.begin(), r.values.end());
}

} // namespace spectralcases
