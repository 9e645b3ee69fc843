// A progress line for long runs of kivo6-check: it stays silent for the first second,
// then keeps one line up to date on a terminal, and clears it at the end.
#pragma once

#include "import/language.h"

#include <functional>
#include <string_view>

class ProgressMeter {
  public:
    // seconds: a steady clock; write: where the line goes (the terminal's error stream).
    ProgressMeter(Language language, std::function<double()> seconds,
                  std::function<void(std::string_view)> write);
    void Update(int done, int total);
    // Clears the line, if one was shown.
    void Finish();

  private:
    Language language_;
    std::function<double()> seconds_;
    std::function<void(std::string_view)> write_;
    double start_;
    double lastShown_ = -1.0;
    bool shown_ = false;
    int longest_ = 0; // terminal columns of the longest line shown, for Finish to clear
};
