// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/host_location.h"

#include "config/test_folder.h"

#include <gtest/gtest.h>

#include <map>

namespace config {
namespace {

using testing::TestFolder;
using testing::WriteBytes;

class HostLocationTest : public ::testing::Test {
protected:
    HostFolderChoice Choose(std::optional<std::string> option = std::nullopt) {
        return ChooseHostFolder({std::move(option), Env(), program_.path()});
    }
    std::function<const char*(const char*)> Env() {
        return [this](const char* name) -> const char* {
            const auto it = env_.find(name);
            return it == env_.end() ? nullptr : it->second.c_str();
        };
    }

    TestFolder program_;
    std::map<std::string, std::string> env_{{"HOME", "/home/user"}};
};

TEST_F(HostLocationTest, EachPlaceInTurn) {
    // Nothing given and no Kalvorin.CFG beside the program: the user's data folder.
    HostFolderChoice c = Choose();
    EXPECT_EQ("/home/user/.local/share/kalvorin", c.folder);
    EXPECT_EQ(HostFolderSource::kUserData, c.source);

    env_["XDG_DATA_HOME"] = "/data";
    EXPECT_EQ("/data/kalvorin", Choose().folder);

    WriteBytes(program_ / "Kalvorin.CFG", "[UNSEI]\r\n");
    c = Choose();
    EXPECT_EQ(program_.path(), c.folder);
    EXPECT_EQ(HostFolderSource::kProgramFolder, c.source);

    env_["KALVORIN_HOME"] = "/from/env";
    c = Choose();
    EXPECT_EQ("/from/env", c.folder);
    EXPECT_EQ(HostFolderSource::kEnvironment, c.source);

    c = Choose("/from/option");
    EXPECT_EQ("/from/option", c.folder);
    EXPECT_EQ(HostFolderSource::kOption, c.source);
}

TEST_F(HostLocationTest, EmptyAndRelativeValuesDoNotCount) {
    env_["KALVORIN_HOME"] = "";
    env_["XDG_DATA_HOME"] = "relative/data";
    const HostFolderChoice c = Choose("");
    EXPECT_EQ(HostFolderSource::kUserData, c.source);
    EXPECT_EQ("/home/user/.local/share/kalvorin", c.folder);

    // Without HOME the password database names the home folder.
    env_.erase("HOME");
    env_.erase("XDG_DATA_HOME");
    const std::filesystem::path fallback = UserHostFolder(Env());
    EXPECT_TRUE(fallback.empty() || fallback.filename() == "kalvorin") << fallback;
}

TEST_F(HostLocationTest, HoldsConfigFileWantsARegularFile) {
    EXPECT_FALSE(HoldsConfigFile(program_.path()));
    std::filesystem::create_directory(program_ / "Kalvorin.CFG");
    EXPECT_FALSE(HoldsConfigFile(program_.path()));
    EXPECT_FALSE(HoldsConfigFile({}));
}

} // namespace
} // namespace config
