#include "cli/cli_exit_status.h"
#include "cli/json_report.h"

#include <gtest/gtest.h>

TEST(JsonString, EscapesWhatJsonRequiresAndPassesUtf8) {
    EXPECT_EQ(JsonString(R"(say "hi" in C:\time)"), R"("say \"hi\" in C:\\time")");
    EXPECT_EQ(JsonString("a\nb\tc\rd/"), R"("a\nb\tc\rd/")");
    EXPECT_EQ(JsonString(std::string_view("\x01\x1f\x7f\0x", 5)), R"("\u0001\u001f\u007f\u0000x")");
    EXPECT_EQ(JsonString("zeitgeber.bücher.example"), "\"zeitgeber.bücher.example\"");
}

TEST(CliReport, ExitStatusAndJsonOfEachEnd) {
    QueryOutcome sntp, corrected, notSet, bogus, time;
    sntp.address = "::1";
    sntp.offset = -0.0000125;
    sntp.delay = 0.000105;
    sntp.timebaseTime = platform::UtcInstant{1796548555, 123456789}; // 2026-12-06 09:15:55
    sntp.stratum = 2;
    sntp.leap = 0;
    wire::Transport otherPort = wire::TransportFor("SNTP", "UDP");
    otherPort.port = 12300;
    const CliReport answered{"localhost", otherPort, "Timebase Clock: \"09\"", sntp};
    EXPECT_EQ(ExitStatusOf(answered), kExitAnswered);
    EXPECT_EQ(FormatJson(answered),
              R"({"server":"localhost","address":"::1","protocol":"SNTP","transport":"UDP",)"
              R"("port":12300,"result":"Timebase Clock: \"09\"","offset_seconds":-0.000012500,)"
              R"("delay_seconds":0.000105000,"delta_seconds":null,)"
              R"("timebase_time":"2026-12-06T09:15:55.123456Z","stratum":2,"leap_indicator":0,)"
              R"("corrected":false,"error":null})");

    corrected = notSet = sntp;
    corrected.result = QueryOutcome::Result::Corrected;
    notSet.result = QueryOutcome::Result::ClockNotSet;
    notSet.refusal = "Operation not permitted";
    bogus.result = QueryOutcome::Result::Bogus;
    bogus.stratum = 0;
    time.protocol = wire::Protocol::Time;
    time.delta = -3725;
    time.timebaseTime = platform::UtcInstant{4233462143, 5}; // 2104, past a 32-bit time_t
    const wire::Transport timeTcp = wire::TransportFor("Time", "TCP");
    struct Case {
        CliReport report;
        int status;
        const char* json; // a part of the object
    };
    const Case cases[] = {
        {{"a", otherPort, "ok", corrected}, kExitAnswered, R"("corrected":true,"error":null})"},
        {{"a", otherPort, "Reset: ...", notSet},
         kExitClockNotSet,
         R"("corrected":false,"error":"Operation not permitted"})"},
        {{"a", otherPort, "Reset: bogus", bogus},
         kExitBogusReply,
         R"({"server":"a","address":null,"protocol":"SNTP","transport":"UDP","port":12300,)"
         R"("result":"Reset: bogus","offset_seconds":null,"delay_seconds":null,)"
         R"("delta_seconds":null,"timebase_time":null,"stratum":0,"leap_indicator":null,)"
         R"("corrected":false,"error":"Reset: bogus"})"},
        {{"a", timeTcp, "ok", time},
         kExitAnswered,
         R"("protocol":"Time","transport":"TCP","port":37,"result":"ok","offset_seconds":null,)"
         R"("delay_seconds":null,"delta_seconds":-3725,"timebase_time":"2104-02-26T09:42:23Z",)"},
        {{"a", timeTcp, "Reset: No answer", std::nullopt},
         kExitNoAnswer,
         R"("address":null,"protocol":"Time")"
         R"(,"transport":"TCP","port":37,"result":"Reset: No answer","offset_seconds":null,)"
         R"("delay_seconds":null,"delta_seconds":null,"timebase_time":null,"stratum":null,)"
         R"("leap_indicator":null,"corrected":false,"error":"Reset: No answer"})"},
    };
    for (const Case& c : cases) {
        const std::string json = FormatJson(c.report);
        EXPECT_EQ(ExitStatusOf(c.report), c.status) << json;
        EXPECT_NE(json.find(c.json), std::string::npos) << json;
    }
}
