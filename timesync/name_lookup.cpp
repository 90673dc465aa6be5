#include "timesync/name_lookup.h"

#include <QUrl>
#include <cstring>
#include <mutex>
#include <netdb.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <vector>

// What the resolving thread and the lookup share: the thread posts its answer only while
// the lookup still exists.
struct CNameLookup::Link {
    std::mutex mutex;
    CNameLookup* lookup = nullptr;
};

namespace {

struct Answer {
    std::vector<sockaddr_storage> addresses;
    int error = 0; // of getaddrinfo
};

Answer Resolve(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM; // one entry per address
    addrinfo* list = nullptr;
    Answer answer;
    answer.error = getaddrinfo(name.c_str(), nullptr, &hints, &list);
    if (answer.error != 0) {
        return answer;
    }
    for (const addrinfo* entry = list; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_addrlen <= sizeof(sockaddr_storage)) {
            sockaddr_storage address{};
            std::memcpy(&address, entry->ai_addr, entry->ai_addrlen);
            answer.addresses.push_back(address);
        }
    }
    freeaddrinfo(list);
    return answer;
}

CNameLookup::Failure FailureOf(int error) {
    // EAI_NODATA: the name exists without an address, which is as useless here.
    return error == 0 || error == EAI_NONAME || error == EAI_NODATA
               ? CNameLookup::Failure::NotFound
               : CNameLookup::Failure::LookupFailed;
}

} // namespace

CNameLookup::CNameLookup(const QString& name, QObject* parent)
    : QObject(parent), m_link(std::make_shared<Link>()) {
    m_link->lookup = this;
    // Names beyond ASCII go to the resolver in their ASCII (punycode) form.
    const std::string ascii = QUrl::toAce(name).toStdString();
    std::thread([link = m_link, ascii] {
        const Answer answer = Resolve(ascii);
        const std::lock_guard lock(link->mutex);
        if (link->lookup == nullptr) {
            return;
        }
        // Queued on the lookup: dropped by Qt if the lookup is destroyed before it runs.
        CNameLookup* lookup = link->lookup;
        QMetaObject::invokeMethod(
            lookup,
            [lookup, answer] {
                QList<QHostAddress> addresses;
                for (const sockaddr_storage& address : answer.addresses) {
                    const QHostAddress host(reinterpret_cast<const sockaddr*>(&address));
                    if (!host.isNull() && !addresses.contains(host)) {
                        addresses.append(host);
                    }
                }
                if (addresses.isEmpty()) {
                    Q_EMIT lookup->Failed(FailureOf(answer.error));
                } else {
                    Q_EMIT lookup->Resolved(addresses);
                }
            },
            Qt::QueuedConnection);
    }).detach();
}

CNameLookup::~CNameLookup() {
    const std::lock_guard lock(m_link->mutex);
    m_link->lookup = nullptr;
}
