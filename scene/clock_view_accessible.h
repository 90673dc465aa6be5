#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What a screen reader finds for the 3D view: a picture named "Clock" whose text is the
// time it shows, read when asked, so that the view stays quiet while the seconds pass.
QAccessibleInterface* ClockViewAccessible(const QString& className, QObject* object);
