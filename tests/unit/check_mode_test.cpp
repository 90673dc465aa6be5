#include "cli/check_mode.h"
#include "cli/metrics_report.h"

#include <gtest/gtest.h>

// Each range text against magnitudes just inside and outside its ends: 0 no alert, 1 alert;
// an empty pattern means the text is refused.
TEST(CheckRange, RangeFormsAlertWhereThePluginsDo) {
    struct Row {
        const char* text;
        std::vector<double> values;
        std::string alerts;
    } const rows[] = {
        {"0.5", {0.0, 0.5, 0.5000001, 3}, "0011"},
        {"@0.1:0.5", {0.0999, 0.1, 0.5, 0.5001}, "0110"},
        {"10:", {9.99, 10, 1e9}, "100"},
        {"~:2", {0, 2, 2.01}, "001"},
        {"1:2", {0.5, 1.5, 3}, "101"},
        {"@~:0.2", {0.1, 0.3}, "10"},
        {"2:1", {}, ""},
        {"-1", {}, ""},
        {"abc", {}, ""},
        {"", {}, ""},
        {"@", {}, ""},
        {"1:x", {}, ""},
        {"nan", {}, ""},
        {"inf", {}, ""},
    };
    for (const Row& row : rows) {
        const auto parsed = check::ParseRange(row.text);
        const auto* range = std::get_if<check::Range>(&parsed);
        ASSERT_EQ(range != nullptr, !row.alerts.empty()) << row.text;
        std::string alerts;
        for (const double value : row.values) {
            alerts += check::Alerts(*range, value) ? '1' : '0';
        }
        EXPECT_EQ(alerts, row.alerts) << row.text;
    }
}

// Real runs against chronyd are in monitor_test.sh; here the texts a server name could break.
TEST(CheckLine, HostileServerNamesStayInTheirPlace) {
    check::Input input;
    input.ending = check::Input::Ending::Failed;
    input.server = "a|b\nc";
    input.reason = "no answer";
    input.servers = {{"x y", 0.25}, {"it's", -1.0}, {"a|b\nc", std::nullopt}};
    EXPECT_EQ(check::Judge(input, {}, {}).line,
              "HOROLUX UNKNOWN - a?b?c: no answer|'offset_x y'=0.250000s;;;; "
              "'offset_it''s'=-1.000000s;;;;");
    EXPECT_EQ(EscapeLabelValue("a\"b\\c\nd"), R"(a\"b\\c\nd)");
    EXPECT_EQ(LastSuccessIn("horolux_last_success_timestamp_seconds_x 1\n"
                            "horolux_last_success_timestamp_seconds 1796614062.5\n"),
              1796614062.5);
}
