// Checks the resources compiled into kivo6.exe, read back from the file through the
// loader as Windows reads them: both dialog templates item by item, in Japanese with
// their font; the icon; and the manifest.
#include "program_path.h"
#include "support/dialog_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

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
        ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
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

TEST(Resources, OneIconOf32By32In16Colours) {
    const auto group = Resource(RT_GROUP_ICON, 102);
    // GRPICONDIR: reserved, type 1, count; then one 14-byte entry per image.
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(group[2] | group[3] << 8, 1);
    EXPECT_EQ(group[4] | group[5] << 8, 1);
    EXPECT_EQ(group[6], 32); // width
    EXPECT_EQ(group[7], 32); // height
    EXPECT_EQ(group[8], 16); // colours
    EXPECT_EQ(group[12], 4); // bits per pixel
    const int imageId = group[18] | group[19] << 8;
    EXPECT_FALSE(Resource(RT_ICON, imageId).empty());
}

// The manifest the loader reads before any window opens: common controls 6 and the
// processor the program is built for.
TEST(Resources, ManifestForThisProcessorWithCommonControlsSix) {
    const auto bytes = Resource(RT_MANIFEST, 1);
    ASSERT_FALSE(bytes.empty()) << "no Japanese manifest 1";
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find(sizeof(void*) == 8 ? "processorArchitecture=\"amd64\""
                                               : "processorArchitecture=\"x86\""),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos)
        << manifest;
}

} // namespace
