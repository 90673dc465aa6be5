#include "timesync/nts_trust_anchor.h"

#include <cerrno>
#include <fcntl.h>
#include <gnutls/crypto.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace nts {

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
    std::optional<std::string> bytes;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        info.st_size < kMaxCaFileBytes) {
        bytes = ReadOpenedCaFile(fd);
    }
    close(fd);
    return bytes;
}

std::optional<std::string> ReadOpenedCaFile(int fd) {
    std::string content;
    char buffer[16384];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(got));
        if (content.size() >= static_cast<std::size_t>(kMaxCaFileBytes)) {
            return std::nullopt;
        }
    }
    if (content.empty()) {
        return std::nullopt;
    }
    return content;
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
