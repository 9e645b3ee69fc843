// The two text reports of the main dialog: the share table and the recent draws.
// Both append to ReportText, which the caller clears first.
#pragma once

void FormatProbabilityReport();
void FormatRecentDraws();
