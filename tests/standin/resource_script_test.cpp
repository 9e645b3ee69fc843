// The resource script reader: the program's own kivo6.rc must come out exactly as
// the Windows resource compiler builds it, and a script it cannot read must be
// refused with the place and the reason, never half-read.
#include "support/dialog_tables.h"

#include "standin/resource_script.h"
#include "standin/window_model.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// A template's fields, and a control's, as one value to compare.
auto Fields(const DialogTemplate& d) {
    return std::tuple(d.id, d.language, d.style, d.caption, d.fontFace, d.fontPoints, d.x, d.y,
                      d.cx, d.cy);
}
auto Fields(const ControlTemplate& c) {
    return std::tuple(c.id, c.style, c.caption, c.x, c.y, c.cx, c.cy);
}

TEST(ResourceScript, ProgramTemplatesMatchTheTables) {
    HINSTANCE module = ProgramModule();
    ASSERT_NE(module, nullptr);
    ASSERT_EQ(module->dialogs.size(), DialogTables().size());
    for (std::size_t d = 0; d < DialogTables().size(); ++d) {
        const DialogTable& table = DialogTables()[d];
        const DialogTemplate& dialog = module->dialogs[d];
        SCOPED_TRACE(table.caption);
        EXPECT_EQ(Fields(dialog), std::tuple(table.id, 1041, kDialogStyle, table.caption,
                                             kDialogFont, 9, 0, 0, table.cx, table.cy));
        ASSERT_EQ(dialog.controls.size(), table.items.size());
        for (std::size_t i = 0; i < table.items.size(); ++i) {
            const DialogItem& item = table.items[i];
            EXPECT_EQ(Fields(dialog.controls[i]),
                      std::tuple(item.id & 0xFFFF, item.style | kDialogItemVisibleChild,
                                 item.caption, item.x, item.y, item.cx, item.cy))
                << "item " << i + 1;
        }
    }
}

TEST(ResourceScript, DefaultsIncludesAndExpressions) {
    const char* header =
        "#ifndef IDS_H\n#define IDS_H\n#define IDD_ONE 7\n#define IDC_A (0x10 + 1)\n"
        "#define IDC_NONE (-1)\n#endif\n";
    const char* script =
        "#include \"ids.h\"\n#include \"ids.h\"\n#include <windows.h>\n"
        "/* a comment\n   over lines */ LANGUAGE LANG_ENGLISH, SUBLANG_DEFAULT\n"
        "IDD_ONE DIALOG 1, 2, 30, 40 // no STYLE: the compiler's default\n"
        "CAPTION \"Say \"\"hi\"\"\"\n"
        "BEGIN\n"
        "  AUTORADIOBUTTON \"r\", IDC_A, 0, 0, 5, 5, WS_GROUP | NOT WS_TABSTOP | BS_NOTIFY\n"
        "  GROUPBOX \"g\", IDC_NONE, 0, 0, 5, 5\n"
        "END\n";
    const ResourceScriptResult result = ReadResourceScript(script, {{"ids.h", header}});
    ASSERT_EQ(result.error, "");
    ASSERT_EQ(result.dialogs.size(), 1u);
    const DialogTemplate& dialog = result.dialogs[0];
    EXPECT_EQ(Fields(dialog), std::tuple(7, 0x0409, WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION,
                                         "Say \"hi\"", "", 0, 1, 2, 30, 40));
    ASSERT_EQ(dialog.controls.size(), 2u);
    EXPECT_EQ(Fields(dialog.controls[0]),
              std::tuple(0x11, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP | BS_NOTIFY,
                         "r", 0, 0, 5, 5));
    EXPECT_EQ(Fields(dialog.controls[1]),
              std::tuple(0xFFFF, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, "g", 0, 0, 5, 5));
}

TEST(ResourceScript, RefusesWhatItCannotReadWithThePlace) {
    const struct {
        const char* script;
        const char* error;
    } cases[] = {
        {"1 DIALOG 0, 0, 9, 9\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 9, 9\nEND\n",
         "resource script line 3: control statement LTEXT not understood"},
        {"1 DIALOG 0, 0, 9, 9\nBEGIN\n  PUSHBUTTON \"a\", IDC_MISSING, 0, 0, 9, 9\nEND\n",
         "resource script line 3: unknown name IDC_MISSING"},
        {"1 DIALOG 0, 0, 9, 9\nCAPTION \"open\nBEGIN\nEND\n",
         "resource script line 2: string not closed"},
        {"1 DIALOGEX 0, 0, 9, 9\nBEGIN\nEND\n",
         "resource script line 1: DIALOGEX is not understood; write the dialog with DIALOG"},
        {"1 DIALOG 0, 0, 9, 99999\nBEGIN\nEND\n",
         "resource script line 1: coordinate out of range"},
        {"1 DIALOG 0, 0, 9, 9\nBEGIN\n  PUSHBUTTON \"a\", 1, 0, 0, 9, 9\n",
         "resource script line 3: dialog without END"},
        {"#pragma code_page(932)\n",
         "resource script line 1: only #pragma code_page(65001) (UTF-8) is understood"},
        {"#ifndef X\n1 DIALOG 0, 0, 9, 9\n", "resource script line 2: #ifndef without #endif"},
        {"#define A B\n#define B A\n1 DIALOG 0, 0, A, 9\nBEGIN\nEND\n",
         "resource script line 1: B is defined in terms of itself"},
        // An include guard used as a number: the place is the use, not the next token.
        {"#define GUARD\n1 DIALOG 0, 0, 9, GUARD\nBEGIN\nEND\n",
         "resource script line 2: GUARD is defined as nothing"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.script);
        const ResourceScriptResult result = ReadResourceScript(bad.script, {});
        EXPECT_EQ(result.error, bad.error);
        EXPECT_TRUE(result.dialogs.empty());
    }
}

TEST(ResourceScript, CodePage932TextReadsAsUtf8) {
    EXPECT_EQ(TextFromCodePage932("\x89\xf1: 6.3\x81\x93"), "回: 6.3％");
    EXPECT_EQ(TextFromCodePage932("a\x82z"), "a\xEF\xBF\xBDz") << "a lone lead byte";
    EXPECT_EQ(TextFromCodePage932(""), "");
}

} // namespace
