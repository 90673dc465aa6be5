// The edges of each named check; whole replies go through the reply evaluation's table.
#include "timesync/reply_checks.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using checks::Verdict;
using Bytes = std::vector<std::uint8_t>;

TEST(SntpChecks, EdgesOfEachCheck) {
    constexpr std::uint64_t kNonce = 0x5A5A5A5A5A5A5A5AULL;
    // Version 4, mode 4, stratum 10, the nonce echoed, both timestamps set.
    Bytes good(48, 0x5A);
    std::fill(good.begin(), good.begin() + 24, 0);
    good[0] = 0x24;
    good[1] = 10;
    struct Case {
        const char* what;
        std::size_t size, from, to; // bytes [from, to) become value
        std::uint8_t value;
        std::string_view check;
        Verdict verdict = Verdict::Bogus;
    };
    const Case cases[] = {
        {"68 bytes", 68, 0, 0, 0, "", Verdict::Accept},
        {"47 bytes", 47, 0, 0, 0, "IsLongEnough"},
        {"version 1, leap 2", 48, 0, 1, 0x8C, "", Verdict::Accept},
        {"stratum 1", 48, 1, 2, 1, "", Verdict::Accept},
        {"transmit fraction only", 48, 40, 47, 0, "", Verdict::Accept},
        {"one originate bit", 48, 31, 32, 0x5B, "AnswersOurRequest", Verdict::Drop},
        // All zeros answers nothing, so it is dropped before the other checks see it.
        {"zeros", 48, 0, 48, 0, "AnswersOurRequest", Verdict::Drop},
        {"mode 3", 48, 0, 1, 0x23, "HasServerMode"},
        {"mode 5", 48, 0, 1, 0x25, "HasServerMode"},
        {"leap 3", 48, 0, 1, 0xE4, "IsServerSynchronised"},
        {"stratum 0", 48, 1, 2, 0, "IsNotKissOfDeath"},
        {"zero receive", 48, 32, 40, 0, "HasReceiveTimestamp"},
        {"zero transmit", 48, 40, 48, 0, "HasTransmitTimestamp"},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        bytes.resize(c.size);
        std::fill(bytes.begin() + c.from, bytes.begin() + c.to, c.value);
        const checks::Result result = checks::CheckSntpReply(bytes, kNonce);
        EXPECT_EQ(result.verdict, c.verdict) << c.what;
        EXPECT_EQ(result.failedCheck, c.check) << c.what;
    }
}

TEST(TimeChecks, LengthWireValueAndTimebaseTime) {
    EXPECT_EQ(checks::CheckTimeReply(Bytes{0, 0, 1}).failedCheck, "IsLongEnough");
    EXPECT_EQ(checks::CheckTimeReply(Bytes{0, 0, 0, 0}).failedCheck, "IsNonZero");
    EXPECT_EQ(checks::CheckTimeReply(Bytes{0, 0, 0, 1}).verdict, Verdict::Accept);
    EXPECT_EQ(checks::CheckTimebaseTime(0).failedCheck, "IsNonZero");
    EXPECT_EQ(checks::CheckTimebaseTime(2208988799).failedCheck, "IsNotBefore1970"); // 1969
    EXPECT_EQ(checks::CheckTimebaseTime(2208988800).verdict, Verdict::Accept);
    EXPECT_EQ(checks::CheckTimebaseTime(6442450943).verdict, Verdict::Accept); // 2104
}
