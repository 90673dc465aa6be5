#pragma once

// The keys and cookies of one NTS server, kept between queries in
// $XDG_STATE_HOME/Veldmark/Horolux/nts/ (default ~/.local/state/...): one file per server,
// mode 0600 in a 0700 folder, written whole to a temporary file and renamed over the old.
// A damaged or foreign file reads as an empty jar and is replaced at the next save, and so
// does a jar of another key exchange server or one won under another trust anchor.
#include "timesync/nts_ke_records.h"
#include "timesync/nts_packet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nts {

// Keys older than this are not used: a new key exchange is made.
inline constexpr std::int64_t kMaxKeyAgeSeconds = 86400;
// As many cookies as the jar tries to hold (each request asks for what is missing).
inline constexpr std::size_t kWantedCookies = kMaxCookies;

// The placeholders of a request that leaves `left` cookies in the jar: the reply's cookies
// then fill it again, so a burst the server answers never ends with an emptier jar.
std::size_t PlaceholdersFor(std::size_t left);

struct CookieJar {
    // The key exchange server the jar came from, and what its certificate was checked
    // against (see nts_trust_anchor.h).
    std::string keHost;
    std::uint16_t kePort = 0;
    std::string trustAnchor;
    // When the key exchange that gave the keys ended, Unix seconds.
    std::int64_t createdUnix = 0;
    Keys keys;
    std::string ntpServer;
    std::uint16_t ntpPort = 0;
    std::vector<Cookie> cookies;

    // Keys young enough and a cookie left.
    bool IsUsable(std::int64_t nowUnix) const;
};

// The text of a jar, and back; empty for anything that is not a whole, sound jar, and for
// one with more cookies, or a longer cookie or server name, than a key exchange may give.
std::string FormatJar(const CookieJar& jar);
std::optional<CookieJar> ParseJar(const std::string& text);

// The jar's file for a key exchange server: "<state>/Veldmark/Horolux/nts/<host>_<port>",
// the host written with letters, digits, '.' and '-' only (others as %XX).
std::string JarPath(const std::string& host, std::uint16_t port);

// An empty jar when the file is missing, not a regular file, too large or damaged.
CookieJar LoadJar(const std::string& path);
// False when the folder or the file cannot be written, or the jar would be too large to
// read back; the old file then stays whole.
bool SaveJar(const std::string& path, const CookieJar& jar);

} // namespace nts
