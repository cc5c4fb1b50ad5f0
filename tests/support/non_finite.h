// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cctype>
#include <string>

namespace test_support {

/// A text that shows a non-finite number: "inf", "nan", "-nan", "infinity" as a word of its own, in the
/// lower case the C library writes them.
inline bool nonFinite(const std::string& text) {
    std::string word;
    auto bad = [&] { return word == "inf" || word == "nan" || word == "infinity"; };
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalpha(c) != 0) {
            word += ch;
        } else {
            if (bad()) {
                return true;
            }
            word.clear();
        }
    }
    return bad();
}

} // namespace test_support
