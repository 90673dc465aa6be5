#pragma once

// The NTS key exchange: TLS 1.3 with ALPN "ntske/1", the certificate checked against the
// system's trust store (or a named CA file) and the host name, the KE records, and the two
// keys from the TLS exporter. Blocking, bounded by a deadline and a cancel descriptor:
// it runs on a thread of its own (KeyExchangeTask).
#include "timesync/nts_packet.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace nts {

enum class KeFailure {
    None,
    HostNotFound,
    Refused,
    TimedOut,
    Untrusted,
    NameMismatch,
    NoNts,
    BadResponse,
    Cancelled,
};

struct KeRequest {
    std::string host;
    std::uint16_t port = 0;
    // Empty: the system's trust store.
    std::string caFile;
    // CA certificates (PEM) already read; when not empty, trusted instead of caFile.
    std::string caPem;
    std::chrono::milliseconds timeout{4000};
};

struct KeResult {
    KeFailure failure = KeFailure::None;
    Keys keys;
    std::vector<Cookie> cookies;
    // The NTP server and port to ask: the ones the server named, else its own.
    std::string ntpServer;
    std::uint16_t ntpPort = 0;
};

// Runs the exchange; gives up with Cancelled once cancelFd becomes readable.
KeResult RunKeyExchange(const KeRequest& request, int cancelFd);

// One exchange on a thread of its own. The result is handed to onDone on that thread;
// the destructor cancels a running exchange and drops its result, without waiting.
class KeyExchangeTask {
  public:
    KeyExchangeTask(KeRequest request, std::function<void(KeResult)> onDone);
    ~KeyExchangeTask();
    KeyExchangeTask(const KeyExchangeTask&) = delete;
    KeyExchangeTask& operator=(const KeyExchangeTask&) = delete;

  private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

} // namespace nts
