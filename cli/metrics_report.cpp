#include "cli/metrics_report.h"

#include "timesync/source_agreement.h"

#include <charconv>
#include <cmath>
#include <functional>

namespace {

constexpr std::string_view kLastSuccess = "horolux_last_success_timestamp_seconds";

std::string Number(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

class Exposition {
  public:
    // One metric family: its HELP and TYPE lines, then the samples.
    void Family(std::string_view name, std::string_view help) {
        m_text += "# HELP " + std::string(name) + " " + std::string(help) + "\n";
        m_text += "# TYPE " + std::string(name) + " gauge\n";
        m_name = name;
    }
    void Sample(const std::string& labels, double value) {
        if (!std::isfinite(value)) {
            return;
        }
        m_text += m_name + (labels.empty() ? "" : "{" + labels + "}") + " " + Number(value) + "\n";
    }
    std::string Text() const { return m_text; }

  private:
    std::string m_text;
    std::string m_name;
};

std::string ServerLabel(const MetricsServer& server) {
    return "server=\"" + EscapeLabelValue(server.server) + "\"";
}

} // namespace

std::string EscapeLabelValue(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c == '\\' ? "\\\\" : c == '"' ? "\\\"" : c == '\n' ? "\\n" : std::string(1, c);
    }
    return escaped;
}

std::string FormatMetrics(const MetricsInput& input) {
    Exposition out;
    auto perServer = [&](std::string_view name, std::string_view help,
                         const std::function<std::optional<double>(const MetricsServer&)>& value) {
        out.Family(name, help);
        for (const MetricsServer& server : input.servers) {
            if (const std::optional<double> figure = value(server)) {
                out.Sample(ServerLabel(server), *figure);
            }
        }
    };
    perServer("horolux_offset_seconds",
              "Offset of the server's clock from the local clock; positive when the server is "
              "ahead.",
              [](const MetricsServer& s) { return s.offset; });
    perServer("horolux_delay_seconds", "Round-trip delay of the answer used.",
              [](const MetricsServer& s) { return s.delay; });
    perServer("horolux_stratum", "Stratum the server reported.",
              [](const MetricsServer& s) -> std::optional<double> { return s.stratum; });
    perServer("horolux_authenticated", "1 when the answer was authenticated (NTS).",
              [](const MetricsServer& s) { return s.authenticated ? 1.0 : 0.0; });
    // Every verdict of every server, 1 for the one it got: a server that changes verdict
    // leaves no stale series behind.
    out.Family("horolux_verdict", "1 for the verdict the server's answer got, 0 for the others.");
    using agreement::Verdict;
    for (const MetricsServer& server : input.servers) {
        for (const Verdict verdict : {Verdict::Used, Verdict::Agrees, Verdict::Falseticker,
                                      Verdict::NoAnswer, Verdict::Bogus}) {
            const std::string name = agreement::VerdictName(verdict);
            out.Sample(ServerLabel(server) + ",verdict=\"" + name + "\"",
                       server.verdict == name ? 1.0 : 0.0);
        }
    }
    if (input.lastSuccess) {
        out.Family(kLastSuccess, "When a query last got an answer, in seconds since 1970 (UTC).");
        out.Sample({}, *input.lastSuccess);
    }
    if (input.system) {
        out.Family("horolux_system_synchronized",
                   "1 when the kernel says a time service keeps the system clock synchronized.");
        out.Sample({}, input.system->synchronized ? 1.0 : 0.0);
        out.Family("horolux_system_estimated_error_seconds",
                   "The kernel's estimated error of the system clock.");
        out.Sample({}, input.system->estimatedErrorSeconds);
        out.Family("horolux_system_maximum_error_seconds",
                   "The kernel's maximum error of the system clock.");
        out.Sample({}, input.system->maximumErrorSeconds);
    }
    return out.Text();
}

std::optional<double> LastSuccessIn(std::string_view exposition) {
    while (!exposition.empty()) {
        const std::size_t end = exposition.find('\n');
        std::string_view line = exposition.substr(0, end);
        exposition =
            end == std::string_view::npos ? std::string_view() : exposition.substr(end + 1);
        if (line.substr(0, kLastSuccess.size()) != kLastSuccess ||
            line.size() <= kLastSuccess.size() || line[kLastSuccess.size()] != ' ') {
            continue;
        }
        line.remove_prefix(kLastSuccess.size() + 1);
        double value = 0.0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (ec == std::errc() && ptr == line.data() + line.size() && std::isfinite(value)) {
            return value;
        }
    }
    return std::nullopt;
}
