// Any bytes as what an NTS peer or the cookie file may hand us: a key-exchange response,
// the extension fields after an NTP header, a protected reply, the text of a cookie jar,
// the jar's file on disk, and the plaintext of a reply sealed with the right key, so that
// what lies behind the authenticator's check is reached too.
#include "tests/fuzz/require.h"
#include "timesync/ntp_extension_fields.h"
#include "timesync/nts_cookie_jar.h"
#include "timesync/nts_ke_records.h"
#include "timesync/nts_packet.h"
#include "timesync/wire_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gnutls/crypto.h>
#include <span>
#include <string>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A jar that reads as whole must read back the same after writing.
void CheckJarText(std::span<const std::uint8_t> bytes) {
    if (const auto jar = nts::ParseJar(std::string(bytes.begin(), bytes.end()))) {
        const std::string text = nts::FormatJar(*jar);
        const auto again = nts::ParseJar(text);
        Require(again && nts::FormatJar(*again) == text);
    }
}

// The jar as a file, read and written as a query does.
void CheckJarFile(std::span<const std::uint8_t> bytes) {
    // A private state folder, removed when the run ends.
    static const struct Folder {
        std::string path = [] {
            char name[] = "/tmp/nts_fuzz_XXXXXX";
            Require(mkdtemp(name) != nullptr);
            setenv("XDG_STATE_HOME", name, 1);
            return std::string(name);
        }();
        ~Folder() { std::filesystem::remove_all(path); }
    } state;
    const std::string& folder = state.path;
    const std::string path = folder + "/jar";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    const nts::CookieJar jar = nts::LoadJar(path);
    if (jar.keHost.empty()) {
        return;
    }
    const std::string saved = nts::JarPath(jar.keHost, jar.kePort);
    Require(!nts::SaveJar(saved, jar) ||
            nts::FormatJar(nts::LoadJar(saved)) == nts::FormatJar(jar));
    unlink(saved.c_str());
}

// The fuzzed bytes as the plaintext of an authentic reply: it must pass the check exactly
// when its extension fields are well formed, and give back the cookies among them.
void CheckSealedReply(std::span<const std::uint8_t> plaintext) {
    nts::Key key;
    key.fill(0x5A);
    nts::UniqueId uniqueId;
    uniqueId.fill(0x11);
    const nts::AeadNonce nonce{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    Bytes packet(wire::kSntpPacketSize, 0);
    packet[0] = 0x24;
    packet[1] = 1;
    wire::AppendExtensionField(packet, wire::kFieldUniqueIdentifier, uniqueId);

    gnutls_datum_t datum{key.data(), static_cast<unsigned>(key.size())};
    gnutls_aead_cipher_hd_t aead = nullptr;
    Bytes sealed(plaintext.size() + nts::kTagSize);
    std::size_t sealedSize = sealed.size();
    Require(gnutls_aead_cipher_init(&aead, GNUTLS_CIPHER_AES_128_SIV, &datum) >= 0);
    const int encrypted = gnutls_aead_cipher_encrypt(
        aead, nonce.data(), nonce.size(), packet.data(), packet.size(), nts::kTagSize,
        plaintext.data(), plaintext.size(), sealed.data(), &sealedSize);
    gnutls_aead_cipher_deinit(aead);
    if (encrypted < 0 || sealedSize != sealed.size() || sealedSize > 0xFFFF) {
        return;
    }
    Bytes body{0, nts::kAeadNonceSize, static_cast<std::uint8_t>(sealedSize >> 8),
               static_cast<std::uint8_t>(sealedSize)};
    body.insert(body.end(), nonce.begin(), nonce.end());
    body.insert(body.end(), sealed.begin(), sealed.end());
    body.resize((body.size() + 3) & ~std::size_t{3});
    wire::AppendExtensionField(packet, wire::kFieldNtsAuthenticator, body);

    const nts::ReplyCheck check = nts::CheckReply(packet, uniqueId, key);
    const auto fields = wire::WalkExtensionFields(plaintext, 0);
    Require((check.verdict == nts::ReplyCheck::Verdict::Authentic) == fields.has_value());
    if (!fields) {
        return;
    }
    std::vector<nts::Cookie> cookies;
    for (const wire::ExtensionField& field : *fields) {
        if (field.type == wire::kFieldNtsCookie && !field.body.empty() &&
            field.body.size() <= nts::kMaxCookieSize) {
            cookies.emplace_back(field.body.begin(), field.body.end());
        }
    }
    Require(cookies == check.cookies);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    switch (data[0] % 6) {
    case 0: {
        const nts::KeResponse response = nts::ParseKeResponse(bytes);
        Require(response.cookies.size() <= nts::kMaxCookies &&
                response.server.size() <= nts::kMaxNtpServerSize);
        break;
    }
    case 1:
        wire::WalkExtensionFields(bytes, bytes.size() < 48 ? bytes.size() : 48);
        break;
    case 2:
        nts::CheckReply(bytes, nts::UniqueId{}, nts::Key{});
        break;
    case 3:
        CheckJarText(bytes);
        break;
    case 4:
        CheckJarFile(bytes);
        break;
    default:
        CheckSealedReply(bytes);
    }
    return 0;
}
