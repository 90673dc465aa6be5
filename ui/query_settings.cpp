#include "ui/query_settings.h"

QString g_strTimeBase;
QString g_strSocketType;
QString g_strProtocol;
QString g_strNtsCaFile;
int g_nSamples = kDefaultSamples;

QueryConfig WindowQueryConfig(bool correct) {
    QueryConfig config;
    config.timebase = g_strTimeBase;
    config.protocol = g_strProtocol;
    config.socketType = g_strSocketType;
    config.samples = g_nSamples;
    config.caFile = g_strNtsCaFile;
    config.correct = correct;
    return config;
}
