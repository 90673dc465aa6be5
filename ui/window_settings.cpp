#include "ui/window_settings.h"

int g_bTextOnly = 0;
int g_bMinimizeToTray = 0;
