#pragma once

#include <QString>

// Per command: the name its actions carry as objectName, and its string-table entry:
// the prompt shown in status pane 0 while the item is highlighted, optionally followed
// by a line break and a short label that no toolbar ever shows.
// The name of a command id ("ID_PROTOCOL_SNTP"); empty for an unknown id.
QString CommandName(int id);

// The whole string-table entry of a command; empty when it has none.
QString CommandString(int id);

// The part of the entry before the first line break.
QString CommandPrompt(int id);
