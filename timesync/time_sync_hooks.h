#pragma once

// What the time query takes from the system: the clocks, the clock setter and the
// request nonce. Tests replace them; everything else reads them only through here.
#include "platform/clock_setter.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

struct TimeSyncHooks {
    // The local clock, nanoseconds since 1900-01-01 UTC (the process's own clock functions).
    std::function<std::int64_t()> localClockNtpNs;
    // The kernel's real-time clock in nanoseconds since 1970, the scale of the arrival
    // stamps of datagrams; only differences of it are used.
    std::function<std::int64_t()> kernelClockNs;
    // Sets the system clock; returns an empty text or the system's reason for refusing.
    std::function<std::string(const platform::UtcInstant&)> setSystemClock;
    // A fresh unpredictable non-zero value for each SNTP request.
    std::function<std::uint64_t()> newRequestNonce;
};

TimeSyncHooks& Hooks();

// The query's texts (status_texts.h) in the user's language. The window and the console
// install a translator; without one, and for output that scripts read, they stay English.
using TextTranslator = std::string (*)(const char* source);
void SetTextTranslator(TextTranslator translator);
std::string Translated(const char* source);
// Translated, with Qt's "%1", "%2"... filled in, so that a translation may move them.
std::string Translated(const char* source, std::initializer_list<std::string> args);
// "1 day" or "%1 days" with the count, translated.
std::string TranslatedCount(long long count, const char* one, const char* many);
// Puts the system's own clocks, setter and random source back.
void ResetHooks();
