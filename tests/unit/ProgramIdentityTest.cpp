// The identifiers the build hands to the installer and the scripts
// (<tree>/generated/ProgramIdentity.sh, read from the header through the
// preprocessor) are exactly the ones the program is built with.
#include "resources/ProgramIdentity.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

namespace {

// name='value' lines; anything else is left out.
std::map<std::string, std::string> ShellValues(const char* path)
{
    std::map<std::string, std::string> values;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        const std::size_t equals = line.find("='");
        if (equals != std::string::npos && line.size() >= equals + 3 && line.back() == '\'')
            values[line.substr(0, equals)] = line.substr(equals + 2, line.size() - equals - 3);
    }
    return values;
}

}   // namespace

TEST(ProgramIdentity, TheScriptsAndTheInstallerGetTheHeadersValues)
{
    const std::map<std::string, std::string> expected{
        {"program_title", kProgramTitle},
        {"about_caption", kAboutCaption},
        {"version_line", kVersionLine},
        {"settings_key_path", kSettingsKeyPath},
        {"frame_class", kFrameClass},
        {"exit_request_message_name", kExitRequestMessageName},
        {"instance_mutex_name", kInstanceMutexName},
        {"other_program_mutex_name", kOtherProgramMutexName},
    };
    EXPECT_EQ(ShellValues(LUMISAT_IDENTITY_SCRIPT), expected) << LUMISAT_IDENTITY_SCRIPT;
}
