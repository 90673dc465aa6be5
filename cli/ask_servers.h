#pragma once

// The queries of one console run: every server asked at once, each with its own query.
#include "cli/cli_options.h"
#include "cli/console_view.h"
#include "timesync/source_agreement.h"
#include "timesync/time_query.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// One server's query in a run.
struct AskedServer {
    CConsoleView view;
    CTimeQuery query{view};
    bool ended = false;
};

// Asks every server at once, plainly unless one server is asked to correct. Returns when
// all have ended, at the time-out (those still waiting are abandoned with the no-answer
// text), or once a majority has ended and the others have had a whole query's wait.
std::vector<std::unique_ptr<AskedServer>>
AskAll(const QStringList& servers, const QueryConfig& config, const CliOptions& options);

// What a server's end tells the agreement.
agreement::Source SourceOf(const std::optional<QueryOutcome>& outcome);
