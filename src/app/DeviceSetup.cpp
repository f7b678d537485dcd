#include "DeviceSetup.h"

#include "LinkFactory.h"
#include "UdevDeviceNotifier.h"

StartOptions parseStartOptions(const QStringList& arguments)
{
    StartOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--simulate")) {
            options.simulate = true;
            if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1Char('-'))) {
                options.model = arguments.at(++i).trimmed().toUpper();
            }
        }
    }
    return options;
}

DeviceSetup createDeviceSetup(const StartOptions& options)
{
    DeviceSetup setup;
    Q_UNUSED(options)
    setup.notifier = new UdevDeviceNotifier;
    return setup;
}
