#include "setup/InfCleanup.h"
#include "setup/OsFamily.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

// An INF folder in memory: files with their provider (nothing for files that
// are no INF file), and a record of every file the search looked at.
class FakeInfFolder : public CInfFolder {
public:
    std::map<std::string, std::optional<std::string>> files;
    std::vector<std::string> existenceChecks;
    std::vector<std::string> providerReads;
    std::vector<std::string> deleted;

    bool Exists(const char* path) override {
        existenceChecks.emplace_back(path);
        return files.count(path) != 0;
    }
    std::optional<std::string> ReadProvider(const char* path) override {
        providerReads.emplace_back(path);
        return files.at(path);
    }
    void ForceDelete(const char* path) override {
        deleted.emplace_back(path);
        files.erase(path);
    }
};

const char kFolder[] = "C:\\WINDOWS\\inf";

TEST(SetupInfCleanup, DeletesTheFirstReceiverInfWithItsPnfAndStops) {
    FakeInfFolder folder;
    folder.files["C:\\WINDOWS\\inf\\oem1.inf"] = "Microsoft";
    folder.files["C:\\WINDOWS\\inf\\oem2.inf"] = std::nullopt;
    folder.files["C:\\WINDOWS\\inf\\oem3.inf"] = "VID Uzediraz";
    folder.files["C:\\WINDOWS\\inf\\oem3.PNF"] = std::nullopt;
    folder.files["C:\\WINDOWS\\inf\\oem4.inf"] = "VID Uzediraz";

    EXPECT_TRUE(DeleteReceiverInfFiles(folder, kFolder, kOsWin98Family));

    EXPECT_EQ((std::vector<std::string>{"C:\\WINDOWS\\inf\\oem3.inf", "C:\\WINDOWS\\inf\\oem3.PNF"}),
              folder.deleted);
    EXPECT_EQ(4u, folder.existenceChecks.size()) << "the search goes on after the match";
    EXPECT_EQ((std::vector<std::string>{"C:\\WINDOWS\\inf\\oem1.inf", "C:\\WINDOWS\\inf\\oem2.inf",
                                        "C:\\WINDOWS\\inf\\oem3.inf"}),
              folder.providerReads);
    EXPECT_EQ(1u, folder.files.count("C:\\WINDOWS\\inf\\oem4.inf"));
}

TEST(SetupInfCleanup, SearchesOem0ToOem50OnlyAndKeepsOtherMakersFiles) {
    FakeInfFolder folder;
    folder.files["C:\\WINDOWS\\inf\\oem0.inf"] = "vid uzediraz";
    folder.files["C:\\WINDOWS\\inf\\oem7.inf"] = "VID Uzediraz ";
    folder.files["C:\\WINDOWS\\inf\\oem9.inf"] = "";
    folder.files["C:\\WINDOWS\\inf\\oem51.inf"] = "VID Uzediraz";

    EXPECT_FALSE(DeleteReceiverInfFiles(folder, kFolder, kOsWin2000Family));

    EXPECT_TRUE(folder.deleted.empty());
    ASSERT_EQ(51u, folder.existenceChecks.size());
    EXPECT_EQ("C:\\WINDOWS\\inf\\oem0.inf", folder.existenceChecks.front());
    EXPECT_EQ("C:\\WINDOWS\\inf\\oem50.inf", folder.existenceChecks.back());
    EXPECT_EQ(3u, folder.providerReads.size()) << "only existing files are opened";
}

TEST(SetupInfCleanup, OnlyTheWindows98FamilyFallsBackToTheOtherFolder) {
    const std::string otherCopy = "C:\\WINDOWS\\inf\\other\\DOZIzo~1.inf";
    for (int family : {kOsUnknownOrWin95, kOsWin98Family, kOsWinNt4, kOsWin2000Family}) {
        FakeInfFolder folder;
        DeleteReceiverInfFiles(folder, kFolder, family);
        const bool fellBack = folder.deleted == std::vector<std::string>{otherCopy};
        EXPECT_EQ(family == kOsWin98Family, fellBack) << "family " << family;
    }

    FakeInfFolder matched;
    matched.files["C:\\WINDOWS\\inf\\oem12.inf"] = "VID Uzediraz";
    DeleteReceiverInfFiles(matched, kFolder, kOsWin98Family);
    EXPECT_EQ(2u, matched.deleted.size()) << "no fallback after a match";
}

TEST(SetupInfCleanup, NamesThatDoNotFitAreSkippedNotCut) {
    // 259 characters fit with the terminator: a folder of 250 leaves room for
    // "\oem9.inf" (9) but not for "\oem10.inf" (10).
    const std::string folderName = "C:\\" + std::string(247, 'd');
    ASSERT_EQ(250u, folderName.size());
    FakeInfFolder folder;
    folder.files[folderName + "\\oem10.inf"] = "VID Uzediraz";

    EXPECT_FALSE(DeleteReceiverInfFiles(folder, folderName.c_str(), kOsWin98Family));
    ASSERT_EQ(10u, folder.existenceChecks.size());
    EXPECT_EQ(folderName + "\\oem9.inf", folder.existenceChecks.back());
    EXPECT_TRUE(folder.deleted.empty()) << "the other-folder name does not fit either";

    const std::string huge(5000, 'x');
    FakeInfFolder untouched;
    EXPECT_FALSE(DeleteReceiverInfFiles(untouched, huge.c_str(), kOsWin98Family));
    EXPECT_TRUE(untouched.existenceChecks.empty());
    EXPECT_TRUE(untouched.deleted.empty());

    char name[kInfNameChars];
    EXPECT_TRUE(FormatOemFileName(name, folderName.c_str(), 9, "PNF"));
    EXPECT_EQ(folderName + "\\oem9.PNF", name);
    EXPECT_FALSE(FormatOemFileName(name, folderName.c_str(), 10, "inf"));
    EXPECT_STREQ("", name);
}

TEST(SetupInfCleanup, ProviderMustMatchExactly) {
    EXPECT_TRUE(IsReceiverInfProvider("VID Uzediraz"));
    EXPECT_FALSE(IsReceiverInfProvider("VID UZEDIRAZ"));
    EXPECT_FALSE(IsReceiverInfProvider("VID Uzediraz2"));
    EXPECT_FALSE(IsReceiverInfProvider("VID"));
    EXPECT_FALSE(IsReceiverInfProvider(std::string_view("VID Uzediraz\0x", 14)));
}

TEST(SetupOsFamily, ClassifiesThePlatformAndVersion) {
    struct Case {
        unsigned long platform, major, minor;
        OsFamily family;
    };
    const Case cases[] = {
        {1, 4, 0, kOsUnknownOrWin95}, {1, 3, 95, kOsUnknownOrWin95}, {1, 4, 10, kOsWin98Family},
        {1, 4, 90, kOsWin98Family},   {1, 5, 0, kOsWin98Family},     {2, 3, 51, kOsWinNt4},
        {2, 4, 0, kOsWinNt4},         {2, 5, 0, kOsWin2000Family},   {2, 5, 2, kOsWin2000Family},
        {2, 6, 1, kOsWin98Family},    {2, 10, 0, kOsWin98Family},    {0, 5, 1, kOsUnknownOrWin95},
        {3, 10, 0, kOsUnknownOrWin95},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.family, ClassifyOsFamily(OsVersion{c.platform, c.major, c.minor}))
            << "platform " << c.platform << ", version " << c.major << "." << c.minor;
    EXPECT_EQ(kOsUnknownOrWin95, ClassifyOsFamily(std::nullopt));
}

}  // namespace
