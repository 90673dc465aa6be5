#include "timesync/time_query.h"

#include "timesync/clock_correction.h"
#include "timesync/nts_trust_anchor.h"
#include "timesync/result_texts.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/time_sync_view.h"

#include <algorithm>

namespace {

// The trust the key exchange will check against, as the cookie jar records it.
std::string TrustAnchorOf(const QueryConfig& config) {
    if (config.caPem.empty()) {
        return nts::TrustAnchorOfFile(config.caFile.toStdString());
    }
    return nts::TrustAnchorOf(
        {reinterpret_cast<const std::uint8_t*>(config.caPem.data()), config.caPem.size()});
}

std::optional<QByteArray> RequestOf(const wire::Transport& transport, std::uint64_t nonce) {
    switch (transport.request) {
    case wire::Request::None:
        break;
    case wire::Request::EmptyDatagram:
        return QByteArray();
    case wire::Request::NtsPacket:
        break;
    case wire::Request::SntpPacket: {
        const wire::SntpPacket packet = wire::BuildSntpRequest(nonce);
        return QByteArray(reinterpret_cast<const char*>(packet.data()),
                          static_cast<qsizetype>(packet.size()));
    }
    }
    return std::nullopt;
}

NtsCheck CheckOf(CNtsSession::Reply reply) {
    switch (reply) {
    case CNtsSession::Reply::Drop:
        return NtsCheck::NotOurs;
    case CNtsSession::Reply::Renew:
        return NtsCheck::Renew;
    case CNtsSession::Reply::Unauthenticated:
        return NtsCheck::Unauthenticated;
    case CNtsSession::Reply::Authentic:
        return NtsCheck::Authentic;
    }
    return NtsCheck::Unauthenticated;
}

} // namespace

CTimeQuery::CTimeQuery(ITimeSyncView& view) : m_view(view) {
    for (QTimer* timer : {&m_sampleTimer, &m_stepTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&m_sampleTimer, &QTimer::timeout, this, [this] { OnSampleTimeout(); });
    connect(&m_stepTimer, &QTimer::timeout, this, [this] { OnStep(); });
}

CTimeQuery::~CTimeQuery() {
    m_nts.CancelKeyExchange();
    DropSocket();
}

void CTimeQuery::Start(const QueryConfig& config) {
    m_config = config;
    if (config.correct) {
        m_correcting = true;
    }
    m_pending = true;
    // The first step comes from the event loop at once, the next ones a period apart.
    if (!m_stepTimer.isActive()) {
        m_stepTimer.start(0);
    }
    Begin();
}

void CTimeQuery::OnTrayCorrectClock(const QueryConfig& config) {
    // The tray's item stays enabled during a query; a second socket would leave the
    // first one open and answered by nobody.
    if (IsPending()) {
        m_correcting = true;
        m_config.askBeforeLargeStep = config.askBeforeLargeStep;
        return;
    }
    QueryConfig correcting = config;
    correcting.correct = true;
    Start(correcting);
}

void CTimeQuery::OnReset() {
    EndBeforeReply(QString::fromLatin1(texts::kResetByUser), QueryOutcome::Result::Reset);
}

void CTimeQuery::Abandon(const QString& reason) {
    EndBeforeReply(reason, QueryOutcome::Result::Reset);
}

void CTimeQuery::Tick() {
    if (!m_pending) {
        m_progress = pacing::kProgressMinimum;
        m_view.ShowProgress(m_progress);
    }
}

void CTimeQuery::Begin() {
    m_view.TakeFocus();
    m_view.EnableQueryButton(false);
    m_view.EnableCorrectButton(false);

    // One socket at a time: a query never leaves another one open behind it.
    DropSocket();
    m_nts.CancelKeyExchange();
    m_transport = m_config.Transport();
    m_nonce = Hooks().newRequestNonce();
    // Bursts are SNTP's: an NTS request spends a cookie, a Time reply has no delay to compare.
    m_wanted = m_transport.protocol == wire::Protocol::Sntp
                   ? std::clamp(m_config.samples, burst::kMinSamples, burst::kMaxSamples)
                   : 1;
    m_burst.clear();
    m_sampleTimer.stop();
    if (m_transport.protocol == wire::Protocol::Nts &&
        !m_nts.Load(m_config.Host().toStdString(), m_transport.port, TrustAnchorOf(m_config))) {
        StartKeyExchange();
        return;
    }
    OpenSocket();
}

void CTimeQuery::OpenSocket() {
    wire::Transport transport = m_transport;
    QString host = m_config.Host();
    std::optional<QByteArray> request = RequestOf(m_transport, m_nonce);
    if (m_transport.protocol == wire::Protocol::Nts) {
        const std::vector<std::uint8_t> packet = m_nts.TakeRequest(m_nonce);
        request = QByteArray(reinterpret_cast<const char*>(packet.data()),
                             static_cast<qsizetype>(packet.size()));
        transport.port = m_nts.NtpPort();
        host = QString::fromStdString(m_nts.NtpServer());
    }
    ITimeSocketEvents& events = *this;
    m_socket = std::make_unique<CTimeSocket>(events, this, transport);
    m_burst.clear();
    if (!m_socket->Create()) {
        EndBeforeReply(QString::fromLatin1(texts::kSocketCreationFailed),
                       QueryOutcome::Result::SocketFailed);
        return;
    }
    m_view.ShowStatusText(QString::fromLatin1(texts::kSocketCreated));
    m_view.ShowStatusText(QString::fromLatin1(texts::kConnecting));
    m_socket->Connect(host);
    if (request) {
        m_socket->SendWhenConnected(*request);
    }
}

void CTimeQuery::StartKeyExchange() {
    m_nts.StartKeyExchange(m_config.caFile.toStdString(), m_config.caPem,
                           [this](unsigned number, nts::KeResult result) {
                               // Runs only while the exchange, and so this query, exists.
                               QMetaObject::invokeMethod(
                                   this,
                                   [this, number, result = std::move(result)] {
                                       if (m_nts.IsCurrent(number)) {
                                           OnKeyExchangeDone(result);
                                       }
                                   },
                                   Qt::QueuedConnection);
                           });
}

void CTimeQuery::OnKeyExchangeDone(const nts::KeResult& result) {
    if (const std::optional<std::string> reason = m_nts.Accept(result)) {
        EndBeforeReply(QString::fromStdString(results::KeyExchangeFailedText(reason->c_str())),
                       QueryOutcome::Result::AuthenticationFailed);
        return;
    }
    OpenSocket();
}

void CTimeQuery::End(const QString& reason, QueryOutcome outcome) {
    if (m_transport.protocol == wire::Protocol::Nts && m_nts.NtpPort() != 0) {
        // The key exchange may send the time requests to another port than its own.
        outcome.ntpPort = m_nts.NtpPort();
    }
    m_sampleTimer.stop();
    m_stepTimer.stop();
    DropSocket();
    m_nts.CancelKeyExchange();
    // The mark belongs to this query and its restarts: whatever ended it, the next query
    // corrects only when asked to.
    m_correcting = false;
    if (!reason.isEmpty()) {
        m_view.ShowStatusText(reason);
    }
    m_view.EnableQueryButton(true);
    m_view.EnableCorrectButton(true);
    m_pending = false;
    m_view.QueryEnded(outcome);
}

void CTimeQuery::EndBeforeReply(const QString& reason, QueryOutcome::Result result) {
    QueryOutcome outcome;
    outcome.protocol = m_transport.protocol;
    outcome.result = result;
    End(reason, outcome);
}

void CTimeQuery::DropSocket() {
    m_socket.reset();
}

void CTimeQuery::OnStep() {
    const pacing::ProgressStep step = pacing::StepProgress(
        m_progress, pacing::kProgressMinimum, pacing::kProgressMaximum, pacing::kProgressStep);
    m_progress = step.position;
    m_view.ShowProgress(m_progress);
    m_stepTimer.start(stepPeriodMs);
    // A key exchange runs to its own deadline, which comes before the query's.
    if (step.timedOut && !m_nts.IsExchangingKeys()) {
        if (HasAnsweredSample()) {
            FinishBurst();
            return;
        }
        // A silent Timebase is asked again; the status text stays, and a correcting query
        // stays a correcting one.
        Begin();
    }
}

void CTimeQuery::OnSent() {
    if (m_transport.request != wire::Request::SntpPacket &&
        m_transport.request != wire::Request::NtsPacket) {
        return;
    }
    m_burst.push_back(BurstEntry{});
    if (m_wanted > 1) {
        // The next request goes on the reply, or after a wait learned from the round trips.
        m_sampleTimer.start(burst::WaitForReplyMs(Samples()));
    }
}

void CTimeQuery::OnConnect(bool connected) {
    if (connected) {
        m_view.ShowStatusText(QString::fromLatin1(texts::kConnected));
    } else {
        EndBeforeReply(QString::fromLatin1(texts::kConnectFailed),
                       QueryOutcome::Result::ConnectFailed);
    }
}

void CTimeQuery::OnReply(const SocketReply& socketReply) {
    ReceivedReply reply;
    reply.bytes = {reinterpret_cast<const std::uint8_t*>(socketReply.bytes.constData()),
                   static_cast<std::size_t>(socketReply.bytes.size())};
    reply.sentNtp = socketReply.sentNtp;
    reply.arrivalNs = socketReply.arrivalNs;
    reply.address = socketReply.sender.toStdString();
    reply.localNtp = socketReply.localNtp;
    reply.kernelNs = socketReply.kernelNs;
    const NtsCheck nts = m_transport.protocol == wire::Protocol::Nts
                             ? CheckOf(m_nts.Check(reply.bytes))
                             : NtsCheck::Unprotected;
    ReplyDecision decision = DecideReply(m_transport, reply, m_nonce, nts);
    switch (decision.refusal) {
    case ReplyDecision::Refusal::NotOurs:
        return;
    case ReplyDecision::Refusal::Renew:
        DropSocket();
        StartKeyExchange();
        return;
    default:
        break;
    }
    if (m_transport.protocol == wire::Protocol::Nts) {
        decision.outcome.ntsKeMs = m_nts.KeyExchangeMs();
    }
    if (m_transport.protocol == wire::Protocol::Time || m_burst.empty()) {
        Finish(std::move(decision));
        return;
    }
    BurstEntry& entry = m_burst.back();
    const std::optional<Measurement>& measurement = decision.outcome.measurement;
    entry.sample.state = measurement ? AnswerState::Good : AnswerState::Bogus;
    entry.sample.offset = measurement ? measurement->offset : 0.0;
    entry.sample.delay = measurement ? measurement->delay : 0.0;
    const bool kissOfDeath =
        decision.outcome.result == QueryOutcome::Result::Bogus && decision.outcome.stratum == 0;
    entry.decision = std::move(decision);
    if (m_wanted == 1) {
        entry.sample.used = entry.sample.state == AnswerState::Good;
        Finish(*entry.decision);
        return;
    }
    m_sampleTimer.stop();
    if (burst::WantsAnother(Samples(), m_wanted, kissOfDeath)) {
        SendNextSample();
    } else {
        FinishBurst();
    }
}

void CTimeQuery::SendNextSample() {
    m_nonce = Hooks().newRequestNonce();
    if (const std::optional<QByteArray> request = RequestOf(m_transport, m_nonce)) {
        m_socket->SendWhenConnected(*request);
    }
}

void CTimeQuery::OnSampleTimeout() {
    if (!m_socket) {
        return;
    }
    if (burst::WantsAnother(Samples(), m_wanted, false)) {
        SendNextSample();
    } else if (HasAnsweredSample()) {
        FinishBurst();
    }
    // Otherwise the last request may still be answered until the query's time-out.
}

std::vector<burst::Sample> CTimeQuery::Samples() const {
    std::vector<burst::Sample> samples;
    for (const BurstEntry& each : m_burst) {
        samples.push_back(each.sample);
    }
    return samples;
}

bool CTimeQuery::HasAnsweredSample() const {
    return std::any_of(m_burst.begin(), m_burst.end(),
                       [](const BurstEntry& entry) { return entry.decision.has_value(); });
}

void CTimeQuery::FinishBurst() {
    m_sampleTimer.stop();
    if (const std::optional<std::size_t> chosen = burst::ChooseSample(Samples())) {
        m_burst[*chosen].sample.used = true;
        Finish(*m_burst[*chosen].decision);
        return;
    }
    // No good sample: the query ends as a single exchange would have, with the last refusal.
    for (auto entry = m_burst.rbegin(); entry != m_burst.rend(); ++entry) {
        if (entry->decision) {
            Finish(*entry->decision);
            return;
        }
    }
}

void CTimeQuery::Finish(ReplyDecision decision) {
    decision.outcome.samples = Samples();
    if (decision.outcome.measurement && !m_burst.empty()) {
        decision.outcome.measurement->samplesAnswered = burst::AnsweredCount(Samples());
    }
    if (m_correcting && m_config.askBeforeLargeStep && decision.deltaWarning &&
        decision.outcome.measurement) {
        // The question about the step replaces the warning about it.
        decision.outcome.largeStepToConfirm = true;
        decision.deltaWarning = false;
    } else if (m_correcting) {
        decision = Corrected(std::move(decision), Hooks());
    }
    const QueryOutcome::Result result = decision.outcome.result;
    const bool answered =
        result == QueryOutcome::Result::Answered || result == QueryOutcome::Result::Corrected;
    const QString text = QString::fromStdString(decision.text);
    if (answered) {
        // The result first, then the warning and the unattended close after it.
        m_view.ShowStatusText(text);
        if (decision.deltaWarning) {
            m_view.PostDeltaWarning();
        }
        if (m_exitWhenDone) {
            m_view.PostClose();
        }
        End(QString(), decision.outcome);
        return;
    }
    End(text, decision.outcome);
}

void CTimeQuery::OnClose() {
    // Without a reply the query stays pending until the time-out asks again.
    DropSocket();
}
