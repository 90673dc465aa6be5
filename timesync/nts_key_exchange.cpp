#include "timesync/nts_key_exchange.h"

#include "timesync/nts_ke_records.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gnutls/gnutls.h>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace nts {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kExporterLabel[] = "EXPORTER-network-time-security";
constexpr char kPriorities[] = "NORMAL:-VERS-ALL:+VERS-TLS1.3";

enum class Wait { Ready, TimedOut, Cancelled };

Wait WaitFor(int fd, short events, int cancelFd, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return Wait::TimedOut;
        }
        pollfd fds[2] = {{fd, events, 0}, {cancelFd, POLLIN, 0}};
        const int ready = poll(fds, 2, static_cast<int>(left.count()) + 1);
        if (ready < 0 && errno != EINTR) {
            return Wait::TimedOut;
        }
        if (fds[1].revents != 0) {
            return Wait::Cancelled;
        }
        if (ready > 0 && fds[0].revents != 0) {
            return Wait::Ready;
        }
    }
}

KeFailure FailureOf(Wait wait) {
    return wait == Wait::Cancelled ? KeFailure::Cancelled : KeFailure::TimedOut;
}

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) {
            close(fd);
        }
    }
};

// A non-blocking TCP connection to the first address that takes one.
KeFailure Connect(const KeRequest& request, int cancelFd, Clock::time_point deadline, Fd& out) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(request.port);
    if (getaddrinfo(request.host.c_str(), port.c_str(), &hints, &found) != 0 || !found) {
        return KeFailure::HostNotFound;
    }
    KeFailure failure = KeFailure::Refused;
    for (addrinfo* address = found; address; address = address->ai_next) {
        Fd fd{socket(address->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)};
        if (fd.fd < 0) {
            continue;
        }
        if (connect(fd.fd, address->ai_addr, address->ai_addrlen) != 0 && errno != EINPROGRESS) {
            continue;
        }
        const Wait wait = WaitFor(fd.fd, POLLOUT, cancelFd, deadline);
        if (wait != Wait::Ready) {
            failure = FailureOf(wait);
            break;
        }
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(fd.fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0) {
            // The request follows the handshake's last flight at once; Nagle would hold it
            // for the server's delayed acknowledgement (40 ms).
            const int one = 1;
            setsockopt(fd.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            std::swap(out.fd, fd.fd);
            failure = KeFailure::None;
            break;
        }
    }
    freeaddrinfo(found);
    return failure;
}

bool IsAddressLiteral(const std::string& host) {
    in6_addr address{};
    return inet_pton(AF_INET, host.c_str(), &address) == 1 ||
           inet_pton(AF_INET6, host.c_str(), &address) == 1;
}

class Session {
  public:
    ~Session() {
        if (session) {
            gnutls_deinit(session);
        }
        if (credentials) {
            gnutls_certificate_free_credentials(credentials);
        }
    }
    gnutls_session_t session = nullptr;
    gnutls_certificate_credentials_t credentials = nullptr;
};

// Runs a GnuTLS step until it no longer asks to be called again.
template <typename Step>
int Drive(gnutls_session_t session, int fd, int cancelFd, Clock::time_point deadline, Wait& wait,
          Step step) {
    for (;;) {
        const int result = step();
        if (result != GNUTLS_E_AGAIN && result != GNUTLS_E_INTERRUPTED) {
            return result;
        }
        const short events = gnutls_record_get_direction(session) == 0 ? POLLIN : POLLOUT;
        wait = WaitFor(fd, events, cancelFd, deadline);
        if (wait != Wait::Ready) {
            return result;
        }
    }
}

KeFailure HandshakeFailure(gnutls_session_t session, int result) {
    if (result == GNUTLS_E_CERTIFICATE_VERIFICATION_ERROR) {
        const unsigned status = gnutls_session_get_verify_cert_status(session);
        return (status & GNUTLS_CERT_UNEXPECTED_OWNER) != 0 ? KeFailure::NameMismatch
                                                            : KeFailure::Untrusted;
    }
    return KeFailure::NoNts;
}

bool ExportKey(gnutls_session_t session, std::uint8_t direction, Key& key) {
    const char context[] = {0, static_cast<char>(kProtocolNtpv4), 0,
                            static_cast<char>(kAeadAesSivCmac256), static_cast<char>(direction)};
    return gnutls_prf_rfc5705(session, std::strlen(kExporterLabel), kExporterLabel, sizeof context,
                              context, key.size(), reinterpret_cast<char*>(key.data())) == 0;
}

} // namespace

KeResult RunKeyExchange(const KeRequest& request, int cancelFd) {
    KeResult result;
    const Clock::time_point deadline = Clock::now() + request.timeout;
    Fd fd;
    result.failure = Connect(request, cancelFd, deadline, fd);
    if (result.failure != KeFailure::None) {
        return result;
    }

    Session tls;
    result.failure = KeFailure::Untrusted;
    if (gnutls_certificate_allocate_credentials(&tls.credentials) < 0) {
        return result;
    }
    int trusted = 0;
    if (!request.caPem.empty()) {
        const gnutls_datum_t pem{
            reinterpret_cast<unsigned char*>(const_cast<char*>(request.caPem.data())),
            static_cast<unsigned>(request.caPem.size())};
        trusted = gnutls_certificate_set_x509_trust_mem(tls.credentials, &pem, GNUTLS_X509_FMT_PEM);
    } else if (!request.caFile.empty()) {
        trusted = gnutls_certificate_set_x509_trust_file(tls.credentials, request.caFile.c_str(),
                                                         GNUTLS_X509_FMT_PEM);
    } else {
        trusted = gnutls_certificate_set_x509_system_trust(tls.credentials);
    }
    if (trusted <= 0 || gnutls_init(&tls.session, GNUTLS_CLIENT) < 0 ||
        gnutls_priority_set_direct(tls.session, kPriorities, nullptr) < 0 ||
        gnutls_credentials_set(tls.session, GNUTLS_CRD_CERTIFICATE, tls.credentials) < 0) {
        return result;
    }
    if (!IsAddressLiteral(request.host)) {
        gnutls_server_name_set(tls.session, GNUTLS_NAME_DNS, request.host.data(),
                               request.host.size());
    }
    gnutls_session_set_verify_cert(tls.session, request.host.c_str(), 0);
    gnutls_datum_t alpn{reinterpret_cast<unsigned char*>(const_cast<char*>(kAlpn)),
                        static_cast<unsigned>(std::strlen(kAlpn))};
    gnutls_alpn_set_protocols(tls.session, &alpn, 1, GNUTLS_ALPN_MANDATORY);
    gnutls_transport_set_int(tls.session, fd.fd);

    Wait wait = Wait::Ready;
    const int shaken = Drive(tls.session, fd.fd, cancelFd, deadline, wait,
                             [&] { return gnutls_handshake(tls.session); });
    if (wait != Wait::Ready) {
        result.failure = FailureOf(wait);
        return result;
    }
    if (shaken < 0) {
        result.failure = HandshakeFailure(tls.session, shaken);
        return result;
    }
    gnutls_datum_t chosen{};
    if (gnutls_alpn_get_selected_protocol(tls.session, &chosen) < 0 ||
        std::string_view(reinterpret_cast<const char*>(chosen.data), chosen.size) != kAlpn) {
        result.failure = KeFailure::NoNts;
        return result;
    }

    result.failure = KeFailure::BadResponse;
    const std::vector<std::uint8_t> message = BuildKeRequest();
    std::size_t sent = 0;
    while (sent < message.size()) {
        const int written = Drive(tls.session, fd.fd, cancelFd, deadline, wait, [&] {
            return static_cast<int>(
                gnutls_record_send(tls.session, message.data() + sent, message.size() - sent));
        });
        if (wait != Wait::Ready) {
            result.failure = FailureOf(wait);
            return result;
        }
        if (written <= 0) {
            return result;
        }
        sent += static_cast<std::size_t>(written);
    }

    std::vector<std::uint8_t> received;
    KeResponse response;
    std::uint8_t buffer[4096];
    while (response.status == KeStatus::Incomplete) {
        const int read = Drive(tls.session, fd.fd, cancelFd, deadline, wait, [&] {
            return static_cast<int>(gnutls_record_recv(tls.session, buffer, sizeof buffer));
        });
        if (wait != Wait::Ready) {
            result.failure = FailureOf(wait);
            return result;
        }
        if (read <= 0) {
            // Closed before End of Message.
            return result;
        }
        received.insert(received.end(), buffer, buffer + read);
        response = ParseKeResponse(received);
    }
    if (response.status == KeStatus::ServerError) {
        result.failure = KeFailure::Refused;
        return result;
    }
    if (response.status != KeStatus::Complete || !ExportKey(tls.session, 0, result.keys.c2s) ||
        !ExportKey(tls.session, 1, result.keys.s2c)) {
        return result;
    }
    result.cookies = std::move(response.cookies);
    result.failure = KeFailure::None;
    result.ntpServer = response.server.empty() ? request.host : response.server;
    result.ntpPort = response.port;
    return result;
}

// What the exchange's thread and its task share. The thread is not waited for (a name
// server may hold getaddrinfo() far beyond any deadline): a task that is gone clears
// onDone, and the thread's result then goes nowhere.
struct KeyExchangeTask::Shared {
    std::mutex mutex;
    std::function<void(KeResult)> onDone;
    int cancelFd = eventfd(0, EFD_CLOEXEC);
    ~Shared() { close(cancelFd); }
};

KeyExchangeTask::KeyExchangeTask(KeRequest request, std::function<void(KeResult)> onDone)
    : m_shared(std::make_shared<Shared>()) {
    m_shared->onDone = std::move(onDone);
    std::thread([request = std::move(request), shared = m_shared] {
        KeResult result = RunKeyExchange(request, shared->cancelFd);
        const std::lock_guard lock(shared->mutex);
        if (shared->onDone && result.failure != KeFailure::Cancelled) {
            shared->onDone(std::move(result));
        }
    }).detach();
}

KeyExchangeTask::~KeyExchangeTask() {
    const std::lock_guard lock(m_shared->mutex);
    m_shared->onDone = nullptr;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_shared->cancelFd, &one, sizeof one);
}

} // namespace nts
