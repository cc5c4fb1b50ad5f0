// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_names.h"

#include "platform/textcodec.h"

#include <filesystem>

namespace platform {

std::optional<std::string> FileNamePartProblem(std::string_view part, std::string_view what) {
    const std::string name(what);
    if (part.empty()) {
        return "请输入" + name + "。";
    }
    if (part == "." || part == "..") {
        return name + "不能为\"" + std::string(part) + "\"。";
    }
    for (const char c : part) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            return name + "用作文件名，不能含有字符 \\ / : * ? \" < > | 。";
        }
    }
    if (const auto c = textcodec::FirstNotInGbk(part)) {
        return name + "用作文件名，不能含有 GBK 无法保存的字符“" + *c + "”。";
    }
    return std::nullopt;
}

std::optional<std::string> UnstorableTextNote(std::string_view field, std::string_view text) {
    // U+FFFD stands for bytes of a damaged file that were already lost on reading: asking about it on every
    // save would tell nothing new.
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    while (const auto c = textcodec::FirstNotInGbk(text)) {
        if (*c != kReplacement) {
            return std::string(field) + "：“" + *c + "”";
        }
        text.remove_prefix(text.find(kReplacement) + kReplacement.size());
    }
    return std::nullopt;
}

bool IsDirectlyInside(const std::string& path, const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path p = fs::path(path).lexically_normal();
    fs::path f = fs::path(folder).lexically_normal();
    if (!f.empty() && !f.has_filename()) {
        f = f.parent_path(); // "dir/" names the folder "dir"
    }
    return p.has_filename() && p.filename() != ".." && p.parent_path() == f;
}

} // namespace platform
