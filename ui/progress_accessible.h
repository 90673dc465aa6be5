#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What a screen reader finds for the status bar's progress control: a named progress bar
// that says its percentage and offers no actions (it cannot be stepped by the user).
QAccessibleInterface* ProgressAccessible(const QString& className, QObject* object);
