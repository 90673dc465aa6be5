#include "cli/json_report.h"

#include "platform/calendar.h"
#include "timesync/query_setting_keys.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

// The length of the well-formed UTF-8 sequence at the start of text, 0 when there is none.
std::size_t Utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    // The second byte's range excludes overlong forms, surrogates and values past U+10FFFF.
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length == 0 || text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

template <typename T, typename Format>
std::string OrNull(const std::optional<T>& value, Format format) {
    return value ? format(*value) : std::string("null");
}

std::string Integer(std::int64_t value) {
    return std::to_string(value);
}

std::string Array(const std::vector<std::string>& items) {
    std::string text = "[";
    for (const std::string& item : items) {
        text += (text.size() > 1 ? "," : "") + item;
    }
    return text + "]";
}

std::string StringOrNull(const std::string& text) {
    return text.empty() ? std::string("null") : JsonString(text);
}

} // namespace

std::string JsonNumber(double value, int decimals) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::isfinite(value) && result.ec == std::errc() ? std::string(buffer, result.ptr)
                                                            : std::string("null");
}

std::string Seconds(double value) {
    return JsonNumber(value, 9);
}

void JsonObject::Add(const char* key, const std::string& value) {
    m_text += m_text.empty() ? "{" : ",";
    m_text += JsonString(key);
    m_text += ':';
    m_text += value;
}

std::string JsonObject::Finish() const {
    return m_text.empty() ? "{}" : m_text + "}";
}

std::string JsonString(std::string_view text) {
    std::string quoted = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const std::size_t length = Utf8Length(text.substr(at));
        // A name given in another encoding must not make the whole report unreadable.
        if (length != 1) {
            quoted += length == 0 ? std::string_view("\\ufffd") : text.substr(at, length);
            at += length == 0 ? 1 : length;
            continue;
        }
        ++at;
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                quoted += escape;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

std::string Iso8601Utc(const platform::UtcInstant& instant, bool microseconds) {
    const std::optional<std::tm> fields = platform::UtcCalendar(instant.seconds);
    if (!fields) {
        return {};
    }
    char buffer[64];
    std::size_t length = std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &*fields);
    if (microseconds) {
        length += static_cast<std::size_t>(std::snprintf(buffer + length, sizeof buffer - length,
                                                         ".%06d", instant.nanoseconds / 1000));
    }
    return std::string(buffer, length) + "Z";
}

std::string FormatJson(const CliReport& report) {
    const bool sntp = report.transport.protocol != wire::Protocol::Time;
    const bool nts = report.transport.protocol == wire::Protocol::Nts;
    const QueryOutcome none;
    const QueryOutcome& outcome = report.outcome ? *report.outcome : none;
    JsonObject json;
    json.Add("server", JsonString(report.server));
    json.Add("address", StringOrNull(outcome.address));
    json.Add("protocol", JsonString(nts ? kProtocolNts : sntp ? kProtocolSntp : kProtocolTime));
    json.Add("transport",
             JsonString(report.transport.socket == wire::SocketKind::Datagram ? kSocketUdp
                                                                              : kSocketTcp));
    json.Add("port", Integer(report.transport.port));
    // For NTS, `port` is the key exchange's; the time requests may have gone elsewhere.
    json.Add("ntp_port", outcome.ntpPort ? Integer(*outcome.ntpPort)
                         : sntp && !nts  ? Integer(report.transport.port)
                                         : std::string("null"));
    json.Add("result", JsonString(report.result));
    json.Add("offset_seconds", OrNull(outcome.offset, Seconds));
    json.Add("delay_seconds", OrNull(outcome.delay, Seconds));
    json.Add("delta_seconds", OrNull(outcome.delta, Integer));
    json.Add("timebase_time", OrNull(outcome.timebaseTime, [sntp](const auto& instant) {
                 return JsonString(Iso8601Utc(instant, sntp));
             }));
    json.Add("stratum", OrNull(outcome.stratum, Integer));
    json.Add("leap_indicator", OrNull(outcome.leap, Integer));
    json.Add("authenticated", outcome.authenticated ? "true" : "false");
    json.Add("nts_ke_ms", OrNull(outcome.ntsKeMs, [](double ms) { return JsonNumber(ms, 3); }));
    json.Add("corrected", ClockCorrected(report) ? "true" : "false");
    json.Add("error", StringOrNull(ErrorOf(report)));
    std::vector<std::string> samples;
    for (const burst::Sample& sample : outcome.samples) {
        const bool good = sample.state == burst::Sample::State::Good;
        JsonObject item;
        item.Add("offset_seconds", good ? Seconds(sample.offset) : "null");
        item.Add("delay_seconds", good ? Seconds(sample.delay) : "null");
        item.Add("used", sample.used ? "true" : "false");
        samples.push_back(item.Finish());
    }
    json.Add("samples", sntp ? Array(samples) : "null");
    json.Add("samples_answered",
             sntp ? Integer(burst::AnsweredCount(outcome.samples)) : std::string("null"));
    std::vector<std::string> servers;
    for (const ServerReport& server : report.servers) {
        const QueryOutcome& each = server.outcome ? *server.outcome : none;
        JsonObject item;
        item.Add("server", JsonString(server.server));
        item.Add("address", StringOrNull(each.address));
        item.Add("offset_seconds", OrNull(each.offset, Seconds));
        item.Add("delay_seconds", OrNull(each.delay, Seconds));
        item.Add("stratum", OrNull(each.stratum, Integer));
        item.Add("verdict", JsonString(agreement::VerdictName(server.verdict)));
        servers.push_back(item.Finish());
    }
    json.Add("servers", Array(servers));
    json.Add("system_synchronized", report.system ? (report.system->synchronized ? "true" : "false")
                                                  : std::string("null"));
    json.Add("system_estimated_error_seconds",
             report.system ? Seconds(report.system->estimatedErrorSeconds) : std::string("null"));
    return json.Finish();
}
