#pragma once

class ITimeSyncView;

// The commands that start and end a time query.
void OnQueryTimebase(ITimeSyncView& view);
void OnCorrectClock(ITimeSyncView& view);
void OnTrayCorrectClock(ITimeSyncView& view);
void OnReset(ITimeSyncView& view);
