// Test support for the logic core; see core_fixture.h.
#include "support/core_fixture.h"

#include "generate/random_source.h"
#include "history/history_file.h"
#include "history/state.h"
#include "platform/platform.h"
#include "stats/shares.h"
#include "support/program_start.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>

std::vector<ShownMessageBox>& ShownMessageBoxes() {
    static std::vector<ShownMessageBox> shown;
    return shown;
}

int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    ShownMessageBoxes().push_back({owner, text, caption, type});
    return IDOK;
}

namespace {
std::uint32_t stoppedSecond;
std::uint32_t StoppedClock() {
    return stoppedSecond;
}
} // namespace

std::uint32_t StateAfter(int draws) {
    SeedRandom(1);
    for (int i = 0; i < draws; ++i) {
        NextRandom();
    }
    return RandomSource;
}

void StopClockAt(std::uint32_t second) {
    stoppedSecond = second;
    CalendarClock = StoppedClock;
}

std::string HistoryText(const std::vector<Draw>& draws) {
    std::ostringstream text;
    text << "KIVO6 test history\n";
    for (const Draw& draw : draws) {
        for (std::size_t i = 0; i < draw.size(); ++i) {
            text << (i ? " " : "") << draw[i];
        }
        text << "\n";
    }
    text << "END\n";
    return text.str();
}

std::vector<std::array<int, 6>> ResultLines(const char* text, std::string_view header) {
    std::vector<std::array<int, 6>> lines;
    std::string_view rest(text);
    EXPECT_TRUE(rest.substr(0, header.size()) == header) << text;
    rest.remove_prefix(std::min(header.size(), rest.size()));
    while (!rest.empty()) {
        std::array<int, 6> line{};
        bool wellFormed = rest.size() >= 18 && rest[17] == '\n';
        for (int i = 0; wellFormed && i < 6; ++i) {
            char tens = rest[i * 3];
            char ones = rest[i * 3 + 1];
            wellFormed = std::isdigit(static_cast<unsigned char>(tens)) &&
                         std::isdigit(static_cast<unsigned char>(ones)) &&
                         rest[i * 3 + 2] == (i == 5 ? '\n' : ' ');
            line[i] = (tens - '0') * 10 + (ones - '0');
        }
        if (!wellFormed) {
            ADD_FAILURE() << "malformed result line in: " << text;
            break;
        }
        lines.push_back(line);
        rest.remove_prefix(18);
    }
    return lines;
}

void CoreTest::SetUp() {
    ShownMessageBoxes().clear();
    CalendarClock = SystemCalendarClock;
    ResetToProgramStart();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() / "kivo6-tests" /
              (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::create_directories(folder_);
}

void CoreTest::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path CoreTest::WriteHistory(std::string_view bytes) {
    std::filesystem::path path = folder_ / "data.txt";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

int CoreTest::LoadBytes(std::string_view bytes) {
    return LoadHistoryText(WriteHistory(bytes).string().c_str());
}

void CoreTest::StartWith(const std::vector<Draw>& draws) {
    ASSERT_EQ(LoadBytes(HistoryText(draws)), 1);
    ComputePercentages();
}
