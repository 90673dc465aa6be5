#include "cli/monitor_output.h"

#include "cli/cli_exit_status.h"
#include "platform/atomic_file.h"
#include "platform/escaped_text.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

const char* ProtocolName(wire::Protocol protocol) {
    switch (protocol) {
    case wire::Protocol::Nts:
        return "NTS";
    case wire::Protocol::Time:
        return "Time";
    case wire::Protocol::Sntp:
        break;
    }
    return "SNTP";
}

// Positive when the server is ahead; the Time protocol's delta is the other way round.
std::optional<double> OffsetOf(const std::optional<QueryOutcome>& outcome) {
    if (!outcome) {
        return std::nullopt;
    }
    if (outcome->offset) {
        return outcome->offset;
    }
    if (outcome->delta) {
        return static_cast<double>(-*outcome->delta);
    }
    return std::nullopt;
}

bool Disagreement(const CliReport& report) {
    bool falseticker = false;
    for (const ServerReport& each : report.servers) {
        if (each.verdict == agreement::Verdict::Used) {
            return false;
        }
        falseticker = falseticker || each.verdict == agreement::Verdict::Falseticker;
    }
    return report.servers.size() > 1 && falseticker;
}

double Now() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

std::string ReadSmallFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text;
    constexpr std::size_t kLimit = 1 << 20;
    text.resize(kLimit);
    file.read(text.data(), static_cast<std::streamsize>(kLimit));
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

} // namespace

check::Input CheckInputOf(const CliReport& report) {
    check::Input input;
    input.server = report.server;
    input.protocol = ProtocolName(report.transport.protocol);
    for (const ServerReport& each : report.servers) {
        input.servers.push_back({each.server, OffsetOf(each.outcome)});
    }
    if (Disagreement(report)) {
        input.ending = check::Input::Ending::Disagree;
    } else if (ExitStatusOf(report) == kExitAnswered) {
        input.ending = check::Input::Ending::Answered;
        input.offset = OffsetOf(report.outcome);
        input.delay = report.outcome->delay;
        input.stratum = report.outcome->stratum;
    } else {
        input.reason = report.result;
    }
    return input;
}

MetricsInput MetricsInputOf(const CliReport& report) {
    MetricsInput input;
    for (const ServerReport& each : report.servers) {
        const QueryOutcome none;
        const QueryOutcome& outcome = each.outcome ? *each.outcome : none;
        input.servers.push_back({each.server, OffsetOf(each.outcome), outcome.delay,
                                 outcome.stratum, outcome.authenticated,
                                 agreement::VerdictName(each.verdict)});
    }
    if (ExitStatusOf(report) == kExitAnswered) {
        input.lastSuccess = Now();
    }
    input.system = report.system;
    return input;
}

int PrintCheck(const CliReport& report, const CliOptions& options) {
    const auto warning = check::ParseRange(options.warning.toStdString());
    const auto critical = check::ParseRange(options.critical.toStdString());
    check::Result result;
    if (const auto* error = std::get_if<std::string>(&warning)) {
        result = check::Unknown("--warning: " + *error);
    } else if (const auto* error = std::get_if<std::string>(&critical)) {
        result = check::Unknown("--critical: " + *error);
    } else {
        result = check::Judge(CheckInputOf(report), std::get<check::Range>(warning),
                              std::get<check::Range>(critical));
    }
    std::printf("%s\n", result.line.c_str());
    std::fflush(stdout);
    return result.status;
}

bool WriteMetricsFile(const CliReport& report, const CliOptions& options) {
    const std::string path = options.metricsFile->toStdString();
    MetricsInput input = MetricsInputOf(report);
    // A failed run keeps the time of the last one that answered.
    if (!input.lastSuccess) {
        input.lastSuccess = LastSuccessIn(ReadSmallFile(path));
    }
    const std::string error = platform::WriteFileAtomically(path, FormatMetrics(input));
    if (!error.empty()) {
        std::fprintf(stderr, "horolux-cli: %s: %s\n", EscapeControlBytes(path).c_str(),
                     error.c_str());
    }
    return error.empty();
}
