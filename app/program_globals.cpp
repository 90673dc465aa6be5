#include "app/program_globals.h"

int g_bAutoCorrect = 0;
