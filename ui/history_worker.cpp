#include "ui/history_worker.h"

#include "history/history_store.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <utility>

CHistoryWorker::CHistoryWorker(QString path)
    : m_path(std::move(path)), m_store(std::make_shared<std::unique_ptr<history::HistoryStore>>()) {
    // One thread that never expires, so that the store is always used where it was made.
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1);
}

CHistoryWorker::~CHistoryWorker() {
    // The connection closes on its own thread; rows queued before it are written first.
    m_pool.start([store = m_store] { store->reset(); });
    m_pool.waitForDone(history::kBusyTimeoutMilliseconds + 5000);
}

void CHistoryWorker::Run(std::function<void(history::HistoryStore&)> task) {
    m_pool.start([store = m_store, path = m_path, task = std::move(task)] {
        if (!*store) {
            *store = path.isEmpty() ? std::make_unique<history::HistoryStore>()
                                    : std::make_unique<history::HistoryStore>(path);
        }
        task(**store);
    });
}

void CHistoryWorker::Append(history::MeasurementRow row) {
    Run([row = std::move(row)](history::HistoryStore& store) {
        store.Append(std::span<const history::MeasurementRow>(&row, 1));
    });
}

template <typename T>
void CHistoryWorker::HandOver(QPointer<QObject> receiver, std::function<void(T)> done, T value) {
    // Sent through the application, which outlives every window; the receiver is checked on
    // its own thread.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [target = std::move(receiver), done = std::move(done), value = std::move(value)]() mutable {
            if (target) {
                done(std::move(value));
            }
        },
        Qt::QueuedConnection);
}

void CHistoryWorker::LoadChart(std::int64_t fromUtcMicroseconds, std::int64_t toUtcMicroseconds,
                               QObject* receiver, std::function<void(Chart)> done) {
    Run([=, target = QPointer<QObject>(receiver),
         done = std::move(done)](history::HistoryStore& store) {
        Chart chart;
        chart.points = store.LoadChart(fromUtcMicroseconds, toUtcMicroseconds, chart.servers);
        HandOver(target, done, std::move(chart));
    });
}

void CHistoryWorker::LoadRows(std::int64_t fromUtcMicroseconds, std::int64_t toUtcMicroseconds,
                              QObject* receiver,
                              std::function<void(std::vector<history::MeasurementRow>)> done) {
    Run([=, target = QPointer<QObject>(receiver),
         done = std::move(done)](history::HistoryStore& store) {
        HandOver(target, done, store.Load(fromUtcMicroseconds, toUtcMicroseconds));
    });
}

bool CHistoryWorker::Wait(int ms) {
    return m_pool.waitForDone(ms);
}
