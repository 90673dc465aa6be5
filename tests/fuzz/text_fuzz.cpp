// Any bytes as the texts people and servers hand the console programs: a Timebase as
// typed, horolux-cli's and horolux-correct's command lines (arguments split at NUL bytes),
// and the strings and figures of a report, whose JSON must always parse.
#include "cli/cli_options.h"
#include "cli/helper_options.h"
#include "cli/json_report.h"
#include "tests/fuzz/require.h"
#include "timesync/host_text.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> Split(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\0', start)) != std::string_view::npos;
         start = end + 1) {
        parts.emplace_back(text.substr(start, end - start));
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

QStringList Arguments(std::string_view text) {
    QStringList arguments;
    for (const std::string& part : Split(text)) {
        arguments << QString::fromLocal8Bit(part);
    }
    return arguments;
}

void CheckHost(std::string_view text) {
    const HostAndPort split = SplitHostAndPort(text);
    // Without a port the host is the text as it stands, or what stood in brackets.
    Require(text.find(split.host) != std::string_view::npos &&
            (split.port != 0 || split.host == text || "[" + split.host + "]" == text));
}

template <typename Parse> void CheckOptions(Parse parse, std::string_view text) {
    const auto parsed = parse(Arguments(text));
    const auto* options = std::get_if<CliOptions>(&parsed);
    Require(options ? options->servers.size() <= kMaxServers
                    : !std::get<CliUsageError>(parsed).message.isEmpty());
}

// A figure is a byte (odd: present) and eight bytes of any double or integer, NaN and
// infinities included; absent, it takes the one byte.
class Figures {
  public:
    explicit Figures(std::string_view bytes) : m_bytes(bytes) {}
    template <typename T> std::optional<T> Next() {
        if (m_bytes.size() < 1 + sizeof(T) || (m_bytes[0] & 1) == 0) {
            m_bytes.remove_prefix(m_bytes.empty() ? 0 : 1);
            return std::nullopt;
        }
        T value;
        std::memcpy(&value, m_bytes.data() + 1, sizeof value);
        m_bytes.remove_prefix(1 + sizeof value);
        return value;
    }

    std::string_view Rest() const { return m_bytes; }

  private:
    std::string_view m_bytes;
};

// The figures first, then the strings: server, result, address, refusal, and the servers
// of the run.
void CheckJson(std::string_view text) {
    Figures figures(text);
    QueryOutcome outcome;
    outcome.offset = figures.Next<double>();
    outcome.delay = figures.Next<double>();
    outcome.delta = figures.Next<std::int64_t>();
    if (const auto seconds = figures.Next<std::int64_t>()) {
        outcome.timebaseTime = platform::UtcInstant{*seconds, 0};
    }
    outcome.ntsKeMs = figures.Next<double>();
    const std::vector<std::string> parts = Split(figures.Rest());
    CliReport report;
    report.server = parts[0];
    report.result = parts.size() > 1 ? parts[1] : "";
    report.transport.protocol = static_cast<wire::Protocol>(report.result.size() % 3);
    outcome.address = parts.size() > 2 ? parts[2] : "";
    outcome.refusal = parts.size() > 3 ? parts[3] : "";
    burst::Sample sample;
    sample.state = burst::Sample::State::Good;
    sample.offset = outcome.offset.value_or(0);
    sample.delay = outcome.delay.value_or(0);
    outcome.samples.push_back(sample);
    for (std::size_t i = 4; i < parts.size(); ++i) {
        report.servers.push_back({parts[i], outcome, agreement::Verdict::Agrees});
    }
    report.outcome = outcome;
    const std::string json = FormatJson(report);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    Require(error.error == QJsonParseError::NoError && document.isObject());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
    case 0:
        CheckHost(text);
        break;
    case 1:
        CheckOptions(ParseCliOptions, text);
        break;
    case 2:
        CheckOptions(ParseHelperOptions, text);
        break;
    default:
        CheckJson(text);
    }
    return 0;
}
