// Icons, bitmaps and the frame's menu of Lumisat.exe.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/wine/ResourceTestSupport.h"

using namespace resource_test;

namespace {

const COLORREF kMaskColour = RGB(0, 128, 128);

// A bitmap resource selected into a memory DC for reading pixels.
class BitmapReader {
public:
    explicit BitmapReader(int id)
        : bitmap(static_cast<HBITMAP>(
              LoadImageA(ProgramModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))),
          dc(CreateCompatibleDC(nullptr))
    {
        if (bitmap != nullptr)
            old = SelectObject(dc, bitmap);
    }
    ~BitmapReader()
    {
        if (bitmap != nullptr) {
            SelectObject(dc, old);
            DeleteObject(bitmap);
        }
        DeleteDC(dc);
    }
    bool Loaded() const { return bitmap != nullptr; }
    BITMAP Info() const
    {
        BITMAP info{};
        GetObjectA(bitmap, sizeof(info), &info);
        return info;
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }

private:
    HBITMAP bitmap;
    HDC dc;
    HGDIOBJ old = nullptr;
};

// Pixels of one 16-pixel image of the strip: how many are mostly green, mostly
// red, and of the mask colour.
std::array<int, 3> GreenRedMask(const BitmapReader& strip, int left)
{
    std::array<int, 3> count{};
    for (int y = 0; y < 16; ++y) {
        for (int x = left; x < left + 16; ++x) {
            const COLORREF c = strip.Pixel(x, y);
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            count[0] += c != kMaskColour && g >= 128 && r < 64 && b < 64;
            count[1] += c != kMaskColour && r >= 128 && g < 64 && b < 64;
            count[2] += c == kMaskColour;
        }
    }
    return count;
}

std::string MenuText(HMENU menu, UINT item, UINT flags)
{
    char text[64] = "";
    GetMenuStringA(menu, item, text, static_cast<int>(sizeof(text)), flags);
    return text;
}

}  // namespace

TEST(DialogTemplatesImages, IconsLoadInSmallAndLargeSizes)
{
    ASSERT_NE(ProgramModule(), nullptr);
    for (int id : {128, 135, 140}) {
        for (int size : {16, 32}) {
            HANDLE icon = LoadImageA(ProgramModule(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
            EXPECT_NE(icon, nullptr) << "icon " << id << " at " << size << " pixels";
            if (icon != nullptr)
                DestroyIcon(static_cast<HICON>(icon));
        }
    }
}

TEST(DialogTemplatesImages, BannerFitsTheMainDialog)
{
    ASSERT_NE(ProgramModule(), nullptr);
    BitmapReader banner(134);
    ASSERT_TRUE(banner.Loaded());
    TemplateDialog dialog(102);
    ASSERT_NE(dialog.Handle(), nullptr);
    RECT client{};
    GetClientRect(dialog.Handle(), &client);
    EXPECT_LE(banner.Info().bmWidth, client.right);
    // The banner must end above the satellite group below it.
    RECT group = RectInParent(dialog.Item(1001));
    EXPECT_LT(banner.Info().bmHeight, group.top);
}

TEST(DialogTemplatesImages, PidStateStripHoldsLoadedAndNotLoadedImages)
{
    ASSERT_NE(ProgramModule(), nullptr);
    BitmapReader strip(143);
    ASSERT_TRUE(strip.Loaded());
    const BITMAP info = strip.Info();
    EXPECT_EQ(34, info.bmWidth);
    EXPECT_EQ(16, info.bmHeight);
    EXPECT_EQ(4, info.bmBitsPixel);
    EXPECT_EQ(kMaskColour, strip.Pixel(0, 0));

    // The list cuts the strip into 16-pixel images: 0 loaded (green), 1 not
    // loaded (red), each with a transparent border.
    const std::array<int, 3> loaded = GreenRedMask(strip, 0);
    const std::array<int, 3> notLoaded = GreenRedMask(strip, 16);
    EXPECT_TRUE(loaded[0] > 100 && loaded[1] == 0 && loaded[2] > 0) << loaded[0] << " " << loaded[1] << " " << loaded[2];
    EXPECT_TRUE(notLoaded[1] > 100 && notLoaded[0] == 0 && notLoaded[2] > 0) << notLoaded[0] << " " << notLoaded[1];
    HIMAGELIST images = ImageList_LoadImageA(ProgramModule(), MAKEINTRESOURCEA(143), 16, 0, kMaskColour,
                                             IMAGE_BITMAP, LR_CREATEDIBSECTION);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(2, ImageList_GetImageCount(images));
    ImageList_Destroy(images);
}

TEST(DialogTemplatesImages, FrameMenuHoldsShowAndExit)
{
    ASSERT_NE(ProgramModule(), nullptr);
    HMENU menu = LoadMenuA(ProgramModule(), MAKEINTRESOURCEA(128));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(1, GetMenuItemCount(menu));
    EXPECT_EQ("Popup", MenuText(menu, 0, MF_BYPOSITION));
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(2, GetMenuItemCount(popup));
    EXPECT_EQ(32771u, GetMenuItemID(popup, 0));
    EXPECT_EQ("&Show", MenuText(popup, 0, MF_BYPOSITION));
    EXPECT_EQ(32772u, GetMenuItemID(popup, 1));
    EXPECT_EQ("&Exit", MenuText(popup, 1, MF_BYPOSITION));
    DestroyMenu(menu);
}

TEST(DialogTemplatesImages, ManifestAsksForCommonControlsSixAndDpiAwareness)
{
    ASSERT_NE(ProgramModule(), nullptr);
    HRSRC found = FindResourceA(ProgramModule(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(ProgramModule(), found)));
    const std::string manifest(data, SizeofResource(ProgramModule(), found));
    EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, manifest.find("<dpiAware"));
}
