// The two dialog templates as the program must have them, item by item: checked
// against the resources compiled into kivo6.exe and against what the Linux
// stand-in reads out of kivo6.rc. Captions are UTF-8.
#pragma once

#include "ui/win32.h"

#include <vector>

struct DialogItem {
    int id;      // -1 for no identifier
    DWORD style; // without WS_CHILD | WS_VISIBLE, which every item has
    const char* caption;
    short x, y, cx, cy;
};

struct DialogTable {
    int id;
    const char* caption;
    short cx, cy;
    std::vector<DialogItem> items;
};

inline constexpr DWORD kDialogItemVisibleChild = WS_CHILD | WS_VISIBLE;
inline constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
inline constexpr const char* kDialogFont = "ＭＳ Ｐゴシック";

inline const std::vector<DialogTable>& DialogTables() {
    constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
    constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
    static const std::vector<DialogTable> tables = {
        {101,
         "KIVO6",
         247,
         153,
         {
             {1, BS_DEFPUSHBUTTON | WS_TABSTOP, "終了（&X）", 194, 121, 46, 23},
             {1000, kPush | BS_NOTIFY, "結果表示(Type1)", 94, 59, 56, 21},
             {1002, kPush, "確立表示", 172, 7, 68, 21},
             {1003, kPush, "過去の当選結果", 172, 35, 68, 21},
             {-1, BS_GROUPBOX, "数字算出", 7, 7, 155, 139},
             {1004, kCheck, "前回の数字を排除", 22, 27, 69, 16},
             {-1, BS_GROUPBOX, "", 13, 16, 143, 73},
             {1006, BS_AUTORADIOBUTTON | WS_GROUP, "通常", 28, 49, 56, 10},
             {1007, BS_AUTORADIOBUTTON, "偶数のみ", 28, 59, 56, 10},
             {1008, BS_AUTORADIOBUTTON, "奇数のみ", 28, 71, 56, 10},
             {1009, kPush, "結果表示(Type2)", 94, 109, 56, 22},
             {1010, kPush, "詳細設定", 18, 109, 36, 14},
             {-1, BS_GROUPBOX, "", 13, 98, 143, 40},
         }},
        {113,
         "詳細設定",
         242,
         187,
         {
             {1, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", 119, 166, 50, 14},
             {2, kPush, "ｷｬﾝｾﾙ", 185, 166, 50, 14},
             {-1, BS_GROUPBOX | WS_GROUP, "排除する列", 17, 7, 218, 40},
             {1018, kCheck, "1～10", 25, 23, 33, 10},
             {1019, kCheck, "11～20", 66, 23, 37, 10},
             {1020, kCheck, "21～30", 107, 23, 37, 10},
             {1021, kCheck, "31～40", 146, 23, 37, 10},
             {1022, kCheck, "41～43", 187, 23, 37, 10},
             {-1, BS_GROUPBOX, "過去の結果の排除", 16, 58, 219, 82},
             {1026, kCheck, "前回(1番目)", 27, 73, 51, 10},
             {1027, kCheck, "前々回（2回目）", 90, 73, 61, 10},
             {1028, kCheck, "前々々回（3回目）", 156, 73, 67, 10},
             {1029, kCheck, "4回目", 27, 87, 33, 10},
             {1030, kCheck, "5回目", 90, 87, 33, 10},
             {1031, kCheck, "6回目", 156, 87, 33, 10},
             {1032, kCheck, "7回目", 27, 103, 33, 10},
             {1033, kCheck, "8回目", 90, 103, 33, 10},
             {1034, kCheck, "9回目", 156, 103, 33, 10},
             {1035, kCheck, "10回目", 27, 117, 37, 10},
         }},
    };
    return tables;
}
