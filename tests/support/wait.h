#pragma once

// Bounded waits that keep the event loop running and report to GoogleTest. Qt's QTRY_*
// macros report to Qt Test's own log and return quietly inside a GoogleTest test, so
// they are not used here.
#include <QTest>
#include <gtest/gtest.h>

template <typename Condition> bool WaitUntil(Condition condition, int timeoutMs = 5000) {
    return QTest::qWaitFor(condition, timeoutMs);
}

#define EXPECT_EVENTUALLY(condition, timeoutMs)                                                    \
    EXPECT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, timeoutMs))                       \
        << "still false after " << (timeoutMs) << " ms: " #condition

#define ASSERT_EVENTUALLY(condition, timeoutMs)                                                    \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, timeoutMs))                       \
        << "still false after " << (timeoutMs) << " ms: " #condition
