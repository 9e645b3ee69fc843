// The first start in the user's own folder, decided once for kivo6 and kivo6-tty: when
// --own-folder finds no data.txt, the offer of the example history or of the user's
// own history, read as kivo6-check --fix reads it. Each front end asks in its own way
// (a Qt box and file dialog, a question on the terminal) through FirstRunQuestion.
#pragma once

#include "frontends/launch/launch.h"
#include "import/language.h"

#include <filesystem>
#include <string>

enum class FirstRunAnswer { Example, OwnHistory, Nothing };

// How a front end asks the user; OfferAHistory decides what is written.
class FirstRunQuestion {
  public:
    explicit FirstRunQuestion(Language spoken) : language(spoken) {}

    // The language of the front end's own words and of those it is given.
    const Language language;

    // Shows the question (UTF-8, lines ended by \n) and returns the answer.
    virtual FirstRunAnswer Ask(const std::string& question) = 0;
    // The file the user picks as their own history; empty when they go back.
    virtual std::filesystem::path PickHistory() = 0;
    // Says why nothing was written: a file refused, with its line and column or its
    // reason, or a write that failed. UTF-8, without a closing line end.
    virtual void Tell(const std::string& text) = 0;

  protected:
    ~FirstRunQuestion() = default;
};

// The answer that opens the user's own history, as a button or a choice names it.
const char* OwnHistoryAnswer(Language language);

// In the current folder, when it holds no data.txt and the example is installed: asks
// until the answer is Example (the example history is copied to data.txt), Nothing
// (nothing is written), or OwnHistory with a file that reads whole (its draws are written
// to data.txt, oldest first, as --fix writes them). A file refused, or none picked,
// brings the question back. data.txt is only ever made new: one that appears meanwhile
// stays as it is, and the failure is told.
void OfferAHistory(const LaunchProgram& program, FirstRunQuestion& question);
