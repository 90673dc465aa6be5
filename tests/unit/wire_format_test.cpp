#include "timesync/host_text.h"
#include "timesync/wire_format.h"

#include <gtest/gtest.h>

using namespace wire;

TEST(TransportFor, FollowsTheSettingsExactly) {
    const Transport timeTcp{Protocol::Time, SocketKind::Stream, 37, Request::None, 4};
    const Transport timeUdp{Protocol::Time, SocketKind::Datagram, 37, Request::EmptyDatagram, 4};
    const Transport timeSilent{Protocol::Time, SocketKind::Datagram, 37, Request::None, 4};
    const Transport sntp{Protocol::Sntp, SocketKind::Datagram, 123, Request::SntpPacket, 48};
    EXPECT_EQ(TransportFor("Time", "TCP"), timeTcp);
    EXPECT_EQ(TransportFor("Time", "UDP"), timeUdp);
    // Only "TCP" makes a stream and only "UDP" sends the empty request.
    EXPECT_EQ(TransportFor("Time", "tcp"), timeSilent);
    // Anything but "Time" is SNTP, as the menus show it, and SNTP is always a datagram.
    EXPECT_EQ(TransportFor("SNTP", "TCP"), sntp);
    EXPECT_EQ(TransportFor("time", "UDP"), sntp);
}

TEST(SntpRequest, Is0BThenZerosWithTheNonceAsTransmitTimestamp) {
    SntpPacket expected{0x0B};
    const std::uint8_t nonce[] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    std::copy(std::begin(nonce), std::end(nonce), expected.begin() + 40);
    EXPECT_EQ(BuildSntpRequest(0x0123456789ABCDEFULL), expected);
}

TEST(HostText, PortsOnlyWhereThereIsNoDoubt) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"[::1]", "::1", 0},       {"[::1]:123", "::1", 123},
        {"::1", "::1", 0},         {"host:37", "host", 37},
        {"host:0", "host:0", 0},   {"host:65536", "host:65536", 0},
        {"[::1]:x", "[::1]:x", 0}, {"fe80::1:123", "fe80::1:123", 0},
    };
    for (const auto& [text, host, port] : cases) {
        const HostAndPort split = SplitHostAndPort(text);
        EXPECT_EQ(split.host, host) << text;
        EXPECT_EQ(split.port, port) << text;
    }
}
