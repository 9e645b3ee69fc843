// kivo6-check --add: adds the newest draw to a history that KIVO6 reads without a
// warning, as a line of its own just before END, every other byte kept, and keeps the
// file as it was beside it as FILE.prev. main.cpp runs it; the tests call it on files.
#pragma once

#include "import/language.h"

#include <array>
#include <string>
#include <string_view>

// The exit status of a command line that cannot be used.
inline constexpr int EXIT_USAGE = 64;

// A draw as the command line gives it: six main numbers, in the order given, and the
// bonus; or, in `problem`, what is wrong with it.
struct DrawToAdd {
    std::array<int, 7> numbers{};
    std::string problem;
};
// Values separated as --fix reads them, with a "+" before the bonus if the user likes.
DrawToAdd ReadDrawToAdd(std::string_view text, Language language);

// The exit status (0 written, 2 refused with nothing written, EXIT_USAGE for a draw
// that is not one) and what to say: on the output when written, else as an error.
struct AddOutcome {
    int status = 0;
    std::string text;
};
AddOutcome AddDraw(const std::string& file, std::string_view draw, Language language);

// What --add did: the draw, its place among the file's `draws`, where KIVO6 lists it,
// and where the file as it was is kept.
std::string FormatDrawAdded(const std::array<int, 7>& draw, int draws, std::string_view previous,
                            Language language);
