// The rules every data.txt must leave the core keeping, whatever its bytes: one body
// shared by the history fuzzer and the core test that replays the fuzzer's corpus.
#pragma once

#include <cstddef>
#include <cstdint>

// Starts the program afresh, loads the file at `path` (which must hold `data`) through
// the real reader, and again with the kivo6-check hook listening, then makes every
// request the main dialog can make. The settings dialog's flags come from the last two
// bytes and the clock from the four before them. `boxesShown` answers how many message
// boxes the process has shown so far. Returns nullptr when every table and text keeps
// its rules, or else what broke.
const char* CheckHistoryInvariants(const char* path, const std::uint8_t* data, std::size_t size,
                                   int (*boxesShown)());
