// The tmux driver of the terminal front end's tests; see terminal_session.h.
#include "terminal_session.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char character : text) {
        quoted += character == '\'' ? std::string("'\\''") : std::string(1, character);
    }
    return quoted + "'";
}

// capture-pane output: UTF-8 text, one line a row.
std::vector<ScreenCell> ParseRow(const std::string& line) {
    std::vector<ScreenCell> cells;
    std::mbstate_t state{};
    std::size_t i = 0;
    while (i < line.size()) {
        wchar_t character = 0;
        const std::size_t length =
            std::mbrtowc(&character, line.data() + i, line.size() - i, &state);
        if (length == 0 || length > line.size() - i) {
            state = {};
            character = L'\uFFFD';
            ++i;
        } else {
            i += length;
        }
        cells.push_back({character});
        if (wcwidth(character) == 2) {
            cells.push_back({0});
        }
    }
    return cells;
}

std::string Narrow(std::wstring_view text) {
    std::string narrow;
    std::mbstate_t state{};
    char bytes[MB_LEN_MAX];
    for (wchar_t character : text) {
        const std::size_t length = std::wcrtomb(bytes, character, &state);
        if (length != static_cast<std::size_t>(-1)) {
            narrow.append(bytes, length);
        }
    }
    return narrow;
}

} // namespace

std::wstring Screen::Row(int row) const {
    std::wstring text;
    for (const ScreenCell& cell : rows.at(static_cast<std::size_t>(row))) {
        if (cell.character != 0) {
            text.push_back(cell.character);
        }
    }
    return text;
}

bool Screen::Contains(std::wstring_view text) const {
    return Find(text).has_value();
}

std::optional<Screen::Place> Screen::Find(std::wstring_view text) const {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::wstring line = Row(static_cast<int>(row));
        const std::size_t at = line.find(text);
        if (at == std::wstring::npos) {
            continue;
        }
        // Convert the character index into a cell column.
        int column = 0;
        for (std::size_t seen = 0; seen < at; ++column) {
            if (rows[row][static_cast<std::size_t>(column)].character != 0) {
                ++seen;
            }
        }
        while (rows[row][static_cast<std::size_t>(column)].character == 0) {
            ++column;
        }
        return Place{static_cast<int>(row), column};
    }
    return std::nullopt;
}

std::string Screen::Dump() const {
    std::string text;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        text += Narrow(Row(static_cast<int>(row))) + "\n";
    }
    return text;
}

TerminalSession::TerminalSession(std::filesystem::path folder) : folder_(std::move(folder)) {
    static std::atomic<int> sessions{0};
    server_ = "kivo6-tty-test-" + std::to_string(getpid()) + "-" + std::to_string(sessions++);
    // tmux and this process must agree with the program that the text is UTF-8.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    setenv("LANG", "C.UTF-8", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    unsetenv("TMUX");
    if (const char* launcher = std::getenv("KIVO6_TTY_MEMCHECK")) {
        memcheck_ = launcher;
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    std::filesystem::create_directories(folder_);
}

TerminalSession::~TerminalSession() {
    Tmux("kill-server");
    if (started_ && !memcheck_.empty()) {
        ExpectCleanMemcheck();
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string TerminalSession::Tmux(const std::string& arguments, int* status) const {
    const std::string command = "tmux -u -L " + Quote(server_) + " " + arguments + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, got);
        }
        const int result = pclose(pipe);
        if (status != nullptr) {
            *status = result;
        }
    } else if (status != nullptr) {
        *status = -1;
    }
    return output;
}

void TerminalSession::Start(const std::string& program, int columns, int rows) {
    // memcheck writes to a file of its own: on the terminal it would be drawn over.
    const std::string launcher =
        memcheck_.empty()
            ? std::string()
            : Quote(memcheck_) + " " + Quote("--log-file=" + MemcheckLog().string()) + " ";
    const std::string inside = "env TERM=tmux-256color LANG=C.UTF-8 LC_ALL=C.UTF-8 " + launcher +
                               Quote(program) + "; echo $? > " +
                               Quote((folder_ / "exit-status").string());
    int status = 0;
    const std::string output =
        Tmux("-f /dev/null new-session -d -s kivo6 -x " + std::to_string(columns) + " -y " +
                 std::to_string(rows) + " -c " + Quote(folder_.string()) + " " + Quote(inside),
             &status);
    started_ = status == 0;
    ASSERT_EQ(status, 0) << "tmux did not start: " << output;
}

void TerminalSession::Keys(const std::vector<std::string>& keys) {
    std::string arguments = "send-keys -t kivo6";
    for (const std::string& key : keys) {
        arguments += " " + Quote(key);
    }
    Tmux(arguments);
}

void TerminalSession::Click(int row, int column) {
    // The mouse reports tmux's own terminal type announces (X10 encoding): each the
    // button, the 1-based column and the row, each plus 32. Button 0 pressed, then
    // released (3).
    std::string hex;
    for (int button : {0, 3}) {
        for (int byte : {0x1b, int{'['}, int{'M'}, 32 + button, 33 + column, 33 + row}) {
            char digits[4];
            std::snprintf(digits, sizeof digits, " %02x", byte & 0xFF);
            hex += digits;
        }
    }
    Tmux("send-keys -t kivo6 -H" + hex);
}

Screen TerminalSession::Capture() const {
    Screen screen;
    int status = 0;
    const std::string text = Tmux("capture-pane -p -t kivo6", &status);
    if (status != 0) {
        return screen;
    }
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) {
        screen.rows.push_back(ParseRow(line));
    }
    return screen;
}

bool TerminalSession::WaitFor(const std::function<bool(const Screen&)>& condition, Screen* last,
                              std::chrono::seconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        Screen screen = Capture();
        const bool met = condition(screen);
        if (last != nullptr) {
            *last = std::move(screen);
        }
        if (met || std::chrono::steady_clock::now() > deadline) {
            return met;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
}

std::optional<int> TerminalSession::WaitForExit(std::chrono::seconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const std::filesystem::path path = folder_ / "exit-status";
    while (std::chrono::steady_clock::now() <= deadline) {
        std::ifstream file(path);
        std::string status;
        // The shell writes the number and a newline; wait for the whole line.
        if (file && std::getline(file, status) && !file.eof()) {
            return std::atoi(status.c_str());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    return std::nullopt;
}

void TerminalSession::ExpectCleanMemcheck() const {
    // A program that has not ended by itself ends with the tmux server; memcheck then
    // still reports what it found, leaks included, and last of all the error summary.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::string report;
    for (;;) {
        std::ifstream file(MemcheckLog());
        std::stringstream text;
        text << file.rdbuf();
        report = text.str();
        const std::size_t summary = report.find("ERROR SUMMARY:");
        if (summary != std::string::npos && report.find('\n', summary) != std::string::npos) {
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "memcheck wrote no error summary to " << MemcheckLog() << ":\n"
                          << report;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (report.find("ERROR SUMMARY: 0 errors") == std::string::npos) {
        ADD_FAILURE() << "memcheck found faults in the program:\n" << report;
    }
}
