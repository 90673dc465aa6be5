#pragma once

// Bounded waits that report to GoogleTest. Qt's QTRY_* macros report to Qt Test's own
// log and return quietly when used inside a GoogleTest test, so they are not used here.
#include <QTest>
#include <gtest/gtest.h>

#define EXPECT_EVENTUALLY(condition, timeoutMs)                                                    \
    EXPECT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, timeoutMs))                       \
        << "still false after " << (timeoutMs) << " ms: " #condition

#define ASSERT_EVENTUALLY(condition, timeoutMs)                                                    \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, timeoutMs))                       \
        << "still false after " << (timeoutMs) << " ms: " #condition
