#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace {

// The parse of a command line as one line: the options (- where not given), or the error.
std::string Parsed(const QString& commandLine) {
    const auto parsed = ParseCliOptions(commandLine.split(' ', Qt::SkipEmptyParts));
    if (const auto* error = std::get_if<CliUsageError>(&parsed)) {
        return error->message.toStdString();
    }
    const CliOptions& o = std::get<CliOptions>(parsed);
    return QStringLiteral("%1 %2/%3 %4 %5 %6")
        .arg(o.servers.isEmpty() ? "-" : o.servers.join(','), o.protocol.value_or("-"),
             o.socketType.value_or("-"))
        .arg(o.port.value_or(0))
        .arg(o.timeoutSeconds)
        .arg(o.samples.value_or(0))
        .append(QString(o.correct ? " correct" : "") + (o.json ? " json" : "") +
                (o.help ? " help" : "") + (o.version ? " version" : "") +
                (o.check ? " check " + o.warning + " " + o.critical : "") +
                (o.writeHistory ? "" : " no-history") + (o.listHistory ? " history" : "") +
                (o.csv ? " csv" : "") +
                (o.sinceAgoMicroseconds ? QString(" ago %1 h").arg(*o.sinceAgoMicroseconds / 3.6e9)
                                        : "") +
                (o.sinceUtcMicroseconds ? QString(" from %1").arg(*o.sinceUtcMicroseconds / 1000000)
                                        : ""))
        .toStdString();
}

TEST(CliOptions, CommandLines) {
    // Every command line between the bars parses to the same result.
    const std::pair<const char*, const char*> cases[] = {
        {"", "- -/- 0 60 4"},
        {"--server ntp.example.org --protocol time-tcp", "ntp.example.org Time/TCP 0 60 4"},
        {"--server=::1 --protocol=time-udp --port 1", "::1 Time/UDP 1 60 4"},
        {"--protocol sntp --port=65535 --timeout 0.5", "- SNTP/UDP 65535 0.5 4"},
        {"--correct --json -h --version", "- -/- 0 60 4 correct json help version"},
        {"--help --timeout=9", "- -/- 0 9 4 help"},
        // A check never corrects, and ends before a monitoring system kills it.
        {"--check --correct -w @1:2 --critical=~:3|--correct -c ~:3 --check --warning=@1:2",
         "- -/- 0 10 4 check @1:2 ~:3"},
        {"--check --timeout 30", "- -/- 0 30 4 check 60 120"},
        {"-w 1|--critical 9 --json", "--warning and --critical go with --check"},
        {"--server a --server b:124 --samples=8", "a,b:124 -/- 0 60 8"},
        {"--samples 1", "- -/- 0 60 1"},
        {"--samples 0|--samples 9|--samples x|--samples", "--samples takes a number from 1 to 8"},
        {"--server 1 --server 2 --server 3 --server 4 --server 5 --server 6 --server 7 --server 8 "
         "--server 9",
         "--server may be given up to 8 times"},
        {"x", "unknown argument 'x'"},
        {"--Server a", "unknown argument '--Server'"},
        {"--json=yes", "unknown argument '--json=yes'"},
        // Echoed bytes cannot retitle the terminal or ring its bell.
        {"--bogus\x1b]0;x\x07\x7f\xc3\xa9",
         "unknown argument '--bogus\\x1B]0;x\\x07\\x7F\xc3\xa9'"},
        {"--server|--server=|--server --json", "--server needs a host name or address"},
        {"--protocol nts --ca-file=/ca.pem", "- NTS/UDP 0 60 4"},
        {"--protocol SNTP|--protocol", "--protocol takes sntp, nts, time-tcp or time-udp"},
        {"--ca-file|--ca-file=|--ca-file --json",
         "--ca-file needs a file of CA certificates (PEM)"},
        {"--port 0|--port 65536|--port 12ab|--port", "--port takes a number from 1 to 65535"},
        {"--history --since 7d --json|--since=168h --history --json",
         "- -/- 0 60 4 json history ago 168 h"},
        {"--history --csv --since=2026-12-01|--history --csv --since 2026-12-01T01:00:00+01:00",
         "- -/- 0 60 4 history csv from 1796083200"},
        {"--history --since 7|--history --since -1d|--history --since 1.5h|--history --since",
         "--since takes a number of days or hours (7d, 24h) or a date (2026-12-01)"},
        {"--since 7d|--csv", "--since and --csv go with --history"},
        {"--no-history --json", "- -/- 0 60 4 json no-history"},
        {"--history --correct|--history --check",
         "--history only reads; it goes with neither --check, --correct nor --metrics"},
        {"--timeout 0|--timeout nan|--timeout inf|--timeout --json",
         "--timeout takes a number of seconds above 0"},
    };
    for (const auto& [commandLines, expected] : cases) {
        for (const QString& commandLine : QString(commandLines).split('|')) {
            EXPECT_EQ(Parsed(commandLine), expected) << commandLine.toStdString();
        }
    }
}

} // namespace
