// Checks the resources compiled into kivo6.exe, read back from the file through the
// loader as Windows reads them: both dialog templates item by item (identifier,
// class, style, caption, place and size), their language, font and the icon.
#include "session.h"
#include "support/dialog_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

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

std::wstring Wide(const char* utf8) {
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), static_cast<int>(wide.size()));
    wide.pop_back(); // the terminating zero
    return wide;
}

// Reads one dialog template out of the program and compares it with its table.
void ExpectDialog(const DialogTable& table) {
    const auto bytes = ModuleFile().Resource(RT_DIALOG, table.id);
    ASSERT_FALSE(bytes.empty()) << "no Japanese dialog " << table.id;
    const Template dialog = ParseTemplate(bytes);
    EXPECT_EQ(dialog.style, kDialogStyle);
    EXPECT_EQ(dialog.extendedStyle, 0u);
    EXPECT_EQ(dialog.caption, Wide(table.caption));
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, table.cx);
    EXPECT_EQ(dialog.cy, table.cy);
    EXPECT_FALSE(dialog.hasMenu);
    EXPECT_FALSE(dialog.hasClass);
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.font, Wide(kDialogFont));
    ASSERT_EQ(dialog.items.size(), table.items.size());
    for (std::size_t i = 0; i < table.items.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "item " << i + 1);
        const Item& got = dialog.items[i];
        const DialogItem& expected = table.items[i];
        // The predefined button class, by its ordinal as Microsoft's rc writes it.
        EXPECT_EQ(dialog.itemClass[i], L"#128");
        EXPECT_EQ(got.id, expected.id);
        EXPECT_EQ(got.style, expected.style | kDialogItemVisibleChild) << std::hex << got.style;
        EXPECT_EQ(got.caption, Wide(expected.caption));
        EXPECT_EQ(got.x, expected.x);
        EXPECT_EQ(got.y, expected.y);
        EXPECT_EQ(got.cx, expected.cx);
        EXPECT_EQ(got.cy, expected.cy);
    }
}

TEST(Resources, DialogTemplates) {
    for (const DialogTable& table : DialogTables()) {
        SCOPED_TRACE(table.caption);
        ExpectDialog(table);
    }
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
