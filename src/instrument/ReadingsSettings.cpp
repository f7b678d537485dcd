#include "ReadingsSettings.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

QSettings userSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"), QStringLiteral("Tintwell"));
}

int readingCount(const QSettings& settings, const QString& key)
{
    bool ok = false;
    const int n = settings.value(key, 1).toInt(&ok);
    return ok ? std::clamp(n, 1, ReadingsSettings::kMostReadings) : 1;
}

} // namespace

ReadingsSettings ReadingsSettings::load(QSettings& settings)
{
    ReadingsSettings s;
    s.plan.perStandard = readingCount(settings, QStringLiteral("readings/perStandard"));
    s.plan.perSample = readingCount(settings, QStringLiteral("readings/perSample"));
    s.plan.median = settings.value(QStringLiteral("readings/average")).toString().trimmed().compare(QLatin1String("median"), Qt::CaseInsensitive) == 0;
    bool ok = false;
    const double limit = settings.value(QStringLiteral("readings/reReadAbove"), 0.0).toDouble(&ok);
    s.plan.reReadAbove = ok && std::isfinite(limit) && limit > 0.0 ? limit : 0.0;
    return s;
}

void ReadingsSettings::save(QSettings& settings) const
{
    settings.setValue(QStringLiteral("readings/perStandard"), plan.perStandard);
    settings.setValue(QStringLiteral("readings/perSample"), plan.perSample);
    settings.setValue(QStringLiteral("readings/average"), plan.median ? QStringLiteral("median") : QStringLiteral("mean"));
    settings.setValue(QStringLiteral("readings/reReadAbove"), plan.reReadAbove);
}

ReadingsSettings ReadingsSettings::loadUser()
{
    QSettings settings = userSettings();
    return load(settings);
}

void ReadingsSettings::saveUser() const
{
    QSettings settings = userSettings();
    save(settings);
}
