#pragma once
// A metamer for the tests: a curve with another curve's XYZ under one set
// of tristimulus weights but a different shape, so the pair matches under
// that light and parts under another. Header-only; Weights is any type with
// bandWeights(row) for the rows X, Y, Z (the colorimetry engine's).

#include <array>
#include <cmath>
#include <cstddef>

template <typename Weights, std::size_t N>
std::array<double, N> metamerOf(const std::array<double, N>& base, const Weights& weights,
                                std::array<double, N> wiggle)
{
    // Gram-Schmidt over the three weight rows, then wiggle's part along them taken off.
    std::array<std::array<double, N>, 3> basis{};
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t k = 0; k < N; ++k) {
            basis[r][k] = weights.bandWeights(int(r))[k];
        }
        for (std::size_t q = 0; q < r; ++q) {
            double dot = 0.0;
            for (std::size_t k = 0; k < N; ++k) {
                dot += basis[r][k] * basis[q][k];
            }
            for (std::size_t k = 0; k < N; ++k) {
                basis[r][k] -= dot * basis[q][k];
            }
        }
        double norm = 0.0;
        for (const double v : basis[r]) {
            norm += v * v;
        }
        for (double& v : basis[r]) {
            v /= std::sqrt(norm);
        }
    }
    for (const auto& b : basis) {
        double dot = 0.0;
        for (std::size_t k = 0; k < N; ++k) {
            dot += wiggle[k] * b[k];
        }
        for (std::size_t k = 0; k < N; ++k) {
            wiggle[k] -= dot * b[k];
        }
    }
    std::array<double, N> metamer = base;
    for (std::size_t k = 0; k < N; ++k) {
        metamer[k] += wiggle[k];
    }
    return metamer;
}
