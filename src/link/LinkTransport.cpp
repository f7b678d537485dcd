#include "LinkTransport.h"

#include "Bytes.h"
#include "CLinker.h"
#include "FrameChecksum.h"

#include <QElapsedTimer>
#include <QThread>

bool LinkTransport::isLinkOpen() const
{
    CLinker* link = m_link.load();
    return link && link->isOpen();
}

int LinkTransport::sendFrame(QByteArray& frame, int timeoutMs)
{
    CLinker* link = m_link.load();
    if (!link || !link->isOpen()) {
        return -1;
    }
    putU16le(frame, frameChecksum(frame));
    return link->WriteMessage(frame, timeoutMs);
}

int LinkTransport::receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen,
                                bool checkChecksum)
{
    return receiveReply(buffer, timeoutMs, expectedLen, checkChecksum, {});
}

int LinkTransport::receiveReply(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum,
                                const std::function<bool(const QByteArray&)>& endsEarly)
{
    CLinker* link = m_link.load();
    if (!link) {
        return -1;
    }
    const int limit = m_receiveLimitMs.load();
    if (limit > 0 && timeoutMs > limit) {
        timeoutMs = limit;
    }
    const int n = timeoutMs > 0 && endsEarly ? link->ReadMessageUntil(buffer, timeoutMs, expectedLen, endsEarly)
                                             : link->ReadMessage(buffer, timeoutMs, expectedLen);
    if (n <= 0 || !checkChecksum) {
        return n;
    }
    if (endsEarly && buffer.size() < expectedLen && endsEarly(buffer)) {
        return n; // a short error reply, its checksum verified by endsEarly
    }
    if (expectedLen < 2 || buffer.size() < expectedLen) {
        return -1;
    }
    const quint16 expected = frameChecksum(buffer, expectedLen - 2);
    return getU16le(buffer, expectedLen - 2) == expected ? buffer.size() : -1;
}

bool LinkTransport::waitForInput(int timeoutMs)
{
    CLinker* link = m_link.load();
    return link ? link->WaitForInput(timeoutMs) : true; // no link: the read says so
}

void LinkTransport::wakeInputWaiter()
{
    if (CLinker* link = m_link.load()) {
        link->WakeInputWaiter();
    }
}

int LinkTransport::receiveAvailable(QByteArray& buffer)
{
    CLinker* link = m_link.load();
    return link ? link->ReadAvailable(buffer) : -1;
}

void LinkTransport::delayMs(int ms)
{
    // Sleeping instead of spinning; the loop makes sure it never returns early.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() <= ms) {
        const qint64 left = ms - timer.elapsed() + 1;
        QThread::msleep(static_cast<unsigned long>(left > 0 ? left : 1));
    }
}
