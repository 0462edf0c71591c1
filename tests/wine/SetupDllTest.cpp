// Setup.dll as the installation program uses it: loaded by path, its three
// functions found by their plain names. Wine has no receiver devices, so the
// device paths seen here are the absent ones.
#include "tests/unit/ScratchDirectory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using CheckDriverFn = int (*)();
using DeleteDtvFn = int(__stdcall*)(const char*);
using GetBmpRgbFn = int(__stdcall*)(const char*, int*, int*, int*);

class SetupDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* bin = std::getenv("LUMISAT_BIN");
        module_ = LoadLibraryA((std::string(bin != nullptr ? bin : ".") + "\\Setup.dll").c_str());
        ASSERT_NE(nullptr, module_) << "Setup.dll not loaded; is LUMISAT_BIN set?";
        checkDriver_ = Export<CheckDriverFn>("CheckDriver");
        deleteDtv_ = Export<DeleteDtvFn>("DeleteDTV");
        ASSERT_TRUE(checkDriver_ && deleteDtv_ && Export<GetBmpRgbFn>("GetBmpRGB")) << "an export is missing";
        ASSERT_TRUE(folder.Valid());
        folder_ = folder.Path().substr(0, folder.Path().size() - 1);
    }
    void TearDown() override { FreeLibrary(module_); }

    template <typename Function>
    Function Export(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    std::string PathOf(const std::string& name) const { return folder.Path(name); }
    void WriteFile(const std::string& name, const std::string& text) const
    {
        ASSERT_TRUE(folder.Write(name, text)) << name;
    }
    void WriteInf(const std::string& name, const std::string& provider) const
    {
        WriteFile(name, "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Net\r\nProvider=" + provider + "\r\n");
    }
    bool Exists(const std::string& name) const
    {
        return GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    HMODULE module_ = nullptr;
    CheckDriverFn checkDriver_ = nullptr;
    DeleteDtvFn deleteDtv_ = nullptr;
    ScratchDirectory folder;
    std::string folder_;   // without the final backslash, as the installer passes it
};

TEST_F(SetupDll, CheckDriverFindsNoReceiver) { EXPECT_EQ(0, checkDriver_()); }

// Which files the search takes is the rules' business (SetupInfCleanupTest);
// here the system reads the providers and removes protected files.
TEST_F(SetupDll, DeleteDtvReadsProvidersThroughTheSystemAndRemovesProtectedFiles)
{
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

}   // namespace
