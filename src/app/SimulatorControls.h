#pragma once
#include <QObject>
#include <QString>

#include <memory>

class InstrumentEmulator;
class LinkFactory;
class QAction;
class QWidget;

// Keys on the main window that act on the emulated instrument: F8 presses
// its measuring key, F9 unplugs it or plugs it back in. The window title says
// which model is emulated and whether it is plugged in.
class SimulatorControls : public QObject
{
    Q_OBJECT
public:
    SimulatorControls(std::shared_ptr<InstrumentEmulator> emulator, QWidget* window);

    // Adds the controls to window when factory opens an emulated instrument;
    // null (and nothing added) for the real one.
    static SimulatorControls* install(LinkFactory* factory, QWidget* window);

    QAction* measureKeyAction() const { return m_measureKey; }
    QAction* plugAction() const { return m_plug; }

public Q_SLOTS:
    void pressMeasureKey();
    void togglePlug();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retranslate();

    std::shared_ptr<InstrumentEmulator> m_emulator;
    QWidget* m_window = nullptr;
    QString m_baseTitle;
    QAction* m_measureKey = nullptr;
    QAction* m_plug = nullptr;
};
