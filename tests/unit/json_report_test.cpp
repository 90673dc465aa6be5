#include "cli/json_report.h"

#include <gtest/gtest.h>
#include <limits>

using Result = QueryOutcome::Result;

TEST(JsonString, EscapesWhatJsonRequiresAndPassesUtf8) {
    EXPECT_EQ(JsonString(R"(say "hi" in C:\time)"), R"("say \"hi\" in C:\\time")");
    EXPECT_EQ(JsonString("a\nb\tc\rd/"), R"("a\nb\tc\rd/")");
    EXPECT_EQ(JsonString(std::string_view("\x01\x1f\x7f\0x", 5)), R"("\u0001\u001f\u007f\u0000x")");
    EXPECT_EQ(JsonString("zeitgeber.bücher.example"), "\"zeitgeber.bücher.example\"");
    // A name in another encoding: each byte that is not well-formed UTF-8 becomes U+FFFD.
    EXPECT_EQ(
        JsonString("\xff|\x80|\xc0\xaf|\xe2\x82|\xed\xa0\x80|\xf4\x90\x80\x80|\xf0\x9f\x95\x90"),
        R"("\ufffd|\ufffd|\ufffd\ufffd|\ufffd\ufffd|\ufffd\ufffd\ufffd|\ufffd\ufffd\ufffd\ufffd|)"
        "\xf0\x9f\x95\x90\"");
    // JSON has no number for NaN or infinity.
    QueryOutcome outcome;
    outcome.offset = std::numeric_limits<double>::quiet_NaN();
    outcome.ntsKeMs = std::numeric_limits<double>::infinity();
    const std::string json = FormatJson({"a", {}, "r", outcome, {}, {}});
    EXPECT_NE(json.find(R"("offset_seconds":null)"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("nts_ke_ms":null)"), std::string::npos) << json;
}

// Exit statuses and the fields of real runs are checked on the programs themselves; here
// the exact text, the nulls, the error and times past 2038 in UTC.
TEST(CliReport, JsonOfEachEnd) {
    wire::Transport sntp = wire::TransportFor("SNTP", "UDP");
    sntp.port = 12300;
    const wire::Transport timeTcp = wire::TransportFor("Time", "TCP");
    QueryOutcome answered, notSet, bogus;
    answered.address = "::1";
    answered.offset = -0.0000125;
    answered.delay = 0.000105;
    answered.timebaseTime = platform::UtcInstant{1796548555, 123456789};
    answered.stratum = 2;
    answered.leap = 0;
    notSet.result = Result::ClockNotSet;
    notSet.refusal = "Operation not permitted";
    notSet.protocol = wire::Protocol::Time;
    notSet.delta = -3725;
    notSet.timebaseTime = platform::UtcInstant{4233462143, 5}; // 2104
    QueryOutcome authentic = answered;
    authentic.authenticated = true;
    authentic.ntsKeMs = 12.5;
    authentic.ntpPort = 10123;
    bogus.result = Result::Bogus;
    bogus.stratum = 0;
    answered.samples = {{burst::Sample::State::Good, 0.25, 0.0015, false},
                        {},
                        {burst::Sample::State::Bogus},
                        {burst::Sample::State::Good, -0.0000125, 0.000105, true}};
    const std::vector<ServerReport> servers = {
        {"a", answered, agreement::Verdict::Used},
        {"b:124", std::nullopt, agreement::Verdict::NoAnswer}};
    const std::pair<CliReport, const char*> cases[] = {
        // the whole object or a part of it
        {{"localhost", sntp, "Timebase Clock: \"09\"", answered, servers,
          platform::KernelClockState{true, 0.002, 0.5}},
         R"({"server":"localhost","address":"::1","protocol":"SNTP","transport":"UDP",)"
         R"("port":12300,"ntp_port":12300,"result":"Timebase Clock: \"09\"","offset_seconds":-0.000012500,)"
         R"("delay_seconds":0.000105000,"delta_seconds":null,)"
         R"("timebase_time":"2026-12-06T09:15:55.123456Z","stratum":2,"leap_indicator":0,)"
         R"("authenticated":false,"nts_ke_ms":null,"corrected":false,"error":null,)"
         R"("samples":[{"offset_seconds":0.250000000,"delay_seconds":0.001500000,"used":false},)"
         R"({"offset_seconds":null,"delay_seconds":null,"used":false},)"
         R"({"offset_seconds":null,"delay_seconds":null,"used":false},)"
         R"({"offset_seconds":-0.000012500,"delay_seconds":0.000105000,"used":true}],)"
         R"("samples_answered":3,"servers":[{"server":"a","address":"::1",)"
         R"("offset_seconds":-0.000012500,"delay_seconds":0.000105000,"stratum":2,"verdict":"used"},)"
         R"({"server":"b:124","address":null,"offset_seconds":null,"delay_seconds":null,)"
         R"("stratum":null,"verdict":"no answer"}],"system_synchronized":true,)"
         R"("system_estimated_error_seconds":0.002000000})"},
        {{"a", timeTcp, "Reset: ...", notSet, {}, {}},
         R"("delta_seconds":-3725,"timebase_time":"2104-02-26T09:42:23Z","stratum":null,)"
         R"("leap_indicator":null,"authenticated":false,"nts_ke_ms":null,"corrected":false,)"
         R"("error":"Operation not permitted",)"},
        {{"a", sntp, "Reset: bogus", bogus, {}, {}},
         R"("offset_seconds":null,"delay_seconds":null,"delta_seconds":null,"timebase_time":null,)"
         R"("stratum":0,"leap_indicator":null,"authenticated":false,"nts_ke_ms":null,"corrected":false,"error":"Reset: bogus",)"},
        {{"a", wire::TransportFor("NTS", "TCP"), "", authentic, {}, {}},
         R"("protocol":"NTS","transport":"UDP","port":4460,"ntp_port":10123,"result":"",)"
         R"("offset_seconds":-0.000012500,"delay_seconds":0.000105000,"delta_seconds":null,)"
         R"("timebase_time":"2026-12-06T09:15:55.123456Z","stratum":2,"leap_indicator":0,)"
         R"("authenticated":true,"nts_ke_ms":12.500,"corrected":false)"},
        {{"a", timeTcp, "Reset: No answer", std::nullopt, {}, {}},
         R"({"server":"a","address":null,"protocol":"Time","transport":"TCP","port":37,)"
         R"("ntp_port":null,"result":"Reset: No answer","offset_seconds":null,"delay_seconds":null,)"
         R"("delta_seconds":null,"timebase_time":null,"stratum":null,"leap_indicator":null,)"
         R"("authenticated":false,"nts_ke_ms":null,"corrected":false,"error":"Reset: No answer",)"
         R"("samples":null,"samples_answered":null,"servers":[],"system_synchronized":null,)"
         R"("system_estimated_error_seconds":null})"},
    };
    for (const auto& [report, part] : cases) {
        const std::string json = FormatJson(report);
        EXPECT_NE(json.find(part), std::string::npos) << json;
    }
}
