// SPDX-License-Identifier: GPL-3.0-or-later
// The one check of file names built from texts, the GBK check and the leftovers of cut-off saves.
#include "platform/file_names.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

TEST(FileNames, APartThatLeavesItsFolderOrCannotBeStoredIsRefused) {
    struct Case {
        const char* part;
        bool usable;
    };
    const Case cases[] = {
        {"1#", true},    {"北-2", true},   {"a..b", true},   {"", false},          {".", false},
        {"..", false},   {"a/b", false},   {"..\\x", false}, {"x/../../v", false}, {"c:", false},
        {"a\tb", false}, {"风机😀", false}, {"a*b", false},   {"a\"b", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!platform::FileNamePartProblem(c.part, "风机编号").has_value(), c.usable) << c.part;
    }
    EXPECT_EQ(*platform::FileNamePartProblem("风机😀", "风机编号"),
              "风机编号用作文件名，不能含有 GBK 无法保存的字符“😀”。");
}

TEST(FileNames, DirectlyInsideAFolderAfterDotsAreResolved) {
    EXPECT_TRUE(platform::IsDirectlyInside("/p/b/c/new_1.afd", "/p/b/c"));
    EXPECT_TRUE(platform::IsDirectlyInside("/p/b/c/./new_1.afd", "/p/b/c/"));
    EXPECT_FALSE(platform::IsDirectlyInside("/p/b/c/new_x/../../victim.afd", "/p/b/c"));
    EXPECT_FALSE(platform::IsDirectlyInside("/p/b/c/sub/a.afd", "/p/b/c"));
    EXPECT_FALSE(platform::IsDirectlyInside("/p/b/c/..", "/p/b/c"));
}

TEST(FileNames, FirstCharacterGbkCannotHold) {
    EXPECT_FALSE(textcodec::FirstNotInGbk("隧道 tunnel ?"));
    EXPECT_EQ(textcodec::FirstNotInGbk("a😀b🚇"), "😀");
    EXPECT_EQ(textcodec::FirstNotInGbk("x\xC3\xA9"), std::nullopt) << "é is in GBK";
    EXPECT_EQ(textcodec::FirstNotInGbk("\xEA\xB0\x80"), "\xEA\xB0\x80"); // a Hangul syllable
}

class Leftovers : public test_support::TempFolderTest {};

TEST_F(Leftovers, OnlyTheTemporaryFilesOfThatFileAreTakenForLeftovers) {
    EXPECT_TRUE(textfile::IsLeftoverOf("a.req.tmpAb3xYz", "a.req"));
    EXPECT_TRUE(textfile::IsLeftoverOf("a.req.tmp000000", "a.req"));
    EXPECT_FALSE(textfile::IsLeftoverOf("a.req.tmpAb3xY!", "a.req"));
    EXPECT_FALSE(textfile::IsLeftoverOf("a.req.tmpAb3xYzz", "a.req"));
    EXPECT_FALSE(textfile::IsLeftoverOf("a.req.tmp", "a.req"));
    EXPECT_FALSE(textfile::IsLeftoverOf("ba.req.tmpAb3xYz", "a.req"));
    EXPECT_FALSE(textfile::IsLeftoverOf("a.req.TMPAb3xYz", "a.req"));
    EXPECT_FALSE(textfile::IsLeftoverOf("a.req.tmpAb3xYz", ""));
}

TEST_F(Leftovers, TheNextSaveOfAFileRemovesWhatACutOffSaveLeft) {
    for (const char* n : {"a.req.tmpAb3xYz", "a.req.tmpQQQQQQ", "a.vnt.tmpAb3xYz", "a.req.tmpAb3xY"}) {
        std::ofstream(path(n)) << "half";
    }
    ASSERT_TRUE(textfile::WriteAtomically(path("a.req"), "whole"));
    EXPECT_FALSE(fs::exists(path("a.req.tmpAb3xYz")));
    EXPECT_FALSE(fs::exists(path("a.req.tmpQQQQQQ")));
    EXPECT_TRUE(fs::exists(path("a.vnt.tmpAb3xYz")));
    EXPECT_TRUE(fs::exists(path("a.req.tmpAb3xY")));
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir_)) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 3);
}
