// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_text.h"

#include "platform/scheme_file.h"

namespace app {

std::optional<std::string> AboutText(const std::string& path) {
    scheme::SchemeReader file;
    if (!file.Open(path)) {
        return std::nullopt;
    }
    std::string text;
    std::size_t lines = 0;
    while (const std::optional<std::string> field = file.NextText()) {
        if (lines == kAboutMaxLines) {
            text += std::string(kAboutCutNote) + '\r';
            break;
        }
        text += *field + '\r';
        ++lines;
    }
    return text;
}

} // namespace app
