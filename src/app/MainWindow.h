#pragma once
#include <QStringList>
#include <QWidget>
#include <QTranslator>

#include <functional>
#include <memory>
#include <vector>

class CLinker;
class DeviceChanges;
class DeviceNotifier;
class Dialogs;
class FirstPageFor310;
class InstrumentLink;
class LinkFactory;
class LinkTransport;
class QGridLayout;
class QKeyEvent;
class QResizeEvent;
class QLabel;
class QPushButton;
class QSizeGrip;
class QStackedWidget;
class StandardLibrary;
class StationStatus;
class Transport;

// The top-level window: hosts the workspace, owns the one link to the
// instrument and shows whether it is connected. A plain top-level window:
// Escape in a field does not close it (and with it the program).
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    // The language the window starts in, and where its catalogues are looked
    // for, in order (an empty entry means the working directory). With
    // hiddenPartsAfterFirstFrame the page's parts that start hidden (the legacy
    // layout, the delta-E parameter panel, the standard's edits of the rows
    // the display mode hides) are built right after the window's first frame,
    // as the first step that waits for it.
    struct StartLanguage
    {
        QStringList catalogueDirectories;
        bool chinese = true;
        bool hiddenPartsAfterFirstFrame = false;
    };

    // factory opens the link (real, emulated or a test double); notifier
    // reports device arrival and removal and becomes a child of the window.
    // Every box of the window, its page and their dialogs goes through
    // dialogs (the real QtDialogs, or a test's double), which must outlive it.
    // Starts in Chinese, catalogues from the working directory, then beside
    // the executable.
    MainWindow(std::unique_ptr<LinkFactory> factory, DeviceNotifier* notifier, Dialogs& dialogs,
               QWidget* parent = nullptr);
    // Starts in the language given. Its catalogue is loaded once, before the
    // window's widgets are built, so their texts are set once, translated;
    // when it does not load, the window starts with the texts as written.
    MainWindow(std::unique_ptr<LinkFactory> factory, DeviceNotifier* notifier, Dialogs& dialogs,
               const StartLanguage& language, QWidget* parent = nullptr);
    ~MainWindow() override;

    bool isLinkOpen() const;
    int sendFrame(QByteArray& frame, int timeoutMs);
    int receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum);
    void delayMs(int ms);
    // The transport every protocol command of this window's link goes through.
    Transport& transport();

    FirstPageFor310* workspace() const { return page; }
    // The page's comparison journal in the file at path; what it writes goes
    // to the station database at once when one is configured.
    void startJournal(const QString& path);
    CLinker* currentLink() const { return link.get(); }
    bool isLedOn() const { return ledOn; }
    // The resize grip in the bottom right corner.
    bool isSizeGripEnabled() const;
    // Where the catalogues are looked for, in order; an empty entry means the
    // working directory. Default: the working directory, then beside the executable.
    void setCatalogueDirectories(const QStringList& directories) { catalogueDirs = directories; }
    // Runs step right after the window's first frame has been painted, in
    // the same turn of the event loop (no input is handled before it), for
    // work that need not delay that frame. The instrument is looked for only
    // after every such step has run.
    void afterFirstFrame(std::function<void()> step);

public Q_SLOTS:
    void initForm();
    void initusbport();
    void on_btnLanguageEn_clicked();
    void on_btnLanguageZh_clicked();
    void handleAppMessage(const QString& message);
    bool OpenUSB();
    void CloseUSB();
    // Device notifications: arrival opens while disconnected; removal closes
    // only when the link says the instrument itself is gone. A notice that
    // comes while an exchange of this window holds the link (inside its box)
    // is handled once that exchange has let go.
    void onDeviceArrived();
    void onDeviceRemoved();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupUi();
    void retranslateUi();
    void showLed(bool on);
    bool switchLanguage(const QString& catalogue, bool chinese);
    std::unique_ptr<QTranslator> loadCatalogue(const QString& catalogue) const;
    void installQtCatalogue(bool chinese);
    // The library of standards for the station's configuration: the station's
    // copy, read only, with a station database; else the one beside the journal.
    void openStandards(bool stationConfigured);
    // The library follows the station's configuration and its sync's copies.
    void connectStandards();
    void runFirstFrameSteps();
    void handleArrival();
    void handleRemoval();

    struct Ui
    {
        QGridLayout* gridLayout = nullptr;
        QLabel* LinkStatusLabel = nullptr;
        QLabel* instrumentHintLabel = nullptr; // where to start while no instrument is connected
        QPushButton* btnLanguageEn = nullptr;
        QPushButton* btnLanguageZh = nullptr;
        QStackedWidget* stackedWidget = nullptr;
    };
    Dialogs& dialogs; // the modal seam handed to everything the window builds
    std::unique_ptr<Ui> ui;
    QSizeGrip* sizeGrip = nullptr;
    StationStatus* stationStatus = nullptr;
    FirstPageFor310* page = nullptr;
    std::unique_ptr<CLinker> link;
    std::unique_ptr<QTranslator> translator;
    // Qt's own texts (standard buttons, file and print dialogs) in Chinese; none in English.
    std::unique_ptr<QTranslator> qtTranslator;
    std::unique_ptr<LinkFactory> factory;
    std::unique_ptr<LinkTransport> linkTransport;
    // The page's and every dialog's door to the link: its transport and the
    // one link lock. Outlives the page (~MainWindow frees the page first).
    std::unique_ptr<InstrumentLink> instrumentLink;
    // Plug and unplug notices, kept while an exchange holds the link lock.
    std::unique_ptr<DeviceChanges> deviceChanges;
    DeviceNotifier* notifier = nullptr;
    // The library of standards the page's picker and library window use; outlives the page.
    std::unique_ptr<StandardLibrary> standards;
    QString journalPath; // the journal's file; the local library is beside it
    QStringList catalogueDirs;
    bool ledOn = false;
    std::vector<std::function<void()>> firstFrameSteps;
    bool usbWaitsForFirstFrame = false;
    bool hiddenPartsLater = false;
};

// The process's one main window (the one constructed last and still alive).
MainWindow* mainWindowInstance();
