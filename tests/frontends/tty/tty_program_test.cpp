// End-to-end tests of kivo6-tty in a tmux terminal: each test starts the program in
// a fresh folder and uses it with keys and clicks, reading the screen back. The
// clock of the program variant under test stands still, so this process's own copy
// of the logic core says exactly what every result must be.
#include "terminal_session.h"

#include "generate/generators.h"
#include "generate/random_source.h"
#include "history/history_file.h"
#include "history/state.h"
#include "stats/reports.h"
#include "stats/shares.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>

namespace {

const std::vector<Draw> kDraws = {{3, 11, 19, 27, 35, 42, 7},  {1, 8, 15, 22, 29, 36, 43},
                                  {2, 9, 16, 23, 30, 37, 5},   {4, 10, 17, 24, 31, 38, 12},
                                  {5, 12, 18, 25, 32, 39, 1},  {6, 13, 20, 26, 33, 40, 2},
                                  {7, 14, 21, 28, 34, 41, 3},  {1, 2, 3, 4, 5, 6, 8},
                                  {38, 39, 40, 41, 42, 43, 9}, {10, 20, 30, 40, 15, 25, 35}};

using Lines = std::vector<std::wstring>;

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const std::size_t length = std::mbstowcs(wide.data(), utf8.c_str(), wide.size());
    wide.resize(length == static_cast<std::size_t>(-1) ? 0 : length);
    return wide;
}

// The program's code page 932 text as the lines a box shows, trailing blanks removed.
Lines LinesOf(const char* text) {
    std::string utf8(std::strlen(text) * 3 + 1, '\0');
    iconv_t converter = iconv_open("UTF-8", "CP932");
    char* in = const_cast<char*>(text);
    char* out = utf8.data();
    std::size_t inLeft = std::strlen(text);
    std::size_t outLeft = utf8.size();
    iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    utf8.resize(utf8.size() - outLeft);
    Lines lines;
    std::wstring wide = Wide(utf8);
    for (std::size_t start = 0; start < wide.size();) {
        std::size_t end = std::min(wide.find(L'\n', start), wide.size());
        std::wstring line = wide.substr(start, end - start);
        line.erase(line.find_last_not_of(L' ') + 1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::wstring WithoutBlanks(const Lines& lines) {
    std::wstring joined;
    for (const std::wstring& line : lines) {
        std::copy_if(line.begin(), line.end(), std::back_inserter(joined),
                     [](wchar_t c) { return c != L' '; });
    }
    return joined;
}

// The logic core as the program runs it: loaded from the same data.txt, started from
// the same random state, with the same clock, asked the same things in the same order.
class Oracle {
  public:
    explicit Oracle(const std::filesystem::path& data) {
        ResetState();
        ParityMode = PARITY_NORMAL;
        excludePrevious = 0;
        std::fill(std::begin(DecadeFlags), std::end(DecadeFlags), 0);
        std::fill(std::begin(PastDrawFlags), std::end(PastDrawFlags), 0);
        SeedRandom(1);
        EXPECT_EQ(LoadHistoryText(data.string().c_str()), 1);
        ComputePercentages();
        StopClockAt(KIVO6_FIXED_SECOND);
    }
    Lines Type1(std::int32_t parity) {
        ParityMode = parity;
        BeginResult("Pattern 1\n\n");
        GenerateUniform();
        GeneratePooled();
        GenerateInverse();
        return LinesOf(ResultText);
    }
    Lines Type2(const std::array<std::uint8_t, DECADE_GROUPS>& decades) {
        std::copy(decades.begin(), decades.end(), DecadeFlags);
        BeginResult("Type 2\n\n");
        GenerateTickets();
        return LinesOf(ResultText);
    }
    Lines Report(void (*format)()) {
        std::fill(std::begin(ReportText), std::end(ReportText), '\0');
        format();
        return LinesOf(ReportText);
    }
};

bool ContainsAll(const Screen& screen, std::initializer_list<const wchar_t*> texts) {
    return std::all_of(texts.begin(), texts.end(),
                       [&](const wchar_t* text) { return screen.Contains(text); });
}

// The text lines of the message box on the screen (between the blank lines under its
// top frame and above its button), or nothing when no box is up.
Lines BoxLines(const Screen& screen) {
    const auto title = screen.Find(L" /!\\ ");
    if (!title) {
        return {};
    }
    const int left = title->column - 2;
    const auto& top = screen.rows[static_cast<std::size_t>(title->row)];
    int right = title->column;
    while (right < static_cast<int>(top.size()) &&
           top[static_cast<std::size_t>(right)].character != L'┐') {
        ++right;
    }
    const auto button = screen.Find(L"[ OK ]");
    Lines lines;
    for (int row = title->row + 2; button && row < button->row - 1; ++row) {
        std::wstring line = screen.Span(row, left + 1, right);
        line.erase(0, std::min(line.find_first_not_of(L' '), line.size()));
        lines.push_back(line);
    }
    return lines;
}

// Every row's "[NN]" entries start in the columns the first row's do.
void ExpectEntriesLineUp(const Screen& screen) {
    std::vector<int> reference;
    for (const auto& row : screen.rows) {
        std::vector<int> columns;
        for (std::size_t column = 0; column + 1 < row.size(); ++column) {
            if (row[column].character == L'[' && std::iswdigit(row[column + 1].character)) {
                columns.push_back(static_cast<int>(column));
            }
        }
        if (reference.empty()) {
            reference = columns;
        } else if (!columns.empty()) {
            EXPECT_TRUE(std::equal(columns.begin(), columns.end(), reference.begin(),
                                   reference.begin() + static_cast<long>(std::min(
                                                           columns.size(), reference.size()))) &&
                        columns.size() <= reference.size())
                << screen.Dump();
        }
    }
    EXPECT_GE(reference.size(), 4u) << screen.Dump();
}

class TtyProgram : public ::testing::Test {
  protected:
    void Start(bool withData = true, int columns = 100, int rows = 40) {
        if (withData) {
            std::ofstream(session_.Folder() / "data.txt", std::ios::binary) << HistoryText(kDraws);
            oracle_.emplace(session_.Folder() / "data.txt");
        }
        session_.Start(KIVO6_TTY_FIXED_CLOCK_PROGRAM, columns, rows);
        if (withData) {
            Await(L"終了（X）");
        }
    }

    Screen Await(const std::function<bool(const Screen&)>& condition, const char* what) {
        Screen screen;
        EXPECT_TRUE(session_.WaitFor(condition, &screen)) << "waited for " << what << ", saw:\n"
                                                          << screen.Dump();
        return screen;
    }
    Screen Await(const std::wstring& text) {
        return Await([&](const Screen& s) { return s.Contains(text); }, "a text");
    }
    Screen AwaitGone(const std::wstring& text) {
        return Await([&](const Screen& s) { return !s.rows.empty() && !s.Contains(text); },
                     "a text to go");
    }
    Screen AwaitBox(const Lines& lines) {
        Screen screen =
            Await([&](const Screen& s) { return BoxLines(s) == lines; }, "a message box's lines");
        EXPECT_EQ(BoxLines(screen), lines);
        return screen;
    }
    Screen AwaitFocus(const std::wstring& reversed) {
        return Await([&](const Screen& s) { return s.Reversed() == reversed; }, "the focus");
    }
    void ClickOn(const std::wstring& text) {
        const auto place = session_.Capture().Find(text);
        ASSERT_TRUE(place.has_value());
        session_.Click(place->row, place->column + 1);
    }
    void ExpectExitStatusZero() {
        EXPECT_EQ(session_.WaitForExit(), std::optional<int>(0));
    }

    static std::string FolderName() {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        return name;
    }

    TerminalSession session_{std::filesystem::temp_directory_path() / "kivo6-tty-tests" /
                             FolderName()};
    std::optional<Oracle> oracle_;
};

TEST_F(TtyProgram, StartScreenThenSettingsOverIt) {
    Start();
    // A dialog reaches the terminal in more than one write; a slow program (under
    // valgrind) can be read back half drawn, so wait for the last of its texts.
    const auto mainTexts = {L"数字算出",       L"[ ] 前回の数字を排除", L"(*) 通常",
                            L"( ) 偶数のみ",   L"( ) 奇数のみ",         L"確立表示",
                            L"過去の当選結果", L"結果表示(Type1)",      L"結果表示(Type2)",
                            L"[ 詳細設定 ]"};
    Screen screen =
        Await([&](const Screen& s) { return ContainsAll(s, mainTexts); }, "the whole main dialog");
    EXPECT_NE(screen.Row(0).find(L"─ KIVO6 ─"), std::wstring::npos) << screen.Dump();
    for (const wchar_t* text : mainTexts) {
        EXPECT_TRUE(screen.Contains(text)) << text << " missing from\n" << screen.Dump();
    }
    EXPECT_EQ(screen.Reversed(), L"終了（X）");
    const auto exitButton = screen.Find(L"終了（X）");
    ASSERT_TRUE(exitButton.has_value());
    EXPECT_TRUE(screen.rows[exitButton->row][exitButton->column + 6].underline)
        << "the X of 終了（X）";

    session_.Keys({"BTab", "Enter"});
    const auto settingsTexts = {L"排除する列", L"[ ] 1～10", L"[ ] 41～43", L"過去の結果の排除",
                                L"[ ] 10回目", L"< OK >",    L"[ ｷｬﾝｾﾙ ]"};
    screen = Await([&](const Screen& s) { return ContainsAll(s, settingsTexts); },
                   "the whole settings dialog");
    EXPECT_NE(screen.Row(0).find(L"─ 詳細設定 ─"), std::wstring::npos) << screen.Dump();
    EXPECT_FALSE(screen.Contains(L"KIVO6")) << "the settings dialog opens over the main one";
    EXPECT_EQ(screen.Row(0).substr(screen.Row(0).find_last_not_of(L' ') - 4, 5), L"[×]┐┐")
        << "the main dialog's frame stays visible beside it\n"
        << screen.Dump();
    for (const wchar_t* text : settingsTexts) {
        EXPECT_TRUE(screen.Contains(text)) << text << " missing from\n" << screen.Dump();
    }
}

TEST_F(TtyProgram, ArrowsChooseParityForType1) {
    Start();
    // From 結果表示(Type2) up into the radio group, which chooses 奇数のみ.
    session_.Keys({"BTab", "BTab", "Up"});
    Await([](const Screen& s) { return s.Contains(L"(*) 奇数のみ") && s.Contains(L"( ) 通常"); },
          "奇数のみ chosen");
    session_.Keys({"BTab", "BTab", "BTab", "BTab"});
    AwaitFocus(L"結果表示(Type1)");
    session_.Keys({"Enter"});
    AwaitBox(oracle_->Type1(PARITY_ODD_ONLY));
    session_.Keys({"Enter"});
    AwaitGone(L"Pattern 1");
}

TEST_F(TtyProgram, MouseChoosesParityAsksAndCloses) {
    Start();
    ClickOn(L"偶数のみ");
    Await(L"(*) 偶数のみ");
    ClickOn(L"結果表示(Type1)");
    AwaitBox(oracle_->Type1(PARITY_EVEN_ONLY));
    ClickOn(L"[ OK ]");
    AwaitGone(L"Pattern 1");
    ClickOn(L"[×]");
    ExpectExitStatusZero();
}

TEST_F(TtyProgram, ReportsShowTheCoreTextInAlignedColumns) {
    Start();
    session_.Keys({"Tab", "Tab", "Enter"});
    ExpectEntriesLineUp(AwaitBox(oracle_->Report(FormatProbabilityReport)));
    session_.Keys({"Space"});
    AwaitGone(L"/!\\");
    session_.Keys({"Tab", "Enter"});
    AwaitBox(oracle_->Report(FormatRecentDraws));
}

TEST_F(TtyProgram, SmallTerminalWrapsScrollsAndSurvivesResizing) {
    Start(true, 80, 24);
    const Lines report = oracle_->Report(FormatProbabilityReport);
    session_.Keys({"Tab", "Tab", "Enter"});
    Screen screen =
        Await([&](const Screen& s) { return WithoutBlanks(BoxLines(s)) == WithoutBlanks(report); },
              "the whole report, wrapped");
    ExpectEntriesLineUp(screen);
    EXPECT_FALSE(screen.Contains(L"more")) << screen.Dump();

    session_.Resize(80, 12);
    screen = Await(L"v more");
    EXPECT_TRUE(screen.Contains(L"[01]") && !screen.Contains(L"[43]")) << screen.Dump();
    session_.Wheel(true, 5, 40);
    screen = Await(L"^ ");
    EXPECT_FALSE(screen.Contains(L"[01]")) << screen.Dump();
    session_.Wheel(false, 5, 40);
    AwaitGone(L"^ ");
    session_.Keys({"End"});
    screen = Await(L"[43]");
    EXPECT_TRUE(screen.Contains(L"^ ") && !screen.Contains(L"v more")) << screen.Dump();
    session_.Keys({"Home"});
    AwaitGone(L"^ ");
    session_.Keys({"PgDn"});
    Await(L"^ ");

    for (const auto& [columns, rows] : {std::pair{20, 5}, {1, 1}, {7, 3}, {80, 24}}) {
        session_.Resize(columns, rows);
    }
    Await([](const Screen& s) { return s.Contains(L"[01]") && s.Contains(L"[43]"); },
          "the report at 80x24 again");
    session_.Keys({"Escape"});
    AwaitGone(L"/!\\");
    session_.Keys({"Escape"});
    ExpectExitStatusZero();
}

TEST_F(TtyProgram, SettingsTakeEffectOnOkAndNotOnEscape) {
    Start();
    session_.Keys({"BTab", "Enter"});
    Await(L"排除する列");
    session_.Keys({"Tab", "Tab", "Tab"});
    AwaitFocus(L"[]1～10");
    session_.Keys({"Space"});
    Await(L"[x] 1～10");
    session_.Keys({"Enter"});
    AwaitGone(L"排除する列");

    session_.Keys({"BTab", "Enter"});
    AwaitBox(oracle_->Type2({1, 0, 0, 0, 0}));
    session_.Keys({"Enter"});
    AwaitGone(L"Type 2");

    session_.Keys({"Tab", "Enter"});
    Await(L"[x] 1～10");
    session_.Keys({"Tab", "Tab", "Tab", "Tab"});
    AwaitFocus(L"[]11～20");
    session_.Keys({"Space"});
    Await(L"[x] 11～20");
    session_.Keys({"Escape"});
    AwaitGone(L"排除する列");

    session_.Keys({"BTab", "Enter"});
    AwaitBox(oracle_->Type2({1, 0, 0, 0, 0}));
}

TEST_F(TtyProgram, MissingDataFileShowsBothErrorsAndExitsWithZero) {
    Start(false);
    Screen screen = AwaitBox({L"Data Read ERROR"});
    EXPECT_FALSE(screen.Contains(L"KIVO6"));
    EXPECT_NE(screen.Row(screen.Find(L"/!\\")->row).find(L"Dialog"), std::wstring::npos);
    session_.Keys({"Enter"});
    AwaitBox({L"ERROR ReadData"});
    session_.Keys({"Space"});
    ExpectExitStatusZero();
}

// Each way out of the main dialog ends the program with status 0.
class TtyExit : public TtyProgram,
                public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(TtyExit, EndsTheProgram) {
    Start();
    session_.Keys(GetParam());
    ExpectExitStatusZero();
}

INSTANTIATE_TEST_SUITE_P(Keys, TtyExit,
                         ::testing::Values(std::vector<std::string>{"Tab", "x"},
                                           std::vector<std::string>{"Tab", "M-x"},
                                           std::vector<std::string>{"Tab", "Escape"},
                                           std::vector<std::string>{"Enter"}),
                         [](const ::testing::TestParamInfo<std::vector<std::string>>& run) {
                             const std::string& key = run.param.back();
                             return key == "x"     ? std::string("Mnemonic")
                                    : key == "M-x" ? std::string("AltMnemonic")
                                                   : key;
                         });

} // namespace
