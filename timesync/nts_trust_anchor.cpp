#include "timesync/nts_trust_anchor.h"

#include <fcntl.h>
#include <gnutls/crypto.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace nts {

namespace {

// No CA bundle comes near this; a larger file is not read.
constexpr std::size_t kMaxCaFileSize = 1 << 20;

} // namespace

std::string TrustAnchorOf(std::span<const std::uint8_t> caPem) {
    if (caPem.empty()) {
        return kSystemTrustAnchor;
    }
    std::uint8_t digest[32];
    if (gnutls_hash_fast(GNUTLS_DIG_SHA256, caPem.data(), caPem.size(), digest) < 0) {
        return {};
    }
    std::string anchor = "sha256:";
    for (const std::uint8_t byte : digest) {
        anchor += "0123456789abcdef"[byte >> 4];
        anchor += "0123456789abcdef"[byte & 15];
    }
    return anchor;
}

std::optional<std::string> ReadCaFile(const std::string& caFile) {
    const int fd = open(caFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::string bytes;
    bool whole = false;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        static_cast<std::size_t>(info.st_size) <= kMaxCaFileSize) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        whole = read(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    close(fd);
    return whole ? std::optional(std::move(bytes)) : std::nullopt;
}

std::string TrustAnchorOfFile(const std::string& caFile) {
    if (caFile.empty()) {
        return kSystemTrustAnchor;
    }
    const std::optional<std::string> bytes = ReadCaFile(caFile);
    if (!bytes) {
        return {};
    }
    return TrustAnchorOf({reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()});
}

} // namespace nts
