// The instrument is unplugged while an exchange of the user-interface thread
// holds the link lock across its own dialog (a message box of the settings, an
// import's progress dialog). The removal notice arrives inside that dialog and
// closes the link: the receive worker must stop although it cannot take the
// lock, the window must not hang, and the exchange ends on the closed link.
#include "DeviceNotifier.h"
#include "Dialogs.h"
#include "EmulatedLinkFactory.h"
#include "FirstPageFor310.h"
#include "InstrumentPanel.h"
#include "MeasurementSession.h"
#include "InstrumentEmulator.h"
#include "MainWindow.h"
#include "DialogFeedback.h"
#include "RecordImport.h"
#include "SettingsExchange.h"
#include "VirtualInstrument.h"
#include "WaitUntil.h"

#include <QCoreApplication>
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

} // namespace

class tst_measure_unplug : public QObject
{
    Q_OBJECT
    std::unique_ptr<UnplugDialogs> m_dialogs;
    std::shared_ptr<InstrumentEmulator> m_emulator;
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
        m_window = std::make_unique<MainWindow>(std::make_unique<EmulatedLinkFactory>(m_emulator), m_notifier,
                                                *m_dialogs);
        QVERIFY(waitUntil([this] { return m_window->isLedOn(); }));
        QVERIFY(page().session().receiveWorker());
        m_dialogs->shown.clear();
        m_dialogs->unplug = [this] {
            m_emulator->unplug();
            m_notifier->remove(); // the main window closes the link now
        };
    }
    void cleanup()
    {
        m_window.reset();
        m_dialogs.reset();
    }

    void unplugInAMessageBoxHoldingTheLink_closes()
    {
        QTest::qWait(100); // the worker is polling
        DialogFeedback feedback(&page(), page().panel().dialogs());
        SettingsExchange settings(page().panel().link(), feedback, false);
        QVERIFY(!settings.setDeltaEThreshold(QStringLiteral("99"))); // out of range: a box, lock held
        QCOMPARE(m_dialogs->shown.size(), 1);
        QVERIFY(!m_window->isLedOn());
        QVERIFY(!page().session().receiveWorker());
    }

    void unplugWhileAnImportShowsItsProgress_closesAndTheImportEnds()
    {
        m_emulator->instrument().fillComparisonRecords(0, 40); // several pages
        m_dialogs->unplugAtProgress = 1;
        DialogFeedback feedback(&page(), page().panel().dialogs());
        RecordImport import(page().panel().link(), feedback);
        ImportSettings settings;
        settings.judging.displayMode = DisplayMode::HazeT;
        settings.modelName = QStringLiteral("TX310");
        const ImportResult result = import.importCurrent(settings);
        QVERIFY(result.outcome != ImportResult::Outcome::Imported);
        QCOMPARE(m_dialogs->shown.size(), 1); // the import's own read failure, then it ended
        const QString error = QCoreApplication::translate("RecordImport", "Error"); // the window is in Chinese
        QVERIFY2(m_dialogs->shown.first().startsWith(error + QLatin1Char('|')), qPrintable(m_dialogs->shown.first()));
        QVERIFY(!m_window->isLedOn());
        QVERIFY(!page().session().receiveWorker());

        // Plugged in again: a new worker, and the window measures again.
        m_emulator->plug();
        m_notifier->arrive();
        QVERIFY(waitUntil([this] { return m_window->isLedOn(); }));
        QVERIFY(page().session().receiveWorker());
    }
};

QTEST_MAIN(tst_measure_unplug)
#include "tst_measure_unplug.moc"
