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

// Bytes that stress the reader: digits, blanks, line ends, signs, the marker's and
// END's letters, Ctrl-Z, any byte now and then and runs of nines past int.
std::string HostileHistory(std::mt19937& random) {
    static const char alphabet[] =
        "0123456789012345678901234567890123456789     \n\n\r\t-+KIVOEND\x1a";
    std::uniform_int_distribution<int> length(0, 6000), pick(0, sizeof alphabet - 2), kind(0, 9),
        anyByte(0, 255);
    std::string text = kind(random) < 7 ? "KIVO\n" : "";
    for (int i = 0, size = length(random); i < size; ++i) {
        int roll = kind(random);
        if (roll == 0) {
            text += static_cast<char>(anyByte(random));
        } else if (roll == 1 && i % 97 == 0) {
            text += std::string(static_cast<std::size_t>(length(random) / 10), '9');
        } else {
            text += alphabet[pick(random)];
        }
    }
    return text;
}
} // namespace

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

std::vector<std::pair<std::string, std::string>> ReplayedHistories(const char* corpus) {
    std::vector<std::pair<std::string, std::string>> histories;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        histories.emplace_back(entry.path().filename().string(), bytes.str());
    }
    std::mt19937 random(43);
    for (int round = 0; round < 200; ++round) {
        histories.emplace_back("hostile " + std::to_string(round), HostileHistory(random));
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

std::string CoreTest::FileBytes(const std::filesystem::path& path) {
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
