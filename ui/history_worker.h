#pragma once

// The window's way to the history file: every read and write runs on one thread of its
// own, so that a write waiting out another program's (up to the store's busy time-out)
// never holds up the window. The store lives and dies on that thread.
#include "history/measurement_row.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <vector>

namespace history {
class HistoryStore;
}

class CHistoryWorker {
  public:
    // The points of a range and the server names they index.
    struct Chart {
        std::vector<history::ChartPoint> points;
        QStringList servers;
    };

    // An empty path: the history's own place, read when the first task runs.
    explicit CHistoryWorker(QString path = {});
    // Waits for the rows still to be written, at most a little over the busy time-out.
    ~CHistoryWorker();
    CHistoryWorker(const CHistoryWorker&) = delete;
    CHistoryWorker& operator=(const CHistoryWorker&) = delete;

    void Append(history::MeasurementRow row);
    // Loads [from, to) and hands the points to done on the receiver's thread, unless the
    // receiver is gone by then.
    void LoadChart(std::int64_t fromUtcMicroseconds, std::int64_t toUtcMicroseconds,
                   QObject* receiver, std::function<void(Chart)> done);
    // Loads the whole rows of [from, to), handed over as LoadChart's are.
    void LoadRows(std::int64_t fromUtcMicroseconds, std::int64_t toUtcMicroseconds,
                  QObject* receiver,
                  std::function<void(std::vector<history::MeasurementRow>)> done);
    // Waits until every task given so far has run; false when that took longer than ms.
    bool Wait(int ms);

  private:
    // Hands a value made on the worker's thread to done on the receiver's.
    template <typename T>
    static void HandOver(QPointer<QObject> receiver, std::function<void(T)> done, T value);
    void Run(std::function<void(history::HistoryStore&)> task);

    QString m_path;
    QThreadPool m_pool;
    // Touched only by the pool's one thread.
    std::shared_ptr<std::unique_ptr<history::HistoryStore>> m_store;
};
