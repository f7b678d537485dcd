#pragma once
#include <QObject>
#include <QPoint>

// Application-wide event filter that lets widgets marked with the dynamic
// property "canMove" be dragged with the left mouse button.
class AppInit : public QObject
{
    Q_OBJECT
public:
    static AppInit* Instance();

    // The drag state, one set for the whole process.
    static bool mousePressed;
    static QPoint mousePoint;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit AppInit(QObject* parent = nullptr);
};
