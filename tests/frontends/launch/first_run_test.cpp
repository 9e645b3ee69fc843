// Tests of the first start in the user's own folder as both front ends share it: the
// question, answered by a script in place of a front end's box or terminal, and what
// data.txt holds afterwards.
#include "frontends/launch/first_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A user who answers y, o or n from a script, each o followed by the file they pick
// ("" goes back, a leading + makes a data.txt meanwhile), and n past its end. Notes
// what they see: ? for the question naming the data.txt to be made, [text] told.
struct ScriptedQuestion final : FirstRunQuestion {
    explicit ScriptedQuestion(std::vector<std::string> acts)
        : FirstRunQuestion(Language::English), script(std::move(acts)) {}
    std::string Next() {
        return played < script.size() ? script[played++] : "n";
    }
    FirstRunAnswer Ask(const std::string& question) override {
        seen += question.find(fs::absolute("data.txt").string()) != question.npos ? "?" : question;
        const std::string answer = Next();
        return answer == "y"   ? FirstRunAnswer::Example
               : answer == "o" ? FirstRunAnswer::OwnHistory
                               : FirstRunAnswer::Nothing;
    }
    fs::path PickHistory() override {
        std::string picked = Next();
        if (picked.starts_with('+')) {
            std::ofstream("data.txt") << "KIVO\n";
            picked.erase(0, 1);
        }
        return picked == "n" ? "" : picked;
    }
    void Tell(const std::string& text) override {
        seen += "[" + text + "]";
    }

    std::vector<std::string> script;
    std::string seen;
    std::size_t played = 0;
};

TEST(FirstRun, OffersAHistoryAndNeverReplacesOne) {
    const fs::path top =
        fs::temp_directory_path() / ("kivo6_first_run_" + std::to_string(getpid()));
    const std::string csv = (top / "export.csv").string(), five = (top / "five.txt").string();
    const std::string example = "KIVO example\n1 2 3 4 5 6 7\n", none = "(none)";
    fs::create_directories(top);
    std::ofstream(top / "example.txt") << example;
    setenv("KIVO6_EXAMPLE_HISTORY", (top / "example.txt").c_str(), 1);
    // An export with draw numbers, newest first; and a draw of five numbers on line 2.
    std::ofstream(csv) << "draw,N1,N2,N3,N4,N5,N6,BONUS\n2,8,9,10,11,12,13,14\n1,1,2,3,4,5,6,7\n";
    std::ofstream(five) << "KIVO\n1 2 3 4 5\n";
    const std::string fixed = "KIVO6\r\n1 2 3 4 5 6 7\r\n8 9 10 11 12 13 14\r\nEND\r\n";
    const std::string refused = "?[five.txt:2:1: error: this line holds 5 numbers besides any "
                                "draw number and date; a draw is seven: six main numbers and "
                                "the bonus\nfive.txt: nothing was written.]?";
    const std::string clash = "?[Your history could not be written.\n" + csv + " → " +
                              (top / "clash/data.txt").string() + ":\nFile exists]";
    const struct {
        const char* name;
        std::string existing, after; // data.txt before ("" for none) and after
        std::vector<std::string> script;
        std::string seen;
    } cases[] = {
        {"yes", "", example, {"y"}, "?"},
        {"no", "", none, {"n"}, "?"},
        {"existing", "KIVO6\n", "KIVO6\n", {"y"}, ""},
        {"own", "", fixed, {"o", csv}, "?"},
        {"refused", "", none, {"o", five}, refused},
        {"back", "", none, {"o", ""}, "??"},
        {"clash", "", "KIVO\n", {"o", "+" + csv}, clash},
    };
    const fs::path start = fs::current_path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::create_directories(top / c.name);
        fs::current_path(top / c.name);
        if (!c.existing.empty()) {
            std::ofstream("data.txt") << c.existing;
        }
        ScriptedQuestion question(c.script);
        OfferAHistory({"kivo6", "", true, ""}, question);
        EXPECT_EQ(question.seen, c.seen);
        std::ostringstream after;
        after << std::ifstream("data.txt").rdbuf();
        EXPECT_EQ(fs::exists("data.txt") ? after.str() : none, c.after);
        fs::current_path(start);
    }
    fs::remove_all(top);
}

} // namespace
