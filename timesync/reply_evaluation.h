#pragma once

// The decision on one reply: bytes and clock readings in, a measurement or a refusal out.
// It never sets the clock (timesync/clock_correction.h does), so every refusal and result
// can be driven in-process.
#include "timesync/query_outcome.h"
#include "timesync/wire_format.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// A whole reply as the socket delivered it, with the clocks read around it.
struct ReceivedReply {
    std::span<const std::uint8_t> bytes;
    // T1: when the last request left, nanoseconds since 1900 on the local clock.
    std::int64_t sentNtpNs = 0;
    // When the datagram arrived, on the kernel's clock (datagram sockets only).
    std::optional<std::int64_t> arrivalNs;
    std::string address;
    // The local and the kernel clock, read together once the reply was in.
    std::int64_t localNtpNs = 0;
    std::int64_t kernelNs = 0;
};

// What the NTS check of a reply found, by the caller that holds the keys.
enum class NtsCheck { Unprotected, NotOurs, Renew, Unauthenticated, Authentic };

struct ReplyDecision {
    enum class Refusal {
        None,
        // Not an answer to our request: dropped, the query waits on.
        NotOurs,
        // NTS: the server no longer takes our cookies.
        Renew,
        // NTS: the authenticator did not verify; such a reply is never used.
        Unauthenticated,
        Bogus,
    };
    Refusal refusal = Refusal::None;
    // How the query ends with it, and its status text. Its measurement is set exactly when
    // nothing refused the reply.
    QueryOutcome outcome;
    std::string text;
    bool deltaWarning = false;
};

ReplyDecision DecideReply(const wire::Transport& transport, const ReceivedReply& reply,
                          std::uint64_t nonce, NtsCheck nts);
