// kivo6-tty's way of asking about the first start in the user's own folder: a question
// on standard input and output, before curses takes the screen. main.cpp hands it to
// OfferAHistory (frontends/launch), which decides what is written.
#pragma once

#include "frontends/launch/first_run.h"

#include <iosfwd>

class TerminalFirstRunQuestion final : public FirstRunQuestion {
  public:
    // A path typed is from `startedIn`, the folder the program was started in.
    TerminalFirstRunQuestion(std::istream& in, std::ostream& out, Language language,
                             std::filesystem::path startedIn);

    // y (or Enter alone) copies the example, o asks for the user's own history, n writes
    // nothing; the end of input is n. Anything else asks again.
    FirstRunAnswer Ask(const std::string& question) override;
    // A path on the next line, as a shell would read it: ~/ is the home folder, quotes
    // around it (as a file dropped on a terminal is written) go. Enter alone, or the end
    // of input, goes back.
    std::filesystem::path PickHistory() override;
    void Tell(const std::string& text) override;

  private:
    // The line the user types, without the spaces around it; false at the end of input.
    bool ReadAnswer(std::string& answer);

    std::istream& in_;
    std::ostream& out_;
    std::filesystem::path startedIn_;
};
