#pragma once

// Everything one query needs, given to it when it starts: the window, the unattended
// start, horolux-cli (one per server) and the helper each build it from their own
// settings and options.
#include "timesync/query_setting_keys.h"
#include "timesync/wire_format.h"

#include <QString>
#include <cstdint>
#include <string>

struct QueryConfig {
    // The Timebase as written ("host", "host:port", "[::1]:123").
    QString timebase;
    // The Protocol and SocketType settings' values.
    QString protocol;
    QString socketType;
    // A port other than the protocol's own (a console run's --port); 0 keeps it.
    std::uint16_t port = 0;
    // SNTP requests per query.
    int samples = kDefaultSamples;
    // The NTS CA file; empty: the system's store.
    QString caFile;
    // CA certificates (PEM) already read and checked, trusted instead of caFile: the root
    // helper's --ca-file, never opened by path again.
    std::string caPem;
    // The query sets the clock from its answer.
    bool correct = false;
    // A correction beyond the maximum delta waits for the user: the query ends with the
    // measurement and the caller sets the clock once the user agrees.
    bool askBeforeLargeStep = false;

    // The host asked ("[::1]:123" gives "::1"), and the protocol, transport and port used.
    QString Host() const;
    wire::Transport Transport() const;
};

// A stored Samples value as the window offers it: 1, 4 or 8, anything else the default.
int SamplesChoice(int stored);
