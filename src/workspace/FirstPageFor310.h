#pragma once
#include <QWidget>

// The measurement workspace page. It holds the receive worker while a link is
// open and is cleared when the instrument goes away.
class FirstPageFor310 : public QWidget
{
    Q_OBJECT
public:
    explicit FirstPageFor310(QWidget* parent = nullptr);

    bool chineseUi = false;

public Q_SLOTS:
    void openThreadSlot();
    void closeThreadSlot();
    void clear();
    void onDeviceConnected();
    virtual void languageChange();
};
