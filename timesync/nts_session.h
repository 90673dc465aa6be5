#pragma once

// The NTS side of a query: the key-exchange server's cookie jar and keys, a key exchange
// when they have run out, the protected request and the check of its reply. The query
// decides when each step runs; nothing here touches a socket.
#include "timesync/nts_cookie_jar.h"
#include "timesync/nts_key_exchange.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CNtsSession {
  public:
    // Loads the jar of a key-exchange server; true when it holds keys young enough and a
    // cookie, so that a request can go out without a key exchange. A jar won under another
    // trust anchor (nts::TrustAnchorOf of the CA bytes the exchange will trust) is not
    // used, and the next key exchange replaces it.
    bool Load(const std::string& keHost, std::uint16_t kePort, const std::string& trustAnchor);

    // Starts a key exchange with that server. onDone runs on the exchange's own thread with
    // the exchange's number, and never once the exchange was cancelled.
    void StartKeyExchange(const std::string& caFile, const std::string& caPem,
                          std::function<void(unsigned number, nts::KeResult result)> onDone);
    // Whether the result of exchange `number` still counts: the last one started, running.
    bool IsCurrent(unsigned number) const;
    // Takes the current exchange's result into the jar. Empty when it succeeded, else the
    // reason text for "NTS Key Exchange FAILED: ".
    std::optional<std::string> Accept(const nts::KeResult& result);
    void CancelKeyExchange();
    bool IsExchangingKeys() const { return m_exchange != nullptr; }
    // How long this query's key exchange took; empty when the cookies were reused.
    std::optional<double> KeyExchangeMs() const { return m_keyExchangeMs; }

    // A request with a fresh Unique Identifier and the jar's next cookie, which leaves the
    // jar before the request leaves this program: each cookie is used once. Its
    // placeholders ask for what the jar lacks, so the replies refill it. Empty when the
    // jar has no cookie left (a burst then waits for the replies to bring some).
    struct Request {
        std::vector<std::uint8_t> bytes;
        nts::UniqueId uniqueId{};
    };
    std::optional<Request> TakeRequest(std::uint64_t transmitNonce);
    // Where the request goes: the server and port the key exchange named.
    const std::string& NtpServer() const { return m_jar.ntpServer; }
    std::uint16_t NtpPort() const { return m_jar.ntpPort; }

    enum class Reply {
        // Not the answer to this request.
        Drop,
        // The server says it no longer takes our cookies (NTS NAK). Anyone who saw the
        // request can forge one, so it is only a hint: the jar stays as it is.
        Renew,
        Unauthenticated,
        // The jar keeps the new cookies it carried.
        Authentic,
    };
    // Whether `reply` answers the request that carried `uniqueId` (a burst has several
    // requests out at once), and what it says.
    Reply Check(std::span<const std::uint8_t> reply, const nts::UniqueId& uniqueId);
    // Forgets the keys and cookies, on disk too, so that the next request needs a key exchange.
    void DiscardJar();

  private:
    std::string m_keHost;
    std::uint16_t m_kePort = 0;
    std::string m_trustAnchor;
    std::string m_jarPath;
    nts::CookieJar m_jar;
    std::unique_ptr<nts::KeyExchangeTask> m_exchange;
    unsigned m_nExchanges = 0;
    std::chrono::steady_clock::time_point m_exchangeStarted;
    std::optional<double> m_keyExchangeMs;
};
