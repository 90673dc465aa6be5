#include "cli/check_mode.h"

#include <charconv>
#include <cmath>

namespace check {
namespace {

constexpr const char* kStatusNames[] = {"OK", "WARNING", "CRITICAL", "UNKNOWN"};

std::optional<double> Number(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string Fixed(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0");
}

// A '|' would start the performance data early, a line break end the output's first line.
std::string Printable(std::string_view text) {
    std::string clean;
    for (const char c : text) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        clean += control || c == '|' ? '?' : c;
    }
    return clean;
}

// A performance data label: quoted when it holds a space, '=' or a quote (doubled).
std::string Label(std::string_view text) {
    const std::string clean = Printable(text);
    if (clean.find_first_of(" ='") == std::string::npos) {
        return clean;
    }
    std::string quoted = "'";
    for (const char c : clean) {
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ServersPerfdata(const Input& input) {
    std::string text;
    if (input.servers.size() < 2) {
        return text;
    }
    for (const ServerOffset& each : input.servers) {
        if (each.offset) {
            text += " " + Label("offset_" + each.server) + "=" + Fixed(*each.offset) + "s;;;;";
        }
    }
    return text;
}

// The line, then the performance data (each item led by a space) after a '|'.
std::string WithPerfdata(std::string line, const std::string& perfdata) {
    return perfdata.empty() ? line : line + "|" + perfdata.substr(1);
}

std::string Head(int status) {
    return std::string("HOROLUX ") + kStatusNames[status] + " - ";
}

} // namespace

std::variant<Range, std::string> ParseRange(std::string_view text) {
    Range range;
    range.text = std::string(text);
    const std::string refusal =
        "'" + Printable(text) + "' is not a threshold (N, N:M, N:, ~:M, @ before any of them)";
    if (!text.empty() && text.front() == '@') {
        range.inside = true;
        text.remove_prefix(1);
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        const std::optional<double> high = Number(text);
        if (!high || *high < 0.0) {
            return refusal;
        }
        range.high = *high;
        return range;
    }
    const std::string_view low = text.substr(0, colon);
    const std::string_view high = text.substr(colon + 1);
    range.lowOpen = low == "~";
    range.highOpen = high.empty();
    const std::optional<double> lowValue = low.empty() ? 0.0 : Number(low);
    const std::optional<double> highValue = Number(high);
    if ((!range.lowOpen && !lowValue) || (!range.highOpen && !highValue)) {
        return refusal;
    }
    range.low = range.lowOpen ? 0.0 : *lowValue;
    range.high = range.highOpen ? 0.0 : *highValue;
    if (!range.lowOpen && !range.highOpen && range.low > range.high) {
        return refusal;
    }
    return range;
}

bool Alerts(const Range& range, double value) {
    const bool within =
        (range.lowOpen || value >= range.low) && (range.highOpen || value <= range.high);
    return range.inside ? within : !within;
}

Result Unknown(std::string_view reason) {
    return {kUnknown, Head(kUnknown) + Printable(reason)};
}

Result Judge(const Input& input, const Range& warning, const Range& critical) {
    if (input.ending == Input::Ending::Disagree) {
        return {kCritical,
                WithPerfdata(Head(kCritical) + "Timebases disagree: no majority of " +
                                 std::to_string(input.servers.size()) + " servers agrees",
                             ServersPerfdata(input))};
    }
    if (input.ending == Input::Ending::Failed || !input.offset) {
        return {kUnknown, WithPerfdata(Unknown(input.server + ": " + input.reason).line,
                                       ServersPerfdata(input))};
    }
    const double offset = *input.offset;
    const double magnitude = std::fabs(offset);
    const int status = Alerts(critical, magnitude)  ? kCritical
                       : Alerts(warning, magnitude) ? kWarning
                                                    : kOk;
    std::string line = Head(status) + "offset " + Fixed(offset) + " s from " +
                       Printable(input.server) + " (" + input.protocol +
                       (input.stratum ? ", stratum " + std::to_string(*input.stratum) : "") + ")";
    line += "|offset=" + Fixed(offset) + "s;" + Printable(warning.text) + ";" +
            Printable(critical.text) + ";;";
    if (input.delay) {
        line += " delay=" + Fixed(*input.delay) + "s;;;0;";
    }
    return {status, line + ServersPerfdata(input)};
}

} // namespace check
