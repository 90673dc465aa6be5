#include "ui/window_keys.h"

#include <QAction>
#include <QWidget>

void AddWindowKeys(QWidget& window, const std::vector<WindowKey>& keys) {
    for (const WindowKey& key : keys) {
        auto* action = new QAction(&window);
        action->setObjectName(QLatin1String(key.name));
        action->setShortcuts(key.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
        QObject::connect(action, &QAction::triggered, &window, key.run);
    }
}
