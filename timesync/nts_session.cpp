#include "timesync/nts_session.h"

#include "timesync/ntp_time.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/wire_format.h"

#include <chrono>

namespace {

// The key exchange gives up before the worker asks again.
constexpr std::chrono::milliseconds kKeyExchangeTimeout{4000};

const char* ReasonOf(nts::KeFailure failure) {
    switch (failure) {
    case nts::KeFailure::HostNotFound:
        return texts::kKeHostNotFound;
    case nts::KeFailure::Refused:
        return texts::kKeRefused;
    case nts::KeFailure::TimedOut:
    case nts::KeFailure::Cancelled:
        return texts::kKeTimedOut;
    case nts::KeFailure::Untrusted:
        return texts::kKeUntrusted;
    case nts::KeFailure::NameMismatch:
        return texts::kKeNameMismatch;
    case nts::KeFailure::NoNts:
        return texts::kKeNoNts;
    case nts::KeFailure::BadResponse:
    case nts::KeFailure::None:
        break;
    }
    return texts::kKeBadResponse;
}

std::int64_t NowUnix() {
    return ntp::UnixSeconds(ntp::FloorSeconds(Hooks().localClockNtpNs()));
}

} // namespace

bool CNtsSession::Load(const std::string& keHost, std::uint16_t kePort,
                       const std::string& trustAnchor) {
    CancelKeyExchange();
    m_keHost = keHost;
    m_kePort = kePort;
    m_trustAnchor = trustAnchor;
    m_keyExchangeMs.reset();
    m_jarPath = nts::JarPath(keHost, kePort);
    m_jar = nts::LoadJar(m_jarPath);
    if (trustAnchor.empty() || m_jar.trustAnchor != trustAnchor || m_jar.keHost != keHost ||
        m_jar.kePort != kePort) {
        m_jar = {};
    }
    return m_jar.IsUsable(NowUnix());
}

void CNtsSession::StartKeyExchange(const std::string& caFile, const std::string& caPem,
                                   std::function<void(unsigned, nts::KeResult)> onDone) {
    nts::KeRequest request;
    request.host = m_keHost;
    request.port = m_kePort;
    request.caFile = caFile;
    request.caPem = caPem;
    request.timeout = kKeyExchangeTimeout;
    const unsigned number = ++m_nExchanges;
    m_exchangeStarted = std::chrono::steady_clock::now();
    m_exchange = std::make_unique<nts::KeyExchangeTask>(
        std::move(request), [number, onDone = std::move(onDone)](nts::KeResult result) {
            onDone(number, std::move(result));
        });
}

bool CNtsSession::IsCurrent(unsigned number) const {
    return m_exchange && number == m_nExchanges;
}

std::optional<std::string> CNtsSession::Accept(const nts::KeResult& result) {
    m_exchange.reset();
    if (result.failure != nts::KeFailure::None) {
        return Translated(ReasonOf(result.failure));
    }
    m_keyExchangeMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                m_exchangeStarted)
                          .count();
    m_jar = {};
    m_jar.keHost = m_keHost;
    m_jar.kePort = m_kePort;
    m_jar.trustAnchor = m_trustAnchor;
    m_jar.createdUnix = NowUnix();
    m_jar.keys = result.keys;
    m_jar.ntpServer = result.ntpServer;
    m_jar.ntpPort = result.ntpPort != 0 ? result.ntpPort : wire::kSntpPort;
    m_jar.cookies = result.cookies;
    nts::SaveJar(m_jarPath, m_jar);
    return std::nullopt;
}

void CNtsSession::CancelKeyExchange() {
    m_exchange.reset();
}

std::optional<CNtsSession::Request> CNtsSession::TakeRequest(std::uint64_t transmitNonce) {
    if (m_jar.cookies.empty()) {
        return std::nullopt;
    }
    const nts::Cookie cookie = m_jar.cookies.front();
    m_jar.cookies.erase(m_jar.cookies.begin());
    nts::SaveJar(m_jarPath, m_jar);
    Request request;
    request.uniqueId = nts::NewUniqueId();
    request.bytes = nts::BuildRequest(transmitNonce, request.uniqueId, cookie,
                                      nts::PlaceholdersFor(m_jar.cookies.size()), m_jar.keys.c2s,
                                      nts::NewAeadNonce());
    return request;
}

CNtsSession::Reply CNtsSession::Check(std::span<const std::uint8_t> reply,
                                      const nts::UniqueId& uniqueId) {
    const nts::ReplyCheck check = nts::CheckReply(reply, uniqueId, m_jar.keys.s2c);
    switch (check.verdict) {
    case nts::ReplyCheck::Verdict::Drop:
        return Reply::Drop;
    case nts::ReplyCheck::Verdict::NtsNak:
        return Reply::Renew;
    case nts::ReplyCheck::Verdict::Unauthenticated:
        return Reply::Unauthenticated;
    case nts::ReplyCheck::Verdict::Authentic:
        break;
    }
    for (const nts::Cookie& cookie : check.cookies) {
        if (m_jar.cookies.size() < nts::kWantedCookies) {
            m_jar.cookies.push_back(cookie);
        }
    }
    nts::SaveJar(m_jarPath, m_jar);
    return Reply::Authentic;
}

void CNtsSession::DiscardJar() {
    m_jar = {};
    nts::SaveJar(m_jarPath, m_jar);
}
