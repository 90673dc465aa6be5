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

// Header fields are read through the reply checks' tests; here the byte order of the rest.
TEST(Replies, AreBigEndian) {
    SntpPacket bytes{};
    const std::uint8_t fields[] = {0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x02, 0x03, 0x04,  // originate
                                   0xE8, 0x00, 0x00, 0x01, 0x80, 0x00, 0x00, 0x00,  // receive
                                   0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x01}; // transmit
    std::copy(std::begin(fields), std::end(fields), bytes.begin() + 24);
    const SntpReply reply = DecodeSntpReply(bytes);
    EXPECT_EQ(reply.originate, 0xDEADBEEF01020304ULL);
    EXPECT_EQ(reply.receive.seconds, 0xE8000001U);
    EXPECT_EQ(reply.receive.fraction, 0x80000000U);
    EXPECT_EQ(reply.transmit.seconds, 5U);
    EXPECT_EQ(reply.transmit.fraction, 1U);
    const std::uint8_t epoch1970[] = {0x83, 0xAA, 0x7E, 0x80};
    EXPECT_EQ(DecodeTimeReply(epoch1970), 2208988800U);
}
