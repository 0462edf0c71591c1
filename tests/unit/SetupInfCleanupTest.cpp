#include "setup/InfCleanup.h"
#include "setup/OsFamily.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
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

    bool Exists(const char* path) override
    {
        existenceChecks.emplace_back(path);
        return files.count(path) != 0;
    }
    std::optional<std::string> ReadProvider(const char* path) override
    {
        providerReads.emplace_back(path);
        return files.at(path);
    }
    void ForceDelete(const char* path) override
    {
        deleted.emplace_back(path);
        files.erase(path);
    }
};

const char kFolder[] = "C:\\WINDOWS\\inf";

TEST(SetupInfCleanup, DeletesTheFirstReceiverInfWithItsPnfAndStops)
{
    FakeInfFolder folder;
    folder.files["C:\\WINDOWS\\inf\\oem1.inf"] = "Microsoft";
    folder.files["C:\\WINDOWS\\inf\\oem2.inf"] = std::nullopt;
    folder.files["C:\\WINDOWS\\inf\\oem3.inf"] = "VID Uzediraz";
    folder.files["C:\\WINDOWS\\inf\\oem3.PNF"] = std::nullopt;
    folder.files["C:\\WINDOWS\\inf\\oem4.inf"] = "VID Uzediraz";

    EXPECT_TRUE(DeleteReceiverInfFiles(folder, kFolder, kOsWin98Family));

    EXPECT_EQ((std::vector<std::string>{"C:\\WINDOWS\\inf\\oem3.inf", "C:\\WINDOWS\\inf\\oem3.PNF"}), folder.deleted);
    EXPECT_EQ(4u, folder.existenceChecks.size()) << "the search goes on after the match";
    EXPECT_EQ((std::vector<std::string>{"C:\\WINDOWS\\inf\\oem1.inf", "C:\\WINDOWS\\inf\\oem2.inf",
                                        "C:\\WINDOWS\\inf\\oem3.inf"}),
              folder.providerReads);
    EXPECT_EQ(1u, folder.files.count("C:\\WINDOWS\\inf\\oem4.inf"));
}

TEST(SetupInfCleanup, SearchesOem0ToOem50OnlyAndKeepsOtherMakersFiles)
{
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

}   // namespace
