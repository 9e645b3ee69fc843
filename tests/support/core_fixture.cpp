// Test support for the logic core; see core_fixture.h.
#include "support/core_fixture.h"

#include "core/generate/pick.h"
#include "core/program.h"

#include <fstream>
#include <random>
#include <sstream>

std::vector<std::string>& ShownFailures() {
    static std::vector<std::string> shown;
    return shown;
}

namespace {
void RecordFailure(const char* text) {
    ShownFailures().emplace_back(text);
}

std::uint32_t stoppedSecond;
std::uint32_t StoppedClock() {
    return stoppedSecond;
}

} // namespace

void StopClockAt(std::uint32_t second) {
    stoppedSecond = second;
    CalendarClock = StoppedClock;
}

std::string HistoryText(const std::vector<Draw>& draws) {
    std::string text = "KIVO6 test history\n";
    for (const Draw& draw : draws) {
        for (std::size_t i = 0; i < draw.size(); ++i) {
            text += std::to_string(draw[i]) + (i + 1 < draw.size() ? " " : "\n");
        }
    }
    return text + "END\n";
}

std::vector<std::pair<std::string, std::string>> ReplayedHistories(const char* corpus) {
    std::vector<std::pair<std::string, std::string>> histories;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        histories.emplace_back(entry.path().filename().string(), FileBytes(entry.path()));
    }
    return histories;
}

void CoreTest::SetUp() {
    ShownFailures().clear();
    ShowHistoryFailure = RecordFailure;
    CalendarClock = SystemCalendarClock;
    ResetToProgramLoad();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // A name of its own for each run, so that runs side by side never share a folder.
    folder_ = std::filesystem::temp_directory_path() /
              ("kivo6-tests-" + std::to_string(std::random_device{}())) /
              (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::create_directories(folder_);
}

void CoreTest::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_.parent_path(), ignored);
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
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
    ASSERT_EQ(StartFromHistoryFile(WriteHistory(HistoryText(draws)).string().c_str()), 1);
}
