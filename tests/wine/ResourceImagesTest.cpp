// Icons, bitmaps and the frame's menu of Lumisat.exe.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

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

struct ColourCount {
    int green = 0;
    int red = 0;
    int white = 0;
    int mask = 0;
};

ColourCount CountColours(const BitmapReader& strip, int left, int width)
{
    ColourCount count;
    for (int y = 0; y < 16; ++y) {
        for (int x = left; x < left + width; ++x) {
            const COLORREF c = strip.Pixel(x, y);
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (c == kMaskColour)
                ++count.mask;
            else if (r == 255 && g == 255 && b == 255)
                ++count.white;
            else if (g >= 128 && r < 64 && b < 64)
                ++count.green;
            else if (r >= 128 && g < 64 && b < 64)
                ++count.red;
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

    // The list cuts the strip into 16-pixel images: 0 loaded, 1 not loaded.
    const ColourCount loaded = CountColours(strip, 0, 16);
    const ColourCount notLoaded = CountColours(strip, 16, 16);
    EXPECT_GT(loaded.green, 100);
    EXPECT_EQ(0, loaded.red);
    EXPECT_GT(loaded.white, 20);
    EXPECT_GT(loaded.mask, 0) << "no transparent border";
    EXPECT_GT(notLoaded.red, 100);
    EXPECT_EQ(0, notLoaded.green);
    EXPECT_GT(notLoaded.white, 10);
    EXPECT_GT(notLoaded.mask, 0) << "no transparent border";

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
