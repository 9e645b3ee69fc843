// Each number's share of the counted main numbers, and the weighted pool built from
// the shares. Computed once at start-up; the reports and generators only read them.
#pragma once

void ComputePercentages();
void ShufflePool();
