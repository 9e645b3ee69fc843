// End-to-end tests of kivo6.exe against the real Win32 dialog manager (on Linux,
// Wine's): each test starts the program in a fresh folder and uses it as a person
// would. Suggestions are random by the clock, so each one is checked against this
// process's own copy of the logic core for the seconds the request could have seen.
#include "session.h"
#include "support/reference_requests.h"

#include "generate/generators.h"
#include "generate/random_source.h"
#include "history/history_file.h"
#include "history/state.h"
#include "resources/resource.h"
#include "stats/reports.h"
#include "stats/shares.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <set>
#include <sstream>
#include <vector>

namespace {

// Eight draws chosen so that number 1 is a main number 3 times in 48 (6.25 %, shown
// as 6.3), 7 only ever the bonus number, and 43 a main number once.
constexpr const char* kHistory = "KIVO6 end-to-end history\n"
                                 "1 2 3 4 5 6 7\n"
                                 "1 8 9 10 11 12 13\n"
                                 "1 14 15 16 17 18 19\n"
                                 "20 21 22 23 24 25 26\n"
                                 "27 28 29 30 31 32 33\n"
                                 "34 35 36 37 38 39 40\n"
                                 "41 42 43 2 3 4 5\n"
                                 "8 9 10 11 12 13 14\n"
                                 "END\n";
constexpr std::array<int, 6> kLatestMainNumbers = {8, 9, 10, 11, 12, 13};

constexpr std::array<int, 3> kParityRadios = {IDC_MODE_NORMAL, IDC_MODE_EVEN, IDC_MODE_ODD};

std::uint32_t referenceSecond;
std::uint32_t ReferenceClock() {
    return referenceSecond;
}

// The seconds a request may have been seeded from: read before the click and after
// its box was found.
struct Answer {
    BoxSeen box;
    std::uint32_t firstSecond;
    std::uint32_t lastSecond;
};

std::uint32_t Now() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

Answer Ask(Session& session, int controlId) {
    Answer answer;
    answer.firstSecond = Now();
    ClickItem(session.MainDialog(), controlId);
    answer.box = session.ReadAndDismissBox();
    answer.lastSecond = Now();
    return answer;
}

std::vector<std::vector<int>> NumberLines(const std::wstring& text) {
    std::vector<std::vector<int>> lines;
    std::wistringstream in(text);
    std::wstring line;
    std::getline(in, line); // header
    std::getline(in, line); // empty line
    while (std::getline(in, line)) {
        std::wistringstream numbers(line);
        std::vector<int> values;
        for (int value = 0; numbers >> value;) {
            values.push_back(value);
        }
        lines.push_back(values);
    }
    return lines;
}

class EndToEnd : public ::testing::Test {
  protected:
    // Starts the program on the test history and loads the same file into this
    // process's core, as the program's start-up does.
    Session& StartWithHistory() {
        session_.WriteData(kHistory);
        session_.Start();
        ResetState();
        SeedRandom(1);
        EXPECT_EQ(LoadHistoryText(session_.DataPath().c_str()), 1);
        ComputePercentages();
        EXPECT_NE(session_.MainDialog(), nullptr) << "the main dialog did not open";
        return session_;
    }

    // True when some second of the answer's window makes the core write the same text.
    static bool CoreAgrees(const Answer& answer, const std::function<void()>& request) {
        for (std::uint32_t second = answer.firstSecond; second <= answer.lastSecond; ++second) {
            referenceSecond = second;
            CalendarClock = ReferenceClock;
            request();
            if (FromCodePage932(ResultText) == answer.box.text) {
                return true;
            }
        }
        return false;
    }

    static void ExpectType1(const Answer& answer, int exclude, int parity) {
        EXPECT_TRUE(CoreAgrees(answer, [&] { ReferenceType1(exclude != 0, parity); }))
            << "pattern " << exclude + 1 << ", parity " << parity << ": unexpected text\n"
            << testing::PrintToString(answer.box.text);
    }

    static void ExpectType2(const Answer& answer, const std::array<std::uint8_t, 5>& decades,
                            const std::array<std::uint8_t, 10>& pastDraws) {
        EXPECT_TRUE(CoreAgrees(answer, [&] { ReferenceType2(decades, pastDraws); }))
            << "unexpected Type 2 text\n"
            << testing::PrintToString(answer.box.text);
    }

    // Presses a report button twice: both boxes must show the core's report once,
    // not the second time appended to the first. Returns the first box.
    BoxSeen AskReportTwice(int controlId, void (*format)()) {
        const Answer first = Ask(session_, controlId);
        const Answer again = Ask(session_, controlId);
        std::fill(std::begin(ReportText), std::end(ReportText), '\0');
        format();
        EXPECT_EQ(first.box.text, FromCodePage932(ReportText));
        EXPECT_EQ(again.box.text, first.box.text);
        return first.box;
    }

    static void ExpectClosed(HWND window) {
        EXPECT_TRUE(WaitUntil([window] { return !IsWindow(window); })) << "the dialog stayed open";
    }

    static bool HasFocus(HWND dialog, int controlId) {
        return WaitUntil([=] { return FocusOf(dialog) == GetDlgItem(dialog, controlId); });
    }

    void ExpectNoBoxFor(DWORD milliseconds) {
        EXPECT_FALSE(session_.WindowAppears(L"Dialog", milliseconds)) << "a box appeared";
    }

    Session session_{testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(EndToEnd, WithoutDataFileTwoBoxesThenExitWithoutDialog) {
    session_.Start();
    BoxSeen first = session_.ReadAndDismissBox();
    EXPECT_EQ(first.text, L"Data Read ERROR");
    EXPECT_EQ(first.caption, L"Dialog");
    EXPECT_EQ(first.owner, nullptr);
    EXPECT_EQ(first.buttons, 1);
    EXPECT_TRUE(first.icon);
    EXPECT_FALSE(session_.WindowAppears(L"KIVO6", 0));

    BoxSeen second = session_.ReadAndDismissBox();
    EXPECT_EQ(second.text, L"ERROR ReadData");
    EXPECT_EQ(second.caption, L"Dialog");
    EXPECT_EQ(second.owner, nullptr);
    EXPECT_TRUE(second.icon);

    EXPECT_EQ(session_.WaitForExit(), 0u);
}

TEST_F(EndToEnd, WrongFirstLineTwoBoxesThenExit) {
    session_.WriteData("draws of last year\n1 2 3 4 5 6 7\nEND\n");
    session_.Start();
    EXPECT_EQ(session_.ReadAndDismissBox().text, L"Error: Wrong File.\nThis file is not data.txt");
    EXPECT_EQ(session_.ReadAndDismissBox().text, L"ERROR ReadData");
    EXPECT_EQ(session_.WaitForExit(), 0u);
}

TEST_F(EndToEnd, OpensWithNormalCheckedAndFocusOnExitButton) {
    HWND dialog = StartWithHistory().MainDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsChecked(dialog, IDC_MODE_NORMAL));
    EXPECT_FALSE(IsChecked(dialog, IDC_MODE_EVEN));
    EXPECT_FALSE(IsChecked(dialog, IDC_MODE_ODD));
    EXPECT_FALSE(IsChecked(dialog, IDC_EXCLUDE_PREVIOUS));
    EXPECT_TRUE(HasFocus(dialog, IDOK));
    ExpectNoBoxFor(300);
}

TEST_F(EndToEnd, ProbabilityReportShowsEveryShareAndDoesNotAccumulate) {
    StartWithHistory();
    const BoxSeen box = AskReportTwice(IDC_PROBABILITY, FormatProbabilityReport);
    EXPECT_EQ(box.owner, session_.MainDialog());
    EXPECT_TRUE(box.icon);

    // Read as a person would: 回 and ％ arrive as those characters, 3 of 48 is 6.3.
    const std::wstring& text = box.text;
    EXPECT_EQ(text.find(L"[01]:  3\u56DE: 6.3\uFF05  [02]:  2\u56DE: 4.2\uFF05  "), 0u) << text;
    EXPECT_NE(text.find(L"[07]:  0\u56DE: 0.0\uFF05  "), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"\n[41]:  1\u56DE: 2.1\uFF05  "), std::wstring::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 8);
}

TEST_F(EndToEnd, RecentDrawsListNewestFirst) {
    StartWithHistory();
    const BoxSeen box = AskReportTwice(IDC_HISTORY, FormatRecentDraws);
    EXPECT_EQ(box.text.find(L"No.008 : [08][09][10][11][12][13]:[14]\n"
                            L"No.007 : [41][42][43][02][03][04]:[05]\n"),
              0u)
        << box.text;
}

TEST_F(EndToEnd, Type1InBothPatternsAndEveryParity) {
    HWND dialog = StartWithHistory().MainDialog();
    for (int exclude = 0; exclude < 2; ++exclude) {
        if (exclude == 1) {
            ClickItem(dialog, IDC_EXCLUDE_PREVIOUS);
        }
        for (int parity = 0; parity < 3; ++parity) {
            // Choosing the radio button and asking at once: the button's own command
            // reads the radio buttons again.
            ClickItem(dialog, kParityRadios[static_cast<std::size_t>(parity)]);
            const Answer answer = Ask(session_, IDC_TYPE1);
            ExpectType1(answer, exclude, parity);
            EXPECT_EQ(answer.box.owner, dialog);

            const auto lines = NumberLines(answer.box.text);
            ASSERT_EQ(lines.size(), 3u) << testing::PrintToString(answer.box.text);
            for (const auto& line : lines) {
                ASSERT_EQ(line.size(), 6u);
                EXPECT_EQ(std::set<int>(line.begin(), line.end()).size(), 6u);
                for (int number : line) {
                    EXPECT_TRUE(number >= 1 && number <= 43);
                    if (parity != 0) {
                        EXPECT_EQ(number % 2, parity == 1 ? 0 : 1) << number;
                    }
                    if (exclude) {
                        EXPECT_EQ(std::count(kLatestMainNumbers.begin(), kLatestMainNumbers.end(),
                                             number),
                                  0)
                            << number;
                    }
                }
            }
        }
    }
}

TEST_F(EndToEnd, FocusMovingOverType1ShowsNoBox) {
    HWND dialog = StartWithHistory().MainDialog();
    PressKey(dialog, VK_TAB); // from the exit button onto "結果表示(Type1)"
    EXPECT_TRUE(HasFocus(dialog, IDC_TYPE1));
    ExpectNoBoxFor(500);
    PressKey(dialog, VK_TAB); // and off it again
    EXPECT_TRUE(HasFocus(dialog, IDC_PROBABILITY));
    ExpectNoBoxFor(500);
    // The button still answers a click.
    ExpectType1(Ask(session_, IDC_TYPE1), 0, 0);
}

TEST_F(EndToEnd, Type2WithoutExclusions) {
    StartWithHistory();
    const Answer answer = Ask(session_, IDC_TYPE2);
    ExpectType2(answer, {}, {});
    EXPECT_EQ(NumberLines(answer.box.text).size(), 5u);
}

TEST_F(EndToEnd, SettingsOkCommitsExclusionsForType2) {
    HWND dialog = StartWithHistory().MainDialog();
    ClickItem(dialog, IDC_SETTINGS);
    HWND settings = session_.WaitForWindow(L"詳細設定");
    ASSERT_NE(settings, nullptr);
    for (int id = IDC_DECADE_1; id <= IDC_PAST_10; ++id) {
        if (GetDlgItem(settings, id) != nullptr) {
            EXPECT_FALSE(IsChecked(settings, id)) << id;
        }
    }
    ClickItem(settings, IDC_DECADE_1);
    ClickItem(settings, IDC_PAST_1);
    ClickItem(settings, IDC_PAST_2); // checked and cleared again: stays off
    ClickItem(settings, IDC_PAST_2);
    ClickItem(settings, IDOK);
    ExpectClosed(settings);
    ExpectNoBoxFor(400);

    const Answer answer = Ask(session_, IDC_TYPE2);
    ExpectType2(answer, {1, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    for (const auto& ticket : NumberLines(answer.box.text)) {
        for (int number : ticket) {
            EXPECT_GT(number, 13) << "1 to 10 and the latest draw are left out";
        }
    }

    // The next opening shows what was accepted.
    ClickItem(dialog, IDC_SETTINGS);
    settings = session_.WaitForWindow(L"詳細設定");
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(IsChecked(settings, IDC_DECADE_1));
    EXPECT_TRUE(IsChecked(settings, IDC_PAST_1));
    EXPECT_FALSE(IsChecked(settings, IDC_PAST_2));
    ClickItem(settings, IDCANCEL);
}

TEST_F(EndToEnd, SettingsCancelEscapeAndCloseBoxKeepTheFlags) {
    HWND dialog = StartWithHistory().MainDialog();
    const std::array<std::function<void(HWND)>, 3> ways = {
        [](HWND settings) { ClickItem(settings, IDCANCEL); },
        [](HWND settings) { PressKey(settings, VK_ESCAPE); },
        [](HWND settings) { CloseBox(settings); }};
    for (std::size_t way = 0; way < ways.size(); ++way) {
        SCOPED_TRACE(way);
        ClickItem(dialog, IDC_SETTINGS);
        HWND settings = session_.WaitForWindow(L"詳細設定");
        ASSERT_NE(settings, nullptr);
        EXPECT_FALSE(IsChecked(settings, IDC_DECADE_2));
        ClickItem(settings, IDC_DECADE_2);
        EXPECT_TRUE(WaitUntil([settings] { return IsChecked(settings, IDC_DECADE_2); }));
        ways[way](settings);
        ExpectClosed(settings);
        ExpectNoBoxFor(300);
    }
    ExpectType2(Ask(session_, IDC_TYPE2), {}, {});
}

TEST_F(EndToEnd, EveryWayOutEndsWithStatusZero) {
    struct WayOut {
        const char* name;
        std::function<void(HWND)> leave;
    };
    const std::array<WayOut, 5> ways = {{
        {"exit-button", [](HWND dialog) { ClickItem(dialog, IDOK); }},
        {"mnemonic-x",
         [](HWND dialog) {
             // Away from the exit button first, so only the mnemonic can reach it.
             PressKey(dialog, VK_TAB);
             EXPECT_TRUE(HasFocus(dialog, IDC_TYPE1));
             PressKey(dialog, 'X');
         }},
        {"enter-on-exit-button", [](HWND dialog) { PressKey(dialog, VK_RETURN); }},
        {"escape", [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }},
        {"close-box", [](HWND dialog) { CloseBox(dialog); }},
    }};
    for (const WayOut& way : ways) {
        SCOPED_TRACE(way.name);
        Session session(way.name);
        session.WriteData(kHistory);
        session.Start();
        HWND dialog = session.MainDialog();
        ASSERT_NE(dialog, nullptr);
        way.leave(dialog);
        EXPECT_EQ(session.WaitForExit(), 0u);
    }
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kivo6_e2e [gtest options] PATH-TO-kivo6.exe\n");
        return 2;
    }
    SetProgramPath(argv[1]);
    return RUN_ALL_TESTS();
}
