#pragma once

#include <functional>

class QWidget;

// The maximum delta warning: a modal box captioned "Horolux" with the warning icon, the
// offset and its direction, "Correct Now" (when given) and "Close", one at a time. It does
// not block the caller; the window's timer keeps running behind it.
void ShowDeltaWarningBox(QWidget* parent, double offset, const std::function<void()>& correctNow);
