#pragma once

#include <QPixmap>
#include <QSize>

// The images that stand for the two US Navy Timebases in the menu bar: an emblem and
// the Timebase's host name, painted once at start-up.
inline constexpr QSize kTimebaseImageSize(145, 45);

QPixmap PaintTimebaseImage(const QString& label, const QString& hostName);
