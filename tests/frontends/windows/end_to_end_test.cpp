// The tests of kivo6.exe itself, for what only the program file can get wrong. End to
// end, on the real Win32 dialog manager (on Linux, Wine's), driven from outside as a
// user would: it starts on a data.txt into its main dialog, an answer comes in a box in
// the system's code page whose closing gives the dialog back, and it ends with status 0.
// What the answers say, the boxes' icon, button and owner, and how the dialogs behave
// are tested in the sessions, on the same user32. And its resources, read back from the
// file through the loader as Windows reads them: both dialog templates item by item, in
// Japanese with their font; the icon; and the manifest.
#include "resources/resource.h"
#include "support/dialog_tables.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

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

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// A template's header and one of its items, field by field in file order. Header:
// style, extended style, item count, x, y, cx, cy, menu, class, caption, point size,
// typeface. Item: style, extended style, x, y, cx, cy, id, class (an ordinal as #N),
// caption.
using Header = std::tuple<DWORD, DWORD, WORD, short, short, short, short, std::wstring,
                          std::wstring, std::wstring, WORD, std::wstring>;
using Item = std::tuple<DWORD, DWORD, short, short, short, short, int, std::wstring, std::wstring>;

// The bytes of one resource of the program in the Japanese language, or empty.
std::vector<std::uint8_t> Resource(LPCWSTR type, int id) {
    static const HMODULE program = LoadLibraryExW(
        programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HRSRC found = FindResourceExW(program, type, MAKEINTRESOURCEW(id), kJapanese);
    if (found == nullptr) {
        return {};
    }
    const auto* bytes =
        static_cast<const std::uint8_t*>(LockResource(LoadResource(program, found)));
    return {bytes, bytes + SizeofResource(program, found)};
}

// Walks the fields of a DLGTEMPLATE and its DLGITEMTEMPLATEs in file order; reading
// past the end gives zeros and marks the template short.
struct Reader {
    const std::vector<std::uint8_t>& bytes;
    std::size_t at = 0;

    template <typename T>
    T Next() {
        T value{};
        if (at + sizeof(T) <= bytes.size()) {
            std::memcpy(&value, bytes.data() + at, sizeof(T));
        }
        at += sizeof(T);
        return value;
    }
    // A string or an ordinal: 0x0000 (none), 0xFFFF followed by a number, or text.
    std::wstring NameOrOrdinal() {
        std::wstring text;
        for (WORD c = Next<WORD>(); c != 0; c = Next<WORD>()) {
            if (c == 0xFFFF && text.empty()) {
                return L"#" + std::to_wstring(Next<WORD>());
            }
            text.push_back(static_cast<wchar_t>(c));
        }
        return text;
    }
};

std::wstring Wide(const char* utf8) {
    std::wstring wide(static_cast<std::size_t>(std::strlen(utf8)), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(wide.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
}

TEST(Resources, DialogTemplatesInJapaneseItemByItem) {
    for (const DialogTable& table : DialogTables()) {
        SCOPED_TRACE(table.caption);
        const auto bytes = Resource(RT_DIALOG, table.id);
        ASSERT_FALSE(bytes.empty()) << "no Japanese dialog " << table.id;
        // A braced list reads its fields in order.
        Reader in{bytes};
        const Header header{in.Next<DWORD>(),   in.Next<DWORD>(),   in.Next<WORD>(),
                            in.Next<short>(),   in.Next<short>(),   in.Next<short>(),
                            in.Next<short>(),   in.NameOrOrdinal(), in.NameOrOrdinal(),
                            in.NameOrOrdinal(), in.Next<WORD>(),    in.NameOrOrdinal()};
        // Placed at 0, 0, no menu, no class of its own; 9 point type.
        EXPECT_EQ(header, Header(kDialogStyle, 0, table.items.size(), 0, 0, table.cx, table.cy, L"",
                                 L"", Wide(table.caption), 9, Wide(kDialogFont)));
        std::vector<Item> found;
        for (int i = 0; i < std::get<2>(header); ++i) {
            in.at = (in.at + 3) & ~std::size_t{3};
            found.push_back(Item{in.Next<DWORD>(), in.Next<DWORD>(), in.Next<short>(),
                                 in.Next<short>(), in.Next<short>(), in.Next<short>(),
                                 static_cast<short>(in.Next<WORD>()), in.NameOrOrdinal(),
                                 in.NameOrOrdinal()});
            in.at += in.Next<WORD>(); // creation data
        }
        EXPECT_LE(in.at, bytes.size()) << "template shorter than its item count says";
        std::vector<Item> expected;
        for (const DialogItem& item : table.items) {
            // Every item of the predefined button class, by its ordinal as Microsoft's
            // rc writes it.
            expected.emplace_back(item.style | kDialogItemVisibleChild, 0, item.x, item.y, item.cx,
                                  item.cy, item.id, L"#128", Wide(item.caption));
        }
        EXPECT_EQ(found, expected);
    }
}

} // namespace

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
