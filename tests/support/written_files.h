// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

/// Checks of the files the program writes: GBK text with CR LF line ends.
namespace test_support {

/// The lines of the file at `path` (GBK bytes as they are), or one line "<unreadable>".
inline std::vector<std::string> linesOf(const std::string& path) {
    return textfile::ReadLines(path).value_or(std::vector<std::string>{"<unreadable>"});
}

/// Whether `lines` holds `line` as one whole line.
inline bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

/// The first of `lines` that holds `text`; null when none does.
inline const std::string* lineWith(const std::vector<std::string>& lines, const std::string& text) {
    const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(text) != std::string::npos;
    });
    return at == lines.end() ? nullptr : &*at;
}

/// The lines of the report the viewer opened last; none while it opened none.
inline std::vector<std::string> viewedReport() {
    const auto& opened = platform::textviewer::log();
    return opened.empty() ? std::vector<std::string>{} : linesOf(opened.back());
}

/// The lines of a report that end in 未计算, in order: the results it printed with nothing computed.
inline std::vector<std::string> notComputedLines(const std::vector<std::string>& report) {
    std::vector<std::string> lines;
    std::ranges::copy_if(report, std::back_inserter(lines),
                         [](const std::string& line) { return line.ends_with("未计算"); });
    return lines;
}

/// How many lines of a report end in 未计算.
inline std::ptrdiff_t notComputedCount(const std::vector<std::string>& report) {
    return static_cast<std::ptrdiff_t>(notComputedLines(report).size());
}

/// A file the program wrote: present, GBK (the sample reads back from its GBK bytes), CR LF throughout.
inline void expectGbkCrLf(const std::string& path, const std::string& sample) {
    const std::string bytes = textfile::ReadBytes(path).value_or("");
    ASSERT_FALSE(bytes.empty()) << path;
    for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << path << ": bare line feed at byte " << i;
    }
    EXPECT_NE(bytes.find(textcodec::ToGbk(sample)), std::string::npos) << path << " lacks " << sample;
}

/// The bytes of the file at `path` as they are ("" when it cannot be read).
inline std::string bytesOf(const std::string& path) {
    return textfile::ReadBytes(path).value_or(std::string());
}

/// Writes `bytes` to `path` as they are, replacing what it held.
inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

/// The whole file at `path` read from GBK ("" when it cannot be read).
inline std::string readUtf8(const std::string& path) {
    return textcodec::FromGbk(textfile::ReadBytes(path).value_or(""));
}

/// Writes `utf8` to `path` in GBK, as the program's own files are.
inline void writeGbk(const std::string& path, const std::string& utf8) {
    ASSERT_TRUE(textfile::WriteAtomically(path, textcodec::ToGbk(utf8)));
}

} // namespace test_support
