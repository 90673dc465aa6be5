// A query process whose clock functions libfaketime shifts by an hour, against chronyd:
// the offset is the hour, and with the clock recorder preloaded the correction sets the
// true time. The recorder is only ever loaded inside the sandbox.
#include "tests/support/query_state.h"
#include "tests/support/sandbox_guard.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr const char* kFakeTime = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";

struct ProbeRun {
    QStringList texts;
    double theta = 0.0;
    int correctClock = -1;
    int warnings = -1;
    int exitCode = -1;
};

class ShiftedProcessTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InsideUserNamespace()) << "run inside the test sandbox (scripts/test)";
        ASSERT_TRUE(Servers("start", "chronyd"));
    }
    static void TearDownTestSuite() { Servers("stop", "chronyd"); }

    ProbeRun RunProbe(const QStringList& arguments, const QStringList& preload) {
        const QString dir = qEnvironmentVariable("HOROLUX_TEST_DIR");
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("FAKETIME", "-3600");
        environment.insert("LD_PRELOAD", preload.join(':'));
        environment.insert("HOROLUX_CLOCK_RECORD", RecordPath());
        probe.setProcessEnvironment(environment);
        probe.start(dir + "/query_probe", arguments);
        ProbeRun run;
        if (!probe.waitForFinished(15000)) {
            probe.kill();
            probe.waitForFinished();
            return run;
        }
        run.exitCode = probe.exitCode();
        const QString output = QString::fromUtf8(probe.readAllStandardOutput());
        for (const QString& line : output.split('\n', Qt::SkipEmptyParts)) {
            const QString value = line.section(": ", 1);
            if (line.startsWith("text: ")) {
                run.texts << value;
            } else if (line.startsWith("theta: ")) {
                run.theta = value.toDouble();
            } else if (line.startsWith("correct-clock: ")) {
                run.correctClock = value.toInt();
            } else if (line.startsWith("warnings: ")) {
                run.warnings = value.toInt();
            }
        }
        if (run.exitCode != 0) {
            std::fprintf(stderr, "%s", probe.readAllStandardError().constData());
        }
        return run;
    }
    QString RecordPath() const { return m_dir.path() + "/clock_settime.log"; }
    QString Recorder() const {
        return qEnvironmentVariable("HOROLUX_TEST_DIR") + "/libclock_recorder.so";
    }

    QTemporaryDir m_dir;
};

TEST_F(ShiftedProcessTest, TheOffsetIsTheHourTheProcessIsBehind) {
    const ProbeRun run = RunProbe({"SNTP", "UDP", "127.0.0.1"}, {kFakeTime});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_NEAR(run.theta, 3600.0, 0.010);
    ASSERT_EQ(run.texts.size(), 4);
    EXPECT_TRUE(
        QRegularExpression(
            R"(^Timebase Clock: \d\d/\d\d/\d\d \d\d:\d\d:\d\d\. Delta: (3600\.0\d\d|3599\.99\d) seconds$)")
            .match(run.texts.last())
            .hasMatch())
        << run.texts.last().toStdString();
    EXPECT_EQ(run.warnings, 1);
}

TEST_F(ShiftedProcessTest, TheRecordedCorrectionIsTheTrueTime) {
    const ProbeRun run = RunProbe({"SNTP", "UDP", "127.0.0.1", "correct"}, {kFakeTime, Recorder()});
    ASSERT_EQ(run.exitCode, 0);
    ASSERT_FALSE(run.texts.isEmpty());
    EXPECT_TRUE(
        QRegularExpression(R"(^System Clock Corrected by: (3600\.0\d\d|3599\.99\d) seconds$)")
            .match(run.texts.last())
            .hasMatch())
        << run.texts.last().toStdString();
    EXPECT_EQ(run.correctClock, 0);
    EXPECT_EQ(run.warnings, 0);

    // One line: clock id, the instant asked for, the kernel's true time at the call.
    QFile record(RecordPath());
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(record.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1);
    const QStringList fields = lines[0].split(' ');
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(fields[0], "0"); // CLOCK_REALTIME
    const double asked = fields[1].toDouble();
    const double trueTime = fields[2].toDouble();
    std::printf("recorded instant minus true time: %.6f s\n", asked - trueTime);
    EXPECT_NEAR(asked, trueTime, 0.010);
}

} // namespace
