#pragma once

// The stored settings that choose a query's Timebase and protocol: their names, values
// and defaults (group "Options" of the settings file).
inline constexpr const char* kKeyTimeBase = "TimeBase";
inline constexpr const char* kKeySocketType = "SocketType";
inline constexpr const char* kKeyProtocol = "Protocol";
// A PEM file of the CA certificates an NTS server's certificate is checked against instead
// of the system's trust store (empty: the system's).
inline constexpr const char* kKeyNtsCaFile = "NtsCaFile";
// SNTP requests per query in the window: 1, 4 or 8.
inline constexpr const char* kKeySamples = "Samples";
inline constexpr int kSampleChoices[] = {1, 4, 8};
inline constexpr int kDefaultSamples = 1;

inline constexpr const char* kProtocolTime = "Time";
inline constexpr const char* kProtocolSntp = "SNTP";
inline constexpr const char* kProtocolNts = "NTS";
inline constexpr const char* kSocketTcp = "TCP";
inline constexpr const char* kSocketUdp = "UDP";

// The names horolux-cli's --protocol (and so the privileged helper's) takes for each pair.
struct ProtocolOption {
    const char* name;
    const char* protocol;
    const char* socketType;
};
inline constexpr ProtocolOption kProtocolOptions[] = {
    {"sntp", kProtocolSntp, kSocketUdp},
    {"time-tcp", kProtocolTime, kSocketTcp},
    {"time-udp", kProtocolTime, kSocketUdp},
    {"nts", kProtocolNts, kSocketUdp},
};

inline constexpr const char* kDefaultSocketType = kSocketUdp;
inline constexpr const char* kDefaultProtocol = kProtocolSntp;

// The Timebases the menu offers by name; the primary is also the default.
inline constexpr const char* kPrimaryTimebase = "tick.usno.navy.mil";
inline constexpr const char* kBackupTimebase = "tock.usno.navy.mil";
inline constexpr const char* kPoolTimebase = "pool.ntp.org";
