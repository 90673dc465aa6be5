// horolux-cli and horolux as whole processes against the sandbox's chronyd and inetd and
// scripted servers: exit statuses, the printed result and JSON fields, the clock settings a
// preloaded recorder catches instead of making, and the settings file left as it was.
#include "tests/support/qt_print.h"
#include "tests/support/real_servers.h"
#include "tests/support/sandbox_guard.h"
#include "tests/support/scripted_servers.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

namespace {

const QString kSntpReport = R"(^Timebase Clock: \S+ \S+\. Delta: -?\d+\.\d{3} seconds$)";
const QString kTimeReport = R"(^Timebase Clock: \S+ \S+\. Delta: 0 days -?\d+:-?\d+:-?\d+$)";
const QString kNotPermitted = "^Reset: System Clock NOT Corrected: Operation not permitted$";
const QString kCorrectedBy = R"(^System Clock Corrected by: -?\d+\.\d{3} seconds$)";
const QString kBogus = "^Reset: Selected Timebase returned bogus data!$";
const QRegularExpression
    kUsage(R"(^(horolux-cli: [^\n]+ \(try 'horolux-cli --help'\)|horolux-correct: [^\n]+)\n$)");
// All five settings, as the window writes them: it leaves them as they are.
const QString kStored = "[Options]\nMinimizeToTray=1\nProtocol=SNTP\nSocketType=UDP\nTextOnly=0\n"
                        "TimeBase=127.0.0.1\n";
// Settings the window never wrote, and none at all.
const QString kStoredTime = "[Options]\nTimeBase=127.0.0.1\nSocketType=TCP\nProtocol=Time\n";
const QString kNone = "(none)";
// Only catches hangs: the slowest run (an 11 s time-out) takes a tenth of it.
constexpr int kHangMs = 120000;

struct ProcessRun {
    int status = -1;
    QString out, err;
    QJsonObject Json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

struct ClockSetting {
    int clock = -1;
    double asked = 0, truth = 0; // truth: the kernel's own time at the call
};

QString Fields(const QJsonObject& json) {
    return QString("%1 %2 %3 %4")
        .arg(json["address"].toString(), json["protocol"].toString(), json["transport"].toString())
        .arg(json["port"].toInt());
}

class Processes : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InsideUserNamespace()) << "run inside the test sandbox (scripts/test)";
        ASSERT_TRUE(Servers("start", "chronyd") && Servers("start", "inetd"));
    }
    static void TearDownTestSuite() { Servers("stop", "chronyd") && Servers("stop", "inetd"); }

    void WriteSettings(const QString& content) const {
        QFile file(m_conf);
        ASSERT_TRUE(QDir().mkpath(m_dir.path() + "/Veldmark") && (!file.exists() || file.remove()));
        ASSERT_TRUE(content == kNone ||
                    (file.open(QIODevice::WriteOnly) && file.write(content.toUtf8()) > 0));
    }
    QString ReadSettings() const {
        QFile file(m_conf);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : kNone;
    }
    std::vector<ClockSetting> TakeClockSettings() const {
        std::vector<ClockSetting> settings;
        std::ifstream record(m_dir.path().toStdString() + "/record");
        for (ClockSetting setting{}; record >> setting.clock >> setting.asked >> setting.truth;) {
            settings.push_back(setting);
        }
        QFile::remove(m_dir.path() + "/record");
        return settings;
    }

    // command: "[NAME=value...] program arguments", NAME= removes NAME. The clock recorder
    // is preloaded unless LD_PRELOAD= says otherwise (then the kernel refuses); FAKETIME
    // shifts the program's own clock.
    void Start(QProcess& process, const QString& command) const {
        QStringList words = command.split(' ');
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", m_dir.path());
        environment.insert("HOROLUX_CLOCK_RECORD", m_dir.path() + "/record");
        environment.insert("LD_PRELOAD",
                           qEnvironmentVariable("HOROLUX_TEST_DIR") + "/libclock_recorder.so");
        for (; words.first().contains('='); words.removeFirst()) {
            const QStringList pair = words.first().split('=');
            pair[1].isEmpty() ? environment.remove(pair[0]) : environment.insert(pair[0], pair[1]);
        }
        if (environment.contains("FAKETIME")) {
            environment.insert("LD_PRELOAD", qEnvironmentVariable("HOROLUX_FAKETIME") + ":" +
                                                 environment.value("LD_PRELOAD"));
        }
        // Mesa's driver leaves blocks that LeakSanitizer cannot attribute.
        if (words.first() == "horolux" && environment.contains("DISPLAY")) {
            environment.insert("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0");
        }
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("HOROLUX_BIN_DIR") + "/" + words.takeFirst(), words);
    }
    // The event loop runs meanwhile, so that scripted servers answer.
    ProcessRun Run(const QString& command) const {
        QProcess process;
        Start(process, command);
        const bool ended =
            QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, kHangMs);
        EXPECT_TRUE(ended) << "still running after " << kHangMs << " ms"; // ~QProcess kills it
        return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir m_dir;
    const QString m_conf = m_dir.path() + "/Veldmark/Horolux.conf";
};

TEST_F(Processes, StatusResultAndClockOfEachKindOfRun) {
    // A bogus Time protocol reply, second 0, from a port inetd leaves free.
    const ScriptedTcpServer zero{QByteArray(4, '\0'), 3737};
    ASSERT_TRUE(zero.IsListening());

    struct Case {
        QString command;
        int status;
        QString result;      // the printed line or the JSON's result
        QString fields = {}; // of the JSON: address protocol transport port
        QString stored = kStored;
    };
    // The stored settings ask chronyd on 127.0.0.1 and are the defaults of options that apply
    // to one run: nothing writes them back. Only a correction that succeeds may set the
    // clock, once.
    const Case cases[] = {
        {"horolux-cli --json", 0, kSntpReport, "127.0.0.1 SNTP UDP 123"},
        {"horolux-cli --json", 0, kTimeReport, "127.0.0.1 Time TCP 37", kStoredTime},
        {"horolux-cli --protocol sntp --json", 0, kSntpReport, "127.0.0.1 SNTP UDP 123",
         kStoredTime},
        {"horolux-cli --server 127.0.0.1", 0, kSntpReport, {}, kNone},
        // inetd's UDP time service does not answer 127.0.0.0/8.
        {"horolux-cli --server 192.0.2.1 --protocol time-udp --json", 0, kTimeReport,
         "192.0.2.1 Time UDP 37"},
        {"FAKETIME=-3600 horolux-cli --json", 0, kSntpReport, "127.0.0.1 SNTP UDP 123"},
        {"FAKETIME=-3600 horolux-cli --protocol time-tcp --json", 0, kTimeReport,
         "127.0.0.1 Time TCP 37"},
        // Corrections set the true time, not the program's clock plus the offset.
        {"FAKETIME=-3600 horolux-cli --protocol time-tcp --correct --json", 0,
         R"(^System Clock Corrected to: \S+ \S+\. $)", "127.0.0.1 Time TCP 37"},
        // On the display, horolux x corrects and closes by itself. Without one it is
        // horolux-cli --correct, and horolux is horolux-cli.
        {"FAKETIME=-3600 horolux x", 0, ""},
        {"FAKETIME=-3600 horolux -style fusion", 0, ""}, // Qt's options are arguments too
        // Asking for help or the version only prints.
        {"horolux --help", 0, "^Usage: horolux "},
        {"DISPLAY= horolux -h", 0, "^Usage: horolux "},
        {"horolux -style fusion --version", 0, R"(^horolux \d+\.\d+)"},
        {"FAKETIME=-3600 DISPLAY= horolux now", 0,
         R"(^System Clock Corrected by: (3600\.0\d\d|3599\.99\d) seconds$)"},
        {"DISPLAY= horolux", 0, kSntpReport},
        {"LD_PRELOAD= DISPLAY=:4999 horolux x", 3, kNotPermitted}, // a display that is not there
        {"LD_PRELOAD= horolux-cli --correct --json", 3, kNotPermitted, "127.0.0.1 SNTP UDP 123"},
        // The forms people type: brackets, and a port written with the host.
        {"horolux-cli --server [::1]:123 --json", 0, kSntpReport, "::1 SNTP UDP 123"},
        {"horolux-cli --server 127.0.0.2:3737 --protocol time-tcp --correct --json", 2, kBogus,
         "127.0.0.2 Time TCP 3737"},
        // Nothing listens on the discard port: this ends long before the default time-out.
        {"horolux-cli --protocol time-tcp --port 9", 1,
         R"(^Reset: Connect FAILED\. Verify Internet Link and/or TimeBase\.$)"},
        {"horolux-cli --port 0 --json", 64, "^$"},
        // People read German under LANGUAGE=de, numbers still with a point; scripts read
        // --json in English, the warning on standard error included.
        {"LANGUAGE=de horolux-cli --protocol time-tcp --port 9", 1,
         R"(^Zurückgesetzt: Verbindung FEHLGESCHLAGEN\. .*Zeitserver prüfen\.$)"},
        {"LANGUAGE=de horolux-cli --server 127.0.0.1",
         0,
         R"(^Uhr des Zeitservers: \S+ \S+\. Abweichung: -?\d+\.\d{3} Sekunden$)",
         {},
         kNone},
        {"LANGUAGE=de FAKETIME=-3600 horolux-cli --json", 0, kSntpReport, "127.0.0.1 SNTP UDP 123"},
        {"horolux-cli --help", 0, "\\n  --metrics FILE [\\s\\S]*\\n  --check [\\s\\S]*Exit status"},
        // The privileged helper: its command line only, never the settings file it is shown
        // (the Time protocol there would show), a CA file only under /etc or /usr.
        {"horolux-correct --server 127.0.0.1", 0, kCorrectedBy, "127.0.0.1 SNTP UDP 123",
         kStoredTime},
        {"horolux-correct --server=127.0.0.1 --protocol sntp --port 123 --ca-file "
         "/etc/ssl/certs/ca-certificates.crt",
         0, kCorrectedBy, "127.0.0.1 SNTP UDP 123"},
        {"LD_PRELOAD= horolux-correct --server 127.0.0.1", 3, kNotPermitted,
         "127.0.0.1 SNTP UDP 123"},
        {"horolux-correct --server 127.0.0.1 --json", 64, "^$"},
        {"horolux-correct --server 127.0.0.1 --timeout 1", 64, "^$"},
        {"horolux-correct --server 127.0.0.1 --ca-file " + m_conf, 64, "^$"},
        {"horolux-correct --server 127.0.0.1 --ca-file=/etc/../" + m_conf, 64, "^$"},
    };
    for (const Case& c : cases) {
        const QString& command = c.command;
        SCOPED_TRACE(command.toStdString());
        const bool corrects =
            command.contains(QRegularExpression(R"(--correct|horolux \S|horolux-correct)")) &&
            !command.contains(QRegularExpression(R"( (-h|--help|--version)$)"));
        const double shift = -command.section("FAKETIME=", 1).section(' ', 0, 0).toDouble();
        WriteSettings(c.stored);
        const ProcessRun run = Run(command);
        EXPECT_EQ(run.status, c.status) << run.err.toStdString();
        const QJsonObject json = run.Json();
        const QString result = c.fields.isEmpty() ? run.out : json["result"].toString();
        EXPECT_TRUE(QRegularExpression(c.result).match(result).hasMatch()) << run.out.toStdString();
        EXPECT_EQ(kUsage.match(run.err).hasMatch(), c.status == 64) << run.err.toStdString();
        EXPECT_EQ(
            run.err.contains("Maximum Delta Warning\n\nYour clock is 1 hour behind the Timebase."),
            shift != 0 && !corrects);
        if (!c.fields.isEmpty()) {
            EXPECT_EQ(Fields(json), c.fields);
            EXPECT_EQ(json["corrected"].toBool(), c.status == 0 && corrects);
        }
        if (!c.fields.isEmpty() && c.status == 0 && !corrects) { // chronyd: stratum 10, in sync
            const bool sntp = json["protocol"] == "SNTP";
            EXPECT_EQ(json["stratum"].toInt(-1), sntp ? 10 : -1);
            EXPECT_EQ(json["leap_indicator"].toInt(-1), sntp ? 0 : -1);
        }
        if (json["offset_seconds"].isDouble()) { // within half the delay of the truth
            EXPECT_NEAR(json["offset_seconds"].toDouble(), shift,
                        json["delay_seconds"].toDouble(-1) / 2 + 0.001);
        }
        if (json["delta_seconds"].isDouble()) { // the local clock minus the Timebase's
            EXPECT_NEAR(json["delta_seconds"].toInt(), -shift, 1);
        }
        const std::vector<ClockSetting> settings = TakeClockSettings();
        EXPECT_EQ(settings.size(), c.status == 0 && corrects ? 1U : 0U);
        const bool whole = command.contains("time-"); // the Time protocol's received second
        for (const ClockSetting& setting : settings) {
            EXPECT_EQ(setting.clock, 0); // CLOCK_REALTIME
            EXPECT_EQ(setting.asked, whole ? std::floor(setting.asked) : setting.asked);
            const double slack = whole ? 5.0 : command.contains("horolux-correct") ? 0.010 : 0.05;
            EXPECT_NEAR(setting.asked, setting.truth, slack);
        }
        EXPECT_EQ(ReadSettings(), c.stored);
    }
}

// A silent server is asked again every 21 steps of 200 ms, until horolux-cli's time-out (the
// window's restarts are shown in-process).
TEST_F(Processes, ASilentServerIsAskedAgain) {
    ScriptedUdpServer silent(1123, [](const QByteArray&) { return std::vector<ScriptedReply>{}; });
    ASSERT_TRUE(silent.IsListening());
    // Asked at 0 s, about 4.2 s and about 8.4 s, a burst of 4 each time; the next would come
    // after the time-out.
    const ProcessRun run = Run("horolux-cli --server 127.0.0.2 --port 1123 --timeout 11 --correct");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Reset: No answer from Timebase within 11 seconds.\n");
    EXPECT_EQ(silent.RequestCount(), 3 * 4);
    EXPECT_TRUE(TakeClockSettings().empty());
}

// Junk from the Timebase's own address and port, as fast as it can be sent, from the first
// request on for 20 s: the answer is lost, the time-out is not. A flood that put the time-out
// off would keep the run going past the flood; the bound leaves 10 s for a loaded machine.
TEST_F(Processes, AJunkFloodCostsTheAnswerNotTheTimeOut) {
    QProcess flood;
    flood.start("python3", {"-c", R"(
import os, socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.2", 1123))
print("ready", flush=True)
peer = s.recvfrom(100)[1]
s.setblocking(False)
end = time.monotonic() + 20
while time.monotonic() < end:
    try:
        s.sendto(os.urandom(1 + os.urandom(1)[0] % 64), peer)
    except BlockingIOError:
        pass
)"});
    ASSERT_TRUE(flood.waitForReadyRead(10000));
    QElapsedTimer clock;
    clock.start();
    const ProcessRun run = Run("horolux-cli --server 127.0.0.2 --port 1123 --timeout 2");
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    EXPECT_EQ(run.out, "Reset: No answer from Timebase within 2 seconds.\n");
    EXPECT_LT(clock.elapsed(), 12000);
    flood.kill();
    flood.waitForFinished();
}

// A settings file that cannot be read safely is left as it is, and both programs run on the
// defaults and say so: a FIFO (or a link to one) would block open(), a huge file would be
// read whole, a NUL would cut the value short. A comma is part of the host text.
TEST_F(Processes, SpecialSettingsFilesAreLeftAloneWithoutHanging) {
    const QString kDefaultServer = "tick.usno.navy.mil";
    const QString note = "the settings are not read or written, defaults apply";
    struct Case {
        QString make; // a shell command run on $CONF
        QString server;
    };
    const Case cases[] = {
        {"mkfifo $CONF", kDefaultServer},
        // Never a device: the reader of old replaced the target of a symlink, as root here.
        {"mkfifo $CONF.fifo && ln -s $CONF.fifo $CONF", kDefaultServer},
        {"{ printf '[Options]\\nTimeBase=127.0.0.1\\n'; head -c 70000 /dev/zero | tr '\\0' '#'; "
         "} >$CONF",
         kDefaultServer},
        {"printf '[Options]\\nTimeBase=127.0.0.1\\0junk\\n' >$CONF", kDefaultServer},
        {"printf '[Options]\\nTimeBase=127.0.0.1, 127.0.0.2\\n' >$CONF", "127.0.0.1, 127.0.0.2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.make.toStdString());
        const auto make = [&] {
            WriteSettings(kNone);
            QFile::remove(m_conf + ".fifo");
            ASSERT_EQ(QProcess::execute("sh", {"-c", QString(c.make).replace("$CONF", m_conf)}), 0);
        };
        const auto unchanged = [&] {
            QProcess stat;
            stat.start("stat", {"-c", "%F %s", m_conf});
            return stat.waitForFinished() ? stat.readAll() : QByteArray();
        };
        make();
        const QByteArray before = unchanged();
        const ProcessRun run = Run("horolux-cli --json --timeout 1");
        EXPECT_EQ(run.Json()["server"].toString(), c.server) << run.out.toStdString();
        EXPECT_EQ(run.err.contains(note), c.server == kDefaultServer) << run.err.toStdString();
        EXPECT_EQ(unchanged(), before);
        if (c.server != kDefaultServer) {
            continue;
        }
        // The window comes up the same way, and writes nothing into the file.
        make();
        QProcess window;
        Start(window, "horolux");
        QByteArray err;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return err.append(window.readAllStandardError()).contains(note.toUtf8()); },
            20000));
        EXPECT_EQ(window.state(), QProcess::Running);
        EXPECT_EQ(unchanged(), before);
        window.kill();
        window.waitForFinished();
    }
}

} // namespace
