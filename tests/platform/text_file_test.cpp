// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards; put() writes a file of raw bytes into it.
class TextFileTest : public test_support::TempFolderTest {
protected:
    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
};

} // namespace

TEST(TextCodec, ConvertsChineseBetweenUtf8AndGbk) {
    EXPECT_EQ(textcodec::ToGbk("隧道"), "\xCB\xED\xB5\xC0");
    EXPECT_EQ(textcodec::FromGbk("\xCB\xED\xB5\xC0"), "隧道");
    EXPECT_EQ(textcodec::ToGbk("[BASIC INFO]"), "[BASIC INFO]");
    EXPECT_EQ(textcodec::FromGbk(textcodec::ToGbk("右线(上行,小桩号->大桩号)")), "右线(上行,小桩号->大桩号)");
}

TEST(TextCodec, ReplacesWhatCannotBeConvertedAndGoesOn) {
    // An emoji has no GBK code.
    EXPECT_EQ(textcodec::ToGbk("a\xF0\x9F\x98\x80"
                               "b"),
              "a?b");
    // A broken UTF-8 byte in the middle and a cut-off character at the end.
    EXPECT_EQ(textcodec::ToGbk("a\xFF"
                               "b\xE9\x9A"),
              "a?b?");
    // A GBK lead byte followed by a quote: the quote survives, so a field reader still finds it.
    EXPECT_EQ(textcodec::FromGbk("\xCB\"x"), "\xEF\xBF\xBD\"x");
    // A lead byte cut off at the end of the file.
    EXPECT_EQ(textcodec::FromGbk("ab\xCB"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(textcodec::FromGbk(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST_F(TextFileTest, ReadLinesSplitsAtEveryKindOfLineEnd) {
    put("mixed.txt", "one\r\ntwo\nthree\rfour\r\n\r\nsix");
    auto lines = textfile::ReadLines(path("mixed.txt"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"one", "two", "three", "four", "", "six"}));
}

TEST_F(TextFileTest, ReadLinesGivesNoExtraLineAfterTheLastLineEnd) {
    put("a.txt", "x\r\ny\r\n");
    EXPECT_EQ(*textfile::ReadLines(path("a.txt")), (std::vector<std::string>{"x", "y"}));
    put("empty.txt", "");
    EXPECT_TRUE(textfile::ReadLines(path("empty.txt"))->empty());
    put("blank.txt", "\r\n");
    EXPECT_EQ(*textfile::ReadLines(path("blank.txt")), (std::vector<std::string>{""}));
}

TEST_F(TextFileTest, ReadLinesDecodesGbk) {
    put("gbk.txt", "\xCB\xED\xB5\xC0\r\n");
    EXPECT_EQ(*textfile::ReadLines(path("gbk.txt")), (std::vector<std::string>{"隧道"}));
}

TEST_F(TextFileTest, ReadLinesSurvivesAnOverlongLineAndBinaryJunk) {
    std::string longLine(1 << 20, 'x');
    std::string junk;
    for (int i = 0; i < 256; ++i) {
        junk.push_back(static_cast<char>(i == '\r' || i == '\n' ? 'j' : i));
    }
    put("bad.txt", longLine + "\r\n" + junk + "\r\nend");
    auto lines = textfile::ReadLines(path("bad.txt"));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 3u);
    EXPECT_EQ((*lines)[0], longLine);
    EXPECT_EQ((*lines)[2], "end");
}

TEST_F(TextFileTest, AMissingFileOrAFolderCannotBeRead) {
    EXPECT_FALSE(textfile::ReadLines(path("missing.txt")));
    EXPECT_FALSE(textfile::ReadBytes(path("missing.txt")));
    EXPECT_FALSE(textfile::ReadBytes(dir_.string()));
}

TEST_F(TextFileTest, WriteLinesWritesGbkWithCrLf) {
    ASSERT_TRUE(textfile::WriteLines(path("out.txt"), {"[BASIC INFO]", "隧道"}));
    EXPECT_EQ(*textfile::ReadBytes(path("out.txt")), "[BASIC INFO]\r\n\xCB\xED\xB5\xC0\r\n");
}

TEST_F(TextFileTest, AnAtomicWriteReplacesAnExistingFileWhole) {
    put("p.txt", std::string(10000, 'o'));
    ASSERT_TRUE(textfile::WriteAtomically(path("p.txt"), "new"));
    EXPECT_EQ(*textfile::ReadBytes(path("p.txt")), "new");
    EXPECT_EQ(entries(), 1u); // no temporary file is left behind
}

TEST_F(TextFileTest, AnAtomicWriteKeepsThePermissionsOfTheFileItReplaces) {
    put("p.txt", "old");
    fs::permissions(path("p.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(textfile::WriteAtomically(path("p.txt"), "new"));
    EXPECT_EQ(fs::status(path("p.txt")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(TextFileTest, AnAtomicWriteIntoAMissingFolderFailsAndLeavesNothing) {
    EXPECT_FALSE(textfile::WriteAtomically(path("nofolder/p.txt"), "x"));
    EXPECT_FALSE(fs::exists(path("nofolder")));
    EXPECT_EQ(entries(), 0u);
    EXPECT_FALSE(textfile::WriteAtomically("", "x"));
}

TEST_F(TextFileTest, AnAtomicWriteOverAFolderFailsAndLeavesTheFolder) {
    fs::create_directory(path("sub"));
    put("sub/keep.txt", "k");
    EXPECT_FALSE(textfile::WriteAtomically(path("sub"), "x"));
    EXPECT_EQ(*textfile::ReadBytes(path("sub/keep.txt")), "k");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(TextFileTest, FilesWrittenTogetherAreAllPutInPlaceOrNoneIs) {
    // The file that cannot be written: its folder is missing, or a folder stands where it goes.
    for (const char* second : {"nofolder/b.txt", "sub"}) {
        SCOPED_TRACE(second);
        put("a.txt", "old a");
        fs::create_directories(path("sub"));
        const std::optional<std::size_t> failed =
            textfile::WriteAllOrNone({{path("a.txt"), "new a"}, {path(second), "new b"}});
        EXPECT_EQ(failed, std::optional<std::size_t>(1));
        EXPECT_EQ(*textfile::ReadBytes(path("a.txt")), "old a");
        EXPECT_EQ(entries(), 2u) << "a.txt and sub, no temporary file";
        fs::remove_all(path("sub"));
    }
    EXPECT_EQ(textfile::WriteAllOrNone({{path("a.txt"), "new a"}, {path("b.txt"), "new b"}}), std::nullopt);
    EXPECT_EQ(*textfile::ReadBytes(path("a.txt")), "new a");
    EXPECT_EQ(*textfile::ReadBytes(path("b.txt")), "new b");
    EXPECT_EQ(entries(), 2u);
}
