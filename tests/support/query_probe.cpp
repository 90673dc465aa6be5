// Runs one time query the way the window does and prints what it showed, for tests
// that run it as a process of its own (shifted by libfaketime, or with a preloaded
// clock recorder).
//   query_probe PROTOCOL SOCKETTYPE HOST [correct] [timeout-ms]
// Prints one "text: ..." line per status text, then "theta: ...", "correct-clock: ..."
// and "warnings: ..."; exits 0 when the query ended, 2 when it did not in time.
#include "app/program_globals.h"
#include "tests/support/query_state.h"
#include "tests/support/recording_view.h"
#include "tests/support/sandbox_guard.h"
#include "timesync/ntp_time.h"
#include "timesync/time_query.h"

#include <QCoreApplication>
#include <QTest>
#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: query_probe PROTOCOL SOCKETTYPE HOST [correct] [ms]\n");
        return 64;
    }
    const bool correct = argc > 4 && std::string_view(argv[4]) == "correct";
    if (correct && !InsideUserNamespace()) {
        std::fprintf(stderr, "query_probe: corrects the clock only inside the test sandbox\n");
        return 70;
    }
    const int timeoutMs = argc > 5 ? std::atoi(argv[5]) : 5000;
    UseTimebase(argv[1], argv[2], argv[3]);
    RecordingView view;
    if (correct) {
        OnCorrectClock(view);
    } else {
        OnQueryTimebase(view);
    }
    const bool ended = WaitForQueryEnd(timeoutMs);
    // Let posted warnings run.
    QCoreApplication::processEvents();
    for (const QString& text : view.texts) {
        std::printf("text: %s\n", text.toUtf8().constData());
    }
    std::printf("theta: %.9f\n",
                ntp::ClockOffset(g_dSendTime, g_dServerRecvTime, g_dServerXmitTime, g_dRecvTime));
    std::printf("correct-clock: %d\n", g_bCorrectClock);
    std::printf("warnings: %d\n", view.warningsRun);
    ResetQueryState();
    return ended ? 0 : 2;
}
