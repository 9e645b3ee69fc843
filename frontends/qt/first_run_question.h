// kivo6's way of asking about the first start in the user's own folder: Qt's own box
// and file dialog, in the locale's language as Qt reads it. main.cpp hands it to
// OfferAHistory (frontends/launch), which decides what is written; the Qt tests answer it.
#pragma once

#include "frontends/launch/first_run.h"

class QtFirstRunQuestion final : public FirstRunQuestion {
  public:
    QtFirstRunQuestion();

    // Yes copies the example, the Open button reads the user's own history, No (and
    // Escape) writes nothing; Enter presses Yes.
    FirstRunAnswer Ask(const std::string& question) override;
    // Qt's own file dialog, not the desktop's: the same on every desktop, and one that
    // the tests can answer.
    std::filesystem::path PickHistory() override;
    // A warning box.
    void Tell(const std::string& text) override;
};
