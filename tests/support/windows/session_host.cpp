// The session host over user32: the program's boxes are recorded as it asks for
// them and then shown by user32's own MessageBoxA; the dialogs are found among this
// thread's windows, the one taking input being the one its owner chain left enabled.
#include "support/session_host.h"
#include "support/windows/message_box_slot.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

// The program writes code page 932 whatever the system's ANSI code page is.
std::string FromCodePage932(LPCSTR text) {
    std::wstring wide(std::strlen(text), L'\0');
    const int length = MultiByteToWideChar(932, 0, text, static_cast<int>(wide.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return Utf8(wide);
}

std::string CaptionOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

int WINAPI RecordAndShow(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (SessionHost* host = SessionHost::running) {
        host->boxes.push_back({owner != nullptr ? CaptionOf(owner) : "", FromCodePage932(caption),
                               FromCodePage932(text), type});
    }
    static const auto user32MessageBoxA = reinterpret_cast<MessageBoxFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "MessageBoxA")));
    return user32MessageBoxA(owner, text, caption, type);
}

BOOL CALLBACK FindEnabledDialog(HWND window, LPARAM found) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") == 0 && IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The dialog or message box taking input: every window it owns is disabled.
HWND EnabledDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindEnabledDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The program's boxes are the windows captioned "Dialog".
bool IsBox(HWND window) {
    return window != nullptr && CaptionOf(window) == "Dialog";
}

} // namespace

KIVO6_ROUTE_MESSAGEBOXA_TO(RecordAndShow)

HINSTANCE DialogTestModule() {
    return GetModuleHandleA(nullptr);
}

SessionHost::SessionHost() = default;
SessionHost::~SessionHost() = default;

HWND SessionHost::InnermostDialog() const {
    HWND window = EnabledDialog();
    return IsBox(window) ? GetWindow(window, GW_OWNER) : window;
}

bool SessionHost::BoxUp() const {
    return IsBox(EnabledDialog());
}

void SessionHost::PressBoxOk() {
    HWND box = EnabledDialog();
    ASSERT_TRUE(IsBox(box)) << "OK pressed on a message box, but none is up";
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

void SessionHost::EndWhatIsUp() {
    if (HWND window = EnabledDialog()) {
        EndDialog(window, -1);
    }
}
