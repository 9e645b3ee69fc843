// The user's side of the end-to-end tests: starting kivo6.exe, finding its windows,
// pressing its controls and reading its message boxes. See session.h.
#include "session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

std::wstring programPath;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

struct WindowSearch {
    DWORD processId;
    std::wstring_view caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && ClassOf(window) == L"#32770" &&
        TextOf(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM context) {
    auto* seen = reinterpret_cast<BoxSeen*>(context);
    const std::wstring className = ClassOf(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (className == L"Button") {
        ++seen->buttons;
    } else if (className == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
        seen->icon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
    } else if (className == L"Static" && seen->text.empty()) {
        seen->text = TextOf(child);
    }
    return TRUE;
}

} // namespace

const std::wstring& ProgramPath() {
    return programPath;
}

void SetProgramPath(const char* path) {
    std::string windowsPath = path;
    // Under Wine the build hands over a Unix path; drive Z: is the Unix root.
    if (!windowsPath.empty() && windowsPath.front() == '/') {
        windowsPath = "Z:" + windowsPath;
    }
    for (char& c : windowsPath) {
        if (c == '/') {
            c = '\\';
        }
    }
    programPath.assign(windowsPath.begin(), windowsPath.end());
}

Session::Session(std::string_view name) {
    std::filesystem::path folder = std::filesystem::current_path() / "e2e-runs" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    folder_ = folder.wstring();
}

Session::~Session() {
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

void Session::WriteData(std::string_view bytes) {
    std::ofstream file(std::filesystem::path(folder_) / "data.txt", std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Session::DataPath() const {
    return (std::filesystem::path(folder_) / "data.txt").string();
}

void Session::Start() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + programPath + L"\"";
    ASSERT_TRUE(CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, folder_.c_str(), &startup, &process_))
        << "cannot start the program, error " << GetLastError();
    WaitForInputIdle(process_.hProcess, 10000);
}

HWND Session::WaitForWindow(std::wstring_view caption, DWORD timeoutMs) const {
    WindowSearch search{process_.dwProcessId, caption, nullptr};
    WaitUntil(
        [&search] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

bool Session::WindowAppears(std::wstring_view caption, DWORD timeoutMs) const {
    return WaitForWindow(caption, timeoutMs) != nullptr;
}

BoxSeen Session::ReadAndDismissBox(DWORD timeoutMs) {
    BoxSeen seen;
    HWND box = WaitForWindow(L"Dialog", timeoutMs);
    if (box == nullptr) {
        ADD_FAILURE() << "no message box appeared";
        return seen;
    }
    seen.caption = TextOf(box);
    seen.owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, ReadBoxChild, reinterpret_cast<LPARAM>(&seen));
    Click(GetDlgItem(box, IDOK));
    EXPECT_TRUE(WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs))
        << "the box did not close on OK";
    return seen;
}

DWORD Session::WaitForExit(DWORD timeoutMs) {
    DWORD status = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.hProcess, &status);
    }
    return status;
}

HWND Session::MainDialog() {
    if (mainDialog_ == nullptr) {
        mainDialog_ = WaitForWindow(L"KIVO6");
    }
    return mainDialog_;
}

void Click(HWND control) {
    PostMessageW(control, BM_CLICK, 0, 0);
}

void ClickItem(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    ASSERT_NE(control, nullptr) << "no control " << controlId;
    Click(control);
}

void PressKey(HWND anyWindowOfProgram, UINT virtualKey) {
    HWND target = FocusOf(anyWindowOfProgram);
    if (target == nullptr) {
        target = anyWindowOfProgram;
    }
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scanCode) << 16;
    const LPARAM up = down | static_cast<LPARAM>(3u << 30);
    PostMessageW(target, WM_KEYDOWN, virtualKey, down);
    PostMessageW(target, WM_KEYUP, virtualKey, up);
}

void CloseBox(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

bool IsChecked(HWND dialog, int controlId) {
    return SendMessageW(GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

std::wstring FromCodePage932(const char* text) {
    const int length = MultiByteToWideChar(932, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(932, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length > 0 ? length - 1 : 0));
    return wide;
}
