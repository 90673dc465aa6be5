#pragma once

class QWidget;

// The maximum delta warning: a modal box captioned "Horolux" with the warning icon and an
// OK button, one at a time. It does not block the caller; the window's timer keeps running
// behind it.
void ShowDeltaWarningBox(QWidget* parent);
