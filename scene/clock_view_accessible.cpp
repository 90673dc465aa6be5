#include "scene/clock_view_accessible.h"

#include "scene/gl_scene.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

namespace {

// The time as static text: the whole of it is one read-only run without a caret.
class CClockViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit CClockViewAccessible(CGLScene* scene)
        : QAccessibleWidget(scene, QAccessible::Graphic) {}

    QString text(QAccessible::Text which) const override {
        switch (which) {
        case QAccessible::Name:
            return QCoreApplication::translate("CGLScene", "Clock");
        case QAccessible::Value:
            return Time();
        default:
            return QAccessibleWidget::text(which);
        }
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTextInterface
    QString text(int startOffset, int endOffset) const override {
        return Time().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Time().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

  private:
    QString Time() const { return static_cast<const CGLScene*>(object())->ClockText(); }
};

} // namespace

QAccessibleInterface* ClockViewAccessible(const QString&, QObject* object) {
    if (auto* scene = qobject_cast<CGLScene*>(object)) {
        return new CClockViewAccessible(scene);
    }
    return nullptr;
}
