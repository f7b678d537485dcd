#pragma once
// The one way tests wait for something: events keep being processed until
// the condition holds or timeoutMs has passed. Returns the condition's last
// value, so a test can QVERIFY(waitUntil(...)).

#include <QDeadlineTimer>
#include <QTest>

template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return condition();
        }
        QTest::qWait(5);
    }
    return true;
}
