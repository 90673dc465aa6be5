#pragma once

class QWidget;

// The maximum delta warning: a modal box captioned "Horolux" with an OK button. It does
// not block the caller; the window's timer keeps running behind it.
void ShowDeltaWarningBox(QWidget* parent);
