// The progress line of kivo6-check's long runs (the backtest): silent for the first
// second, then one line kept up to date in place with carriage returns, at most ten
// times a second, and cleared by Finish so the report starts on a clean line.
#include "check/progress.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr double QUIET_SECONDS = 1.0;   // a run shorter than this shows nothing
constexpr double REFRESH_SECONDS = 0.1; // more often only costs terminal output

std::string ProgressLine(Language language, int done, int total) {
    long long percent = total > 0 ? static_cast<long long>(done) * 100 / total : 100;
    if (language == Language::Japanese) {
        return "バックテスト: " + std::to_string(total) + " 回中 " + std::to_string(done) +
               " 回 (" + std::to_string(percent) + "%)";
    }
    return "Backtest: " + std::to_string(done) + " of " + std::to_string(total) + " draws (" +
           std::to_string(percent) + "%)";
}

} // namespace

ProgressMeter::ProgressMeter(Language language, std::function<double()> seconds,
                             std::function<void(std::string_view)> write)
    : language_(language), seconds_(std::move(seconds)), write_(std::move(write)),
      start_(seconds_()) {}

void ProgressMeter::Update(int done, int total) {
    double now = seconds_();
    if (now - start_ < QUIET_SECONDS) {
        return;
    }
    // The last update always shows, so the line never stops short of the end.
    bool last = done >= total;
    if (shown_ && !last && now - lastShown_ < REFRESH_SECONDS) {
        return;
    }
    std::string line = ProgressLine(language_, done, total);
    write_("\r" + line);
    shown_ = true;
    lastShown_ = now;
    longest_ = std::max(longest_, DisplayWidth(line));
}

void ProgressMeter::Finish() {
    if (!shown_) {
        return;
    }
    write_("\r" + std::string(static_cast<std::size_t>(longest_), ' ') + "\r");
    shown_ = false;
    longest_ = 0;
}
