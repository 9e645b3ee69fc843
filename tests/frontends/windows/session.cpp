// The user's side of the end-to-end tests: starting kivo6.exe, finding its windows,
// pressing its controls and reading its message boxes. See session.h.
#include "session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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
        if (SendMessageW(child, STM_GETICON, 0, 0) != 0) {
            seen->icon = child;
        }
    } else if (className == L"Static" && seen->text.empty()) {
        seen->text = TextOf(child);
    }
    return TRUE;
}

// Pixels of a device context's area, as 32-bit colours, in rows from the top.
class Pixels {
  public:
    Pixels(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Pixels() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    HDC dc() const {
        return dc_;
    }
    std::uint32_t At(int x, int y) const {
        GdiFlush();
        return static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
    }
    // Sum of the colour differences to another picture of the same size.
    long long Distance(const Pixels& other) const {
        long long sum = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                for (int shift = 0; shift < 24; shift += 8) {
                    sum += std::abs(static_cast<int>(At(x, y) >> shift & 0xFF) -
                                    static_cast<int>(other.At(x, y) >> shift & 0xFF));
                }
            }
        }
        return sum;
    }

  private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

} // namespace

// Icon handles are the program's own, so the control is read off the screen and set
// beside each icon drawn here on the same background.
LPCWSTR IconShown(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    Pixels shown(width, height);
    // Read until the icon has been painted: more than its background.
    WaitUntil([&] {
        HDC screen = GetDC(nullptr);
        BitBlt(shown.dc(), 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        return shown.At(width / 2, height / 2) != shown.At(0, 0);
    });
    const std::uint32_t background = shown.At(0, 0);
    LPCWSTR nearest = nullptr;
    long long nearestDistance = 0;
    for (LPCWSTR icon : {IDI_WARNING, IDI_ERROR, IDI_INFORMATION}) {
        Pixels drawn(width, height);
        HBRUSH brush = CreateSolidBrush(
            RGB(background >> 16 & 0xFF, background >> 8 & 0xFF, background & 0xFF));
        RECT all{0, 0, width, height};
        FillRect(drawn.dc(), &all, brush);
        DeleteObject(brush);
        DrawIconEx(drawn.dc(), 0, 0, LoadIconW(nullptr, icon), 0, 0, 0, nullptr, DI_NORMAL);
        const long long distance = shown.Distance(drawn);
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = icon;
            nearestDistance = distance;
        }
    }
    return nearest;
}

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

BoxSeen Session::ReadBox(DWORD timeoutMs) const {
    BoxSeen seen;
    seen.window = WaitForWindow(L"Dialog", timeoutMs);
    if (seen.window == nullptr) {
        ADD_FAILURE() << "no message box appeared";
        return seen;
    }
    seen.caption = TextOf(seen.window);
    seen.owner = GetWindow(seen.window, GW_OWNER);
    EnumChildWindows(seen.window, ReadBoxChild, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

DWORD Session::WaitForExit(DWORD timeoutMs) {
    DWORD status = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.hProcess, &status);
    }
    return status;
}

bool DismissBox(const BoxSeen& box) {
    HWND window = box.window;
    HWND ok = GetDlgItem(window, IDOK);
    if (ok == nullptr) {
        return false;
    }
    PostMessageW(ok, BM_CLICK, 0, 0);
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); });
}

void ClickItem(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    ASSERT_NE(control, nullptr) << "no control " << controlId;
    PostMessageW(control, BM_CLICK, 0, 0);
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
