// Checks the resources compiled into kivo6.exe, read back from the file through the
// loader as Windows reads them: both dialog templates item by item (identifier,
// class, style, caption, place and size), their language, font and the icon.
#include "session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

struct Item {
    int id;
    DWORD style;
    std::wstring caption;
    short x, y, cx, cy;
};

struct Template {
    DWORD style = 0;
    DWORD extendedStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring font;
    bool hasMenu = false;
    bool hasClass = false;
    std::vector<Item> items;
    std::vector<std::wstring> itemClass;
};

class ModuleFile {
  public:
    ModuleFile()
        : module_(LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ModuleFile() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    ModuleFile(const ModuleFile&) = delete;
    ModuleFile& operator=(const ModuleFile&) = delete;

    // The bytes of one resource in the Japanese language, or empty.
    std::vector<std::uint8_t> Resource(LPCWSTR type, int id) const {
        HRSRC found = FindResourceExW(module_, type, MAKEINTRESOURCEW(id), kJapanese);
        if (found == nullptr) {
            return {};
        }
        const auto* bytes =
            static_cast<const std::uint8_t*>(LockResource(LoadResource(module_, found)));
        return {bytes, bytes + SizeofResource(module_, found)};
    }

  private:
    HMODULE module_;
};

// Walks the fields of a DLGTEMPLATE and its DLGITEMTEMPLATEs in file order.
class Reader {
  public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    template <typename T>
    T Next() {
        T value{};
        if (at_ + sizeof(T) <= bytes_.size()) {
            std::memcpy(&value, bytes_.data() + at_, sizeof(T));
        }
        at_ += sizeof(T);
        return value;
    }
    // A string or an ordinal: 0x0000 (none), 0xFFFF followed by a number, or text.
    std::wstring NameOrOrdinal(bool* isPresent = nullptr) {
        const WORD first = Next<WORD>();
        if (isPresent != nullptr) {
            *isPresent = first != 0;
        }
        if (first == 0xFFFF) {
            return L"#" + std::to_wstring(Next<WORD>());
        }
        std::wstring text;
        for (WORD c = first; c != 0; c = Next<WORD>()) {
            text.push_back(static_cast<wchar_t>(c));
        }
        return text;
    }
    void AlignToDword() {
        at_ = (at_ + 3) & ~std::size_t{3};
    }
    bool Overran() const {
        return at_ > bytes_.size();
    }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
};

Template ParseTemplate(const std::vector<std::uint8_t>& bytes) {
    Template dialog;
    Reader in(bytes);
    dialog.style = in.Next<DWORD>();
    dialog.extendedStyle = in.Next<DWORD>();
    const WORD count = in.Next<WORD>();
    dialog.x = in.Next<short>();
    dialog.y = in.Next<short>();
    dialog.cx = in.Next<short>();
    dialog.cy = in.Next<short>();
    in.NameOrOrdinal(&dialog.hasMenu);
    in.NameOrOrdinal(&dialog.hasClass);
    dialog.caption = in.NameOrOrdinal();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Next<WORD>();
        dialog.font = in.NameOrOrdinal();
    }
    for (WORD i = 0; i < count; ++i) {
        in.AlignToDword();
        Item item{};
        item.style = in.Next<DWORD>();
        const DWORD extendedStyle = in.Next<DWORD>();
        item.x = in.Next<short>();
        item.y = in.Next<short>();
        item.cx = in.Next<short>();
        item.cy = in.Next<short>();
        item.id = static_cast<short>(in.Next<WORD>());
        dialog.itemClass.push_back(in.NameOrOrdinal() +
                                   (extendedStyle ? L" with extended styles" : L""));
        item.caption = in.NameOrOrdinal();
        const WORD extraBytes = in.Next<WORD>();
        for (WORD skip = 0; skip < extraBytes; ++skip) {
            in.Next<std::uint8_t>();
        }
        dialog.items.push_back(item);
    }
    EXPECT_FALSE(in.Overran()) << "template shorter than its item count says";
    return dialog;
}

// Reads dialog template `id` out of the program and compares it with the table.
void ExpectDialog(int id, const std::wstring& caption, short cx, short cy,
                  const std::vector<Item>& expected) {
    const auto bytes = ModuleFile().Resource(RT_DIALOG, id);
    ASSERT_FALSE(bytes.empty()) << "no Japanese dialog " << id;
    const Template dialog = ParseTemplate(bytes);
    EXPECT_EQ(dialog.style,
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(dialog.extendedStyle, 0u);
    EXPECT_EQ(dialog.caption, caption);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, cx);
    EXPECT_EQ(dialog.cy, cy);
    EXPECT_FALSE(dialog.hasMenu);
    EXPECT_FALSE(dialog.hasClass);
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.font, L"ＭＳ Ｐゴシック");
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "item " << i + 1);
        const Item& got = dialog.items[i];
        // The predefined button class, by its ordinal as Microsoft's rc writes it.
        EXPECT_EQ(dialog.itemClass[i], L"#128");
        EXPECT_EQ(got.id, expected[i].id);
        EXPECT_EQ(got.style, expected[i].style | kChild) << std::hex << got.style;
        EXPECT_EQ(got.caption, expected[i].caption);
        EXPECT_EQ(got.x, expected[i].x);
        EXPECT_EQ(got.y, expected[i].y);
        EXPECT_EQ(got.cx, expected[i].cx);
        EXPECT_EQ(got.cy, expected[i].cy);
    }
}

constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;

TEST(Resources, MainDialogTemplate) {
    ExpectDialog(101, L"KIVO6", 247, 153,
                 {
                     {1, BS_DEFPUSHBUTTON | WS_TABSTOP, L"終了（&X）", 194, 121, 46, 23},
                     {1000, kPush | BS_NOTIFY, L"結果表示(Type1)", 94, 59, 56, 21},
                     {1002, kPush, L"確立表示", 172, 7, 68, 21},
                     {1003, kPush, L"過去の当選結果", 172, 35, 68, 21},
                     {-1, BS_GROUPBOX, L"数字算出", 7, 7, 155, 139},
                     {1004, kCheck, L"前回の数字を排除", 22, 27, 69, 16},
                     {-1, BS_GROUPBOX, L"", 13, 16, 143, 73},
                     {1006, BS_AUTORADIOBUTTON | WS_GROUP, L"通常", 28, 49, 56, 10},
                     {1007, BS_AUTORADIOBUTTON, L"偶数のみ", 28, 59, 56, 10},
                     {1008, BS_AUTORADIOBUTTON, L"奇数のみ", 28, 71, 56, 10},
                     {1009, kPush, L"結果表示(Type2)", 94, 109, 56, 22},
                     {1010, kPush, L"詳細設定", 18, 109, 36, 14},
                     {-1, BS_GROUPBOX, L"", 13, 98, 143, 40},
                 });
}

TEST(Resources, SettingsDialogTemplate) {
    ExpectDialog(113, L"詳細設定", 242, 187,
                 {
                     {1, BS_DEFPUSHBUTTON | WS_TABSTOP, L"OK", 119, 166, 50, 14},
                     {2, kPush, L"ｷｬﾝｾﾙ", 185, 166, 50, 14},
                     {-1, BS_GROUPBOX | WS_GROUP, L"排除する列", 17, 7, 218, 40},
                     {1018, kCheck, L"1～10", 25, 23, 33, 10},
                     {1019, kCheck, L"11～20", 66, 23, 37, 10},
                     {1020, kCheck, L"21～30", 107, 23, 37, 10},
                     {1021, kCheck, L"31～40", 146, 23, 37, 10},
                     {1022, kCheck, L"41～43", 187, 23, 37, 10},
                     {-1, BS_GROUPBOX, L"過去の結果の排除", 16, 58, 219, 82},
                     {1026, kCheck, L"前回(1番目)", 27, 73, 51, 10},
                     {1027, kCheck, L"前々回（2回目）", 90, 73, 61, 10},
                     {1028, kCheck, L"前々々回（3回目）", 156, 73, 67, 10},
                     {1029, kCheck, L"4回目", 27, 87, 33, 10},
                     {1030, kCheck, L"5回目", 90, 87, 33, 10},
                     {1031, kCheck, L"6回目", 156, 87, 33, 10},
                     {1032, kCheck, L"7回目", 27, 103, 33, 10},
                     {1033, kCheck, L"8回目", 90, 103, 33, 10},
                     {1034, kCheck, L"9回目", 156, 103, 33, 10},
                     {1035, kCheck, L"10回目", 27, 117, 37, 10},
                 });
}

TEST(Resources, OneIconOf32By32In16Colours) {
    ModuleFile program;
    const auto group = program.Resource(RT_GROUP_ICON, 102);
    // GRPICONDIR: reserved, type 1, count; then one 14-byte entry per image.
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(group[2] | group[3] << 8, 1);
    EXPECT_EQ(group[4] | group[5] << 8, 1);
    EXPECT_EQ(group[6], 32); // width
    EXPECT_EQ(group[7], 32); // height
    EXPECT_EQ(group[8], 16); // colours
    EXPECT_EQ(group[12], 4); // bits per pixel
    const int imageId = group[18] | group[19] << 8;
    EXPECT_FALSE(program.Resource(RT_ICON, imageId).empty());
}

} // namespace
