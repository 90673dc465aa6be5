#pragma once

// horolux-cli --check: a status line and exit status in the conventions of the
// monitoring-plugins suite, from the figures of one run. Pure functions of their input.
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace check {

inline constexpr int kOk = 0;
inline constexpr int kWarning = 1;
inline constexpr int kCritical = 2;
inline constexpr int kUnknown = 3;

// Those of check_ntp_time, so that a check moved over keeps its meaning.
inline constexpr const char* kDefaultWarning = "60";
inline constexpr const char* kDefaultCritical = "120";

// A threshold in the plugins' range syntax: "N" (alert outside 0..N), "N:M", "N:", "~:M",
// each with a leading "@" to alert inside the range instead. The ends belong to the range.
struct Range {
    std::string text;
    double low = 0.0;
    double high = 0.0;
    bool highOpen = false;
    bool lowOpen = false;
    bool inside = false;
};

// The range, or why the text is not one.
std::variant<Range, std::string> ParseRange(std::string_view text);
bool Alerts(const Range& range, double value);

struct ServerOffset {
    std::string server;
    std::optional<double> offset;
};

// What the run found.
struct Input {
    enum class Ending { Answered, Disagree, Failed };
    Ending ending = Ending::Failed;
    // The server judged, or the one that failed.
    std::string server;
    // SNTP, NTS or Time.
    std::string protocol;
    std::optional<int> stratum;
    // Positive when the server is ahead of the local clock.
    std::optional<double> offset;
    std::optional<double> delay;
    // Failed: why, in the run's own words.
    std::string reason;
    // With several servers: each one's offset, for the performance data.
    std::vector<ServerOffset> servers;
};

struct Result {
    int status = kUnknown;
    std::string line;
};

// The line and status for an input judged against the warning and critical ranges. The
// offset's magnitude is judged, as check_ntp_time does.
Result Judge(const Input& input, const Range& warning, const Range& critical);

// An UNKNOWN line with the reason (a bad threshold, bad usage).
Result Unknown(std::string_view reason);

} // namespace check
