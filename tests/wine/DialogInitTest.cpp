// The combo-box items stored with dialog templates.
#include "framework/DialogInit.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
std::vector<std::uint8_t> Item(WORD id, WORD message, const std::string& text)
{
    const DWORD length = static_cast<DWORD>(text.size() + 1);
    std::vector<std::uint8_t> bytes(8 + length, 0);
    std::memcpy(bytes.data(), &id, 2);
    std::memcpy(bytes.data() + 2, &message, 2);
    std::memcpy(bytes.data() + 4, &length, 4);
    std::memcpy(bytes.data() + 8, text.data(), text.size());
    return bytes;
}
}

TEST(DialogInit, ReadsItemsUntilTheEndMark)
{
    std::vector<std::uint8_t> data = Item(1145, 0x0403, "Auto");
    std::vector<std::uint8_t> second = Item(1145, 0x0403, "QAM 16");
    data.insert(data.end(), second.begin(), second.end());
    data.push_back(0);
    data.push_back(0);
    const std::vector<DialogInitItem> items = ParseDialogInit(data.data(), data.size());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].controlId, 1145);
    EXPECT_EQ(items[0].message, 0x0403);
    EXPECT_EQ(items[0].text, "Auto");
    EXPECT_EQ(items[1].text, "QAM 16");
}

TEST(DialogInit, StopsAtAnItemThatDoesNotFit)
{
    std::vector<std::uint8_t> data = Item(1145, 0x0403, "Auto");
    std::vector<std::uint8_t> cut = Item(1146, 0x0403, "a long text that is cut short");
    cut.resize(cut.size() - 10);
    data.insert(data.end(), cut.begin(), cut.end());
    const std::vector<DialogInitItem> items = ParseDialogInit(data.data(), data.size());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "Auto");
    EXPECT_TRUE(ParseDialogInit(nullptr, 100).empty());
    EXPECT_TRUE(ParseDialogInit(data.data(), 5).empty());
}

TEST(DialogInit, TheStoredAddStringMessagesFillTodaysControls)
{
    EXPECT_EQ(DialogInitMessage(0x0403), static_cast<UINT>(CB_ADDSTRING));
    EXPECT_EQ(DialogInitMessage(0x0401), static_cast<UINT>(LB_ADDSTRING));
    EXPECT_EQ(DialogInitMessage(WM_SETTEXT), static_cast<UINT>(WM_SETTEXT));

    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, parent,
                                 reinterpret_cast<HMENU>(1145), nullptr, nullptr);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 0, 100, 100, parent, reinterpret_cast<HMENU>(1146),
                                nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(list, nullptr);
    SendDialogInitItems(parent, {{1145, 0x0403, "Auto"}, {1145, 0x0403, "16"}, {1146, 0x0401, "MPE Data"}});

    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    char text[32] = {};
    SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "16");
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "MPE Data");
    DestroyWindow(parent);
}
