#include "cli/cli_exit_status.h"
#include "cli/cli_report.h"
#include "cli/json_report.h"

#include <gtest/gtest.h>

namespace {

const wire::Transport kSntp = wire::TransportFor("SNTP", "UDP");
const wire::Transport kTimeTcp = wire::TransportFor("Time", "TCP");

// 2026-12-06 09:15:55.123456789 UTC.
constexpr platform::UtcInstant kInstant{1796548555, 123456789};

QueryOutcome SntpOutcome(QueryOutcome::Result result) {
    QueryOutcome outcome;
    outcome.result = result;
    outcome.protocol = wire::Protocol::Sntp;
    outcome.address = "127.0.0.1";
    outcome.offset = -0.0000125;
    outcome.delay = 0.000105;
    outcome.timebaseTime = kInstant;
    outcome.stratum = 2;
    outcome.leap = 0;
    return outcome;
}

TEST(JsonString, EscapesWhatJsonRequires) {
    struct Case {
        std::string_view text;
        const char* json;
    };
    const Case cases[] = {
        {"", R"("")"},
        {"Delta: 0.000 seconds", R"("Delta: 0.000 seconds")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {R"(C:\time)", R"("C:\\time")"},
        {"a\nb\tc\rd", R"("a\nb\tc\rd")"},
        {std::string_view("\x01\x1f\x7f", 3), R"("\u0001\u001f\u007f")"},
        {std::string_view("nul\0x", 5), R"("nul\u0000x")"},
        // UTF-8 passes as it is.
        {"zeitgeber.bücher.example", "\"zeitgeber.bücher.example\""},
        {"/", R"("/")"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JsonString(c.text), c.json);
    }
}

TEST(Iso8601Utc, WholeSecondsOrMicroseconds) {
    struct Case {
        platform::UtcInstant instant;
        bool microseconds;
        const char* text;
    };
    const Case cases[] = {
        {{0, 0}, false, "1970-01-01T00:00:00Z"},
        {{0, 999}, true, "1970-01-01T00:00:00.000000Z"},
        {kInstant, false, "2026-12-06T09:15:55Z"},
        {kInstant, true, "2026-12-06T09:15:55.123456Z"},
        {{1796548555, 999999999}, true, "2026-12-06T09:15:55.999999Z"},
        {{2147483648, 0}, false, "2038-01-19T03:14:08Z"},
        {{4233462143, 500000000}, true, "2104-02-26T09:42:23.500000Z"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Iso8601Utc(c.instant, c.microseconds), c.text);
    }
}

TEST(CliReport, StatusErrorAndJsonOfEachEnd) {
    QueryOutcome notSet = SntpOutcome(QueryOutcome::Result::ClockNotSet);
    notSet.refusal = "Operation not permitted";
    QueryOutcome bogus;
    bogus.result = QueryOutcome::Result::Bogus;
    bogus.address = "::1";
    bogus.stratum = 0;
    bogus.leap = 3;
    QueryOutcome time;
    time.result = QueryOutcome::Result::Answered;
    time.protocol = wire::Protocol::Time;
    time.address = "192.0.2.1";
    time.delta = -3725;
    time.timebaseTime = platform::UtcInstant{kInstant.seconds, 0};
    wire::Transport otherPort = kSntp;
    otherPort.port = 12300;

    struct Case {
        const char* name;
        CliReport report;
        int status;
        const char* json;
    };
    const Case cases[] = {
        {"answered",
         {"127.0.0.1", otherPort, "Timebase Clock: 12/06/26 09:15:55. Delta: -0.000 seconds",
          SntpOutcome(QueryOutcome::Result::Answered)},
         kExitAnswered,
         R"({"server":"127.0.0.1","address":"127.0.0.1","protocol":"SNTP","transport":"UDP",)"
         R"("port":12300,"result":"Timebase Clock: 12/06/26 09:15:55. Delta: -0.000 seconds",)"
         R"("offset_seconds":-0.000012500,"delay_seconds":0.000105000,"delta_seconds":null,)"
         R"("timebase_time":"2026-12-06T09:15:55.123456Z","stratum":2,"leap_indicator":0,)"
         R"("corrected":false,"error":null})"},
        {"clock not set",
         {"127.0.0.1", kSntp, "Reset: System Clock NOT Corrected: Operation not permitted", notSet},
         kExitClockNotSet,
         R"({"server":"127.0.0.1","address":"127.0.0.1","protocol":"SNTP","transport":"UDP",)"
         R"("port":123,"result":"Reset: System Clock NOT Corrected: Operation not permitted",)"
         R"("offset_seconds":-0.000012500,"delay_seconds":0.000105000,"delta_seconds":null,)"
         R"("timebase_time":"2026-12-06T09:15:55.123456Z","stratum":2,"leap_indicator":0,)"
         R"("corrected":false,"error":"Operation not permitted"})"},
        {"bogus",
         {"::1", kSntp, "Reset: Selected Timebase returned bogus data!", bogus},
         kExitBogusReply,
         R"({"server":"::1","address":"::1","protocol":"SNTP","transport":"UDP","port":123,)"
         R"("result":"Reset: Selected Timebase returned bogus data!","offset_seconds":null,)"
         R"("delay_seconds":null,"delta_seconds":null,"timebase_time":null,"stratum":0,)"
         R"("leap_indicator":3,"corrected":false,)"
         R"("error":"Reset: Selected Timebase returned bogus data!"})"},
        {"time protocol",
         {"192.0.2.1", wire::TransportFor("Time", "UDP"),
          "Timebase Clock: 12/06/26 09:15:55. Delta: 0 days -1:-2:-5", time},
         kExitAnswered,
         R"({"server":"192.0.2.1","address":"192.0.2.1","protocol":"Time","transport":"UDP",)"
         R"("port":37,"result":"Timebase Clock: 12/06/26 09:15:55. Delta: 0 days -1:-2:-5",)"
         R"("offset_seconds":null,"delay_seconds":null,"delta_seconds":-3725,)"
         R"("timebase_time":"2026-12-06T09:15:55Z","stratum":null,"leap_indicator":null,)"
         R"("corrected":false,"error":null})"},
        {"no answer",
         {"tick.usno.navy.mil", kTimeTcp, "Reset: No answer from Timebase within 9 seconds.",
          std::nullopt},
         kExitNoAnswer,
         R"({"server":"tick.usno.navy.mil","address":null,"protocol":"Time","transport":"TCP",)"
         R"("port":37,"result":"Reset: No answer from Timebase within 9 seconds.",)"
         R"("offset_seconds":null,"delay_seconds":null,"delta_seconds":null,)"
         R"("timebase_time":null,"stratum":null,"leap_indicator":null,"corrected":false,)"
         R"("error":"Reset: No answer from Timebase within 9 seconds."})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExitStatusOf(c.report), c.status);
        EXPECT_EQ(FormatJson(c.report), c.json);
    }
}

} // namespace
