#pragma once

// Names and defaults of the stored settings (group "Options").
inline constexpr const char* kSettingsOrganization = "Veldmark";
inline constexpr const char* kSettingsApplication = "Horolux";
inline constexpr const char* kSettingsGroup = "Options";

inline constexpr const char* kKeyTimeBase = "TimeBase";
inline constexpr const char* kKeySocketType = "SocketType";
inline constexpr const char* kKeyProtocol = "Protocol";
inline constexpr const char* kKeyTextOnly = "TextOnly";
inline constexpr const char* kKeyMinimizeToTray = "MinimizeToTray";

inline constexpr const char* kProtocolTime = "Time";
inline constexpr const char* kProtocolSntp = "SNTP";
inline constexpr const char* kSocketTcp = "TCP";
inline constexpr const char* kSocketUdp = "UDP";

inline constexpr const char* kDefaultSocketType = kSocketUdp;
inline constexpr const char* kDefaultProtocol = kProtocolSntp;
inline constexpr int kDefaultTextOnly = 0;
inline constexpr int kDefaultMinimizeToTray = 1;
