// Setup.dll as the installation program uses it: loaded by path, its three
// functions found by their plain names. Wine has no receiver devices, so the
// device paths seen here are the absent ones (the others: SetupDevicesTest).
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
        const std::string path = std::string(bin != nullptr ? bin : ".") + "\\Setup.dll";
        module_ = LoadLibraryA(path.c_str());
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
        folder_ = MakeTempFolder();
    }
    void TearDown() override {
        if (!folder_.empty()) RemoveFolder(folder_);
    }

    template <typename Function>
    static Function Export(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    static std::string MakeTempFolder() {
        char temp[MAX_PATH];
        char name[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        GetTempFileNameA(temp, "stp", 0, name);
        DeleteFileA(name);
        CreateDirectoryA(name, nullptr);
        return name;
    }
    static void RemoveFolder(const std::string& folder) {
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string path = folder + "\\" + name;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveFolder(path);
                else DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }
    void WriteFile(const std::string& name, const std::string& text) const {
        const HANDLE file = CreateFileA(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << name;
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
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
    std::string folder_;
};

HMODULE SetupDll::module_ = nullptr;

TEST_F(SetupDll, CheckDriverFindsNoReceiver) {
    EXPECT_EQ(0, checkDriver_());
}

TEST_F(SetupDll, DeleteDtvRemovesTheFirstReceiverInfWithItsPnfAndStops) {
    WriteInf("oem0.inf", "\"Another Maker\"");
    WriteInf("oem3.inf", "%Maker%\r\n[Strings]\r\nMaker=\"VID Uzediraz\"");
    WriteFile("oem3.PNF", "precompiled");
    WriteInf("oem4.inf", "\"VID Uzediraz\"");
    SetFileAttributesA(PathOf("oem3.inf").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(PathOf("oem3.PNF").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(1, deleteDtv_(folder_.c_str())) << "no receiver: nothing to remove counts as done";

    EXPECT_FALSE(Exists("oem3.inf"));
    EXPECT_FALSE(Exists("oem3.PNF"));
    EXPECT_TRUE(Exists("oem0.inf"));
    EXPECT_TRUE(Exists("oem4.inf")) << "the search stops at the first match";
}

TEST_F(SetupDll, DeleteDtvSearchesOnlyOem0ToOem50AndOnlyTheExactProvider) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_TRUE(version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6)
        << "these checks expect the Windows 98 / Me family rule of NT 6 and later";
    WriteInf("oem5.inf", "\"vid uzediraz\"");
    WriteInf("oem6.inf", "\"VID UZEDIRAZ\"");
    WriteInf("oem51.inf", "\"VID Uzediraz\"");
    WriteFile("oem7.inf", "not an INF file at all");
    CreateDirectoryA(PathOf("other").c_str(), nullptr);
    WriteFile("other\\DOZIzo~1.inf", "kept by the Windows 98 family");

    EXPECT_EQ(1, deleteDtv_(folder_.c_str()));

    EXPECT_TRUE(Exists("oem5.inf"));
    EXPECT_TRUE(Exists("oem6.inf"));
    EXPECT_TRUE(Exists("oem7.inf"));
    EXPECT_TRUE(Exists("oem51.inf")) << "oem51.inf must never be examined";
    EXPECT_FALSE(Exists("other\\DOZIzo~1.inf")) << "nothing matched: the other folder's copy goes";
}

TEST_F(SetupDll, DeleteDtvTakesFolderNamesOfAnyLength) {
    for (std::size_t length : {240u, 250u, 259u, 260u, 1000u, 100000u}) {
        const std::string longName = "C:\\" + std::string(length, 'n');
        EXPECT_EQ(1, deleteDtv_(longName.c_str())) << length;
    }
    EXPECT_EQ(1, deleteDtv_(""));
    EXPECT_EQ(1, deleteDtv_(nullptr)) << "a null folder skips the file search";
}

TEST_F(SetupDll, GetBmpRgbReadsTheTopLeftPixel) {
    setup_test::InfoBitmap bitmap;  // 2 x 2: the top row is stored last
    bitmap.width = 2;
    bitmap.height = 2;
    bitmap.pixels = {0, 255, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};
    const setup_test::Bytes bytes = bitmap.Build();
    WriteFile("red.bmp", std::string(bytes.begin(), bytes.end()));

    int red = -1, green = -1, blue = -1;
    EXPECT_EQ(1, getBmpRgb_(PathOf("red.bmp").c_str(), &red, &green, &blue));
    EXPECT_EQ(255, red);
    EXPECT_EQ(0, green);
    EXPECT_EQ(0, blue);
}

TEST_F(SetupDll, GetBmpRgbLeavesTheOutputsAloneForWhatIsNoBitmap) {
    setup_test::InfoBitmap huge;  // claims 60000 x 60000 pixels, holds one
    huge.width = huge.height = 60000;
    huge.pixels = {0, 0, 255, 0};
    const setup_test::Bytes hugeBytes = huge.Build();
    WriteFile("huge.bmp", std::string(hugeBytes.begin(), hugeBytes.end()));
    WriteFile("text.bmp", "This is not a bitmap, only text that is long enough to hold a header.");
    WriteFile("empty.bmp", "");
    CreateDirectoryA(PathOf("folder.bmp").c_str(), nullptr);

    for (const char* name : {"missing.bmp", "text.bmp", "empty.bmp", "huge.bmp", "folder.bmp"}) {
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
