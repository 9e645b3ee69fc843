// The rules every data.txt must leave the core keeping, whatever its bytes: one body
// shared by the history fuzzer and the core test that replays the fuzzer's corpus.
#pragma once

#include <cstddef>
#include <cstdint>

// Starts the program on the file at `path` (which must hold `data`), and again with a
// listener as kivo6-check does, then makes every request the main dialog can make. The
// settings dialog's flags come from the last two bytes and the clock from the four
// before them. `failuresShown` answers how many failure texts the reader has shown. Returns nullptr
// when every table and text keeps its rules, or else what broke.
const char* CheckHistoryInvariants(const char* path, const std::uint8_t* data, std::size_t size,
                                   int (*failuresShown)());
