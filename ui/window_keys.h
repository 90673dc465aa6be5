#pragma once

#include <QKeySequence>
#include <QList>
#include <functional>
#include <vector>

class QWidget;

// A key that reaches one of the window's commands wherever the focus is inside it.
struct WindowKey {
    const char* name; // the shortcut action's objectName
    QList<QKeySequence> keys;
    std::function<void()> run;
};

// Adds one window-wide shortcut action per row.
void AddWindowKeys(QWidget& window, const std::vector<WindowKey>& keys);
