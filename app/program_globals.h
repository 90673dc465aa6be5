#pragma once

// Set at start-up when the program was given any argument: the window corrects the clock
// once by itself and closes. The settings live with the layers that read them
// (timesync/query_settings.h, ui/window_settings.h).
extern int g_bAutoCorrect;
