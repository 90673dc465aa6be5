// horolux-cli, and horolux without a display, as processes against the sandbox's real
// servers (chronyd, inetd) and scripted ones: exit statuses, the printed line, the JSON
// fields, the time-out, the settings file left as it was, and corrections that the
// sandbox refuses or the clock recorder records.
#include "tests/support/query_state.h"
#include "tests/support/sandbox_guard.h"
#include "tests/support/scripted_servers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr const char* kFakeTime = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";
const QString kNotPermitted =
    QStringLiteral("Reset: System Clock NOT Corrected: Operation not permitted");
const QString kBogus = QStringLiteral("Reset: Selected Timebase returned bogus data!");
const QRegularExpression kSntpReport(QStringLiteral(
    R"(^Timebase Clock: \d\d/\d\d/\d\d \d\d:\d\d:\d\d\. Delta: -?\d+\.\d{3} seconds$)"));
// D within a second either way.
const QRegularExpression kTimeReport(QStringLiteral(
    R"(^Timebase Clock: \d\d/\d\d/\d\d \d\d:\d\d:\d\d\. Delta: 0 days 00:00:(00|01|-1)$)"));
const QRegularExpression
    kSntpCorrected(QStringLiteral(R"(^System Clock Corrected by: -?\d+\.\d{3} seconds$)"));
const QRegularExpression kTimeCorrected(
    QStringLiteral(R"(^System Clock Corrected to: \d\d/\d\d/\d\d \d\d:\d\d:\d\d\. $)"));

struct ProcessRun {
    int status = -1;
    // Standard output without its final line break.
    QString out;
    QString err;
    qint64 elapsedMs = 0;

    QJsonObject Json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

struct Recorded {
    int clock = -1;
    double asked = 0.0;
    double truth = 0.0;
};

double NowUnix() {
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

class CliTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InsideUserNamespace()) << "run inside the test sandbox (scripts/test)";
        ASSERT_TRUE(Servers("start", "chronyd"));
        ASSERT_TRUE(Servers("start", "inetd"));
    }
    static void TearDownTestSuite() {
        Servers("stop", "chronyd");
        Servers("stop", "inetd");
    }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert("XDG_CONFIG_HOME", ConfigDir());
        QDir().mkpath(ConfigDir());
    }

    QString ConfigDir() const { return m_dir.path() + "/config"; }
    QString SettingsPath() const { return ConfigDir() + "/Veldmark/Horolux.conf"; }
    QString RecordPath() const { return m_dir.path() + "/clock_settime.log"; }

    void WriteSettings(const QByteArray& content) const {
        QDir().mkpath(ConfigDir() + "/Veldmark");
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray ReadSettings() const {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Clock settings are recorded instead of made (the library refuses to load outside a
    // user namespace).
    void PreloadRecorder() {
        m_environment.insert("LD_PRELOAD",
                             qEnvironmentVariable("HOROLUX_TEST_DIR") + "/libclock_recorder.so");
        m_environment.insert("HOROLUX_CLOCK_RECORD", RecordPath());
    }
    std::vector<Recorded> Records() const {
        std::vector<Recorded> records;
        QFile file(RecordPath());
        if (!file.open(QIODevice::ReadOnly)) {
            return records;
        }
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() == 3) {
                records.push_back({fields[0].toInt(), fields[1].toDouble(), fields[2].toDouble()});
            }
        }
        return records;
    }

    // Runs the program while this test's event loop keeps running, so that scripted
    // servers answer meanwhile.
    ProcessRun RunProgram(const QString& name, const QStringList& arguments,
                          int timeoutMs = 20000) {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        ProcessRun run;
        QElapsedTimer clock;
        QObject::connect(&process, &QProcess::finished, [&] { run.elapsedMs = clock.elapsed(); });
        clock.start();
        process.start(qEnvironmentVariable("HOROLUX_BIN_DIR") + "/" + name, arguments);
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << name.toStdString() << " still running after " << timeoutMs << " ms";
            return run;
        }
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        if (run.out.endsWith('\n')) {
            run.out.chop(1);
        }
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }
    ProcessRun Cli(const QStringList& arguments, int timeoutMs = 20000) {
        return RunProgram("horolux-cli", arguments, timeoutMs);
    }
    // horolux with no display reachable.
    ProcessRun Headless(const QStringList& arguments) {
        m_environment.remove("DISPLAY");
        m_environment.remove("WAYLAND_DISPLAY");
        m_environment.remove("QT_QPA_PLATFORM");
        return RunProgram("horolux", arguments);
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_environment;
};

// The fields every answered query has, for the server it asked.
void ExpectCommonFields(const QJsonObject& json, const char* server, const char* protocol,
                        const char* transport, int port) {
    EXPECT_EQ(json["server"].toString(), server);
    EXPECT_EQ(json["address"].toString(), server);
    EXPECT_EQ(json["protocol"].toString(), protocol);
    EXPECT_EQ(json["transport"].toString(), transport);
    EXPECT_EQ(json["port"].toInt(), port);
    EXPECT_EQ(json["corrected"], QJsonValue(false));
    EXPECT_TRUE(json["error"].isNull());
}

double IsoSeconds(const QJsonValue& value) {
    const QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    return time.isValid() ? static_cast<double>(time.toMSecsSinceEpoch()) / 1000.0 : 0.0;
}

TEST_F(CliTest, SntpAgainstChronyd) {
    for (const char* server : {"127.0.0.1", "::1"}) {
        SCOPED_TRACE(server);
        const ProcessRun text = Cli({"--server", server, "--protocol", "sntp"});
        EXPECT_EQ(text.status, 0) << text.err.toStdString();
        EXPECT_TRUE(kSntpReport.match(text.out).hasMatch()) << text.out.toStdString();

        const ProcessRun run = Cli({"--server", server, "--protocol", "sntp", "--json"});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QJsonObject json = run.Json();
        ExpectCommonFields(json, server, "SNTP", "UDP", 123);
        EXPECT_TRUE(kSntpReport.match(json["result"].toString()).hasMatch())
            << run.out.toStdString();
        EXPECT_LT(std::abs(json["offset_seconds"].toDouble(1.0)), 0.005);
        EXPECT_GE(json["delay_seconds"].toDouble(-1.0), 0.0);
        EXPECT_LT(json["delay_seconds"].toDouble(1.0), 0.005);
        EXPECT_TRUE(json["delta_seconds"].isNull());
        // chronyd serves its local clock at stratum 10, synchronised.
        EXPECT_EQ(json["stratum"].toInt(), 10);
        EXPECT_EQ(json["leap_indicator"], QJsonValue(0));
        EXPECT_TRUE(json["timebase_time"].toString().contains(
            QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{6}Z$)")));
        EXPECT_NEAR(IsoSeconds(json["timebase_time"]), NowUnix(), 1.0);
    }
}

TEST_F(CliTest, TimeProtocolAgainstInetd) {
    struct Case {
        const char* protocol;
        // inetd's UDP time service does not answer 127.0.0.0/8.
        const char* server;
        const char* transport;
    };
    for (const Case& c :
         {Case{"time-tcp", "127.0.0.1", "TCP"}, Case{"time-udp", "192.0.2.1", "UDP"}}) {
        SCOPED_TRACE(c.protocol);
        const ProcessRun text = Cli({"--server", c.server, "--protocol", c.protocol});
        EXPECT_EQ(text.status, 0) << text.err.toStdString();
        EXPECT_TRUE(kTimeReport.match(text.out).hasMatch()) << text.out.toStdString();

        const ProcessRun run = Cli({"--server", c.server, "--protocol", c.protocol, "--json"});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QJsonObject json = run.Json();
        ExpectCommonFields(json, c.server, "Time", c.transport, 37);
        EXPECT_TRUE(kTimeReport.match(json["result"].toString()).hasMatch())
            << run.out.toStdString();
        ASSERT_TRUE(json["delta_seconds"].isDouble());
        EXPECT_LE(std::abs(json["delta_seconds"].toInt()), 1);
        for (const char* key : {"offset_seconds", "delay_seconds", "stratum", "leap_indicator"}) {
            EXPECT_TRUE(json[key].isNull()) << key;
        }
        EXPECT_TRUE(json["timebase_time"].toString().contains(
            QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ$)")));
        EXPECT_NEAR(IsoSeconds(json["timebase_time"]), NowUnix(), 2.0);
    }
}

TEST_F(CliTest, AProcessAnHourBehindSeesTheHourAndTheWarning) {
    m_environment.insert("FAKETIME", "-3600");
    m_environment.insert("LD_PRELOAD", kFakeTime);
    const ProcessRun sntp = Cli({"--server", "127.0.0.1", "--json"});
    ASSERT_EQ(sntp.status, 0) << sntp.err.toStdString();
    EXPECT_NEAR(sntp.Json()["offset_seconds"].toDouble(), 3600.0, 0.010);
    EXPECT_TRUE(QRegularExpression(R"(^Timebase Clock: \d\d/\d\d/\d\d \d\d:\d\d:\d\d\. )"
                                   R"(Delta: (3600\.0\d\d|3599\.99\d) seconds$)")
                    .match(sntp.Json()["result"].toString())
                    .hasMatch())
        << sntp.out.toStdString();
    EXPECT_TRUE(sntp.err.startsWith("Maximum Delta Warning\n")) << sntp.err.toStdString();

    // D has the opposite sign: the local clock minus the Timebase.
    const ProcessRun time = Cli({"--server", "127.0.0.1", "--protocol", "time-tcp", "--json"});
    ASSERT_EQ(time.status, 0) << time.err.toStdString();
    EXPECT_NEAR(time.Json()["delta_seconds"].toInt(), -3600, 1);
    EXPECT_TRUE(time.Json()["result"].toString().endsWith("Delta: 0 days -1:00:00") ||
                time.Json()["result"].toString().endsWith("Delta: 0 days 00:-59:-59"))
        << time.out.toStdString();
}

// The correction sets the true time, not the process's own clock plus the offset.
TEST_F(CliTest, AProcessAnHourBehindCorrectsToTheTrueTime) {
    m_environment.insert("FAKETIME", "-3600");
    PreloadRecorder();
    m_environment.insert("LD_PRELOAD",
                         QString::fromLatin1(kFakeTime) + ":" + m_environment.value("LD_PRELOAD"));
    const ProcessRun run = Cli({"--server", "127.0.0.1", "--correct"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(
        QRegularExpression(R"(^System Clock Corrected by: (3600\.0\d\d|3599\.99\d) seconds$)")
            .match(run.out)
            .hasMatch())
        << run.out.toStdString();
    EXPECT_FALSE(run.err.contains("Maximum Delta Warning")) << run.err.toStdString();
    const std::vector<Recorded> records = Records();
    ASSERT_EQ(records.size(), 1U);
    EXPECT_EQ(records[0].clock, 0); // CLOCK_REALTIME
    std::printf("recorded instant minus true time: %.6f s\n", records[0].asked - records[0].truth);
    EXPECT_NEAR(records[0].asked, records[0].truth, 0.010);
}

TEST_F(CliTest, StoredSettingsAreTheDefaultsAndAreNeverWritten) {
    const QByteArray stored = "[Options]\nTimeBase=127.0.0.1\nSocketType=TCP\nProtocol=Time\n"
                              "TextOnly=0\nMinimizeToTray=1\n";
    WriteSettings(stored);
    const ProcessRun fromSettings = Cli({"--json"});
    ASSERT_EQ(fromSettings.status, 0) << fromSettings.err.toStdString();
    ExpectCommonFields(fromSettings.Json(), "127.0.0.1", "Time", "TCP", 37);

    const ProcessRun overridden = Cli({"--protocol", "sntp", "--json"});
    ASSERT_EQ(overridden.status, 0) << overridden.err.toStdString();
    ExpectCommonFields(overridden.Json(), "127.0.0.1", "SNTP", "UDP", 123);
    EXPECT_EQ(ReadSettings(), stored);

    // Without a settings file none is made.
    QFile::remove(SettingsPath());
    const ProcessRun withoutFile = Cli({"--server", "127.0.0.1"});
    EXPECT_EQ(withoutFile.status, 0) << withoutFile.err.toStdString();
    EXPECT_FALSE(QFile::exists(SettingsPath()));
}

TEST_F(CliTest, PortOptionReachesAServerOnAnotherPort) {
    ScriptedUdpServer server(12300, [](const QByteArray& request) {
        return std::vector<ScriptedReply>{{0, SntpReplyTo(request)}};
    });
    ASSERT_TRUE(server.IsListening());
    const ProcessRun run = Cli({"--server", kScriptedHost, "--port", "12300", "--json"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ExpectCommonFields(run.Json(), kScriptedHost, "SNTP", "UDP", 12300);
    EXPECT_EQ(server.RequestCount(), 1);
}

TEST_F(CliTest, CorrectionIsRefusedInTheSandbox) {
    const ProcessRun text = Cli({"--server", "127.0.0.1", "--correct"});
    EXPECT_EQ(text.status, 3);
    EXPECT_EQ(text.out, kNotPermitted);

    const ProcessRun run = Cli({"--server", "127.0.0.1", "--correct", "--json"});
    EXPECT_EQ(run.status, 3);
    const QJsonObject json = run.Json();
    EXPECT_EQ(json["result"].toString(), kNotPermitted);
    EXPECT_EQ(json["error"].toString(), "Operation not permitted");
    EXPECT_EQ(json["corrected"], QJsonValue(false));
    EXPECT_LT(std::abs(json["offset_seconds"].toDouble(1.0)), 0.005);
}

TEST_F(CliTest, CorrectionSetsTheTrueTime) {
    PreloadRecorder();
    const ProcessRun sntp = Cli({"--server", "127.0.0.1", "--correct"});
    ASSERT_EQ(sntp.status, 0) << sntp.err.toStdString();
    EXPECT_TRUE(kSntpCorrected.match(sntp.out).hasMatch()) << sntp.out.toStdString();
    std::vector<Recorded> records = Records();
    ASSERT_EQ(records.size(), 1U);
    EXPECT_EQ(records[0].clock, 0);
    EXPECT_NEAR(records[0].asked, records[0].truth, 0.010);

    QFile::remove(RecordPath());
    const ProcessRun time =
        Cli({"--server", "127.0.0.1", "--protocol", "time-tcp", "--correct", "--json"});
    ASSERT_EQ(time.status, 0) << time.err.toStdString();
    EXPECT_TRUE(kTimeCorrected.match(time.Json()["result"].toString()).hasMatch())
        << time.out.toStdString();
    EXPECT_EQ(time.Json()["corrected"], QJsonValue(true));
    records = Records();
    ASSERT_EQ(records.size(), 1U);
    // The received second as it stands.
    EXPECT_EQ(records[0].asked, std::floor(records[0].asked));
    EXPECT_GE(records[0].truth - records[0].asked, -0.5);
    EXPECT_LT(records[0].truth - records[0].asked, 2.0);
}

TEST_F(CliTest, ASilentServerIsAskedAboutEvery4SecondsUntilTheTimeout) {
    ScriptedUdpServer server(123, [](const QByteArray&) { return std::vector<ScriptedReply>{}; });
    ASSERT_TRUE(server.IsListening());
    const ProcessRun run = Cli({"--server", kScriptedHost, "--timeout", "9"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Reset: No answer from Timebase within 9 seconds.");
    EXPECT_GE(run.elapsedMs, 9000);
    EXPECT_LE(run.elapsedMs, 9500);
    // At 0 s, about 4.2 s and about 8.4 s.
    EXPECT_EQ(server.RequestCount(), 3);
    const QList<qint64> times = server.RequestTimes();
    for (int i = 1; i < times.size(); ++i) {
        EXPECT_NEAR(times[i] - times[i - 1], 4200, 400) << "attempt " << i;
    }
}

TEST_F(CliTest, ABogusReplyEndsWithStatus2) {
    struct Case {
        const char* name;
        int length;
        char header;
        char stratum;
        bool headerReported;
    };
    const Case cases[] = {
        {"server not synchronised", 48, char(0xE4), 2, true},
        {"kiss-of-death", 48, 0x24, 0, true},
        {"short", 40, 0x24, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUdpServer server(123, [&c](const QByteArray& request) {
            QByteArray reply = SntpReplyTo(request);
            reply[0] = c.header;
            reply[1] = c.stratum;
            return std::vector<ScriptedReply>{{0, reply.left(c.length)}};
        });
        ASSERT_TRUE(server.IsListening());
        const ProcessRun text = Cli({"--server", kScriptedHost});
        EXPECT_EQ(text.status, 2);
        EXPECT_EQ(text.out, kBogus);
        const ProcessRun run = Cli({"--server", kScriptedHost, "--json", "--correct"});
        EXPECT_EQ(run.status, 2);
        const QJsonObject json = run.Json();
        EXPECT_EQ(json["result"].toString(), kBogus);
        EXPECT_EQ(json["error"].toString(), kBogus);
        EXPECT_EQ(json["address"].toString(), kScriptedHost);
        EXPECT_EQ(json["stratum"].isNull(), !c.headerReported);
        EXPECT_TRUE(json["offset_seconds"].isNull());
    }
    // A Time protocol reply of second 0, from a port inetd leaves free.
    ScriptedTcpServer zero{QByteArray(4, '\0'), 3737};
    ASSERT_TRUE(zero.IsListening());
    const ProcessRun time =
        Cli({"--server", kScriptedHost, "--protocol", "time-tcp", "--port", "3737"});
    EXPECT_EQ(time.status, 2);
    EXPECT_EQ(time.out, kBogus);
    EXPECT_EQ(zero.Connections(), 1);
}

TEST_F(CliTest, ARefusedConnectionEndsAtOnceWithStatus1) {
    // Nothing listens on the discard port.
    const ProcessRun run = Cli({"--server", "127.0.0.1", "--protocol", "time-tcp", "--port", "9"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Reset: Connect FAILED. Verify Internet Link and/or TimeBase.");
    EXPECT_LT(run.elapsedMs, 3000);
}

TEST_F(CliTest, BadUsageExits64WithAOneLineHint) {
    const QList<QStringList> cases = {
        {"--bogus"}, {"x"}, {"--port", "0"}, {"--protocol"}, {"--timeout", "-1", "--json"}};
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ProcessRun run = Cli(arguments);
        EXPECT_EQ(run.status, 64);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith("horolux-cli: ")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("(try 'horolux-cli --help')")) << run.err.toStdString();
    }
    const ProcessRun help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("Exit status:"));
    const ProcessRun version = Cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "horolux-cli " HOROLUX_VERSION);
}

TEST_F(CliTest, HoroluxWithoutADisplayRunsAsTheConsoleProgram) {
    WriteSettings("[Options]\nTimeBase=127.0.0.1\nSocketType=UDP\nProtocol=SNTP\n");
    // With an argument: the unattended correction, as horolux-cli --correct.
    const ProcessRun cli = Cli({"--correct"});
    const ProcessRun horolux = Headless({"x"});
    EXPECT_EQ(horolux.status, 3);
    EXPECT_EQ(horolux.status, cli.status);
    EXPECT_EQ(horolux.out, kNotPermitted);
    EXPECT_EQ(horolux.out, cli.out);

    // Without one: the plain query, as horolux-cli.
    const ProcessRun query = Headless({});
    EXPECT_EQ(query.status, 0) << query.err.toStdString();
    EXPECT_TRUE(kSntpReport.match(query.out).hasMatch()) << query.out.toStdString();

    // A display named but not there counts as none.
    int number = 4999;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))) {
        --number;
    }
    m_environment.insert("DISPLAY", QStringLiteral(":%1").arg(number));
    const ProcessRun stale = RunProgram("horolux", {"x"});
    EXPECT_EQ(stale.status, 3) << stale.err.toStdString();
    EXPECT_EQ(stale.out, kNotPermitted);

    // With the recorder the correction is made, at the true time.
    PreloadRecorder();
    const ProcessRun corrected = Headless({"now"});
    ASSERT_EQ(corrected.status, 0) << corrected.err.toStdString();
    EXPECT_TRUE(kSntpCorrected.match(corrected.out).hasMatch()) << corrected.out.toStdString();
    const std::vector<Recorded> records = Records();
    ASSERT_EQ(records.size(), 1U);
    EXPECT_NEAR(records[0].asked, records[0].truth, 0.010);
    EXPECT_EQ(ReadSettings(), "[Options]\nTimeBase=127.0.0.1\nSocketType=UDP\nProtocol=SNTP\n");
}

} // namespace
