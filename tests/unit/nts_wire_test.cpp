#include "timesync/ntp_extension_fields.h"
#include "timesync/nts_cookie_jar.h"
#include "timesync/nts_ke_records.h"
#include "timesync/nts_packet.h"
#include "timesync/nts_trust_anchor.h"

#include <gnutls/crypto.h>
#include <gnutls/gnutls.h>
#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;

TEST(NtsKeRecords, ResponsesAreReadWithinTheBuffer) {
    const Bytes agreed{0x80, 1, 0, 2, 0, 0, 0x80, 4, 0, 2, 0, 15};
    const Bytes cookie{0, 5, 0, 3, 'a', 'b', 'c'};
    const Bytes server{0x80, 6, 0, 4, 'h', 'o', 's', 't', 0x80, 7, 0, 2, 0x12, 0x34};
    const Bytes end{0x80, 0, 0, 0};
    const auto join = [](std::initializer_list<Bytes> parts) {
        Bytes out;
        for (const Bytes& part : parts) {
            out.insert(out.end(), part.begin(), part.end());
        }
        return out;
    };
    using nts::KeStatus;
    const std::tuple<const char*, Bytes, KeStatus> cases[] = {
        {"complete", join({agreed, cookie, server, end}), KeStatus::Complete},
        {"no end of message yet", join({agreed, cookie}), KeStatus::Incomplete},
        {"half a record header", join({agreed, cookie, {0x80}}), KeStatus::Incomplete},
        {"a record longer than what came", join({agreed, {0, 5, 0, 200, 'x'}}),
         KeStatus::Incomplete},
        {"unknown critical record", join({agreed, {0x80, 0x40, 0, 0}, cookie, end}),
         KeStatus::UnknownCritical},
        {"unknown plain record", join({agreed, {0, 0x40, 0, 1, 9}, cookie, end}),
         KeStatus::Complete},
        {"error record", join({{0x80, 2, 0, 2, 0, 1}, end}), KeStatus::ServerError},
        {"another protocol", join({{0x80, 1, 0, 2, 0, 1}, end}), KeStatus::Unsupported},
        {"another algorithm", join({{0x80, 1, 0, 2, 0, 0, 0x80, 4, 0, 2, 0, 30}, end}),
         KeStatus::Unsupported},
        {"no algorithm", join({{0x80, 1, 0, 2, 0, 0}, cookie, end}), KeStatus::Unsupported},
        {"no cookie", join({agreed, end}), KeStatus::NoCookies},
        {"end of message with a body", join({agreed, cookie, {0x80, 0, 0, 1, 0}}),
         KeStatus::Malformed},
        {"port of three bytes", join({agreed, {0x80, 7, 0, 3, 1, 2, 3}, end}), KeStatus::Malformed},
        {"oversized", Bytes(nts::kMaxKeResponseSize + 1, 0), KeStatus::Malformed},
    };
    for (const auto& [name, bytes, status] : cases) {
        // An exact-size copy, so that AddressSanitizer sees any read past the end.
        const auto copy = std::make_unique<std::uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), copy.get());
        EXPECT_EQ(nts::ParseKeResponse({copy.get(), bytes.size()}).status, status) << name;
    }
    const nts::KeResponse full = nts::ParseKeResponse(join({agreed, cookie, server, end}));
    EXPECT_EQ(full.cookies, std::vector<Bytes>{Bytes({'a', 'b', 'c'})});
    EXPECT_EQ(full.server, "host");
    EXPECT_EQ(full.port, 0x1234);
}

// A hostile key exchange server cannot fill the jar past what its file may hold.
TEST(NtsKeRecords, WhatAServerMayLeaveInTheJarIsBounded) {
    const auto response = [](std::size_t cookies, std::size_t cookieSize, std::size_t nameSize) {
        Bytes out{0x80, 1, 0, 2, 0, 0, 0x80, 4, 0, 2, 0, 15};
        const auto add = [&](std::uint8_t type, std::size_t size) {
            out.insert(out.end(), {0, type, std::uint8_t(size >> 8), std::uint8_t(size)});
            out.resize(out.size() + size, 'x');
        };
        for (std::size_t i = 0; i < cookies; ++i) {
            add(5, cookieSize);
        }
        if (nameSize > 0) {
            add(6, nameSize);
        }
        out.insert(out.end(), {0x80, 0, 0, 0});
        return nts::ParseKeResponse(out);
    };
    const nts::KeResponse many = response(13000, 1, 0);
    EXPECT_EQ(many.status, nts::KeStatus::Complete);
    EXPECT_EQ(many.cookies.size(), nts::kMaxCookies);
    EXPECT_EQ(response(1, 8, 65000).status, nts::KeStatus::Malformed);
    EXPECT_EQ(response(1, 8, 256).status, nts::KeStatus::Malformed);
    EXPECT_EQ(response(1, 8, 255).status, nts::KeStatus::Complete);
    EXPECT_EQ(response(1, 1025, 0).status, nts::KeStatus::Malformed);

    // The largest jar a key exchange can give reads back whole; a ninth cookie does not.
    nts::CookieJar jar{"ke.example",
                       4460,
                       nts::TrustAnchorOf(Bytes(100, 'p')),
                       0,
                       {},
                       std::string(nts::kMaxNtpServerSize, 's'),
                       123,
                       std::vector(nts::kMaxCookies, Bytes(nts::kMaxCookieSize, 0xAB))};
    const auto parsed = nts::ParseJar(nts::FormatJar(jar));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(nts::FormatJar(*parsed), nts::FormatJar(jar));
    jar.cookies.push_back(Bytes(1, 1));
    EXPECT_FALSE(nts::ParseJar(nts::FormatJar(jar)));
}

TEST(ExtensionFields, WalkRefusesBadLengthsAndPadsWhenWriting) {
    const Bytes header(48, 0);
    const auto with = [&](Bytes tail) {
        Bytes out = header;
        out.insert(out.end(), tail.begin(), tail.end());
        return out;
    };
    const std::tuple<const char*, Bytes, int> cases[] = {
        {"none", header, 0},
        {"two fields", with({1, 4, 0, 8, 1, 2, 3, 4, 2, 4, 0, 4}), 2},
        {"length zero", with({1, 4, 0, 0, 1, 2, 3, 4}), -1},
        {"length below the header", with({1, 4, 0, 2, 1, 2, 3, 4}), -1},
        {"length not a multiple of 4", with({1, 4, 0, 6, 1, 2, 3, 4}), -1},
        {"length overruns", with({1, 4, 0, 12, 1, 2, 3, 4}), -1},
        {"bytes left over", with({1, 4, 0, 4, 9, 9}), -1},
    };
    for (const auto& [name, bytes, count] : cases) {
        const auto copy = std::make_unique<std::uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), copy.get());
        const auto fields = wire::WalkExtensionFields({copy.get(), bytes.size()}, 48);
        EXPECT_EQ(fields ? static_cast<int>(fields->size()) : -1, count) << name;
    }
    Bytes packet;
    wire::AppendExtensionField(packet, 0x0204, Bytes{7, 7, 7, 7, 7});
    EXPECT_EQ(packet, (Bytes{2, 4, 0, 12, 7, 7, 7, 7, 7, 0, 0, 0}));
}

namespace {

nts::Key KeyOf(std::uint8_t fill) {
    nts::Key key;
    key.fill(fill);
    return key;
}

Bytes Seal(const nts::Key& key, const Bytes& nonce, const Bytes& associated, const Bytes& plain) {
    gnutls_datum_t datum{const_cast<unsigned char*>(key.data()), nts::kKeySize};
    gnutls_aead_cipher_hd_t handle = nullptr;
    EXPECT_EQ(gnutls_aead_cipher_init(&handle, GNUTLS_CIPHER_AES_128_SIV, &datum), 0);
    Bytes out(plain.size() + nts::kTagSize);
    std::size_t length = out.size();
    EXPECT_EQ(gnutls_aead_cipher_encrypt(handle, nonce.data(), nonce.size(), associated.data(),
                                         associated.size(), nts::kTagSize, plain.data(),
                                         plain.size(), out.data(), &length),
              0);
    gnutls_aead_cipher_deinit(handle);
    return out;
}

// A server's reply as chronyd builds it: header, Unique Identifier, then the
// authenticator whose ciphertext holds a new cookie.
Bytes ServerReply(const nts::UniqueId& id, const nts::Key& s2c) {
    Bytes reply(48, 0);
    reply[0] = 0x24;
    reply[1] = 2;
    wire::AppendExtensionField(reply, wire::kFieldUniqueIdentifier, id);
    Bytes plain;
    wire::AppendExtensionField(plain, wire::kFieldNtsCookie, Bytes(40, 0xC0));
    const Bytes nonce(16, 0x5A);
    const Bytes sealed = Seal(s2c, nonce, reply, plain);
    Bytes body{0, 16, static_cast<std::uint8_t>(sealed.size() >> 8),
               static_cast<std::uint8_t>(sealed.size())};
    body.insert(body.end(), nonce.begin(), nonce.end());
    body.insert(body.end(), sealed.begin(), sealed.end());
    wire::AppendExtensionField(reply, wire::kFieldNtsAuthenticator, body);
    return reply;
}

} // namespace

TEST(NtsPacket, RequestCarriesIdCookiePlaceholdersAndATagTheServerVerifies) {
    nts::UniqueId id;
    id.fill(0x11);
    const nts::AeadNonce nonce = nts::NewAeadNonce();
    const Bytes cookie(100, 0xAB);
    const Bytes request = nts::BuildRequest(0x0102030405060708ULL, id, cookie, 2, KeyOf(1), nonce);
    const auto fields = wire::WalkExtensionFields(request, 48);
    ASSERT_TRUE(fields);
    ASSERT_EQ(fields->size(), 5U);
    EXPECT_EQ(request[0], 0x23);
    EXPECT_EQ(request[47], 0x08);
    const std::uint16_t types[] = {0x0104, 0x0204, 0x0304, 0x0304, 0x0404};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ((*fields)[i].type, types[i]) << i;
    }
    EXPECT_EQ(Bytes((*fields)[1].body.begin(), (*fields)[1].body.end()), cookie);
    EXPECT_EQ((*fields)[2].body.size(), cookie.size());
    // The tag covers everything before the authenticator, under the C2S key.
    const std::size_t authAt = (*fields)[4].offset;
    const Bytes expectedBody = [&] {
        Bytes body{0, 16, 0, 16};
        body.insert(body.end(), nonce.begin(), nonce.end());
        const Bytes tag = Seal(KeyOf(1), Bytes(nonce.begin(), nonce.end()),
                               Bytes(request.begin(), request.begin() + authAt), {});
        body.insert(body.end(), tag.begin(), tag.end());
        return body;
    }();
    EXPECT_EQ(Bytes((*fields)[4].body.begin(), (*fields)[4].body.end()), expectedBody);
    EXPECT_TRUE(nts::BuildRequest(1, id, {}, 0, KeyOf(1), nonce).empty());
}

TEST(NtsPacket, OnlyAnIntactReplyToThisIdIsAuthentic) {
    nts::UniqueId id;
    id.fill(0x22);
    const Bytes good = ServerReply(id, KeyOf(2));
    const nts::ReplyCheck check = nts::CheckReply(good, id, KeyOf(2));
    ASSERT_EQ(check.verdict, nts::ReplyCheck::Verdict::Authentic);
    EXPECT_EQ(check.cookies, std::vector<Bytes>{Bytes(40, 0xC0)});

    using Verdict = nts::ReplyCheck::Verdict;
    EXPECT_EQ(nts::CheckReply(good, id, KeyOf(3)).verdict, Verdict::Unauthenticated);
    nts::UniqueId other = id;
    other[5] ^= 1;
    EXPECT_EQ(nts::CheckReply(good, other, KeyOf(2)).verdict, Verdict::Drop);
    // Without the authenticator (header and Unique Identifier only).
    EXPECT_EQ(nts::CheckReply(Bytes(good.begin(), good.begin() + 84), id, KeyOf(2)).verdict,
              Verdict::Unauthenticated);
    Bytes trailing = good;
    wire::AppendExtensionField(trailing, 0x0204, Bytes(4, 1));
    EXPECT_EQ(nts::CheckReply(trailing, id, KeyOf(2)).verdict, Verdict::Unauthenticated);
    // Any one bit flipped anywhere: never authentic.
    for (std::size_t i = 0; i < good.size(); ++i) {
        Bytes flipped = good;
        flipped[i] ^= 0x10;
        EXPECT_NE(nts::CheckReply(flipped, id, KeyOf(2)).verdict, Verdict::Authentic) << i;
    }
    Bytes nak(good.begin(), good.begin() + 84);
    nak[1] = 0;
    std::copy_n("NTSN", 4, nak.begin() + 12);
    EXPECT_EQ(nts::CheckReply(nak, id, KeyOf(2)).verdict, Verdict::NtsNak);
}
