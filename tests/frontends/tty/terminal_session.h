// Drives kivo6-tty from outside as a user at a terminal would: runs it in a private
// tmux server with a fixed window size, types keys, clicks the mouse and reads the
// screen back as text. Used by the terminal front end's tests.
// With KIVO6_TTY_MEMCHECK naming tests/support/memcheck.sh the program runs under
// valgrind, and a session whose program memcheck faulted fails the test.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One cell of the terminal as tmux shows it. The right half of a full-width
// character has character 0.
struct ScreenCell {
    wchar_t character = L' ';
};

struct Screen {
    std::vector<std::vector<ScreenCell>> rows;

    // A row as text, without the halves of full-width characters.
    std::wstring Row(int row) const;
    bool Contains(std::wstring_view text) const;
    struct Place {
        int row;
        int column;
    };
    // The first place the text starts, by cell column, or nothing.
    std::optional<Place> Find(std::wstring_view text) const;
    std::string Dump() const; // for failure messages
};

class TerminalSession {
  public:
    // Makes the folder (emptied) the program will run in.
    explicit TerminalSession(std::filesystem::path folder);
    // Ends the tmux server and everything in it; under memcheck, fails the current
    // test unless the program's memcheck report is clean.
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    const std::filesystem::path& Folder() const {
        return folder_;
    }
    void Start(const std::string& program, int columns, int rows);

    // Keys by tmux's names, e.g. {"BTab", "Enter", "M-x"}.
    void Keys(const std::vector<std::string>& keys);
    // A click of the left button (press and release) on a cell, as the terminal
    // reports it.
    void Click(int row, int column);

    Screen Capture() const;
    // Reads the screen until it satisfies the condition; the last screen read, and
    // whether it did, before the timeout.
    bool WaitFor(const std::function<bool(const Screen&)>& condition, Screen* last = nullptr,
                 std::chrono::seconds timeout = std::chrono::seconds(20)) const;
    // The program's exit status once it has ended, or nothing after the timeout.
    std::optional<int> WaitForExit(std::chrono::seconds timeout = std::chrono::seconds(20)) const;

  private:
    std::string Tmux(const std::string& arguments, int* status = nullptr) const;
    std::filesystem::path MemcheckLog() const {
        return folder_ / "memcheck.log";
    }
    void ExpectCleanMemcheck() const;

    std::filesystem::path folder_;
    std::string server_;
    std::string memcheck_; // the launcher, or empty to run the program bare
    bool started_ = false;
};
