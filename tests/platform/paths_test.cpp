// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/paths.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace platform;

namespace {

void touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
}

} // namespace

TEST(Paths, AppPathIsTheStageFolderHoldingConfigFiles) {
    EXPECT_EQ(AppPath(), test_stage::appFolder());
    EXPECT_TRUE(fs::is_directory(fs::path(AppPath()) / "ConfigFiles"));
}

TEST(Paths, BackslashPathsRelativeToTheProgramFolderMatchWithoutRegardToCase) {
    touch(fs::path(AppPath()) / "ConfigFiles" / "autocadconfig.txt");
    touch(fs::path(AppPath()) / "ConfigFiles" / "图片" / "Shaft.BMP");
    const std::string expected = (fs::path(AppPath()) / "ConfigFiles" / "autocadconfig.txt").string();
    EXPECT_EQ(ResolvePath("configfiles\\autocadconfig.txt"), expected);
    EXPECT_EQ(ResolvePath("CONFIGFILES\\AutoCADConfig.TXT"), expected);
    EXPECT_EQ(ResolvePath(AppPath() + "\\ConfigFiles\\图片\\shaft.bmp"),
              (fs::path(AppPath()) / "ConfigFiles" / "图片" / "Shaft.BMP").string());
}

TEST(Paths, PartsThatDoNotExistKeepTheirSpelling) {
    // A file about to be written is named as the caller gave it, in the folder that exists.
    EXPECT_EQ(ResolvePath("configfiles\\New\\Jet.DB"),
              (fs::path(AppPath()) / "ConfigFiles" / "New" / "Jet.DB").string());
    EXPECT_EQ(ResolvePath("/no/such/Dir\\A.vnt"), "/no/such/Dir/A.vnt");
}

TEST(Paths, AnOverriddenProgramFolderLosesItsTrailingSeparator) {
    const std::string saved = AppPath();
    setAppPath("/tmp/x/");
    EXPECT_EQ(AppPath(), "/tmp/x");
    setAppPath(saved);
}
