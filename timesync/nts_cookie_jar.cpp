#include "timesync/nts_cookie_jar.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace nts {

namespace {

// Version 1 jars named no trust anchor: they read as empty, costing one key exchange.
constexpr const char* kMagic = "horolux-nts-jar 2";
constexpr std::size_t kMaxFileSize = 65536;
constexpr const char* kHexDigits = "0123456789abcdef";

std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 15];
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> Unhex(const std::string& text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        return -1;
    };
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = digit(text[i]);
        const int low = digit(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

bool UnhexKey(const std::string& text, Key& key) {
    const auto bytes = Unhex(text);
    if (!bytes || bytes->size() != key.size()) {
        return false;
    }
    std::copy(bytes->begin(), bytes->end(), key.begin());
    return true;
}

std::string HexOf(const std::string& text) {
    return Hex({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// An anchor is one word of printable characters ("system", "sha256:<hex>").
bool IsAnchorWord(const std::string& word) {
    return !word.empty() && word.size() <= 80 &&
           std::all_of(word.begin(), word.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

bool IsPlainNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-';
}

std::string StateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/') {
        return state;
    }
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/state";
}

bool MakeFolder(const std::string& path, mode_t mode) {
    return mkdir(path.c_str(), mode) == 0 || errno == EEXIST;
}

} // namespace

bool CookieJar::IsUsable(std::int64_t nowUnix) const {
    return !cookies.empty() && createdUnix <= nowUnix && nowUnix - createdUnix < kMaxKeyAgeSeconds;
}

std::size_t PlaceholdersFor(std::size_t left) {
    return kWantedCookies - 1 - std::min(left, kWantedCookies - 1);
}

std::string FormatJar(const CookieJar& jar) {
    std::ostringstream out;
    out << kMagic << '\n'
        << "ke-host " << HexOf(jar.keHost) << '\n'
        << "ke-port " << jar.kePort << '\n'
        << "trust " << jar.trustAnchor << '\n'
        << "created " << jar.createdUnix << '\n'
        << "server " << HexOf(jar.ntpServer) << '\n'
        << "port " << jar.ntpPort << '\n'
        << "c2s " << Hex(jar.keys.c2s) << '\n'
        << "s2c " << Hex(jar.keys.s2c) << '\n';
    for (const Cookie& cookie : jar.cookies) {
        out << "cookie " << Hex(cookie) << '\n';
    }
    out << "end\n";
    return out.str();
}

std::optional<CookieJar> ParseJar(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kMagic) {
        return std::nullopt;
    }
    CookieJar jar;
    std::string word;
    std::string value;
    unsigned port = 0;
    unsigned kePort = 0;
    std::string keHost;
    std::string server;
    if (!(in >> word >> keHost) || word != "ke-host" || !(in >> word >> kePort) ||
        word != "ke-port" || kePort > 65535 || !(in >> word >> jar.trustAnchor) ||
        word != "trust" || !IsAnchorWord(jar.trustAnchor) || !(in >> word >> jar.createdUnix) ||
        word != "created" || !(in >> word >> server) || word != "server" || !(in >> word >> port) ||
        word != "port" || port > 65535 || !(in >> word >> value) || word != "c2s" ||
        !UnhexKey(value, jar.keys.c2s) || !(in >> word >> value) || word != "s2c" ||
        !UnhexKey(value, jar.keys.s2c)) {
        return std::nullopt;
    }
    const auto name = Unhex(server);
    const auto keName = Unhex(keHost);
    if (!name || name->empty() || name->size() > kMaxNtpServerSize || !keName || keName->empty()) {
        return std::nullopt;
    }
    jar.keHost.assign(keName->begin(), keName->end());
    jar.kePort = static_cast<std::uint16_t>(kePort);
    jar.ntpServer.assign(name->begin(), name->end());
    jar.ntpPort = static_cast<std::uint16_t>(port);
    while (in >> word) {
        if (word == "end") {
            return jar;
        }
        if (word != "cookie" || !(in >> value)) {
            return std::nullopt;
        }
        const auto cookie = Unhex(value);
        if (!cookie || cookie->empty() || cookie->size() > kMaxCookieSize ||
            jar.cookies.size() == kMaxCookies) {
            return std::nullopt;
        }
        jar.cookies.push_back(*cookie);
    }
    // No "end": cut short.
    return std::nullopt;
}

std::string JarPath(const std::string& host, std::uint16_t port) {
    std::string name;
    for (const char c : host) {
        if (IsPlainNameCharacter(c)) {
            name += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            name += '%';
            name += kHexDigits[byte >> 4];
            name += kHexDigits[byte & 15];
        }
    }
    return StateFolder() + "/Veldmark/Horolux/nts/" + name + "_" + std::to_string(port);
}

CookieJar LoadJar(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        return {};
    }
    struct stat info {};
    std::string text;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::size_t>(info.st_size) <= kMaxFileSize) {
        text.resize(static_cast<std::size_t>(info.st_size));
        const ssize_t got = read(fd, text.data(), text.size());
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    close(fd);
    return ParseJar(text).value_or(CookieJar{});
}

bool SaveJar(const std::string& path, const CookieJar& jar) {
    // Each folder of the chain below the state folder, the last one private.
    const std::string folder = path.substr(0, path.rfind('/'));
    const std::string state = StateFolder();
    if (!MakeFolder(state.substr(0, state.rfind('/')), 0700) || !MakeFolder(state, 0700) ||
        !MakeFolder(state + "/Veldmark", 0700) || !MakeFolder(state + "/Veldmark/Horolux", 0700) ||
        !MakeFolder(folder, 0700) || chmod(folder.c_str(), 0700) != 0) {
        return false;
    }
    const std::string text = FormatJar(jar);
    if (text.size() > kMaxFileSize) {
        return false;
    }
    std::string temporary = path + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // No fsync: the rename keeps the file whole or old, and a jar lost to a crash only
    // costs the next query a key exchange; three syncs cost each query about 24 ms.
    const bool written = fchmod(fd, 0600) == 0 &&
                         write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace nts
