#pragma once

#include "timesync/query_setting_keys.h"

#include <QString>

// Which status-bar indicator is lit; the comparisons are exact and case-sensitive.
inline bool IsTcpIndicatorLit(const QString& protocol, const QString& socketType) {
    return protocol == kProtocolTime && socketType == kSocketTcp;
}
inline bool IsUdpIndicatorLit(const QString& protocol, const QString& socketType) {
    return protocol == kProtocolTime && socketType == kSocketUdp;
}
inline bool IsSntpIndicatorLit(const QString& protocol, const QString& socketType) {
    return protocol == kProtocolSntp && socketType == kSocketUdp;
}
// NTS has no socket type of its own.
inline bool IsNtsIndicatorLit(const QString& protocol) {
    return protocol == kProtocolNts;
}
