// The combo-box items stored with dialog templates.
#include "framework/DialogInit.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
std::vector<std::uint8_t> Item(WORD id, WORD message, const std::string& text)
{
    std::vector<std::uint8_t> bytes(8);
    DWORD length = static_cast<DWORD>(text.size() + 1);
    std::memcpy(bytes.data(), &id, 2);
    std::memcpy(bytes.data() + 2, &message, 2);
    std::memcpy(bytes.data() + 4, &length, 4);
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
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
