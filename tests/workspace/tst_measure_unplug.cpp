// The instrument is unplugged, or unplugged and another one plugged in, while
// a dialog of the window is open. A box that holds no link lock (the settings'
// range box) lets the removal close the link at once. An exchange that holds
// the lock across its dialog (an import's progress dialog) keeps the notices
// until it has let go: it ends on the instrument that went away, then the
// window closes that link and opens and identifies the new instrument, with no
// second take of the lock its own thread holds.
#include "DeviceNotifier.h"
#include "Dialogs.h"
#include "EmulatedLinkFactory.h"
#include "FirstPageFor310.h"
#include "InstrumentPanel.h"
#include "MeasurementSession.h"
#include "InstrumentState.h"
#include "LinkFactory.h"
#include "InstrumentEmulator.h"
#include "MainWindow.h"
#include "DialogFeedback.h"
#include "RecordImport.h"
#include "SettingsExchange.h"
#include "VirtualInstrument.h"
#include "WaitUntil.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTest>

#include <functional>

void tintwellInitResources();

namespace {

// Every dialog answers at once; the first one (or the progress dialog at a
// given value) runs the removal notice first, as the dialog's event loop would.
class UnplugDialogs final : public Dialogs
{
public:
    std::function<void()> unplug;
    int unplugAtProgress = -1; // -1: at the first message box
    QStringList shown;

    DialogButton message(QWidget*, MessageIcon, const QString& title, const QString& text, int) override
    {
        shown << title + QLatin1Char('|') + text;
        if (unplugAtProgress < 0) {
            fire();
        }
        return DialogButton::Ok;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::unique_ptr<ProgressDialog> progress(QWidget*, const QString&, const QString&, int, int) override
    {
        return std::make_unique<Progress>(*this);
    }

private:
    class Progress final : public ProgressDialog
    {
    public:
        explicit Progress(UnplugDialogs& owner) : m_owner(owner) {}
        void setValue(int value) override
        {
            if (value == m_owner.unplugAtProgress) {
                m_owner.fire();
            }
        }
        bool wasCanceled() const override { return false; }
        void close() override {}

    private:
        UnplugDialogs& m_owner;
    };

    void fire()
    {
        if (unplug) {
            std::function<void()> once;
            std::swap(once, unplug);
            once();
        }
    }
};

// Opens whichever emulated instrument is plugged in now, so a test can plug
// in another model.
class CurrentEmulatorFactory final : public LinkFactory
{
public:
    explicit CurrentEmulatorFactory(const std::shared_ptr<InstrumentEmulator>& current) : m_current(current) {}
    std::unique_ptr<CLinker> openLink(std::uint16_t vendorId, std::uint16_t productId) override
    {
        return EmulatedLinkFactory(m_current).openLink(vendorId, productId);
    }

private:
    const std::shared_ptr<InstrumentEmulator>& m_current;
};

} // namespace

class tst_measure_unplug : public QObject
{
    Q_OBJECT
    std::unique_ptr<UnplugDialogs> m_dialogs;
    std::shared_ptr<InstrumentEmulator> m_emulator;    // plugged in now
    std::shared_ptr<InstrumentEmulator> m_unplugged;   // the one pulled out, kept while its link lives
    ManualDeviceNotifier* m_notifier = nullptr;
    std::unique_ptr<MainWindow> m_window;

    FirstPageFor310& page() { return *m_window->workspace(); }

private Q_SLOTS:
    void initTestCase() { tintwellInitResources(); }
    void init()
    {
        m_dialogs = std::make_unique<UnplugDialogs>();
        m_emulator = std::make_shared<InstrumentEmulator>(QStringLiteral("TX310"));
        m_notifier = new ManualDeviceNotifier;
        m_window = std::make_unique<MainWindow>(std::make_unique<CurrentEmulatorFactory>(m_emulator), m_notifier,
                                                *m_dialogs);
        QVERIFY(waitUntil([this] { return m_window->isLedOn(); }));
        QVERIFY(page().session().receiveWorker());
        m_dialogs->shown.clear();
    }
    void cleanup()
    {
        m_window.reset();
        m_dialogs.reset();
        m_unplugged.reset();
    }

    void unplugInABoxThatHoldsNoLink_closesAtOnce()
    {
        QTest::qWait(100); // the worker is polling
        bool closedInTheBox = false;
        m_dialogs->unplug = [this, &closedInTheBox] {
            m_emulator->unplug();
            m_notifier->remove();
            closedInTheBox = !m_window->isLedOn() && !page().session().receiveWorker();
        };
        DialogFeedback feedback(&page(), page().panel().dialogs());
        SettingsExchange settings(page().panel().link(), feedback, false);
        QVERIFY(!settings.setDeltaEThreshold(QStringLiteral("99"))); // refused before the link is taken
        QCOMPARE(m_dialogs->shown.size(), 1);
        QVERIFY(closedInTheBox);
    }

    void unplugWhileAnImportShowsItsProgress_closesOnceTheImportEnds()
    {
        m_emulator->instrument().fillComparisonRecords(0, 40); // several pages
        m_dialogs->unplugAtProgress = 1;
        bool openInTheDialog = false;
        m_dialogs->unplug = [this, &openInTheDialog] {
            m_emulator->unplug();
            m_notifier->remove(); // kept: the import holds the link
            openInTheDialog = m_window->isLedOn();
        };
        const ImportResult result = importFromTheWindow();
        QVERIFY(result.outcome != ImportResult::Outcome::Imported);
        QCOMPARE(m_dialogs->shown.size(), 1); // the import's own read failure, then it ended
        const QString error = QCoreApplication::translate("RecordImport", "Error"); // the window is in Chinese
        QVERIFY2(m_dialogs->shown.first().startsWith(error + QLatin1Char('|')), qPrintable(m_dialogs->shown.first()));
        QVERIFY(openInTheDialog);
        QVERIFY(waitUntil([this] { return !m_window->isLedOn(); }));
        QVERIFY(!page().session().receiveWorker());

        // Plugged in again: a new worker, and the window measures again.
        m_emulator->plug();
        m_notifier->arrive();
        QVERIFY(waitUntil([this] { return m_window->isLedOn(); }));
        QVERIFY(page().session().receiveWorker());
    }

    // Pulled out and another instrument plugged in while the import's progress
    // dialog is open, the import holding the link: identifying the new one
    // there would take the lock a second time.
    void replugInsideAnImportsProgress_identifiesTheNewInstrumentAfterIt()
    {
        // A second take of the lock by the window's own thread is refused
        // with this warning instead of hanging; here it must not happen.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("link lock that its own thread holds")));
        QCOMPARE(page().state().modelName, QStringLiteral("TX310"));
        m_emulator->instrument().fillComparisonRecords(0, 40);
        m_dialogs->unplugAtProgress = 1;
        QString modelInTheDialog;
        m_dialogs->unplug = [this, &modelInTheDialog] {
            m_emulator->unplug();
            m_notifier->remove();
            m_unplugged = std::exchange(m_emulator, std::make_shared<InstrumentEmulator>(QStringLiteral("TX470")));
            m_notifier->arrive();
            modelInTheDialog = page().state().modelName;
        };
        const ImportResult result = importFromTheWindow();
        QVERIFY(result.outcome != ImportResult::Outcome::Imported); // it ended on the instrument pulled out
        QCOMPARE(modelInTheDialog, QStringLiteral("TX310"));        // nothing was identified inside it
        QVERIFY(waitUntil([this] { return page().state().modelName == QLatin1String("TX470"); }));
        QVERIFY(m_window->isLedOn());
        QVERIFY(page().session().receiveWorker());
        QVERIFY(m_window->currentLink() && !m_window->currentLink()->isDeviceGone());
        // The new instrument answers the window's commands.
        DialogFeedback feedback(&page(), page().panel().dialogs());
        SettingsExchange settings(page().panel().link(), feedback, false);
        QVERIFY(settings.readDeltaEParameter(false).has_value());
    }

private:
    ImportResult importFromTheWindow()
    {
        DialogFeedback feedback(&page(), page().panel().dialogs());
        RecordImport import(page().panel().link(), feedback);
        ImportSettings settings;
        settings.judging.displayMode = DisplayMode::HazeT;
        settings.modelName = QStringLiteral("TX310");
        return import.importCurrent(settings);
    }
};

QTEST_MAIN(tst_measure_unplug)
#include "tst_measure_unplug.moc"
