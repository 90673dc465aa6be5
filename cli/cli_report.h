#pragma once

// What a console run prints: the one line of text or the JSON object, and the exit status.
#include "platform/kernel_clock_state.h"
#include "timesync/query_outcome.h"
#include "timesync/source_agreement.h"
#include "timesync/wire_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One of the servers asked, and what the agreement made of its answer.
struct ServerReport {
    std::string server;
    std::optional<QueryOutcome> outcome;
    agreement::Verdict verdict = agreement::Verdict::NoAnswer;
};

struct CliReport {
    std::string server;
    wire::Transport transport{};
    // The last status text of the query: its result or the reason it ended.
    std::string result;
    // How the query ended; empty when it never did.
    std::optional<QueryOutcome> outcome;
    std::vector<ServerReport> servers;
    // The kernel's view of the system clock after the run; empty when it does not tell.
    std::optional<platform::KernelClockState> system;
};

// 0 answered (and set the clock when asked to), 1 no answer, 2 bogus reply, 3 clock not set,
// 4 NTS key exchange or authentication failed.
int ExitStatusOf(const CliReport& report);

// True when the clock was set.
bool ClockCorrected(const CliReport& report);

// Why the run did not succeed: the system's reason when the clock was not set, otherwise
// the result text; empty when it succeeded.
std::string ErrorOf(const CliReport& report);
