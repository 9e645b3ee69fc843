// The platform-neutral half of the session host: the timer that plays the steps and
// the run itself. Each platform's session_host.cpp supplies the rest.
#include "support/session_host.h"

#include <gtest/gtest.h>

namespace {
// Long enough for a step's input to be handled before the next: user32 makes a timer
// message only once nothing else is queued.
constexpr UINT kStepIntervalMs = 10;
} // namespace

int SessionHost::Run(std::vector<DialogStep> steps) {
    steps_ = std::move(steps);
    next_ = 0;
    running = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, kStepIntervalMs, Tick);
    EXPECT_NE(timer, 0u);
    const int status = WinMain(DialogTestModule(), nullptr, const_cast<char*>(""), 1);
    KillTimer(nullptr, timer);
    running = nullptr;
    EXPECT_EQ(next_, steps_.size()) << "steps left when the program ended";
    return status;
}

void CALLBACK SessionHost::Tick(HWND, UINT, UINT_PTR, DWORD) {
    SessionHost* host = running;
    if (host == nullptr) {
        return;
    }
    if (host->next_ < host->steps_.size()) {
        // The step may run for a while; the next tick must not play the same one.
        const std::size_t step = host->next_++;
        host->steps_[step](host->InnermostDialog());
        return;
    }
    ADD_FAILURE() << "the steps ran out while the program waits";
    host->EndWhatIsUp();
}
