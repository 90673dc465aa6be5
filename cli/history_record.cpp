#include "cli/history_record.h"

#include "history/history_store.h"
#include "history/measurement_row_of.h"

#include <vector>

history::Verdict HistoryVerdict(const std::optional<QueryOutcome>& outcome,
                                agreement::Verdict verdict) {
    const history::Verdict ended =
        outcome ? history::VerdictOf(*outcome) : history::Verdict::NoAnswer;
    if (ended != history::Verdict::Used) {
        return ended;
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
