#include "timesync/result_texts.h"

#include "platform/calendar.h"
#include "platform/escaped_text.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>

namespace results {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::int64_t kMaximumDeltaMinutes = 30;

template <typename... Args> std::string Printf(const char* format, Args... args) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, format, args...);
    if (length < 0) {
        return {};
    }
    if (static_cast<std::size_t>(length) < sizeof buffer) {
        return std::string(buffer, static_cast<std::size_t>(length));
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.pop_back();
    return text;
}

// "%.3f" in every locale: the GUI library adopts the user's locale, whose decimal
// separator may be a comma.
std::string FixedThreeDecimals(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return std::string(buffer, result.ptr);
}

std::string ClockPart(const char* prefix, std::int64_t unixSeconds) {
    return Translated(prefix) + FormatClock(unixSeconds) + texts::kClockSuffix;
}

} // namespace

std::string FormatClock(std::int64_t unixSeconds) {
    const std::optional<std::tm> fields = platform::LocalCalendar(unixSeconds);
    if (!fields) {
        return {};
    }
    char buffer[64];
    const std::size_t length =
        std::strftime(buffer, sizeof buffer, texts::kCalendarFormat, &*fields);
    return std::string(buffer, length);
}

std::string FormatSeconds(double seconds) {
    return FixedThreeDecimals(seconds) + Translated(texts::kSecondsSuffix);
}

std::string FormatDeltaSeconds(double seconds) {
    return Translated(texts::kDeltaPrefix) + FormatSeconds(seconds);
}

std::string FormatDeltaSpan(std::int64_t delta) {
    const std::int64_t days = delta / kSecondsPerDay;
    const std::int64_t hours = delta / kSecondsPerHour - days * 24;
    const std::int64_t minutes = delta / kSecondsPerMinute - (delta / kSecondsPerHour) * 60;
    const std::int64_t seconds = delta - (delta / kSecondsPerMinute) * 60;
    return Translated(texts::kDeltaPrefix) + Printf(texts::kDeltaSpanFormat, days,
                                                    Translated(texts::kDaysInfix).c_str(), hours,
                                                    minutes, seconds);
}

std::string SntpReportText(std::int64_t unixSeconds, double offset) {
    return ClockPart(texts::kTimebaseClockPrefix, unixSeconds) + FormatDeltaSeconds(offset);
}

std::string TimeReportText(std::int64_t unixSeconds, std::int64_t delta) {
    return ClockPart(texts::kTimebaseClockPrefix, unixSeconds) + FormatDeltaSpan(delta);
}

std::string SntpCorrectedText(double offset) {
    return Translated(texts::kCorrectedByPrefix) + FormatSeconds(offset);
}

std::string TimeCorrectedText(std::int64_t unixSeconds) {
    return ClockPart(texts::kCorrectedToPrefix, unixSeconds);
}

std::string ClockNotCorrectedText(std::string_view reason) {
    return Translated(texts::kClockNotCorrected) + std::string(reason);
}

std::string KeyExchangeFailedText(std::string_view reason) {
    return Translated(texts::kKeyExchangeFailed) + std::string(reason);
}

std::string NameNotResolvedText(std::string_view host, bool notFound, bool ended) {
    // A DNS name has at most 253 characters; a longer setting is cut at a whole character.
    constexpr std::size_t kMaxHostBytes = 253;
    std::size_t end = std::min(host.size(), kMaxHostBytes);
    while (end < host.size() && end > 0 && (static_cast<unsigned char>(host[end]) & 0xC0) == 0x80) {
        --end;
    }
    std::string text = ended ? Translated(texts::kEndedPrefix) : "";
    text += Translated(notFound ? texts::kNameNotFound : texts::kNameLookupFailed);
    text += EscapeControlBytes(host.substr(0, end));
    if (end < host.size()) {
        text += "...";
    }
    return ended ? text : text + Translated(texts::kTryingAgain);
}

bool ExceedsMaximumDelta(std::int64_t wholeSeconds) {
    const std::int64_t minutes = wholeSeconds / kSecondsPerMinute;
    return minutes >= kMaximumDeltaMinutes || minutes <= -kMaximumDeltaMinutes;
}

} // namespace results
