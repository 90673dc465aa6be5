#include "ui/progress_accessible.h"

#include <QAccessibleWidget>
#include <QProgressBar>

namespace {

// No value interface: the AT-SPI bridge offers Increase and Decrease for every control
// that has one, and a query's progress is not the user's to change.
class CProgressAccessible : public QAccessibleWidget {
  public:
    explicit CProgressAccessible(QProgressBar* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Value) {
            return static_cast<const QProgressBar*>(object())->text();
        }
        return QAccessibleWidget::text(which);
    }
    QStringList actionNames() const override { return {}; }
};

} // namespace

QAccessibleInterface* ProgressAccessible(const QString&, QObject* object) {
    if (auto* bar = qobject_cast<QProgressBar*>(object)) {
        return new CProgressAccessible(bar);
    }
    return nullptr;
}
