// The colorimetry engine at volume: N curves (1 000 000 by default) to
// L*a*b* under D65/10°, on one core, the weights computed once before the
// clock starts. The curves come from a pool of 1000 made beforehand (smooth
// curves, steep edges, peaks), cycled, and the L*a*b* values are summed so
// the work cannot be optimised away.
//
//   tintwell_colorimetry_bench [--curves N]
//
// Goal: 1 000 000 curves in at most 1 s of CPU time. The last line is
// "curves per second: N" (measured on CPU time).

#include "ColorSpaces.h"
#include "TristimulusWeights.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace colorimetry;

namespace {

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

std::vector<Curve> makePool()
{
    std::vector<Curve> pool(1000);
    for (std::size_t n = 0; n < pool.size(); ++n) {
        for (int i = 0; i < kBandCount; ++i) {
            const double t = double(i) / (kBandCount - 1);
            switch (n % 3) {
            case 0:
                pool[n][std::size_t(i)] = 5.0 + 90.0 * (0.5 + 0.5 * std::sin(6.0 * t + double(n)));
                break;
            case 1:
                pool[n][std::size_t(i)] = i < int(n % 31) ? 4.0 : 88.0;
                break;
            default:
                pool[n][std::size_t(i)] = 3.0 + 80.0 * std::exp(-std::pow((t - double(n % 97) / 97.0) * 6.0, 2.0));
                break;
            }
        }
    }
    return pool;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    long long count = 1000000;
    const QStringList args = app.arguments();
    const int at = int(args.indexOf(QStringLiteral("--curves")));
    if (at >= 0 && at + 1 < args.size()) {
        count = args.at(at + 1).toLongLong();
    }
    if (count < 1) {
        std::fprintf(stderr, "--curves needs a positive number\n");
        return 2;
    }
    const std::vector<Curve> pool = makePool();
    const TristimulusWeights& weights = TristimulusWeights::standard(Illuminant::D65, Observer::Cie1964TenDegree);
    const XyzColor white = weights.white();

    QElapsedTimer wall;
    wall.start();
    const double cpuStart = cpuSeconds();
    double sum = 0.0;
    for (long long n = 0; n < count; ++n) {
        const LabColor lab = labFromXyz(weights.xyz(pool[std::size_t(n % 1000)]), white);
        sum += lab.l + lab.a + lab.b;
    }
    const double cpu = cpuSeconds() - cpuStart;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    std::printf("curves: %lld under D65/10 deg\n", count);
    std::printf("checksum: %.6f\n", sum / double(count));
    std::printf("cpu time: %.3f s (wall %.3f s)\n", cpu, elapsed);
    std::printf("goal: 1000000 curves in <= 1 s: %s\n",
                double(count) / cpu >= 1e6 ? "met" : "NOT met");
    std::printf("curves per second: %.0f\n", double(count) / cpu);
    return 0;
}
