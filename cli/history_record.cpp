#include "cli/history_record.h"

#include "history/history_store.h"
#include "history/measurement_row_of.h"

#include <vector>

history::Verdict HistoryVerdict(const std::optional<QueryOutcome>& outcome,
                                agreement::Verdict verdict) {
    using Result = QueryOutcome::Result;
    if (!outcome) {
        return history::Verdict::NoAnswer;
    }
    switch (outcome->result) {
    case Result::Bogus:
        return history::Verdict::Bogus;
    case Result::ConnectFailed:
    case Result::AuthenticationFailed:
        return history::Verdict::Refused;
    case Result::SocketFailed:
    case Result::Reset:
        return history::Verdict::NoAnswer;
    case Result::Answered:
    case Result::Corrected:
    case Result::ClockNotSet:
        break;
    }
    switch (verdict) {
    case agreement::Verdict::Used:
        return history::Verdict::Used;
    case agreement::Verdict::Agrees:
        return history::Verdict::Agrees;
    case agreement::Verdict::Falseticker:
        return history::Verdict::Falseticker;
    case agreement::Verdict::Bogus:
        return history::Verdict::Bogus;
    case agreement::Verdict::NoAnswer:
        break;
    }
    return history::Verdict::NoAnswer;
}

void RecordHistory(const CliReport& report, std::span<const QueryConfig> configs,
                   const char* program) {
    std::vector<history::MeasurementRow> rows;
    QueryOutcome none;
    none.result = QueryOutcome::Result::Reset;
    for (std::size_t i = 0; i < report.servers.size() && i < configs.size(); ++i) {
        const ServerReport& server = report.servers[i];
        rows.push_back(history::RowOf(server.outcome.value_or(none), configs[i], program,
                                      HistoryVerdict(server.outcome, server.verdict)));
    }
    history::HistoryStore store;
    store.Append(rows);
}
