#pragma once

#include <QElapsedTimer>
#include <QTest>

// Bounded polling that keeps the event loop running (Qt's QTRY_ macros report to Qt Test,
// not to GoogleTest, so a time-out there would pass silently).
template <typename Condition> bool WaitUntil(Condition condition, int timeoutMs = 5000) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > timeoutMs) {
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}
