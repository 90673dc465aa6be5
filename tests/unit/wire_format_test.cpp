#include "timesync/wire_format.h"

#include <gtest/gtest.h>

using namespace wire;

TEST(TransportFor, FollowsTheSettingsExactly) {
    struct Case {
        const char* protocol;
        const char* socketType;
        Transport expected;
    };
    const Transport timeTcp{Protocol::Time, SocketKind::Stream, 37, Request::None, 4};
    const Transport timeUdp{Protocol::Time, SocketKind::Datagram, 37, Request::EmptyDatagram, 4};
    const Transport timeSilent{Protocol::Time, SocketKind::Datagram, 37, Request::None, 4};
    const Transport sntp{Protocol::Sntp, SocketKind::Datagram, 123, Request::SntpPacket, 48};
    const Case cases[] = {
        {"Time", "TCP", timeTcp},
        {"Time", "UDP", timeUdp},
        // Only "TCP" makes a stream and only "UDP" sends the empty request.
        {"Time", "tcp", timeSilent},
        {"Time", "", timeSilent},
        // SNTP is always a datagram on port 123, whatever the socket type says.
        {"SNTP", "UDP", sntp},
        {"SNTP", "TCP", sntp},
        // Anything but "Time" is taken as SNTP, as the menus show it.
        {"sntp", "UDP", sntp},
        {"time", "TCP", sntp},
        {"", "", sntp},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TransportFor(c.protocol, c.socketType), c.expected)
            << c.protocol << "/" << c.socketType;
    }
}

TEST(SntpRequest, Is0BThenZerosWithTheNonceAsTransmitTimestamp) {
    const SntpPacket packet = BuildSntpRequest(0x0123456789ABCDEFULL);
    ASSERT_EQ(packet.size(), 48U);
    EXPECT_EQ(packet[0], 0x0B);
    for (std::size_t i = 1; i < 40; ++i) {
        EXPECT_EQ(packet[i], 0) << "byte " << i;
    }
    const std::uint8_t nonce[] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(packet[40 + i], nonce[i]) << "byte " << 40 + i;
    }
}

TEST(SntpReply, DecodesEveryFieldTheChecksUse) {
    SntpPacket bytes{};
    bytes[0] = 0xE4; // leap 3, version 4, mode 4
    bytes[1] = 0x02;
    const std::uint8_t originate[] = {0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x02, 0x03, 0x04};
    std::copy(std::begin(originate), std::end(originate), bytes.begin() + 24);
    const std::uint8_t receive[] = {0xE8, 0x00, 0x00, 0x01, 0x80, 0x00, 0x00, 0x00};
    std::copy(std::begin(receive), std::end(receive), bytes.begin() + 32);
    const std::uint8_t transmit[] = {0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x01};
    std::copy(std::begin(transmit), std::end(transmit), bytes.begin() + 40);

    const SntpReply reply = DecodeSntpReply(bytes);
    EXPECT_EQ(reply.leap, 3);
    EXPECT_EQ(reply.version, 4);
    EXPECT_EQ(reply.mode, 4);
    EXPECT_EQ(reply.stratum, 2);
    EXPECT_EQ(reply.originate, 0xDEADBEEF01020304ULL);
    EXPECT_EQ(reply.receive.seconds, 0xE8000001U);
    EXPECT_EQ(reply.receive.fraction, 0x80000000U);
    EXPECT_EQ(reply.transmit.seconds, 5U);
    EXPECT_EQ(reply.transmit.fraction, 1U);
}

TEST(TimeReply, IsBigEndianSeconds) {
    const std::uint8_t epoch1970[] = {0x83, 0xAA, 0x7E, 0x80};
    EXPECT_EQ(DecodeTimeReply(epoch1970), 2208988800U);
    const std::uint8_t one[] = {0x00, 0x00, 0x00, 0x01};
    EXPECT_EQ(DecodeTimeReply(one), 1U);
}
