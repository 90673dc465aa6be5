#include "cli/cli_exit_status.h"
#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace {

QStringList Arguments(std::initializer_list<const char*> list) {
    QStringList arguments;
    for (const char* argument : list) {
        arguments << QString::fromUtf8(argument);
    }
    return arguments;
}

using Change = void (*)(CliOptions&);

CliOptions Expected(Change change = nullptr) {
    CliOptions options;
    if (change) {
        change(options);
    }
    return options;
}

TEST(CliOptions, GoodCommandLines) {
    struct Case {
        std::initializer_list<const char*> arguments;
        CliOptions expected;
    };
    const Case cases[] = {
        {{}, Expected()},
        {{"--server", "ntp.example.org"},
         Expected([](CliOptions& o) { o.server = QStringLiteral("ntp.example.org"); })},
        {{"--server=::1"}, Expected([](CliOptions& o) { o.server = QStringLiteral("::1"); })},
        {{"--protocol", "sntp"}, Expected([](CliOptions& o) {
             o.protocol = QStringLiteral("SNTP");
             o.socketType = QStringLiteral("UDP");
         })},
        {{"--protocol", "time-tcp"}, Expected([](CliOptions& o) {
             o.protocol = QStringLiteral("Time");
             o.socketType = QStringLiteral("TCP");
         })},
        {{"--protocol=time-udp"}, Expected([](CliOptions& o) {
             o.protocol = QStringLiteral("Time");
             o.socketType = QStringLiteral("UDP");
         })},
        {{"--port", "1"}, Expected([](CliOptions& o) { o.port = 1; })},
        {{"--port=65535"}, Expected([](CliOptions& o) { o.port = 65535; })},
        {{"--timeout", "9"}, Expected([](CliOptions& o) { o.timeoutSeconds = 9.0; })},
        {{"--timeout=0.5"}, Expected([](CliOptions& o) { o.timeoutSeconds = 0.5; })},
        {{"--correct", "--json"}, Expected([](CliOptions& o) {
             o.correct = true;
             o.json = true;
         })},
        {{"-h"}, Expected([](CliOptions& o) { o.help = true; })},
        {{"--help", "--version"}, Expected([](CliOptions& o) {
             o.help = true;
             o.version = true;
         })},
        // The last of a repeated option holds.
        {{"--server", "a", "--server", "b"},
         Expected([](CliOptions& o) { o.server = QStringLiteral("b"); })},
        {{"--correct", "--server", "127.0.0.1", "--protocol", "sntp", "--port", "12300",
          "--timeout", "2", "--json"},
         Expected([](CliOptions& o) {
             o.server = QStringLiteral("127.0.0.1");
             o.protocol = QStringLiteral("SNTP");
             o.socketType = QStringLiteral("UDP");
             o.port = 12300;
             o.correct = true;
             o.timeoutSeconds = 2.0;
             o.json = true;
         })},
    };
    for (const Case& c : cases) {
        const QStringList arguments = Arguments(c.arguments);
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const auto parsed = ParseCliOptions(arguments);
        ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed))
            << std::get<CliUsageError>(parsed).message.toStdString();
        const CliOptions& options = std::get<CliOptions>(parsed);
        EXPECT_EQ(options.server, c.expected.server);
        EXPECT_EQ(options.protocol, c.expected.protocol);
        EXPECT_EQ(options.socketType, c.expected.socketType);
        EXPECT_EQ(options.port, c.expected.port);
        EXPECT_EQ(options.correct, c.expected.correct);
        EXPECT_DOUBLE_EQ(options.timeoutSeconds, c.expected.timeoutSeconds);
        EXPECT_EQ(options.json, c.expected.json);
        EXPECT_EQ(options.help, c.expected.help);
        EXPECT_EQ(options.version, c.expected.version);
    }
}

TEST(CliOptions, BadCommandLinesNameWhatIsWrong) {
    struct Case {
        std::initializer_list<const char*> arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"x"}, "unknown argument 'x'"},
        {{"--Server", "a"}, "unknown argument '--Server'"},
        {{"--json=yes"}, "unknown argument '--json=yes'"},
        {{"--server"}, "--server needs a host name or address"},
        {{"--server="}, "--server needs a host name or address"},
        {{"--server", "--json"}, "--server needs a host name or address"},
        {{"--protocol", "ntp"}, "--protocol takes sntp, time-tcp or time-udp"},
        {{"--protocol", "SNTP"}, "--protocol takes sntp, time-tcp or time-udp"},
        {{"--protocol"}, "--protocol takes sntp, time-tcp or time-udp"},
        {{"--port", "0"}, "--port takes a number from 1 to 65535"},
        {{"--port", "65536"}, "--port takes a number from 1 to 65535"},
        {{"--port", "12ab"}, "--port takes a number from 1 to 65535"},
        {{"--port", "-5"}, "--port takes a number from 1 to 65535"},
        {{"--port"}, "--port takes a number from 1 to 65535"},
        {{"--timeout", "0"}, "--timeout takes a number of seconds above 0"},
        {{"--timeout", "-1"}, "--timeout takes a number of seconds above 0"},
        {{"--timeout", "nan"}, "--timeout takes a number of seconds above 0"},
        {{"--timeout", "inf"}, "--timeout takes a number of seconds above 0"},
        {{"--timeout", "ten"}, "--timeout takes a number of seconds above 0"},
        {{"--timeout", "--json"}, "--timeout takes a number of seconds above 0"},
    };
    for (const Case& c : cases) {
        const QStringList arguments = Arguments(c.arguments);
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const auto parsed = ParseCliOptions(arguments);
        ASSERT_TRUE(std::holds_alternative<CliUsageError>(parsed));
        EXPECT_EQ(std::get<CliUsageError>(parsed).message.toStdString(), c.message);
    }
}

TEST(CliOptions, HelpListsEveryOptionAndExitStatus) {
    const QString help = CliHelpText();
    for (const char* option : {"--server HOST", "--protocol", "sntp|time-tcp|time-udp", "--port N",
                               "--correct", "--timeout SECONDS", "--json", "--help", "--version"}) {
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    }
    for (const int status :
         {kExitAnswered, kExitNoAnswer, kExitBogusReply, kExitClockNotSet, kExitUsage}) {
        EXPECT_TRUE(help.contains(QStringLiteral("\n  %1  ").arg(status))) << status;
    }
}

} // namespace
