#pragma once

// The main window's size and place, kept in the settings file between runs.
class QWidget;

// Base64 of QWidget::saveGeometry, so that the file stays readable text.
inline constexpr const char* kKeyWindowGeometry = "WindowGeometry";

void SaveWindowGeometry(const QWidget& window);
// False when nothing usable is stored (none, damaged, or on no screen there is now): the
// window is then left at its default size and place.
bool RestoreWindowGeometry(QWidget& window);
