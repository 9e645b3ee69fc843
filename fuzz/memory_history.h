// What the history fuzzers share: the data.txt they hand KIVO6's reader, kept in an
// anonymous memory file and reached through its /proc path, so that the reader opens
// and reads it exactly as it does data.txt and no disk file is written; and the
// core's message box, counted and answered.
#pragma once

#include <cstddef>

// Makes the memory file, once, from LLVMFuzzerInitialize; aborts when it cannot.
void OpenMemoryHistory();
// Replaces its contents with the bytes, and returns its path.
const char* WriteMemoryHistory(const void* data, std::size_t size);
// How many message boxes the core has shown since the process started.
int MessageBoxesShown();
