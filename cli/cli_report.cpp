#include "cli/cli_report.h"

#include "cli/cli_exit_status.h"

int ExitStatusOf(const CliReport& report) {
    if (!report.outcome) {
        return kExitNoAnswer;
    }
    switch (report.outcome->result) {
    case QueryOutcome::Result::Answered:
    case QueryOutcome::Result::Corrected:
        return kExitAnswered;
    case QueryOutcome::Result::Bogus:
        return kExitBogusReply;
    case QueryOutcome::Result::ClockNotSet:
        return kExitClockNotSet;
    case QueryOutcome::Result::AuthenticationFailed:
        return kExitAuthenticationFailed;
    case QueryOutcome::Result::SocketFailed:
    case QueryOutcome::Result::ConnectFailed:
    case QueryOutcome::Result::Reset:
        return kExitNoAnswer;
    }
    return kExitNoAnswer;
}

bool ClockCorrected(const CliReport& report) {
    return report.outcome && report.outcome->result == QueryOutcome::Result::Corrected;
}

std::string ErrorOf(const CliReport& report) {
    if (ExitStatusOf(report) == kExitAnswered) {
        return {};
    }
    if (report.outcome && report.outcome->result == QueryOutcome::Result::ClockNotSet) {
        return report.outcome->refusal;
    }
    return report.result;
}
