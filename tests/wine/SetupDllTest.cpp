// Setup.dll as the installation program uses it: loaded by path, its three
// functions found by their plain names. Wine has no receiver devices, so the
// device paths seen here are the absent ones (the others: SetupDevicesTest).
#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/SetupBitmapBuilder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using CheckDriverFn = int (*)();
using DeleteDtvFn = int(__stdcall*)(const char*);
using GetBmpRgbFn = int(__stdcall*)(const char*, int*, int*, int*);

class SetupDll : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* bin = std::getenv("LUMISAT_BIN");
        module_ = LoadLibraryA((std::string(bin != nullptr ? bin : ".") + "\\Setup.dll").c_str());
    }
    static void TearDownTestSuite() {
        if (module_ != nullptr) FreeLibrary(module_);
        module_ = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(nullptr, module_) << "Setup.dll not loaded; is LUMISAT_BIN set?";
        checkDriver_ = Export<CheckDriverFn>("CheckDriver");
        deleteDtv_ = Export<DeleteDtvFn>("DeleteDTV");
        getBmpRgb_ = Export<GetBmpRgbFn>("GetBmpRGB");
        ASSERT_TRUE(checkDriver_ && deleteDtv_ && getBmpRgb_) << "an export is missing";
        ASSERT_TRUE(folder.Valid());
        folder_ = folder.Path().substr(0, folder.Path().size() - 1);
    }

    template <typename Function>
    static Function Export(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    std::string PathOf(const std::string& name) const { return folder.Path(name); }
    void WriteFile(const std::string& name, const std::string& text) const {
        ASSERT_TRUE(folder.Write(name, text)) << name;
    }
    void WriteInf(const std::string& name, const std::string& provider) const {
        WriteFile(name, "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Net\r\nProvider=" + provider + "\r\n");
    }
    bool Exists(const std::string& name) const {
        return GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    static HMODULE module_;
    CheckDriverFn checkDriver_ = nullptr;
    DeleteDtvFn deleteDtv_ = nullptr;
    GetBmpRgbFn getBmpRgb_ = nullptr;
    ScratchDirectory folder;
    std::string folder_;  // without the final backslash, as the installer passes it
};

HMODULE SetupDll::module_ = nullptr;

TEST_F(SetupDll, CheckDriverFindsNoReceiver) {
    EXPECT_EQ(0, checkDriver_());
}

// Which files the search takes is the rules' business (SetupInfCleanupTest);
// here the system reads the providers and removes protected files.
TEST_F(SetupDll, DeleteDtvReadsProvidersThroughTheSystemAndRemovesProtectedFiles) {
    WriteInf("oem0.inf", "\"Another Maker\"");
    WriteInf("oem3.inf", "%Maker%\r\n[Strings]\r\nMaker=\"VID Uzediraz\"");
    WriteFile("oem3.PNF", "precompiled");
    SetFileAttributesA(PathOf("oem3.inf").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(PathOf("oem3.PNF").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(1, deleteDtv_(folder_.c_str())) << "no receiver: nothing to remove counts as done";
    EXPECT_EQ(1, deleteDtv_(nullptr)) << "a null folder skips the file search";
    EXPECT_FALSE(Exists("oem3.inf"));
    EXPECT_FALSE(Exists("oem3.PNF"));
    EXPECT_TRUE(Exists("oem0.inf"));
}

TEST_F(SetupDll, GetBmpRgbLeavesTheOutputsAloneForWhatIsNoBitmap) {
    WriteFile("text.bmp", "This is not a bitmap, only text that is long enough to hold a header.");
    WriteFile("empty.bmp", "");
    CreateDirectoryA(PathOf("folder.bmp").c_str(), nullptr);

    for (const char* name : {"missing.bmp", "text.bmp", "empty.bmp", "folder.bmp"}) {
        int red = -7, green = -8, blue = -9;
        EXPECT_EQ(0, getBmpRgb_(PathOf(name).c_str(), &red, &green, &blue)) << name;
        EXPECT_EQ(-7, red) << name;
        EXPECT_EQ(-8, green) << name;
        EXPECT_EQ(-9, blue) << name;
    }
    int unused = 0;
    EXPECT_EQ(0, getBmpRgb_(nullptr, &unused, &unused, &unused));
    EXPECT_EQ(0, getBmpRgb_(PathOf("text.bmp").c_str(), nullptr, nullptr, nullptr));
}

// The system's loader and GetPixel are the reference for the codings that
// Wine's loader keeps intact: it turns 5-6-5 pixels into 5-5-5 ones and
// leaves run-length coded and top-down bitmaps blank, which the unit tests
// cover instead.
TEST_F(SetupDll, GetBmpRgbAgreesWithTheSystemsBitmapLoader) {
    using setup_test::InfoBitmap;
    std::vector<std::pair<const char*, InfoBitmap>> cases;
    InfoBitmap b;
    b.width = 3, b.height = 2, b.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 0, 0};
    cases.emplace_back("24-bit", b);
    b = {}, b.bits = 16, b.pixels = {0x21, 0x42, 0, 0};
    cases.emplace_back("16-bit 555", b);
    b = {}, b.bits = 32, b.pixels = {0x11, 0x22, 0x33, 0x44};
    cases.emplace_back("32-bit", b);
    b = {}, b.bits = 8, b.colourTable = setup_test::NumberedTable(256), b.pixels = {7, 0, 0, 0};
    cases.emplace_back("8-bit", b);
    b.bits = 4, b.colourTable = setup_test::NumberedTable(16), b.pixels = {0xB4, 0, 0, 0};
    cases.emplace_back("4-bit", b);
    b.bits = 1, b.colourTable = setup_test::NumberedTable(2), b.pixels = {0x80, 0, 0, 0};
    cases.emplace_back("1-bit", b);

    const HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(nullptr, dc);
    for (const auto& [name, bitmap] : cases) {
        const setup_test::Bytes bytes = bitmap.Build();
        WriteFile("case.bmp", std::string(bytes.begin(), bytes.end()));
        const HBITMAP loaded = static_cast<HBITMAP>(
            LoadImageA(nullptr, PathOf("case.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        ASSERT_NE(nullptr, loaded) << name;
        const HGDIOBJ previous = SelectObject(dc, loaded);
        const COLORREF expected = GetPixel(dc, 0, 0);
        SelectObject(dc, previous);
        DeleteObject(loaded);

        int red = -1, green = -1, blue = -1;
        EXPECT_EQ(1, getBmpRgb_(PathOf("case.bmp").c_str(), &red, &green, &blue)) << name;
        EXPECT_EQ(GetRValue(expected), red) << name;
        EXPECT_EQ(GetGValue(expected), green) << name;
        EXPECT_EQ(GetBValue(expected), blue) << name;
    }
    DeleteDC(dc);
}

}  // namespace
