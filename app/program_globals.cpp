#include "app/program_globals.h"

QString g_strTimeBase;
QString g_strSocketType;
QString g_strProtocol;
int g_bTextOnly = 0;
int g_bMinimizeToTray = 0;
std::uint16_t g_nTimebasePort = 0;

CTimeSocket* g_pSocket = nullptr;
int g_bCorrectClock = 0;
int g_bAutoCorrect = 0;
int g_bExitWhenDone = 0;

double g_dSendTime = 0.0;
double g_dServerRecvTime = 0.0;
double g_dServerXmitTime = 0.0;
double g_dRecvTime = 0.0;

std::array<platform::ManualResetEvent, 2> g_hEvents;
std::atomic<int> g_bStopWatchdog{0};
