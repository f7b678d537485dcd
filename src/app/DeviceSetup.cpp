#include "DeviceSetup.h"

#include "DeviceNotifier.h"
#include "EmulatedLinkFactory.h"
#include "EmulatorModel.h"
#include "HidLinkFactory.h"
#include "InstrumentEmulator.h"
#include "LinkFactory.h"
#include "UdevDeviceNotifier.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

#include <cmath>

namespace {

const QString kDefaultModel = QStringLiteral("TX310");

// "TX430" or "TX430:350" (also "TX430:3.50"): the model and its software
// version x 100 (0 keeps the model's default). false with a message when the
// text names no known model or no usable version.
bool splitModelText(const QString& modelText, QString& model, int& version, QString& error)
{
    const int colon = modelText.indexOf(QLatin1Char(':'));
    model = (colon < 0 ? modelText : modelText.left(colon)).trimmed().toUpper();
    version = 0;
    if (model.isEmpty()) {
        model = kDefaultModel;
    }
    if (!isKnownEmulatorModel(model)) {
        error = QCoreApplication::translate("DeviceSetup", "Unknown instrument model \"%1\"; choose one of %2.")
                    .arg(model, emulatorModelNames().join(QStringLiteral(", ")));
        return false;
    }
    if (colon < 0) {
        return true;
    }
    const QString text = modelText.mid(colon + 1).trimmed();
    bool ok = false;
    if (text.contains(QLatin1Char('.'))) {
        const double value = text.toDouble(&ok);
        version = ok ? static_cast<int>(std::lround(value * 100.0)) : 0;
    } else {
        version = text.toInt(&ok);
    }
    if (!ok || version <= 0 || version > 65535) {
        error = QCoreApplication::translate("DeviceSetup", "Invalid software version \"%1\"; write it as 312 or 3.12.")
                    .arg(text);
        return false;
    }
    return true;
}

} // namespace

StartOptions parseStartOptions(const QStringList& arguments)
{
    StartOptions options;
    // The language first: every refusal below is said in the language chosen,
    // wherever --lang stands on the line.
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--lang") || arg.startsWith(QLatin1String("--lang="))) {
            const QString language = arg.size() > 6 ? arg.mid(7) : arguments.value(++i);
            if (language != QLatin1String("en") && language != QLatin1String("zh")) {
                options.valid = false;
                options.error = QCoreApplication::translate("DeviceSetup", "--lang takes zh or en.");
                return options;
            }
            options.chinese = language == QLatin1String("zh");
        }
    }
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--simulate")) {
            options.simulate = true;
            if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1Char('-'))) {
                options.model = arguments.at(++i).trimmed().toUpper();
            }
        } else if (arg.startsWith(QLatin1String("--simulate="))) {
            options.simulate = true;
            options.model = arg.mid(11).trimmed().toUpper();
        } else if (arg == QLatin1String("--lang")) {
            ++i; // read above
        } else if (!arg.startsWith(QLatin1String("--lang="))) {
            // Anything else would be ignored in silence: a mistyped option
            // starts a window that is not what was asked for.
            options.valid = false;
            options.error = arg.startsWith(QLatin1Char('-'))
                                ? QCoreApplication::translate("DeviceSetup", "Unknown option \"%1\".").arg(arg)
                                : QCoreApplication::translate("DeviceSetup", "Unexpected argument \"%1\".").arg(arg);
            return options;
        }
    }
    if (options.simulate) {
        const QString modelText = options.model;
        options.valid = splitModelText(modelText, options.model, options.softwareVersion, options.error);
    }
    return options;
}

DeviceSetup createDeviceSetup(const StartOptions& options)
{
    DeviceSetup setup;
    if (!options.simulate) {
        setup.factory = std::make_unique<HidLinkFactory>();
        setup.notifier = new UdevDeviceNotifier;
        return setup;
    }
    auto emulator = std::make_shared<InstrumentEmulator>(options.model, options.softwareVersion);
    auto* notifier = new ManualDeviceNotifier;
    // Plugging and unplugging reach the window as notifications do: later,
    // from the event loop, not inside the caller's stack.
    QPointer<ManualDeviceNotifier> target(notifier);
    emulator->setPlugListener([target](bool plugged) {
        if (!target) {
            return;
        }
        QMetaObject::invokeMethod(
            target.data(),
            [target, plugged] {
                if (target) {
                    plugged ? target->arrive() : target->remove();
                }
            },
            Qt::QueuedConnection);
    });
    setup.factory = std::make_unique<EmulatedLinkFactory>(std::move(emulator));
    setup.notifier = notifier;
    return setup;
}
