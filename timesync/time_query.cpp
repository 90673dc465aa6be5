#include "timesync/time_query.h"

#include "timesync/clock_correction.h"
#include "timesync/nts_trust_anchor.h"
#include "timesync/result_texts.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/time_sync_view.h"

#include <algorithm>

namespace {

// A server that restarted with new keys may drop old cookies without a word: after this many
// silent requests the jar is given up, well within a console run's time-out.
constexpr int kSilentRequestsBeforeNewKeys = 2;

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
    m_unansweredRequests = 0;
    m_nakSeen = false;
    m_unauthentic.reset();
    m_nameNotFound.reset();
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
    EndBeforeReply(QString::fromStdString(Translated(texts::kResetByUser)),
                   QueryOutcome::Result::Reset);
}

void CTimeQuery::Abandon(const QString& reason) {
    // Forged or damaged replies were all that came: say so rather than "no answer".
    if (m_pending && m_unauthentic) {
        End(QString::fromStdString(Translated(texts::kAuthenticationFailed)), *m_unauthentic);
        return;
    }
    // Nothing could be asked: "no answer" would blame the Timebase.
    if (m_pending && m_nameNotFound) {
        EndBeforeReply(NameText(true), QueryOutcome::Result::Reset);
        return;
    }
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
    // A Time reply has no delay to compare; an NTS reply brings a cookie for each it spends.
    m_wanted = m_transport.protocol != wire::Protocol::Time
                   ? std::clamp(m_config.samples, burst::kMinSamples, burst::kMaxSamples)
                   : 1;
    m_burst.clear();
    m_sampleTimer.stop();
    m_unauthenticThisAttempt = false;
    if (m_transport.protocol == wire::Protocol::Nts && m_config.caPem.empty() &&
        !m_config.caFile.isEmpty()) {
        // Read here, once and without blocking, so that a file that cannot be read is named
        // as such rather than as a certificate not trusted.
        std::optional<std::string> pem = nts::ReadCaFile(m_config.caFile.toStdString());
        if (!pem) {
            EndBeforeReply(QString::fromStdString(results::KeyExchangeFailedText(
                               Translated(texts::kKeCaFileUnreadable))),
                           QueryOutcome::Result::AuthenticationFailed);
            return;
        }
        m_config.caPem = std::move(*pem);
    }
    if (m_transport.protocol == wire::Protocol::Nts) {
        const bool usable =
            m_nts.Load(m_config.Host().toStdString(), m_transport.port, TrustAnchorOf(m_config));
        const bool renew = usable && WantsNewKeys();
        if (renew) {
            m_nts.DiscardJar();
        }
        if (!usable || renew) {
            m_unansweredRequests = 0;
            m_nakSeen = false;
            StartKeyExchange();
            return;
        }
    }
    OpenSocket();
}

void CTimeQuery::OpenSocket() {
    wire::Transport transport = m_transport;
    QString host = m_config.Host();
    if (m_transport.protocol == wire::Protocol::Nts) {
        transport.port = m_nts.NtpPort();
        host = QString::fromStdString(m_nts.NtpServer());
    }
    ITimeSocketEvents& events = *this;
    m_socket = std::make_unique<CTimeSocket>(events, this, transport);
    m_burst.clear();
    if (!m_socket->Create()) {
        EndBeforeReply(QString::fromStdString(Translated(texts::kSocketCreationFailed)),
                       QueryOutcome::Result::SocketFailed);
        return;
    }
    m_view.ShowStatusText(QString::fromStdString(Translated(texts::kSocketCreated)));
    m_view.ShowStatusText(QString::fromStdString(Translated(texts::kConnecting)));
    m_socket->Connect(host);
    if (!SendRequest()) {
        // A jar without a cookie: the key exchange gives new ones (or says why not).
        DropSocket();
        StartKeyExchange();
    }
}

bool CTimeQuery::SendRequest() {
    BurstEntry entry;
    entry.nonce = Hooks().newRequestNonce();
    std::optional<QByteArray> request = RequestOf(m_transport, entry.nonce);
    if (m_transport.request == wire::Request::NtsPacket) {
        const std::optional<CNtsSession::Request> nts = m_nts.TakeRequest(entry.nonce);
        if (!nts) {
            return false;
        }
        entry.uniqueId = nts->uniqueId;
        request = QByteArray(reinterpret_cast<const char*>(nts->bytes.data()),
                             static_cast<qsizetype>(nts->bytes.size()));
    }
    if (!request) {
        return true; // the Time protocol over TCP asks by connecting
    }
    if (m_transport.request == wire::Request::SntpPacket ||
        m_transport.request == wire::Request::NtsPacket) {
        m_burst.push_back(entry);
    }
    m_socket->SendWhenConnected(*request);
    return true;
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
        const bool unauthentic = m_unauthenticThisAttempt;
        Begin();
        if (unauthentic && m_pending) {
            m_view.ShowStatusText(QString::fromStdString(Translated(texts::kAuthenticationFailed)));
        }
    }
}

bool CTimeQuery::WantsNewKeys() const {
    // A NAK alone never costs the jar: the attempt that saw it had to end with no
    // authentic reply as well.
    return m_nakSeen || m_unansweredRequests >= kSilentRequestsBeforeNewKeys;
}

void CTimeQuery::OnSent(std::int64_t sentNtpNs) {
    // Requests leave, and are reported, in the order they were made.
    const auto entry = std::find_if(m_burst.begin(), m_burst.end(),
                                    [](const BurstEntry& each) { return !each.sentNtpNs; });
    if (entry == m_burst.end()) {
        return;
    }
    entry->sentNtpNs = sentNtpNs;
    if (m_transport.protocol == wire::Protocol::Nts) {
        ++m_unansweredRequests;
    }
    if (m_wanted > 1) {
        // The next request goes on the reply, or after a wait learned from the round trips.
        m_sampleTimer.start(burst::WaitForReplyMs(Samples()));
    }
}

void CTimeQuery::OnConnect(bool connected) {
    if (connected) {
        m_nameNotFound.reset();
        // A retry after unauthentic replies keeps saying so until something better comes.
        m_view.ShowStatusText(QString::fromStdString(
            Translated(m_unauthentic ? texts::kAuthenticationFailed : texts::kConnected)));
    } else {
        EndBeforeReply(QString::fromStdString(Translated(texts::kConnectFailed)),
                       QueryOutcome::Result::ConnectFailed);
    }
}

void CTimeQuery::OnNameNotResolved(bool notFound) {
    // The query goes on: the time-out asks again, as for a silent Timebase.
    m_nameNotFound = notFound;
    m_view.ShowStatusText(NameText(false));
}

QString CTimeQuery::NameText(bool ended) const {
    const QString host = m_transport.protocol == wire::Protocol::Nts
                             ? QString::fromStdString(m_nts.NtpServer())
                             : m_config.Host();
    return QString::fromStdString(
        results::NameNotResolvedText(host.toStdString(), *m_nameNotFound, ended));
}

void CTimeQuery::OnReply(const SocketReply& socketReply) {
    ReceivedReply reply;
    reply.bytes = {reinterpret_cast<const std::uint8_t*>(socketReply.bytes.constData()),
                   static_cast<std::size_t>(socketReply.bytes.size())};
    reply.sentNtpNs = socketReply.sentNtpNs;
    reply.arrivalNs = socketReply.arrivalNs;
    reply.address = socketReply.sender.toStdString();
    reply.localNtpNs = socketReply.localNtpNs;
    reply.kernelNs = socketReply.kernelNs;
    // A Time reply answers the connection itself; a packet answers one request of the burst.
    std::optional<Match> match =
        m_burst.empty() ? Match{0, DecideReply(m_transport, reply, 0, NtsCheck::Unprotected)}
                        : MatchReply(reply);
    if (!match) {
        return;
    }
    ReplyDecision& decision = match->decision;
    if (m_transport.protocol == wire::Protocol::Nts) {
        decision.outcome.ntsKeMs = m_nts.KeyExchangeMs();
    }
    switch (decision.refusal) {
    case ReplyDecision::Refusal::NotOurs:
        return;
    case ReplyDecision::Refusal::Renew:
    case ReplyDecision::Refusal::Unauthenticated:
        // Anyone can send these; the authentic reply may still come, so the query waits on.
        m_nakSeen = m_nakSeen || decision.refusal == ReplyDecision::Refusal::Renew;
        m_unauthentic = decision.outcome;
        m_unauthenticThisAttempt = true;
        return;
    default:
        break;
    }
    if (m_transport.protocol == wire::Protocol::Nts) {
        m_unansweredRequests = 0;
    }
    if (m_burst.empty()) {
        Finish(std::move(decision));
        return;
    }
    OnSampleReply(std::move(*match));
}

std::optional<CTimeQuery::Match> CTimeQuery::MatchReply(ReceivedReply reply) {
    for (std::size_t i = 0; i < m_burst.size(); ++i) {
        const BurstEntry& entry = m_burst[i];
        // A request answered well already takes no second reply (a duplicate or a replay).
        if (!entry.sentNtpNs || entry.sample.state == AnswerState::Good) {
            continue;
        }
        reply.sentNtpNs = *entry.sentNtpNs;
        const NtsCheck nts = m_transport.protocol == wire::Protocol::Nts
                                 ? CheckOf(m_nts.Check(reply.bytes, entry.uniqueId))
                                 : NtsCheck::Unprotected;
        ReplyDecision decision = DecideReply(m_transport, reply, entry.nonce, nts);
        if (decision.refusal != ReplyDecision::Refusal::NotOurs) {
            return Match{i, std::move(decision)};
        }
    }
    return std::nullopt;
}

void CTimeQuery::OnSampleReply(Match match) {
    BurstEntry& entry = m_burst[match.index];
    const bool latest = match.index + 1 == m_burst.size();
    const std::optional<Measurement>& measurement = match.decision.outcome.measurement;
    entry.sample.state = measurement ? AnswerState::Good : AnswerState::Bogus;
    entry.sample.offset = measurement ? measurement->offset : 0.0;
    entry.sample.delay = measurement ? measurement->delay : 0.0;
    const bool kissOfDeath = match.decision.outcome.result == QueryOutcome::Result::Bogus &&
                             match.decision.outcome.stratum == 0;
    entry.decision = std::move(match.decision);
    if (m_wanted == 1) {
        entry.sample.used = entry.sample.state == AnswerState::Good;
        Finish(*entry.decision);
        return;
    }
    // A late reply to an earlier request counts; the latest request keeps its own wait.
    if (!latest) {
        if (m_burst.back().decision && !HasOutstandingRequest()) {
            FinishBurst();
        }
        return;
    }
    m_sampleTimer.stop();
    if (burst::WantsAnother(Samples(), m_wanted, kissOfDeath) && SendRequest()) {
        return;
    }
    // Each NTS reply brings the cookie its request spent: the requests still out get one
    // more wait, so that a late reply does not leave the jar emptier.
    if (m_transport.protocol == wire::Protocol::Nts && HasOutstandingRequest()) {
        m_sampleTimer.start(burst::WaitForReplyMs(Samples()));
        return;
    }
    FinishBurst();
}

bool CTimeQuery::HasOutstandingRequest() const {
    return std::any_of(m_burst.begin(), m_burst.end(),
                       [](const BurstEntry& entry) { return entry.sentNtpNs && !entry.decision; });
}

void CTimeQuery::OnSampleTimeout() {
    if (!m_socket) {
        return;
    }
    if (burst::WantsAnother(Samples(), m_wanted, false) && SendRequest()) {
        return;
    }
    if (HasAnsweredSample()) {
        FinishBurst();
    }
    // Otherwise the requests out may still be answered until the query's time-out.
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
