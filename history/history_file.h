// Reading data.txt into the draw history and the per-number counters.
// Called once by the entry routine, right after ResetState.
#pragma once

// 1 when the history was loaded (even with no draws), 0 after showing why it was not.
int LoadHistoryText(const char* path);
