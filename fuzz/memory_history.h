// What the history fuzzers share: the data.txt they hand KIVO6's reader, kept in an
// anonymous memory file and reached through its /proc path, so that the reader opens
// and reads it exactly as it does data.txt and no disk file is written; and the
// reader's failure notice, counted.
#pragma once

#include <cstddef>

// Makes the memory file, once, from LLVMFuzzerInitialize, and installs the counting
// failure notice; aborts when it cannot.
void OpenMemoryHistory();
// Replaces its contents with the bytes, and returns its path.
const char* WriteMemoryHistory(const void* data, std::size_t size);
// How many failure texts the reader has shown since the process started.
int FailuresShown();
