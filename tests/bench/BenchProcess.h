#pragma once
// What the benchmarks read about their own process and their samples.

#include <QFile>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <limits>
#include <unistd.h>
#include <vector>

namespace bench {

// CPU time (user + system) this process has used so far, in seconds, from
// /proc/self/stat (fields 14 and 15, in clock ticks); -1 when unreadable.
inline double cpuSeconds()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1.0;
    }
    const QByteArray line = stat.readAll();
    // The command name (field 2) may hold spaces: count from its closing parenthesis.
    const int close = line.lastIndexOf(')');
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // fields[0] is field 3 (state), so utime (14) and stime (15) are 11 and 12.
    if (close < 0 || fields.size() < 13) {
        return -1.0;
    }
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (fields.at(11).toDouble() + fields.at(12).toDouble()) / ticks;
}

// Resident memory now, in kB (VmRSS of /proc/self/status); -1 when unreadable.
inline long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// The number given after the option name among a benchmark's arguments, at
// least minimum; fallback when the option is not given.
inline int intOption(const QStringList& args, const char* name, int fallback,
                     int minimum = std::numeric_limits<int>::min())
{
    const qsizetype at = args.indexOf(QLatin1String(name));
    return at >= 0 && at + 1 < args.size() ? std::max(minimum, args.at(at + 1).toInt()) : fallback;
}

// The p-th quantile (0..1) of sorted samples, nearest rank.
inline double percentile(const std::vector<double>& sorted, double p)
{
    if (sorted.empty()) {
        return 0.0;
    }
    const std::size_t index = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

} // namespace bench
