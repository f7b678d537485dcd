#pragma once
// A transport that answers nothing and waits for nothing: it records what a
// command asked of it (send and receive time-outs, reply length, whether the
// frame checksum is checked, pauses), so a table can pin those per command.

#include "Transport.h"

#include <QByteArray>
#include <QList>

class RecordingTransport final : public Transport
{
public:
    struct Receive
    {
        int timeoutMs;
        int expectedLen;
        bool checkChecksum;
    };

    bool isLinkOpen() const override { return true; }
    int sendFrame(QByteArray& frame, int timeoutMs) override
    {
        sendTimeouts << timeoutMs;
        frame.append(2, '\0'); // the checksum's place; nothing goes anywhere
        return static_cast<int>(frame.size());
    }
    int receiveFrame(QByteArray&, int timeoutMs, int expectedLen, bool checkChecksum) override
    {
        receives << Receive{timeoutMs, expectedLen, checkChecksum};
        return 0; // no reply
    }
    void delayMs(int ms) override { delays << ms; }

    QList<int> sendTimeouts;
    QList<Receive> receives;
    QList<int> delays;
};
