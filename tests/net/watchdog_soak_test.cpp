// A thousand consecutive time-out restarts of a query to a silent Timebase leave the
// count of open descriptors and the resident memory where they were. The cycle is
// shortened (a larger progress step, a short pause after each step); the code that runs
// is the window's.
#include "tests/net/query_fixture.h"
#include "tests/support/scripted_servers.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

constexpr int kWarmUp = 1000;

class WatchdogSoakTest : public QueryTest {};

TEST_F(WatchdogSoakTest, AThousandRestartsLeaveNothingBehind) {
    ScriptedUdpServer server(123, [](const QByteArray&) { return std::vector<ScriptedReply>{}; });
    ASSERT_TRUE(server.IsListening());
    UseTimebase("SNTP", "UDP", kScriptedHost);
    m_view.progressStep = 50;
    g_watchdogTiming.pauseAfterStep = std::chrono::milliseconds(1);

    auto restartsReach = [&](int restarts) {
        const bool reached = RunEventsUntil(
            [&] {
                if (m_view.texts.size() > 300) {
                    m_view.texts.clear();
                    server.ForgetRequests();
                }
                return server.RequestCount() - 1 >= restarts;
            },
            120000);
        m_view.texts.clear();
        server.ForgetRequests();
        return reached;
    };

    OnQueryTimebase(m_view);
    // The allocators settle during the first restarts; the thousand after them count.
    ASSERT_TRUE(restartsReach(kWarmUp));
    const int descriptorsBefore = OpenDescriptors();
    const long residentBefore = ResidentKiB();
    ASSERT_TRUE(restartsReach(kWarmUp + 1000));
    const int descriptorsAfter = OpenDescriptors();
    const long residentAfter = ResidentKiB();
    OnReset(m_view);

    std::printf("after %d restarts: %d descriptors, %ld KiB resident\n", kWarmUp, descriptorsBefore,
                residentBefore);
    std::printf("after %d restarts: %d descriptors, %ld KiB resident\n", kWarmUp + 1000,
                descriptorsAfter, residentAfter);
    // One query socket at a time, whatever moment the sample caught.
    EXPECT_LE(std::abs(descriptorsAfter - descriptorsBefore), 1);
    // A leaked socket per restart would be well over a megabyte by now.
    EXPECT_LT(residentAfter - residentBefore, 1024);
}

} // namespace
