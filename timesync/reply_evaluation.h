#pragma once

// The decision on one reply: bytes and clock readings in, the end of the query out. No
// socket and no event loop, so that every refusal and result can be driven in-process.
#include "timesync/query_outcome.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/wire_format.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The instants of an SNTP exchange, seconds since 1900: T1 and T4 on the local clock,
// T2 and T3 on the Timebase's.
struct QueryInstants {
    double dSendTime = 0.0;
    double dServerRecvTime = 0.0;
    double dServerXmitTime = 0.0;
    double dRecvTime = 0.0;
};

// What one read of the socket gave, with the clocks read as its notification ran.
struct ReceivedReply {
    std::span<const std::uint8_t> bytes;
    // When the datagram arrived, on the kernel's clock (datagram sockets only).
    std::optional<std::int64_t> arrivalNs;
    std::string address;
    double localNtp = 0.0;
    std::int64_t kernelNs = 0;
    // NTS: whether the reply's authenticator verified (checked by the caller, which holds
    // the keys). An NTS reply that did not is never used.
    bool authentic = false;
};

struct ReplyEvaluation {
    QueryOutcome outcome;
    // The status text the query ends with.
    std::string text;
    bool deltaWarning = false;
};

// Empty when the bytes answer no request of ours: they are dropped and the query waits
// on. Otherwise how the query ends; a correcting query has set the clock through
// hooks.setSystemClock by then. An SNTP reply that passes its checks fills instants
// T2 to T4; T1 is read from it.
std::optional<ReplyEvaluation> EvaluateReply(wire::Protocol protocol, const ReceivedReply& reply,
                                             std::uint64_t nonce, bool correcting,
                                             QueryInstants& instants, const TimeSyncHooks& hooks);
