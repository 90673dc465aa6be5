#include "timesync/reply_checks.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using checks::Verdict;

namespace {

constexpr std::uint64_t kNonce = 0x1122334455667788ULL;

void Put32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

// A reply as chronyd sends it: version 4, mode 4, stratum 10, the nonce echoed.
std::vector<std::uint8_t> GoodReply() {
    std::vector<std::uint8_t> bytes(48, 0);
    bytes[0] = 0x24;
    bytes[1] = 10;
    Put32(bytes, 24, static_cast<std::uint32_t>(kNonce >> 32));
    Put32(bytes, 28, static_cast<std::uint32_t>(kNonce));
    Put32(bytes, 32, 0xED000000U);
    Put32(bytes, 36, 0x10000000U);
    Put32(bytes, 40, 0xED000000U);
    Put32(bytes, 44, 0x20000000U);
    return bytes;
}

struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> change;
    Verdict verdict;
    const char* failedCheck;
};

void ExpectCase(const Case& c) {
    std::vector<std::uint8_t> bytes = GoodReply();
    c.change(bytes);
    const checks::Result result = checks::CheckSntpReply(bytes, kNonce);
    EXPECT_EQ(result.verdict, c.verdict) << c.what;
    EXPECT_EQ(result.failedCheck, c.failedCheck) << c.what;
}

} // namespace

TEST(SntpChecks, AGoodReplyPasses) {
    ExpectCase({"good", [](auto&) {}, Verdict::Accept, ""});
    // A longer datagram (extension fields) is read for its first 48 bytes.
    ExpectCase({"68 bytes", [](auto& b) { b.resize(68, 0xAA); }, Verdict::Accept, ""});
    // Version and leap indicators 0 to 2 are all fine.
    ExpectCase({"version 1, leap 2", [](auto& b) { b[0] = 0x8C; }, Verdict::Accept, ""});
}

TEST(SntpChecks, IsLongEnough) {
    for (std::size_t size : {0, 3, 47}) {
        ExpectCase({"short", [size](auto& b) { b.resize(size); }, Verdict::Bogus, "IsLongEnough"});
    }
    EXPECT_TRUE(checks::IsLongEnough(4, 4));
    EXPECT_FALSE(checks::IsLongEnough(3, 4));
}

TEST(SntpChecks, AnswersOurRequest) {
    ExpectCase(
        {"other originate", [](auto& b) { b[31] ^= 1; }, Verdict::Drop, "AnswersOurRequest"});
    ExpectCase({"zero originate", [](auto& b) { std::fill(b.begin() + 24, b.begin() + 32, 0); },
                Verdict::Drop, "AnswersOurRequest"});
    // All zeros answers nothing, so it is dropped before the other checks see it.
    ExpectCase({"all zeros", [](auto& b) { std::fill(b.begin(), b.end(), 0); }, Verdict::Drop,
                "AnswersOurRequest"});
}

TEST(SntpChecks, HasServerMode) {
    for (std::uint8_t mode : {0, 1, 2, 3, 5, 6, 7}) {
        ExpectCase({"mode", [mode](auto& b) { b[0] = static_cast<std::uint8_t>(0x20 | mode); },
                    Verdict::Bogus, "HasServerMode"});
    }
}

TEST(SntpChecks, IsServerSynchronised) {
    ExpectCase({"leap 3", [](auto& b) { b[0] = 0xE4; }, Verdict::Bogus, "IsServerSynchronised"});
}

TEST(SntpChecks, IsNotKissOfDeath) {
    ExpectCase({"stratum 0", [](auto& b) { b[1] = 0; }, Verdict::Bogus, "IsNotKissOfDeath"});
}

TEST(SntpChecks, HasReceiveTimestamp) {
    ExpectCase({"zero receive", [](auto& b) { std::fill(b.begin() + 32, b.begin() + 40, 0); },
                Verdict::Bogus, "HasReceiveTimestamp"});
}

TEST(SntpChecks, HasTransmitTimestamp) {
    ExpectCase({"zero transmit", [](auto& b) { std::fill(b.begin() + 40, b.end(), 0); },
                Verdict::Bogus, "HasTransmitTimestamp"});
    // A fraction alone is a time.
    ExpectCase({"fraction only",
                [](auto& b) {
                    std::fill(b.begin() + 40, b.end(), 0);
                    b[47] = 1;
                },
                Verdict::Accept, ""});
}

TEST(TimeChecks, IsLongEnoughAndNonZero) {
    const std::vector<std::uint8_t> good{0xED, 0x00, 0x00, 0x00};
    EXPECT_EQ(checks::CheckTimeReply(good).verdict, Verdict::Accept);
    for (std::size_t size : {0, 3}) {
        const std::vector<std::uint8_t> shortReply(good.begin(), good.begin() + size);
        const checks::Result result = checks::CheckTimeReply(shortReply);
        EXPECT_EQ(result.verdict, Verdict::Bogus) << size;
        EXPECT_EQ(result.failedCheck, "IsLongEnough") << size;
    }
    const std::vector<std::uint8_t> zeros(4, 0);
    EXPECT_EQ(checks::CheckTimeReply(zeros).failedCheck, "IsNonZero");
}

TEST(TimebaseTimeChecks, IsNonZeroAndNotBefore1970) {
    struct Case {
        std::int64_t seconds;
        Verdict verdict;
        const char* failedCheck;
    };
    const Case cases[] = {
        {0, Verdict::Bogus, "IsNonZero"},
        {1, Verdict::Bogus, "IsNotBefore1970"},
        {2208988799, Verdict::Bogus, "IsNotBefore1970"}, // 1969-12-31 23:59:59
        {2147483648, Verdict::Bogus, "IsNotBefore1970"}, // 1968, era 0's start
        {2208988800, Verdict::Accept, ""},               // 1970-01-01 00:00:00
        {4294967297, Verdict::Accept, ""},               // 2036, era 1
        {6442450943, Verdict::Accept, ""},               // 2104, era 1's end
    };
    for (const Case& c : cases) {
        const checks::Result result = checks::CheckTimebaseTime(c.seconds);
        EXPECT_EQ(result.verdict, c.verdict) << c.seconds;
        EXPECT_EQ(result.failedCheck, c.failedCheck) << c.seconds;
    }
}
