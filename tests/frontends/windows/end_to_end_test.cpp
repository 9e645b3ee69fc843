// The end-to-end test of kivo6.exe on the real Win32 dialog manager (on Linux, Wine's),
// driven from outside as a user would, for what only the program file can get wrong:
// it starts on a data.txt into its main dialog, an answer comes in a box in the
// system's code page whose closing gives the dialog back, and it ends with status 0.
// What the answers say, the boxes' icon, button and owner, and how the dialogs behave
// are tested in the sessions, on the same user32.
#include "program_path.h"

#include "resources/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string_view>

namespace {

std::wstring programPath;

// Polls until the condition holds or the time is up; whether it held. The program
// answers posted input in its own time, so state is read only once it has settled.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The program started in a fresh folder of its own on a data.txt, ended with the test.
class ProgramRun {
  public:
    explicit ProgramRun(const char* data) {
        const auto folder = std::filesystem::current_path() / "e2e-runs" /
                            testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "data.txt", std::ios::binary) << data;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + programPath + L"\"";
        started_ = CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                  0, nullptr, folder.wstring().c_str(), &startup, &process_);
        EXPECT_TRUE(started_) << "cannot start the program, error " << GetLastError();
    }
    ~ProgramRun() {
        if (started_) {
            TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }

    // The program's visible top-level dialog with this caption, or null after a while.
    HWND Window(std::wstring_view caption) const {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w != nullptr;
                 w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == process_.dwProcessId && IsWindowVisible(w) && TextOf(w) == caption) {
                    found = w;
                }
            }
            return found != nullptr;
        });
        return found;
    }
    DWORD ExitStatus() const {
        DWORD status = STILL_ACTIVE;
        if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process_.hProcess, &status);
        }
        return status;
    }

  private:
    bool started_ = false;
    PROCESS_INFORMATION process_{};
};

// A message box's text: its one static control that shows text, not the icon.
std::wstring BoxText(HWND box) {
    for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child != nullptr;
         child = FindWindowExW(box, child, L"Static", nullptr)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            return TextOf(child);
        }
    }
    return {};
}

TEST(EndToEnd, AnswerComesInABoxThatGivesTheDialogBack) {
    // One draw: each of 1 to 6 holds 1 of 6 main numbers, 16.666...%, shown as 16.7.
    ProgramRun program("KIVO6 end-to-end history\n1 2 3 4 5 6 7\nEND\n");
    HWND dialog = program.Window(L"KIVO6");
    ASSERT_NE(dialog, nullptr) << "the main dialog did not open";
    PostMessageW(GetDlgItem(dialog, IDC_PROBABILITY), BM_CLICK, 0, 0);

    HWND box = program.Window(L"Dialog");
    ASSERT_NE(box, nullptr) << "no message box appeared";
    // 回 and ％ arrive as those characters from the program's code page 932 text.
    const std::wstring text = BoxText(box);
    EXPECT_EQ(text.rfind(L"[01]:  1\u56DE: 16.7\uFF05  [02]:  1\u56DE: 16.7\uFF05  ", 0), 0u)
        << testing::PrintToString(text);

    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([dialog] { return IsWindowEnabled(dialog) != FALSE; }))
        << "OK did not give the dialog back";
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(program.ExitStatus(), 0u);
}

} // namespace

const std::wstring& ProgramPath() {
    return programPath;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kivo6_e2e [gtest options] PATH-TO-kivo6.exe\n");
        return 2;
    }
    // Under Wine the build hands over a Unix path; drive Z: is the Unix root.
    std::string path = argv[1];
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    programPath.assign(path.begin(), path.end());
    return RUN_ALL_TESTS();
}
