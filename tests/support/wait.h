#pragma once

// Bounded waits that keep the event loop running and report to GoogleTest. Qt's QTRY_*
// macros report to Qt Test's own log and return quietly inside a GoogleTest test.
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#define HOROLUX_EVENTUALLY(check, condition, ms)                                                   \
    check(QTest::qWaitFor([&] { return bool(condition); }, ms))                                    \
        << "still false after " << (ms) << " ms: " #condition
#define EXPECT_EVENTUALLY(condition, ms) HOROLUX_EVENTUALLY(EXPECT_TRUE, condition, ms)
#define ASSERT_EVENTUALLY(condition, ms) HOROLUX_EVENTUALLY(ASSERT_TRUE, condition, ms)

// True once everything posted to object before the call has run: queued calls keep their order.
inline bool RunPosted(QObject* object) {
    const auto ran = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        object, [ran] { *ran = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([&] { return *ran; }, 5000);
}
