// A thousand consecutive time-out restarts of a query to a silent Timebase leave the
// count of open descriptors and the resident memory where they were. Only the pause
// after each step is shortened; the code that runs is the window's.
#include "tests/net/query_fixture.h"
#include "tests/support/scripted_servers.h"

#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

int OpenDescriptors() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<int>(std::distance(fds, std::filesystem::directory_iterator()));
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

using WatchdogSoakTest = QueryTest;

TEST_F(WatchdogSoakTest, RestartsLeaveNothingBehind) {
    ScriptedUdpServer server(123, [](const QByteArray&) { return std::vector<ScriptedReply>{}; });
    ASSERT_TRUE(server.IsListening());
    Use("SNTP", "UDP", kScriptedHost);
    m_query.timing.pauseAfterStep = std::chrono::milliseconds(0);
    auto restartsReach = [&](int restarts) {
        QElapsedTimer clock;
        clock.start();
        QTimer wake; // bounds each wait for an event
        wake.start(20);
        while (server.RequestCount() - 1 < restarts && clock.elapsed() < 120000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            m_view.texts.clear();
            m_view.progress.clear();
            server.ForgetRequests();
        }
        return server.RequestCount() - 1 >= restarts;
    };

    m_query.OnQueryTimebase();
    // The allocators (and ASan's quarantine) settle during the first restarts; those after
    // them count.
    ASSERT_TRUE(restartsReach(2000));
    const int descriptorsBefore = OpenDescriptors();
    const long residentBefore = ResidentKiB();
    ASSERT_TRUE(restartsReach(3000));
    const int descriptorsAfter = OpenDescriptors();
    const long residentAfter = ResidentKiB();
    const auto sockets = m_query.findChildren<CTimeSocket*>().size();
    m_query.OnReset();
    std::printf("descriptors %d -> %d, resident %ld -> %ld KiB over 1000 restarts\n",
                descriptorsBefore, descriptorsAfter, residentBefore, residentAfter);
    // One query socket at a time, whatever moment the sample caught.
    EXPECT_LE(sockets, 1);
    EXPECT_LE(std::abs(descriptorsAfter - descriptorsBefore), 1);
    // A socket kept per restart would be well over half a megabyte by now.
    EXPECT_LT(residentAfter - residentBefore, 512);
}

} // namespace
