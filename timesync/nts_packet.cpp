#include "timesync/nts_packet.h"

#include "timesync/ntp_extension_fields.h"
#include "timesync/wire_format.h"

#include <algorithm>
#include <cstring>
#include <gnutls/crypto.h>
#include <gnutls/gnutls.h>

namespace nts {

namespace {

// LI 0, version 4, mode 3.
constexpr std::uint8_t kNtpv4ClientHeader = 0x23;
constexpr std::uint8_t kKissStratum = 0;
constexpr char kNtsNakCode[] = "NTSN";
constexpr std::size_t kOffsetReferenceId = 12;

class Aead {
  public:
    explicit Aead(const Key& key) {
        gnutls_datum_t datum{const_cast<unsigned char*>(key.data()), kKeySize};
        if (gnutls_aead_cipher_init(&m_handle, GNUTLS_CIPHER_AES_128_SIV, &datum) < 0) {
            m_handle = nullptr;
        }
    }
    ~Aead() {
        if (m_handle) {
            gnutls_aead_cipher_deinit(m_handle);
        }
    }
    Aead(const Aead&) = delete;
    Aead& operator=(const Aead&) = delete;
    gnutls_aead_cipher_hd_t get() const { return m_handle; }

  private:
    gnutls_aead_cipher_hd_t m_handle = nullptr;
};

std::uint16_t Get16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>((bytes[offset] << 8) | bytes[offset + 1]);
}

std::size_t Padded(std::size_t size) {
    return (size + 3) & ~std::size_t{3};
}

// The cookies among the decrypted extension fields.
std::optional<std::vector<Cookie>> CookiesIn(std::span<const std::uint8_t> plaintext) {
    const auto fields = wire::WalkExtensionFields(plaintext, 0);
    if (!fields) {
        return std::nullopt;
    }
    std::vector<Cookie> cookies;
    for (const wire::ExtensionField& field : *fields) {
        if (field.type == wire::kFieldNtsCookie && !field.body.empty() &&
            field.body.size() <= kMaxCookieSize) {
            cookies.emplace_back(field.body.begin(), field.body.end());
        }
    }
    return cookies;
}

} // namespace

std::vector<std::uint8_t> BuildRequest(std::uint64_t transmitNonce, const UniqueId& uniqueId,
                                       const Cookie& cookie, std::size_t placeholders,
                                       const Key& c2s, const AeadNonce& aeadNonce) {
    if (cookie.empty() || cookie.size() > kMaxCookieSize) {
        return {};
    }
    const wire::SntpPacket header = wire::BuildSntpRequest(transmitNonce);
    std::vector<std::uint8_t> packet(header.begin(), header.end());
    packet[wire::kOffsetHeader] = kNtpv4ClientHeader;
    wire::AppendExtensionField(packet, wire::kFieldUniqueIdentifier, uniqueId);
    wire::AppendExtensionField(packet, wire::kFieldNtsCookie, cookie);
    const std::vector<std::uint8_t> zeros(cookie.size(), 0);
    for (std::size_t i = 0; i < placeholders; ++i) {
        wire::AppendExtensionField(packet, wire::kFieldNtsCookiePlaceholder, zeros);
    }

    const Aead aead(c2s);
    std::array<std::uint8_t, kTagSize> tag{};
    std::size_t tagLength = tag.size();
    if (!aead.get() ||
        gnutls_aead_cipher_encrypt(aead.get(), aeadNonce.data(), aeadNonce.size(), packet.data(),
                                   packet.size(), kTagSize, nullptr, 0, tag.data(),
                                   &tagLength) < 0 ||
        tagLength != kTagSize) {
        return {};
    }
    // Nonce length, ciphertext length, nonce, ciphertext (both already multiples of 4).
    std::vector<std::uint8_t> body{0, kAeadNonceSize, 0, kTagSize};
    body.insert(body.end(), aeadNonce.begin(), aeadNonce.end());
    body.insert(body.end(), tag.begin(), tag.end());
    wire::AppendExtensionField(packet, wire::kFieldNtsAuthenticator, body);
    return packet;
}

ReplyCheck CheckReply(std::span<const std::uint8_t> reply, const UniqueId& uniqueId,
                      const Key& s2c) {
    ReplyCheck check;
    if (reply.size() < wire::kSntpPacketSize) {
        return check;
    }
    const auto fields = wire::WalkExtensionFields(reply, wire::kSntpPacketSize);
    if (!fields) {
        return check;
    }
    const auto ours = std::find_if(fields->begin(), fields->end(), [&](const auto& field) {
        return field.type == wire::kFieldUniqueIdentifier && field.body.size() == kUniqueIdSize &&
               std::equal(field.body.begin(), field.body.end(), uniqueId.begin());
    });
    if (ours == fields->end()) {
        return check;
    }
    check.verdict = ReplyCheck::Verdict::Unauthenticated;
    if (reply[wire::kOffsetStratum] == kKissStratum &&
        std::memcmp(reply.data() + kOffsetReferenceId, kNtsNakCode, 4) == 0) {
        check.verdict = ReplyCheck::Verdict::NtsNak;
        return check;
    }
    // The authenticator must be the last field: what follows it would not be covered.
    const auto authenticator = std::find_if(fields->begin(), fields->end(), [](const auto& field) {
        return field.type == wire::kFieldNtsAuthenticator;
    });
    if (authenticator == fields->end() || authenticator + 1 != fields->end() ||
        ours > authenticator) {
        return check;
    }
    const std::span<const std::uint8_t> body = authenticator->body;
    if (body.size() < 4) {
        return check;
    }
    const std::size_t nonceLength = Get16(body, 0);
    const std::size_t cipherLength = Get16(body, 2);
    if (nonceLength == 0 || cipherLength < kTagSize ||
        4 + Padded(nonceLength) + Padded(cipherLength) > body.size()) {
        return check;
    }
    const std::span<const std::uint8_t> nonce = body.subspan(4, nonceLength);
    const std::span<const std::uint8_t> ciphertext =
        body.subspan(4 + Padded(nonceLength), cipherLength);
    std::vector<std::uint8_t> plaintext(cipherLength - kTagSize);
    std::size_t plainLength = plaintext.size();
    const Aead aead(s2c);
    if (!aead.get() ||
        gnutls_aead_cipher_decrypt(aead.get(), nonce.data(), nonce.size(), reply.data(),
                                   authenticator->offset, kTagSize, ciphertext.data(),
                                   ciphertext.size(), plaintext.data(), &plainLength) < 0) {
        return check;
    }
    plaintext.resize(plainLength);
    const std::optional<std::vector<Cookie>> cookies = CookiesIn(plaintext);
    if (!cookies) {
        return check;
    }
    check.verdict = ReplyCheck::Verdict::Authentic;
    check.cookies = *cookies;
    return check;
}

UniqueId NewUniqueId() {
    UniqueId id{};
    gnutls_rnd(GNUTLS_RND_RANDOM, id.data(), id.size());
    return id;
}

AeadNonce NewAeadNonce() {
    AeadNonce nonce{};
    gnutls_rnd(GNUTLS_RND_NONCE, nonce.data(), nonce.size());
    return nonce;
}

} // namespace nts
