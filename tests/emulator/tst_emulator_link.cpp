// The emulated instrument behind the production stack: the link factory, the
// --simulate start option and the simulator keys. (Identification of every
// model against the shipped table is the workspace page's test.)

#include "DeviceNotifier.h"
#include "DeviceSetup.h"
#include "EmulatedLinkFactory.h"
#include "EmulatorModel.h"
#include "InstrumentEmulator.h"
#include "InstrumentIds.h"
#include "ScriptedDialogs.h"
#include "SimulatorControls.h"

#include <QAction>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

class TestEmulatorLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void factory_opensWhilePlugged();
    void startOptions_data();
    void startOptions();
    void simulateSetup_plugReachesNotifier();
    void simulatorKeys_pushAndUnplug();

private:
    std::unique_ptr<ScriptedDialogs> dialogs;
};

void TestEmulatorLink::init()
{
    dialogs.reset();
    dialogs = std::make_unique<ScriptedDialogs>();
}

void TestEmulatorLink::cleanup()
{
    // Reset first: a failed check must not leave the double behind. A box
    // nobody scripted has already failed the test when it was shown.
    const bool unused = dialogs->hasUnusedAnswers();
    dialogs.reset();
    QVERIFY(!unused);
}

void TestEmulatorLink::factory_opensWhilePlugged()
{
    auto emulator = std::make_shared<InstrumentEmulator>();
    EmulatedLinkFactory factory(emulator);
    QVERIFY(!factory.openLink(kInstrumentVendorId, 0x0302));
    emulator->unplug();
    QVERIFY(!factory.openLink(kInstrumentVendorId, kInstrumentProductId));
    emulator->plug();
    std::unique_ptr<CLinker> link = factory.openLink(kInstrumentVendorId, kInstrumentProductId);
    QVERIFY(link);
    QVERIFY(link->isOpen());
    QVERIFY(!link->isDeviceGone());
    emulator->unplug();
    QVERIFY(link->isDeviceGone());
}

void TestEmulatorLink::startOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("simulate");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("chinese");
    QTest::newRow("real instrument") << QStringList{"tintwell"} << false << true << QString() << 0 << true;
    QTest::newRow("default model") << QStringList{"tintwell", "--simulate"} << true << true << "TX310" << 0 << true;
    QTest::newRow("model") << QStringList{"tintwell", "--simulate", "tx460"} << true << true << "TX460" << 0 << true;
    QTest::newRow("model and version") << QStringList{"tintwell", "--simulate", "TX430:350"} << true << true
                                       << "TX430" << 350 << true;
    QTest::newRow("decimal version") << QStringList{"tintwell", "--simulate=TX420:2.99"} << true << true
                                     << "TX420" << 299 << true;
    QTest::newRow("unknown model") << QStringList{"tintwell", "--simulate", "TX999"} << true << false
                                   << "TX999" << 0 << true;
    QTest::newRow("bad version") << QStringList{"tintwell", "--simulate", "TX430:new"} << true << false
                                 << "TX430" << 0 << true;
    QTest::newRow("English, then simulate") << QStringList{"tintwell", "--lang", "en", "--simulate"} << true << true
                                            << "TX310" << 0 << false;
    QTest::newRow("Chinese after the model") << QStringList{"tintwell", "--simulate", "TX430", "--lang=zh"} << true
                                             << true << "TX430" << 0 << true;
    QTest::newRow("unknown language") << QStringList{"tintwell", "--lang", "fr"} << false << false << QString() << 0
                                      << true;
    QTest::newRow("language missing") << QStringList{"tintwell", "--lang"} << false << false << QString() << 0
                                      << true;
}

void TestEmulatorLink::startOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, simulate);
    QFETCH(bool, valid);
    QFETCH(QString, model);
    QFETCH(int, version);
    QFETCH(bool, chinese);
    const StartOptions options = parseStartOptions(arguments);
    QCOMPARE(options.simulate, simulate);
    QCOMPARE(options.valid, valid);
    QCOMPARE(options.error.isEmpty(), valid);
    QCOMPARE(options.model, model);
    QCOMPARE(options.softwareVersion, version);
    QCOMPARE(options.chinese, chinese);
}

void TestEmulatorLink::simulateSetup_plugReachesNotifier()
{
    DeviceSetup setup = createDeviceSetup(parseStartOptions({"tintwell", "--simulate", "TX430:350"}));
    std::unique_ptr<DeviceNotifier> notifier(setup.notifier);
    auto* factory = dynamic_cast<EmulatedLinkFactory*>(setup.factory.get());
    QVERIFY(factory);
    QVERIFY(qobject_cast<ManualDeviceNotifier*>(notifier.get()));
    const EmulatorModel model = factory->emulator()->model();
    QCOMPARE(model.name, QStringLiteral("TX430"));
    QCOMPARE(model.softwareVersion, 350);
    QVERIFY(model.isFirstGeneration());

    QSignalSpy removed(notifier.get(), &DeviceNotifier::deviceRemoved);
    QSignalSpy arrived(notifier.get(), &DeviceNotifier::deviceArrived);
    factory->emulator()->unplug();
    QCOMPARE(removed.count(), 0); // delivered later, from the event loop
    QVERIFY(removed.wait(1000));
    factory->emulator()->plug();
    QVERIFY(arrived.wait(1000));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(arrived.count(), 1);
}

void TestEmulatorLink::simulatorKeys_pushAndUnplug()
{
    DeviceSetup setup = createDeviceSetup(parseStartOptions({"tintwell", "--simulate", "TX310:105"}));
    std::unique_ptr<DeviceNotifier> notifier(setup.notifier);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tintwell"));
    SimulatorControls* controls = SimulatorControls::install(setup.factory.get(), &window);
    QVERIFY(controls);
    QVERIFY(window.windowTitle().contains(QStringLiteral("TX310")));
    std::unique_ptr<CLinker> link = setup.factory->openLink(kInstrumentVendorId, kInstrumentProductId);
    QVERIFY(link);

    // An older TX310 pushes the block of its display mode (haze/T here).
    controls->measureKeyAction()->trigger();
    QByteArray pushed;
    // One poll of the receive worker collects it.
    QVERIFY(link->ReadMessage(pushed, 0, 0) > 0);
    QCOMPARE(pushed.size(), 34);
    QCOMPARE(pushed.left(8), QByteArray::fromHex("AB4420000000" "1800"));

    const QString pluggedTitle = window.windowTitle();
    controls->plugAction()->trigger();
    QVERIFY(link->isDeviceGone());
    QVERIFY(window.windowTitle() != pluggedTitle);
    controls->plugAction()->trigger();
    QCOMPARE(window.windowTitle(), pluggedTitle);
    QVERIFY(link->isDeviceGone()); // the old link stays dead; OpenUSB makes a new one
    QVERIFY(setup.factory->openLink(kInstrumentVendorId, kInstrumentProductId));

    QCOMPARE(SimulatorControls::install(nullptr, &window), nullptr);
}

QTEST_MAIN(TestEmulatorLink)
#include "tst_emulator_link.moc"
