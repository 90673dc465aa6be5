#include "ui/check_interval.h"

int g_nCheckInterval = kDefaultCheckInterval;

int CheckIntervalInEffect(int stored) {
    return stored >= kMinCheckInterval && stored <= kMaxCheckInterval ? stored : 0;
}
