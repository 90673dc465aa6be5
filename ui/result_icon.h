#pragma once

// The small icon at the start of pane 0 that tells how the last query ended.
#include <QIcon>

struct QueryOutcome;

enum class ResultIcon { None, Success, Warning, Failure, Secure };

// An answer beyond the maximum delta warns; an authenticated answer shows the lock; a
// corrected clock is a success however far it was off; every other end is a failure.
ResultIcon ResultIconOf(const QueryOutcome& outcome);

// "success", "warning", "failure", "secure"; empty for None (the label's property).
const char* ResultIconKey(ResultIcon icon);

// The icon theme's standard icon, else our own from the resources.
QIcon ResultIconImage(ResultIcon icon);
